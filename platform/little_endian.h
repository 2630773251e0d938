// Little-endian loads and stores of fixed-width integers: the one byte codec behind every file
// format the program reads or writes (Jet pages and rows, component streams).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace platform {

// The sizeof(T) bytes at `bytes`, lowest first. The caller guarantees that they exist; bounds
// belong to the view or buffer the bytes come from. Signed types wrap as two's complement.
template <std::integral T>
constexpr T LoadLittleEndian(const std::uint8_t* bytes) {
  using Bits = std::make_unsigned_t<T>;
  Bits value = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) value = static_cast<Bits>(value << 8 | bytes[i]);
  return static_cast<T>(value);
}

// Writes `value` into the sizeof(T) bytes at `bytes`, lowest first.
template <std::integral T>
constexpr void StoreLittleEndian(std::uint8_t* bytes, T value) {
  auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    bytes[i] = static_cast<std::uint8_t>(bits & 0xFF);
    bits = static_cast<decltype(bits)>(bits >> 8);
  }
}

}  // namespace platform
