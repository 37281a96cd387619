#pragma once

// Which game a server runs, decided from its info answer. Server plugins often
// replace the game description, and GoldSrc servers of today answer in the
// Source form, so the description is tried first and the game directory or
// application id decides when the description is not one the program knows.

#include <optional>
#include <string>

#include "core/protocol/records.h"

namespace zarnek::protocol {

struct GameChoice {
    std::string caption;  // "Game" cell
    int icon = 0;         // row icon
};

// Empty when the answer must be dropped.
std::optional<GameChoice> ChooseGame(const THL1info& info);
std::optional<GameChoice> ChooseGame(const TCSSinfo& info);
// Never empty for a recognised layout: unknown descriptions give "?". Empty
// only when a relay or demo playback states a protocol that is not a number.
std::optional<GameChoice> ChooseGame(const OldInfo& info);

}  // namespace zarnek::protocol
