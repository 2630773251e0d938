// A set of enumeration values kept as bits, for state flags and published set properties.
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class SetOf {
 public:
  constexpr SetOf() = default;
  constexpr SetOf(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  static constexpr SetOf FromBits(std::uint32_t bits) {
    SetOf s;
    s.bits_ = bits;
    return s;
  }

  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(E v) { bits_ |= Bit(v); }
  constexpr void Exclude(E v) { bits_ &= ~Bit(v); }
  constexpr bool operator==(const SetOf&) const = default;

 private:
  static constexpr std::uint32_t Bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
  std::uint32_t bits_ = 0;
};
