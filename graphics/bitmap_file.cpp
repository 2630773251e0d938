// Bitmap files: parsing the stored form of a bitmap into rows of pixels.
#include "graphics/bitmap_file.h"

#include "core/exceptions.h"

using namespace platform;

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
  std::uint32_t U16(std::size_t at) const {
    Need(at, 2);
    return data_[at] | data_[at + 1] << 8;
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return std::uint32_t(data_[at]) | std::uint32_t(data_[at + 1]) << 8 |
           std::uint32_t(data_[at + 2]) << 16 | std::uint32_t(data_[at + 3]) << 24;
  }
  const std::uint8_t* At(std::size_t at, std::size_t count) const {
    Need(at, count);
    return data_.data() + at;
  }
  void Need(std::size_t at, std::size_t count) const {
    if (at > data_.size() || count > data_.size() - at) Invalid();
  }

 private:
  std::span<const std::uint8_t> data_;
};

// Spreads a mask's bits over 0..255.
struct Channel {
  explicit Channel(std::uint32_t mask) : mask(mask) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    std::uint32_t bits = mask >> shift;
    while (bits & 1) {
      ++width;
      bits >>= 1;
    }
  }
  std::uint32_t Value(std::uint32_t pixel) const {
    if (width == 0) return 0;
    std::uint32_t v = (pixel & mask) >> shift;
    std::uint32_t max = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1;
    return static_cast<std::uint32_t>((std::uint64_t(v) * 255 + max / 2) / max);
  }
  std::uint32_t mask;
  int shift = 0;
  int width = 0;
};

}  // namespace

BitmapFileImage ParseBitmapFile(std::span<const std::uint8_t> file) {
  Bytes b(file);
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') Invalid();
  const std::uint32_t offBits = b.U32(10);
  const std::uint32_t headerSize = b.U32(14);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    Invalid();
  }
  std::int64_t width, height;
  std::uint32_t planes, bitCount, compression = BI_RGB, clrUsed = 0;
  if (core) {
    width = b.U16(18);
    height = static_cast<std::int16_t>(b.U16(20));
    planes = b.U16(22);
    bitCount = b.U16(24);
  } else {
    width = static_cast<std::int32_t>(b.U32(18));
    height = static_cast<std::int32_t>(b.U32(22));
    planes = b.U16(26);
    bitCount = b.U16(28);
    compression = b.U32(30);
    clrUsed = b.U32(46);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (planes != 1 || width <= 0 || height <= 0 || width > 32767 || height > 32767 ||
      width * height > kMaxBitmapPixels) {
    Invalid();
  }
  const bool bitfields = compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32);
  if (compression != BI_RGB && !bitfields) Invalid();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32) {
    Invalid();
  }

  BitmapFileImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bitCount = static_cast<int>(bitCount);
  std::size_t tableAt = 14 + headerSize;
  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bitCount == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  if (bitfields) {
    // After a 40-byte header the masks follow it; larger headers hold them inside.
    std::size_t at = 14 + 40;
    for (int i = 0; i < 3; ++i) masks[i] = b.U32(at + 4 * i);
    if (headerSize == 40) tableAt += 12;
  }
  if (bitCount <= 8) {
    std::uint32_t entries = clrUsed != 0 ? clrUsed : 1u << bitCount;
    if (entries > (1u << bitCount)) Invalid();
    const std::size_t entrySize = core ? 3 : 4;
    const std::uint8_t* table = b.At(tableAt, entries * entrySize);
    image.palette.resize(entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = table + i * entrySize;
      image.palette[i] = {e[0], e[1], e[2], 0};
    }
  }

  const std::size_t rowBytes = DibRowBytes(static_cast<LONG>(width), static_cast<WORD>(bitCount));
  const std::uint8_t* rows = b.At(offBits, rowBytes * static_cast<std::size_t>(height));
  const std::size_t count = static_cast<std::size_t>(width * height);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  if (bitCount <= 8) {
    image.indices.resize(count);
  } else {
    image.pixels.resize(count);
  }
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = rows + rowBytes * (topDown ? y : image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * image.width + x;
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          const int perByte = 8 / static_cast<int>(bitCount);
          const int shift = 8 - static_cast<int>(bitCount) * (x % perByte + 1);
          std::uint8_t index = (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
          // An index past the table shows its first colour rather than reading beyond it.
          image.indices[i] = index < image.palette.size() ? index : 0;
          break;
        }
        case 16: {
          std::uint32_t p = row[2 * x] | row[2 * x + 1] << 8;
          image.pixels[i] = 0xFF000000u | red.Value(p) << 16 | green.Value(p) << 8 | blue.Value(p);
          break;
        }
        case 24:
          image.pixels[i] = 0xFF000000u | std::uint32_t(row[3 * x + 2]) << 16 |
                            std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
          break;
        case 32: {
          const std::uint8_t* q = row + 4 * x;
          std::uint32_t p = std::uint32_t(q[0]) | std::uint32_t(q[1]) << 8 |
                            std::uint32_t(q[2]) << 16 | std::uint32_t(q[3]) << 24;
          image.pixels[i] = 0xFF000000u | red.Value(p) << 16 | green.Value(p) << 8 | blue.Value(p);
          break;
        }
      }
    }
  }
  return image;
}
