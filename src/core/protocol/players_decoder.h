#pragma once

// Players answers (type 'D') to player records, and the two orders the
// players list is sorted in.

#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/records.h"
#include "core/protocol/requests.h"

namespace zarnek::protocol {

// The records of a whole players answer, in the answer's order. The number of
// records follows from the answer's length; its count byte is not trusted.
std::vector<TPlayers> AddPlayers(ByteView answer);

// The name as listed: the bytes unchanged when they are well-formed UTF-8
// with characters of at most three bytes, otherwise empty.
std::string DecodePlayerName(std::string_view bytes);

// Three-way comparisons for the list's sort: negative when a comes first.
// By frags, highest first; by name, ascending with only a-z folded to A-Z.
int CompareByFrags(const TPlayers& a, const TPlayers& b);
int CompareByName(const TPlayers& a, const TPlayers& b);

// The order every new players answer is shown in; equal frags keep the
// answer's order.
void SortPlayersByFrags(std::vector<TPlayers>& players);
void SortPlayersByName(std::vector<TPlayers>& players);

}  // namespace zarnek::protocol
