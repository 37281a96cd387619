#pragma once

// Whether a new address range may join the ranges list: the range a scan
// walks covers one first and second octet and at most 20 consecutive values
// of the third, and no existing range ends where the new one starts or ends.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnek::settings {

using Octets = std::array<int, 4>;

enum class RangeRefusal {
    Incorrect,         // a first octet of 0: no address given
    IncorrectOrBig,    // other first or second octet, third backwards or too far
    Backwards,         // same third octet, fourth backwards
    Exists,            // an existing range ends at the new start or end
};

// The refusal of the range from..to (their octets and their dotted texts),
// given the To texts of the ranges already listed; nothing when it may join.
std::optional<RangeRefusal> checkNewRange(const Octets& from, const Octets& to, std::string_view fromText,
                                          std::string_view toText, const std::vector<std::string>& listedEnds);

// The message shown for a refusal.
const char* rangeRefusalText(RangeRefusal refusal);

}  // namespace zarnek::settings
