#pragma once

// Info answers to server list rows. Each returns the row to append, or nothing
// when the answer is repeated (a row already stands for its sender) or its
// game is not one the program lists. The auto-connect check is the app's, on
// the row it appends.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/protocol/records.h"
#include "core/protocol/requests.h"
#include "core/protocol/server_row.h"

namespace zarnek::protocol {

std::optional<ServerRow> AddHL1(ByteView answer, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows);
std::optional<ServerRow> AddCSS(ByteView answer, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows);
// The old-protocol values as ExtractOldInfo found them.
std::optional<ServerRow> AddOld(const OldInfo& info, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows);

}  // namespace zarnek::protocol
