// The window's scan on a machine with two networks, each with servers on
// several ports of one host. two_networks_test.py builds the networks inside
// its private namespace and runs this there; run alone it skips.

#include "tests/support/scan_settings.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/qt_udp_endpoint.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <gtest/gtest.h>

namespace {

// UDP datagrams this namespace has sent so far.
long long udpDatagramsSent() {
    QFile snmp(QStringLiteral("/proc/net/snmp"));
    if (!snmp.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> lines = snmp.readAll().split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].startsWith("Udp: ") || !lines[i + 1].startsWith("Udp: ")) continue;
        const QList<QByteArray> names = lines[i].simplified().split(' ');
        const QList<QByteArray> values = lines[i + 1].simplified().split(' ');
        const qsizetype at = names.indexOf("OutDatagrams");
        if (at >= 0 && at < values.size()) return values[at].toLongLong();
    }
    return -1;
}

class TwoNetworks : public ::testing::Test {
protected:
    void SetUp() override {
        expected = QString::fromLocal8Bit(qgetenv("ZARNEK_TWO_NETWORK_SERVERS"))
                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (expected.isEmpty()) GTEST_SKIP() << "needs the networks of two_networks_test.py";
        expected.sort();
        TForm1Platform platform;
        platform.udp = std::make_unique<QtUdpEndpoint>(27005);
        platform.pump = std::make_unique<QtEventPump>();
        platform.localAddress = std::make_unique<SystemLocalAddress>();
        // The defaults of a fresh settings file: 5 ms, old protocol on.
        openScanWindow(form, settings, std::move(platform), dir.filePath(QStringLiteral("zarnek.ini")),
                       5);
        settings->CBOld->setChecked(true);
    }

    void TearDown() override { closeScanWindow(form, settings); }

    QStringList rowAddresses() const {
        QStringList result;
        for (int i = 0; i < form->LW->topLevelItemCount(); ++i)
            result << form->LW->topLevelItem(i)->text(ServerListView::Address) + QLatin1Char(':')
                          + form->LW->topLevelItem(i)->text(ServerListView::Port);
        result.sort();
        return result;
    }

    QStringList expected;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
};

TEST_F(TwoNetworks, TheBroadcastListsTheServersOfBothNetworksOnEveryPort) {
    settings->CBBroadcast->setChecked(true);
    const long long before = udpDatagramsSent();
    QElapsedTimer clock;
    clock.start();
    form->SBScanAllClick();
    const qint64 phase = clock.elapsed();
    const long long sent = udpDatagramsSent() - before;
    std::printf("one broadcast phase, two interfaces, default delay: %lld datagrams, %lld ms\n",
                sent, static_cast<long long>(phase));
    EXPECT_EQ(form->statusText(1), QStringLiteral("1"));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));

    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LW->topLevelItemCount() >= expected.size(); },
                                10000));
    QTest::qWait(200);  // a repeated answer would add a row now
    EXPECT_EQ(rowAddresses(), expected);
}

TEST_F(TwoNetworks, WithoutTheBroadcastNoneOfThemIsListed) {
    settings->CBBroadcast->setChecked(false);
    auto* range = new QTreeWidgetItem(settings->LWranges,
                                      {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.1")});
    range->setCheckState(0, Qt::Checked);
    form->SBScanAllClick();
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    QTest::qWait(1000);
    EXPECT_EQ(rowAddresses(), QStringList{});
}

}  // namespace
