#include "core/protocol/players_decoder.h"

#include <algorithm>
#include <cstdint>

#include "core/protocol/byte_reader.h"
#include "core/protocol/text_helpers.h"

namespace zarnek::protocol {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool IsWellFormedUtf8UpTo3(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            if (i + 1 >= s.size() || !IsContinuation(static_cast<unsigned char>(s[i + 1])))
                return false;
            i += 2;
            continue;
        }
        if (c >= 0xE0 && c <= 0xEF) {
            if (i + 2 >= s.size()) return false;
            const auto c1 = static_cast<unsigned char>(s[i + 1]);
            const auto c2 = static_cast<unsigned char>(s[i + 2]);
            if (!IsContinuation(c1) || !IsContinuation(c2)) return false;
            if (c == 0xE0 && c1 < 0xA0) return false;  // overlong
            if (c == 0xED && c1 > 0x9F) return false;  // surrogate halves
            i += 3;
            continue;
        }
        // Stray continuation bytes, overlong two-byte leads, and every
        // four-byte character.
        return false;
    }
    return true;
}

}  // namespace

std::string DecodePlayerName(std::string_view bytes) {
    return IsWellFormedUtf8UpTo3(bytes) ? std::string(bytes) : std::string();
}

std::vector<TPlayers> AddPlayers(ByteView answer) {
    std::vector<TPlayers> players;
    // Offset 5 is the count and offset 6 the first index byte; the first name
    // starts at 7 and each record is its name, zero, frags, time and the next
    // index byte.
    ByteReader in(answer, 7);
    while (in.Offset() < answer.size()) {
        TPlayers player;
        player.Name = DecodePlayerName(in.String());
        player.Frags = in.I32();
        in.Skip(4);
        in.Skip(1);
        players.push_back(std::move(player));
    }
    return players;
}

int CompareByFrags(const TPlayers& a, const TPlayers& b) {
    if (a.Frags == b.Frags) return 0;
    return a.Frags > b.Frags ? -1 : 1;
}

int CompareByName(const TPlayers& a, const TPlayers& b) {
    const std::size_t n = std::min(a.Name.size(), b.Name.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a.Name[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b.Name[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.Name.size() == b.Name.size()) return 0;
    return a.Name.size() < b.Name.size() ? -1 : 1;
}

void SortPlayersByFrags(std::vector<TPlayers>& players) {
    std::stable_sort(players.begin(), players.end(),
                     [](const TPlayers& a, const TPlayers& b) { return CompareByFrags(a, b) < 0; });
}

void SortPlayersByName(std::vector<TPlayers>& players) {
    std::stable_sort(players.begin(), players.end(),
                     [](const TPlayers& a, const TPlayers& b) { return CompareByName(a, b) < 0; });
}

}  // namespace zarnek::protocol
