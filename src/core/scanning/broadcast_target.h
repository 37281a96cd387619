#pragma once

// Where the broadcast probe of a scan goes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnek::scanning {

// One IPv4 address of a network interface, as the system reports it.
struct LanInterface {
    std::string name;
    bool up = false;
    bool loopback = false;
    bool canBroadcast = false;
    std::string address;  // dotted decimal
    std::string netmask;  // dotted decimal; empty when unknown
};

// The directed broadcast of the network of `address` with `netmask`, or
// nothing when either is no dotted quad, or the netmask is not contiguous or
// leaves no room for a broadcast (a /31 or /32).
std::optional<std::string> directedBroadcast(std::string_view address, std::string_view netmask);

// The directed broadcast of the network that holds `localAddress`, from the
// netmask of its interface. Without a usable netmask (unknown, or a /31 or /32
// that has no broadcast) it falls back to the local address's first two
// fields followed by ".255.255". An empty local address gives nothing: the
// broadcast probe is then skipped.
std::optional<std::string> broadcastTarget(std::string_view localAddress,
                                           std::string_view netmask);

// The netmask of the interface that holds `address`, or an empty text.
std::string netmaskOf(const std::vector<LanInterface>& interfaces, std::string_view address);

}  // namespace zarnek::scanning
