// Feeds arbitrary datagrams through the dispatcher as the program receives
// them. An input beginning FF or FE is one datagram; any other input is a
// sequence of framed datagrams (a control byte choosing the sender, a 2-byte
// length, the bytes) so that split reassembly and the challenge set carry
// state from one datagram to the next. The listed rows grow as the app's
// would, and every outcome is checked for what the app relies on.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/protocol/dispatch.h"
#include "core/protocol/players_decoder.h"
#include "core/protocol/server_row.h"
#include "core/protocol/text_helpers.h"

namespace {

using namespace zarnek::protocol;

void Require(bool condition) {
    if (!condition) std::abort();
}

const char* const kSenders[] = {"10.0.0.1", "10.0.0.2", "127.0.0.1", "192.168.1.20"};
const std::uint16_t kPorts[] = {27015, 27016};

void CheckRow(const ServerRow& row, std::uint16_t port) {
    static const std::string games[] = {"1.6", "1.5", "CZ", "HL", "CSS", "HL2", "?"};
    bool known = false;
    for (const auto& g : games) known = known || row.game == g;
    Require(known);
    Require(row.gameIcon >= 0 && row.gameIcon <= 6);
    Require((row.os == "WIN" && row.osIcon == icon::Windows) ||
            (row.os == "LIN" && row.osIcon == icon::Linux));
    Require(row.availabilityIcon == icon::None || row.availabilityIcon == icon::Open ||
            row.availabilityIcon == icon::Full || row.availabilityIcon == icon::Locked);
    Require(row.a.empty());
    Require(row.answerPort == port);
    // The Port cell is always a port the app can send to.
    Require(ParsePort(row.port).has_value());
    if (row.kind != AnswerKind::GoldSrc) Require(row.port == std::to_string(port));
    Require(FieldOf('/', row.players, 3).empty() || row.kind == AnswerKind::OldProtocol);
}

struct Session {
    Dispatcher dispatcher;
    ServerList rows;

    void Receive(const std::uint8_t* data, std::size_t size, int sender) {
        const std::string from = kSenders[sender & 3];
        const std::uint16_t port = kPorts[(sender >> 2) & 1];
        const DatagramOutcome out = dispatcher.UDPDataReceived(
            reinterpret_cast<const char*>(data), size, from, port, rows);
        switch (out.kind) {
        case OutcomeKind::AddRow:
            CheckRow(out.row, port);
            // The list's index and the walk over its rows agree.
            Require(!rows.IsRepeated(from, port, out.row.kind));
            Require(!IsRepeatedAnswer(rows.rows(), from, port, out.row.kind));
            (void)CheckAutoConnect(true, from, "<=", 5, out.row.address, out.row.playerCount);
            (void)AutoConnectQuestion(out.row.address, out.row.playerText);
            if (rows.size() < 4000) Require(rows.Append(out.row));
            break;
        case OutcomeKind::ListPlayers: {
            for (const auto& p : out.players) Require(DecodePlayerName(p.Name) == p.Name);
            for (std::size_t i = 1; i < out.players.size(); ++i)
                Require(CompareByFrags(out.players[i - 1], out.players[i]) <= 0);
            auto byName = out.players;
            SortPlayersByName(byName);
            break;
        }
        case OutcomeKind::ListRules:
            for (const auto& r : out.rules)
                (void)TextBetween(r.Name + r.Value, "\\map\\", "\\");
            break;
        case OutcomeKind::Send:
            Require(out.sends.size() == 2 || out.sends.size() == 3);
            for (const auto& s : out.sends) {
                Require(s.address == from && s.port == port);
                Require(s.bytes.size() == 9 || s.bytes.size() == 29);
            }
            break;
        case OutcomeKind::Nothing:
            break;
        }
        Require(out.kind == OutcomeKind::AddRow || out.row.name.empty());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Session session;
    if (size == 0) return 0;
    if (data[0] == 0xFF || data[0] == 0xFE) {
        session.Receive(data, size, 0);
        return 0;
    }
    std::size_t at = 0;
    while (at + 3 <= size) {
        const std::uint8_t control = data[at];
        const std::size_t length = (data[at + 1] | (data[at + 2] << 8)) % 1601;
        at += 3;
        if (control == 0xFF) {  // the app clears the server list
            session.rows.Clear();
            session.dispatcher.ServerListCleared();
        }
        const std::size_t take = length < size - at ? length : size - at;
        session.Receive(data + at, take, control);
        at += take;
    }
    return 0;
}
