// TSet<E>: a set of enumeration values (ordinals 0 to 63), used for option and state
// sets such as the shift state, the component state and control styles.
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) bits_ |= Bit(v);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint64_t Bits() const { return bits_; }

  TSet& Include(E v) { bits_ |= Bit(v); return *this; }
  TSet& Exclude(E v) { bits_ &= ~Bit(v); return *this; }

  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  TSet& operator+=(TSet o) { bits_ |= o.bits_; return *this; }
  TSet& operator-=(TSet o) { bits_ &= ~o.bits_; return *this; }
  TSet& operator*=(TSet o) { bits_ &= o.bits_; return *this; }
  constexpr bool operator==(TSet o) const { return bits_ == o.bits_; }
  constexpr bool operator!=(TSet o) const { return bits_ != o.bits_; }

private:
  static constexpr std::uint64_t Bit(E v) { return std::uint64_t(1) << static_cast<unsigned>(v); }
  std::uint64_t bits_ = 0;
};
