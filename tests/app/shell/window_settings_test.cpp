// The main window together with the settings dialog: the settings are loaded at
// creation and written only when the program ends, after the window closed;
// showing the window applies the auto-scan timer and the translucency.
#include "tests/support/test_program.h"

#include <QCheckBox>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(WindowAndSettings, SettingsAreLoadedAtStartAndWrittenAfterTheWindowClosed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\nGameType=1\nWidth=720\nHeight=300\n");
    }
    TestProgram program(ini);
    EXPECT_EQ(program->RGIndex(), 1);
    EXPECT_EQ(program->size(), QSize(720, 300));

    program->show();
    program->resize(740, 310);
    QSignalSpy ended(&program.form(), &TForm1::programEnded);
    program->close();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(readAll(ini).contains("Width=740"));

    program.end();
    const QByteArray written = readAll(ini);
    EXPECT_TRUE(written.contains("Width=740")) << written.constData();
    EXPECT_TRUE(written.contains("Height=310")) << written.constData();
    EXPECT_TRUE(written.contains("GameType=1")) << written.constData();
}

TEST(WindowAndSettings, ScanPortChoiceIsStoredAtOnce)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    TestProgram program(ini);
    program->setRGIndex(1);
    EXPECT_TRUE(readAll(ini).contains("GameType=1"));
    program->setRGIndex(0);
    EXPECT_TRUE(readAll(ini).contains("GameType=0"));
}

TEST(WindowAndSettings, ShowingTheWindowStartsTheFavouritesTimerOnlyWithAutoScan)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    TestProgram program(ini);
    program->TimerFav->stop();
    program->show();
    EXPECT_FALSE(program->TimerFav->isActive());
    program->hide();
    program.settings->CBAutoUpdate->setChecked(true);
    program->TimerFav->stop();
    program->show();
    EXPECT_TRUE(program->TimerFav->isActive());
    program->hide();
    EXPECT_FALSE(program->TimerFav->isActive());
}

TEST(WindowAndSettings, EveryShowReappliesTheTranslucencyLevel)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    TestProgram program(ini);
    program->show();
    EXPECT_DOUBLE_EQ(program->windowOpacity(), 1.0);  // off by default
    program->hide();
    program.settings->Trans = true;
    program.settings->TransLevel = 128;
    program->show();
    EXPECT_NEAR(program->windowOpacity(), 128 / 255.0, 0.01);
    program->hide();
    program.settings->TransLevel = 200;
    program->show();
    EXPECT_NEAR(program->windowOpacity(), 200 / 255.0, 0.01);
}
