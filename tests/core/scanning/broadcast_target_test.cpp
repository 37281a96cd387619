#include "core/scanning/broadcast_target.h"

#include <gtest/gtest.h>

using zarnek::scanning::broadcastTarget;

TEST(BroadcastTarget, IsTheDirectedBroadcastOfTheLocalNetwork) {
    struct Case {
        const char* address;
        const char* netmask;
        const char* target;
    } cases[] = {
        {"192.168.1.20", "255.255.255.0", "192.168.1.255"},
        {"10.1.2.3", "255.255.0.0", "10.1.255.255"},
        {"10.1.2.3", "255.0.0.0", "10.255.255.255"},
        {"172.16.5.9", "255.255.252.0", "172.16.7.255"},
        {"192.168.1.20", "255.255.255.252", "192.168.1.23"},
        {"127.0.0.1", "255.0.0.0", "127.255.255.255"},
        // No usable netmask: the first two fields and ".255.255".
        {"192.168.1.20", "", "192.168.255.255"},
        {"192.168.1.20", "255.255.255.255", "192.168.255.255"},
        {"192.168.1.20", "255.255.255.254", "192.168.255.255"},
        {"192.168.1.20", "255.0.255.0", "192.168.255.255"},
        {"192.168.1.20", "junk", "192.168.255.255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "/" + c.netmask);
        EXPECT_EQ(broadcastTarget(c.address, c.netmask), c.target);
    }
}

TEST(BroadcastTarget, NoLocalAddressMeansNoBroadcast) {
    EXPECT_EQ(broadcastTarget("", "255.255.255.0"), std::nullopt);
}
