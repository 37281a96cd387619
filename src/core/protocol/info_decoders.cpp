#include "core/protocol/info_decoders.h"

#include <string>

#include "core/protocol/byte_reader.h"
#include "core/protocol/text_helpers.h"

namespace zarnek::protocol {

THL1info DecodeHL1(ByteView answer) {
    ByteReader in(answer, 5);
    THL1info info;
    info.Address = in.String();
    info.Name = in.String();
    info.Map = in.String();
    info.GameDir = in.String();
    info.Description = in.String();
    info.Players = in.Byte();
    info.MaxPlayers = in.Byte();
    info.Protocol = in.Byte();
    info.ServerType = in.Char();
    info.Os = in.Char();
    info.Password = in.Byte();
    info.IsMod = in.Byte();
    info.ModInfoUrl = in.String();
    info.ModDownloadUrl = in.String();
    return info;
}

TCSSinfo DecodeCSS(ByteView answer) {
    ByteReader in(answer, 5);
    TCSSinfo info;
    info.Protocol = in.Byte();
    info.Name = in.String();
    info.Map = in.String();
    info.GameDir = in.String();
    info.Description = in.String();
    info.AppId = in.U16();
    info.Players = in.Byte();
    info.MaxPlayers = in.Byte();
    info.Bots = in.Byte();
    info.ServerType = in.Char();
    info.Os = in.Char();
    info.Password = in.Byte();
    return info;
}

OldInfo ExtractOldInfo(ByteView answer) {
    std::string text;
    if (answer.size() > 23)
        text.assign(reinterpret_cast<const char*>(answer.data()) + 23, answer.size() - 23);
    auto value = [&](const char* key) {
        return TextBetween(text, std::string("\\") + key + "\\", "\\");
    };
    OldInfo info;
    info.Hostname = value("hostname");
    info.Map = value("map");
    info.Players = value("players");
    info.Max = value("max");
    info.Os = value("os");
    info.Password = value("password");
    info.Proxy = value("proxy");
    info.Protocol = value("protocol");
    info.Description = value("description");
    return info;
}

}  // namespace zarnek::protocol
