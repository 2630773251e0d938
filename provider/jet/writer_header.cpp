// The header page (page 0) of a new Jet 4 file.
//
// Header page (Jet 4):
//   offset  size  meaning
//   0x00    1     0x00
//   0x01    1     0x01
//   0x04    16    "Standard Jet DB" and a zero byte
//   0x14    4     format version: 1 = Jet 4
//   0x18    128   RC4-encrypted with the key C7 DA 39 6B; inside it:
//     0x3C  2     code page (1256: the writer's sort order is Arabic; Jet 4 text itself is UCS-2)
//     0x3E  4     page encryption key: 0, pages are not encrypted
//     0x42  40    password, UCS-2, XORed cyclically with the whole days of the creation date
//                 (little-endian, 4 bytes); an empty password leaves just that mask
//     0x6E  2     sort order LCID
//     0x71  1     sort order version: 0
//     0x72  8     creation date, days since 1899-12-30
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_header.h"

#include <cmath>
#include <cstring>
#include <span>

#include "provider/jet/rc4.h"
#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_table_def.h"

namespace provider::jet {

namespace {

constexpr std::uint8_t kHeaderKey[] = {0xC7, 0xDA, 0x39, 0x6B};
constexpr std::size_t kEncryptedStart = 0x18;
constexpr std::size_t kEncryptedSize = 128;
constexpr std::uint16_t kCodePage = 1256;

}  // namespace

std::vector<std::uint8_t> EncodeHeaderPage(DateTime created) {
  std::vector<std::uint8_t> bytes(kWriterPageSize, 0);
  const std::span<std::uint8_t> page(bytes);
  page[0] = kPageHeader;
  page[1] = 0x01;
  std::memcpy(page.data() + 4, "Standard Jet DB", 15);
  page[0x14] = 0x01;
  Store16(page, 0x3C, kCodePage);
  const auto days = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::floor(created.days)));
  for (std::size_t i = 0; i < 40; ++i)
    page[0x42 + i] = static_cast<std::uint8_t>(days >> (8 * (i % 4)));
  Store16(page, 0x6E, kWriterSortOrder);
  std::uint64_t dateBits = 0;
  std::memcpy(&dateBits, &created.days, sizeof dateBits);
  Store32(page, 0x72, static_cast<std::uint32_t>(dateBits));
  Store32(page, 0x76, static_cast<std::uint32_t>(dateBits >> 32));
  Rc4Apply(kHeaderKey, page.subspan(kEncryptedStart, kEncryptedSize));
  return bytes;
}

}  // namespace provider::jet
