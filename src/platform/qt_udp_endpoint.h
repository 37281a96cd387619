#pragma once

#include "platform/udp_endpoint.h"

#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>

class QUdpSocket;

// The endpoint over one QUdpSocket bound to 0.0.0.0 on the local port.
class QtUdpEndpoint : public UdpEndpoint {
    Q_OBJECT
public:
    // A burst of answers during a scan must not overflow the kernel's queue
    // while the scan loop sleeps between probes.
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    explicit QtUdpEndpoint(quint16 localPort = 27005, QObject* parent = nullptr);
    ~QtUdpEndpoint() override;

    void close() override;
    bool isClosed() const override { return m_closed; }

    // Whether binding the local port succeeded. A failed bind is not reported
    // to the user; the socket is still used (the system then picks a port).
    bool isBound() const { return m_bound; }
    quint16 localPort() const;

protected:
    void transmit(const QByteArray& datagram, const QString& host, int port) override;

private:
    void readPending();
    void deliverQueued();
    // Resolves a host given by name while the event queue keeps running.
    QHostAddress resolve(const QString& host);

    QUdpSocket* m_socket;
    bool m_bound = false;
    bool m_closed = false;
    bool m_deliveryPosted = false;
    QList<QNetworkDatagram> m_queue;
};
