// The header page (page 0).
//
//   offset  size  meaning
//   0x00    1     page type 0x00
//   0x04    15    "Standard Jet DB"
//   0x14    1     version: 0 Jet 3 (2048-byte pages), 1 Jet 4 (4096); others are not ours
//   0x18    128   RC4-hidden area with the fixed key C7 DA 39 6B (Jet 3: 126 bytes); holds:
//   0x3A    2       Jet 3 sort order LCID
//   0x3C    2       database code page
//   0x3E    4       page key: 0 = pages not encrypted
//   0x42    40      password, UCS-2, further XORed with the creation date (Jet 3: 20 bytes)
//   0x6E    2       Jet 4 sort order LCID, then 0x71 = sort version
//   0x72    8       creation date (Jet date double; Jet 4 only)
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/header.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "provider/jet/rc4.h"

namespace provider::jet {
namespace {

constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kHiddenStart = 0x18;
constexpr std::array<std::uint8_t, 4> kHeaderKey = {0xC7, 0xDA, 0x39, 0x6B};

}  // namespace

Result<DatabaseHeader> ReadHeader(ByteView file, const std::string& fileName) {
  const Status unrecognized =
      Status::NotSupported("Unrecognized database format '" + fileName + "'.", "header page");
  if (!file.Contains(0, kVersionOffset + 1) || file.U8(0) != 0x00) return unrecognized;
  static constexpr char kEngine[] = "Standard Jet DB";
  if (std::memcmp(file.data() + 4, kEngine, sizeof kEngine - 1) != 0) return unrecognized;

  DatabaseHeader header;
  switch (file.U8(kVersionOffset)) {
    case 0:
      header.format = &Format::Jet3();
      break;
    case 1:
      header.format = &Format::Jet4();
      break;
    default:
      return unrecognized;
  }
  const Format& format = *header.format;
  if (file.size() < format.pageSize) return unrecognized;

  std::vector<std::uint8_t> page(file.data(), file.data() + format.pageSize);
  const std::size_t hiddenLength = format.IsJet4() ? 128 : 126;
  Rc4Apply(kHeaderKey, std::span<std::uint8_t>(page.data() + kHiddenStart, hiddenLength));
  ByteView plain(page.data(), page.size());

  header.codePage = plain.U16(0x3C);
  header.databaseKey = plain.U32(0x3E);
  if (format.IsJet4()) {
    header.sortOrder = plain.U16(0x6E);
    header.sortVersion = plain.U8(0x71);
    std::uint64_t bits = plain.U64(0x72);
    std::memcpy(&header.creationDate, &bits, sizeof bits);
    // The password is masked once more with the whole days of the creation date.
    std::uint32_t days = 0;
    if (std::isfinite(header.creationDate) && std::fabs(header.creationDate) < 2e9)
      days = static_cast<std::uint32_t>(static_cast<std::int32_t>(header.creationDate));
    for (std::size_t i = 0; i + 1 < 40; i += 2) {
      std::uint16_t c = plain.U16(0x42 + i);
      std::uint16_t mask = static_cast<std::uint16_t>(days >> ((i % 4) * 8));
      c ^= mask;
      if (c == 0) break;
      header.password.push_back(static_cast<char16_t>(c));
    }
  } else {
    header.sortOrder = plain.U16(0x3A);
    for (std::size_t i = 0; i < 20; ++i) {
      std::uint8_t c = plain.U8(0x42 + i);
      if (c == 0) break;
      header.password.push_back(static_cast<char16_t>(c));
    }
  }
  return header;
}

}  // namespace provider::jet
