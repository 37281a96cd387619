// Selecting a server on the real main window, offscreen, with a recording
// endpoint: the detail requests, the players and rules lists, the buttons,
// the picture and the pop-up menu, driven by real mouse clicks.

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "core/protocol/server_row.h"
#include "tests/support/fakes.h"
#include "tests/support/test_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace protocol = zarnek::protocol;
namespace icon = zarnek::protocol::icon;

namespace {

const QByteArray kHeader("\xff\xff\xff\xff", 4);

QByteArray headed(const QByteArray& rest) { return kHeader + rest; }

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

// Writes "sleep N" into the endpoint's record of sends, so that one list
// shows sends and sleeps in the order they happened.
class OrderPump : public FakeEventPump {
public:
    QStringList* events = nullptr;
    void sleep(int milliseconds) override
    {
        FakeEventPump::sleep(milliseconds);
        if (events)
            *events << QStringLiteral("sleep %1").arg(milliseconds);
    }
};

class OrderEndpoint : public FakeUdpEndpoint {
public:
    QStringList events;

protected:
    void transmit(const QByteArray& datagram, const QString& host, int port) override
    {
        FakeUdpEndpoint::transmit(datagram, host, port);
        events << QStringLiteral("send %1:%2 %3").arg(host).arg(port).arg(datagram.size());
    }
};

QByteArray playersAnswer(const std::vector<std::pair<QByteArray, qint32>>& players)
{
    QByteArray d = headed("D");
    d += char(players.size());
    char index = 0;
    for (const auto& [name, frags] : players) {
        d += index++;
        d += name + '\0';
        for (int i = 0; i < 4; ++i)
            d += char((quint32(frags) >> (8 * i)) & 0xFF);
        d += QByteArray("\x00\x00\x70\x42", 4);  // connection time, a float
    }
    return d;
}

QByteArray rulesAnswer(quint16 count, const std::vector<std::pair<QByteArray, QByteArray>>& rules)
{
    QByteArray d = headed("E");
    d += char(count & 0xFF);
    d += char(count >> 8);
    for (const auto& [name, value] : rules)
        d += name + '\0' + value + '\0';
    return d;
}

QStringList rowsOf(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char('=') + list->topLevelItem(i)->text(1);
    return out;
}

protocol::ServerRow serverRow(const char* address, const char* port, int gameIcon)
{
    protocol::ServerRow r;
    r.game = "1.6";
    r.gameIcon = gameIcon;
    r.name = std::string("Server ") + address;
    r.address = address;
    r.port = port;
    r.answerPort = static_cast<std::uint16_t>(std::stoi(port));
    r.players = "1/16";
    return r;
}

bool sameImage(const QPixmap& shown, const QIcon& expected)
{
    return !shown.isNull() && shown.toImage() == expected.pixmap(QSize(32, 32)).toImage();
}

class Details : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestForm pointers;
        TForm1Platform platform = makeFakePlatform(pointers);
        auto endpoint = std::make_unique<OrderEndpoint>();
        auto pump = std::make_unique<OrderPump>();
        udp = endpoint.get();
        pump->events = &udp->events;
        platform.udp = std::move(endpoint);
        platform.pump = std::move(pump);
        form = std::make_unique<TForm1>(std::move(platform));
        settings = std::make_unique<TSettings>(*form, dir.filePath(QStringLiteral("zarnek.ini")));
        form->Settings = settings.get();
        settings->CBOld->setChecked(false);
        form->AddServerRow(serverRow("127.0.0.5", "27015", icon::CounterStrike));
        form->AddServerRow(serverRow("127.0.0.9", "27016", icon::Source));
        form->AddServerRow(serverRow("127.0.0.9", "27020", icon::Relay));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        form->Settings = nullptr;
        settings.reset();
        form.reset();
    }

    QPoint rowCentre(int row) const
    {
        return form->LW->visualItemRect(form->LW->topLevelItem(row)).center();
    }
    QPoint emptySpace() const { return {20, form->LW->viewport()->height() - 4}; }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(form->LW->viewport(), button, {}, at);
    }
    void select(int row) { click(rowCentre(row)); }

    void answer(const QByteArray& datagram, const char* from, int port)
    {
        udp->inject(datagram, QString::fromLatin1(from), port);
    }
    // One players and one rules answer from a server, named after it.
    void answerBoth(const char* from, int port)
    {
        const QByteArray tag = QByteArray(from) + ':' + QByteArray::number(port);
        answer(playersAnswer({{"of " + tag, 1}}), from, port);
        answer(rulesAnswer(1, {{"from", tag}}), from, port);
    }
    QStringList players() const { return rowsOf(form->LWPlayers); }
    QStringList rules() const { return rowsOf(form->LWRules); }

    void clickPlayersHeader(int column)
    {
        QHeaderView* header = form->LWPlayers->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir dir;
    OrderEndpoint* udp = nullptr;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
};

TEST_F(Details, SelectionSendsTheDetailRequestsInOrderWithTheirPauses)
{
    const protocol::QueryBuffers& q = form->protocol().Queries();
    auto bytes = [](protocol::ByteView v) {
        return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
    };
    struct Case {
        bool old;
        QStringList events;
        QList<QByteArray> datagrams;
    } cases[] = {
        {false,
         texts({"send 127.0.0.9:27016 25", "sleep 10", "send 127.0.0.9:27016 25", "sleep 5"}),
         {bytes(q.RulesQuery()), bytes(q.PlayerQuery())}},
        {true,
         texts({"send 127.0.0.9:27016 25", "sleep 10", "send 127.0.0.9:27016 25", "sleep 5",
                "send 127.0.0.9:27016 12", "sleep 10", "send 127.0.0.9:27016 10"}),
         {bytes(q.RulesQuery()), bytes(q.PlayerQuery()), headed(QByteArray("players\0", 8)),
          headed(QByteArray("rules\0", 6))}},
    };
    for (const Case& c : cases) {
        click(emptySpace());
        settings->CBOld->setChecked(c.old);
        udp->events.clear();
        udp->sent.clear();
        select(1);
        EXPECT_EQ(udp->events, c.events) << c.old;
        ASSERT_EQ(udp->sent.size(), std::size_t(c.datagrams.size()));
        for (qsizetype i = 0; i < c.datagrams.size(); ++i)
            EXPECT_EQ(udp->sent[std::size_t(i)].bytes, c.datagrams[i]) << c.old << i;
        EXPECT_TRUE(udp->sent[0].bytes.startsWith(headed("V")));
        EXPECT_TRUE(udp->sent[1].bytes.startsWith(headed("U")));
    }

    // The 25-byte requests carry the challenge stored last.
    answer(headed(QByteArray("A\x0a\x0b\x0c\x0d", 5)), "127.0.0.9", 27016);
    click(emptySpace());
    udp->sent.clear();
    select(0);
    ASSERT_GE(udp->sent.size(), 2u);
    EXPECT_EQ(udp->sent[0].bytes.mid(4, 5), QByteArray("V\x0a\x0b\x0c\x0d", 5));
    EXPECT_EQ(udp->sent[1].bytes.mid(4, 5), QByteArray("U\x0a\x0b\x0c\x0d", 5));
    EXPECT_EQ(udp->sent[0].host, QStringLiteral("127.0.0.5"));
    EXPECT_EQ(udp->sent[0].port, 27015);
}

TEST_F(Details, SelectionEnablesPlayAndAutoAndShowsTheLargeGamePicture)
{
    struct Case {
        int row;
        int gameIcon;
    } cases[] = {{0, icon::CounterStrike}, {1, icon::Source}, {2, icon::Relay}};
    for (const Case& c : cases) {
        select(c.row);
        EXPECT_TRUE(form->SBPlay->isEnabled());
        EXPECT_TRUE(form->SBAuto->isEnabled());
        EXPECT_TRUE(sameImage(form->Image->pixmap(), form->IList2[c.gameIcon])) << c.row;
    }
}

TEST_F(Details, ListsShowOnlyTheSelectedServerAndEmptyOnEachSelection)
{
    select(1);
    answerBoth("127.0.0.9", 27016);
    EXPECT_EQ(players(), texts({"of 127.0.0.9:27016=1"}));
    EXPECT_EQ(rules(), texts({"from=127.0.0.9:27016"}));

    // Another row: both lists empty at once, before any answer.
    select(2);
    EXPECT_TRUE(players().isEmpty());
    EXPECT_TRUE(rules().isEmpty());

    // Late answers of the server selected before, and answers of servers
    // nobody selected, are dropped.
    answerBoth("127.0.0.9", 27016);
    answerBoth("127.0.0.5", 27015);
    answerBoth("127.0.0.10", 27020);  // the same port at another address
    EXPECT_TRUE(players().isEmpty());
    EXPECT_TRUE(rules().isEmpty());
    answerBoth("127.0.0.9", 27020);
    EXPECT_EQ(players(), texts({"of 127.0.0.9:27020=1"}));
    EXPECT_EQ(rules(), texts({"from=127.0.0.9:27020"}));

    // Without a selection nothing is listed: after a click on empty space,
    // and after the server list was emptied under a selection.
    click(emptySpace());
    answerBoth("127.0.0.9", 27020);
    EXPECT_TRUE(players().isEmpty());
    select(2);
    form->clearServerList();
    answerBoth("127.0.0.9", 27020);
    EXPECT_TRUE(players().isEmpty());
    EXPECT_TRUE(rules().isEmpty());
}

TEST_F(Details, ClickOnEmptySpaceResetsPlayPictureAndListsAndKeepsAutoWhileArmed)
{
    for (bool armed : {false, true}) {
        form->AutoConnectOn = armed;
        select(1);
        answerBoth("127.0.0.9", 27016);
        ASSERT_FALSE(players().isEmpty());

        // A click on the selected row changes nothing and asks nothing.
        const std::size_t sent = udp->sent.size();
        select(1);
        EXPECT_EQ(udp->sent.size(), sent);
        EXPECT_FALSE(players().isEmpty());
        EXPECT_TRUE(form->SBPlay->isEnabled());

        click(emptySpace());
        EXPECT_EQ(form->LWItemIndex(), -1);
        EXPECT_FALSE(form->SBPlay->isEnabled());
        EXPECT_EQ(form->SBAuto->isEnabled(), armed);
        EXPECT_TRUE(form->Image->pixmap().isNull());
        EXPECT_TRUE(players().isEmpty());
        EXPECT_TRUE(rules().isEmpty());
    }
}

TEST_F(Details, PopUpMenuOpensOnlyOverARowSelectedBeforeThePress)
{
    QSignalSpy requested(form->LW, &QWidget::customContextMenuRequested);
    // On X11 the context-menu request follows the press; QTest sends only
    // the press and the release, so the request is sent between them.
    auto rightClick = [&](QPoint at) {
        QWidget* viewport = form->LW->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
        const bool opened = form->PMServers->isVisible();
        form->PMServers->hide();
        return opened;
    };

    // The press selects the row, and that selection closes the way.
    EXPECT_FALSE(rightClick(rowCentre(0)));
    EXPECT_EQ(form->LWItemIndex(), 0);
    EXPECT_FALSE(form->PMServersAutoPopup);
    // Now the row was selected when the button went down.
    EXPECT_TRUE(rightClick(rowCentre(0)));
    // Over another row it does not open; over empty space neither, although
    // the list drops the selection there only on the release.
    EXPECT_FALSE(rightClick(rowCentre(1)));
    EXPECT_EQ(form->LWItemIndex(), 1);
    EXPECT_FALSE(rightClick(emptySpace()));
    EXPECT_EQ(form->LWItemIndex(), -1);
    EXPECT_FALSE(rightClick(rowCentre(1)));
    EXPECT_TRUE(rightClick(rowCentre(1)));
    EXPECT_EQ(requested.count(), 6);

    EXPECT_EQ(form->Play->text(), QStringLiteral("Play"));
    EXPECT_EQ(form->Auto->text(), QStringLiteral("Auto connect"));
    EXPECT_EQ(form->PMSAdd->text(), QStringLiteral("Add To Favorites"));
}

TEST_F(Details, PlayersAreListedByFragsHighestFirst)
{
    select(0);
    struct Case {
        const char* what;
        QByteArray datagram;
        QStringList listed;
    } cases[] = {
        {"frags, negatives below zero, equal frags in the answer's order",
         playersAnswer({{"zero", 0}, {"neg", -3}, {"top", 2147483647}, {"b", 5}, {"a", 5},
                        {"min", -2147483647 - 1}}),
         texts({"top=2147483647", "b=5", "a=5", "zero=0", "neg=-3", "min=-2147483648"})},
        {"no player records", headed(QByteArray("D\0", 2)), {}},
        {"a Latin-1 name shows empty, UTF-8 as such",
         playersAnswer({{"Ren\xe9", 1}, {"Ren\xc3\xa9", 2}}), texts({"Ren\xc3\xa9=2", "=1"})},
        {"cut inside the last record: its name ends at the cut, frags read zero",
         playersAnswer({{"whole", 4}}) + QByteArray("\x01" "cut", 4),
         texts({"whole=4", "cut=0"})},
    };
    for (const Case& c : cases) {
        answer(c.datagram, "127.0.0.5", 27015);
        EXPECT_EQ(players(), c.listed) << c.what;
    }

    // More players than a server slot list has: all of them.
    std::vector<std::pair<QByteArray, qint32>> many;
    for (int i = 0; i < 100; ++i)
        many.emplace_back("p" + QByteArray::number(i), i % 7);
    answer(playersAnswer(many), "127.0.0.5", 27015);
    EXPECT_EQ(form->LWPlayers->topLevelItemCount(), 100);
    EXPECT_EQ(form->LWPlayers->topLevelItem(0)->text(0), QStringLiteral("p6"));
}

TEST_F(Details, ColumnClicksSortByNameOrByFragsOnceEach)
{
    select(0);
    answer(playersAnswer({{"bob", 3}, {"alice", 1}, {"Alice", 9}, {"ALICE", 1}, {"Al", 3},
                          {"[x]", 3}}),
           "127.0.0.5", 27015);
    const QStringList byFrags = texts({"Alice=9", "bob=3", "Al=3", "[x]=3", "alice=1", "ALICE=1"});
    EXPECT_EQ(players(), byFrags);

    // Names equal apart from case keep the order they had; only a-z fold, so
    // '[' (after 'Z', before 'a') sorts after the letters.
    const QStringList byName = texts({"Al=3", "Alice=9", "alice=1", "ALICE=1", "bob=3", "[x]=3"});
    clickPlayersHeader(0);
    EXPECT_EQ(players(), byName);
    clickPlayersHeader(0);
    EXPECT_EQ(players(), byName);

    // By frags from the name order: equal frags keep the name order.
    clickPlayersHeader(1);
    EXPECT_EQ(players(), (texts({"Alice=9", "Al=3", "bob=3", "[x]=3", "alice=1", "ALICE=1"})));

    // The next answer comes by frags again, and only its own rows.
    clickPlayersHeader(0);
    answer(playersAnswer({{"b", 1}, {"a", 2}}), "127.0.0.5", 27015);
    EXPECT_EQ(players(), (texts({"a=2", "b=1"})));
}

TEST_F(Details, RulesKeepTheAnswersOrderWithinTheirOwnAnswer)
{
    select(0);
    answer(rulesAnswer(4, {{"sv_gravity", "800"}, {"mp_timelimit", "20"}, {"a", ""}, {"\xe9t\xe9", "x"}}),
           "127.0.0.5", 27015);
    const QStringList listed = texts({"sv_gravity=800", "mp_timelimit=20", "a=", "\xc3\xa9t\xc3\xa9=x"});
    EXPECT_EQ(rules(), listed);

    // The header does not sort.
    QHeaderView* header = form->LWRules->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionSize(0) / 2, header->height() / 2));
    EXPECT_EQ(rules(), listed);

    // A shorter answer announcing more than it holds lists only its own pairs.
    answer(rulesAnswer(4, {{"only", "1"}}), "127.0.0.5", 27015);
    EXPECT_EQ(rules(), texts({"only=1"}));
    answer(rulesAnswer(0, {{"ignored", "1"}}), "127.0.0.5", 27015);
    EXPECT_TRUE(rules().isEmpty());

    // The count is 16 bits wide: 300 rules are 300, not 44.
    std::vector<std::pair<QByteArray, QByteArray>> many;
    for (int i = 0; i < 300; ++i)
        many.emplace_back("x", "");
    answer(rulesAnswer(300, many), "127.0.0.5", 27015);
    EXPECT_EQ(form->LWRules->topLevelItemCount(), 300);
}

}  // namespace
