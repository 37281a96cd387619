#include "core/scanning/port_text.h"

namespace zarnek::scanning {

std::optional<int> portNumber(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 65535) return std::nullopt;
    return value;
}

}  // namespace zarnek::scanning
