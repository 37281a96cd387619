// The real endpoint over loopback, inside the private network namespace.
#include "platform/qt_udp_endpoint.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

struct Received {
    QByteArray bytes;
    QString from;
    int port;
};

QByteArray receiveOne(QUdpSocket& socket)
{
    if (!QTest::qWaitFor([&] { return socket.hasPendingDatagrams(); }, 10000))
        return {};
    return socket.receiveDatagram().data();
}

}  // namespace

TEST(QtUdpEndpoint, SendsToTheRemoteHostByAddressOrNameAndReportsTheSender)
{
    QtUdpEndpoint endpoint(27005);
    ASSERT_TRUE(endpoint.isBound());
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress(QStringLiteral("127.0.0.7")), 27015));

    // First n bytes of the buffer, as one datagram; a name is resolved while
    // events keep running.
    const QByteArray buffer("\xff\xff\xff\xffTSource Engine Query\0", 25);
    for (const QString& host : {QStringLiteral("127.0.0.7"), QStringLiteral("localhost")}) {
        QUdpSocket* target = &peer;
        QUdpSocket local;
        if (host == QStringLiteral("localhost")) {
            ASSERT_TRUE(local.bind(QHostAddress::LocalHost, 27016));
            target = &local;
        }
        endpoint.setRemoteHost(host);
        endpoint.setRemotePort(host == QStringLiteral("localhost") ? 27016 : 27015);
        bool timerRan = false;
        QTimer::singleShot(0, [&] { timerRan = true; });
        endpoint.send(buffer, 9);
        EXPECT_EQ(receiveOne(*target), buffer.left(9)) << host.toStdString();
        // Only the lookup of a name runs the event loop.
        EXPECT_EQ(timerRan, host == QStringLiteral("localhost")) << host.toStdString();
    }

    std::vector<Received> got;
    QObject::connect(&endpoint, &UdpEndpoint::dataReceived, &endpoint,
                     [&got](const QByteArray& b, const QString& f, int p) { got.push_back({b, f, p}); });
    // A datagram longer than the core accepts is handed on longer than that
    // (so the core drops it), not cut to a length the core would read.
    peer.writeDatagram(QByteArray(1600, 'x'), QHostAddress::LocalHost, 27005);
    peer.writeDatagram(QByteArray("\xff\xff\xff\xff\x41", 5), QHostAddress::LocalHost, 27005);
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.size() == 2; }, 10000));
    EXPECT_GT(got[0].bytes.size(), 1500);
    EXPECT_EQ(got[0].from, QStringLiteral("127.0.0.7"));
    EXPECT_EQ(got[0].port, 27015);
    EXPECT_EQ(got[1].bytes.size(), 5);
}

TEST(QtUdpEndpoint, ReportsAnEmptySendAndAnUnknownHostInsteadOfSending)
{
    QtUdpEndpoint endpoint(27005);
    QSignalSpy invalidBuffer(&endpoint, &UdpEndpoint::bufferInvalid);
    QSignalSpy invalidHost(&endpoint, &UdpEndpoint::invalidHost);
    endpoint.setRemoteHost(QStringLiteral("127.0.0.7"));
    endpoint.send("x", 0);
    EXPECT_EQ(invalidBuffer.count(), 1);
    endpoint.setRemoteHost(QStringLiteral("no-such-host.invalid"));
    endpoint.send("x", 1);
    EXPECT_EQ(invalidHost.count(), 1);
}

TEST(QtUdpEndpoint, AFailedBindIsQuietAndTheSocketStillWorks)
{
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 27005));
    QtUdpEndpoint endpoint(27005);
    EXPECT_FALSE(endpoint.isBound());

    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress(QStringLiteral("127.0.0.8")), 27015));
    endpoint.setRemoteHost(QStringLiteral("127.0.0.8"));
    endpoint.setRemotePort(27015);
    endpoint.send("ping", 4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.hasPendingDatagrams(); }, 10000));
    const QNetworkDatagram probe = peer.receiveDatagram();
    EXPECT_EQ(probe.data(), QByteArray("ping"));
    EXPECT_NE(probe.senderPort(), 27005);

    std::vector<QByteArray> got;
    QObject::connect(&endpoint, &UdpEndpoint::dataReceived, &endpoint,
                     [&got](const QByteArray& b, const QString&, int) { got.push_back(b); });
    peer.writeDatagram(QByteArray("pong"), probe.senderAddress(), static_cast<quint16>(probe.senderPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !got.empty(); }, 10000));
    EXPECT_EQ(got[0], QByteArray("pong"));
}

TEST(QtUdpEndpoint, AHandlerThatPumpsEventsStillGetsTheNextDatagrams)
{
    // A modal box inside the handler runs a nested event loop; answers that
    // come meanwhile must still be delivered.
    QtUdpEndpoint endpoint(27005);
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress(QStringLiteral("127.0.0.9")), 27015));
    std::vector<QByteArray> got;
    bool nestedDone = false;
    QObject::connect(&endpoint, &UdpEndpoint::dataReceived, &endpoint,
                     [&](const QByteArray& b, const QString&, int) {
                         got.push_back(b);
                         if (b == "first") {
                             peer.writeDatagram(QByteArray("second"), QHostAddress::LocalHost, 27005);
                             nestedDone = QTest::qWaitFor([&] { return got.size() == 2; }, 10000);
                         }
                     });
    peer.writeDatagram(QByteArray("first"), QHostAddress::LocalHost, 27005);
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.size() == 2; }, 10000));
    EXPECT_TRUE(nestedDone);
    EXPECT_EQ(got[1], QByteArray("second"));
}

TEST(QtUdpEndpoint, AfterCloseNothingIsSentOrDelivered)
{
    QtUdpEndpoint endpoint(27005);
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress(QStringLiteral("127.0.0.10")), 27015));
    int delivered = 0;
    QObject::connect(&endpoint, &UdpEndpoint::dataReceived, &endpoint,
                     [&](const QByteArray&, const QString&, int) { ++delivered; });
    endpoint.close();
    EXPECT_TRUE(endpoint.isClosed());
    endpoint.setRemoteHost(QStringLiteral("127.0.0.10"));
    endpoint.setRemotePort(27015);
    endpoint.send("x", 1);
    peer.writeDatagram(QByteArray("y"), QHostAddress::LocalHost, 27005);
    QTest::qWait(100);
    EXPECT_FALSE(peer.hasPendingDatagrams());
    EXPECT_EQ(delivered, 0);
}
