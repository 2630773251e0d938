// Little-endian stores into page and row buffers, for the code that writes Jet files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace provider::jet {

inline void Store16(std::span<std::uint8_t> at, std::size_t offset, std::uint32_t value) {
  at[offset] = static_cast<std::uint8_t>(value);
  at[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Store32(std::span<std::uint8_t> at, std::size_t offset, std::uint32_t value) {
  Store16(at, offset, value & 0xFFFF);
  Store16(at, offset + 2, value >> 16);
}

inline std::uint32_t Load16(std::span<const std::uint8_t> at, std::size_t offset) {
  return at[offset] | (static_cast<std::uint32_t>(at[offset + 1]) << 8);
}

inline std::uint32_t Load32(std::span<const std::uint8_t> at, std::size_t offset) {
  return Load16(at, offset) | (Load16(at, offset + 2) << 16);
}

inline void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Append16(out, value & 0xFFFF);
  Append16(out, value >> 16);
}

// A row's address: page number in the upper three bytes, slot in the lowest.
inline std::uint32_t PageRow(std::uint32_t page, std::uint32_t row) {
  return page << 8 | row;
}

}  // namespace provider::jet
