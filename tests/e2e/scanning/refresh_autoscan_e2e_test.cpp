// Refresh and the favourites auto-scan through the real endpoint against the
// fake LAN, in a private network namespace. Servers "go silent" or "come up"
// by restarting the fake LAN with another configuration.

#include "tests/e2e/scanning/scan_e2e_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

QJsonArray sevenServers(int answering) {
    QJsonArray servers;
    for (int i = 1; i <= 7; ++i) {
        const QByteArray address = QByteArray("127.0.0.") + QByteArray::number(i);
        const QByteArray name = QByteArray("Server ") + QByteArray::number(i);
        servers.append(server(address.constData(), 27015, i <= answering ? "goldsrc" : "silent",
                              name.constData()));
    }
    return servers;
}

// How many info requests each server heard.
QMap<QString, int> infoRequestsHeard(const FakeLanProcess& lan) {
    QMap<QString, int> counts;
    for (const auto& h : lan.heard())
        if (h.data.size() == 25) ++counts[h.server];
    return counts;
}

QMap<QString, int> eachOf(int first, int last, int times) {
    QMap<QString, int> counts;
    for (int i = first; i <= last; ++i) counts[QStringLiteral("127.0.0.%1:27015").arg(i)] = times;
    return counts;
}

TEST_F(ScanEndToEnd, ARefreshListsWhoAnswersAndTheNextOneStillAsksEveryKnownServer) {
    auto lan = std::make_unique<FakeLanProcess>(sevenServers(7));
    ASSERT_TRUE(lan->start());
    startWindow();
    addRange("127.0.0.1", "127.0.0.10");
    form->SBScanAllClick();
    ASSERT_TRUE(waitForRows(7));

    // Four of the seven go silent.
    lan.reset();
    lan = std::make_unique<FakeLanProcess>(sevenServers(3));
    ASSERT_TRUE(lan->start());

    ASSERT_TRUE(form->SBRefresh->isEnabled());
    form->SBRefresh->click();
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
    EXPECT_EQ(form->KnownServers.count, 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return infoRequestsHeard(*lan) == eachOf(1, 7, 1); }, 10000));
    ASSERT_TRUE(waitForRows(3));
    QTest::qWait(200);  // a silent server that answered after all would show now
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1.6|127.0.0.1|27015|Server 1"),
                                   QStringLiteral("1.6|127.0.0.2|27015|Server 2"),
                                   QStringLiteral("1.6|127.0.0.3|27015|Server 3")}));

    // Three rows are not more than the seven known: all seven are asked again.
    ASSERT_TRUE(form->SBRefresh->isEnabled());
    form->SBRefresh->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return infoRequestsHeard(*lan) == eachOf(1, 7, 2); }, 10000));
    EXPECT_EQ(knownServers().size(), 7);
    ASSERT_TRUE(waitForRows(3));
    QTest::qWait(200);
    EXPECT_EQ(form->LW->topLevelItemCount(), 3);
}

TEST_F(ScanEndToEnd, AFavouriteThatComesUpAfterAScanIsListedByTheNextPass) {
    auto lan = std::make_unique<FakeLanProcess>(
        QJsonArray{server("127.0.0.9", 27016, "goldsrc", "First answer")});
    ASSERT_TRUE(lan->start());
    startWindow();
    addFavourite("127.0.0.9", "27016");
    addFavourite("127.0.0.10", "27017");
    form->SBScanAllClick();
    ASSERT_TRUE(waitForRows(1));

    // The second favourite comes up; the first now answers differently.
    lan.reset();
    lan = std::make_unique<FakeLanProcess>(
        QJsonArray{server("127.0.0.9", 27016, "goldsrc", "Second answer"),
                   server("127.0.0.10", 27017, "source", "Came up")});
    ASSERT_TRUE(lan->start());

    // The cool-down of the scan holds the pass back; let it run out.
    while (!form->SBScanAll->isEnabled()) form->TimerTimer();
    // As Load sets it with the switch on.
    settings->SEUpdInterval->setValue(5);
    form->TimerFav->setInterval(200);
    settings->CBAutoUpdate->setChecked(true);
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoscan enabled"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusText(0) == QStringLiteral(" Autoscan..."); },
                                10000));
    ASSERT_TRUE(waitForRows(2));
    QTest::qWait(200);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1.6|127.0.0.9|27016|First answer"),
                                   QStringLiteral("CSS|127.0.0.10|27017|Came up")}));
    EXPECT_EQ(form->TimerFav->interval(), 5000);
    EXPECT_TRUE(form->TimerFav->isActive());
}

}  // namespace
