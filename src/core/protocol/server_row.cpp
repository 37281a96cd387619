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
