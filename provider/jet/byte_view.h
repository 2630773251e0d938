// A non-owning, bounds-checked window onto bytes of the file: the only way decoders see a page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/little_endian.h"

namespace provider::jet {

// Decoders check the ranges they rely on with Contains() or Slice() and report corruption
// when a range does not fit. The little-endian reads never touch memory outside the view: a read
// that does not fit yields 0, which only matters for a caller that skipped its check.
class ByteView {
 public:
  ByteView() = default;
  ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  bool Contains(std::size_t offset, std::size_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  std::optional<ByteView> Slice(std::size_t offset, std::size_t length) const {
    if (!Contains(offset, length)) return std::nullopt;
    return ByteView(data_ + offset, length);
  }

  std::uint8_t U8(std::size_t offset) const { return Read<std::uint8_t>(offset); }
  std::uint16_t U16(std::size_t offset) const { return Read<std::uint16_t>(offset); }
  std::uint32_t U32(std::size_t offset) const { return Read<std::uint32_t>(offset); }
  std::uint64_t U64(std::size_t offset) const { return Read<std::uint64_t>(offset); }

 private:
  template <typename T>
  T Read(std::size_t offset) const {
    return Contains(offset, sizeof(T)) ? platform::LoadLittleEndian<T>(data_ + offset) : T{0};
  }

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace provider::jet
