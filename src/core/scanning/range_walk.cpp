#include "core/scanning/range_walk.h"

namespace zarnek::scanning {

namespace {

// The upper bound of the last octet in the block of third octet `third`.
int lastBound(const Quad& to, int third) {
    return third == to[2] ? to[3] : 254;
}

}  // namespace

std::optional<Quad> parseQuad(std::string_view text) {
    Quad result{};
    std::size_t field = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t digits = 0;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (++digits > 3) return std::nullopt;
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        if (digits == 0 || value > 255) return std::nullopt;
        result[field++] = static_cast<std::uint8_t>(value);
        if (field == 4) break;
        if (pos >= text.size() || text[pos] != '.') return std::nullopt;
        ++pos;
    }
    if (pos != text.size()) return std::nullopt;
    return result;
}

std::string quadText(const Quad& address) {
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i > 0) text += '.';
        text += std::to_string(address[i]);
    }
    return text;
}

RangeWalk::RangeWalk(const Quad& from, const Quad& to)
    : from_(from), to_(to), third_(from[2]), last_(from[3]) {}

std::optional<Quad> RangeWalk::next() {
    // Blocks whose first last octet lies above their bound probe nothing; a
    // third octet past To's ends the range.
    while (third_ <= to_[2]) {
        if (last_ <= lastBound(to_, third_)) {
            Quad address{from_[0], from_[1], static_cast<std::uint8_t>(third_),
                         static_cast<std::uint8_t>(last_)};
            ++last_;
            return address;
        }
        ++third_;
        last_ = from_[3];
    }
    return std::nullopt;
}

std::size_t RangeWalk::size() const {
    std::size_t count = 0;
    for (int third = from_[2]; third <= to_[2]; ++third) {
        const int bound = lastBound(to_, third);
        if (from_[3] <= bound) count += static_cast<std::size_t>(bound - from_[3] + 1);
    }
    return count;
}

std::optional<RangeWalk> walkRange(std::string_view from, std::string_view to) {
    const auto f = parseQuad(from);
    const auto t = parseQuad(to);
    if (!f || !t) return std::nullopt;
    return RangeWalk(*f, *t);
}

std::vector<std::string> rangeAddresses(std::string_view from, std::string_view to) {
    std::vector<std::string> addresses;
    auto walk = walkRange(from, to);
    if (!walk) return addresses;
    while (auto address = walk->next()) addresses.push_back(quadText(*address));
    return addresses;
}

}  // namespace zarnek::scanning
