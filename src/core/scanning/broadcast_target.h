#pragma once

// Where the broadcast probe of a scan goes.

#include <optional>
#include <string>
#include <string_view>

namespace zarnek::scanning {

// The directed broadcast of the network that holds `localAddress`, from the
// netmask of its interface. Without a usable netmask (unknown, or a /31 or /32
// that has no broadcast) it falls back to the local address's first two
// fields followed by ".255.255". An empty local address gives nothing: the
// broadcast probe is then skipped.
std::optional<std::string> broadcastTarget(std::string_view localAddress,
                                           std::string_view netmask);

}  // namespace zarnek::scanning
