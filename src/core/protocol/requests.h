#pragma once

// The request datagrams. They are built once and live as long as the program;
// only the challenge field shared by the players and rules requests changes,
// so the views handed out always show the challenge stored last.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zarnek::protocol {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// The four challenge bytes. They are never read as a number.
using ChallengeField = std::array<std::uint8_t, 4>;

// Until a server sends a challenge the field holds "Sour", the letters that
// the players and rules requests inherit from the info request they copy.
inline constexpr ChallengeField kInitialChallenge{0x53, 0x6F, 0x75, 0x72};

class QueryBuffers {
public:
    QueryBuffers();

    ByteView InfoQuery() const;        // 25 bytes
    ByteView OldInfoQuery() const;     // 15 bytes, "infostring"
    ByteView PlayerQuery() const;      // 25 bytes, as sent on selection
    ByteView RulesQuery() const;       // 25 bytes, as sent on selection
    ByteView PlayerQueryShort() const; // 9 bytes: header, 'U', challenge
    ByteView RulesQueryShort() const;  // 9 bytes: header, 'V', challenge
    ByteView OldPlayersQuery() const;  // 12 bytes, "players"
    ByteView OldRulesQuery() const;    // 10 bytes, "rules"

    // The info request with a server's challenge appended (29 bytes), for
    // servers that refuse the plain info request.
    Bytes InfoQueryWithChallenge(const ChallengeField& challenge) const;

    const ChallengeField& Challenge() const { return challenge_; }
    void SetChallenge(const ChallengeField& challenge);

private:
    std::array<std::uint8_t, 25> info_{};
    std::array<std::uint8_t, 15> oldInfo_{};
    std::array<std::uint8_t, 25> player_{};
    std::array<std::uint8_t, 25> rules_{};
    std::array<std::uint8_t, 12> oldPlayers_{};
    std::array<std::uint8_t, 10> oldRules_{};
    ChallengeField challenge_ = kInitialChallenge;
};

}  // namespace zarnek::protocol
