#pragma once

// The command line of zarnek-query: which command, its options, and the
// addresses it probes. Plain C++ so that every rule can be checked without a
// socket; main() only reports the error text and exits with 2.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnek::tools {

inline constexpr std::uint16_t kGamePort = 27015;
inline constexpr std::uint16_t kHltvPort = 27020;

// One destination of a probe or of the detail requests.
struct Probe {
    std::string address;  // dotted IPv4
    std::uint16_t port = kGamePort;

    friend bool operator==(const Probe&, const Probe&) = default;
};

enum class Command { Help, Scan, Details };

struct QueryOptions {
    Command command = Command::Help;
    bool json = false;
    bool old = false;        // also the old text requests
    bool broadcast = false;  // scan only: the window's broadcast step
    int delayMs = 0;         // scan only: pause after each info request
    int waitMs = 1000;       // how long to read answers after the last send
    std::uint16_t localPort = 0;  // 0: an ephemeral port
    std::uint16_t scanPort = kGamePort;
    // scan: every address of every target, in order; details: the one server.
    std::vector<Probe> probes;
};

struct ParsedArguments {
    std::optional<QueryOptions> options;  // nothing when the line is malformed
    std::string error;                    // one line, without the program name
};

// args are the arguments after the program name.
ParsedArguments parseArguments(const std::vector<std::string>& args);

// The probes of one scan TARGET: an address, address:port, or a range
// FROM-TO walked like the window's ranges. Nothing when the text is none of
// these. A range may probe no address at all, as in the window.
std::optional<std::vector<Probe>> targetProbes(std::string_view target,
                                               std::uint16_t defaultPort);

// The --help text.
std::string usageText();

}  // namespace zarnek::tools
