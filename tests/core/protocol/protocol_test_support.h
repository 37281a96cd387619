#pragma once

// Builders for hand-made datagrams and a loader for the recorded ones.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/requests.h"

namespace zarnek::protocol::testing {

// Appends bytes to a datagram in wire order.
class Wire {
public:
    Wire& header(std::uint8_t first = 0xFF) {
        bytes.push_back(first);
        bytes.insert(bytes.end(), 3, 0xFF);
        return *this;
    }
    Wire& byte(std::uint8_t b) {
        bytes.push_back(b);
        return *this;
    }
    Wire& u16(std::uint16_t v) { return byte(v & 0xFF).byte(v >> 8); }
    Wire& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(u >> (8 * i)));
        return *this;
    }
    // A zero-ended string.
    Wire& str(std::string_view s) {
        raw(s);
        return byte(0);
    }
    Wire& raw(std::string_view s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Wire& raw(const Bytes& b) {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    operator ByteView() const { return bytes; }

    Bytes bytes;
};

struct GoldSrcInfo {
    std::string address = "10.0.0.7:27015";
    std::string name = "Box";
    std::string map = "de_dust";
    std::string dir = "cstrike";
    std::string description = "Counter-Strike";
    std::uint8_t players = 5, maxPlayers = 20, protocol = 47;
    char type = 'd', os = 'l';
    std::uint8_t password = 0;
};

inline Bytes Make(const GoldSrcInfo& i) {
    Wire w;
    w.header().byte('m').str(i.address).str(i.name).str(i.map).str(i.dir).str(i.description);
    w.byte(i.players).byte(i.maxPlayers).byte(i.protocol).byte(i.type).byte(i.os);
    w.byte(i.password).byte(0).str("").str("");
    return w.bytes;
}

struct SourceInfo {
    std::uint8_t protocol = 7;
    std::string name = "Box";
    std::string map = "de_dust";
    std::string dir = "cstrike";
    std::string description = "Counter-Strike: Source";
    std::uint16_t appId = 240;
    std::uint8_t players = 12, maxPlayers = 16, bots = 0;
    char type = 'd', os = 'w';
    std::uint8_t password = 1;
};

inline Bytes Make(const SourceInfo& i) {
    Wire w;
    w.header().byte('I').byte(i.protocol).str(i.name).str(i.map).str(i.dir).str(i.description);
    w.u16(i.appId).byte(i.players).byte(i.maxPlayers).byte(i.bots).byte(i.type).byte(i.os);
    w.byte(i.password).byte(0);
    return w.bytes;
}

// An old-protocol answer around the given key/value text.
inline Bytes MakeOld(std::string_view keyValues) {
    Wire w;
    w.header().raw("infostringresponse").byte(0).raw(keyValues).byte(0);
    return w.bytes;
}

inline Bytes Fixture(const std::string& relative) {
    std::ifstream in(std::string(ZARNEK_TEST_DATA) + "/" + relative, std::ios::binary);
    if (!in) throw std::runtime_error("missing test datagram " + relative);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Text(ByteView bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace zarnek::protocol::testing
