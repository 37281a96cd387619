#include "platform/portal_hot_key.h"

#include <QDBusAbstractInterface>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// A desktop that shows a confirmation waits for the user; a portal that never
// answers must not hold the start-up for ever.
constexpr int kAnswerWaitMs = 60000;

struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& arg, const PortalShortcut& s)
{
    arg.beginStructure();
    arg << s.id << s.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PortalShortcut& s)
{
    arg.beginStructure();
    arg >> s.id >> s.properties;
    arg.endStructure();
    return arg;
}

}  // namespace

Q_DECLARE_METATYPE(PortalShortcut)

namespace {

// Typed signals of the portal's objects, so they connect like any Qt signal.
class PortalRequest : public QDBusAbstractInterface {
    Q_OBJECT
public:
    PortalRequest(const QString& path, const QDBusConnection& bus)
        : QDBusAbstractInterface(kService, path, "org.freedesktop.portal.Request", bus, nullptr)
    {
    }
signals:
    void Response(uint response, const QVariantMap& results);
};

class PortalShortcuts : public QDBusAbstractInterface {
    Q_OBJECT
public:
    PortalShortcuts(const QDBusConnection& bus, QObject* parent)
        : QDBusAbstractInterface(kService, kObject, "org.freedesktop.portal.GlobalShortcuts", bus,
                                 parent)
    {
    }
signals:
    void Activated(const QDBusObjectPath& session, const QString& shortcut, qulonglong timestamp,
                   const QVariantMap& options);
};

// The portal names its request objects after the caller and a token of the
// caller's choosing, so the answer can be awaited before the call is made.
QString requestPath(const QDBusConnection& bus, const QString& token)
{
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kObject + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QString pathText(const QVariant& v)
{
    if (v.canConvert<QDBusObjectPath>() && v.userType() == qMetaTypeId<QDBusObjectPath>())
        return v.value<QDBusObjectPath>().path();
    return v.toString();
}

}  // namespace

PortalGlobalHotKey::PortalGlobalHotKey(const QDBusConnection& bus, QObject* parent)
    : GlobalHotKey(parent), m_bus(bus)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

PortalGlobalHotKey::~PortalGlobalHotKey() { closeSession(); }

QString PortalGlobalHotKey::triggerOf(QKeyCombination key)
{
    QStringList parts;
    const Qt::KeyboardModifiers m = key.keyboardModifiers();
    if (m & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (m & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (m & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (m & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    const Qt::Key k = key.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        parts << QString(QLatin1Char(char('a' + (k - Qt::Key_A))));
    else if (k >= Qt::Key_0 && k <= Qt::Key_9)
        parts << QString(QLatin1Char(char('0' + (k - Qt::Key_0))));
    else
        return QString();
    return parts.join(QLatin1Char('+'));
}

bool PortalGlobalHotKey::registerKey(int id, QKeyCombination key)
{
    const QString trigger = triggerOf(key);
    if (trigger.isEmpty() || !m_bus.isConnected() || (m_session.isEmpty() && !openSession()))
        return false;
    const QString shortcutId = QString::number(id);
    const PortalShortcut shortcut{
        shortcutId, {{QStringLiteral("description"), QStringLiteral("Hide or show the window")},
                     {QStringLiteral("preferred_trigger"), trigger}}};
    const QList<QVariant> arguments{
        QVariant::fromValue(QDBusObjectPath(m_session)),
        QVariant::fromValue(QList<PortalShortcut>{shortcut}), QString()};
    if (!request(QStringLiteral("BindShortcuts"), arguments, {}))
        return false;
    m_ids.insert(shortcutId, id);
    return true;
}

void PortalGlobalHotKey::unregisterKey(int id)
{
    m_ids.remove(QString::number(id));
    // The portal has no call to unbind one key; the session holds them all.
    if (m_ids.isEmpty())
        closeSession();
}

bool PortalGlobalHotKey::openSession()
{
    const QString sessionToken =
        QStringLiteral("zarnek%1").arg(QRandomGenerator::global()->generate());
    auto results = request(QStringLiteral("CreateSession"), {},
                           {{QStringLiteral("session_handle_token"), sessionToken}});
    if (!results)
        return false;
    m_session = pathText(results->value(QStringLiteral("session_handle")));
    if (m_session.isEmpty())
        return false;
    auto* shortcuts = new PortalShortcuts(m_bus, this);
    connect(shortcuts, &PortalShortcuts::Activated, this,
            [this](const QDBusObjectPath& session, const QString& shortcut, qulonglong,
                   const QVariantMap&) { activated(session.path(), shortcut); });
    return true;
}

void PortalGlobalHotKey::closeSession()
{
    if (m_session.isEmpty())
        return;
    m_bus.call(QDBusMessage::createMethodCall(kService, m_session, kSession, QStringLiteral("Close")),
               QDBus::NoBlock);
    m_session.clear();
    m_ids.clear();
}

void PortalGlobalHotKey::activated(const QString& sessionHandle, const QString& shortcutId)
{
    if (sessionHandle != m_session)
        return;  // another program's shortcut
    auto it = m_ids.constFind(shortcutId);
    if (it != m_ids.constEnd())
        emit pressed(it.value());
}

std::optional<QVariantMap> PortalGlobalHotKey::request(const QString& method,
                                                       QList<QVariant> arguments,
                                                       QVariantMap options)
{
    const QString token = QStringLiteral("zarnek%1_%2")
                              .arg(QRandomGenerator::global()->generate())
                              .arg(++m_tokens);
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;

    PortalRequest answer(requestPath(m_bus, token), m_bus);
    QEventLoop loop;
    std::optional<uint> code;
    QVariantMap results;
    QObject::connect(&answer, &PortalRequest::Response, &loop,
                     [&](uint response, const QVariantMap& r) {
                         code = response;
                         results = r;
                         loop.quit();
                     });

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kObject, kShortcuts, method);
    call.setArguments(arguments);
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(call));
    bool failed = false;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        if (watcher.isError()) {
            failed = true;
            loop.quit();
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(kAnswerWaitMs);
    loop.exec();
    // 0 is success; 1 the user declined, 2 anything else.
    if (failed || !code || *code != 0)
        return std::nullopt;
    return results;
}

#include "portal_hot_key.moc"
