// Selecting servers of the fake LAN through the real endpoint, in a private
// network namespace: a server that demands challenges and splits its rules
// in the Source form, and a slow one whose answers come after the selection
// has moved on.

#include "tests/support/fake_lan/fake_lan_process.h"

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/qt_udp_endpoint.h"
#include "tests/support/scan_settings.h"

#include <QJsonArray>
#include <climits>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class LoopbackAddress : public LocalAddressProvider {
public:
    QString address() const override { return QStringLiteral("127.0.0.1"); }
};

QJsonArray pairs(const QList<std::pair<QString, QJsonValue>>& list)
{
    QJsonArray out;
    for (const auto& [name, value] : list)
        out.append(QJsonArray{name, value});
    return out;
}

// Answers of one type ('D' or 'E', whole or as the first of a split) that
// came from a sender.
int answersFrom(const QSignalSpy& spy, const QString& sender, char type)
{
    int n = 0;
    for (const QList<QVariant>& args : spy) {
        const QByteArray d = args.at(0).toByteArray();
        if (args.at(1).toString() != sender || d.size() < 5)
            continue;
        if (d.at(4) == type)
            ++n;
        // A Source fragment: its first one holds the message header.
        else if (d.startsWith(QByteArray("\xfe\xff\xff\xff", 4)) && d.size() > 16 && d.at(9) == 0
                 && d.at(16) == type)
            ++n;
    }
    return n;
}

TEST(DetailsEndToEnd, SelectionListsTheChallengedServerAndIgnoresTheLateOne)
{
    // 40 players with frags that do not arrive in order, and 150 rules:
    // more than one Source fragment.
    QList<std::pair<QString, QJsonValue>> players;
    for (int i = 0; i < 40; ++i)
        players.append({QStringLiteral("player%1").arg(i, 2, 10, QLatin1Char('0')), (i * 7) % 40 - 5});
    QList<std::pair<QString, QJsonValue>> rules;
    for (int i = 0; i < 150; ++i)
        rules.append({QStringLiteral("rule%1").arg(i, 3, 10, QLatin1Char('0')),
                      QStringLiteral("value%1").arg(i)});

    QJsonObject challenged = FakeLanProcess::server(QStringLiteral("127.0.0.5"), 27015,
                                                    QStringLiteral("source"), QStringLiteral("Strict"));
    challenged[QStringLiteral("info_challenge")] = QStringLiteral("0a0b0c0d");
    challenged[QStringLiteral("challenge")] = QStringLiteral("0a0b0c0d");
    challenged[QStringLiteral("split_rules")] = QStringLiteral("source");
    challenged[QStringLiteral("player_list")] = pairs(players);
    challenged[QStringLiteral("rules")] = pairs(rules);
    QJsonObject slow = FakeLanProcess::server(QStringLiteral("127.0.0.6"), 27015,
                                              QStringLiteral("goldsrc"), QStringLiteral("Slow"));
    slow[QStringLiteral("answer_delay_ms")] = 800;
    slow[QStringLiteral("challenge")] = QStringLiteral("11223344");
    slow[QStringLiteral("player_list")] = pairs({{QStringLiteral("latecomer"), 99}});
    slow[QStringLiteral("rules")] = pairs({{QStringLiteral("late_rule"), QStringLiteral("1")}});
    FakeLanProcess lan({challenged, slow});
    ASSERT_TRUE(lan.start());

    QTemporaryDir dir;
    TForm1Platform platform;
    platform.udp = std::make_unique<QtUdpEndpoint>(27005);
    platform.pump = std::make_unique<QtEventPump>();
    platform.localAddress = std::make_unique<LoopbackAddress>();
    auto form = std::make_unique<TForm1>(std::move(platform));
    auto settings = std::make_unique<TSettings>(*form, dir.filePath(QStringLiteral("zarnek.ini")));
    prepareForScan(*form, *settings, 1);
    QSignalSpy received(form->udp(), &UdpEndpoint::dataReceived);

    auto* range = new QTreeWidgetItem(settings->LWranges,
                                      {QStringLiteral("127.0.0.5"), QStringLiteral("127.0.0.6")});
    range->setCheckState(0, Qt::Checked);
    form->SBScanAllClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->LW->topLevelItemCount() == 2; }, 10000));
    auto rowOf = [&](const char* address) {
        for (int i = 0; i < form->LW->topLevelItemCount(); ++i)
            if (form->LW->topLevelItem(i)->text(ServerListView::Address) == QLatin1String(address))
                return form->LW->topLevelItem(i);
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    ASSERT_NE(rowOf("127.0.0.5"), nullptr);
    ASSERT_NE(rowOf("127.0.0.6"), nullptr);

    // The info challenge made the program ask the strict server for its
    // players and rules during the scan; nobody selected it, so nothing shows.
    const QString strict = QStringLiteral("127.0.0.5");
    ASSERT_TRUE(QTest::qWaitFor([&] { return answersFrom(received, strict, 'D') >= 1; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answersFrom(received, strict, 'E') >= 1; }, 10000));
    EXPECT_EQ(form->LWPlayers->topLevelItemCount(), 0);
    EXPECT_EQ(form->LWRules->topLevelItemCount(), 0);

    // Select the slow server, then move on to the strict one at once. The
    // requests carry the challenge learnt during the scan, which the strict
    // server accepts.
    auto showsStrict = [&] {
        return form->LWPlayers->topLevelItemCount() == 40 && form->LWRules->topLevelItemCount() == 150;
    };
    form->LW->setCurrentItem(rowOf("127.0.0.6"));
    form->LW->setCurrentItem(rowOf("127.0.0.5"));
    ASSERT_TRUE(QTest::qWaitFor(showsStrict, 10000));

    // The slow server demands its own challenge; its answer to the follow-up
    // comes in after the selection moved, and the lists keep the strict
    // server's players and rules.
    const QString late = QStringLiteral("127.0.0.6");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return answersFrom(received, late, 'D') >= 1 && answersFrom(received, late, 'E') >= 1;
    }, 10000));
    EXPECT_TRUE(showsStrict());

    // Selected again, the strict server gets requests with the slow server's
    // challenge, refuses them with its own, and answers the follow-up.
    const qsizetype heardBefore = lan.heard().size();
    form->LW->clearSelection();
    form->LW->setCurrentItem(rowOf("127.0.0.5"));
    EXPECT_EQ(form->LWPlayers->topLevelItemCount(), 0);
    EXPECT_EQ(form->LWRules->topLevelItemCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor(showsStrict, 10000));
    QList<QByteArray> toStrict;
    const auto heard = lan.heard();
    for (qsizetype i = heardBefore; i < heard.size(); ++i)
        if (heard[i].server == QStringLiteral("127.0.0.5:27015"))
            toStrict << heard[i].data;
    ASSERT_GE(toStrict.size(), 4);
    EXPECT_EQ(toStrict[0].size(), 25);
    EXPECT_EQ(toStrict[0].mid(4, 5), QByteArray("V\x11\x22\x33\x44", 5));
    EXPECT_EQ(toStrict[1].size(), 25);
    EXPECT_EQ(toStrict[1].mid(4, 5), QByteArray("U\x11\x22\x33\x44", 5));
    EXPECT_TRUE(toStrict.contains(QByteArray("\xff\xff\xff\xffU\x0a\x0b\x0c\x0d", 9)));
    EXPECT_TRUE(toStrict.contains(QByteArray("\xff\xff\xff\xffV\x0a\x0b\x0c\x0d", 9)));

    // By frags, highest first; the rules in the answer's order.
    int previous = INT_MAX;
    for (int i = 0; i < 40; ++i) {
        const QTreeWidgetItem* item = form->LWPlayers->topLevelItem(i);
        EXPECT_TRUE(item->text(0).startsWith(QStringLiteral("player"))) << i;
        const int frags = item->text(1).toInt();
        EXPECT_LE(frags, previous) << i;
        previous = frags;
    }
    EXPECT_EQ(form->LWPlayers->topLevelItem(0)->text(1), QStringLiteral("34"));
    EXPECT_EQ(form->LWPlayers->topLevelItem(39)->text(1), QStringLiteral("-5"));
    for (int i : {0, 77, 149}) {
        EXPECT_EQ(form->LWRules->topLevelItem(i)->text(0),
                  QStringLiteral("rule%1").arg(i, 3, 10, QLatin1Char('0')));
        EXPECT_EQ(form->LWRules->topLevelItem(i)->text(1), QStringLiteral("value%1").arg(i));
    }

    form->Settings = nullptr;
    settings.reset();
    form.reset();
}

}  // namespace
