// Whole scans through the real endpoint against the fake LAN, in a private
// network namespace, with the real main window and settings dialog.

#include "tests/e2e/scanning/scan_e2e_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>

namespace {

TEST_F(ScanEndToEnd, ARangeScanListsEveryKindOfServer) {
    QJsonObject old = server("127.0.0.20", 27015, "old", "Old box");
    FakeLanProcess lan({server("127.0.0.5", 27015, "goldsrc", "Gold"),
                        server("127.0.0.9", 27015, "source", "Src"),
                        server("127.0.0.9", 27016, "goldsrc", "Second port"),
                        old,
                        server("127.0.0.30", 27015, "silent", "Mute"),
                        server("127.0.0.1", 27018, "goldsrc", "By name")});
    ASSERT_TRUE(lan.start());
    startWindow();
    addFavourite("127.0.0.9", "27016");
    addFavourite("localhost", "27018");  // resolved by the endpoint
    addRange("127.0.0.1", "127.0.0.40");
    settings->CBOld->setChecked(true);

    form->SBScanAllClick();
    // Nothing ran between completion and here: the table holds exactly the
    // rows listed at completion.
    EXPECT_EQ(knownServers(), rowAddresses());
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("42"));

    ASSERT_TRUE(waitForRows(5));
    QTest::qWait(100);  // a stray repeated answer would add another row now
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1.6|127.0.0.1|27018|By name"),
                                   QStringLiteral("1.6|127.0.0.20|27015|Old box"),
                                   QStringLiteral("1.6|127.0.0.5|27015|Gold"),
                                   QStringLiteral("1.6|127.0.0.9|27016|Second port"),
                                   QStringLiteral("CSS|127.0.0.9|27015|Src")}));
    // Every server was asked once with each request, from port 27005.
    for (const QString& s : {QStringLiteral("127.0.0.5:27015"), QStringLiteral("127.0.0.9:27015"),
                             QStringLiteral("127.0.0.9:27016"), QStringLiteral("127.0.0.20:27015"),
                             QStringLiteral("127.0.0.30:27015"), QStringLiteral("127.0.0.1:27018")}) {
        SCOPED_TRACE(s.toStdString());
        QList<QByteArray> heard;
        for (const auto& h : lan.heard())
            if (h.server == s) {
                heard << h.data;
                EXPECT_TRUE(h.from.endsWith(QStringLiteral(":27005")));
            }
        ASSERT_EQ(heard.size(), 2);
        EXPECT_EQ(heard[0].size(), 25);
        EXPECT_EQ(heard[1], QByteArray("\xff\xff\xff\xffinfostring\0", 15));
    }
    EXPECT_TRUE(form->SBRefresh->isEnabled());
    EXPECT_FALSE(form->SBScanAll->isEnabled());
}

TEST_F(ScanEndToEnd, StopEndsTheScanOneAddressAfterTheClick) {
    // Every address of the range is a server, so the fake LAN's log says
    // exactly which addresses were probed.
    QJsonArray servers;
    for (int i = 1; i <= 40; ++i) {
        const QByteArray address = "127.0.0." + QByteArray::number(i);
        servers.append(server(address.constData(), 27015, i == 5 ? "goldsrc" : "silent", "S"));
    }
    FakeLanProcess lan(servers);
    ASSERT_TRUE(lan.start());
    startWindow();
    settings->SEDelay->setValue(5);
    addRange("127.0.0.1", "127.0.0.40");
    form->KnownServers.count = 1;
    form->KnownServers.address[0] = QStringLiteral("127.0.0.99");
    form->KnownServers.port[0] = QStringLiteral("27015");
    // Stop as soon as the first server is listed.
    QObject::connect(form->LW->model(), &QAbstractItemModel::rowsInserted, form.get(),
                     [this] { if (form->SBStop->isEnabled()) form->SBStop->click(); });

    form->SBScanAllClick();
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan stoped."));
    const int counted = form->statusText(1).toInt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lan.serversHeard().size() >= counted + 1; }, 10000));
    QTest::qWait(100);
    QSet<QString> expected;
    for (int i = 1; i <= counted + 1; ++i) expected << QStringLiteral("127.0.0.%1:27015").arg(i);
    const QStringList heard = lan.serversHeard();
    EXPECT_EQ(QSet<QString>(heard.begin(), heard.end()), expected);
    EXPECT_GE(counted, 5);
    EXPECT_LT(counted, 40);
    EXPECT_EQ(knownServers(), QStringList{QStringLiteral("127.0.0.99:27015")});
    EXPECT_TRUE(form->SBRefresh->isEnabled());

    // The cool-down: "Scan" for a second, then the count, then "Scan" again.
    QStringList captions{form->SBScanAll->text()};
    EXPECT_TRUE(QTest::qWaitFor([&] {
        if (captions.last() != form->SBScanAll->text()) captions << form->SBScanAll->text();
        return form->SBScanAll->isEnabled();
    }, 10000));
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Scan"), QStringLiteral("Wait 3"),
                                     QStringLiteral("Wait 2"), QStringLiteral("Wait 1"),
                                     QStringLiteral("Scan")}));
}

TEST_F(ScanEndToEnd, FavouritesBroadcastAndARangeAreCountedAndAnswered) {
    QJsonObject hearsBroadcast = server("127.0.0.50", 27015, "source", "Heard the broadcast");
    hearsBroadcast[QStringLiteral("broadcast")] = true;
    FakeLanProcess lan({server("127.0.0.9", 27016, "goldsrc", "Favourite one"),
                        server("127.0.0.9", 27017, "source", "Favourite two"),
                        server("127.0.0.12", 27015, "goldsrc", "In range"),
                        hearsBroadcast});
    ASSERT_TRUE(lan.start());
    startWindow();
    addFavourite("127.0.0.9", "27016");
    addFavourite("127.0.0.9", "27017");
    settings->CBBroadcast->setChecked(true);
    addRange("127.0.0.1", "127.0.0.20");

    form->SBScanAllClick();
    EXPECT_EQ(form->statusText(1), QStringLiteral("23"));
    EXPECT_EQ(form->statusText(0), QStringLiteral(" Scan complete"));
    ASSERT_TRUE(waitForRows(4));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1.6|127.0.0.12|27015|In range"),
                                   QStringLiteral("1.6|127.0.0.9|27016|Favourite one"),
                                   QStringLiteral("CSS|127.0.0.50|27015|Heard the broadcast"),
                                   QStringLiteral("CSS|127.0.0.9|27017|Favourite two")}));
    bool viaBroadcast = false;
    for (const auto& h : lan.heard())
        viaBroadcast |= h.server == QStringLiteral("127.0.0.50:27015") && h.via == QStringLiteral("broadcast");
    EXPECT_TRUE(viaBroadcast);
}

}  // namespace

