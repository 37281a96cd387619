#include "core/settings/range_check.h"

namespace zarnek::settings {

std::optional<RangeRefusal> checkNewRange(const Octets& from, const Octets& to, std::string_view fromText,
                                          std::string_view toText, const std::vector<std::string>& listedEnds)
{
    if (from[0] == 0 || to[0] == 0)
        return RangeRefusal::Incorrect;
    if (from[0] != to[0] || from[1] != to[1])
        return RangeRefusal::IncorrectOrBig;
    if (to[2] < from[2] || to[2] - from[2] > 19)
        return RangeRefusal::IncorrectOrBig;
    // Across third octets the fourth ones are not compared: 10.0.1.200 to
    // 10.0.2.5 is a range.
    if (from[2] == to[2] && to[3] < from[3])
        return RangeRefusal::Backwards;
    for (const std::string& end : listedEnds)
        if (end == fromText || end == toText)
            return RangeRefusal::Exists;
    return std::nullopt;
}

const char* rangeRefusalText(RangeRefusal refusal)
{
    switch (refusal) {
    case RangeRefusal::Incorrect:
        return "Incorrect IP range";
    case RangeRefusal::IncorrectOrBig:
        return "IP range incorrect or very big";
    case RangeRefusal::Backwards:
        return "IP range incorrect";
    case RangeRefusal::Exists:
        return "IP range exist";
    }
    return "";
}

}  // namespace zarnek::settings
