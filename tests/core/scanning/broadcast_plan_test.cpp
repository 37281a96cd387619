#include "core/scanning/broadcast_plan.h"
#include "core/scanning/lan_ports.h"

#include <gtest/gtest.h>

namespace {

using zarnek::scanning::BroadcastDestination;
using zarnek::scanning::broadcastDestinations;
using zarnek::scanning::LanInterface;
using zarnek::scanning::lanPorts;
using Ports = std::vector<std::uint16_t>;

const Ports kFrom27015 = {27015, 27016, 27017, 27018, 27019, 27020, 26900,
                          26901, 26902, 26903, 26904, 26905, 4242,  27215};

LanInterface up(const char* name, const char* address, const char* netmask) {
    return {name, true, false, true, address, netmask};
}

TEST(LanPorts, TheScanPortFirstThenEveryCommonPortOnce) {
    EXPECT_EQ(lanPorts(27015), kFrom27015);
    Ports from27020 = {27020, 27015, 27016, 27017, 27018, 27019, 26900,
                       26901, 26902, 26903, 26904, 26905, 4242,  27215};
    EXPECT_EQ(lanPorts(27020), from27020);
    Ports from27005 = kFrom27015;
    from27005.insert(from27005.begin(), 27005);
    EXPECT_EQ(lanPorts(27005), from27005);
}

TEST(BroadcastDestinations, EveryNetworkThatCanBroadcastAtEveryPort) {
    LanInterface down = up("eth1", "10.9.0.5", "255.255.255.0");
    down.up = false;
    LanInterface tunnel = up("tun0", "10.8.0.6", "255.255.255.255");
    tunnel.canBroadcast = false;  // a point-to-point link
    LanInterface lo = up("lo", "127.0.0.1", "255.0.0.0");
    lo.loopback = true;
    LanInterface slash31 = up("eth2", "10.7.0.0", "255.255.255.254");
    struct Case {
        const char* what;
        std::vector<LanInterface> interfaces;
        std::vector<std::string> addresses;
    } cases[] = {
        {"one /24", {lo, up("eth0", "192.168.1.20", "255.255.255.0")}, {"192.168.1.255"}},
        {"a /16", {up("eth0", "172.16.5.9", "255.255.0.0")}, {"172.16.255.255"}},
        {"two networks, in their order",
         {up("eth0", "192.168.1.20", "255.255.255.0"), up("wg0", "10.1.2.3", "255.255.252.0")},
         {"192.168.1.255", "10.1.3.255"}},
        {"two addresses on one network ask its servers once",
         {up("eth0", "192.168.1.20", "255.255.255.0"), up("eth0", "192.168.1.21", "255.255.255.0")},
         {"192.168.1.255"}},
        {"a network with a broadcast beside those without one",
         {down, tunnel, lo, slash31, up("eth3", "10.6.0.1", ""),
          up("eth4", "10.5.0.1", "255.255.255.0")},
         {"10.5.0.255"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BroadcastDestination> expected;
        for (const std::string& a : c.addresses) expected.push_back({a, kFrom27015, false});
        EXPECT_EQ(broadcastDestinations(c.interfaces, "192.168.1.20", 27015), expected);
    }
    // None of those has one: the local address's own target instead.
    EXPECT_EQ(broadcastDestinations({down, tunnel, lo, slash31}, "10.9.0.5", 27015),
              (std::vector<BroadcastDestination>{{"10.9.0.255", {27015}, true}}));
}

// No network of its own: the local address's one target, as the broadcast
// always was; and nothing without a local address.
TEST(BroadcastDestinations, WithoutANetworkTheLocalAddressAloneAtTheScanPort) {
    LanInterface lo = up("lo", "127.0.0.1", "255.0.0.0");
    lo.loopback = true;
    LanInterface tunnel = up("tun0", "10.8.0.6", "255.255.255.255");
    tunnel.canBroadcast = false;
    struct Case {
        const char* local;
        std::vector<BroadcastDestination> expected;
    } cases[] = {
        {"127.0.0.1", {{"127.255.255.255", {27016}, true}}},
        {"10.8.0.6", {{"10.8.255.255", {27016}, true}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_EQ(broadcastDestinations({lo, tunnel}, c.local, 27016), c.expected);
    }
}

}  // namespace
