#include "core/scanning/broadcast_plan.h"

#include "core/scanning/lan_ports.h"

#include <algorithm>

namespace zarnek::scanning {

std::optional<std::string> interfaceBroadcast(const LanInterface& interface) {
    if (!interface.up || interface.loopback || !interface.canBroadcast) return std::nullopt;
    return directedBroadcast(interface.address, interface.netmask);
}

std::vector<BroadcastDestination> broadcastDestinations(
    const std::vector<LanInterface>& interfaces, std::string_view localAddress,
    std::uint16_t scanPort) {
    std::vector<BroadcastDestination> destinations;
    for (const LanInterface& i : interfaces) {
        auto address = interfaceBroadcast(i);
        if (!address) continue;
        // Two addresses on one network, or two interfaces on it, share its
        // broadcast: the servers there must not be asked twice.
        const bool seen = std::any_of(destinations.begin(), destinations.end(),
                                      [&](const auto& d) { return d.address == *address; });
        if (!seen) destinations.push_back({std::move(*address), lanPorts(scanPort)});
    }
    if (!destinations.empty()) return destinations;
    if (auto target = broadcastTarget(localAddress, netmaskOf(interfaces, localAddress)))
        destinations.push_back({std::move(*target), {scanPort}, true});
    return destinations;
}

}  // namespace zarnek::scanning
