#include "core/protocol/requests.h"

#include <gtest/gtest.h>

#include "protocol_test_support.h"

namespace zarnek::protocol {
namespace {

using testing::Text;

TEST(Requests, SixDatagramsByteForByte) {
    const QueryBuffers q;
    const std::string ff(4, '\xFF');
    struct Case {
        const char* what;
        ByteView bytes;
        std::string expected;
    } cases[] = {
        {"info", q.InfoQuery(), ff + "TSource Engine Query" + std::string(1, '\0')},
        {"old info", q.OldInfoQuery(), ff + "infostring" + std::string(1, '\0')},
        {"players", q.PlayerQuery(), ff + "USource Engine Query" + std::string(1, '\0')},
        {"rules", q.RulesQuery(), ff + "VSource Engine Query" + std::string(1, '\0')},
        {"old players", q.OldPlayersQuery(), ff + "players" + std::string(1, '\0')},
        {"old rules", q.OldRulesQuery(), ff + "rules" + std::string(1, '\0')},
        {"players short", q.PlayerQueryShort(), ff + "USour"},
        {"rules short", q.RulesQueryShort(), ff + "VSour"},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(c.bytes), c.expected) << c.what;
    EXPECT_EQ(q.InfoQuery().size(), 25u);
    EXPECT_EQ(q.OldInfoQuery().size(), 15u);
    EXPECT_EQ(q.OldPlayersQuery().size(), 12u);
    EXPECT_EQ(q.OldRulesQuery().size(), 10u);
    EXPECT_EQ(q.Challenge(), kInitialChallenge);
}

TEST(Requests, ChallengeLandsInBothRequestsAndTheChallengedInfoRequest) {
    QueryBuffers q;
    const ChallengeField c{0x4B, 0xA1, 0xD5, 0x22};
    q.SetChallenge(c);
    const std::string ff(4, '\xFF');
    EXPECT_EQ(Text(q.PlayerQueryShort()), ff + "U\x4B\xA1\xD5\x22");
    EXPECT_EQ(Text(q.RulesQueryShort()), ff + "V\x4B\xA1\xD5\x22");
    // The 25-byte forms keep their trailer after the new challenge.
    EXPECT_EQ(Text(q.PlayerQuery()),
              ff + "U\x4B\xA1\xD5\x22" + "ce Engine Query" + std::string(1, '\0'));
    // The info request itself never changes.
    EXPECT_EQ(Text(q.InfoQuery()), ff + "TSource Engine Query" + std::string(1, '\0'));
    const Bytes challenged = q.InfoQueryWithChallenge(c);
    ASSERT_EQ(challenged.size(), 29u);
    EXPECT_EQ(Text(challenged), Text(q.InfoQuery()) + "\x4B\xA1\xD5\x22");
}

}  // namespace
}  // namespace zarnek::protocol
