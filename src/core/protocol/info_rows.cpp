#include "core/protocol/info_rows.h"

#include <string>

#include "core/protocol/game_choice.h"
#include "core/protocol/info_decoders.h"
#include "core/protocol/text_helpers.h"

namespace zarnek::protocol {

namespace {

void SetOs(ServerRow& row, char environment) {
    const bool windows = AsciiUpper(environment) == 'W';
    row.os = windows ? "WIN" : "LIN";
    row.osIcon = windows ? icon::Windows : icon::Linux;
}

int BinaryAvailability(std::uint8_t password, std::uint8_t players, std::uint8_t maxPlayers) {
    if (password == 0 && players < maxPlayers) return icon::Open;
    if (password == 1) return icon::Locked;
    return icon::Full;
}

ServerRow StartRow(const GameChoice& game, std::string_view fromIP, std::uint16_t port,
                   AnswerKind kind) {
    ServerRow row;
    row.game = game.caption;
    row.gameIcon = game.icon;
    row.address = std::string(fromIP);
    row.answerPort = port;
    row.kind = kind;
    return row;
}

void SetBinaryCounts(ServerRow& row, std::uint8_t protocol, std::uint8_t players,
                     std::uint8_t maxPlayers, std::uint8_t password) {
    row.pt = std::to_string(protocol);
    row.players = std::to_string(players) + "/" + std::to_string(maxPlayers);
    row.availabilityIcon = BinaryAvailability(password, players, maxPlayers);
    row.playerCount = players;
    row.playerText = std::to_string(players);
}

}  // namespace

std::optional<ServerRow> AddHL1(ByteView answer, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows) {
    if (listedRows.IsRepeated(fromIP, port, AnswerKind::GoldSrc)) return std::nullopt;
    const THL1info info = DecodeHL1(answer);
    const auto game = ChooseGame(info);
    if (!game) return std::nullopt;
    ServerRow row = StartRow(*game, fromIP, port, AnswerKind::GoldSrc);
    row.name = info.Name;
    // The port the server states is the one to join; servers behind a
    // forwarded port or with a broken address string fall back to the
    // sender's port so the cell is always a usable number.
    const auto stated = ParsePort(FieldOf(':', info.Address, 2));
    row.port = std::to_string(stated ? *stated : port);
    row.map = info.Map;
    SetBinaryCounts(row, info.Protocol, info.Players, info.MaxPlayers, info.Password);
    SetOs(row, info.Os);
    return row;
}

std::optional<ServerRow> AddCSS(ByteView answer, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows) {
    if (listedRows.IsRepeated(fromIP, port, AnswerKind::Source)) return std::nullopt;
    const TCSSinfo info = DecodeCSS(answer);
    const auto game = ChooseGame(info);
    if (!game) return std::nullopt;
    ServerRow row = StartRow(*game, fromIP, port, AnswerKind::Source);
    row.name = info.Name;
    row.port = std::to_string(port);
    row.map = info.Map;
    SetBinaryCounts(row, info.Protocol, info.Players, info.MaxPlayers, info.Password);
    SetOs(row, info.Os);
    return row;
}

std::optional<ServerRow> AddOld(const OldInfo& info, std::string_view fromIP, std::uint16_t port,
                                const ListedRows& listedRows) {
    if (listedRows.IsRepeated(fromIP, port, AnswerKind::OldProtocol)) return std::nullopt;
    const auto game = ChooseGame(info);
    if (!game) return std::nullopt;  // a relay whose protocol is no number
    ServerRow row = StartRow(*game, fromIP, port, AnswerKind::OldProtocol);
    row.name = info.Hostname;
    row.port = std::to_string(port);
    row.pt = info.Protocol;
    row.map = info.Map;
    row.players = info.Players + "/" + info.Max;
    SetOs(row, info.Os.empty() ? '\0' : info.Os.front());
    if (info.Password == "0")
        row.availabilityIcon = info.Players == info.Max ? icon::Full : icon::Open;
    else if (info.Password == "1")
        row.availabilityIcon = icon::Locked;
    else
        row.availabilityIcon = icon::None;
    row.playerCount = ParseDecimal(info.Players);
    row.playerText = info.Players;
    return row;
}

}  // namespace zarnek::protocol
