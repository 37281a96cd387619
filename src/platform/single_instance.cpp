#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kRestore[] = "restore\n";
constexpr int kConnectMs = 1000;
}  // namespace

// Whoever can write to the socket's folder can take its name first and end
// every start of the program, so the folder must be the user's alone. Qt's
// runtime folder is XDG_RUNTIME_DIR, or without it runtime-<user> in the
// temporary folder, created owner-only; Qt refuses one that another user owns
// and then gives nothing, so the program keeps a folder of its own in the
// user's cache folder instead.
QString LocalSocketInstance::privateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && ownedAndPrivate(runtime))
        return runtime;
    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                            .filePath(QStringLiteral("zarnek-runtime"));
    QDir().mkpath(own);
    QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner);
    return own;
}

bool LocalSocketInstance::ownedAndPrivate(const QString& folder)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

LocalSocketInstance::LocalSocketInstance(const QString& title, const QString& desktop,
                                         QObject* parent)
    : SingleInstance(parent)
{
    QString place;
    for (QChar c : desktop)
        place += c.isLetterOrNumber() || c == u'.' || c == u'-' ? c : QChar(u'_');
    m_path = QDir(privateFolder()).filePath(title + QStringLiteral("-") +
                                   QString::number(static_cast<qulonglong>(getuid())) +
                                   (place.isEmpty() ? QString() : QStringLiteral("-") + place) +
                                   QStringLiteral(".instance"));
}

LocalSocketInstance::~LocalSocketInstance()
{
    if (m_server)
        m_server->close();
}

bool LocalSocketInstance::askRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(kRestore, sizeof kRestore - 1);
    socket.waitForBytesWritten(kConnectMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectMs);
    return true;
}

bool LocalSocketInstance::handOverToRunning() { return askRunning(); }

void LocalSocketInstance::serve()
{
    if (m_server)
        return;
    m_server = new QLocalServer(this);
    // Access stays with the socket file's folder (the user's runtime folder);
    // UserAccessOption would make listen() replace even a live server's socket.
    connect(m_server, &QLocalServer::newConnection, this, &LocalSocketInstance::answer);
    if (m_server->listen(m_path))
        return;
    // Nobody answered at start-up, so a socket file left there belongs to an
    // instance that crashed.
    QLocalServer::removeServer(m_path);
    m_server->listen(m_path);
}

void LocalSocketInstance::answer()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // One request per connection: the first bytes mean "restore".
        auto handle = [this, socket] {
            if (socket->bytesAvailable() <= 0 || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            socket->readAll();
            emit restoreRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        handle();
    }
}
