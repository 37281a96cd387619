#pragma once

// The texts of a join and of auto-connect that are decided from texts alone:
// which game a row's caption launches, the parameter text the game is started
// with, and the status and dialog values of auto-connect.

#include <optional>
#include <string>
#include <string_view>

namespace zarnek::joining {

// The game index (the ExePath<n> and Param<n> slot) of a server row's caption:
// "HL" 0, "1.5" 1, "1.6" 2, "CZ" 3, "CSS" 4, "HL2" 5. Any other caption (an
// old-protocol "?" row) has none and launches nothing.
std::optional<int> GameIndexOf(std::string_view caption);

// The error shown when the executable of a game index is not set.
std::string_view MissingPathMessage(int gameIndex);

// "+password " followed by the password, as the password prompt and the
// auto-connect dialog store it.
std::string PasswordArgument(std::string_view password);

// A join's command line. The parameter text is what the user's settings and
// the row make of it, byte for byte; the game receives it as arguments: the
// standing part split as a command line, then "+password" and the password as
// one argument, so that blanks or quotes in a password cannot change the
// arguments before it.
struct JoinCommandLine {
    std::string parameterText;  // Param, " +connect ", address, ":", port, " ", PassArg
    std::string standingPart;   // the text before PassArg, split as a command line
    std::optional<std::string> password;
};
JoinCommandLine BuildJoinCommandLine(std::string_view param, std::string_view address,
                                     std::string_view port, std::string_view passArg);

// The third status panel while auto-connect is armed, e.g.
// " Autoconnect to 192.168.0.5. Waiting <= 4 players."
std::string AutoConnectWaitingText(std::string_view target, std::string_view comparison,
                                   std::string_view needText);

// The threshold box of the auto-connect dialog for a row's players cell
// ("count/maximum"): bounds 0..maximum and the value count - 1 kept within
// them. Nothing when a field is not a decimal number (an old-protocol server
// can send any text); invalidField then receives that field, the maximum's
// first, as it is converted first.
struct NeedBox {
    int maximum = 64;
    int value = 9;
};
std::optional<NeedBox> NeedBoxFor(std::string_view playersCell, std::string* invalidField = nullptr);

}  // namespace zarnek::joining
