#include "core/protocol/requests.h"

#include <algorithm>
#include <cstring>

namespace zarnek::protocol {

namespace {

template <std::size_t N>
void Fill(std::array<std::uint8_t, N>& buffer, const char* text) {
    buffer.fill(0);
    std::fill_n(buffer.begin(), 4, std::uint8_t{0xFF});
    std::memcpy(buffer.data() + 4, text, std::strlen(text));  // the trailing zero stays
}

}  // namespace

QueryBuffers::QueryBuffers() {
    Fill(info_, "TSource Engine Query");
    Fill(oldInfo_, "infostring");
    Fill(oldPlayers_, "players");
    Fill(oldRules_, "rules");
    // The players and rules requests are copies of the info request with
    // another type byte; bytes 5 to 8 then double as the challenge field.
    player_ = info_;
    player_[4] = 'U';
    rules_ = info_;
    rules_[4] = 'V';
}

ByteView QueryBuffers::InfoQuery() const { return info_; }
ByteView QueryBuffers::OldInfoQuery() const { return oldInfo_; }
ByteView QueryBuffers::PlayerQuery() const { return player_; }
ByteView QueryBuffers::RulesQuery() const { return rules_; }
ByteView QueryBuffers::PlayerQueryShort() const { return ByteView(player_).first(9); }
ByteView QueryBuffers::RulesQueryShort() const { return ByteView(rules_).first(9); }
ByteView QueryBuffers::OldPlayersQuery() const { return oldPlayers_; }
ByteView QueryBuffers::OldRulesQuery() const { return oldRules_; }

Bytes QueryBuffers::InfoQueryWithChallenge(const ChallengeField& challenge) const {
    Bytes out(info_.begin(), info_.end());
    out.insert(out.end(), challenge.begin(), challenge.end());
    return out;
}

void QueryBuffers::SetChallenge(const ChallengeField& challenge) {
    challenge_ = challenge;
    std::copy(challenge.begin(), challenge.end(), player_.begin() + 5);
    std::copy(challenge.begin(), challenge.end(), rules_.begin() + 5);
}

}  // namespace zarnek::protocol
