// The password prompt on the real windows: when it appears, what OK and
// Cancel do to the join, and its settings section from one run to the next.
#include "joining_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PasswordPromptTest : public JoiningTest {
protected:
    // Two locked servers listed, the first selected and joined: the prompt is up.
    void promptForLockedServer()
    {
        GoldSrcAnswer locked;
        locked.password = true;
        answer(QStringLiteral("192.168.0.5"), 27015, locked);
        answer(QStringLiteral("192.168.0.6"), 27016, locked);
        select(0);
        form().SBPlayClick();
        ASSERT_TRUE(prompt().isVisible());
        ASSERT_TRUE(launcher().launches.empty());
    }
    QString fileText() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }
};

TEST_F(PasswordPromptTest, OkWithAnEmptyPasswordNeitherClosesNorJoins)
{
    promptForLockedServer();
    prompt().MEPass->clear();
    prompt().BitBtn1->click();
    EXPECT_TRUE(prompt().isVisible());
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_FALSE(form().PassGiven);
    EXPECT_TRUE(form().PassArg.isEmpty());
}

TEST_F(PasswordPromptTest, OkJoinsTheRowSelectedAtThatMomentWithThePassword)
{
    promptForLockedServer();
    select(1);  // the main window stays usable while the prompt is open
    prompt().MEPass->setText(QStringLiteral("s3cret pass"));
    QTest::keyClick(prompt().MEPass, Qt::Key_Return);  // Enter is OK
    EXPECT_FALSE(prompt().isVisible());
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.6:27016 +password s3cret pass"));
    EXPECT_EQ(launcher().launches[0].arguments.mid(4),
              (QStringList{QStringLiteral("+password"), QStringLiteral("s3cret pass")}));
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().PassGiven);

    // A later join to an open server still carries the password.
    form().show();
    answer(QStringLiteral("192.168.0.7"), 27015);
    select(2);
    form().SBPlayClick();
    ASSERT_EQ(launcher().launches.size(), 2u);
    EXPECT_EQ(launcher().launches[1].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.7:27015 +password s3cret pass"));
}

TEST_F(PasswordPromptTest, AnEarlierPasswordStillAsksAgainForALockedServer)
{
    // PassArg stays, but only PassGiven lets a locked server pass.
    form().PassArg = QStringLiteral("+password old");
    promptForLockedServer();
    EXPECT_EQ(form().PassArg, QStringLiteral("+password old"));
}

TEST_F(PasswordPromptTest, CancelEscAndTheCloseButton)
{
    struct Case {
        const char* way;
        bool passGivenAfter;
    };
    const Case cases[] = {{"cancel", false}, {"escape", false}, {"close", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        form().clearServerList();
        form().PassGiven = false;
        promptForLockedServer();
        form().PassArg = QStringLiteral("+password kept");
        form().PassGiven = true;
        const QString way = QString::fromLatin1(c.way);
        if (way == QStringLiteral("cancel"))
            prompt().BitBtn2->click();
        else if (way == QStringLiteral("escape"))
            QTest::keyClick(prompt().MEPass, Qt::Key_Escape);
        else
            prompt().close();
        EXPECT_FALSE(prompt().isVisible());
        EXPECT_EQ(form().PassGiven, c.passGivenAfter);
        EXPECT_EQ(form().PassArg, QStringLiteral("+password kept"));
        EXPECT_TRUE(launcher().launches.empty());
    }
}

TEST_F(PasswordPromptTest, OkWithoutASelectedRowKeepsThePromptAndThePassword)
{
    promptForLockedServer();
    form().clearServerList();
    prompt().MEPass->setText(QStringLiteral("typed"));
    prompt().BitBtn1->click();
    EXPECT_TRUE(prompt().isVisible());
    EXPECT_TRUE(form().PassArg.isEmpty());
    EXPECT_FALSE(form().PassGiven);
    EXPECT_TRUE(launcher().launches.empty());
}

TEST_F(PasswordPromptTest, ShowPasswordUnmasks)
{
    EXPECT_FALSE(prompt().CBShowPass->isChecked());
    EXPECT_EQ(prompt().MEPass->echoMode(), QLineEdit::Password);
    prompt().CBShowPass->click();
    EXPECT_EQ(prompt().MEPass->echoMode(), QLineEdit::Normal);
    prompt().CBShowPass->click();
    EXPECT_EQ(prompt().MEPass->echoMode(), QLineEdit::Password);
}

TEST_F(PasswordPromptTest, TheLastTextTypedComesBackAtTheNextStart)
{
    // Typed but never accepted, and shown in clear at the end of the run.
    promptForLockedServer();
    prompt().MEPass->setText(QStringLiteral("half typed=x"));
    prompt().CBShowPass->setChecked(true);
    prompt().BitBtn2->click();
    end();

    const QString text = fileText();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("[Password]\r\nLastPass=half typed=x\r\nShowPass=1\r\n[Ranges]")) ||
                text.startsWith(
        QStringLiteral("[Password]\nLastPass=half typed=x\nShowPass=1\n[Ranges]")))
        << text.toStdString();

    start();
    EXPECT_EQ(prompt().MEPass->text(), QStringLiteral("half typed=x"));
    EXPECT_TRUE(prompt().CBShowPass->isChecked());
    EXPECT_EQ(prompt().MEPass->echoMode(), QLineEdit::Normal);
    // The section is replaced as a whole at each end, never appended to.
    prompt().MEPass->clear();
    prompt().CBShowPass->setChecked(false);
    end();
    EXPECT_TRUE(fileText().contains(QStringLiteral("LastPass=\r\nShowPass=0")) ||
                fileText().contains(QStringLiteral("LastPass=\nShowPass=0")));
    EXPECT_EQ(fileText().count(QStringLiteral("[Password]")), 1);
    EXPECT_EQ(fileText().count(QStringLiteral("LastPass")), 1);
}

}  // namespace
