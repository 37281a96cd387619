// Auto-connect on the real windows with the fake endpoint and launcher: the
// dialog, arming, the polls and their time-out, the check on each answer and
// every way of switching it off. Polls are run by calling the timer's handler.
#include "joining_fixture.h"
#include "tests/support/modal_answer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

namespace {

const QString kTarget = QStringLiteral("192.168.0.5");
const QString kDisabled = QStringLiteral(" Autoconnect disabled.");

class AutoConnectTest : public JoiningTest {
protected:
    GoldSrcAnswer withPlayers(int players, int max = 16)
    {
        GoldSrcAnswer info;
        info.players = players;
        info.max = max;
        return info;
    }
    // The target listed with its players and selected, the dialog opened and
    // set, and OK pressed.
    void arm(const char* comparison, int need, int players = 8)
    {
        answer(kTarget, 27015, withPlayers(players));
        select(rows() - 1);
        form().SBAuto->setEnabled(true);  // as selecting a row makes it
        form().SBAuto->click();
        ASSERT_TRUE(dialog().isVisible());
        dialog().CB->setCurrentText(QString::fromLatin1(comparison));
        dialog().SPNeed->setValue(need);
        dialog().BitBtn1->click();
        ASSERT_TRUE(form().AutoConnectOn);
    }
    QColor autoCaption() const { return form().SBAuto->palette().color(QPalette::ButtonText); }
    void expectDisarmed()
    {
        EXPECT_FALSE(form().AutoConnectOn);
        EXPECT_FALSE(form().TimerAuto->isActive());
        EXPECT_FALSE(form().trayCycling());
        EXPECT_EQ(autoCaption(), QColor(Qt::black));
        EXPECT_EQ(form().statusText(2), kDisabled);
    }
};

TEST_F(AutoConnectTest, OpeningTakesCaptionAndThresholdFromTheSelectedRow)
{
    struct Case {
        int players, max, maximum, value;
    };
    const Case cases[] = {{5, 16, 16, 4}, {0, 16, 16, 0}, {32, 32, 32, 31}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.players);
        form().clearServerList();
        answer(kTarget, 27015, withPlayers(c.players, c.max));
        select(0);
        form().SBAutoClick();
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Auto connect to 192.168.0.5"));
        EXPECT_EQ(dialog().SPNeed->minimum(), 0);
        EXPECT_EQ(dialog().SPNeed->maximum(), c.maximum);
        EXPECT_EQ(dialog().SPNeed->value(), c.value);
        dialog().BitBtn2->click();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_FALSE(form().AutoConnectOn);
    }
    // Without a selected row, and from the pop-up while Auto is disabled, the
    // dialog opens with what it had.
    form().LW->clearSelection();
    form().SBAuto->setEnabled(false);
    form().Auto->trigger();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Auto connect to 192.168.0.5"));
    EXPECT_EQ(dialog().SPNeed->maximum(), 32);
    EXPECT_EQ(dialog().SPNeed->value(), 31);
}

TEST_F(AutoConnectTest, APlayersCellThatIsNoNumberIsReportedAndChangesNothing)
{
    udp().inject(oldProtocolInfo("Some mod", "many", "16"), kTarget, 27015);
    select(0);
    ModalAnswerer boxes;
    form().SBAutoClick();
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("'many' is not a valid integer value")});
    EXPECT_EQ(dialog().SPNeed->maximum(), 64);
    EXPECT_EQ(dialog().SPNeed->value(), 9);
}

TEST_F(AutoConnectTest, ArmingShowsItselfEverywhere)
{
    form().SBRefresh->setEnabled(true);
    arm("<=", 4);
    EXPECT_EQ(form().AutoTarget, kTarget);
    EXPECT_EQ(form().AutoPort, QStringLiteral("27015"));
    EXPECT_EQ(form().AutoNeed, 4);
    EXPECT_EQ(form().AutoMissed, 0);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(form().SBScanAll->isEnabled());
    EXPECT_FALSE(form().SBRefresh->isEnabled());
    EXPECT_TRUE(form().SBAuto->isEnabled());
    EXPECT_EQ(autoCaption(), QColor(Qt::red));
    EXPECT_TRUE(form().trayCycling());
    EXPECT_TRUE(form().TimerAuto->isActive());
    EXPECT_EQ(form().TimerAuto->interval(), 5000);
    EXPECT_EQ(form().statusText(2),
              QStringLiteral(" Autoconnect to 192.168.0.5. Waiting <= 4 players."));
}

TEST_F(AutoConnectTest, OkWithoutASelectedRowArmsNothing)
{
    answer(kTarget, 27015);
    select(0);
    form().SBAutoClick();
    form().clearServerList();
    dialog().BitBtn1->click();
    EXPECT_FALSE(form().AutoConnectOn);
    EXPECT_FALSE(form().TimerAuto->isActive());
    EXPECT_TRUE(form().SBScanAll->isEnabled());
    EXPECT_TRUE(dialog().isVisible());
}

TEST_F(AutoConnectTest, EachPollEmptiesTheListAndAsksTheTarget)
{
    arm(">", 10);
    for (bool old : {false, true}) {
        settings().CBOld->setChecked(old);
        udp().sent.clear();
        form().TimerAutoTimer();
        EXPECT_EQ(rows(), 0);
        ASSERT_EQ(udp().sent.size(), old ? 2u : 1u);
        EXPECT_EQ(udp().sent[0].host, kTarget);
        EXPECT_EQ(udp().sent[0].port, 27015);
        EXPECT_EQ(udp().sent[0].bytes.size(), 25);
        if (old) {
            EXPECT_EQ(udp().sent[1].bytes.size(), 15);
        }
    }
    EXPECT_EQ(form().AutoMissed, 2);
}

TEST_F(AutoConnectTest, FourUnansweredPollsTimeOutAndSoDoFourMoreAfterArmingAgain)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        form().clearServerList();
        arm(">", 10);
        ModalAnswerer boxes;
        for (int poll = 1; poll <= 3; ++poll)
            form().TimerAutoTimer();
        EXPECT_TRUE(form().AutoConnectOn);
        EXPECT_TRUE(boxes.texts.isEmpty());
        form().TimerAutoTimer();
        EXPECT_EQ(boxes.texts,
                  QStringList{QStringLiteral("Server is not avalible, autoconnect disabled.")});
        EXPECT_EQ(boxes.captions, QStringList{QStringLiteral("Auto connect")});
        expectDisarmed();
        EXPECT_TRUE(form().SBScanAll->isEnabled());
        EXPECT_TRUE(form().SBRefresh->isEnabled());
    }
}

TEST_F(AutoConnectTest, AnAnswerThatDoesNotMeetTheConditionResetsTheCount)
{
    arm("<=", 4);
    form().TimerAutoTimer();
    form().TimerAutoTimer();
    form().TimerAutoTimer();
    form().SBPlay->setEnabled(true);
    answer(kTarget, 27015, withPlayers(5));
    EXPECT_EQ(form().AutoMissed, 0);
    EXPECT_FALSE(form().SBPlay->isEnabled());
    EXPECT_TRUE(form().AutoConnectOn);
    ModalAnswerer boxes;
    form().TimerAutoTimer();
    form().TimerAutoTimer();
    form().TimerAutoTimer();
    EXPECT_TRUE(form().AutoConnectOn);
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_TRUE(launcher().launches.empty());
}

TEST_F(AutoConnectTest, TheConditionDecidesOnTheFirstAnswer)
{
    struct Case {
        const char* comparison;
        int need;
        int players;
        bool joins;
    };
    const Case cases[] = {
        {"<=", 6, 6, true}, {"<=", 5, 6, false}, {">", 6, 6, false}, {">", 5, 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.comparison << " " << c.need);
        form().clearServerList();
        form().show();
        launcher().launches.clear();
        arm(c.comparison, c.need, 20);
        form().TimerAutoTimer();
        answer(kTarget, 27015, withPlayers(c.players));
        EXPECT_EQ(launcher().launches.size(), c.joins ? 1u : 0u);
        EXPECT_EQ(form().AutoConnectOn, !c.joins);
        if (c.joins) {
            expectDisarmed();
            EXPECT_EQ(launcher().launches[0].parameterText,
                      QStringLiteral("-game cstrike +connect 192.168.0.5:27015 "));
            EXPECT_FALSE(form().isVisible());
        } else {
            form().SBAutoClick();  // off again for the next case
        }
    }
}

TEST_F(AutoConnectTest, AskBeforeConnect)
{
    for (auto reply : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(reply == QMessageBox::Yes ? "yes" : "no");
        form().clearServerList();
        launcher().launches.clear();
        dialog().CBAsk->setChecked(true);
        arm("<=", 4, 10);
        form().TimerAutoTimer();
        ModalAnswerer boxes(reply);
        answer(kTarget, 27015, withPlayers(3));
        EXPECT_EQ(boxes.texts, QStringList{QStringLiteral(
                                   "Server 192.168.0.5 has 3 players now. Do you want to join ?")});
        EXPECT_EQ(launcher().launches.size(), reply == QMessageBox::Yes ? 1u : 0u);
        expectDisarmed();
        EXPECT_TRUE(form().SBScanAll->isEnabled());
    }
}

TEST_F(AutoConnectTest, TheJoinGoesToTheTargetEvenWhenAnotherServerIsListedFirst)
{
    arm("<=", 4, 10);
    form().TimerAutoTimer();
    answer(QStringLiteral("192.168.0.9"), 27015, withPlayers(0));  // e.g. a refresh's answer
    answer(kTarget, 27015, withPlayers(2));
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.5:27015 "));
}

TEST_F(AutoConnectTest, ADialogPasswordJoinsWithItAndAnUntickedBoxKeepsTheEarlierOne)
{
    form().PassArg = QStringLiteral("+password earlier");
    dialog().CBPass->setChecked(false);
    dialog().EditPass->setText(QStringLiteral("ignored"));
    arm("<=", 4, 10);
    EXPECT_EQ(form().PassArg, QStringLiteral("+password earlier"));
    EXPECT_FALSE(dialog().EditPass->isEnabled());
    form().SBAutoClick();

    form().clearServerList();
    form().show();
    dialog().CBPass->setChecked(true);
    EXPECT_TRUE(dialog().EditPass->isEnabled());
    dialog().EditPass->setText(QStringLiteral("from dialog"));
    GoldSrcAnswer locked = withPlayers(10);
    locked.password = true;
    answer(kTarget, 27015, locked);
    select(0);
    form().SBAutoClick();
    dialog().SPNeed->setValue(4);
    dialog().BitBtn1->click();
    EXPECT_TRUE(form().PassGiven);
    form().TimerAutoTimer();
    locked.players = 1;
    answer(kTarget, 27015, locked);
    // A locked server joins at once: the password was given at arming.
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.5:27015 +password from dialog"));
    EXPECT_FALSE(form().PassGiven);
}

TEST_F(AutoConnectTest, PlayWhileArmedJoinsTheTargetAtOnce)
{
    arm(">", 30, 10);
    // Another server's row selected: its port and game, the target's address.
    answer(QStringLiteral("192.168.0.9"), 27020, withPlayers(1));
    select(1);
    form().SBPlayClick();
    ASSERT_EQ(launcher().launches.size(), 1u);
    EXPECT_EQ(launcher().launches[0].parameterText,
              QStringLiteral("-game cstrike +connect 192.168.0.5:27020 "));
    expectDisarmed();
    EXPECT_TRUE(form().SBScanAll->isEnabled());
}

TEST_F(AutoConnectTest, AutoPressedWhileArmedSwitchesOff)
{
    arm("<=", 4, 10);
    form().SBAuto->click();
    expectDisarmed();
    EXPECT_TRUE(form().SBScanAll->isEnabled());
    EXPECT_TRUE(form().SBRefresh->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    // The next press opens the dialog again.
    form().SBAuto->click();
    EXPECT_TRUE(dialog().isVisible());
}

TEST_F(AutoConnectTest, BothDialogsTakeTranslucencyWhenShown)
{
    settings().CBTrans->setChecked(true);
    settings().TBTrans->setValue(128);
    prompt().showPrompt();
    form().SBAutoClick();
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_NEAR(prompt().windowOpacity(), 128 / 255.0, 0.01);
    EXPECT_NEAR(dialog().windowOpacity(), 128 / 255.0, 0.01);
    // Switching off reaches the prompt at once, the open dialog at its next show.
    settings().CBTrans->setChecked(false);
    EXPECT_DOUBLE_EQ(prompt().windowOpacity(), 1.0);
    EXPECT_NEAR(dialog().windowOpacity(), 128 / 255.0, 0.01);
    dialog().BitBtn2->click();
    form().SBAutoClick();
    EXPECT_DOUBLE_EQ(dialog().windowOpacity(), 1.0);
}

}  // namespace
