// The scan driver on the real main window and settings dialog, with an
// endpoint and pump that record what the scan does, in order.

#include "tests/app/scanning/scan_window_fixture.h"
#include "tests/support/fakes.h"
#include "tests/support/modal_answer.h"

#include "tests/support/scan_settings.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "core/scanning/lan_ports.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using ScanDriverTest = ScanWindowTest;

TEST_F(ScanDriverTest, RefusesToStartWithNothingToScanOrWithoutItsPort) {
    struct Case {
        const char* what;
        bool range;
        bool broadcast;
        const char* gamePort;
        const char* hltvPort;
        int rg;
        const char* message;
    } cases[] = {
        {"nothing", false, false, "27015", "27020", 0,
         "IP ranges, Favorites list is empty and Broadcast is disabled. Please set it in Options."},
        {"game port", true, false, "", "27020", 0, "Game port is empty. Please set it in Options."},
        {"hltv port", false, true, "27015", "", 1, "HLTV port is empty. Please set it in Options."},
        {"both empty, game chosen", true, false, "", "", 0,
         "Game port is empty. Please set it in Options."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings->LWranges->clear();
        if (c.range) addRange("127.0.0.1", "127.0.0.1");
        settings->CBBroadcast->setChecked(c.broadcast);
        settings->CSport->setText(QString::fromLatin1(c.gamePort));
        settings->HLTVport->setText(QString::fromLatin1(c.hltvPort));
        form->setRGIndex(c.rg);
        settings->hide();
        ModalAnswerer boxes;
        form->SBScanAllClick();
        EXPECT_EQ(boxes.texts, QStringList{QString::fromLatin1(c.message)});
        EXPECT_TRUE(settings->isVisible());
        EXPECT_FALSE(form->ScanInProgress);
        EXPECT_TRUE(form->SBScanAll->isEnabled());
        EXPECT_TRUE(sends().isEmpty());
    }
}

TEST_F(ScanDriverTest, AnEmptyPortOfTheOtherKindIsNoObstacle) {
    addRange("127.0.0.1", "127.0.0.1");
    settings->CSport->setText(QString());
    form->setRGIndex(1);
    ModalAnswerer boxes;
    form->SBScanAllClick();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(sends(), QStringList{QStringLiteral("send 127.0.0.1:27020 25")});
}

TEST_F(ScanDriverTest, AScanPortThatIsNoPortIsRefusedBeforeTheScanStarts) {
    addFavourite("127.0.0.9", "27016");
    const std::pair<const char*, const char*> cases[] = {
        {"27o15", "'27o15' is not a valid integer value"},  // a hand-edited file
        {"70000", "'70000' is not a valid port number"},
    };
    for (const auto& [port, message] : cases) {
        SCOPED_TRACE(port);
        settings->CSport->setText(QString::fromLatin1(port));
        ModalAnswerer boxes;
        form->SBScanAllClick();
        EXPECT_EQ(boxes.texts, QStringList{QString::fromLatin1(message)});
        EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
        EXPECT_FALSE(form->ScanInProgress);
        EXPECT_TRUE(form->SBScanAll->isEnabled());
        EXPECT_TRUE(sends().isEmpty());
    }
}

TEST_F(ScanDriverTest, OnlyUncheckedRangesProbeNothingAndComplete) {
    addRange("127.0.0.1", "127.0.0.20", false);
    ModalAnswerer boxes;
    form->SBScanAllClick();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_TRUE(sends().isEmpty());
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("0"));
}

TEST_F(ScanDriverTest, ProbesFavouritesBroadcastAndRangesInOrderWithTheirSleeps) {
    addFavourite("127.0.0.9", "27016");
    addFavourite("127.0.0.7", "270x");  // hand-edited: skipped
    addFavourite("127.0.0.8", "27017");
    addRange("127.0.0.50", "127.0.0.51", false);
    addRange("127.0.0", "127.0.0.9");  // hand-edited: skipped
    addRange("127.0.0.1", "127.0.0.2");
    settings->CBBroadcast->setChecked(true);
    settings->CBOld->setChecked(true);
    settings->SEDelay->setValue(5);
    QStringList panels;
    pump->everyPump = [&](int) {
        panels << form->statusText(0) + QLatin1Char('|') + form->statusText(1);
    };
    form->SBScanAllClick();

    const QStringList expected = {
        QStringLiteral("sleep 2"), QStringLiteral("send 127.0.0.9:27016 25"),
        QStringLiteral("sleep 2"), QStringLiteral("send 127.0.0.9:27016 15"),
        QStringLiteral("pump"),
        QStringLiteral("sleep 2"), QStringLiteral("send 127.0.0.8:27017 25"),
        QStringLiteral("sleep 2"), QStringLiteral("send 127.0.0.8:27017 15"),
        QStringLiteral("pump"),
        // lo's network 127.0.0.0/8
        QStringLiteral("send 127.255.255.255:27015 25"),
        QStringLiteral("send 127.255.255.255:27015 15"),
        QStringLiteral("send 127.0.0.1:27015 25"), QStringLiteral("sleep 5"),
        QStringLiteral("send 127.0.0.1:27015 15"), QStringLiteral("pump"),
        QStringLiteral("send 127.0.0.2:27015 25"), QStringLiteral("sleep 5"),
        QStringLiteral("send 127.0.0.2:27015 15"), QStringLiteral("pump"),
    };
    EXPECT_EQ(log.events, expected);
    // What each pump finds: the previous destination and the count so far.
    EXPECT_EQ(panels.mid(1), (QStringList{QStringLiteral(" 127.0.0.9|1"),
                                          QStringLiteral(" 127.0.0.8|3"),
                                          QStringLiteral(" 127.0.0.1|4")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("5"));
}

TEST_F(ScanDriverTest, DelaySleepsHalvedAroundAFavouriteAndWholeAfterARangeAddress) {
    struct Case {
        int delay;
        QStringList sleeps;
    } cases[] = {
        {0, {}},
        {1, {QStringLiteral("sleep 1")}},
        {5, {QStringLiteral("sleep 2"), QStringLiteral("sleep 2"), QStringLiteral("sleep 5")}},
        {30, {QStringLiteral("sleep 15"), QStringLiteral("sleep 15"), QStringLiteral("sleep 30")}},
    };
    addFavourite("127.0.0.9", "27016");
    addRange("127.0.0.1", "127.0.0.1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        log.events.clear();
        settings->SEDelay->setValue(c.delay);
        form->SBScanAllClick();
        EXPECT_EQ(log.events.filter(QStringLiteral("sleep")), c.sleeps);
        EXPECT_EQ(sends().size(), 2);
    }
}

TEST_F(ScanDriverTest, TheBroadcastProbeFallsBackOrIsSkippedButAlwaysCounted) {
    struct Case {
        const char* local;
        const char* netmask;  // of a tunnel holding it, if any beside lo
        const char* target;   // empty: no broadcast probe
    } cases[] = {
        {"127.0.0.1", nullptr, "127.255.255.255"},  // on lo, 255.0.0.0
        {"127.1.2.3", "255.255.255.0", "127.1.2.255"},
        {"127.1.2.3", nullptr, "127.1.255.255"},  // held by no interface
        {"", nullptr, ""},
    };
    settings->CBBroadcast->setChecked(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.local);
        TearDown();
        log = ScanLog();
        TForm1Platform platform;
        endpoint = new RecordingEndpoint(log);
        platform.udp.reset(endpoint);
        platform.pump.reset(pump = new ScriptedPump(log));
        std::vector<zarnek::scanning::LanInterface> tunnel;
        if (c.netmask) {
            // A point-to-point link: no broadcast of its own, but its netmask
            // still tells the local address's network.
            tunnel = {lan("tun0", c.local, c.netmask)};
            tunnel[0].canBroadcast = false;
        }
        platform.localAddress = localAddress(QString::fromLatin1(c.local), tunnel);
        form = std::make_unique<TForm1>(std::move(platform));
        settings = std::make_unique<TSettings>(*form, dir.filePath(QStringLiteral("zarnek.ini")));
        form->Settings = settings.get();
        settings->LWranges->clear();
        settings->LVFav->clear();
        settings->CBBroadcast->setChecked(true);
        settings->CBOld->setChecked(false);
        settings->CSport->setText(QStringLiteral("27015"));
        form->setRGIndex(0);
        form->SBScanAllClick();
        const QStringList expected =
            *c.target ? QStringList{QStringLiteral("send %1:27015 25").arg(QLatin1String(c.target))}
                      : QStringList{};
        EXPECT_EQ(sends(), expected);
        EXPECT_EQ(form->statusText(1), QStringLiteral("1"));
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    }
}

// A machine on two networks besides loopback: the broadcast phase goes to
// both at the scan port and every common port, each info request followed by
// the pause, the pump coming only between the networks; then the ranges.
TEST_F(ScanDriverTest, TheBroadcastGoesToEveryNetworkAtEveryCommonPort) {
    TearDown();
    log = ScanLog();
    TForm1Platform platform;
    platform.udp.reset(endpoint = new RecordingEndpoint(log));
    platform.pump.reset(pump = new ScriptedPump(log));
    platform.localAddress = localAddress(QStringLiteral("127.1.2.3"),
                                         {lan("eth0", "127.1.2.3", "255.255.255.0"),
                                          lan("wg0", "127.2.0.1", "255.255.0.0")});
    form = std::make_unique<TForm1>(std::move(platform));
    settings = std::make_unique<TSettings>(*form, dir.filePath(QStringLiteral("zarnek.ini")));
    prepareForScan(*form, *settings, 5);
    settings->CBBroadcast->setChecked(true);
    settings->CBOld->setChecked(true);
    addRange("127.0.0.1", "127.0.0.1");
    form->SBScanAllClick();

    QStringList expected;
    for (const char* network : {"127.1.2.255", "127.2.255.255"}) {
        if (!expected.isEmpty()) expected << QStringLiteral("pump");
        for (const std::uint16_t port : zarnek::scanning::lanPorts(27015))
            expected << QStringLiteral("send %1:%2 25").arg(QLatin1String(network)).arg(port)
                     << QStringLiteral("sleep 5")
                     << QStringLiteral("send %1:%2 15").arg(QLatin1String(network)).arg(port);
    }
    expected << QStringLiteral("send 127.0.0.1:27015 25") << QStringLiteral("sleep 5")
             << QStringLiteral("send 127.0.0.1:27015 15") << QStringLiteral("pump");
    EXPECT_EQ(log.events, expected);
    EXPECT_EQ(sends().size(), 2 * 2 * 14 + 2);
    EXPECT_EQ(form->statusText(1), QStringLiteral("2"));  // the phase is one probe
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));

    // Stop between the networks: the second is not probed, nor the range.
    log = ScanLog();
    pump->actions = {{1, [&] { form->SBStopClick(); }}};
    settings->CBOld->setChecked(false);
    form->SBScanAllClick();
    EXPECT_EQ(sends().size(), 14);
    EXPECT_TRUE(sends().first().startsWith(QStringLiteral("send 127.1.2.255:")));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan stoped."));
    EXPECT_EQ(form->statusText(1), QStringLiteral("0"));
}

TEST_F(ScanDriverTest, StartDisablesTheControlsAndEmptiesServerAndPlayerLists) {
    form->AddServerRow(row("127.0.0.77", "27015"));
    new QTreeWidgetItem(form->LWPlayers, {QStringLiteral("someone")});
    new QTreeWidgetItem(form->LWRules, {QStringLiteral("rule")});
    addRange("127.0.0.1", "127.0.0.2");
    bool checked = false;
    pump->actions[1] = [&] {
        checked = true;
        EXPECT_TRUE(form->ScanInProgress);
        EXPECT_FALSE(form->SBScanAll->isEnabled());
        EXPECT_FALSE(form->SBRefresh->isEnabled());
        EXPECT_FALSE(form->SBPlay->isEnabled());
        EXPECT_FALSE(form->SBAuto->isEnabled());
        EXPECT_TRUE(form->SBStop->isEnabled());
        EXPECT_FALSE(form->RGBox->isEnabled());
        EXPECT_EQ(form->LW->topLevelItemCount(), 0);
        EXPECT_EQ(form->LWPlayers->topLevelItemCount(), 0);
        EXPECT_EQ(form->LWRules->topLevelItemCount(), 1);
        EXPECT_EQ(form->statusText(1), QStringLiteral("0"));
    };
    form->SBScanAllClick();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(form->ScanInProgress);
    EXPECT_FALSE(form->SBStop->isEnabled());
    EXPECT_FALSE(form->SBScanAll->isEnabled());
    EXPECT_FALSE(form->SBRefresh->isEnabled());  // no rows
    EXPECT_TRUE(form->RGBox->isEnabled());
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_EQ(form->ScanCooldown, 3);
}

TEST_F(ScanDriverTest, StopEndsTheScanAtTheNextCheckpointAfterOneMoreProbe) {
    addRange("127.0.0.1", "127.0.0.10");
    form->KnownServers.count = 1;
    form->KnownServers.address[0] = QStringLiteral("127.0.0.99");
    form->KnownServers.port[0] = QStringLiteral("27015");
    pump->actions[3] = [&] {
        form->AddServerRow(row("127.0.0.2", "27015"));
        form->SBStop->click();
    };
    form->SBScanAllClick();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.1:27015 25"),
                                    QStringLiteral("send 127.0.0.2:27015 25"),
                                    QStringLiteral("send 127.0.0.3:27015 25"),
                                    QStringLiteral("send 127.0.0.4:27015 25")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan stoped."));
    EXPECT_EQ(form->statusText(1), QStringLiteral("3"));
    EXPECT_EQ(form->KnownServers.count, 1);
    EXPECT_EQ(form->KnownServers.address[0], QStringLiteral("127.0.0.99"));
    EXPECT_FALSE(form->ScanInProgress);
    EXPECT_TRUE(form->StopRequested);
    EXPECT_TRUE(form->SBRefresh->isEnabled());
    EXPECT_FALSE(form->SBStop->isEnabled());
    EXPECT_TRUE(form->RGBox->isEnabled());
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_EQ(form->ScanCooldown, 3);
}

TEST_F(ScanDriverTest, StopAtTheLastFavouriteEndsAtTheFirstRangeAddressAfterTheBroadcast) {
    addFavourite("127.0.0.8", "27016");
    settings->CBBroadcast->setChecked(true);
    addRange("127.0.0.1", "127.0.0.5");
    pump->actions[1] = [&] { form->SBStopClick(); };
    form->SBScanAllClick();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.8:27016 25"),
                                    QStringLiteral("send 127.255.255.255:27015 25"),
                                    QStringLiteral("send 127.0.0.1:27015 25")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan stoped."));
    EXPECT_EQ(form->statusText(1), QStringLiteral("2"));
}

TEST_F(ScanDriverTest, StopInTheLastPumpLetsTheScanComplete) {
    struct Case {
        const char* what;
        bool range;
        int stopAtPump;
    } cases[] = {
        {"last range address", true, 3},
        {"last favourite, no range", false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings->LWranges->clear();
        settings->LVFav->clear();
        log = ScanLog();
        addFavourite("127.0.0.8", "27015");
        if (c.range) {
            addRange("127.0.0.1", "127.0.0.2", false);
            addRange("127.0.0.3", "127.0.0.4");
        } else {
            addFavourite("127.0.0.9", "27015");
        }
        pump->actions.clear();
        pump->actions[c.stopAtPump] = [&] {
            form->AddServerRow(row("127.0.0.8", "27015"));
            form->SBStopClick();
        };
        form->SBScanAllClick();
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
        EXPECT_EQ(form->KnownServers.count, 1);
        EXPECT_EQ(form->KnownServers.address[0], QStringLiteral("127.0.0.8"));
        EXPECT_EQ(log.pumps, c.stopAtPump);
    }
}

TEST_F(ScanDriverTest, CoolDownCountsOnTheButtonAndEnablesItAfterFourTicks) {
    for (bool autoConnect : {false, true}) {
        SCOPED_TRACE(autoConnect);
        addRange("127.0.0.1", "127.0.0.1");
        form->SBScanAllClick();
        form->AutoConnectOn = autoConnect;
        EXPECT_EQ(form->SBScanAll->text(), QStringLiteral("Scan"));
        QStringList captions;
        for (int tick = 0; tick < 4; ++tick) {
            EXPECT_FALSE(form->SBScanAll->isEnabled());
            EXPECT_TRUE(form->Timer->isActive());
            form->TimerTimer();
            captions << form->SBScanAll->text();
        }
        EXPECT_EQ(captions, (QStringList{QStringLiteral("Wait 3"), QStringLiteral("Wait 2"),
                                         QStringLiteral("Wait 1"), QStringLiteral("Scan")}));
        EXPECT_FALSE(form->Timer->isActive());
        EXPECT_EQ(form->SBScanAll->isEnabled(), !autoConnect);
        form->AutoConnectOn = false;
    }
}

TEST_F(ScanDriverTest, AutoConnectKeepsItsButtonDuringTheScan) {
    addRange("127.0.0.1", "127.0.0.1");
    form->AutoConnectOn = true;
    form->SBAuto->setEnabled(true);
    bool enabledDuringScan = false;
    pump->actions[1] = [&] { enabledDuringScan = form->SBAuto->isEnabled(); };
    form->SBScanAllClick();
    EXPECT_TRUE(enabledDuringScan);
}

TEST_F(ScanDriverTest, EntriesRemovedInsideThePumpAreNeverRead) {
    addFavourite("127.0.0.7", "27015");
    addFavourite("127.0.0.8", "27015");
    addFavourite("127.0.0.9", "27015");
    addRange("127.0.0.1", "127.0.0.3");
    addRange("127.0.0.20", "127.0.0.21");
    pump->actions[1] = [&] {
        delete settings->LVFav->takeTopLevelItem(2);
        delete settings->LVFav->takeTopLevelItem(1);
    };
    pump->actions[2] = [&] { settings->LWranges->clear(); };
    form->SBScanAllClick();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.7:27015 25"),
                                    QStringLiteral("send 127.0.0.1:27015 25")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
}

// Deletions inside the pump, before, at or after the entry being probed: the
// walk goes on with the entry that followed the current one, never walks a
// deleted range further and never skips an entry that is still there.
TEST_F(ScanDriverTest, DeletionsInsideThePumpContinueWithTheEntryThatFollowed) {
    struct Case {
        const char* what;
        int pump;
        QTreeWidget* TSettings::*list;
        int deleteRow;
        std::vector<const char*> hosts;
    } cases[] = {
        {"range before the current one", 3, &TSettings::LWranges, 0,
         {"127.0.0.1", "127.0.0.2", "127.0.0.10", "127.0.0.11", "127.0.0.20"}},
        {"the current range", 3, &TSettings::LWranges, 1,
         {"127.0.0.1", "127.0.0.2", "127.0.0.10", "127.0.0.20"}},
        {"range after the current one", 1, &TSettings::LWranges, 1,
         {"127.0.0.1", "127.0.0.2", "127.0.0.20"}},
        {"the current favourite", 1, &TSettings::LVFav, 0,
         {"127.0.0.7", "127.0.0.8", "127.0.0.1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings->LWranges->clear();
        settings->LVFav->clear();
        addRange("127.0.0.1", "127.0.0.2");
        addRange("127.0.0.10", "127.0.0.11");
        addRange("127.0.0.20", "127.0.0.20");
        if (c.list == &TSettings::LVFav) {
            settings->LWranges->clear();
            addFavourite("127.0.0.7", "27015");
            addFavourite("127.0.0.8", "27015");
            addRange("127.0.0.1", "127.0.0.1");
        }
        log = ScanLog();
        pump->actions = {{c.pump, [&] { delete ((*settings).*c.list)->takeTopLevelItem(c.deleteRow); }}};
        form->SBScanAllClick();
        QStringList expected;
        for (const char* host : c.hosts)
            expected << QStringLiteral("send %1:27015 25").arg(QLatin1String(host));
        EXPECT_EQ(sends(), expected);
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    }
}

TEST_F(ScanDriverTest, RangeAddressesKeepTheScanPortWhenAServerIsQueriedInsideThePump) {
    addRange("127.0.0.1", "127.0.0.3");
    pump->actions[1] = [&] {
        // What selecting a row does: its detail queries go to its own port.
        form->udp()->setRemoteHost(QStringLiteral("127.0.0.9"));
        form->udp()->setRemotePort(27016);
        form->udp()->send("\xff\xff\xff\xffU", 5);
    };
    form->SBScanAllClick();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.1:27015 25"),
                                    QStringLiteral("send 127.0.0.9:27016 5"),
                                    QStringLiteral("send 127.0.0.2:27015 25"),
                                    QStringLiteral("send 127.0.0.3:27015 25")}));
}

TEST_F(ScanDriverTest, KnownServersKeepsTheFirst41Rows) {
    addRange("127.0.0.1", "127.0.0.1");
    pump->actions[1] = [&] {
        for (int i = 1; i <= 45; ++i) form->AddServerRow(row("127.0.1." + std::to_string(i), "27015"));
    };
    form->SBScanAllClick();
    ASSERT_EQ(form->KnownServers.count, 41);
    EXPECT_EQ(form->KnownServers.address[0], QStringLiteral("127.0.1.1"));
    EXPECT_EQ(form->KnownServers.address[40], QStringLiteral("127.0.1.41"));
    EXPECT_EQ(form->KnownServers.port[40], QStringLiteral("27015"));
    EXPECT_TRUE(form->SBRefresh->isEnabled());
}

TEST_F(ScanDriverTest, AClosedEndpointEndsTheScanWithoutAnotherSend) {
    addRange("127.0.0.1", "127.0.0.10");
    pump->actions[2] = [&] { endpoint->close(); };
    form->SBScanAllClick();
    EXPECT_EQ(sends().size(), 2);
    EXPECT_EQ(log.pumps, 2);
}

// Port 0 is no port: nothing can be sent to it. As the scan port it is
// refused as a number above 65535 is; a favourite on it is skipped.
TEST_F(ScanDriverTest, PortZeroIsRefusedAsScanPortAndSkippedAsFavourite) {
    addFavourite("127.0.0.6", "0");
    addFavourite("127.0.0.7", "00000");
    addFavourite("127.0.0.8", "27017");
    for (const char* port : {"0", "00000"}) {
        SCOPED_TRACE(port);
        settings->CSport->setText(QString::fromLatin1(port));
        ModalAnswerer boxes;
        form->SBScanAllClick();
        EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("'%1' is not a valid port number").arg(QLatin1String(port))});
        EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
        EXPECT_FALSE(form->ScanInProgress);
        EXPECT_TRUE(sends().isEmpty());
    }
    settings->CSport->setText(QStringLiteral("27015"));
    ModalAnswerer boxes;
    form->SBScanAllClick();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(sends(), QStringList{QStringLiteral("send 127.0.0.8:27017 25")});
}

}  // namespace

