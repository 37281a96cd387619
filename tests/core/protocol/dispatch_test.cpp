#include "core/protocol/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol_test_support.h"

namespace zarnek::protocol {
namespace {

using testing::GoldSrcInfo;
using testing::Make;
using testing::MakeOld;
using testing::SourceInfo;
using testing::Text;
using testing::Wire;

DatagramOutcome Receive(Dispatcher& d, ByteView bytes, std::string_view from = "10.0.0.9",
                        std::uint16_t port = 27015, std::span<const ServerRow> rows = {}) {
    return d.UDPDataReceived(bytes, from, port, rows);
}

TEST(Dispatch, Classification) {
    struct Case {
        const char* what;
        Bytes bytes;
        OutcomeKind kind;
    } cases[] = {
        {"four header bytes only", Wire().header().bytes, OutcomeKind::Nothing},
        {"rules header only: an empty rules list", Wire().header().byte('E').bytes,
         OutcomeKind::ListRules},
        {"players header only", Wire().header().byte('D').bytes, OutcomeKind::ListPlayers},
        {"challenge", Wire().header().byte('A').raw("abcd").bytes, OutcomeKind::Send},
        {"challenge cut short still answered", Wire().header().byte('A').bytes,
         OutcomeKind::Send},
        {"GoldSrc info", Make(GoldSrcInfo{}), OutcomeKind::AddRow},
        {"Source info", Make(SourceInfo{}), OutcomeKind::AddRow},
        {"old info", MakeOld("\\hostname\\x\\"), OutcomeKind::AddRow},
        {"offset 0 not tested for whole answers", [] {
             Bytes b = Make(GoldSrcInfo{});
             b[0] = 0x00;
             return b;
         }(), OutcomeKind::AddRow},
        {"offsets 1-3 tested", [] {
             Bytes b = Make(GoldSrcInfo{});
             b[2] = 0xFE;
             return b;
         }(), OutcomeKind::Nothing},
        {"old info without its letters at 14 and 21", [] {
             Bytes b = MakeOld("\\hostname\\x\\");
             b[14] = 'R';
             return b;
         }(), OutcomeKind::Nothing},
        {"old info cut before offset 21", Wire().header().raw("infostringr").bytes,
         OutcomeKind::Nothing},
        {"unknown type", Wire().header().byte('Z').raw("....").bytes, OutcomeKind::Nothing},
        {"unknown type under FE is a malformed fragment",
         Wire().header(0xFE).raw("\x01\x02\x03\x04").byte(0x00).bytes, OutcomeKind::Nothing},
        {"empty", Bytes{}, OutcomeKind::Nothing},
        {"longer than 1500 bytes", [] {
             Bytes b = Make(GoldSrcInfo{});
             b.resize(1501);
             return b;
         }(), OutcomeKind::Nothing},
        {"exactly 1500 bytes", [] {
             Bytes b = Make(GoldSrcInfo{});
             b.resize(1500);
             return b;
         }(), OutcomeKind::AddRow},
    };
    for (const Case& c : cases) {
        Dispatcher d;
        EXPECT_EQ(Receive(d, c.bytes).kind, c.kind) << c.what;
    }
}

TEST(Dispatch, FragmentWhoseIdLooksLikeATypeIsStillAFragment) {
    // A message id whose first byte is 'm' must not be read as an info answer.
    Dispatcher d;
    Wire f;
    f.header(0xFE).raw("m\x01\x02\x03").byte(0x02).header().byte('E').u16(1).str("a");
    EXPECT_EQ(Receive(d, f).kind, OutcomeKind::Nothing);
    Wire g;
    g.header(0xFE).raw("m\x01\x02\x03").byte(0x12).str("b");
    const auto out = Receive(d, g);
    ASSERT_EQ(out.kind, OutcomeKind::ListRules);
    ASSERT_EQ(out.rules.size(), 1u);
    EXPECT_EQ(out.rules[0].Name, "a");
    EXPECT_EQ(out.rules[0].Value, "b");
}

TEST(Challenge, FollowUpPlayersFirstThenRulesToTheSender) {
    Dispatcher d;
    std::vector<ServerRow> rows;
    const auto listed = Receive(d, Make(SourceInfo{}), "10.0.0.9", 27015);
    ASSERT_EQ(listed.kind, OutcomeKind::AddRow);
    rows.push_back(listed.row);
    ASSERT_EQ(rows[0].address, "10.0.0.9");

    const auto out = Receive(d, Wire().header().byte('A').raw("\x4B\xA1\xD5\x22"), "10.0.0.9",
                             27015, rows);
    ASSERT_EQ(out.kind, OutcomeKind::Send);
    ASSERT_EQ(out.sends.size(), 2u);  // a listed server gets exactly two
    const std::string ff(4, '\xFF');
    EXPECT_EQ(Text(out.sends[0].bytes), ff + "U\x4B\xA1\xD5\x22");
    EXPECT_EQ(Text(out.sends[1].bytes), ff + "V\x4B\xA1\xD5\x22");
    for (const auto& s : out.sends) {
        EXPECT_EQ(s.address, "10.0.0.9");
        EXPECT_EQ(s.port, 27015);
    }
    EXPECT_EQ(Text(d.Queries().RulesQuery()).substr(5, 4), "\x4B\xA1\xD5\x22");
}

TEST(Challenge, SharedFieldCarriesTheLastServersChallenge) {
    Dispatcher d;
    // Before any challenge: "Sour".
    auto first = d.DetailQueries("10.0.0.1", 27015, false);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(Text(first[0].bytes).substr(4, 5), "VSour");
    EXPECT_EQ(Text(first[1].bytes).substr(4, 5), "USour");
    EXPECT_EQ(first[0].bytes.size(), 25u);

    Receive(d, Wire().header().byte('A').raw("BBBB"), "10.0.0.2", 27015);
    const auto toA = d.DetailQueries("10.0.0.1", 27016, true);
    ASSERT_EQ(toA.size(), 4u);
    EXPECT_EQ(Text(toA[0].bytes).substr(4, 5), "VBBBB");  // B's challenge goes to A
    EXPECT_EQ(Text(toA[1].bytes).substr(4, 5), "UBBBB");
    EXPECT_EQ(Text(toA[2].bytes), std::string(4, '\xFF') + "players" + std::string(1, '\0'));
    EXPECT_EQ(Text(toA[3].bytes), std::string(4, '\xFF') + "rules" + std::string(1, '\0'));
    for (const auto& s : toA) {
        EXPECT_EQ(s.address, "10.0.0.1");
        EXPECT_EQ(s.port, 27016);
    }
    // A answers with its own challenge; the follow-up uses it.
    const auto out = Receive(d, Wire().header().byte('A').raw("AAAA"), "10.0.0.1", 27016);
    EXPECT_EQ(Text(out.sends[0].bytes).substr(5), "AAAA");
}

TEST(Challenge, UnlistedSenderGetsTheChallengedInfoRequestOncePerClearing) {
    Dispatcher d;
    const Wire challenge = Wire().header().byte('A').raw("\x01\x02\x03\x04");
    const auto out = Receive(d, challenge, "10.0.0.9", 27015);
    ASSERT_EQ(out.sends.size(), 3u);
    EXPECT_EQ(out.sends[2].bytes, d.Queries().InfoQueryWithChallenge({1, 2, 3, 4}));
    EXPECT_EQ(out.sends[2].address, "10.0.0.9");
    EXPECT_EQ(out.sends[2].port, 27015);

    EXPECT_EQ(Receive(d, challenge, "10.0.0.9", 27015).sends.size(), 2u);  // not twice
    EXPECT_EQ(Receive(d, challenge, "10.0.0.9", 27016).sends.size(), 3u);  // another sender

    d.ServerListCleared();
    EXPECT_EQ(Receive(d, challenge, "10.0.0.9", 27015).sends.size(), 3u);
}

// Splits a whole answer into GoldSrc fragments (9-byte header).
std::vector<Bytes> GoldSrcFragments(const Bytes& whole, std::uint32_t id, std::size_t slice) {
    std::vector<Bytes> out;
    const std::size_t total = (whole.size() + slice - 1) / slice;
    for (std::size_t i = 0; i < total; ++i) {
        Wire f;
        f.header(0xFE).i32(static_cast<std::int32_t>(id)).byte(static_cast<std::uint8_t>(i << 4 | total));
        const auto begin = whole.begin() + static_cast<std::ptrdiff_t>(i * slice);
        f.bytes.insert(f.bytes.end(), begin, begin + static_cast<std::ptrdiff_t>(std::min(slice, whole.size() - i * slice)));
        out.push_back(f.bytes);
    }
    return out;
}

// Splits into Source fragments: 12-byte header with size, or 10 bytes without.
std::vector<Bytes> SourceFragments(const Bytes& whole, std::uint32_t id, std::size_t slice,
                                   bool withSize) {
    std::vector<Bytes> out;
    const std::size_t total = (whole.size() + slice - 1) / slice;
    for (std::size_t i = 0; i < total; ++i) {
        Wire f;
        f.header(0xFE).i32(static_cast<std::int32_t>(id)).byte(static_cast<std::uint8_t>(total)).byte(static_cast<std::uint8_t>(i));
        if (withSize) f.u16(static_cast<std::uint16_t>(slice));
        const auto begin = whole.begin() + static_cast<std::ptrdiff_t>(i * slice);
        f.bytes.insert(f.bytes.end(), begin, begin + static_cast<std::ptrdiff_t>(std::min(slice, whole.size() - i * slice)));
        out.push_back(f.bytes);
    }
    return out;
}

Bytes ManyRules(int n) {
    Wire w;
    w.header().byte('E').u16(static_cast<std::uint16_t>(n));
    for (int i = 0; i < n; ++i) w.str("rule_" + std::to_string(i)).str("value_" + std::to_string(i));
    return w.bytes;
}

// One host answering with challenges from port after port gets a few
// challenged info requests, and the servers of other hosts still get theirs.
TEST(Challenge, OneHostCannotUseUpTheChallengedInfoRequests) {
    Dispatcher d;
    const Wire challenge = Wire().header().byte('A').raw("\x01\x02\x03\x04");
    std::size_t infoRequests = 0;
    for (int port = 1; port <= 4096; ++port)
        infoRequests += Receive(d, challenge, "10.0.0.66", static_cast<std::uint16_t>(port)).sends.size() - 2;
    EXPECT_GE(infoRequests, 1u);
    EXPECT_LE(infoRequests, 16u);
    // A real server that asks for a challenge is still listed.
    const auto out = Receive(d, challenge, "10.0.0.9", 27015);
    ASSERT_EQ(out.sends.size(), 3u);
    EXPECT_EQ(out.sends[2].bytes, d.Queries().InfoQueryWithChallenge({1, 2, 3, 4}));
    // Spoofed senders on many addresses still meet the bound of the whole set.
    std::size_t spread = 0;
    for (int host = 0; host < 8192; ++host)
        spread += Receive(d, challenge, "10.1." + std::to_string(host / 256) + "." + std::to_string(host % 256),
                          27015).sends.size() - 2;
    EXPECT_LT(spread, 4096u);
    // Clearing the list gives every sender its request again.
    d.ServerListCleared();
    EXPECT_EQ(Receive(d, challenge, "10.0.0.66", 4096).sends.size(), 3u);
}

// A full list takes no further rows, so info answers are dropped before they
// are decoded, and no unlisted sender is asked for one; the details of a
// listed server still arrive.
TEST(ServerList, HoldsAtMostItsBoundAndIsClearedWhole) {
    ServerList list;
    ServerRow row;
    for (std::size_t i = 0; i < ServerList::kMaxRows; ++i) {
        row.address = "10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250);
        row.answerPort = static_cast<std::uint16_t>(27015 + i % 3);
        ASSERT_TRUE(list.Append(row));
    }
    EXPECT_TRUE(list.full());
    row.address = "10.9.9.9";
    EXPECT_FALSE(list.Append(row));
    EXPECT_EQ(list.size(), ServerList::kMaxRows);
    EXPECT_TRUE(list.IsRepeated("10.0.39.249", 27015 + 9999 % 3, AnswerKind::GoldSrc));
    EXPECT_FALSE(list.IsRepeated("10.0.39.249", 27014, AnswerKind::Source));
    EXPECT_TRUE(list.IsRepeated("10.0.39.249", 1, AnswerKind::OldProtocol));

    Dispatcher d;
    EXPECT_EQ(d.UDPDataReceived(Make(GoldSrcInfo{}), "10.9.9.9", 27015, list).kind, OutcomeKind::Nothing);
    EXPECT_EQ(d.UDPDataReceived(Make(SourceInfo{}), "10.9.9.9", 27015, list).kind, OutcomeKind::Nothing);
    EXPECT_EQ(d.UDPDataReceived(MakeOld("\\hostname\\x\\"), "10.9.9.9", 27015, list).kind,
              OutcomeKind::Nothing);
    EXPECT_EQ(d.UDPDataReceived(Wire().header().byte('D').bytes, "10.0.0.1", 27015, list).kind,
              OutcomeKind::ListPlayers);
    const Wire challenge = Wire().header().byte('A').raw("abcd");
    EXPECT_EQ(d.UDPDataReceived(challenge, "10.9.9.9", 27015, list).sends.size(), 2u);

    list.Clear();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.IsRepeated("10.0.0.1", 27015, AnswerKind::OldProtocol));
    EXPECT_EQ(d.UDPDataReceived(Make(GoldSrcInfo{}), "10.0.0.1", 27015, list).kind, OutcomeKind::AddRow);
}

TEST(Split, AllFormatsAnyOrderUpToSixteen) {
    const Bytes whole = ManyRules(700);  // about 12 kB
    struct Case {
        const char* what;
        std::vector<Bytes> fragments;
    } cases[] = {
        {"GoldSrc", GoldSrcFragments(whole, 0x4AC1, 1391)},
        {"Source with size", SourceFragments(whole, 0x5E8CD, 1248, true)},
        {"Source without size", SourceFragments(whole, 0x5E8CD, 1250, false)},
    };
    for (auto& c : cases) {
        ASSERT_LE(c.fragments.size(), 16u) << c.what;
        ASSERT_GT(c.fragments.size(), 2u) << c.what;
        // Last first, then the rest in reverse, so the first fragment comes last.
        std::reverse(c.fragments.begin(), c.fragments.end());
        Dispatcher d;
        for (std::size_t i = 0; i + 1 < c.fragments.size(); ++i)
            EXPECT_EQ(Receive(d, c.fragments[i]).kind, OutcomeKind::Nothing) << c.what;
        const auto out = Receive(d, c.fragments.back());
        ASSERT_EQ(out.kind, OutcomeKind::ListRules) << c.what;
        ASSERT_EQ(out.rules.size(), 700u) << c.what;
        EXPECT_EQ(out.rules[699].Value, "value_699") << c.what;
    }
}

TEST(Split, PlayersAndInfoAnswersReassembleToo) {
    Wire players;
    players.header().byte('D').byte(200);
    for (int i = 0; i < 200; ++i) players.byte(0).str("player" + std::to_string(i)).i32(i).i32(0);
    Dispatcher d;
    DatagramOutcome out;
    for (const auto& f : SourceFragments(players.bytes, 7, 1248, true)) out = Receive(d, f);
    ASSERT_EQ(out.kind, OutcomeKind::ListPlayers);
    ASSERT_EQ(out.players.size(), 200u);
    EXPECT_EQ(out.players[0].Name, "player199");  // frags order

    for (const auto& f : GoldSrcFragments(Make(GoldSrcInfo{}), 8, 40)) out = Receive(d, f);
    EXPECT_EQ(out.kind, OutcomeKind::AddRow);
}

TEST(Split, KeptApartBySenderAndId) {
    const Bytes a = ManyRules(100), b = ManyRules(110);
    const auto fa = GoldSrcFragments(a, 1, 1391);
    const auto fb = GoldSrcFragments(b, 1, 1391);  // same id, another sender
    const auto fc = GoldSrcFragments(b, 2, 1391);  // same sender, another id
    ASSERT_EQ(fa.size(), 2u);
    ASSERT_EQ(fb.size(), 2u);
    Dispatcher d;
    EXPECT_EQ(Receive(d, fa[0], "10.0.0.1").kind, OutcomeKind::Nothing);
    EXPECT_EQ(Receive(d, fb[0], "10.0.0.2").kind, OutcomeKind::Nothing);
    EXPECT_EQ(Receive(d, fc[1], "10.0.0.1").kind, OutcomeKind::Nothing);
    EXPECT_EQ(Receive(d, fa[1], "10.0.0.1").rules.size(), 100u);
    EXPECT_EQ(Receive(d, fb[1], "10.0.0.2").rules.size(), 110u);
    EXPECT_EQ(Receive(d, fc[0], "10.0.0.1").rules.size(), 110u);
    // A second fragment on its own lists nothing.
    EXPECT_EQ(Receive(d, fa[1], "10.0.0.1").kind, OutcomeKind::Nothing);
}

TEST(Split, MalformedAndCompressedDropped) {
    const Bytes whole = ManyRules(150);
    Dispatcher d;
    // Compressed: top bit of the id.
    for (const auto& f : SourceFragments(whole, 0x80000001u, 1248, true))
        EXPECT_EQ(Receive(d, f).kind, OutcomeKind::Nothing);
    // More than sixteen fragments, or a number beyond the total.
    Wire tooMany;
    tooMany.header(0xFE).i32(3).byte(17).byte(0).u16(1248).header().byte('E');
    EXPECT_EQ(Receive(d, tooMany).kind, OutcomeKind::Nothing);
    Wire beyond;
    beyond.header(0xFE).i32(3).byte(0x22).raw("xx");  // GoldSrc number 2 of 2
    EXPECT_EQ(Receive(d, beyond).kind, OutcomeKind::Nothing);
    // A reassembled message that is itself a fragment is not unpacked again.
    Wire inner;
    inner.header(0xFE).i32(9).byte(0x01).header().byte('E').u16(1).str("a").str("b");
    const Bytes nested = GoldSrcFragments(inner.bytes, 10, 1400)[0];
    EXPECT_EQ(Receive(d, nested).kind, OutcomeKind::Nothing);
    // A single-fragment message is simply the message.
    EXPECT_EQ(Receive(d, inner).kind, OutcomeKind::ListRules);
}

TEST(Split, PendingMessagesStayBounded) {
    SplitReassembler r;
    const Bytes whole = ManyRules(150);
    for (std::uint32_t id = 0; id < 1000; ++id) {
        const auto f = GoldSrcFragments(whole, id, 1391);
        r.Add(f[0], "10.0.0." + std::to_string(id % 200), 27015);
    }
    EXPECT_LE(r.PendingMessages(), kMaxPendingMessages);
    // One sender flooding ids does not push out another sender's message.
    SplitReassembler s;
    const auto kept = GoldSrcFragments(whole, 5, 1391);
    s.Add(kept[0], "10.0.0.1", 27015);
    for (std::uint32_t id = 100; id < 200; ++id)
        s.Add(GoldSrcFragments(whole, id, 1391)[0], "10.0.0.66", 27015);
    EXPECT_TRUE(s.Add(kept[1], "10.0.0.1", 27015));
}

TEST(Rules, NothingOfAnEarlierAnswerLeaksIntoALaterOne) {
    Dispatcher d;
    Receive(d, ManyRules(50));
    Wire shorter;
    shorter.header().byte('E').u16(40).str("only").str("one");
    const auto out = Receive(d, shorter);
    ASSERT_EQ(out.rules.size(), 1u);
    EXPECT_EQ(out.rules[0].Name, "only");
}

}  // namespace
}  // namespace zarnek::protocol
