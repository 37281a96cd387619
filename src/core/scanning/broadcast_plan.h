#pragma once

// Where one broadcast phase sends: the directed broadcast of every network
// the machine is on, each at the scan port and the ports LAN servers use.

#include "core/scanning/broadcast_target.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnek::scanning {

struct BroadcastDestination {
    std::string address;
    std::vector<std::uint16_t> ports;  // in sending order
    // The one target of the local address, when no interface gave one: it is
    // probed as the broadcast always was, at the scan port without a pause.
    bool localAddressOnly = false;

    friend bool operator==(const BroadcastDestination&, const BroadcastDestination&) = default;
};

// The directed broadcast of an interface that is up, is not loopback, can
// broadcast and has a netmask that leaves room for one; nothing for others.
std::optional<std::string> interfaceBroadcast(const LanInterface& interface);

// One destination for each distinct interfaceBroadcast of `interfaces`, in
// their order, each with every port of lanPorts(scanPort). When no interface
// has one, the single target the local address gives (broadcastTarget, from
// the netmask of its interface) at the scan port alone; nothing when there is
// no local address either.
std::vector<BroadcastDestination> broadcastDestinations(
    const std::vector<LanInterface>& interfaces, std::string_view localAddress,
    std::uint16_t scanPort);

}  // namespace zarnek::scanning
