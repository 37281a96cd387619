// Auto-connect from end to end, in a private network namespace: the real
// endpoint polls a fake server whose players leave, and when the count drops
// to the threshold the real launcher starts a stand-in game that records its
// arguments and the folder it was started in.

#include "tests/support/fake_lan/fake_lan_process.h"

#include "app/shell/program_windows.h"
#include "platform/event_pump.h"
#include "platform/game_launcher.h"
#include "platform/qt_udp_endpoint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <gtest/gtest.h>

namespace {

// Lets the event loop run until done() holds; the limit only guards against
// a hang.
bool waitFor(const std::function<bool()>& done, int limitMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// A game that writes the folder it runs in and its arguments, one a line,
// then renames the record into place so it is never read half written.
QString writeStandInGame(const QString& folder)
{
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/hl_linux");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\n"
               "record=\"$(dirname \"$0\")/launched\"\n"
               "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$record.part\"\n"
               "mv \"$record.part\" \"$record\"\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

TEST(AutoConnectEndToEnd, JoinsTheWatchedServerWhenItsPlayersDropToTheThreshold)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString gameFolder = dir.filePath(QStringLiteral("game folder"));
    const QString game = writeStandInGame(gameFolder);
    ASSERT_FALSE(game.isEmpty());

    // Listed with 12 players, 12 at the first poll, then 5.
    QJsonObject watched = FakeLanProcess::server(QStringLiteral("127.0.0.5"), 27015,
                                                 QStringLiteral("goldsrc"),
                                                 QStringLiteral("Watched"));
    watched[QStringLiteral("max")] = 16;
    watched[QStringLiteral("players_sequence")] = QJsonArray{12, 12, 5};
    FakeLanProcess lan({watched});
    ASSERT_TRUE(lan.start());

    TForm1Platform platform;
    platform.udp = std::make_unique<QtUdpEndpoint>(27005);
    platform.pump = std::make_unique<QtEventPump>();
    platform.launcher = std::make_unique<ProcessGameLauncher>();
    ProgramWindows windows;
    ASSERT_EQ(windows.create(std::move(platform), dir.filePath(QStringLiteral("zarnek.ini"))),
              ProgramWindows::Start::Running);
    TForm1* form = windows.Form1.get();
    TSettings* settings = windows.Settings.get();
    TFormAuto* dialog = windows.FormAuto.get();
    settings->CBOld->setChecked(false);
    settings->ExePath[2] = game;
    form->show();

    // The server listed as a scan would list it.
    UdpEndpoint* udp = form->udp();
    const auto info = form->protocol().Queries().InfoQuery();
    udp->setRemoteHost(QStringLiteral("127.0.0.5"));
    udp->setRemotePort(27015);
    udp->send(reinterpret_cast<const char*>(info.data()), static_cast<int>(info.size()));
    ASSERT_TRUE(waitFor([&] { return form->LW->topLevelItemCount() == 1; }));
    form->LW->setCurrentItem(form->LW->topLevelItem(0));

    // Waiting for at most 8 players, with the poll made quicker than 5 s.
    form->SBAutoClick();
    dialog->CB->setCurrentText(QStringLiteral("<="));
    dialog->SPNeed->setValue(8);
    dialog->BitBtn1->click();
    ASSERT_TRUE(form->AutoConnectOn);
    form->TimerAuto->setInterval(500);

    const QString record = gameFolder + QStringLiteral("/launched");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(record); }));
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'),
                                                                          Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{QDir(gameFolder).canonicalPath(), QStringLiteral("-game"),
                                  QStringLiteral("cstrike"), QStringLiteral("+connect"),
                                  QStringLiteral("127.0.0.5:27015")}));
    EXPECT_FALSE(form->AutoConnectOn);
    EXPECT_EQ(form->statusText(2), QStringLiteral(" Autoconnect disabled."));
    EXPECT_FALSE(form->isVisible());
    // The listing request and at least two polls: the answer to the second
    // was the first to show 5 players.
    int infoRequests = 0;
    for (const FakeLanProcess::Heard& h : lan.heard())
        infoRequests += h.data.size() == 25 ? 1 : 0;
    EXPECT_GE(infoRequests, 3);
}

}  // namespace
