#include "core/protocol/dispatch.h"

#include "core/protocol/byte_reader.h"
#include "core/protocol/info_decoders.h"
#include "core/protocol/info_rows.h"
#include "core/protocol/players_decoder.h"
#include "core/protocol/rules_decoder.h"

namespace zarnek::protocol {

namespace {

// Spoofed senders could otherwise grow the set without bound between two
// clearings of the list; past this many, no further challenged info
// requests go out until the list is cleared.
constexpr std::size_t kMaxInfoChallenged = 4096;
// One host answering with challenges from port after port must not use up the
// whole set and keep other hosts' servers off the list: each address gets this
// many ports, more than a LAN host runs servers that ask for a challenge.
constexpr std::size_t kMaxInfoChallengedPerAddress = 16;

OutgoingDatagram To(std::string_view address, std::uint16_t port, ByteView bytes) {
    return OutgoingDatagram{std::string(address), port, Bytes(bytes.begin(), bytes.end())};
}

DatagramOutcome RowOutcome(std::optional<ServerRow> row) {
    DatagramOutcome out;
    if (row) {
        out.kind = OutcomeKind::AddRow;
        out.row = std::move(*row);
    }
    return out;
}

}  // namespace

std::vector<OutgoingDatagram> Dispatcher::DetailQueries(std::string_view address,
                                                        std::uint16_t port,
                                                        bool oldProtocol) const {
    std::vector<OutgoingDatagram> out;
    out.push_back(To(address, port, queries_.RulesQuery()));
    out.push_back(To(address, port, queries_.PlayerQuery()));
    if (oldProtocol) {
        out.push_back(To(address, port, queries_.OldPlayersQuery()));
        out.push_back(To(address, port, queries_.OldRulesQuery()));
    }
    return out;
}

DatagramOutcome Dispatcher::UDPDataReceived(ByteView datagram, std::string_view fromIP,
                                            std::uint16_t port,
                                            const ListedRows& listedRows) {
    if (datagram.size() > kMaxDatagram) return {};
    return HandleMessage(datagram, fromIP, port, listedRows, false);
}

std::vector<OutgoingDatagram> Dispatcher::SendQuery(ByteView answer, std::string_view fromIP,
                                                    std::uint16_t port,
                                                    const ListedRows& listedRows) {
    ByteReader in(answer, 5);
    ChallengeField challenge{};
    for (auto& b : challenge) b = in.Byte();
    queries_.SetChallenge(challenge);

    std::vector<OutgoingDatagram> out;
    out.push_back(To(fromIP, port, queries_.PlayerQueryShort()));
    out.push_back(To(fromIP, port, queries_.RulesQueryShort()));
    // Servers that refuse the plain info request answer it with a challenge;
    // without a row they would never be listed, so they get the request again
    // with their challenge, once.
    if (!listedRows.Full() && !listedRows.IsRepeated(fromIP, port, AnswerKind::Source) &&
        FirstInfoChallenge(fromIP, port)) {
        out.push_back(OutgoingDatagram{std::string(fromIP), port,
                                       queries_.InfoQueryWithChallenge(challenge)});
    }
    return out;
}

bool Dispatcher::FirstInfoChallenge(std::string_view fromIP, std::uint16_t port) {
    if (infoChallengedCount_ >= kMaxInfoChallenged) return false;
    std::set<std::uint16_t>& ports = infoChallenged_[std::string(fromIP)];
    if (ports.size() >= kMaxInfoChallengedPerAddress || !ports.insert(port).second) return false;
    ++infoChallengedCount_;
    return true;
}

void Dispatcher::ServerListCleared() {
    infoChallenged_.clear();
    infoChallengedCount_ = 0;
}

DatagramOutcome Dispatcher::HandleMessage(ByteView message, std::string_view fromIP,
                                          std::uint16_t port,
                                          const ListedRows& listedRows,
                                          bool reassembled) {
    DatagramOutcome out;
    // Offset 0 is not tested for whole answers: FE marks a fragment, any
    // other byte there passes.
    if (message.size() <= 4 || message[1] != 0xFF || message[2] != 0xFF || message[3] != 0xFF)
        return out;
    if (message[0] == 0xFE) {
        if (reassembled) return out;  // a fragment inside a fragment
        std::optional<Bytes> whole = reassembler_.Add(message, fromIP, port);
        if (!whole) return out;
        return HandleMessage(*whole, fromIP, port, listedRows, true);
    }
    const bool infoAnswer = message[4] == 'I' || message[4] == 'i' || message[4] == 'm';
    if (infoAnswer && listedRows.Full()) return out;  // no row could be added
    switch (message[4]) {
    case 'A':
        out.kind = OutcomeKind::Send;
        out.sends = SendQuery(message, fromIP, port, listedRows);
        return out;
    case 'D':
        out.kind = OutcomeKind::ListPlayers;
        out.players = AddPlayers(message);
        SortPlayersByFrags(out.players);
        return out;
    case 'E':
        out.kind = OutcomeKind::ListRules;
        out.rules = AddRules(message);
        return out;
    case 'I':
        return RowOutcome(AddCSS(message, fromIP, port, listedRows));
    case 'i': {
        ByteReader at14(message, 14);
        ByteReader at21(message, 21);
        if (at14.Byte() != 'r' || at21.Byte() != 'e') return out;
        return RowOutcome(AddOld(ExtractOldInfo(message), fromIP, port, listedRows));
    }
    case 'm':
        return RowOutcome(AddHL1(message, fromIP, port, listedRows));
    default:
        return out;
    }
}

}  // namespace zarnek::protocol
