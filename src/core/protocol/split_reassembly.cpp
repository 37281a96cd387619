#include "core/protocol/split_reassembly.h"

namespace zarnek::protocol {

std::optional<Bytes> SplitReassembler::Add(ByteView, std::string_view, std::uint16_t) {
    return std::nullopt;
}

std::optional<Bytes> SplitReassembler::Assemble(const Pending&) const { return std::nullopt; }

}  // namespace zarnek::protocol
