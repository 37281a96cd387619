// The main window together with the settings dialog: the settings are loaded at
// creation and written only when the program ends, after the window closed;
// showing the window applies the auto-scan timer and the translucency.
#include "tests/support/modal_answer.h"
#include "tests/support/test_program.h"

#include <QCheckBox>
#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What the code run while it lives writes to standard error.
class StandardErrorCapture {
public:
    StandardErrorCapture() : m_file(std::tmpfile()), m_saved(::dup(2))
    {
        std::fflush(stderr);
        ::dup2(::fileno(m_file), 2);
    }
    ~StandardErrorCapture()
    {
        restore();
        std::fclose(m_file);
    }
    QByteArray text()
    {
        restore();
        QByteArray out;
        std::rewind(m_file);
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, m_file))
            out.append(buffer, static_cast<qsizetype>(n));
        return out;
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }
    std::FILE* m_file;
    int m_saved;
};

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

// A stored size is brought within the screen (and the minimum size) when it
// is applied, so a huge one cannot make a window that covers no screen and
// takes gigabytes; the window then shows on the screen, and the size written
// back at the end is the one applied.
TEST(WindowAndSettings, AStoredSizeIsAppliedWithinTheScreen)
{
    struct Case {
        const char* stored;
        bool fitsScreen;  // otherwise the minimum size
    } cases[] = {
        {"Width=100000\nHeight=100000\n", true},
        {"Width=2147483647\nHeight=-2147483648\n", true},
        {"Width=10\nHeight=10\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
        writeFile(ini, QByteArray("[Settings]\n") + c.stored);
        TestProgram program(ini);
        const QRect area = program->screen()->availableGeometry();
        ASSERT_LE(program->width(), area.width());
        ASSERT_LE(program->height(), area.height());
        EXPECT_GE(program->width(), 680);
        EXPECT_GE(program->height(), 175);
        if (c.fitsScreen)
            EXPECT_EQ(program->width(), area.width());
        else
            EXPECT_EQ(program->size(), QSize(680, 175));
        program->show();
        EXPECT_TRUE(area.contains(program->frameGeometry().topLeft()));
        const QSize shown = program->size();
        program.end();
        const QByteArray written = readAll(ini);
        EXPECT_TRUE(written.contains(QByteArray(QByteArray("Width=") + QByteArray::number(shown.width())))) << written.constData();
        EXPECT_TRUE(written.contains(QByteArray(QByteArray("Height=") + QByteArray::number(shown.height())))) << written.constData();
    }
}

// Ended by a termination signal, the program reports a settings file it
// cannot write on standard error: a box would wait for a user who may not be
// there (a shut-down), and hold the end up. A close by the user still shows
// the box.
TEST(WindowAndSettings, ATerminationSignalReportsAFailedWriteOnStandardError)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("file")), "not a folder");
    const QString ini = dir.filePath(QStringLiteral("file/zarnek.ini"));
    ModalAnswerer boxes;
    QByteArray err;
    {
        StandardErrorCapture capture;
        TestProgram program(ini);
        program->show();
        QSignalSpy ended(&program.form(), &TForm1::programEnded);
        program.windows.terminationSignal();
        EXPECT_EQ(ended.count(), 1);
        program.end();
        err = capture.text();
    }
    EXPECT_TRUE(boxes.captions.isEmpty()) << boxes.texts.join(u'|').toStdString();
    EXPECT_TRUE(err.contains(QByteArray(QByteArray("Unable to write to ") + QFile::encodeName(ini)))) << err.constData();

    TestProgram program(ini);
    program->show();
    program->close();
    program.end();
    EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Unable to write to ") + ini});
}
