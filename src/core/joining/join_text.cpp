#include "core/joining/join_text.h"

#include "core/protocol/text_helpers.h"

#include <algorithm>
#include <array>

namespace zarnek::joining {

namespace {

constexpr std::string_view kPasswordPrefix = "+password ";

struct Game {
    std::string_view caption;
    std::string_view missingPath;
};

constexpr std::array<Game, 6> kGames{{
    {"HL", "HL .exe path not set"},
    {"1.5", "CS1.5 .exe path not set"},
    {"1.6", "CS 1.6 .exe path not set"},
    {"CZ", "CZero .exe path not set"},
    {"CSS", "CSS .exe path not set"},
    {"HL2", "HL2 .exe path not set"},
}};

}  // namespace

std::optional<int> GameIndexOf(std::string_view caption)
{
    for (std::size_t i = 0; i < kGames.size(); ++i)
        if (kGames[i].caption == caption)
            return static_cast<int>(i);
    return std::nullopt;
}

std::string_view MissingPathMessage(int gameIndex)
{
    if (gameIndex < 0 || gameIndex >= static_cast<int>(kGames.size()))
        return {};
    return kGames[static_cast<std::size_t>(gameIndex)].missingPath;
}

std::string PasswordArgument(std::string_view password)
{
    std::string text(kPasswordPrefix);
    text += password;
    return text;
}

JoinCommandLine BuildJoinCommandLine(std::string_view param, std::string_view address,
                                     std::string_view port, std::string_view passArg)
{
    JoinCommandLine line;
    line.standingPart.reserve(param.size() + address.size() + port.size() + 12);
    line.standingPart += param;
    line.standingPart += " +connect ";
    line.standingPart += address;
    line.standingPart += ':';
    line.standingPart += port;
    // The blank before PassArg is there with or without a password.
    line.parameterText = line.standingPart + ' ';
    line.parameterText += passArg;
    if (passArg.starts_with(kPasswordPrefix))
        line.password = std::string(passArg.substr(kPasswordPrefix.size()));
    else if (!passArg.empty())
        line.standingPart = line.parameterText;  // not a password: split like the rest
    return line;
}

std::string AutoConnectWaitingText(std::string_view target, std::string_view comparison,
                                   std::string_view needText)
{
    std::string text = " Autoconnect to ";
    text += target;
    text += ". Waiting ";
    text += comparison;
    text += ' ';
    text += needText;
    text += " players.";
    return text;
}

std::optional<NeedBox> NeedBoxFor(std::string_view playersCell, std::string* invalidField)
{
    const std::string countText = protocol::FieldOf('/', playersCell, 1);
    const std::string maximumText = protocol::FieldOf('/', playersCell, 2);
    const auto maximum = protocol::ParseDecimal(maximumText);
    const auto count = protocol::ParseDecimal(countText);
    if (!maximum || !count) {
        if (invalidField)
            *invalidField = !maximum ? maximumText : countText;
        return std::nullopt;
    }
    NeedBox box;
    box.maximum = std::max(*maximum, 0);
    // count - 1 cannot overflow below: ParseDecimal keeps within int.
    const long long wanted = static_cast<long long>(*count) - 1;
    box.value = static_cast<int>(std::clamp<long long>(wanted, 0, box.maximum));
    return box;
}

}  // namespace zarnek::joining
