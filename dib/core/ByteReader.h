// The bounded reader every codec read goes through: it checks that the bytes are there
// before it reads them, and reads little-endian fields. Used by the BMP header reader
// (BmpReader.cpp) and the RLE decoder (Rle.cpp).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace bmp {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t position() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }
  bool has(uint64_t n) const { return n <= remaining(); }

  // Each returns false, and reads nothing, when fewer than the bytes asked for are left.
  bool u8(uint8_t& v) {
    if (!has(1)) return false;
    v = data_[pos_++];
    return true;
  }
  bool u16(uint16_t& v) {
    if (!has(2)) return false;
    v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return true;
  }
  bool u32(uint32_t& v) {
    if (!has(4)) return false;
    v = static_cast<uint32_t>(data_[pos_]) | static_cast<uint32_t>(data_[pos_ + 1]) << 8 |
        static_cast<uint32_t>(data_[pos_ + 2]) << 16 | static_cast<uint32_t>(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return true;
  }
  bool i32(int32_t& v) {
    uint32_t u;
    if (!u32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }
  bool bytes(void* dst, uint64_t n) {
    if (!has(n)) return false;
    if (n) std::memcpy(dst, data_ + pos_, static_cast<size_t>(n));
    pos_ += static_cast<size_t>(n);
    return true;
  }
  // A pointer to the next n bytes, which are then passed over; null when they are not there.
  const uint8_t* take(uint64_t n) {
    if (!has(n)) return nullptr;
    const uint8_t* p = data_ + pos_;
    pos_ += static_cast<size_t>(n);
    return p;
  }
  bool skip(uint64_t n) { return take(n) != nullptr; }
  // Moves to the next even offset, as RLE items are word-aligned; false past the end.
  bool alignEven() { return (pos_ & 1) == 0 || skip(1); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace bmp
