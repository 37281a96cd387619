#include "tools/query_options.h"

#include "core/protocol/text_helpers.h"
#include "core/scanning/range_walk.h"

#include <functional>
#include <map>

namespace zarnek::tools {

namespace {

constexpr int kMaxDelayMs = 60'000;
constexpr int kMaxWaitMs = 3'600'000;

std::optional<int> milliseconds(std::string_view text, int max) {
    if (text.empty() || text.size() > 7) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > max) return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// What the options set while the line is read; the command decides later
// which of them it accepts.
struct Seen {
    QueryOptions options;
    std::optional<std::uint16_t> port;
    bool hltv = false;
    std::vector<std::string> positional;
    std::vector<std::string> scanOnly;  // scan options given, for the details check
};

using ValueOption = std::function<std::optional<std::string>(Seen&, std::string_view)>;
using FlagOption = std::function<void(Seen&)>;

const std::map<std::string, FlagOption, std::less<>>& flagOptions() {
    static const std::map<std::string, FlagOption, std::less<>> flags{
        {"--json", [](Seen& s) { s.options.json = true; }},
        {"--old", [](Seen& s) { s.options.old = true; }},
        {"--hltv", [](Seen& s) { s.hltv = true; s.scanOnly.push_back("--hltv"); }},
        {"--broadcast",
         [](Seen& s) { s.options.broadcast = true; s.scanOnly.push_back("--broadcast"); }},
    };
    return flags;
}

const std::map<std::string, ValueOption, std::less<>>& valueOptions() {
    static const std::map<std::string, ValueOption, std::less<>> values{
        {"--port",
         [](Seen& s, std::string_view v) -> std::optional<std::string> {
             s.scanOnly.push_back("--port");
             s.port = protocol::ParsePort(v);
             if (!s.port) return "malformed port " + quoted(v) + " (1 to 65535)";
             return std::nullopt;
         }},
        {"--local-port",
         [](Seen& s, std::string_view v) -> std::optional<std::string> {
             const auto port = protocol::ParsePort(v);
             if (!port) return "malformed local port " + quoted(v) + " (1 to 65535)";
             s.options.localPort = *port;
             return std::nullopt;
         }},
        {"--delay",
         [](Seen& s, std::string_view v) -> std::optional<std::string> {
             s.scanOnly.push_back("--delay");
             const auto ms = milliseconds(v, kMaxDelayMs);
             if (!ms) return "malformed delay " + quoted(v) + " (0 to 60000 ms)";
             s.options.delayMs = *ms;
             return std::nullopt;
         }},
        {"--wait",
         [](Seen& s, std::string_view v) -> std::optional<std::string> {
             const auto ms = milliseconds(v, kMaxWaitMs);
             if (!ms) return "malformed wait " + quoted(v) + " (0 to 3600000 ms)";
             s.options.waitMs = *ms;
             return std::nullopt;
         }},
    };
    return values;
}

ParsedArguments failure(std::string error) { return ParsedArguments{std::nullopt, std::move(error)}; }

ParsedArguments finishScan(Seen& seen) {
    QueryOptions& o = seen.options;
    if (seen.hltv && seen.port) return failure("--port and --hltv exclude each other");
    o.scanPort = seen.hltv ? kHltvPort : seen.port.value_or(kGamePort);
    if (seen.positional.empty() && !o.broadcast)
        return failure("scan needs at least one TARGET, or --broadcast");
    for (const std::string& target : seen.positional) {
        auto probes = targetProbes(target, o.scanPort);
        if (!probes)
            return failure("malformed target " + quoted(target) +
                           " (an IPv4 address, address:port or FROM-TO)");
        o.probes.insert(o.probes.end(), probes->begin(), probes->end());
    }
    return ParsedArguments{std::move(o), {}};
}

ParsedArguments finishDetails(Seen& seen) {
    if (!seen.scanOnly.empty())
        return failure("option " + seen.scanOnly.front() + " belongs to scan, not to details");
    if (seen.positional.size() != 1)
        return failure("details needs exactly one ADDRESS[:PORT]");
    const std::string& target = seen.positional.front();
    auto probes = targetProbes(target, kGamePort);
    if (!probes || probes->size() != 1 || target.find('-') != std::string::npos)
        return failure("malformed server " + quoted(target) + " (an IPv4 address or address:port)");
    seen.options.probes = std::move(*probes);
    return ParsedArguments{std::move(seen.options), {}};
}

}  // namespace

std::optional<std::vector<Probe>> targetProbes(std::string_view target,
                                               std::uint16_t defaultPort) {
    if (const auto dash = target.find('-'); dash != std::string_view::npos) {
        auto walk = scanning::walkRange(target.substr(0, dash), target.substr(dash + 1));
        if (!walk) return std::nullopt;
        std::vector<Probe> probes;
        probes.reserve(walk->size());
        while (const auto address = walk->next())
            probes.push_back(Probe{scanning::quadText(*address), defaultPort});
        return probes;
    }
    std::uint16_t port = defaultPort;
    std::string_view address = target;
    if (const auto colon = target.find(':'); colon != std::string_view::npos) {
        const auto stated = protocol::ParsePort(target.substr(colon + 1));
        if (!stated) return std::nullopt;
        port = *stated;
        address = target.substr(0, colon);
    }
    const auto quad = scanning::parseQuad(address);
    if (!quad) return std::nullopt;
    return std::vector<Probe>{Probe{scanning::quadText(*quad), port}};
}

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return failure("no command given (scan or details); see --help");
    Seen seen;
    const std::string& command = args.front();
    if (command == "--help" || command == "-h" || command == "help") {
        seen.options.command = Command::Help;
        return ParsedArguments{std::move(seen.options), {}};
    }
    if (command == "scan") seen.options.command = Command::Scan;
    else if (command == "details") seen.options.command = Command::Details;
    else return failure("unknown command " + quoted(command) + " (scan or details); see --help");

    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            seen.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            seen.options.command = Command::Help;
            return ParsedArguments{std::move(seen.options), {}};
        }
        const auto eq = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, eq);
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            if (eq != std::string::npos) return failure("option " + std::string(name) + " takes no value");
            flag->second(seen);
            continue;
        }
        const auto value = valueOptions().find(name);
        if (value == valueOptions().end()) return failure("unknown option " + quoted(name));
        std::string_view text;
        if (eq != std::string::npos) {
            text = std::string_view(arg).substr(eq + 1);
        } else {
            if (i + 1 >= args.size()) return failure("option " + std::string(name) + " needs a value");
            text = args[++i];
        }
        if (auto error = value->second(seen, text)) return failure(std::move(*error));
    }
    return seen.options.command == Command::Scan ? finishScan(seen) : finishDetails(seen);
}

std::string usageText() {
    return R"(Usage:
  zarnek-query scan [options] TARGET...
  zarnek-query details [--old] [--json] [--wait MS] [--local-port N] ADDRESS[:PORT]

scan sends the info request to every target and prints one line per server
that answered, as the server list of Zarnek shows it, tab-separated:
  Game, Name, Address, Port, PT, Map, players, OS, availability
  (open, full, password or empty) and the round-trip time in ms.
A TARGET is an IPv4 address, address:port, or a range FROM-TO walked like
Zarnek's IP ranges (the first two octets of FROM; the last octet runs to 254
in every block but the last).

details asks one server for its players and rules, follows its challenge,
and prints the players sorted by frags, then the rules in their order.

Options:
  --port N        game port of the scan (default 27015)
  --hltv          scan the HLTV port 27020 instead
  --old           also send the old text requests
  --delay MS      pause after each info request (default 0)
  --wait MS       read answers this long after the last send (default 1000)
  --broadcast     also query the broadcast address of every local network,
                  on the scan port and the other common server ports
  --local-port N  send from this local port (default: any free port)
  --json          print JSON instead of lines
  --help          show this text

Exit status: 0 when the queries went out (also when nothing answered),
1 when the local port cannot be bound or the output cannot be written,
2 for a malformed command line.
)";
}

}  // namespace zarnek::tools
