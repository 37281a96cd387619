// The join on the real windows with the fake launcher: what is started, with
// which arguments and parameter text, and what the window does around it.
#include "joining_fixture.h"
#include "tests/support/modal_answer.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

const QString kExe = QStringLiteral("/games/hl/hl_linux");

QStringList args(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

class JoinTest : public JoiningTest {};

TEST_F(JoinTest, ParameterTextAndArgumentsToTheByte)
{
    answer(QStringLiteral("192.168.0.5"), 27015);
    select(0);
    form().SBPlayClick();

    ASSERT_EQ(launcher().launches.size(), 1u);
    const auto& launch = launcher().launches[0];
    EXPECT_EQ(launch.program, kExe);
    // The blank before the empty password argument stays.
    EXPECT_EQ(launch.parameterText, QStringLiteral("-game cstrike +connect 192.168.0.5:27015 "));
    EXPECT_EQ(launch.arguments, args({"-game", "cstrike", "+connect", "192.168.0.5:27015"}));
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().PassGiven);
}

TEST_F(JoinTest, APasswordIsOneArgumentAndStaysForLaterJoins)
{
    settings().Param[2] = QStringLiteral("-game cstrike \"-name x y\"");
    answer(QStringLiteral("192.168.0.5"), 27015);
    answer(QStringLiteral("192.168.0.6"), 27016);
    form().PassArg = QStringLiteral("+password my \"pass");
    form().PassGiven = true;
    select(0);
    form().SBPlayClick();
    // A later join to another server keeps the password until another is set.
    form().show();
    select(1);
    form().SBPlayClick();

    ASSERT_EQ(launcher().launches.size(), 2u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike \"-name x y\" +connect 192.168.0.5:27015 +password my \"pass"));
    EXPECT_EQ(launcher().launches[0].arguments,
              args({"-game", "cstrike", "-name x y", "+connect", "192.168.0.5:27015", "+password",
                    "my \"pass"}));
    EXPECT_EQ(launcher().launches[1].parameterText,
              QStringLiteral("-game cstrike \"-name x y\" +connect 192.168.0.6:27016 +password my \"pass"));
    EXPECT_FALSE(form().PassGiven);
}

TEST_F(JoinTest, EachGameStartsItsOwnExecutableWithItsOwnParameters)
{
    struct Case {
        const char* description;  // chooses the row's caption
        int protocol;
        const char* caption;
        int index;
        const char* parameters;
    };
    const Case cases[] = {
        {"Half-Life", 47, "HL", 0, "-console"},
        {"CounterStrike", 46, "1.5", 1, "-game cstrike -console"},
        {"Counter-Strike", 47, "1.6", 2, "-game cstrike"},
        {"Condition Zero", 47, "CZ", 3, "-game czero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        form().clearServerList();
        launcher().launches.clear();
        settings().ExePath[c.index] = QStringLiteral("/games/%1/run").arg(c.index);
        GoldSrcAnswer info;
        info.description = c.description;
        info.protocol = c.protocol;
        answer(QStringLiteral("127.0.0.9"), 27015, info);
        ASSERT_EQ(form().LW->topLevelItem(0)->text(ServerListView::Game),
                  QString::fromLatin1(c.caption));
        select(0);
        form().SBPlayClick();
        ASSERT_EQ(launcher().launches.size(), 1u);
        EXPECT_EQ(launcher().launches[0].program, QStringLiteral("/games/%1/run").arg(c.index));
        EXPECT_EQ(launcher().launches[0].parameterText,
                  QString::fromLatin1(c.parameters) + QStringLiteral(" +connect 127.0.0.9:27015 "));
    }
}

TEST_F(JoinTest, ConditionZeroLaunchesWhateverScanPortIsChosen)
{
    settings().ExePath[3] = QStringLiteral("/games/cz/run");
    GoldSrcAnswer info;
    info.description = "Condition Zero";
    answer(QStringLiteral("127.0.0.9"), 27015, info);
    form().setRGIndex(1);  // "HLTV"
    select(0);
    form().SBPlayClick();
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].program, QStringLiteral("/games/cz/run"));
}

TEST_F(JoinTest, AnUnknownGameStartsNothingYetTheWindowHides)
{
    udp().inject(oldProtocolInfo("Some mod", "2", "8"), QStringLiteral("127.0.0.7"), 27015);
    ASSERT_EQ(form().LW->topLevelItem(0)->text(ServerListView::Game), QStringLiteral("?"));
    form().PassGiven = true;
    select(0);
    form().SBPlayClick();
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().PassGiven);
}

TEST_F(JoinTest, AMissingExecutableIsReportedAndTheWindowStays)
{
    settings().ExePath[2].clear();
    answer(QStringLiteral("192.168.0.5"), 27015);
    form().PassGiven = true;
    select(0);
    ModalAnswerer boxes;
    form().SBPlayClick();
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("CS 1.6 .exe path not set")});
    EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Error")});
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().PassGiven);
}

TEST_F(JoinTest, AFullServerAsksFirst)
{
    GoldSrcAnswer full;
    full.players = 16;
    full.max = 16;
    answer(QStringLiteral("192.168.0.5"), 27015, full);
    select(0);
    form().PassGiven = true;
    {
        ModalAnswerer no(QMessageBox::No);
        form().SBPlayClick();
        EXPECT_EQ(no.texts, QStringList{QStringLiteral("Server is full.  Connect now ?")});
    }
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().PassGiven);  // the answer No changes nothing
    {
        ModalAnswerer yes(QMessageBox::Yes);
        form().SBPlayClick();
    }
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_FALSE(form().isVisible());
}

TEST_F(JoinTest, AFullServerThatIsLockedGoesToThePromptWithoutTheQuestion)
{
    GoldSrcAnswer locked;
    locked.players = 16;
    locked.max = 16;
    locked.password = true;
    answer(QStringLiteral("192.168.0.5"), 27015, locked);
    select(0);
    ModalAnswerer boxes;
    form().SBPlayClick();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_TRUE(prompt().isVisible());
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_TRUE(form().isVisible());
}

TEST_F(JoinTest, DoubleClickJoinsOnlyWhenTheSettingIsOn)
{
    answer(QStringLiteral("192.168.0.5"), 27015);
    QTreeWidget* list = form().LW;
    const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
    settings().CBDclick->setChecked(false);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_TRUE(form().isVisible());

    settings().CBDclick->setChecked(true);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.5:27015 "));
}

TEST_F(JoinTest, ThePopUpPlayJoinsWhilePlayIsDisabled)
{
    answer(QStringLiteral("192.168.0.5"), 27015);
    select(0);
    form().SBPlay->setEnabled(false);
    form().Play->trigger();
    EXPECT_EQ(launcher().launches.size(), 1u);
}

TEST_F(JoinTest, NothingHappensWithoutASelectedRow)
{
    answer(QStringLiteral("192.168.0.5"), 27015);
    form().LW->clearSelection();
    form().PassGiven = true;
    form().SBPlayClick();
    form().Play->trigger();
    EXPECT_TRUE(launcher().launches.empty());
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().PassGiven);
}

}  // namespace
