// Which windows turn translucent or opaque, and at what level, as the user
// switches translucency and moves the level, and as windows are shown.
#include "app/settings/translucency.h"
#include "tests/app/settings/settings_fixture.h"

#include <QWidget>

namespace {

using TranslucencyTest = SettingsFixture;

double alpha(int level) { return level / 255.0; }

}  // namespace

TEST_F(TranslucencyTest, TheSwitchAndTheLevelReachTheWindowsThatFollowThem)
{
    start();
    QWidget prompt;       // follows the switch and the level
    QWidget about;        // the same, through the main window's pointer
    QWidget autoConnect;  // takes the settings only when shown
    form->FormAbout = &about;
    settings->CBTrans->setChecked(true);
    settings->TBTrans->setValue(120);

    // Shown with translucency on: each takes the level.
    applyTranslucencyOnShow(prompt, settings.get());
    applyTranslucencyOnShow(about, settings.get());
    applyTranslucencyOnShow(autoConnect, settings.get(), false);
    for (QWidget* w : {static_cast<QWidget*>(form.form.get()), static_cast<QWidget*>(settings.get()), &prompt,
                       &about, &autoConnect})
        EXPECT_NEAR(w->windowOpacity(), alpha(120), 0.005);

    // A new level reaches all but the auto-connect dialog at once.
    settings->TBTrans->setValue(200);
    for (QWidget* w : {static_cast<QWidget*>(form.form.get()), static_cast<QWidget*>(settings.get()), &prompt,
                       &about})
        EXPECT_NEAR(w->windowOpacity(), alpha(200), 0.005);
    EXPECT_NEAR(autoConnect.windowOpacity(), alpha(120), 0.005);

    // Off: opaque at once, except the auto-connect dialog until it is shown.
    settings->CBTrans->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(form.form.get()), static_cast<QWidget*>(settings.get()), &prompt,
                       &about})
        EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    EXPECT_NEAR(autoConnect.windowOpacity(), alpha(120), 0.005);
    applyTranslucencyOnShow(autoConnect, settings.get(), false);
    EXPECT_DOUBLE_EQ(autoConnect.windowOpacity(), 1.0);

    // On again: only the main window and the dialog; the others when shown.
    settings->CBTrans->setChecked(true);
    EXPECT_NEAR(form->windowOpacity(), alpha(200), 0.005);
    EXPECT_DOUBLE_EQ(prompt.windowOpacity(), 1.0);
    // An opaque window keeps out of a level change, and takes it when shown.
    settings->TBTrans->setValue(90);
    EXPECT_DOUBLE_EQ(prompt.windowOpacity(), 1.0);
    applyTranslucencyOnShow(prompt, settings.get());
    EXPECT_NEAR(prompt.windowOpacity(), alpha(90), 0.005);
    form->FormAbout = nullptr;
}

TEST_F(TranslucencyTest, AWindowTranslucentAtFullLevelStillTakesTheNextLevel)
{
    // At 255 a translucent window looks opaque, yet it is translucent.
    put("[Settings]\nTrans=1\nTransLevel=255\n");
    start();
    QWidget prompt;
    applyTranslucencyOnShow(prompt, settings.get());
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0);
    settings->TBTrans->setValue(100);
    EXPECT_NEAR(form->windowOpacity(), alpha(100), 0.005);
    EXPECT_NEAR(prompt.windowOpacity(), alpha(100), 0.005);
}

TEST_F(TranslucencyTest, ShowingTheMainWindowTurnsTranslucencyOnButNeverOff)
{
    start();
    form->show();
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0);
    form->hide();
    settings->Trans = true;  // as the switch holds it, without its handler
    settings->TransLevel = 150;
    form->show();
    EXPECT_NEAR(form->windowOpacity(), alpha(150), 0.005);
    form->hide();
    settings->Trans = false;
    form->show();
    EXPECT_NEAR(form->windowOpacity(), alpha(150), 0.005);
    form->hide();

    // A window shown before the settings exist, or after, is left alone.
    QWidget early;
    applyTranslucencyOnShow(early, nullptr);
    EXPECT_DOUBLE_EQ(early.windowOpacity(), 1.0);
}
