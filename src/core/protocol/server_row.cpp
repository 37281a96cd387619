#include "core/protocol/server_row.h"

namespace zarnek::protocol {

bool IsRepeatedAnswer(std::span<const ServerRow> rows, std::string_view fromIP,
                      std::uint16_t port, AnswerKind kind) {
    for (const ServerRow& row : rows) {
        if (row.address != fromIP) continue;
        if (kind == AnswerKind::OldProtocol || row.answerPort == port) return true;
    }
    return false;
}

namespace {

std::string SenderKey(std::string_view address, std::uint16_t port) {
    std::string key(address);
    key += ':';
    key += std::to_string(port);
    return key;
}

}  // namespace

bool ServerList::IsRepeated(std::string_view fromIP, std::uint16_t port, AnswerKind kind) const {
    if (kind == AnswerKind::OldProtocol) return addresses_.count(std::string(fromIP)) != 0;
    return senders_.count(SenderKey(fromIP, port)) != 0;
}

bool ServerList::Append(ServerRow row) {
    if (full()) return false;
    addresses_.insert(row.address);
    senders_.insert(SenderKey(row.address, row.answerPort));
    rows_.push_back(std::move(row));
    return true;
}

void ServerList::Clear() {
    rows_.clear();
    addresses_.clear();
    senders_.clear();
}

AutoConnectDecision CheckAutoConnect(bool armed, std::string_view autoTarget,
                                     std::string_view comparison, int autoNeed,
                                     std::string_view senderAddress,
                                     std::optional<int> playerCount) {
    if (!armed || senderAddress != autoTarget) return AutoConnectDecision::Nothing;
    if (!playerCount) return AutoConnectDecision::TargetAnswered;
    bool fires = false;
    if (comparison == "<=") fires = *playerCount <= autoNeed;
    else if (comparison == ">") fires = *playerCount > autoNeed;
    return fires ? AutoConnectDecision::Fire : AutoConnectDecision::TargetAnswered;
}

std::string AutoConnectQuestion(std::string_view senderAddress, std::string_view playerText) {
    std::string text = "Server ";
    text += senderAddress;
    text += " has ";
    text += playerText;
    text += " players now. Do you want to join ?";
    return text;
}

}  // namespace zarnek::protocol
