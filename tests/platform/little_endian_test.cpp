// The little-endian codec: known byte images of each width, signed wrap-around, round trips.
#include "platform/little_endian.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace platform {
namespace {

// Eight bytes whose prefixes are read at each width.
constexpr std::array<std::uint8_t, 8> kImage = {0x01, 0x02, 0x03, 0x04, 0xF5, 0xF6, 0xF7, 0xF8};

struct WidthCase {
  const char* name;
  std::size_t offset;
  std::size_t width;
  std::uint64_t unsignedValue;
  std::int64_t signedValue;
};

std::uint64_t LoadUnsigned(const std::uint8_t* at, std::size_t width) {
  switch (width) {
    case 1:
      return LoadLittleEndian<std::uint8_t>(at);
    case 2:
      return LoadLittleEndian<std::uint16_t>(at);
    case 4:
      return LoadLittleEndian<std::uint32_t>(at);
    default:
      return LoadLittleEndian<std::uint64_t>(at);
  }
}

std::int64_t LoadSigned(const std::uint8_t* at, std::size_t width) {
  switch (width) {
    case 1:
      return LoadLittleEndian<std::int8_t>(at);
    case 2:
      return LoadLittleEndian<std::int16_t>(at);
    case 4:
      return LoadLittleEndian<std::int32_t>(at);
    default:
      return LoadLittleEndian<std::int64_t>(at);
  }
}

TEST(LittleEndian, LoadsTheLowestByteFirstAtEveryWidth) {
  // clang-format off
  const WidthCase cases[] = {
      {"8 bits",             0, 1, 0x01,                  0x01},
      {"8 bits, sign set",   4, 1, 0xF5,                  -11},
      {"16 bits",            0, 2, 0x0201,                0x0201},
      {"16 bits, sign set",  4, 2, 0xF6F5,                -2315},
      {"32 bits",            0, 4, 0x04030201,            0x04030201},
      {"32 bits, sign set",  4, 4, 0xF8F7F6F5,            -117967115},
      {"64 bits, sign set",  0, 8, 0xF8F7F6F504030201ull, -506664900861165055},
  };
  // clang-format on
  for (const WidthCase& c : cases) {
    EXPECT_EQ(LoadUnsigned(kImage.data() + c.offset, c.width), c.unsignedValue) << c.name;
    EXPECT_EQ(LoadSigned(kImage.data() + c.offset, c.width), c.signedValue) << c.name;
  }
}

TEST(LittleEndian, StoresTheLowestByteFirstAndTouchesOnlyItsWidth) {
  std::vector<std::uint8_t> bytes(10, 0xAA);
  StoreLittleEndian(bytes.data() + 1, std::uint16_t{0x1234});
  StoreLittleEndian(bytes.data() + 3, std::int32_t{-2});
  StoreLittleEndian(bytes.data() + 7, std::uint8_t{0x7F});
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xAA, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x7F, 0xAA,
                                              0xAA}));
}

TEST(LittleEndian, StoredValuesLoadBackUnchanged) {
  std::uint8_t bytes[8];
  for (std::int64_t value : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{INT64_MIN},
                             std::int64_t{INT64_MAX}, std::int64_t{0x0102030405060708}}) {
    StoreLittleEndian(bytes, value);
    EXPECT_EQ(LoadLittleEndian<std::int64_t>(bytes), value);
    StoreLittleEndian(bytes, static_cast<std::int16_t>(value));
    EXPECT_EQ(LoadLittleEndian<std::int16_t>(bytes), static_cast<std::int16_t>(value));
  }
}

TEST(LittleEndian, WorksInConstantExpressions) {
  constexpr std::uint8_t kBytes[] = {0x78, 0x56, 0x34, 0x12};
  static_assert(LoadLittleEndian<std::uint32_t>(kBytes) == 0x12345678);
}

}  // namespace
}  // namespace platform
