#include "core/protocol/text_helpers.h"

#include <limits>

namespace zarnek::protocol {

std::string FieldOf(char delimiter, std::string_view text, int n) {
    if (n <= 0 || text.empty()) return {};
    std::string rest(text);
    if (rest.back() != delimiter) rest.push_back(delimiter);
    std::string field;
    for (int i = 0; i < n; ++i) {
        const std::size_t at = rest.find(delimiter);
        if (at == std::string::npos) return {};  // ran out of fields
        field = rest.substr(0, at);
        rest.erase(0, at + 1);
    }
    return field;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string TextBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker) {
    if (text.empty() || startMarker.empty() || endMarker.empty()) return {};
    const std::size_t zero = text.find('\0');
    const std::string_view searched = text.substr(0, zero);  // npos keeps all
    const std::string upper = AsciiUpper(searched);
    const std::string start = AsciiUpper(startMarker);
    const std::string end = AsciiUpper(endMarker);
    std::string result;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t s = upper.find(start, pos);
        if (s == std::string::npos) break;
        const std::size_t valueStart = s + start.size();
        const std::size_t e = upper.find(end, valueStart);
        if (e == std::string::npos) break;
        result.assign(searched.substr(valueStart, e - valueStart));
        pos = e + end.size();
    }
    return result;
}

std::optional<int> ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty()) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 65535) return std::nullopt;
    }
    if (value == 0) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace zarnek::protocol
