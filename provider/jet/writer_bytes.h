// Little-endian stores into page and row buffers, for the code that writes Jet files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/little_endian.h"

namespace provider::jet {

inline void Store16(std::span<std::uint8_t> at, std::size_t offset, std::uint32_t value) {
  platform::StoreLittleEndian(at.data() + offset, static_cast<std::uint16_t>(value));
}

inline void Store32(std::span<std::uint8_t> at, std::size_t offset, std::uint32_t value) {
  platform::StoreLittleEndian(at.data() + offset, value);
}

inline std::uint32_t Load16(std::span<const std::uint8_t> at, std::size_t offset) {
  return platform::LoadLittleEndian<std::uint16_t>(at.data() + offset);
}

inline std::uint32_t Load32(std::span<const std::uint8_t> at, std::size_t offset) {
  return platform::LoadLittleEndian<std::uint32_t>(at.data() + offset);
}

inline void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.resize(out.size() + 2);
  Store16(out, out.size() - 2, value);
}

inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.resize(out.size() + 4);
  Store32(out, out.size() - 4, value);
}

// A row's address: page number in the upper three bytes, slot in the lowest.
inline std::uint32_t PageRow(std::uint32_t page, std::uint32_t row) {
  return page << 8 | row;
}

}  // namespace provider::jet
