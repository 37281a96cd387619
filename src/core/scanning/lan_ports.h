#pragma once

// The ports the broadcast phase probes besides the scan port.

#include <cstdint>
#include <vector>

namespace zarnek::scanning {

// The scan port first, then every other port on which servers of these games
// are found on a LAN, each port once.
std::vector<std::uint16_t> lanPorts(std::uint16_t scanPort);

}  // namespace zarnek::scanning
