#include <gtest/gtest.h>

#include "core/protocol/players_decoder.h"
#include "core/protocol/rules_decoder.h"
#include "protocol_test_support.h"

namespace zarnek::protocol {
namespace {

using testing::Wire;

Wire PlayersAnswer(std::uint8_t count = 0) {
    Wire w;
    w.header().byte('D').byte(count);
    return w;
}

Wire& Player(Wire& w, std::string_view name, std::int32_t frags) {
    return w.byte(0).str(name).i32(frags).i32(0);
}

TEST(Players, RecordsFollowTheLengthNotTheCount) {
    Wire w = PlayersAnswer(0);
    Player(w, "alice", 3);
    Player(w, "bob", -2);
    Player(w, "carol", 0);
    const auto players = AddPlayers(w);
    ASSERT_EQ(players.size(), 3u);
    EXPECT_EQ(players[0].Name, "alice");
    EXPECT_EQ(players[1].Frags, -2);
    EXPECT_EQ(players[2].Name, "carol");

    // A count of 5 with no records lists nothing.
    EXPECT_TRUE(AddPlayers(PlayersAnswer(5)).empty());
}

TEST(Players, RecordCutShortStillListed) {
    Wire w = PlayersAnswer(2);
    Player(w, "alice", 7);
    w.byte(1).raw("bo");  // the datagram ends inside the second name
    const auto players = AddPlayers(w);
    ASSERT_EQ(players.size(), 2u);
    EXPECT_EQ(players[1].Name, "bo");
    EXPECT_EQ(players[1].Frags, 0);

    Wire frags = PlayersAnswer(1);
    frags.byte(0).str("x").byte(0x05).byte(0x01);  // two of four frags bytes
    ASSERT_EQ(AddPlayers(frags).size(), 1u);
    EXPECT_EQ(AddPlayers(frags)[0].Frags, 0x0105);
}

TEST(Players, NamesMustBeUtf8OfAtMostThreeBytes) {
    struct Case {
        std::string bytes;
        bool kept;
    } cases[] = {
        {"plain", true},
        {"", true},
        {"Blanche N\xC3\xA8gre", true},         // two-byte character
        {"Op4\xE2\x84\xA7", true},              // three-byte character
        {"(\xCE\xBB)Kuro", true},
        {"caf\xE9", false},                     // Latin-1 byte
        {"\xF0\x9F\x98\x80 smile", false},      // four-byte character
        {"\xC3", false},                        // lead byte at the end
        {"\xE2\x84", false},                    // three-byte character cut short
        {"\x80x", false},                       // stray continuation byte
        {"\xC0\xAF", false},                    // overlong
        {"\xE0\x80\xAF", false},                // overlong
        {"\xED\xA0\x80", false},                // surrogate half
        {"\xEF\xBF\xBD", true},                 // U+FFFD itself is fine
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodePlayerName(c.bytes), c.kept ? c.bytes : "") << c.bytes;
        // Through a whole answer: the row is still made.
        Wire w = PlayersAnswer(1);
        Player(w, c.bytes, 4);
        const auto players = AddPlayers(w);
        ASSERT_EQ(players.size(), 1u);
        EXPECT_EQ(players[0].Frags, 4);
    }
}

TEST(Players, SortOrders) {
    std::vector<TPlayers> players{{"Alice", 1}, {"al", 5}, {"bob", -3}, {"ALICE", 0}, {"zed", 5}};
    SortPlayersByFrags(players);
    const std::vector<std::string> byFrags{"al", "zed", "Alice", "ALICE", "bob"};
    for (std::size_t i = 0; i < players.size(); ++i) EXPECT_EQ(players[i].Name, byFrags[i]);
    SortPlayersByName(players);
    EXPECT_EQ(players[0].Name, "al");  // a prefix comes first
    EXPECT_EQ(CompareByName({"alice", 0}, {"ALICE", 0}), 0);
    EXPECT_LT(CompareByName({"Al", 0}, {"Alice", 0}), 0);
    EXPECT_GT(CompareByName({"[x", 0}, {"a", 0}), 0);  // only a-z fold: [ sorts after A
    EXPECT_EQ(players.back().Name, "zed");
    // Sorting by name twice gives the same order.
    auto again = players;
    SortPlayersByName(again);
    for (std::size_t i = 0; i < players.size(); ++i) EXPECT_EQ(again[i].Name, players[i].Name);
}

Wire RulesAnswer(std::uint16_t count) {
    Wire w;
    w.header().byte('E').u16(count);
    return w;
}

TEST(Rules, CountAndEndBoundTheWalk) {
    struct Case {
        std::uint16_t count;
        int pairs;
        std::size_t listed;
    } cases[] = {
        {0, 3, 0},
        {2, 3, 2},
        {3, 3, 3},
        {300, 300, 300},  // the full 16-bit count, not its low byte
        {255, 2, 2},
        {50, 3, 3},       // announces more than it holds: only what is there
    };
    for (const Case& c : cases) {
        Wire w = RulesAnswer(c.count);
        for (int i = 0; i < c.pairs; ++i) w.str("r" + std::to_string(i)).str(std::to_string(i));
        const auto rules = AddRules(w);
        ASSERT_EQ(rules.size(), c.listed) << c.count;
        if (!rules.empty()) {
            EXPECT_EQ(rules.back().Name, "r" + std::to_string(c.listed - 1));
            EXPECT_EQ(rules.back().Value, std::to_string(c.listed - 1));
        }
    }
    // Only the header: nothing.
    Wire bare;
    bare.header().byte('E');
    EXPECT_TRUE(AddRules(bare).empty());
}

TEST(Rules, PairCutShortKeepsItsName) {
    Wire w = RulesAnswer(2);
    w.str("sv_gravity").str("800").raw("mp_time");
    const auto rules = AddRules(w);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[1].Name, "mp_time");
    EXPECT_EQ(rules[1].Value, "");
}

TEST(Rules, BytesKeptAsTheyAre) {
    Wire w = RulesAnswer(1);
    w.str("hostname\xE9").str("\x01\x7F\xFF");
    const auto rules = AddRules(w);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].Name, "hostname\xE9");
    EXPECT_EQ(rules[0].Value, "\x01\x7F\xFF");
}

}  // namespace
}  // namespace zarnek::protocol
