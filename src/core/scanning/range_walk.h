#pragma once

// The walk over one IP range of the scan: which addresses a From/To pair
// probes. Only the first two octets of From are used for every address; the
// third octet runs from From's to To's, and the last octet restarts at From's
// in every block, ending at 254 except in the block of To's third octet.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnek::scanning {

using Quad = std::array<std::uint8_t, 4>;

// Four decimal octets 0..255 separated by dots, each of one to three digits.
// Anything else (a hand-edited settings file) gives nothing.
std::optional<Quad> parseQuad(std::string_view text);

// Dotted decimal text without leading zeros.
std::string quadText(const Quad& address);

// Walks the addresses of one range in probe order, one at a time, so the scan
// loop can run the event pump between two of them.
class RangeWalk {
public:
    RangeWalk(const Quad& from, const Quad& to);

    // The next address to probe, or nothing once the range is done.
    std::optional<Quad> next();

    // How many addresses the whole range probes.
    std::size_t size() const;

private:
    Quad from_;
    Quad to_;
    int third_;  // third octet of the next address
    int last_;   // last octet of the next address
};

// The walk for two stored range texts; nothing when either is not a dotted quad.
std::optional<RangeWalk> walkRange(std::string_view from, std::string_view to);

// Every address of a range as text, in probe order.
std::vector<std::string> rangeAddresses(std::string_view from, std::string_view to);

}  // namespace zarnek::scanning
