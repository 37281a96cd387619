#pragma once

// The program's one UDP endpoint: every query leaves through it and every
// answer arrives through it. The remote host and port are properties that each
// sender sets right before it sends.

#include <QByteArray>
#include <QObject>
#include <QString>

class UdpEndpoint : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void setRemoteHost(const QString& host) { m_remoteHost = host; }
    QString remoteHost() const { return m_remoteHost; }
    void setRemotePort(int port) { m_remotePort = port; }
    int remotePort() const { return m_remotePort; }

    // Sends the first count bytes of data as one datagram to the remote host
    // and port. A send of no bytes raises bufferInvalid instead.
    void send(const char* data, int count);
    void send(const QByteArray& data, int count) { send(data.constData(), count); }

    // Closes the socket; later sends are dropped and nothing more arrives.
    virtual void close() = 0;
    virtual bool isClosed() const = 0;

signals:
    // One per incoming datagram, on the user-interface thread. A datagram
    // longer than the protocol core accepts (zarnek::protocol::kMaxDatagram)
    // may be handed on cut, but always longer than that, so the core drops it.
    void dataReceived(const QByteArray& datagram, const QString& fromIp, int port);
    void bufferInvalid();
    // The remote host was neither a dotted address nor a name that resolved.
    void invalidHost();

protected:
    virtual void transmit(const QByteArray& datagram, const QString& host, int port) = 0;

private:
    QString m_remoteHost;
    int m_remotePort = 27015;
};

// An endpoint without a socket, closed from the start: a window built without
// network access sends nowhere and receives nothing.
class InertUdpEndpoint : public UdpEndpoint {
    Q_OBJECT
public:
    using UdpEndpoint::UdpEndpoint;
    void close() override {}
    bool isClosed() const override { return true; }

protected:
    void transmit(const QByteArray&, const QString&, int) override {}
};
