#include "core/protocol/server_row.h"

#include <gtest/gtest.h>

namespace zarnek::protocol {
namespace {

TEST(CheckAutoConnect, Table) {
    using D = AutoConnectDecision;
    struct Case {
        bool armed;
        std::string comparison;
        int need;
        std::string sender;
        std::optional<int> players;
        D expected;
    } cases[] = {
        {true, "<=", 5, "10.0.0.5", 5, D::Fire},
        {true, "<=", 5, "10.0.0.5", 6, D::TargetAnswered},
        {true, "<=", 5, "10.0.0.5", -1, D::Fire},
        {true, ">", 5, "10.0.0.5", 5, D::TargetAnswered},
        {true, ">", 5, "10.0.0.5", 6, D::Fire},
        {true, "=", 5, "10.0.0.5", 5, D::TargetAnswered},  // only <= and > fire
        {true, "", 5, "10.0.0.5", 5, D::TargetAnswered},
        {true, "<=", 5, "10.0.0.6", 0, D::Nothing},
        {true, "<=", 5, "10.0.0.50", 0, D::Nothing},
        {false, "<=", 5, "10.0.0.5", 0, D::Nothing},
        // An old-protocol count that is no number never fires.
        {true, "<=", 5, "10.0.0.5", std::nullopt, D::TargetAnswered},
        {true, ">", -10, "10.0.0.5", std::nullopt, D::TargetAnswered},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckAutoConnect(c.armed, "10.0.0.5", c.comparison, c.need, c.sender, c.players),
                  c.expected)
            << c.sender << " " << c.comparison << " " << c.need;
}

TEST(CheckAutoConnect, Question) {
    EXPECT_EQ(AutoConnectQuestion("10.0.0.5", "3"),
              "Server 10.0.0.5 has 3 players now. Do you want to join ?");
}

}  // namespace
}  // namespace zarnek::protocol
