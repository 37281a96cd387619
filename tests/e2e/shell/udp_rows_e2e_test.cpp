// The main window with the real endpoint on port 27005, against a fake server
// on 127.0.0.7 (inside the private network namespace of the test).
#include "app/shell/main_window.h"
#include "platform/qt_udp_endpoint.h"
#include "tests/support/test_form.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QTest>
#include <QTreeWidget>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(ZARNEK_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

struct RealEndpointForm {
    TestForm pointers;
    std::unique_ptr<TForm1> form;
    QtUdpEndpoint* endpoint = nullptr;

    RealEndpointForm()
    {
        TForm1Platform platform = makeFakePlatform(pointers);
        auto real = std::make_unique<QtUdpEndpoint>(27005);
        endpoint = real.get();
        platform.udp = std::move(real);
        pointers.udp = nullptr;
        form = std::make_unique<TForm1>(std::move(platform));
    }
};

}  // namespace

TEST(RealEndpoint, AnswerFromALoopbackServerBecomesARowAndAChallengeIsAnswered)
{
    RealEndpointForm w;
    ASSERT_TRUE(w.endpoint->isBound());
    QUdpSocket server;
    ASSERT_TRUE(server.bind(QHostAddress(QStringLiteral("127.0.0.7")), 27015));

    const QByteArray info = fixture("goldsrc_info_m/cs16_wiki_verygames_991jo.bin");
    server.writeDatagram(info, QHostAddress::LocalHost, 27005);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.form->LW->topLevelItemCount() == 1; }, 10000));
    const QTreeWidgetItem* row = w.form->LW->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("1.6"));
    EXPECT_EQ(row->text(2), QStringLiteral("127.0.0.7"));
    EXPECT_EQ(row->text(3), QStringLiteral("27015"));
    EXPECT_EQ(row->text(6), QStringLiteral("12/18"));

    // The same answer again adds nothing.
    server.writeDatagram(info, QHostAddress::LocalHost, 27005);
    QTest::qWait(100);
    EXPECT_EQ(w.form->LW->topLevelItemCount(), 1);

    // A challenge answer brings the players request, then the rules request.
    server.writeDatagram(QByteArray("\xff\xff\xff\xff\x41\x01\x02\x03\x04", 9),
                         QHostAddress::LocalHost, 27005);
    QList<QByteArray> got;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            while (server.hasPendingDatagrams()) {
                const QNetworkDatagram d = server.receiveDatagram();
                EXPECT_EQ(d.senderPort(), 27005);
                got.append(d.data());
            }
            return got.size() >= 2;
        },
        10000));
    EXPECT_EQ(got[0], QByteArray("\xff\xff\xff\xff\x55\x01\x02\x03\x04", 9));
    EXPECT_EQ(got[1], QByteArray("\xff\xff\xff\xff\x56\x01\x02\x03\x04", 9));
}

// A datagram longer than the program accepts is dropped whole, not read cut
// to a length that could decode as some other answer.
TEST(RealEndpoint, ADatagramLongerThanTheProgramAcceptsIsDroppedNotCut)
{
    RealEndpointForm w;
    ASSERT_TRUE(w.endpoint->isBound());
    QUdpSocket longer;
    QUdpSocket normal;
    ASSERT_TRUE(longer.bind(QHostAddress(QStringLiteral("127.0.0.8")), 27015));
    ASSERT_TRUE(normal.bind(QHostAddress(QStringLiteral("127.0.0.9")), 27015));

    const QByteArray info = fixture("goldsrc_info_m/cs16_wiki_verygames_991jo.bin");
    ASSERT_LT(info.size(), 1500);
    longer.writeDatagram(info + QByteArray(1600 - info.size(), '\0'), QHostAddress::LocalHost, 27005);
    // Sent after it, so once its row is there the longer one has been handled.
    normal.writeDatagram(info, QHostAddress::LocalHost, 27005);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.form->LW->topLevelItemCount() >= 1; }, 10000));
    QTest::qWait(50);
    ASSERT_EQ(w.form->LW->topLevelItemCount(), 1);
    EXPECT_EQ(w.form->LW->topLevelItem(0)->text(2), QStringLiteral("127.0.0.9"));
}
