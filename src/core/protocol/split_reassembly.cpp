#include "core/protocol/split_reassembly.h"

#include <algorithm>

namespace zarnek::protocol {

namespace {

bool AllFF(ByteView bytes, std::size_t from, std::size_t count) {
    if (bytes.size() < from + count) return false;
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                       bytes.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](std::uint8_t b) { return b == 0xFF; });
}

}  // namespace

std::optional<Bytes> SplitReassembler::Add(ByteView fragment, std::string_view fromIP,
                                           std::uint16_t port) {
    if (fragment.size() < 10 || fragment[0] != 0xFE || !AllFF(fragment, 1, 3)) return std::nullopt;
    const std::uint32_t id = std::uint32_t{fragment[4]} | std::uint32_t{fragment[5]} << 8 |
                             std::uint32_t{fragment[6]} << 16 | std::uint32_t{fragment[7]} << 24;
    // Compressed answers are not unpacked.
    if (id & 0x80000000u) return std::nullopt;

    // Source headers hold the total and the number in two bytes; GoldSrc
    // packs both in one (number high, total low) and its first payload
    // begins FF FF FF FF, so its byte 9 can never pass for a fragment number.
    Format format;
    std::size_t total;
    std::size_t number;
    const std::uint8_t b8 = fragment[8];
    const std::uint8_t b9 = fragment[9];
    if (b8 >= 1 && b8 <= kMaxFragments && b9 < b8) {
        format = Format::Source;
        total = b8;
        number = b9;
    } else {
        format = Format::GoldSrc;
        total = b8 & 0x0F;
        number = b8 >> 4;
        if (total == 0 || number >= total) return std::nullopt;
    }

    Pending& message = Slot(fromIP, port, id, format, total);
    message.parts[number] = Bytes(fragment.begin(), fragment.end());
    message.touched = ++clock_;
    for (std::size_t i = 0; i < message.total; ++i)
        if (!message.parts[i]) return std::nullopt;

    std::optional<Bytes> whole = Assemble(message);
    pending_.erase(pending_.begin() + (&message - pending_.data()));
    return whole;
}

SplitReassembler::Pending& SplitReassembler::Slot(std::string_view fromIP, std::uint16_t port,
                                                  std::uint32_t id, Format format,
                                                  std::size_t total) {
    std::size_t fromSender = 0;
    Pending* oldestOfSender = nullptr;
    for (Pending& p : pending_) {
        if (p.address != fromIP || p.port != port) continue;
        if (p.id == id && p.format == format) {
            // A changed total means a new message under an old id.
            if (p.total != total) {
                p.parts = {};
                p.total = total;
            }
            return p;
        }
        ++fromSender;
        if (!oldestOfSender || p.touched < oldestOfSender->touched) oldestOfSender = &p;
    }
    auto evict = [this](Pending* victim) { pending_.erase(pending_.begin() + (victim - pending_.data())); };
    if (fromSender >= kMaxPendingPerSender) {
        evict(oldestOfSender);
    } else if (pending_.size() >= kMaxPendingMessages) {
        evict(&*std::min_element(pending_.begin(), pending_.end(),
                                 [](const Pending& a, const Pending& b) { return a.touched < b.touched; }));
    }
    Pending fresh;
    fresh.address = std::string(fromIP);
    fresh.port = port;
    fresh.id = id;
    fresh.format = format;
    fresh.total = total;
    pending_.push_back(std::move(fresh));
    return pending_.back();
}

std::optional<Bytes> SplitReassembler::Assemble(const Pending& message) const {
    std::size_t header = 9;
    if (message.format == Format::Source) {
        // Older Source servers leave out the 2-byte size; their first payload
        // then starts two bytes earlier.
        header = AllFF(*message.parts[0], 10, 4) ? 10 : 12;
    }
    Bytes whole;
    for (std::size_t i = 0; i < message.total; ++i) {
        const Bytes& part = *message.parts[i];
        if (part.size() <= header) return std::nullopt;
        whole.insert(whole.end(), part.begin() + static_cast<std::ptrdiff_t>(header), part.end());
    }
    return whole;
}

}  // namespace zarnek::protocol
