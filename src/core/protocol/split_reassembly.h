#pragma once

// Reassembly of answers that servers split over several datagrams. Source
// servers use a 12-byte fragment header (10 bytes on some older ones), GoldSrc
// servers a 9-byte one; fragments are kept per sender and message id and may
// arrive in any order. What a hostile sender can make it hold is bounded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/requests.h"

namespace zarnek::protocol {

inline constexpr std::size_t kMaxFragments = 16;
inline constexpr std::size_t kMaxPendingMessages = 64;
// One sender flooding with message ids only pushes out its own messages.
inline constexpr std::size_t kMaxPendingPerSender = 8;

class SplitReassembler {
public:
    // Takes one datagram that begins FE FF FF FF. Returns the whole message
    // (beginning FF FF FF FF) when this fragment completes it; nothing while
    // fragments are missing or when the fragment is malformed or compressed.
    std::optional<Bytes> Add(ByteView fragment, std::string_view fromIP, std::uint16_t port);

    std::size_t PendingMessages() const { return pending_.size(); }

private:
    enum class Format : std::uint8_t { GoldSrc, Source };
    struct Pending {
        std::string address;
        std::uint16_t port = 0;
        std::uint32_t id = 0;
        Format format = Format::Source;
        std::size_t total = 0;
        std::array<std::optional<Bytes>, kMaxFragments> parts;  // whole datagrams
        std::uint64_t touched = 0;
    };

    std::optional<Bytes> Assemble(const Pending& message) const;
    Pending& Slot(std::string_view fromIP, std::uint16_t port, std::uint32_t id, Format format,
                  std::size_t total);

    std::vector<Pending> pending_;
    std::uint64_t clock_ = 0;
};

}  // namespace zarnek::protocol
