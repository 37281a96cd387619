#include "core/protocol/info_rows.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/protocol/info_decoders.h"
#include "protocol_test_support.h"

namespace zarnek::protocol {
namespace {

using testing::GoldSrcInfo;
using testing::Make;
using testing::MakeOld;
using testing::SourceInfo;

// The visible cells of a row in column order, then its three icons.
struct Cells {
    std::string game;
    int gameIcon;
    std::string name, address, port, pt, map, players, os;
    int osIcon, availabilityIcon;
};

void ExpectCells(const ServerRow& row, const Cells& c) {
    EXPECT_EQ(row.game, c.game);
    EXPECT_EQ(row.gameIcon, c.gameIcon);
    EXPECT_EQ(row.name, c.name);
    EXPECT_EQ(row.address, c.address);
    EXPECT_EQ(row.port, c.port);
    EXPECT_EQ(row.pt, c.pt);
    EXPECT_EQ(row.map, c.map);
    EXPECT_EQ(row.players, c.players);
    EXPECT_EQ(row.os, c.os);
    EXPECT_EQ(row.osIcon, c.osIcon);
    EXPECT_EQ(row.availabilityIcon, c.availabilityIcon);
    EXPECT_EQ(row.a, "");
}

TEST(GoldSrcRow, TypicalAnswer) {
    const auto row = AddHL1(Make(GoldSrcInfo{}), "10.0.0.7", 27015, {});
    ASSERT_TRUE(row);
    ExpectCells(*row, {"1.6", 0, "Box", "10.0.0.7", "27015", "47", "de_dust", "5/20", "LIN", 14, 8});
    EXPECT_EQ(row->playerCount, 5);
    EXPECT_EQ(row->playerText, "5");
    EXPECT_EQ(row->answerPort, 27015);
}

TEST(GoldSrcRow, GameFromDescriptionThenGameDirectory) {
    struct Case {
        std::string description, dir;
        std::uint8_t protocol;
        std::string game;  // empty: dropped
        int icon;
    } cases[] = {
        {"Counter-Strike", "cstrike", 47, "1.6", 0},
        {"CounterStrike", "cstrike", 46, "1.5", 0},
        {"Half-Life", "valve", 47, "HL", 2},
        {"Condition Zero", "czero", 48, "CZ", 1},
        {"HLTV", "cstrike", 46, "1.5", 4},
        {"HLTV", "gearbox", 48, "1.6", 4},
        // Plugins rename the game; the directory then decides.
        {"|SgK| Clan", "cstrike", 48, "1.6", 0},
        {"Zombies MOD", "cstrike", 46, "1.5", 0},
        {"Zombies MOD", "czero", 48, "CZ", 1},
        {"Deathmatch Classic", "valve", 48, "HL", 2},
        {"counter-strike", "gearbox", 47, "", 0},  // case matters, unknown directory
        {"Opposing Force", "gearbox", 48, "", 0},
        {"Zombies MOD", "CSTRIKE", 48, "", 0},
    };
    for (const Case& c : cases) {
        GoldSrcInfo info;
        info.description = c.description;
        info.dir = c.dir;
        info.protocol = c.protocol;
        const auto row = AddHL1(Make(info), "10.0.0.7", 27015, {});
        if (c.game.empty()) {
            EXPECT_FALSE(row) << c.description;
            continue;
        }
        ASSERT_TRUE(row) << c.description;
        EXPECT_EQ(row->game, c.game) << c.description;
        EXPECT_EQ(row->gameIcon, c.icon) << c.description;
    }
}

TEST(GoldSrcRow, PortCellIsTheStatedPortOnlyWhenItIsAPort) {
    struct Case {
        std::string stated;
        std::string port;
    } cases[] = {
        {"10.0.0.7:27016", "27016"},  // forwarded port: the stated one is joined
        {"10.0.0.7:27015", "27015"},
        {"10.0.0.7", "27015"},        // no colon
        {"", "27015"},                // empty address
        {"10.0.0.7:abc", "27015"},
        {"10.0.0.7:0", "27015"},
        {"10.0.0.7:65536", "27015"},
        {"10.0.0.7:65535", "65535"},
        {"10.0.0.7:27016:9", "27016"},
    };
    for (const Case& c : cases) {
        GoldSrcInfo info;
        info.address = c.stated;
        const auto row = AddHL1(Make(info), "10.0.0.7", 27015, {});
        ASSERT_TRUE(row);
        EXPECT_EQ(row->port, c.port) << "'" << c.stated << "'";
        EXPECT_EQ(row->answerPort, 27015);
    }
}

TEST(InfoRows, AvailabilityAndOperatingSystem) {
    struct Case {
        std::uint8_t players, maxPlayers, password;
        char os;
        int availability;
        std::string osText;
    } cases[] = {
        {5, 20, 0, 'l', icon::Open, "LIN"},
        {20, 20, 0, 'w', icon::Full, "WIN"},
        {21, 20, 0, 'W', icon::Full, "WIN"},
        {3, 20, 1, 'm', icon::Locked, "LIN"},
        {20, 20, 1, 'o', icon::Locked, "LIN"},
        {3, 20, 2, 'l', icon::Full, "LIN"},  // odd visibility counts as full
        {0, 0, 0, 0, icon::Full, "LIN"},
    };
    for (const Case& c : cases) {
        GoldSrcInfo g;
        g.players = c.players;
        g.maxPlayers = c.maxPlayers;
        g.password = c.password;
        g.os = c.os;
        SourceInfo s;
        s.players = c.players;
        s.maxPlayers = c.maxPlayers;
        s.password = c.password;
        s.os = c.os;
        for (const auto& row : {AddHL1(Make(g), "10.0.0.1", 27015, {}),
                                AddCSS(Make(s), "10.0.0.1", 27015, {})}) {
            ASSERT_TRUE(row);
            EXPECT_EQ(row->availabilityIcon, c.availability) << int(c.players) << "/" << int(c.maxPlayers);
            EXPECT_EQ(row->os, c.osText) << c.os;
            EXPECT_EQ(row->osIcon, c.osText == "WIN" ? icon::Windows : icon::Linux);
        }
    }
}

TEST(GoldSrcRow, ShortAnswerReadsZerosAndEmptyStrings) {
    // Cut after the description: counts read as zero, the row still comes.
    testing::Wire w;
    w.header().byte('m').str("10.0.0.7:27015").str("Box").str("de_dust").str("cstrike");
    w.raw("Counter-Strike");  // no zero byte: ends at the end of the datagram
    const auto row = AddHL1(w, "10.0.0.7", 27015, {});
    ASSERT_TRUE(row);
    ExpectCells(*row, {"1.6", 0, "Box", "10.0.0.7", "27015", "0", "de_dust", "0/0", "LIN", 14, 9});
}

TEST(SourceRow, TypicalAnswer) {
    const auto row = AddCSS(Make(SourceInfo{}), "10.0.0.9", 27015, {});
    ASSERT_TRUE(row);
    ExpectCells(*row, {"CSS", 3, "Box", "10.0.0.9", "27015", "7", "de_dust", "12/16", "WIN", 13, 10});
    EXPECT_EQ(row->kind, AnswerKind::Source);
}

TEST(SourceRow, GameFromDescriptionThenApplicationId) {
    struct Case {
        std::string description;
        std::uint16_t appId;
        std::uint8_t protocol;
        std::string game;
        int icon;
    } cases[] = {
        {"Deathmatch", 320, 7, "HL2", 5},
        {"Counter-Strike:Source Bots Enabled", 240, 7, "CSS", 3},
        {"Counter-Strike: Source", 240, 7, "CSS", 3},
        // GoldSrc servers answering in this form keep their games.
        {"Counter-Strike", 10, 48, "1.6", 0},
        {"CounterStrike", 10, 46, "1.5", 0},
        {"Half-Life", 70, 48, "HL", 2},
        {"Condition Zero", 80, 48, "CZ", 1},
        {"HLTV", 10, 46, "1.5", 4},
        {"HLTV", 10, 48, "1.6", 4},
        // Renamed games: the application id decides.
        {"Zombies MOD", 240, 17, "CSS", 3},
        {"Syle22's Roleplay", 320, 17, "HL2", 5},
        {"www.ragaming.org", 10, 48, "1.6", 0},
        {"|SgK| Clan", 80, 48, "CZ", 1},
        {"Crossfire", 70, 48, "HL", 2},
        {"Unusual Trading", 440, 17, "", 0},
        {"counter-strike: source", 730, 17, "", 0},
    };
    for (const Case& c : cases) {
        SourceInfo info;
        info.description = c.description;
        info.appId = c.appId;
        info.protocol = c.protocol;
        const auto row = AddCSS(Make(info), "10.0.0.9", 27015, {});
        if (c.game.empty()) {
            EXPECT_FALSE(row) << c.description;
            continue;
        }
        ASSERT_TRUE(row) << c.description;
        EXPECT_EQ(row->game, c.game) << c.description;
        EXPECT_EQ(row->gameIcon, c.icon) << c.description;
        EXPECT_EQ(row->port, "27015");
    }
}

const char* const kBox =
    "\\hostname\\Box\\map\\de_dust\\players\\5\\max\\16\\os\\w\\password\\0\\proxy\\0"
    "\\protocol\\47\\description\\Counter-Strike\\";

TEST(OldRow, TypicalAnswer) {
    const auto row = AddOld(ExtractOldInfo(MakeOld(kBox)), "10.0.0.3", 27015, {});
    ASSERT_TRUE(row);
    ExpectCells(*row, {"1.6", 0, "Box", "10.0.0.3", "27015", "47", "de_dust", "5/16", "WIN", 13, 8});
    EXPECT_EQ(row->playerCount, 5);
}

TEST(OldRow, ValuesAndGames) {
    struct Case {
        std::string text;
        std::string game;  // empty: dropped
        int icon;
        int availability;
        std::optional<int> count;
    } cases[] = {
        // Without the final backslash the description is not found: "?".
        {std::string(kBox).substr(0, std::string(kBox).size() - 1), "?", 0, 8, 5},
        {"\\proxy\\1\\description\\Counter-Strike\\password\\0\\", "1.6", 4, 9, {}},
        {"\\proxy\\1\\description\\Half-Life\\", "HL", 4, icon::None, {}},
        {"\\description\\Condition Zero\\", "CZ", 1, icon::None, {}},
        {"\\description\\CounterStrike\\", "1.5", 0, icon::None, {}},
        {"\\description\\HLTV\\protocol\\46\\", "1.5", 4, icon::None, {}},
        {"\\description\\HLTV\\protocol\\47\\", "1.6", 4, icon::None, {}},
        {"\\description\\HLTV\\protocol\\48\\", "1.6", 4, icon::None, {}},
        {"\\description\\Demo Playback\\protocol\\46\\", "1.5", 6, icon::None, {}},
        // A relay whose protocol is no number is dropped, no message.
        {"\\description\\HLTV\\protocol\\4x\\", "", 0, 0, {}},
        {"\\description\\Demo Playback\\", "", 0, 0, {}},
        {"\\description\\Counter-Strike\\protocol\\4x\\", "1.6", 0, icon::None, {}},
        {"\\players\\16\\max\\16\\password\\0\\", "?", 0, icon::Full, 16},
        {"\\players\\17\\max\\16\\password\\0\\", "?", 0, icon::Open, 17},
        {"\\players\\3\\max\\16\\password\\1\\", "?", 0, icon::Locked, 3},
        {"\\players\\3\\max\\16\\password\\2\\", "?", 0, icon::None, 3},
        {"\\players\\many\\max\\16\\password\\0\\", "?", 0, icon::Open, {}},
    };
    for (const Case& c : cases) {
        const auto row = AddOld(ExtractOldInfo(MakeOld(c.text)), "10.0.0.3", 27015, {});
        if (c.game.empty()) {
            EXPECT_FALSE(row) << c.text;
            continue;
        }
        ASSERT_TRUE(row) << c.text;
        EXPECT_EQ(row->game, c.game) << c.text;
        EXPECT_EQ(row->gameIcon, c.icon) << c.text;
        EXPECT_EQ(row->availabilityIcon, c.availability) << c.text;
        EXPECT_EQ(row->playerCount, c.count) << c.text;
    }
}

TEST(OldRow, KeysAnyCaseLastWinsAndTextsAsReceived) {
    const auto info = ExtractOldInfo(MakeOld(
        "\\HOSTNAME\\Box\\map\\a\\x\\Map\\b\\players\\05\\max\\ 16\\os\\w\\protocol\\047\\os"));
    EXPECT_EQ(info.Hostname, "Box");
    EXPECT_EQ(info.Map, "b");
    EXPECT_EQ(info.Os, "w");  // the last "os" has no value closed by a backslash
    const auto row = AddOld(info, "10.0.0.3", 27015, {});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->pt, "047");
    EXPECT_EQ(row->players, "05/ 16");
    EXPECT_EQ(row->os, "WIN");
    // An empty os value counts as Linux.
    const auto noOs = AddOld(ExtractOldInfo(MakeOld("\\os\\\\")), "10.0.0.3", 27015, {});
    ASSERT_TRUE(noOs);
    EXPECT_EQ(noOs->os, "LIN");
}

TEST(OldRow, TextEndsWithTheDatagramAndAtItsFirstZero) {
    // Text bytes are every byte from offset 23; a datagram that ends there
    // has an empty text.
    testing::Wire bare;
    bare.header().raw("infostringresponse").byte(0);
    EXPECT_EQ(ExtractOldInfo(bare).Hostname, "");
    testing::Wire cut;
    cut.header().raw("infostringresponse").byte(0).raw("\\hostname\\A\\").byte(0).raw("\\map\\m\\");
    const auto info = ExtractOldInfo(cut);
    EXPECT_EQ(info.Hostname, "A");
    EXPECT_EQ(info.Map, "");
}

// The same answers against plain rows (walked) and against a ServerList
// (answered from its index): both must decide alike.
TEST(RepeatedAnswers, SenderAddressAndPortDecide) {
    for (const bool indexed : {false, true}) {
        SCOPED_TRACE(indexed ? "ServerList" : "plain rows");
        std::vector<ServerRow> plain;
        ServerList list;
        const auto rows = [&]() { return indexed ? ListedRows(list) : ListedRows(plain); };
        const auto append = [&](const std::optional<ServerRow>& row) {
            ASSERT_TRUE(row);
            if (indexed)
                list.Append(*row);
            else
                plain.push_back(*row);
        };
        GoldSrcInfo stated;
        stated.address = "10.0.0.7:27016";  // states another port than it answers from
        append(AddHL1(Make(stated), "10.0.0.7", 27015, rows()));
        EXPECT_EQ((indexed ? list[0] : plain[0]).port, "27016");
        // Its next answer adds nothing, nor does a Source answer from the same sender.
        EXPECT_FALSE(AddHL1(Make(stated), "10.0.0.7", 27015, rows()));
        EXPECT_FALSE(AddCSS(Make(SourceInfo{}), "10.0.0.7", 27015, rows()));
        // A second server on the same address with another port gets its row.
        EXPECT_TRUE(AddCSS(Make(SourceInfo{}), "10.0.0.7", 27016, rows()));
        EXPECT_TRUE(AddHL1(Make(GoldSrcInfo{}), "10.0.0.8", 27015, rows()));
        // Old-protocol answers compare the address alone.
        EXPECT_FALSE(AddOld(ExtractOldInfo(MakeOld(kBox)), "10.0.0.7", 27999, rows()));
        EXPECT_TRUE(AddOld(ExtractOldInfo(MakeOld(kBox)), "10.0.0.70", 27015, rows()));
        // Addresses compare as exact texts.
        EXPECT_TRUE(AddHL1(Make(GoldSrcInfo{}), "10.0.0.07", 27015, rows()));
        // An old-protocol row stands for its address and its answer port.
        append(AddOld(ExtractOldInfo(MakeOld(kBox)), "10.0.0.70", 27015, rows()));
        EXPECT_FALSE(AddHL1(Make(GoldSrcInfo{}), "10.0.0.70", 27015, rows()));
        EXPECT_TRUE(AddHL1(Make(GoldSrcInfo{}), "10.0.0.70", 27016, rows()));
        EXPECT_FALSE(AddOld(ExtractOldInfo(MakeOld(kBox)), "10.0.0.70", 1, rows()));
    }
}

}  // namespace
}  // namespace zarnek::protocol
