#include "core/protocol/dispatch.h"

namespace zarnek::protocol {

std::vector<OutgoingDatagram> Dispatcher::DetailQueries(std::string_view address,
                                                        std::uint16_t port,
                                                        bool oldProtocol) const {
    auto make = [&](ByteView bytes) {
        return OutgoingDatagram{std::string(address), port, Bytes(bytes.begin(), bytes.end())};
    };
    std::vector<OutgoingDatagram> out;
    out.push_back(make(queries_.RulesQuery()));
    out.push_back(make(queries_.PlayerQuery()));
    if (oldProtocol) {
        out.push_back(make(queries_.OldPlayersQuery()));
        out.push_back(make(queries_.OldRulesQuery()));
    }
    return out;
}

DatagramOutcome Dispatcher::UDPDataReceived(ByteView datagram, std::string_view fromIP,
                                            std::uint16_t port,
                                            std::span<const ServerRow> listedRows) {
    return HandleMessage(datagram, fromIP, port, listedRows, false);
}

std::vector<OutgoingDatagram> Dispatcher::SendQuery(ByteView, std::string_view,
                                                    std::uint16_t, std::span<const ServerRow>) {
    return {};
}

void Dispatcher::ServerListCleared() { infoChallenged_.clear(); }

DatagramOutcome Dispatcher::HandleMessage(ByteView, std::string_view, std::uint16_t,
                                          std::span<const ServerRow>, bool) {
    return {};
}

}  // namespace zarnek::protocol
