#include "platform/qt_udp_endpoint.h"

#include "core/protocol/dispatch.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QPointer>
#include <QUdpSocket>
#include <QVariant>

namespace {
// One byte more than the core accepts: enough for the core to see that a
// longer datagram is too long, without copying all of it.
constexpr qint64 kReadBytes = static_cast<qint64>(zarnek::protocol::kMaxDatagram) + 1;
}  // namespace

QtUdpEndpoint::QtUdpEndpoint(quint16 localPort, QObject* parent)
    : UdpEndpoint(parent), m_socket(new QUdpSocket(this))
{
    m_bound = m_socket->bind(QHostAddress::AnyIPv4, localPort);
    if (m_bound)
        m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                                  QVariant(kReceiveBufferBytes));
    connect(m_socket, &QUdpSocket::readyRead, this, &QtUdpEndpoint::readPending);
}

QtUdpEndpoint::~QtUdpEndpoint() = default;

void QtUdpEndpoint::close()
{
    m_closed = true;
    m_queue.clear();
    m_socket->close();
}

quint16 QtUdpEndpoint::localPort() const { return m_socket->localPort(); }

// The datagrams are taken off the socket at once and handed on from a queued
// call. A handler of dataReceived may pump events (a modal box does), and the
// socket raises no further readyRead while one of its readyRead slots runs; so
// the slot itself returns at once and later datagrams keep arriving.
void QtUdpEndpoint::readPending()
{
    while (!m_closed && m_socket->hasPendingDatagrams())
        m_queue.append(m_socket->receiveDatagram(kReadBytes));
    if (!m_queue.isEmpty() && !m_deliveryPosted) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(this, &QtUdpEndpoint::deliverQueued, Qt::QueuedConnection);
    }
}

void QtUdpEndpoint::deliverQueued()
{
    m_deliveryPosted = false;
    QPointer<QtUdpEndpoint> self(this);
    while (self && !m_closed && !m_queue.isEmpty()) {
        const QNetworkDatagram d = m_queue.takeFirst();
        bool ok = false;
        const quint32 v4 = d.senderAddress().toIPv4Address(&ok);
        if (!ok)
            continue;
        const QString from = QStringLiteral("%1.%2.%3.%4")
                                 .arg((v4 >> 24) & 0xff)
                                 .arg((v4 >> 16) & 0xff)
                                 .arg((v4 >> 8) & 0xff)
                                 .arg(v4 & 0xff);
        emit dataReceived(d.data(), from, d.senderPort());
    }
}

QHostAddress QtUdpEndpoint::resolve(const QString& host)
{
    QHostAddress address;
    if (address.setAddress(host))
        return address;
    QEventLoop loop;
    QHostInfo info;
    bool done = false;
    QHostInfo::lookupHost(host, this, [&](const QHostInfo& result) {
        info = result;
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec();
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return {};
}

void QtUdpEndpoint::transmit(const QByteArray& datagram, const QString& host, int port)
{
    if (m_closed)
        return;
    QPointer<QtUdpEndpoint> self(this);
    const QHostAddress address = resolve(host);
    // The lookup pumped events: the window may have closed the endpoint.
    if (!self || m_closed)
        return;
    if (address.isNull() || port <= 0 || port > 65535) {
        emit invalidHost();
        return;
    }
    m_socket->writeDatagram(datagram, address, static_cast<quint16>(port));
}
