#pragma once

// Small text functions the decoders and other subsystems share. They work on
// byte strings and touch nothing but their arguments.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarnek::protocol {

// The n-th field of text (counted from 1) between delimiters. Empty fields
// count, a text without the delimiter is one field, and a field beyond the
// last, n below 1 or an empty text give an empty result.
std::string FieldOf(char delimiter, std::string_view text, int n);

// The text between the last complete pair of markers, found without regard to
// ASCII letter case and only before the text's first zero character; the
// result keeps its own case. Empty when no pair is found or a marker is empty.
std::string TextBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker);

// Strict decimal conversion: an optional sign and at least one digit, nothing
// else, within the range of int. Texts from the network that fail it make the
// caller drop the answer quietly.
std::optional<int> ParseDecimal(std::string_view text);

// The program's one reading of a port text, whether a server stated it, the
// user typed it, the settings file stored it or a command line gave it:
// decimal digits only (no sign, no blanks), 1 to 65535. Port 0 is no port: a
// datagram cannot be sent to it, so it is refused like a number above 65535.
std::optional<std::uint16_t> ParsePort(std::string_view text);

// The program's one ASCII case fold: only A-Z and a-z change, every other
// byte is kept, so it never depends on the locale or on an encoding.
char AsciiUpper(char c);
std::string AsciiUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace zarnek::protocol
