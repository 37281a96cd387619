#include "tools/query_options.h"

#include <gtest/gtest.h>

namespace zarnek::tools {
namespace {

QueryOptions parsed(const std::vector<std::string>& args) {
    const ParsedArguments p = parseArguments(args);
    EXPECT_TRUE(p.options) << p.error;
    return p.options.value_or(QueryOptions{});
}

TEST(QueryOptions, ScanDefaultsAndPorts) {
    const QueryOptions plain = parsed({"scan", "127.0.0.1"});
    EXPECT_EQ(plain.command, Command::Scan);
    EXPECT_EQ(plain.waitMs, 1000);
    EXPECT_EQ(plain.delayMs, 0);
    EXPECT_EQ(plain.localPort, 0);  // ephemeral, so the tool runs beside the window
    EXPECT_FALSE(plain.broadcast);
    EXPECT_EQ(plain.probes, (std::vector<Probe>{{"127.0.0.1", 27015}}));

    // A target's own port wins over the scan port, whichever option set it.
    EXPECT_EQ(parsed({"scan", "--hltv", "127.0.0.1", "127.0.0.2:27099"}).probes,
              (std::vector<Probe>{{"127.0.0.1", 27020}, {"127.0.0.2", 27099}}));
    EXPECT_EQ(parsed({"scan", "127.0.0.1", "--port", "27016"}).probes,
              (std::vector<Probe>{{"127.0.0.1", 27016}}));
}

TEST(QueryOptions, OptionsAnywhereInBothSpellings) {
    const QueryOptions o = parsed({"scan", "127.0.0.5", "--delay", "5", "--wait=0", "--json",
                                   "--old", "--local-port=40000", "--broadcast"});
    EXPECT_EQ(o.delayMs, 5);
    EXPECT_EQ(o.waitMs, 0);
    EXPECT_TRUE(o.json);
    EXPECT_TRUE(o.old);
    EXPECT_TRUE(o.broadcast);
    EXPECT_EQ(o.localPort, 40000);
    // The broadcast step alone is a scan too.
    EXPECT_TRUE(parseArguments({"scan", "--broadcast"}).options);
}

TEST(QueryOptions, RangesWalkLikeTheWindow) {
    // Each block of the last octet starts again at From's and stops at 254;
    // To's first two octets are not used.
    const auto blocks = parsed({"scan", "192.168.0.100-192.168.1.50"}).probes;
    ASSERT_EQ(blocks.size(), 155u);
    EXPECT_EQ(blocks.front().address, "192.168.0.100");
    EXPECT_EQ(blocks.back().address, "192.168.0.254");
    const auto crossed = parsed({"scan", "10.1.0.5-10.2.0.9", "127.0.0.9"}).probes;
    ASSERT_EQ(crossed.size(), 6u);
    EXPECT_EQ(crossed[4], (Probe{"10.1.0.9", 27015}));
    EXPECT_EQ(crossed[5], (Probe{"127.0.0.9", 27015}));
    EXPECT_TRUE(parsed({"scan", "10.0.0.9-10.0.0.1"}).probes.empty());
}

TEST(QueryOptions, DetailsTakesOneServer) {
    const QueryOptions o = parsed({"details", "--old", "127.0.0.4:27016"});
    EXPECT_EQ(o.command, Command::Details);
    EXPECT_TRUE(o.old);
    EXPECT_EQ(o.probes, (std::vector<Probe>{{"127.0.0.4", 27016}}));
    EXPECT_EQ(parsed({"details", "127.0.0.4"}).probes.at(0).port, 27015);
}

}  // namespace
}  // namespace zarnek::tools
