#include "core/scanning/lan_ports.h"

#include <algorithm>

namespace zarnek::scanning {

namespace {

// Where the servers of a LAN party listen when nobody typed their address.
// 27015 is the dedicated servers' default port; further servers started on
// the same host take the next free ones, 27016, 27017 and up, and 27020 is the
// default port of HLTV and SourceTV. The whole list is the one the games' own
// LAN browser (the LAN tab of the Steam client) probes, so a server set up to
// be found there on 26900 to 26905, 4242 or 27215 is found here too.
constexpr std::uint16_t kCommonPorts[] = {
    27015, 27016, 27017, 27018, 27019, 27020,
    26900, 26901, 26902, 26903, 26904, 26905,
    4242,  27215,
};

}  // namespace

std::vector<std::uint16_t> lanPorts(std::uint16_t scanPort) {
    std::vector<std::uint16_t> ports{scanPort};
    for (std::uint16_t port : kCommonPorts)
        if (std::find(ports.begin(), ports.end(), port) == ports.end()) ports.push_back(port);
    return ports;
}

}  // namespace zarnek::scanning
