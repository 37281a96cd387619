#include "core/scanning/range_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using zarnek::scanning::parseQuad;
using zarnek::scanning::rangeAddresses;
using zarnek::scanning::walkRange;

namespace {

struct RangeCase {
    const char* from;
    const char* to;
    std::size_t count;
    const char* first;  // empty when the range probes nothing
    const char* last;
};

// The octet rules of the scan, with the worked examples and the corners of
// 8-bit octets.
const RangeCase kRanges[] = {
    {"192.168.0.1", "192.168.0.20", 20, "192.168.0.1", "192.168.0.20"},
    {"192.168.0.1", "192.168.2.10", 518, "192.168.0.1", "192.168.2.10"},
    {"192.168.0.100", "192.168.1.50", 155, "192.168.0.100", "192.168.0.254"},
    {"10.0.0.0", "10.0.0.255", 256, "10.0.0.0", "10.0.0.255"},
    {"10.1.0.5", "10.2.0.9", 5, "10.1.0.5", "10.1.0.9"},
    // To's first two octets are not used, even when they are lower.
    {"10.5.0.1", "9.0.0.3", 3, "10.5.0.1", "10.5.0.3"},
    // Third octet going down: nothing.
    {"192.168.3.1", "192.168.2.254", 0, "", ""},
    // Same block, last octet going down: nothing.
    {"192.168.0.9", "192.168.0.5", 0, "", ""},
    {"192.168.0.7", "192.168.0.7", 1, "192.168.0.7", "192.168.0.7"},
    // A block up to 255 only in the last block; earlier blocks stop at 254.
    {"10.0.254.250", "10.0.255.255", 5 + 6, "10.0.254.250", "10.0.255.255"},
    {"10.0.255.0", "10.0.255.255", 256, "10.0.255.0", "10.0.255.255"},
    // From's last octet 255 leaves every block before the last one empty.
    {"10.0.1.255", "10.0.3.255", 1, "10.0.3.255", "10.0.3.255"},
};

}  // namespace

TEST(RangeWalk, ProbesTheAddressesOfTheOctetRules) {
    for (const auto& c : kRanges) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        const auto addresses = rangeAddresses(c.from, c.to);
        ASSERT_EQ(addresses.size(), c.count);
        EXPECT_EQ(walkRange(c.from, c.to)->size(), c.count);
        if (c.count == 0) continue;
        EXPECT_EQ(addresses.front(), c.first);
        EXPECT_EQ(addresses.back(), c.last);
    }
}

TEST(RangeWalk, RestartsTheLastOctetInEveryBlockInOrder) {
    const auto addresses = rangeAddresses("192.168.0.253", "192.168.2.254");
    const std::vector<std::string> expected = {
        "192.168.0.253", "192.168.0.254", "192.168.1.253",
        "192.168.1.254", "192.168.2.253", "192.168.2.254"};
    EXPECT_EQ(addresses, expected);
}

TEST(RangeWalk, AddressesAreWrittenWithoutLeadingZeros) {
    EXPECT_EQ(rangeAddresses("010.000.001.009", "10.0.1.10"),
              (std::vector<std::string>{"10.0.1.9", "10.0.1.10"}));
}

TEST(RangeWalk, TextsThatAreNotFourDecimalOctetsGiveNoWalk) {
    const char* bad[] = {"",          "1.2.3",     "1.2.3.4.5", "1.2.3.",   ".1.2.3",
                         "1..2.3",    "1.2.3.256", "1.2.3.x",   " 1.2.3.4", "1.2.3.4 ",
                         "1.2.3.0004", "-1.2.3.4", "1.2.3.+4"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseQuad(text).has_value());
        EXPECT_FALSE(walkRange(text, "1.2.3.4").has_value());
        EXPECT_FALSE(walkRange("1.2.3.4", text).has_value());
    }
    EXPECT_TRUE(parseQuad("0.0.0.0").has_value());
    EXPECT_TRUE(parseQuad("255.255.255.255").has_value());
}
