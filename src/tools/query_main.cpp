// zarnek-query: the server list and the detail lists of Zarnek on the
// command line, from the same protocol core and UDP endpoint as the window.

#include "platform/event_pump.h"
#include "platform/qt_udp_endpoint.h"
#include "platform/local_address.h"
#include "tools/details_session.h"
#include "tools/query_options.h"
#include "tools/query_output.h"
#include "tools/scan_session.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using zarnek::tools::Command;
using zarnek::tools::QueryOptions;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void complain(const std::string& line)
{
    std::fprintf(stderr, "zarnek-query: %s\n", line.c_str());
}

// A list that could not be written (a full disk, a closed pipe) must not end
// with the status of success.
int print(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain("cannot write the output");
        return kExitFailure;
    }
    return kExitOk;
}

std::string probedCount(int probed)
{
    return std::to_string(probed) + (probed == 1 ? " target probed" : " targets probed");
}

int runScan(QtUdpEndpoint& udp, const QueryOptions& options)
{
    std::vector<zarnek::scanning::BroadcastDestination> broadcast;
    if (options.broadcast) {
        const SystemLocalAddress local;
        broadcast = zarnek::scanning::broadcastDestinations(
            local.interfaces(), local.address().toStdString(), options.scanPort);
        if (broadcast.empty())
            complain("no local IPv4 address; the broadcast step is skipped");
    }
    QtEventPump pump;
    zarnek::tools::ScanSession scan(udp, pump, options);
    scan.run(broadcast);
    if (scan.servers().empty()) {
        complain("no server listed; " + probedCount(scan.probed()));
        return kExitOk;
    }
    return print(options.json ? zarnek::tools::serversJson(scan.servers())
                              : zarnek::tools::serverLines(scan.servers()));
}

int runDetails(QtUdpEndpoint& udp, const QueryOptions& options)
{
    QtEventPump pump;
    zarnek::tools::DetailsSession details(udp, pump, options);
    details.run();
    if (!details.answered()) {
        const zarnek::tools::Probe& server = options.probes.front();
        complain("no players or rules answer from " + server.address + ":" +
                 std::to_string(server.port) + "; " + probedCount(1));
        return kExitOk;
    }
    return print(options.json ? zarnek::tools::detailsJson(details.players(), details.rules())
                              : zarnek::tools::detailLines(details.players(), details.rules()));
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const zarnek::tools::ParsedArguments parsed = zarnek::tools::parseArguments(args);
    if (!parsed.options) {
        complain(parsed.error);
        return kExitUsage;
    }
    const QueryOptions& options = *parsed.options;
    if (options.command == Command::Help) {
        return print(QByteArray::fromStdString(zarnek::tools::usageText()));
    }

    QCoreApplication app(argc, argv);
    QtUdpEndpoint udp(options.localPort);
    if (!udp.isBound()) {
        complain("cannot bind local UDP port " + std::to_string(options.localPort));
        return kExitFailure;
    }
    return options.command == Command::Scan ? runScan(udp, options) : runDetails(udp, options);
}
