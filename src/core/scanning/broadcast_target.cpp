#include "core/scanning/broadcast_target.h"

#include "core/protocol/text_helpers.h"
#include "core/scanning/range_walk.h"

namespace zarnek::scanning {

namespace {

// The prefix length of a contiguous netmask, or nothing for a non-contiguous one.
std::optional<int> prefixLength(const Quad& mask) {
    std::uint32_t bits = 0;
    for (std::uint8_t octet : mask) bits = (bits << 8) | octet;
    const std::uint32_t inverted = ~bits;
    if ((inverted & (inverted + 1)) != 0) return std::nullopt;
    int length = 0;
    while (bits & 0x80000000u) {
        ++length;
        bits <<= 1;
    }
    return length;
}

}  // namespace

std::optional<std::string> directedBroadcast(std::string_view address, std::string_view netmask) {
    const auto quad = parseQuad(address);
    const auto mask = parseQuad(netmask);
    if (!quad || !mask) return std::nullopt;
    const auto length = prefixLength(*mask);
    if (!length || *length > 30) return std::nullopt;
    Quad broadcast{};
    for (std::size_t i = 0; i < broadcast.size(); ++i)
        broadcast[i] = static_cast<std::uint8_t>((*quad)[i] | ~(*mask)[i]);
    return quadText(broadcast);
}

std::optional<std::string> broadcastTarget(std::string_view localAddress,
                                           std::string_view netmask) {
    if (localAddress.empty()) return std::nullopt;
    if (auto directed = directedBroadcast(localAddress, netmask)) return directed;
    using protocol::FieldOf;
    return FieldOf('.', localAddress, 1) + '.' + FieldOf('.', localAddress, 2) + ".255.255";
}

std::string netmaskOf(const std::vector<LanInterface>& interfaces, std::string_view address) {
    for (const LanInterface& i : interfaces)
        if (!address.empty() && i.address == address && !i.netmask.empty()) return i.netmask;
    return {};
}

}  // namespace zarnek::scanning
