#include "core/protocol/game_choice.h"

#include <string_view>

#include "core/protocol/server_row.h"
#include "core/protocol/text_helpers.h"

namespace zarnek::protocol {

namespace {

// The descriptions GoldSrc servers send, in whichever form they answer.
std::optional<GameChoice> GoldSrcDescription(std::string_view description, int protocol) {
    if (description == "Counter-Strike") return GameChoice{"1.6", icon::CounterStrike};
    if (description == "HLTV") return GameChoice{protocol == 46 ? "1.5" : "1.6", icon::Relay};
    if (description == "CounterStrike") return GameChoice{"1.5", icon::CounterStrike};
    if (description == "Half-Life") return GameChoice{"HL", icon::HalfLife};
    if (description == "Condition Zero") return GameChoice{"CZ", icon::ConditionZero};
    return std::nullopt;
}

}  // namespace

std::optional<GameChoice> ChooseGame(const THL1info& info) {
    if (auto game = GoldSrcDescription(info.Description, info.Protocol)) return game;
    if (info.GameDir == "cstrike")
        return GameChoice{info.Protocol == 46 ? "1.5" : "1.6", icon::CounterStrike};
    if (info.GameDir == "czero") return GameChoice{"CZ", icon::ConditionZero};
    if (info.GameDir == "valve") return GameChoice{"HL", icon::HalfLife};
    return std::nullopt;
}

std::optional<GameChoice> ChooseGame(const TCSSinfo& info) {
    const std::string_view d = info.Description;
    if (d == "Deathmatch") return GameChoice{"HL2", icon::HalfLife2};
    if (d == "Counter-Strike:Source Bots Enabled" || d == "Counter-Strike: Source")
        return GameChoice{"CSS", icon::Source};
    if (auto game = GoldSrcDescription(d, info.Protocol)) return game;
    switch (info.AppId) {
    case 240: return GameChoice{"CSS", icon::Source};
    case 320: return GameChoice{"HL2", icon::HalfLife2};
    case 10: return GameChoice{"1.6", icon::CounterStrike};
    case 80: return GameChoice{"CZ", icon::ConditionZero};
    case 70: return GameChoice{"HL", icon::HalfLife};
    default: return std::nullopt;
    }
}

std::optional<GameChoice> ChooseGame(const OldInfo& info) {
    const std::string_view d = info.Description;
    const bool proxy = info.Proxy == "1";
    auto byProtocol = [&](int rowIcon) -> std::optional<GameChoice> {
        const auto protocol = ParseDecimal(info.Protocol);
        if (!protocol) return std::nullopt;
        return GameChoice{*protocol == 46 ? "1.5" : "1.6", rowIcon};
    };
    if (d == "Counter-Strike") return GameChoice{"1.6", proxy ? icon::Relay : icon::CounterStrike};
    if (d == "CounterStrike") return GameChoice{"1.5", proxy ? icon::Relay : icon::CounterStrike};
    if (d == "Condition Zero") return GameChoice{"CZ", proxy ? icon::Relay : icon::ConditionZero};
    if (d == "Half-Life") return GameChoice{"HL", proxy ? icon::Relay : icon::HalfLife};
    if (d == "HLTV") return byProtocol(icon::Relay);
    if (d == "Demo Playback") return byProtocol(icon::DemoPlayback);
    return GameChoice{"?", icon::CounterStrike};
}

}  // namespace zarnek::protocol
