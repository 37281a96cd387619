#include "core/scanning/broadcast_target.h"

#include "core/scanning/range_walk.h"

namespace zarnek::scanning {

namespace {

// Field `n` (from 1) of `text` split at '.', empty when there is no such field.
std::string_view field(std::string_view text, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t dot = text.find('.', start);
        if (dot == std::string_view::npos) return {};
        start = dot + 1;
    }
    const std::size_t end = text.find('.', start);
    return text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
}

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

std::optional<std::string> broadcastTarget(std::string_view localAddress,
                                           std::string_view netmask) {
    if (localAddress.empty()) return std::nullopt;
    const auto address = parseQuad(localAddress);
    const auto mask = parseQuad(netmask);
    if (address && mask) {
        const auto length = prefixLength(*mask);
        if (length && *length <= 30) {
            Quad broadcast{};
            for (std::size_t i = 0; i < broadcast.size(); ++i)
                broadcast[i] = static_cast<std::uint8_t>((*address)[i] | ~(*mask)[i]);
            return quadText(broadcast);
        }
    }
    std::string target(field(localAddress, 1));
    target += '.';
    target += field(localAddress, 2);
    target += ".255.255";
    return target;
}

}  // namespace zarnek::scanning
