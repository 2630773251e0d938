// The long values (memo and OLE) of one column, on the LVAL pages its usage maps own.
//
// The column's part of the row (12 bytes, then the data when inline):
//   0   4   bits 0-29: length of the value in bytes; bits 30-31: 0x80 inline,
//           0x40 one LVAL row, 0x00 a chain of LVAL rows
//   4   4   row pointer of the (first) LVAL row; 0 when inline
//   8   4   0
// A chained LVAL row: 4-byte row pointer of the next one (0 for the last), then up to 4072
// [Jet 3: 2028] bytes of the value. Readers split the value at exactly the length given, so
// the chunks add up to it with no slack.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_long_value.h"

#include <utility>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_data_page.h"
#include "provider/jet/writer_text.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr std::size_t kMaxLength = 0x3FFFFFFF;
constexpr std::size_t kPagesTried = 16;  // pages of each map looked at for room

std::vector<std::uint8_t> Header(std::uint32_t lengthAndKind, std::uint32_t first) {
  std::vector<std::uint8_t> header;
  Append32(header, lengthAndKind);
  Append32(header, first);
  Append32(header, 0);
  return header;
}

}  // namespace

Result<std::vector<std::uint8_t>> LongValueBytes(const ColumnLayout& column, const Value& value) {
  if (column.columnSpec.type == ColumnType::memo) {
    const auto* text = std::get_if<std::u16string>(&value);
    if (text == nullptr)
      return Status::InvalidArgument("The value does not suit the column: text is expected.",
                                     "memo column");
    return column.codePage != 0 ? EncodeCodePageText(*text, column.codePage) : EncodeJetText(*text);
  }
  const auto* bytes = std::get_if<Bytes>(&value);
  if (bytes == nullptr)
    return Status::InvalidArgument("The value does not suit the column: binary data is expected.",
                                   "OLE column");
  return *bytes;
}

Result<std::vector<std::uint8_t>> LongValueWriter::Store(PageStore& store,
                                                         std::span<const std::uint8_t> data) {
  if (data.size() > kMaxLength)
    return Status::InvalidArgument("The long value is too large.", "long value");
  const auto length = static_cast<std::uint32_t>(data.size());
  if (data.size() <= kInlineLongValueLimit) {
    std::vector<std::uint8_t> field = Header(length | kInline, 0);
    field.insert(field.end(), data.begin(), data.end());
    return field;
  }
  const std::size_t largestRow = MaxLongValueRow(store.JetFormat());
  if (data.size() <= largestRow) {
    auto row = AddRow(store, data);
    VELMORA_RETURN_IF_ERROR(row);
    return Header(length | kSingleRow, row.value());
  }
  // The chain is written from its end, so that each row can name the one after it.
  const std::size_t chunk = largestRow - 4;
  const std::size_t chunks = (data.size() + chunk - 1) / chunk;
  std::uint32_t next = 0;
  for (std::size_t i = chunks; i > 0; --i) {
    const std::size_t start = (i - 1) * chunk;
    const std::size_t size = std::min(chunk, data.size() - start);
    std::vector<std::uint8_t> row;
    Append32(row, next);
    row.insert(row.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
               data.begin() + static_cast<std::ptrdiff_t>(start + size));
    auto added = AddRow(store, row);
    VELMORA_RETURN_IF_ERROR(added);
    next = added.value();
  }
  return Header(length, next);
}

Result<std::uint32_t> LongValueWriter::PageWithRoom(PageStore& store, std::size_t size) {
  auto fits = [&](std::uint32_t number) {
    if (number == 0 || number >= store.PageCount()) return false;
    const std::span<const std::uint8_t> page = std::as_const(store).Page(number);
    return page[0] == kPageData && Load32(page, 4) == kLongValueOwner &&
           LongValuePageHasRoom(page, size);
  };
  for (std::uint32_t page : offered_)
    if (fits(page)) return page;
  for (std::uint32_t map : {freeMap_, ownedMap_}) {
    auto pages = LastUsageMapPages(store, map, kPagesTried);
    VELMORA_RETURN_IF_ERROR(pages);
    for (std::uint32_t page : pages.value())
      if (fits(page)) return page;
  }
  auto page = store.Allocate(kPageData);
  VELMORA_RETURN_IF_ERROR(page);
  InitDataPage(store.Page(page.value()), kLongValueOwner);
  for (std::uint32_t map : {ownedMap_, freeMap_}) {
    Status status = SetUsageMapBit(store, map, page.value(), true, UsageMapKind::ownedPages);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return page.value();
}

Result<std::uint32_t> LongValueWriter::AddRow(PageStore& store, std::span<const std::uint8_t> row) {
  if (page_ == 0 || !LongValuePageHasRoom(std::as_const(store).Page(page_), row.size())) {
    if (page_ != 0) {
      Status status = SetUsageMapBit(store, freeMap_, page_, false, UsageMapKind::ownedPages);
      VELMORA_RETURN_IF_ERROR(status);
    }
    auto page = PageWithRoom(store, row.size());
    VELMORA_RETURN_IF_ERROR(page);
    page_ = page.value();
  }
  auto slot = AddLongValueRow(store.Page(page_), row);
  VELMORA_RETURN_IF_ERROR(slot);
  return PageRow(page_, slot.value());
}

}  // namespace provider::jet
