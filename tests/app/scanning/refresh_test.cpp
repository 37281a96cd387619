// Refresh on the real main window and settings dialog, with the endpoint and
// pump that record what it does, in order.

#include "tests/app/scanning/scan_window_fixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

class RefreshTest : public ScanWindowTest {
protected:
    void setTable(const QStringList& servers) {
        form->KnownServers.count = int(servers.size());
        for (int i = 0; i < servers.size(); ++i) {
            const QStringList parts = servers[i].split(QLatin1Char(':'));
            form->KnownServers.address[i] = parts[0];
            form->KnownServers.port[i] = parts[1];
        }
    }
    QStringList table() const {
        QStringList result;
        for (int i = 0; i < form->KnownServers.count; ++i)
            result << form->KnownServers.address[i] + QLatin1Char(':') + form->KnownServers.port[i];
        return result;
    }
    void listRows(int first, int last) {
        for (int i = first; i <= last; ++i) form->AddServerRow(row("127.0.0." + std::to_string(i), "27015"));
    }
    static QStringList servers(int first, int last) {
        QStringList result;
        for (int i = first; i <= last; ++i) result << QStringLiteral("127.0.0.%1:27015").arg(i);
        return result;
    }
    static QStringList infoSends(const QStringList& servers) {
        QStringList result;
        for (const QString& s : servers) result << QStringLiteral("send %1 25").arg(s);
        return result;
    }
};

TEST_F(RefreshTest, PausesEmptiesTheListsThenPumpsBeforeEachProbe) {
    setTable({QStringLiteral("127.0.0.5:27015"), QStringLiteral("127.0.0.6:27016")});
    listRows(5, 6);
    new QTreeWidgetItem(form->LWPlayers, {QStringLiteral("someone")});
    new QTreeWidgetItem(form->LWRules, {QStringLiteral("rule")});
    settings->CBOld->setChecked(true);
    form->setStatusText(1, QStringLiteral("23"));
    form->SBPlay->setEnabled(true);
    form->SBAuto->setEnabled(true);
    const bool scanEnabled = form->SBScanAll->isEnabled();
    int rowsDuringSleep = -1;
    pump->everySleep = [&](int) { rowsDuringSleep = form->LW->topLevelItemCount(); };
    bool checked = false;
    pump->actions[1] = [&] {
        checked = true;
        EXPECT_EQ(form->LW->topLevelItemCount(), 0);
        EXPECT_EQ(form->LWPlayers->topLevelItemCount(), 0);
        EXPECT_EQ(form->LWRules->topLevelItemCount(), 1);
        EXPECT_FALSE(form->SBRefresh->isEnabled());
        EXPECT_FALSE(form->SBPlay->isEnabled());
        EXPECT_FALSE(form->SBAuto->isEnabled());
    };

    form->SBRefreshClick();
    EXPECT_TRUE(checked);
    EXPECT_EQ(rowsDuringSleep, 2);
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("sleep 300"), QStringLiteral("pump"),
                                       QStringLiteral("send 127.0.0.5:27015 25"),
                                       QStringLiteral("send 127.0.0.5:27015 15"), QStringLiteral("pump"),
                                       QStringLiteral("send 127.0.0.6:27016 25"),
                                       QStringLiteral("send 127.0.0.6:27016 15")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("23"));
    EXPECT_TRUE(form->SBRefresh->isEnabled());
    EXPECT_FALSE(form->SBPlay->isEnabled());
    EXPECT_FALSE(form->SBAuto->isEnabled());
    EXPECT_EQ(form->SBScanAll->isEnabled(), scanEnabled);
    EXPECT_FALSE(form->SBStop->isEnabled());
    EXPECT_FALSE(form->ScanInProgress);
}

TEST_F(RefreshTest, TheTableIsRebuiltOnlyWhenTheListHoldsMoreRows) {
    struct Case {
        const char* what;
        QStringList table;
        int rows;  // 127.0.0.1 .. 127.0.0.<rows> listed
        QStringList queried;
    } cases[] = {
        {"two rows came in late", servers(1, 5), 7, servers(1, 7)},
        {"three of seven answered the last refresh", servers(1, 7), 3, servers(1, 7)},
        {"as many rows as entries", {QStringLiteral("127.0.0.9:27016")}, 1,
         {QStringLiteral("127.0.0.9:27016")}},
        {"a stopped scan listed fewer", servers(4, 5), 1, servers(4, 5)},
        {"empty table, empty list", {}, 0, {}},
        {"more rows than the table holds", {}, 45, servers(1, 41)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log = ScanLog();
        form->clearServerList();
        setTable(c.table);
        listRows(1, c.rows);
        form->SBRefreshClick();
        EXPECT_EQ(sends(), infoSends(c.queried));
        EXPECT_EQ(table(), c.queried);
        EXPECT_EQ(log.pumps, int(c.queried.size()));
        EXPECT_EQ(form->LW->topLevelItemCount(), 0);
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
    }
}

TEST_F(RefreshTest, AutoConnectKeepsItsButton) {
    form->AutoConnectOn = true;
    form->SBAuto->setEnabled(true);
    form->SBRefreshClick();
    EXPECT_TRUE(form->SBAuto->isEnabled());
}

TEST_F(RefreshTest, EachProbeGoesToItsEntryWhateverThePumpAimedTheEndpointAt) {
    setTable(servers(1, 2));
    pump->actions[2] = [&] {
        // What selecting a row does: its detail queries go to its own server.
        form->udp()->setRemoteHost(QStringLiteral("127.0.0.9"));
        form->udp()->setRemotePort(27016);
        form->udp()->send("\xff\xff\xff\xffU", 5);
    };
    form->SBRefreshClick();
    EXPECT_EQ(sends(), (QStringList{QStringLiteral("send 127.0.0.1:27015 25"),
                                    QStringLiteral("send 127.0.0.9:27016 5"),
                                    QStringLiteral("send 127.0.0.2:27015 25")}));
}

TEST_F(RefreshTest, ARefreshStartedInsideThePumpRunsToItsEndThenTheFirstGoesOn) {
    setTable(servers(1, 3));
    pump->actions[1] = [&] {
        // Late answers: a row enables RF again, and the list now holds more
        // rows than the table.
        listRows(11, 14);
        ASSERT_TRUE(form->SBRefresh->isEnabled());
        form->SBRefresh->click();
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
        form->setStatusText(0, QString());
    };
    form->SBRefreshClick();
    // The first refresh probes the entry it read before the pump, keeps its
    // count of 3 and reads entries 1 and 2 of the table the second one rebuilt.
    EXPECT_EQ(sends(), infoSends(servers(11, 14) + servers(1, 1) + servers(12, 13)));
    EXPECT_EQ(table(), servers(11, 14));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
    EXPECT_TRUE(form->SBRefresh->isEnabled());
}

TEST_F(RefreshTest, AScanInsideThePumpRunsToItsEndAndTheRefreshStopsAtTheTablesNewEnd) {
    setTable(servers(1, 4));
    addRange("127.0.0.50", "127.0.0.51");
    pump->actions[2] = [&] {
        ASSERT_TRUE(form->SBScanAll->isEnabled());
        form->SBScanAll->click();
        EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    };
    // The scan finds three servers, so its table ends after entry 2.
    pump->actions[3] = [&] {
        for (const char* address : {"127.0.0.50", "127.0.0.60", "127.0.0.70"})
            form->AddServerRow(row(address, "27015"));
    };
    form->SBRefreshClick();
    EXPECT_EQ(sends(), infoSends(servers(1, 1) + servers(50, 51) + servers(2, 2) + servers(70, 70)));
    EXPECT_EQ(table(), (QStringList{QStringLiteral("127.0.0.50:27015"), QStringLiteral("127.0.0.60:27015"),
                                    QStringLiteral("127.0.0.70:27015")}));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
}

TEST_F(RefreshTest, AClosedEndpointEndsTheRefreshWithoutAnotherSend) {
    setTable(servers(1, 5));
    pump->actions[3] = [&] { endpoint->close(); };
    form->SBRefreshClick();
    EXPECT_EQ(sends(), infoSends(servers(1, 2)));
    EXPECT_EQ(log.pumps, 3);
    EXPECT_NE(form->statusText(0), QStringLiteral(" Refresh complete"));
}

TEST_F(RefreshTest, AnEntryWhosePortIsNoPortIsSkipped) {
    setTable({QStringLiteral("127.0.0.1:27015"), QStringLiteral("127.0.0.2:99999"),
              QStringLiteral("127.0.0.3:27x15"), QStringLiteral("127.0.0.4:27015")});
    form->SBRefreshClick();
    EXPECT_EQ(sends(), (infoSends({QStringLiteral("127.0.0.1:27015"), QStringLiteral("127.0.0.4:27015")})));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Refresh complete"));
}

}  // namespace
