// The tray icon, the hot key and hiding on the real main window, offscreen.
#include "tests/support/test_program.h"
#include "platform/udp_endpoint.h"

#include <functional>

#include <QFile>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool shows(const TForm1& f, int index)
{
    return f.TrayIcon->icon().cacheKey() == f.TrayList[index].cacheKey();
}

}  // namespace

TEST(TrayCycling, StepsThroughTheIconsWhileOnAndStopsOnTheFirst)
{
    TestForm t = makeTestForm();
    EXPECT_FALSE(t->trayCycling());
    EXPECT_TRUE(shows(*t.form, 0));
    EXPECT_EQ(t->TrayCycleTimer->interval(), 1000);

    t->setTrayCycling(true);
    EXPECT_TRUE(t->trayCycling());
    // One step after another goes round both pictures; a repeated "on" does
    // not restart the round.
    t->TrayCycleTimerTimer();
    EXPECT_TRUE(shows(*t.form, 1));
    t->setTrayCycling(true);
    EXPECT_TRUE(shows(*t.form, 1));
    t->TrayCycleTimerTimer();
    EXPECT_TRUE(shows(*t.form, 0));
    t->TrayCycleTimerTimer();
    EXPECT_TRUE(shows(*t.form, 1));

    // Off in the middle of the round: the first picture again.
    t->setTrayCycling(false);
    EXPECT_FALSE(t->trayCycling());
    EXPECT_EQ(t->TrayIconIndex, 0);
    EXPECT_TRUE(shows(*t.form, 0));
}

TEST(TrayCycling, CyclesWhileTheWindowIsHidden)
{
    TestForm t = makeTestForm();
    t->show();
    t->setTrayCycling(true);
    t->Hide1Click();
    EXPECT_TRUE(t->trayCycling());
    t->TrayCycleTimerTimer();
    EXPECT_TRUE(shows(*t.form, 1));
}

namespace {

enum class Way { HotKey1, DoubleClick };

void toggle(TestForm& t, Way way)
{
    if (way == Way::HotKey1)
        t.hotKey->press(1);
    else
        t->TrayIcon->activated(QSystemTrayIcon::DoubleClick);
}

}  // namespace

TEST(Hiding, ToggleDecidesOnVisibilityAlone)
{
    for (Way way : {Way::HotKey1, Way::DoubleClick}) {
        TestForm t = makeTestForm();
        t->show();
        // A visible window behind another one is hidden, not raised.
        QWidget cover;
        cover.show();
        cover.activateWindow();
        toggle(t, way);
        EXPECT_FALSE(t->isVisible());
        toggle(t, way);
        EXPECT_TRUE(t->isVisible());
        EXPECT_FALSE(t->isMinimized());
    }
}

TEST(Hiding, OtherHotKeysAndSingleClicksDoNothing)
{
    TestForm t = makeTestForm();
    t->show();
    t.hotKey->press(2);
    t->TrayIcon->activated(QSystemTrayIcon::Trigger);
    t->TrayIcon->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(t->isVisible());
}

TEST(Hiding, EachWayInEachState)
{
    // The state table: from shown or hidden, each command, and the state after.
    struct Case {
        const char* what;
        bool shownBefore;
        std::function<void(TestForm&)> act;
        bool shownAfter;
    };
    const Case cases[] = {
        {"Hide from shown", true, [](TestForm& t) { t->Hide1->trigger(); }, false},
        {"Hide from hidden", false, [](TestForm& t) { t->Hide1->trigger(); }, false},
        {"tray Show from hidden", false, [](TestForm& t) { t->TrayShow->trigger(); }, true},
        {"tray Show from shown", true, [](TestForm& t) { t->TrayShow->trigger(); }, true},
        {"hot key from shown", true, [](TestForm& t) { t.hotKey->press(1); }, false},
        {"hot key from hidden", false, [](TestForm& t) { t.hotKey->press(1); }, true},
    };
    for (const Case& c : cases) {
        TestForm t = makeTestForm();
        t->show();
        if (!c.shownBefore)
            t->hide();
        c.act(t);
        EXPECT_EQ(t->isVisible(), c.shownAfter) << c.what;
        // Never left minimised: a later show brings the window back whole.
        EXPECT_FALSE(t->isMinimized()) << c.what;
        EXPECT_TRUE(t->TrayIcon->isVisible()) << c.what;
    }
}

// Minimising needs a window manager: the test of the real program under Xvfb
// covers it.

TEST(Hiding, WithoutATrayASecondStartShowsAHiddenWindow)
{
    TestFormOptions noTray;
    noTray.trayAvailable = false;
    TestForm t = makeTestForm(noTray);
    t->show();
    // Hidden by the hot key, with no tray to come back from.
    t.hotKey->press(1);
    ASSERT_FALSE(t->isVisible());
    t.instance->requestRestore();
    EXPECT_TRUE(t->isVisible());
    EXPECT_FALSE(t->isMinimized());
}

TEST(Hiding, WithATrayASecondStartLeavesAHiddenWindowHidden)
{
    TestForm t = makeTestForm();
    t->show();
    t->Hide1Click();
    t.instance->requestRestore();
    EXPECT_FALSE(t->isVisible());
}

namespace {

QString iniWith(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("zarnek.ini"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
}

}  // namespace

TEST(Hiding, FavouritesTimerRunsOnlyWhileShownAndKeepsItsInterval)
{
    QTemporaryDir dir;
    TestProgram p(iniWith(dir, "[Settings]\nFavAutoScan=1\nUpdInterval=7\n"));
    p->show();
    ASSERT_TRUE(p->TimerFav->isActive());
    p->TimerFav->setInterval(7000);  // as after the first pass
    for (auto hide : std::initializer_list<std::function<void()>>{
             [&] { p->Hide1Click(); },
             [&] { p.fakes.hotKey->press(1); }}) {
        hide();
        ASSERT_FALSE(p->isVisible());
        EXPECT_FALSE(p->TimerFav->isActive());
        p->TrayShowClick();
        EXPECT_TRUE(p->TimerFav->isActive());
        EXPECT_EQ(p->TimerFav->interval(), 7000);
    }
}

TEST(LogOff, RemovesTheTrayIconAnswersYesAndCloses)
{
    for (bool scanning : {false, true}) {
        TestForm t = makeTestForm();
        QSignalSpy ended(t.form.get(), &TForm1::programEnded);
        t->show();
        t->setTrayCycling(true);
        t->ScanInProgress = scanning;

        EXPECT_TRUE(t->QueryEndSession()) << scanning;
        EXPECT_EQ(t->TrayIcon, nullptr) << scanning;
        EXPECT_TRUE(t->udp()->isClosed()) << scanning;
        EXPECT_FALSE(t->trayCycling()) << scanning;
        // During a scan the close turns into Stop and the window stays.
        EXPECT_EQ(ended.count(), scanning ? 0 : 1) << scanning;
        EXPECT_EQ(t->StopRequested, scanning) << scanning;
        EXPECT_EQ(t->isVisible(), scanning) << scanning;

        // What may still come after the answer works without the icon.
        t->setTrayCycling(true);
        t->TrayCycleTimerTimer();
        t->setTrayCycling(false);
        t.hotKey->press(1);
        t.hotKey->press(1);
        t->TrayShowClick();
    }
}
