#pragma once

// Decoded answers. They are plain records with the field names the program has
// always used; wire texts stay byte strings (one byte per char) so that
// comparisons are made on the bytes the server sent.

#include <cstdint>
#include <string>

namespace zarnek::protocol {

// A GoldSrc info answer (type 'm').
struct THL1info {
    std::string Address;  // as the server states it: "a.b.c.d:port"
    std::string Name;
    std::string Map;
    std::string GameDir;
    std::string Description;
    std::uint8_t Players = 0;
    std::uint8_t MaxPlayers = 0;
    std::uint8_t Protocol = 0;
    char ServerType = 0;
    char Os = 0;
    std::uint8_t Password = 0;
    std::uint8_t IsMod = 0;
    std::string ModInfoUrl;
    std::string ModDownloadUrl;
};

// A Source info answer (type 'I'). GoldSrc servers of today answer in this
// form too, which is why the application id is kept.
struct TCSSinfo {
    std::uint8_t Protocol = 0;
    std::string Name;
    std::string Map;
    std::string GameDir;
    std::string Description;
    std::uint16_t AppId = 0;
    std::uint8_t Players = 0;
    std::uint8_t MaxPlayers = 0;
    std::uint8_t Bots = 0;
    char ServerType = 0;
    char Os = 0;
    std::uint8_t Password = 0;
};

// The nine values of an old-protocol ("infostring") answer, texts as received.
struct OldInfo {
    std::string Hostname;
    std::string Map;
    std::string Players;
    std::string Max;
    std::string Os;
    std::string Password;
    std::string Proxy;
    std::string Protocol;
    std::string Description;
};

// One player of a players answer. Name holds well-formed UTF-8 (characters of
// at most three bytes) or is empty when the server sent anything else.
struct TPlayers {
    std::string Name;
    std::int32_t Frags = 0;
};

// One rule of a rules answer, name and value byte for byte.
struct TRules {
    std::string Name;
    std::string Value;
};

}  // namespace zarnek::protocol
