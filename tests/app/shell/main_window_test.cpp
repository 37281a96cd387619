// The real main window, built with fake adapters, offscreen.
#include "app/shell/server_list_view.h"
#include "core/protocol/server_row.h"
#include "platform/udp_endpoint.h"
#include "tests/support/modal_answer.h"
#include "tests/support/test_form.h"

#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace icon = zarnek::protocol::icon;

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(ZARNEK_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// A GoldSrc info answer ('m') with the fields the row shows.
QByteArray goldSrc(const QByteArray& stated, const QByteArray& name, const QByteArray& map,
                   const QByteArray& description, char players, char max, char protocol,
                   char os, char password)
{
    QByteArray d("\xff\xff\xff\xffm", 5);
    for (const QByteArray& s : {stated, name, map, QByteArray("somemod"), description})
        d += s + '\0';
    d += players;
    d += max;
    d += protocol;
    d += 'd';
    d += os;
    d += password;
    d += '\0';
    return d;
}

QByteArray source(const QByteArray& name, const QByteArray& description, char players, char max,
                  char os, char password)
{
    QByteArray d("\xff\xff\xff\xffI\x07", 6);
    for (const QByteArray& s : {name, QByteArray("de_dust2"), QByteArray("somemod"), description})
        d += s + '\0';
    d += QByteArray("\xda\x02", 2);  // an application id of no listed game
    d += players;
    d += max;
    d += '\0';
    d += 'd';
    d += os;
    d += password;
    return d;
}

bool sameIcon(const QIcon& a, const QIcon& b) { return !a.isNull() && a.cacheKey() == b.cacheKey(); }

QStringList cells(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int c = 0; c < ServerListView::ColumnCount; ++c)
        out << item->text(c);
    return out;
}

}  // namespace

TEST(MainWindow, StartsWithTheViewsTheirCaptionsAndStates)
{
    TestForm t = makeTestForm();
    TForm1& f = *t.form;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Zarnek_v1.98"));
    EXPECT_EQ(f.minimumSize(), QSize(680, 175));
    EXPECT_EQ(f.size(), QSize(680, 289));

    // Menu bar: File with Hide and Exit, then Options and About as commands.
    const auto bar = f.menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->menu(), f.File1);
    EXPECT_EQ(f.File1->title(), QStringLiteral("File"));
    ASSERT_EQ(f.File1->actions().size(), 2);
    EXPECT_EQ(f.File1->actions()[0]->text(), QStringLiteral("Hide  (Shift+Alt+S)"));
    EXPECT_EQ(f.File1->actions()[1]->text(), QStringLiteral("Exit"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("Options"));
    EXPECT_EQ(bar[1]->menu(), nullptr);
    EXPECT_EQ(bar[2]->text(), QStringLiteral("About"));

    struct ButtonCase {
        QPushButton* button;
        const char* caption;
        const char* hint;
        bool enabled;
    } buttons[] = {
        {f.SBScanAll, "Scan", "Scan all IP ranges", true},
        {f.SBStop, "Stop", "Stop scanning", false},
        {f.SBRefresh, "RF", "Refresh current servers", false},
        {f.SBAuto, "Auto", "ON/OFF Autoconnect", false},
        {f.SBPlay, "Play", "Join to server", false},
    };
    for (const ButtonCase& b : buttons) {
        EXPECT_EQ(b.button->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button->toolTip(), QString::fromLatin1(b.hint));
        EXPECT_EQ(b.button->isEnabled(), b.enabled) << b.caption;
    }

    EXPECT_EQ(f.RGBox->title(), QStringLiteral("Scan port:"));
    EXPECT_EQ(f.RG->button(0)->text(), QStringLiteral("G a m e"));
    EXPECT_EQ(f.RG->button(1)->text(), QStringLiteral("HLTV"));
    EXPECT_EQ(f.RGIndex(), 0);

    // Server list columns: captions, header pictures, centring.
    const char* captions[] = {"Game", "Name", "Address", "Port", "PT", "Map", "", "OS", "A"};
    const int headerIcons[] = {-1, icon::NameHeader, icon::AddressHeader, -1, -1,
                               icon::MapHeader, icon::PlayersHeader, icon::OsHeader, -1};
    QTreeWidgetItem* head = f.LW->headerItem();
    ASSERT_EQ(f.LW->columnCount(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(head->text(c), QString::fromLatin1(captions[c])) << c;
        if (headerIcons[c] >= 0)
            EXPECT_TRUE(sameIcon(head->icon(c), f.IList[headerIcons[c]])) << c;
        else
            EXPECT_TRUE(head->icon(c).isNull()) << c;
    }
    EXPECT_FALSE(f.LW->header()->sectionsClickable());
    EXPECT_FALSE(f.LW->isSortingEnabled());

    EXPECT_EQ(f.IList.size(), 18);
    EXPECT_EQ(f.IList2.size(), 7);
    EXPECT_EQ(f.TrayList.size(), 2);
    EXPECT_EQ(f.ILPlayers.size(), 2);

    EXPECT_EQ(f.PageControl1->count(), 2);
    EXPECT_EQ(f.PageControl1->tabText(0), QStringLiteral("Players"));
    EXPECT_EQ(f.PageControl1->tabText(1), QStringLiteral("Rules"));
    EXPECT_EQ(f.LWPlayers->headerItem()->text(0), QStringLiteral("NickName"));
    EXPECT_EQ(f.LWPlayers->headerItem()->text(1), QStringLiteral("Frags"));
    EXPECT_EQ(f.LWRules->headerItem()->text(0), QStringLiteral("Rule"));
    EXPECT_EQ(f.LWRules->headerItem()->text(1), QStringLiteral("Value"));

    ASSERT_NE(f.TrayIcon, nullptr);
    EXPECT_EQ(f.TrayIcon->toolTip(), QStringLiteral("Zarnek"));
    EXPECT_TRUE(f.TrayIcon->isVisible());
    ASSERT_EQ(f.PMTray->actions().size(), 2);
    EXPECT_EQ(f.PMTray->actions()[0]->text(), QStringLiteral("Show  (Shift+Alt+S)"));
    EXPECT_EQ(f.PMTray->actions()[1]->text(), QStringLiteral("Exit"));
    ASSERT_EQ(f.PMServers->actions().size(), 3);
    EXPECT_EQ(f.PMServers->actions()[2]->text(), QStringLiteral("Add To Favorites"));

    for (int panel = 0; panel < 3; ++panel) {
        f.setStatusText(panel, QStringLiteral(" x%1").arg(panel));
        EXPECT_EQ(f.statusText(panel), QStringLiteral(" x%1").arg(panel));
    }
    EXPECT_EQ(f.udp()->remotePort(), 27015);
    EXPECT_FALSE(f.Timer->isActive());
    EXPECT_EQ(f.Timer->interval(), 1000);
    EXPECT_EQ(f.TimerAuto->interval(), 5000);

    // The hot key: id 1, Shift+Alt+S; the instance answers later starts.
    EXPECT_TRUE(f.HotKeyRegistered());
    EXPECT_EQ(t.hotKey->registered, std::vector<int>{1});
    EXPECT_EQ(t.hotKey->lastKey, QKeyCombination(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_S));
    EXPECT_TRUE(t.instance->serving);
}

TEST(MainWindow, RefusedHotKeyGivesOneNoticeAndStartUpGoesOn)
{
    ModalAnswerer answer;
    TestFormOptions options;
    options.hotKeyRefused = true;
    TestForm t = makeTestForm(options);
    EXPECT_EQ(answer.texts.size(), 1);
    EXPECT_TRUE(answer.texts.value(0).contains(QStringLiteral("Shift+Alt+S")));
    EXPECT_FALSE(t->HotKeyRegistered());
    EXPECT_TRUE(t->TrayIcon->isVisible());
    EXPECT_EQ(t->Hide1->text(), QStringLiteral("Hide  (Shift+Alt+S)"));
    t->close();  // nothing to unregister
    EXPECT_TRUE(t.hotKey->registered.empty());
}

TEST(MainWindow, SecondInstanceHandsOverAndBuildsNothingFurther)
{
    TestFormOptions options;
    options.otherInstanceRunning = true;
    TestForm t = makeTestForm(options);
    EXPECT_TRUE(t->SecondInstance());
    EXPECT_EQ(t.instance->handOvers, 1);
    EXPECT_FALSE(t.instance->serving);
    EXPECT_EQ(t->TrayIcon, nullptr);
    EXPECT_TRUE(t.hotKey->registered.empty());
}

TEST(MainWindow, InfoAnswersBecomeRowsWithCellsAndIcons)
{
    struct Case {
        const char* what;
        QByteArray datagram;
        const char* from;
        int port;
        std::vector<const char*> cells;
        int gameIcon, osIcon, availabilityIcon;
    };
    const Case cases[] = {
        {"GoldSrc, recorded", fixture("goldsrc_info_m/cs16_wiki_verygames_991jo.bin"), "127.0.0.5",
         27015,
         {"1.6", "FR - VeryGames.net - Deatmatch - only surf_ski - ngR", "127.0.0.5", "27015", "47",
          "surf_ski", "12/18", "LIN", ""},
         icon::CounterStrike, icon::Linux, icon::Open},
        {"Source, recorded", fixture("source_info/css_wiki_game2xs_libssq.bin"), "127.0.0.6", 27016,
         {"CSS", "game2xs.com Counter-Strike Source #1", "127.0.0.6", "27016", "2", "de_dust",
          "5/16", "LIN", ""},
         icon::Source, icon::Linux, icon::Open},
        {"password wins over free slots; Latin-1 name",
         goldSrc("10.0.0.7:27017", "Caf\xe9", "de_aztec", "Condition Zero", 3, 16, 48, 'W', 1),
         "127.0.0.7", 27017,
         {"CZ", "Caf\u00e9", "127.0.0.7", "27017", "48", "de_aztec", "3/16", "WIN", ""},
         icon::ConditionZero, icon::Windows, icon::Locked},
        {"full server; UTF-8 name",
         source("\xc3\x89t\xc3\xa9", "Deathmatch", 16, 16, 'w', 0), "127.0.0.8", 27015,
         {"HL2", "\u00c9t\u00e9", "127.0.0.8", "27015", "7", "de_dust2", "16/16", "WIN", ""},
         icon::HalfLife2, icon::Windows, icon::Full},
    };
    for (const Case& c : cases) {
        TestForm t = makeTestForm();
        t.udp->inject(c.datagram, QString::fromLatin1(c.from), c.port);
        ASSERT_EQ(t->LW->topLevelItemCount(), 1) << c.what;
        const QTreeWidgetItem* row = t->LW->topLevelItem(0);
        QStringList expected;
        for (const char* cell : c.cells)
            expected << QString::fromUtf8(cell);
        EXPECT_EQ(cells(row), expected) << c.what;
        EXPECT_TRUE(sameIcon(row->icon(ServerListView::Game), t->IList[c.gameIcon])) << c.what;
        EXPECT_TRUE(sameIcon(row->icon(ServerListView::OS), t->IList[c.osIcon])) << c.what;
        EXPECT_TRUE(sameIcon(row->icon(ServerListView::A), t->IList[c.availabilityIcon])) << c.what;
        EXPECT_EQ(row->textAlignment(ServerListView::Name), int(Qt::AlignCenter)) << c.what;
        EXPECT_NE(row->textAlignment(ServerListView::Game), int(Qt::AlignCenter)) << c.what;
        EXPECT_TRUE(t->SBRefresh->isEnabled()) << c.what;
        EXPECT_EQ(t->serverRows().size(), 1u) << c.what;
    }
}

TEST(MainWindow, RepeatedAnswerAddsNothingAndAnotherPortDoes)
{
    TestForm t = makeTestForm();
    const QByteArray css = fixture("source_info/css_wiki_game2xs_libssq.bin");
    t.udp->inject(css, QStringLiteral("127.0.0.9"), 27015);
    t.udp->inject(css, QStringLiteral("127.0.0.9"), 27015);
    EXPECT_EQ(t->LW->topLevelItemCount(), 1);
    // The same server's GoldSrc answer, stating the same port, is a repeat too.
    t.udp->inject(goldSrc("127.0.0.9:27015", "x", "m", "Counter-Strike", 1, 2, 47, 'l', 0),
                  QStringLiteral("127.0.0.9"), 27015);
    EXPECT_EQ(t->LW->topLevelItemCount(), 1);
    t.udp->inject(css, QStringLiteral("127.0.0.9"), 27016);
    EXPECT_EQ(t->LW->topLevelItemCount(), 2);
    // Emptying the list, however it is done, forgets the rows.
    t->LW->clear();
    t.udp->inject(css, QStringLiteral("127.0.0.9"), 27015);
    EXPECT_EQ(t->LW->topLevelItemCount(), 1);
    EXPECT_EQ(t->serverRows().size(), 1u);
}

TEST(MainWindow, DuringAScanRowsDoNotEnableRefresh)
{
    TestForm t = makeTestForm();
    t->ScanInProgress = true;
    t.udp->inject(fixture("source_info/css_wiki_game2xs_libssq.bin"), QStringLiteral("127.0.0.2"), 27015);
    EXPECT_EQ(t->LW->topLevelItemCount(), 1);
    EXPECT_FALSE(t->SBRefresh->isEnabled());
}

TEST(MainWindow, DroppedDatagramsAddNoRow)
{
    TestForm t = makeTestForm();
    const QByteArray dropped[] = {
        QByteArray("\xff\xff\xff\xff", 4),
        source("x", "Counter-Strike: Global Offensive", 1, 2, 'l', 0),
        goldSrc("1.2.3.4:1", "x", "m", "counter-strike", 1, 2, 47, 'l', 0),
        fixture("source_info/css_wiki_game2xs_libssq.bin").replace(1, 1, "\x00", 1),
    };
    for (const QByteArray& d : dropped)
        t.udp->inject(d, QStringLiteral("127.0.0.3"), 27015);
    EXPECT_EQ(t->LW->topLevelItemCount(), 0);
    EXPECT_TRUE(t.udp->sent.empty());
}

TEST(MainWindow, ChallengeIsAnsweredWithPlayersThenRulesRequest)
{
    TestForm t = makeTestForm();
    t.udp->inject(fixture("source_info/css_wiki_game2xs_libssq.bin"), QStringLiteral("127.0.0.4"), 27015);
    t.udp->inject(QByteArray("\xff\xff\xff\xff\x41\x11\x22\x33\x44", 9), QStringLiteral("127.0.0.4"), 27015);
    ASSERT_EQ(t.udp->sent.size(), 2u);
    EXPECT_EQ(t.udp->sent[0].bytes, QByteArray("\xff\xff\xff\xff\x55\x11\x22\x33\x44", 9));
    EXPECT_EQ(t.udp->sent[1].bytes, QByteArray("\xff\xff\xff\xff\x56\x11\x22\x33\x44", 9));
    for (const auto& s : t.udp->sent) {
        EXPECT_EQ(s.host, QStringLiteral("127.0.0.4"));
        EXPECT_EQ(s.port, 27015);
    }
}

TEST(MainWindow, CloseDuringScanStopsItAndASecondCloseEnds)
{
    TestForm t = makeTestForm();
    QSignalSpy ended(t.form.get(), &TForm1::programEnded);
    t->show();
    t->ScanInProgress = true;
    t->close();
    EXPECT_TRUE(t->StopRequested);
    EXPECT_FALSE(t->ScanInProgress);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(t->udp()->isClosed());

    t->close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(t->udp()->isClosed());
    EXPECT_TRUE(t.hotKey->registered.empty());
}

TEST(MainWindow, TerminationStopsTheScanAndClosesEvenWhenHidden)
{
    for (bool hidden : {false, true}) {
        TestForm t = makeTestForm();
        QSignalSpy ended(t.form.get(), &TForm1::programEnded);
        t->show();
        if (hidden)
            t->Hide1Click();
        t->ScanInProgress = true;
        t->TerminationRequested();
        EXPECT_TRUE(t->StopRequested) << hidden;
        EXPECT_EQ(ended.count(), 1) << hidden;
        EXPECT_TRUE(t->udp()->isClosed()) << hidden;
        t->TerminationRequested();
        EXPECT_EQ(ended.count(), 1) << hidden;
    }
}

TEST(MainWindow, ExitFromTheTrayMenuClosesAHiddenWindow)
{
    TestForm t = makeTestForm();
    QSignalSpy ended(t.form.get(), &TForm1::programEnded);
    t->show();
    t->Hide1Click();
    ASSERT_FALSE(t->isVisible());
    t->TrayExit->trigger();
    EXPECT_EQ(ended.count(), 1);
}

TEST(MainWindow, RestoreRequestLeavesAHiddenWindowHidden)
{
    TestForm t = makeTestForm();
    t->show();
    t.instance->requestRestore();
    EXPECT_TRUE(t->isVisible());
    t->Hide1Click();
    t.instance->requestRestore();
    EXPECT_FALSE(t->isVisible());
    t.hotKey->press(2);  // another id: ignored
    EXPECT_FALSE(t->isVisible());
    t.hotKey->press(1);
    EXPECT_TRUE(t->isVisible());
}
