// Datagrams that real servers sent, through the dispatcher as the program
// receives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/protocol/dispatch.h"
#include "core/protocol/info_decoders.h"
#include "protocol_test_support.h"

namespace zarnek::protocol {
namespace {

using testing::Fixture;

DatagramOutcome Receive(Dispatcher& d, const std::string& file, std::uint16_t port = 27015,
                        std::span<const ServerRow> rows = {}) {
    return d.UDPDataReceived(Fixture(file), "10.0.0.9", port, rows);
}

TEST(RealInfoAnswers, Rows) {
    struct Case {
        std::string file;
        std::string game;  // empty: dropped
        int icon;
        std::string name, port, pt, map, players, os;
        int availability;
    } cases[] = {
        {"source_info/css_wiki_game2xs_libssq.bin", "CSS", 3,
         "game2xs.com Counter-Strike Source #1", "27015", "2", "de_dust", "5/16", "LIN", 8},
        // Renamed descriptions: the application id decides.
        {"source_info/hl2dm_cold_rp_gameq.bin", "HL2", 5,
         "CoLD Community Roleplay |Purge District| New Map |", "27015", "17", "rp_Linesse_r3",
         "11/32", "WIN", 8},
        {"goldsrc_info_I/cs16_ragaming_gameq.bin", "1.6", 0,
         "Renegade Army `NoN-SteaM` [ragaming.org] [1000FPS]", "27015", "48", "de_dust2",
         "23/32", "WIN", 8},
        // Games this program does not list.
        {"source_info/tf2_xpaw.bin", "", 0, "", "", "", "", "", "", 0},
        {"source_info/csgo_xpaw.bin", "", 0, "", "", "", "", "", "", 0},
        // GoldSrc rows show the port the server states.
        {"goldsrc_info_m/hltv_xpaw.bin", "1.6", 4, "Castle Mortimus:0", "27020", "48",
         "op4_kbase", "0/1", "WIN", 8},
        {"goldsrc_info_m/cs15_unconscionable_gameq.bin", "1.5", 0, "~UnconscionabLe~ l", "27015",
         "46", "de_inferno", "7/30", "LIN", 8},
        {"goldsrc_info_m/cs16_wiki_verygames_991jo.bin", "1.6", 0,
         "FR - VeryGames.net - Deatmatch - only surf_ski - ngR", "27015", "47", "surf_ski",
         "12/18", "LIN", 8},
    };
    for (const Case& c : cases) {
        Dispatcher d;
        const auto out = Receive(d, c.file, 27015);
        if (c.game.empty()) {
            EXPECT_EQ(out.kind, OutcomeKind::Nothing) << c.file;
            continue;
        }
        ASSERT_EQ(out.kind, OutcomeKind::AddRow) << c.file;
        const ServerRow& r = out.row;
        EXPECT_EQ(r.game, c.game) << c.file;
        EXPECT_EQ(r.gameIcon, c.icon) << c.file;
        EXPECT_EQ(r.name, c.name) << c.file;
        EXPECT_EQ(r.address, "10.0.0.9") << c.file;
        EXPECT_EQ(r.port, c.port) << c.file;
        EXPECT_EQ(r.pt, c.pt) << c.file;
        EXPECT_EQ(r.map, c.map) << c.file;
        EXPECT_EQ(r.players, c.players) << c.file;
        EXPECT_EQ(r.os, c.os) << c.file;
        EXPECT_EQ(r.availabilityIcon, c.availability) << c.file;
    }
}

TEST(RealInfoAnswers, RelayStatingAnotherPortIsListedOnce) {
    // The relay answers from 27015 but states 27020: one row all the same.
    Dispatcher d;
    std::vector<ServerRow> rows;
    rows.push_back(Receive(d, "goldsrc_info_m/hltv_xpaw.bin", 27015).row);
    EXPECT_EQ(rows[0].port, "27020");
    EXPECT_EQ(Receive(d, "goldsrc_info_m/hltv_xpaw.bin", 27015, rows).kind, OutcomeKind::Nothing);
}

TEST(RealInfoAnswers, SourceRecordFields) {
    const TCSSinfo info = DecodeCSS(Fixture("source_info/css_wiki_game2xs_libssq.bin"));
    EXPECT_EQ(info.GameDir, "cstrike");
    EXPECT_EQ(info.AppId, 240);
    EXPECT_EQ(info.Bots, 4);
    EXPECT_EQ(info.ServerType, 'd');
    const THL1info relay = DecodeHL1(Fixture("goldsrc_info_m/hltv_xpaw.bin"));
    EXPECT_EQ(relay.Address, "192.168.1.197:27020");
    EXPECT_EQ(relay.GameDir, "gearbox");
    EXPECT_EQ(relay.ServerType, 'p');
}

TEST(RealChallenge, FollowUpCarriesItsBytes) {
    Dispatcher d;
    const auto out = Receive(d, "challenge/wiki_example_libssq.bin");
    ASSERT_EQ(out.kind, OutcomeKind::Send);
    ASSERT_EQ(out.sends.size(), 3u);
    const ChallengeField expected{0x4B, 0xA1, 0xD5, 0x22};
    EXPECT_EQ(d.Queries().Challenge(), expected);
    EXPECT_EQ(out.sends[2].bytes.size(), 29u);
}

TEST(RealPlayers, Answers) {
    Dispatcher d;
    auto wiki = Receive(d, "players/wiki_example_libssq.bin");
    ASSERT_EQ(wiki.kind, OutcomeKind::ListPlayers);
    ASSERT_EQ(wiki.players.size(), 2u);
    EXPECT_EQ(wiki.players[0].Name, "[D]---->T.N.W<----");
    EXPECT_EQ(wiki.players[0].Frags, 14);
    EXPECT_EQ(wiki.players[1].Name, "Killer !!!");

    auto empty = Receive(d, "players/css_ggc_empty_gameq.bin");
    ASSERT_EQ(empty.kind, OutcomeKind::ListPlayers);
    EXPECT_TRUE(empty.players.empty());

    auto rp = Receive(d, "players/hl2dm_cold_rp_gameq.bin");
    ASSERT_EQ(rp.players.size(), 11u);
    EXPECT_EQ(rp.players.front().Name, "0atmeal - Op4\xE2\x84\xA7");  // 1694 frags, first
    EXPECT_EQ(rp.players.front().Frags, 1694);
    EXPECT_EQ(rp.players.back().Name, "Burza");  // -1 frags, last
    EXPECT_EQ(rp.players.back().Frags, -1);
    const auto blanche = std::find_if(rp.players.begin(), rp.players.end(),
                                      [](const TPlayers& p) { return p.Frags == 421; });
    ASSERT_NE(blanche, rp.players.end());
    EXPECT_EQ(blanche->Name, "Blanche N\xC3\xA8gre");
}

TEST(RealRules, WholeAndSplitAnswers) {
    struct Case {
        std::vector<std::string> files;
        std::size_t count;
        std::pair<std::string, std::string> first, last;
    } cases[] = {
        {{"rules/hl1_bloodygame_unsplit_gameq.bin"}, 61, {"aghl.ru", "0.2.9+9315e11"},
         {"wpmglicense", "Roman Sokolov"}},
        {{"rules/cs16_sgk_goldsrc_split_gameq_p0.bin", "rules/cs16_sgk_goldsrc_split_gameq_p1.bin"},
         98, {"_tutor_bomb_viewable_check_interval", "0.5"}, {"WalkGuard", "1.3.2"}},
        {{"rules/css_plaguefest_split_gameq_p0.bin", "rules/css_plaguefest_split_gameq_p1.bin"},
         101, {"bot_quota", "0"}, {"webshortcutsredux_version", "1.1"}},
        // The same split answers with the fragments the other way round.
        {{"rules/cs16_sgk_goldsrc_split_gameq_p1.bin", "rules/cs16_sgk_goldsrc_split_gameq_p0.bin"},
         98, {"_tutor_bomb_viewable_check_interval", "0.5"}, {"WalkGuard", "1.3.2"}},
        {{"rules/css_plaguefest_split_gameq_p1.bin", "rules/css_plaguefest_split_gameq_p0.bin"},
         101, {"bot_quota", "0"}, {"webshortcutsredux_version", "1.1"}},
    };
    for (const Case& c : cases) {
        Dispatcher d;
        DatagramOutcome out;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            out = Receive(d, c.files[i]);
            if (i + 1 < c.files.size()) {
                EXPECT_EQ(out.kind, OutcomeKind::Nothing) << c.files[i];
            }
        }
        ASSERT_EQ(out.kind, OutcomeKind::ListRules) << c.files[0];
        ASSERT_EQ(out.rules.size(), c.count) << c.files[0];
        EXPECT_EQ(out.rules.front().Name, c.first.first);
        EXPECT_EQ(out.rules.front().Value, c.first.second);
        EXPECT_EQ(out.rules.back().Name, c.last.first);
        EXPECT_EQ(out.rules.back().Value, c.last.second);
    }
}

TEST(RealRules, SplitRulesValues) {
    Dispatcher d;
    Receive(d, "rules/cs16_sgk_goldsrc_split_gameq_p0.bin");
    const auto out = Receive(d, "rules/cs16_sgk_goldsrc_split_gameq_p1.bin");
    std::map<std::string, std::string> byName;
    for (const auto& r : out.rules) byName[r.Name] = r.Value;
    EXPECT_EQ(byName["sv_gravity"], "800");
    EXPECT_EQ(byName["mp_timelimit"], "0");
    EXPECT_EQ(byName["amxmodx_version"], "1.8.2");
}

}  // namespace
}  // namespace zarnek::protocol
