// The tray icon, the hot key and hiding on the real main window, offscreen.
#include "tests/support/test_form.h"

#include <QSystemTrayIcon>
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
