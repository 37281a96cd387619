// The favourites auto-scan on the real main window and settings dialog: what
// one pass sends, when a tick is skipped, the timer's interval and states.

#include "tests/app/scanning/scan_window_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

class AutoScanTest : public ScanWindowTest {
protected:
    void SetUp() override {
        ScanWindowTest::SetUp();
        // As Load leaves it with the switch on: the first pass comes soon.
        settings->CBAutoUpdate->setChecked(true);
        form->TimerFav->setInterval(200);
    }
};

TEST_F(AutoScanTest, APassProbesEveryFavouriteWithItsPausesAndLeavesTheRestAlone) {
    addFavourite("127.0.0.9", "27016");
    addFavourite("127.0.0.7", "270x");  // hand-edited: skipped
    addFavourite("127.0.0.8", "27017");
    settings->CBOld->setChecked(true);
    settings->SEDelay->setValue(40);  // the scan's pause, not the pass's
    form->AddServerRow(row("127.0.0.50", "27015"));
    form->KnownServers.count = 1;
    form->KnownServers.address[0] = QStringLiteral("127.0.0.50");
    form->KnownServers.port[0] = QStringLiteral("27015");
    form->setStatusText(1, QStringLiteral("23"));
    const bool refreshEnabled = form->SBRefresh->isEnabled();
    QStringList panels;
    pump->everyPump = [&](int) { panels << form->statusText(0); };

    form->TimerFavTimer();
    EXPECT_EQ(log.events, (QStringList{
        QStringLiteral("sleep 3"), QStringLiteral("send 127.0.0.9:27016 25"),
        QStringLiteral("sleep 3"), QStringLiteral("send 127.0.0.9:27016 15"), QStringLiteral("pump"),
        QStringLiteral("sleep 3"), QStringLiteral("send 127.0.0.8:27017 25"),
        QStringLiteral("sleep 3"), QStringLiteral("send 127.0.0.8:27017 15"), QStringLiteral("pump")}));
    EXPECT_EQ(panels.value(1), QStringLiteral(" 127.0.0.9"));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Autoscan..."));
    EXPECT_EQ(form->statusText(1), QStringLiteral("23"));
    EXPECT_EQ(form->LW->topLevelItemCount(), 1);
    EXPECT_EQ(form->KnownServers.count, 1);
    EXPECT_EQ(form->SBRefresh->isEnabled(), refreshEnabled);
    EXPECT_TRUE(form->SBScanAll->isEnabled());
    EXPECT_FALSE(form->ScanInProgress);
}

TEST_F(AutoScanTest, TheFirstPassSetsThePeriodAndLaterPassesKeepIt) {
    addFavourite("127.0.0.9", "27016");
    settings->SEUpdInterval->setValue(30);
    form->TimerFav->setInterval(200);
    form->TimerFavTimer();
    EXPECT_EQ(form->TimerFav->interval(), 30000);
    // A period chosen in the dialog since is not undone by a pass.
    settings->SEUpdInterval->setValue(45);
    form->TimerFav->setInterval(20000);
    form->TimerFavTimer();
    EXPECT_EQ(form->TimerFav->interval(), 20000);
}

TEST_F(AutoScanTest, ATickIsSkippedWithoutFavouritesDuringAScanItsCoolDownAndAutoConnect) {
    settings->SEUpdInterval->setValue(30);
    form->TimerFav->setInterval(200);
    form->TimerFavTimer();  // no favourites
    EXPECT_TRUE(sends().isEmpty());
    EXPECT_EQ(form->TimerFav->interval(), 200);

    addFavourite("127.0.0.9", "27016");
    addRange("127.0.0.1", "127.0.0.2");
    bool skippedInScan = false;
    pump->actions[1] = [&] {
        const int before = log.sends;
        form->TimerFavTimer();
        skippedInScan = log.sends == before;
    };
    form->SBScanAllClick();
    EXPECT_TRUE(skippedInScan);
    for (bool autoConnect : {false, true}) {
        SCOPED_TRACE(autoConnect);
        log = ScanLog();
        form->AutoConnectOn = autoConnect;
        form->ScanCooldown = 3;
        form->SBScanAll->setEnabled(false);
        for (int tick = 0; tick < 4; ++tick) {
            form->TimerFavTimer();  // within the cool-down
            EXPECT_TRUE(sends().isEmpty());
            form->TimerTimer();
        }
        form->TimerFavTimer();  // after it
        EXPECT_EQ(sends().isEmpty(), autoConnect);
        EXPECT_EQ(form->TimerFav->interval(), autoConnect ? 200 : 30000);
        form->TimerFav->setInterval(200);
    }
}

TEST_F(AutoScanTest, FavouritesRemovedInsideThePumpAreNeverReadAndAddedOnesWait) {
    for (const char* host : {"127.0.0.1", "127.0.0.2", "127.0.0.3", "127.0.0.4"})
        addFavourite(host, "27015");
    pump->actions[1] = [&] {
        delete settings->LVFav->takeTopLevelItem(0);  // the one just probed
        delete settings->LVFav->takeTopLevelItem(1);  // 127.0.0.3
        addFavourite("127.0.0.5", "27015");
    };
    form->TimerFavTimer();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.1:27015 25"),
                                    QStringLiteral("send 127.0.0.2:27015 25"),
                                    QStringLiteral("send 127.0.0.4:27015 25")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Autoscan..."));
}

TEST_F(AutoScanTest, APassScanOrRefreshStartedInsideThePumpRunsBeforeThePassGoesOn) {
    struct Case {
        const char* what;
        std::function<void(TForm1&)> inner;
        QStringList innerSends;
    } cases[] = {
        {"pass", [](TForm1& f) { f.TimerFavTimer(); },
         {QStringLiteral("send 127.0.0.1:27015 25"), QStringLiteral("send 127.0.0.2:27016 25")}},
        {"scan", [](TForm1& f) { f.SBScanAll->click(); },
         {QStringLiteral("send 127.0.0.1:27015 25"), QStringLiteral("send 127.0.0.2:27016 25"),
          QStringLiteral("send 127.0.0.30:27015 25")}},
        {"refresh", [](TForm1& f) { f.SBRefresh->click(); },
         {QStringLiteral("send 127.0.0.40:27015 25")}},
    };
    addFavourite("127.0.0.1", "27015");
    addFavourite("127.0.0.2", "27016");
    addRange("127.0.0.30", "127.0.0.30");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log = ScanLog();
        form->SBScanAll->setEnabled(true);
        form->Timer->stop();
        form->KnownServers.count = 1;
        form->KnownServers.address[0] = QStringLiteral("127.0.0.40");
        form->KnownServers.port[0] = QStringLiteral("27015");
        form->SBRefresh->setEnabled(true);
        pump->actions.clear();
        pump->actions[1] = [&] { c.inner(*form); };
        form->TimerFavTimer();
        EXPECT_EQ(sends(), QStringList{QStringLiteral("send 127.0.0.1:27015 25")} + c.innerSends
                               + QStringList{QStringLiteral("send 127.0.0.2:27016 25")});
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Autoscan..."));
    }
}

TEST_F(AutoScanTest, AClosedEndpointEndsThePassWithoutAnotherSend) {
    addFavourite("127.0.0.1", "27015");
    addFavourite("127.0.0.2", "27015");
    pump->actions[1] = [&] { endpoint->close(); };
    form->TimerFavTimer();
    EXPECT_EQ(sends(), QStringList{QStringLiteral("send 127.0.0.1:27015 25")});
    EXPECT_NE(form->statusText(0), QStringLiteral(" Autoscan..."));
}

TEST_F(AutoScanTest, HidingStopsTheTimerAndShowingResumesItWithTheSameInterval) {
    for (int interval : {200, 30000}) {
        SCOPED_TRACE(interval);
        form->TimerFav->setInterval(interval);
        form->show();
        EXPECT_TRUE(form->TimerFav->isActive());
        form->hide();
        EXPECT_FALSE(form->TimerFav->isActive());
        form->show();
        EXPECT_TRUE(form->TimerFav->isActive());
        EXPECT_EQ(form->TimerFav->interval(), interval);
        form->hide();
    }
    settings->CBAutoUpdate->setChecked(false);
    form->show();
    EXPECT_FALSE(form->TimerFav->isActive());
}

TEST_F(AutoScanTest, TheTimerRunsPassesUntilTheSwitchIsTurnedOff) {
    addFavourite("127.0.0.9", "27016");
    settings->SEUpdInterval->setValue(5);
    form->TimerFav->setInterval(200);
    form->TimerFav->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.sends > 0; }, 10000));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Autoscan..."));
    EXPECT_EQ(form->TimerFav->interval(), 5000);
    EXPECT_TRUE(form->TimerFav->isActive());
    settings->CBAutoUpdate->setChecked(false);
    EXPECT_FALSE(form->TimerFav->isActive());
    EXPECT_EQ(form->statusText(0), QString());
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan disabled"));
}

}  // namespace
