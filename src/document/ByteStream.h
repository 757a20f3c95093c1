#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvane {

// Damaged or hostile content met while reading a record: a length past the
// end, a size out of bounds, a stream that does not inflate.
class RecordFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends little-endian values to a memory buffer.
class ByteSink {
public:
    void U8(uint8_t v) { data_.push_back(v); }
    void I16(int16_t v) { U32Bytes(uint16_t(v), 2); }
    void I32(int32_t v) { U32Bytes(uint32_t(v), 4); }
    void U32(uint32_t v) { U32Bytes(v, 4); }
    void Bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        data_.insert(data_.end(), b, b + n);
    }
    void Text(const std::string& s) { Bytes(s.data(), s.size()); }

    const std::vector<uint8_t>& Data() const { return data_; }
    std::vector<uint8_t>& Data() { return data_; }
    size_t Size() const { return data_.size(); }

private:
    void U32Bytes(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) data_.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t> data_;
};

// Reads little-endian values from memory; reading past the end throws
// RecordFormatError, so no length in the data is ever trusted.
class ByteSource {
public:
    ByteSource() = default;
    explicit ByteSource(std::span<const uint8_t> data) : data_(data) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    uint8_t U8() { return Take(1)[0]; }
    int16_t I16() {
        const auto b = Take(2);
        return int16_t(uint16_t(b[0] | (b[1] << 8)));
    }
    uint32_t U32() {
        const auto b = Take(4);
        return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
    }
    int32_t I32() { return int32_t(U32()); }
    std::span<const uint8_t> Take(size_t n) {
        if (n > Remaining()) throw RecordFormatError("the data ends early");
        auto part = data_.subspan(pos_, n);
        pos_ += n;
        return part;
    }
    uint8_t PeekU8() const {
        if (AtEnd()) throw RecordFormatError("the data ends early");
        return data_[pos_];
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

}  // namespace orvane
