#pragma once

// The one entry point for every datagram that reaches the program's UDP
// endpoint. The app's data-received handler (and the command-line tool) hand
// each datagram to Dispatcher::UDPDataReceived and apply the outcome; all the
// protocol state that outlives one datagram lives in the Dispatcher, so there
// is exactly one of it per program (the main window owns it).
//
// Typical use in the main window:
//
//   auto out = protocol.UDPDataReceived(bytes, size, fromIP, port, rows);
//   switch (out.kind) {
//   case OutcomeKind::AddRow:      append out.row to LW (and to rows), then act
//                                  on CheckAutoConnect(..., out.row.address,
//                                  out.row.playerCount)
//   case OutcomeKind::ListRules:   clear LWRules, list out.rules in order
//   case OutcomeKind::ListPlayers: clear LWPlayers, list out.players (already in
//                                  frags order; column clicks use CompareByName)
//   case OutcomeKind::Send:        send each of out.sends in order
//   case OutcomeKind::Nothing:     break;
//   }
//
// Whenever the server list is cleared (scan, refresh, auto-connect poll) call
// ServerListCleared(), so that servers that refuse the plain info request
// get one challenged info request again.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/protocol/records.h"
#include "core/protocol/requests.h"
#include "core/protocol/split_reassembly.h"
#include "core/protocol/server_row.h"

namespace zarnek::protocol {

// The longest datagram the program accepts, in the window and in the console
// tool alike. A real server never sends more (longer answers come split), so
// a longer datagram is dropped whole: read cut, it would be a different,
// corrupted answer. The UDP endpoint hands such a datagram on at more than
// this length so that this one rule drops it.
inline constexpr std::size_t kMaxDatagram = 1500;

// The pauses after the detail requests, in milliseconds and in the order of
// DetailQueries: after the rules request, the players request and the old
// players request, so that the requests do not reach a server back to back.
// The old rules request, sent last, is followed by none.
inline constexpr std::array<int, 3> kDetailPausesMs{10, 5, 10};

struct OutgoingDatagram {
    std::string address;  // dotted IPv4
    std::uint16_t port = 0;
    Bytes bytes;
};

enum class OutcomeKind {
    Nothing,      // dropped, a repeated answer, or a fragment still waiting
    AddRow,       // row
    ListRules,    // rules (replace the rules list; may be empty)
    ListPlayers,  // players (replace the players list; may be empty)
    Send,         // sends, in this order
};

struct DatagramOutcome {
    OutcomeKind kind = OutcomeKind::Nothing;
    ServerRow row;
    std::vector<TRules> rules;
    std::vector<TPlayers> players;
    std::vector<OutgoingDatagram> sends;
};

class Dispatcher {
public:
    Dispatcher() = default;

    // The request buffers; the scan, refresh and detail queries send from
    // these views, which always carry the challenge stored last.
    const QueryBuffers& Queries() const { return queries_; }

    // The detail requests for a selected server, in the order they go out:
    // RulesQuery and PlayerQuery (25 bytes each), then, with the old-protocol
    // option, OldPlayersQuery and OldRulesQuery. The app sleeps between them.
    std::vector<OutgoingDatagram> DetailQueries(std::string_view address, std::uint16_t port,
                                                bool oldProtocol) const;

    // Classifies and decodes one received datagram. listedRows are the rows of
    // the server list at this moment, for the repeated-answer test and for
    // telling a listed server's challenge from an unlisted one's.
    DatagramOutcome UDPDataReceived(ByteView datagram, std::string_view fromIP,
                                    std::uint16_t port, const ListedRows& listedRows);
    DatagramOutcome UDPDataReceived(const char* data, std::size_t length,
                                    std::string_view fromIP, std::uint16_t port,
                                    const ListedRows& listedRows) {
        return UDPDataReceived(ByteView(reinterpret_cast<const std::uint8_t*>(data), length),
                               fromIP, port, listedRows);
    }

    // The challenge follow-up: stores the challenge of answer (a challenge
    // answer) and returns the 9-byte players and rules requests for the
    // sender, players first, and for a sender without a row the challenged
    // info request once per clearing of the server list.
    std::vector<OutgoingDatagram> SendQuery(ByteView answer, std::string_view fromIP,
                                            std::uint16_t port,
                                            const ListedRows& listedRows);

    // Forgets which senders already got a challenged info request.
    void ServerListCleared();

private:
    DatagramOutcome HandleMessage(ByteView message, std::string_view fromIP, std::uint16_t port,
                                  const ListedRows& listedRows, bool reassembled);

    QueryBuffers queries_;
    SplitReassembler reassembler_;
    // True for the first challenge of a sender between clearings, within the
    // bounds of the set.
    bool FirstInfoChallenge(std::string_view fromIP, std::uint16_t port);

    // The senders that got a challenged info request, by address.
    std::map<std::string, std::set<std::uint16_t>> infoChallenged_;
    std::size_t infoChallengedCount_ = 0;
};

}  // namespace zarnek::protocol
