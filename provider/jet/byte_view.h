// A non-owning, bounds-checked window onto bytes of the file: the only way decoders see a page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

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

  std::uint8_t U8(std::size_t offset) const { return Contains(offset, 1) ? data_[offset] : 0; }
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(Read(offset, 2));
  }
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(Read(offset, 4));
  }
  std::uint64_t U64(std::size_t offset) const { return Read(offset, 8); }

 private:
  std::uint64_t Read(std::size_t offset, std::size_t length) const {
    if (!Contains(offset, length)) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = length; i-- > 0;) value = value << 8 | data_[offset + i];
    return value;
  }

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace provider::jet
