#pragma once

// One row of the server list and the rules every info decoder shares: the
// icons, the repeated-answer test and the auto-connect decision. The app keeps
// the rows it lists (in order) and hands them back to the dispatcher as a
// read-only span, so the repeated-answer test sees exactly what the user sees.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zarnek::protocol {

// Indices into the small image list the rows and headers draw from.
namespace icon {
inline constexpr int None = -1;
inline constexpr int CounterStrike = 0;  // "1.6", "1.5" and "?" rows
inline constexpr int ConditionZero = 1;
inline constexpr int HalfLife = 2;
inline constexpr int Source = 3;  // "CSS"
inline constexpr int Relay = 4;   // HLTV
inline constexpr int HalfLife2 = 5;
inline constexpr int DemoPlayback = 6;
inline constexpr int MapHeader = 7;
inline constexpr int Open = 8;
inline constexpr int Full = 9;
inline constexpr int Locked = 10;
inline constexpr int PlayersHeader = 11;
inline constexpr int Windows = 13;
inline constexpr int Linux = 14;
inline constexpr int OsHeader = 15;
inline constexpr int AddressHeader = 16;
inline constexpr int NameHeader = 17;
}  // namespace icon

// Which decoder made a row. Old-protocol answers are told apart by address
// alone; the others by address and the port the answer came from.
enum class AnswerKind : std::uint8_t { GoldSrc, Source, OldProtocol };

// A row of the server list. The text members are the cells exactly as shown
// (byte strings; the app turns them into display text). Rows never change
// after they are made.
struct ServerRow {
    std::string game;   // "Game" caption: "1.6" "1.5" "CZ" "HL" "CSS" "HL2" "?"
    int gameIcon = icon::CounterStrike;
    std::string name;
    std::string address;  // dotted sender address
    std::string port;     // decimal
    std::string pt;       // protocol version
    std::string map;
    std::string players;  // "3/16"
    std::string os;       // "WIN" or "LIN"
    int osIcon = icon::Linux;
    std::string a;        // the "A" cell text, always empty
    int availabilityIcon = icon::None;  // Open, Full, Locked or None

    // Not shown. The sender's port: GoldSrc rows may show a stated port that
    // differs from it, and the repeated-answer test needs the real one.
    std::uint16_t answerPort = 0;
    AnswerKind kind = AnswerKind::GoldSrc;
    // For the auto-connect check. Empty when an old-protocol server sent a
    // players text that is not a decimal number: the check then never fires.
    std::optional<int> playerCount;
    std::string playerText;  // the count as the auto-connect question shows it
};

// True when the answer adds nothing because a row already stands for its
// sender: same address and same answer port, or for old-protocol answers the
// same address alone. It walks the rows; ServerList answers the same from its
// index.
bool IsRepeatedAnswer(std::span<const ServerRow> rows, std::string_view fromIP,
                      std::uint16_t port, AnswerKind kind);

// The rows of the server list in order, with an index of their senders, so
// that the repeated-answer test costs the same with 10,000 rows as with 10.
// The list holds at most kMaxRows rows: any host on the LAN can send answers
// from as many source ports as it likes, and every one would otherwise become
// a row. No real LAN comes near the bound (a scan of a /16 probes 65,536
// addresses, of which a few hundred at most run a game server).
class ServerList {
public:
    static constexpr std::size_t kMaxRows = 10'000;

    std::span<const ServerRow> rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool full() const { return rows_.size() >= kMaxRows; }
    const ServerRow& operator[](std::size_t i) const { return rows_[i]; }
    std::vector<ServerRow>::const_iterator begin() const { return rows_.begin(); }
    std::vector<ServerRow>::const_iterator end() const { return rows_.end(); }

    // IsRepeatedAnswer over these rows, from the index.
    bool IsRepeated(std::string_view fromIP, std::uint16_t port, AnswerKind kind) const;
    // Appends the row; false, keeping nothing, when the list is full.
    bool Append(ServerRow row);
    void Clear();

private:
    std::vector<ServerRow> rows_;
    std::unordered_set<std::string> addresses_;
    std::unordered_set<std::string> senders_;  // address and answer port
};

// What the decoders and the dispatcher see of the listed rows: a ServerList
// (indexed and bounded), or plain rows, which are walked and never full.
class ListedRows {
public:
    ListedRows() = default;
    ListedRows(std::span<const ServerRow> rows) : rows_(rows) {}
    ListedRows(const std::vector<ServerRow>& rows) : rows_(rows) {}
    ListedRows(const ServerList& list) : rows_(list.rows()), list_(&list) {}

    bool IsRepeated(std::string_view fromIP, std::uint16_t port, AnswerKind kind) const {
        return list_ ? list_->IsRepeated(fromIP, port, kind)
                     : IsRepeatedAnswer(rows_, fromIP, port, kind);
    }
    // No further row can be listed: an info answer is not worth decoding.
    bool Full() const { return list_ && list_->full(); }

private:
    std::span<const ServerRow> rows_;
    const ServerList* list_ = nullptr;
};

// What the app does after a row was added (the auto-connect check).
enum class AutoConnectDecision {
    Nothing,         // not armed, or not the target
    TargetAnswered,  // set AutoMissed to 0 and disable Play; do not join
    Fire,            // disarm, select row 0, enable Play and Scan, then ask or join
};

// A pure decision so that the app only acts on it. The port is not compared;
// "<=" and ">" are the only comparisons that can fire.
AutoConnectDecision CheckAutoConnect(bool armed, std::string_view autoTarget,
                                     std::string_view comparison, int autoNeed,
                                     std::string_view senderAddress,
                                     std::optional<int> playerCount);

// The question asked before an auto-connect join when "Ask me before connect"
// is ticked.
std::string AutoConnectQuestion(std::string_view senderAddress, std::string_view playerText);

}  // namespace zarnek::protocol
