#pragma once

// Reads an answer field by field without ever leaving it: past the end every
// byte reads as zero and every string as empty, just as a zero-filled receive
// buffer would give, and a string that lacks its zero byte ends at the end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/protocol/requests.h"

namespace zarnek::protocol {

class ByteReader {
public:
    explicit ByteReader(ByteView data, std::size_t offset = 0)
        : data_(data), offset_(std::min(offset, data.size())) {}

    std::uint8_t Byte() {
        if (offset_ >= data_.size()) return 0;
        return data_[offset_++];
    }
    char Char() { return static_cast<char>(Byte()); }
    std::uint16_t U16() {
        const unsigned lo = Byte();
        const unsigned hi = Byte();
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    std::int32_t I32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t{Byte()} << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    // The bytes up to the next zero byte, which is skipped.
    std::string String() {
        const std::size_t start = offset_;
        while (offset_ < data_.size() && data_[offset_] != 0) ++offset_;
        std::string out(reinterpret_cast<const char*>(data_.data()) + start, offset_ - start);
        if (offset_ < data_.size()) ++offset_;
        return out;
    }
    void Skip(std::size_t n) { offset_ += std::min(n, data_.size() - offset_); }

    std::size_t Offset() const { return offset_; }
    bool AtEnd() const { return offset_ >= data_.size(); }

private:
    ByteView data_;
    std::size_t offset_;
};

}  // namespace zarnek::protocol
