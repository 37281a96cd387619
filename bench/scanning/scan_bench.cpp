// Prints how fast a scan probes and whether every server answers in time:
// 500 fake servers on 127.0.1.1-250 and 127.0.2.1-250, one range over them,
// scanned with Delay 0 and with the default 5, against a bare loop that only
// sends the same datagrams. Run it in a private network namespace:
//
//   tests/support/netns-run.sh build/bench/scanning/scan_bench

#include "tests/support/fake_lan/fake_lan_process.h"

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "core/protocol/requests.h"
#include "core/scanning/range_walk.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/qt_udp_endpoint.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>
#include <QUdpSocket>

#include <cstdio>

namespace {

constexpr char kFrom[] = "127.0.1.1";
constexpr char kTo[] = "127.0.2.250";

class NoLocalAddress : public LocalAddressProvider {
public:
    QString address() const override { return {}; }
};

struct ScanFigures {
    double scanMs = 0;
    int probed = 0;
    int listedAtCompletion = 0;
    int listed = 0;
    double allListedMs = 0;
};

ScanFigures timeScan(int delay, const QString& iniPath) {
    TForm1Platform platform;
    platform.udp = std::make_unique<QtUdpEndpoint>(27005);
    platform.pump = std::make_unique<QtEventPump>();
    platform.localAddress = std::make_unique<NoLocalAddress>();
    TForm1 form(std::move(platform));
    TSettings settings(form, iniPath);
    form.Settings = &settings;
    settings.LWranges->clear();
    settings.LVFav->clear();
    auto* range = new QTreeWidgetItem(settings.LWranges,
                                      {QString::fromLatin1(kFrom), QString::fromLatin1(kTo)});
    range->setCheckState(0, Qt::Checked);
    settings.CSport->setText(QStringLiteral("27015"));
    settings.SEDelay->setValue(delay);
    settings.CBOld->setChecked(false);
    settings.CBBroadcast->setChecked(false);
    form.setRGIndex(0);

    ScanFigures f;
    QElapsedTimer clock;
    clock.start();
    form.SBScanAllClick();
    f.scanMs = clock.nsecsElapsed() / 1e6;
    f.probed = form.statusText(1).toInt();
    f.listedAtCompletion = form.LW->topLevelItemCount();
    // Late answers still become rows; wait until nothing new came for 2 s.
    int last = -1;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const int now = form.LW->topLevelItemCount();
        if (now != last) {
            last = now;
            quiet.restart();
            f.allListedMs = clock.nsecsElapsed() / 1e6;
        }
        if (now >= 500) break;
    }
    f.listed = form.LW->topLevelItemCount();
    form.Settings = nullptr;
    return f;
}

// What listing the answers costs the pumps: 500 rows added one by one, as
// the answers of a scan add them.
void timeListing() {
    TForm1 form;
    QElapsedTimer clock;
    clock.start();
    double firstHundred = 0;
    for (int i = 0; i < 500; ++i) {
        zarnek::protocol::ServerRow row;
        row.game = "1.6";
        row.name = "Bench server " + std::to_string(i);
        row.address = "127.0." + std::to_string(1 + i / 250) + "." + std::to_string(1 + i % 250);
        row.port = "27015";
        row.answerPort = 27015;
        row.map = "de_dust2";
        row.players = "5/20";
        form.AddServerRow(row);
        if (i == 99) firstHundred = clock.nsecsElapsed() / 1e6;
    }
    const double all = clock.nsecsElapsed() / 1e6;
    std::printf("adding 500 rows to the server list: %.1f ms (the first 100: %.1f ms, the last 400: %.1f ms)\n",
                all, firstHundred, all - firstHundred);
}

// The same datagrams sent in a plain loop, with the scan's sleep after each.
double timeBareLoop(int delay) {
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, 27005);
    const zarnek::protocol::QueryBuffers queries;
    const auto info = queries.InfoQuery();
    const QByteArray datagram(reinterpret_cast<const char*>(info.data()), int(info.size()));
    auto walk = zarnek::scanning::walkRange(kFrom, kTo);
    std::vector<QHostAddress> targets;
    while (const auto a = walk->next())
        targets.emplace_back(QString::fromStdString(zarnek::scanning::quadText(*a)));
    QElapsedTimer clock;
    clock.start();
    for (const QHostAddress& target : targets) {
        socket.writeDatagram(datagram, target, 27015);
        if (delay > 0) QThread::msleep(static_cast<unsigned long>(delay));
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    // Let the answers drain before the next run binds the port.
    QThread::msleep(500);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QJsonArray servers;
    for (int block = 1; block <= 2; ++block)
        for (int last = 1; last <= 250; ++last)
            servers.append(FakeLanProcess::server(QStringLiteral("127.0.%1.%2").arg(block).arg(last),
                                                  27015, QStringLiteral("goldsrc"),
                                                  QStringLiteral("Bench %1.%2").arg(block).arg(last)));
    FakeLanProcess lan(servers, 600);
    if (!lan.start()) {
        std::fprintf(stderr, "the fake LAN did not start (run this in a network namespace)\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zarnek.ini"));
    std::printf("500 servers, range %s - %s\n", kFrom, kTo);
    constexpr int kRuns = 3;
    for (int delay : {0, 5}) {
        for (int run = 0; run < kRuns; ++run) {
            const ScanFigures f = timeScan(delay, ini);
            std::printf("Delay %d: scan %.1f ms, %d addresses probed, %.0f addresses/s, "
                        "%d of 500 listed at completion, %d of 500 listed in the end "
                        "(last row after %.1f ms)\n",
                        delay, f.scanMs, f.probed, f.probed / (f.scanMs / 1000.0),
                        f.listedAtCompletion, f.listed, f.allListedMs);
        }
    }
    for (int delay : {0, 5})
        for (int run = 0; run < kRuns; ++run)
            std::printf("bare loop sending the same 504 datagrams, sleep %d ms after each: %.2f ms\n",
                        delay, timeBareLoop(delay));
    timeListing();
    return 0;
}
