#pragma once

// Port texts of the settings: the game and HLTV ports and a favourite's port.

#include <optional>
#include <string_view>

namespace zarnek::scanning {

// A decimal port 0..65535 written with digits only (no sign, no blanks), or
// nothing. A hand-edited settings file can hold anything.
std::optional<int> portNumber(std::string_view text);

}  // namespace zarnek::scanning
