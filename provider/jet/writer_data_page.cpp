// Row slots on Jet 4 data pages (table rows, long values and usage maps): add, find, delete.
//
// Data page (Jet 4):
//   offset  size    meaning
//   0       1       0x01
//   1       1       0x01
//   2       2       free space: lowest row start - end of the offset table
//   4       4       owning table definition page, or "LVAL" for long-value pages
//   8       4       0
//   12      2       number of slots n
//   14      2 * n   row offsets: bits 0-12 start of the row; 0x8000 deleted; 0x4000 moved
//   ...             free space
//   ...             rows, slot 0 ending at the page end, slot i ending where slot i-1 starts
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_data_page.h"

#include <algorithm>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_page_store.h"

namespace provider::jet {

namespace {

const std::size_t kSlotCount = Format::Jet4().dataRowCount;
const std::size_t kSlotTable = Format::Jet4().dataRowTable;
constexpr std::uint32_t kMaxSlots = 255;  // a row pointer has one byte for the slot

std::size_t LowestRowStart(std::span<const std::uint8_t> page) {
  const std::uint32_t slots = Load16(page, kSlotCount);
  std::size_t lowest = kWriterPageSize;
  for (std::uint32_t i = 0; i < slots; ++i)
    lowest = std::min<std::size_t>(lowest, Load16(page, kSlotTable + 2 * i) & kRowOffsetMask);
  return lowest;
}

void UpdateFreeSpace(std::span<std::uint8_t> page) {
  Store16(page, 2, static_cast<std::uint32_t>(DataPageFreeSpace(page)));
}

}  // namespace

void InitDataPage(std::span<std::uint8_t> page, std::uint32_t owner) {
  std::fill(page.begin(), page.end(), 0);
  page[0] = kPageData;
  page[1] = 0x01;
  Store32(page, 4, owner);
  UpdateFreeSpace(page);
}

std::size_t DataPageFreeSpace(std::span<const std::uint8_t> page) {
  const std::size_t tableEnd = kSlotTable + 2 * Load16(page, kSlotCount);
  const std::size_t lowest = LowestRowStart(page);
  return lowest > tableEnd ? lowest - tableEnd : 0;
}

bool DataPageHasRoom(std::span<const std::uint8_t> page, std::size_t size) {
  return Load16(page, kSlotCount) < kMaxSlots && DataPageFreeSpace(page) >= size + 2;
}

Result<std::uint32_t> AddDataRow(std::span<std::uint8_t> page, std::span<const std::uint8_t> row) {
  if (!DataPageHasRoom(page, row.size()))
    return Status::InvalidArgument("The row does not fit on the page.", "data page");
  const std::uint32_t slot = Load16(page, kSlotCount);
  const std::size_t start = LowestRowStart(page) - row.size();
  std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
  Store16(page, kSlotTable + 2 * slot, static_cast<std::uint32_t>(start));
  Store16(page, kSlotCount, slot + 1);
  UpdateFreeSpace(page);
  return slot;
}

Result<std::span<std::uint8_t>> DataRowBytes(std::span<std::uint8_t> page, std::uint32_t slot) {
  const std::uint32_t slots = Load16(page, kSlotCount);
  if (slot >= slots) return Status::Corruption("No such row.", "slot " + std::to_string(slot));
  const std::size_t start = Load16(page, kSlotTable + 2 * slot) & kRowOffsetMask;
  const std::size_t end =
      slot == 0 ? kWriterPageSize : Load16(page, kSlotTable + 2 * (slot - 1)) & kRowOffsetMask;
  if (start > end || start < kSlotTable + 2 * slots)
    return Status::Corruption("Row offsets overlap.", "slot " + std::to_string(slot));
  return page.subspan(start, end - start);
}

Status FlagDataRow(std::span<std::uint8_t> page, std::uint32_t slot, std::uint16_t flags) {
  if (slot >= Load16(page, kSlotCount))
    return Status::NotFound("No such row.", "slot " + std::to_string(slot));
  const std::size_t entry = kSlotTable + 2 * slot;
  Store16(page, entry, Load16(page, entry) | flags);
  return Status::Ok();
}

std::uint16_t DataRowFlags(std::span<const std::uint8_t> page, std::uint32_t slot) {
  if (slot >= Load16(page, kSlotCount)) return 0;
  return static_cast<std::uint16_t>(Load16(page, kSlotTable + 2 * slot) & ~kRowOffsetMask);
}

std::uint32_t DataRowCount(std::span<const std::uint8_t> page) {
  return Load16(page, kSlotCount);
}

Status DeleteDataRow(std::span<std::uint8_t> page, std::uint32_t slot) {
  return FlagDataRow(page, slot, kRowDeleted | kRowMoved);
}

}  // namespace provider::jet
