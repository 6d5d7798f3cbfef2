// The parameter file's field encodings, shared by its reader and writer: the bounded
// reader that every read goes through, and the byte sink of the writer. Extended fields
// are the 10 bytes of the x87 format, copied as they stand in memory so that no value
// ever passes through double; the padding of a wider long double is not part of a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the x87 extended format");
static_assert(sizeof(long double) >= 10, "an x87 extended value occupies 10 bytes");

constexpr std::size_t ParamFileExtendedSize = 10;

class ParamFileInput {
 public:
  ParamFileInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // Each returns false, and reads nothing, when fewer bytes than asked for are left.
  bool bytes(void* dst, std::size_t n) {
    if (n > size_ - pos_) return false;
    if (n) std::memcpy(dst, data_ + pos_, n);
    pos_ += n;
    return true;
  }
  bool u32(std::uint32_t& v) {
    std::uint8_t b[4];
    if (!bytes(b, sizeof b)) return false;
    v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
        std::uint32_t(b[3]) << 24;
    return true;
  }
  bool i32(std::int32_t& v) {
    std::uint32_t u;
    if (!u32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool extended(long double& v) {
    unsigned char image[sizeof(long double)] = {};
    if (!bytes(image, ParamFileExtendedSize)) return false;
    std::memcpy(&v, image, sizeof image);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class ParamFileOutput {
 public:
  explicit ParamFileOutput(std::size_t size) { out_.reserve(size); }

  void bytes(const void* src, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(src);
    out_.insert(out_.end(), p, p + n);
  }
  void u32(std::uint32_t v) {
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                               std::uint8_t(v >> 24)};
    bytes(b, sizeof b);
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void extended(const long double& v) {
    unsigned char image[sizeof(long double)];
    std::memcpy(image, &v, sizeof image);
    bytes(image, ParamFileExtendedSize);
  }

  std::vector<std::uint8_t> take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};
