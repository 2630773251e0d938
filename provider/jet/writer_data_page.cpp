// Row slots on data pages (table rows, long values and usage maps): add, find, delete.
//
// Data page (Jet 4; Jet 3 in brackets):
//   offset  size    meaning
//   0       1       0x01
//   1       1       0x01
//   2       2       free space: lowest row start - end of the offset table
//   4       4       owning table definition page, or "LVAL" for long-value pages
//   8       4       Jet 4: 0
//   12 [8]  2       number of slots n
//   14 [10] 2 * n   row offsets: bits 0-12 start of the row; 0x8000 deleted; 0x4000 moved
//   ...             free space
//   ...             rows, slot 0 ending at the page end, slot i ending where slot i-1 starts
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_data_page.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_page_store.h"

namespace provider::jet {

namespace {

constexpr std::uint32_t kMaxSlots = 255;  // a row pointer has one byte for the slot

std::size_t SlotCountAt(std::span<const std::uint8_t> page) {
  return PageFormat(page).dataRowCount;
}

// Where slot `slot`'s entry lies.
std::size_t SlotEntry(std::span<const std::uint8_t> page, std::uint32_t slot) {
  return PageFormat(page).dataRowTable + 2 * std::size_t{slot};
}

std::size_t LowestRowStart(std::span<const std::uint8_t> page) {
  const std::uint32_t slots = Load16(page, SlotCountAt(page));
  std::size_t lowest = page.size();
  for (std::uint32_t i = 0; i < slots; ++i)
    lowest = std::min<std::size_t>(lowest, Load16(page, SlotEntry(page, i)) & kRowOffsetMask);
  return lowest;
}

// The length of slot `slot`, or nothing when its offsets make no sense.
std::optional<std::size_t> SlotLength(std::span<const std::uint8_t> page, std::uint32_t slot) {
  const std::uint32_t slots = Load16(page, SlotCountAt(page));
  const std::size_t start = Load16(page, SlotEntry(page, slot)) & kRowOffsetMask;
  const std::size_t end =
      slot == 0 ? page.size() : Load16(page, SlotEntry(page, slot - 1)) & kRowOffsetMask;
  if (start > end || end > page.size() || start < SlotEntry(page, slots)) return std::nullopt;
  return end - start;
}

void UpdateFreeSpace(std::span<std::uint8_t> page) {
  Store16(page, 2, static_cast<std::uint32_t>(DataPageFreeSpace(page)));
}

}  // namespace

std::size_t MaxRowSize(const Format& format) {
  return format.IsJet4() ? kMaxRowSize : 2012;
}

std::size_t MaxLongValueRow(const Format& format) {
  return format.IsJet4() ? kMaxLongValueRow : 2032;
}

const Format& PageFormat(std::span<const std::uint8_t> page) {
  return page.size() == Format::Jet3().pageSize ? Format::Jet3() : Format::Jet4();
}

void InitDataPage(std::span<std::uint8_t> page, std::uint32_t owner) {
  std::fill(page.begin(), page.end(), 0);
  page[0] = kPageData;
  page[1] = 0x01;
  Store32(page, 4, owner);
  UpdateFreeSpace(page);
}

std::size_t DataPageFreeSpace(std::span<const std::uint8_t> page) {
  const std::size_t tableEnd = SlotEntry(page, Load16(page, SlotCountAt(page)));
  const std::size_t lowest = LowestRowStart(page);
  return lowest > tableEnd ? lowest - tableEnd : 0;
}

bool DataPageHasRoom(std::span<const std::uint8_t> page, std::size_t size) {
  return Load16(page, SlotCountAt(page)) < kMaxSlots && DataPageFreeSpace(page) >= size + 2;
}

Result<std::uint32_t> AddDataRow(std::span<std::uint8_t> page, std::span<const std::uint8_t> row) {
  if (!DataPageHasRoom(page, row.size()))
    return Status::InvalidArgument("The row does not fit on the page.", "data page");
  const std::uint32_t slot = Load16(page, SlotCountAt(page));
  const std::size_t start = LowestRowStart(page) - row.size();
  std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
  Store16(page, SlotEntry(page, slot), static_cast<std::uint32_t>(start));
  Store16(page, SlotCountAt(page), slot + 1);
  UpdateFreeSpace(page);
  return slot;
}

Result<std::span<std::uint8_t>> DataRowBytes(std::span<std::uint8_t> page, std::uint32_t slot) {
  const std::uint32_t slots = Load16(page, SlotCountAt(page));
  if (slot >= slots) return Status::Corruption("No such row.", "slot " + std::to_string(slot));
  const std::size_t start = Load16(page, SlotEntry(page, slot)) & kRowOffsetMask;
  const std::size_t end =
      slot == 0 ? page.size() : Load16(page, SlotEntry(page, slot - 1)) & kRowOffsetMask;
  if (start > end || end > page.size() || start < SlotEntry(page, slots))
    return Status::Corruption("Row offsets overlap.", "slot " + std::to_string(slot));
  return page.subspan(start, end - start);
}

Status FlagDataRow(std::span<std::uint8_t> page, std::uint32_t slot, std::uint16_t flags) {
  if (slot >= Load16(page, SlotCountAt(page)))
    return Status::NotFound("No such row.", "slot " + std::to_string(slot));
  const std::size_t entry = SlotEntry(page, slot);
  Store16(page, entry, Load16(page, entry) | flags);
  return Status::Ok();
}

std::uint16_t DataRowFlags(std::span<const std::uint8_t> page, std::uint32_t slot) {
  if (slot >= Load16(page, SlotCountAt(page))) return 0;
  return static_cast<std::uint16_t>(Load16(page, SlotEntry(page, slot)) & ~kRowOffsetMask);
}

std::uint32_t DataRowCount(std::span<const std::uint8_t> page) {
  return Load16(page, SlotCountAt(page));
}

Status DeleteDataRow(std::span<std::uint8_t> page, std::uint32_t slot) {
  return FlagDataRow(page, slot, kRowDeleted | kRowMoved);
}

bool LongValuePageHasRoom(std::span<const std::uint8_t> page, std::size_t size) {
  const std::uint32_t slots = Load16(page, SlotCountAt(page));
  if (SlotEntry(page, slots) > page.size()) return false;
  std::size_t live = 0;
  bool reusable = false;
  for (std::uint32_t slot = 0; slot < slots; ++slot) {
    const std::optional<std::size_t> length = SlotLength(page, slot);
    if (!length) return false;
    if ((DataRowFlags(page, slot) & kRowDeleted) != 0)
      reusable = true;
    else
      live += *length;
  }
  if (!reusable && slots >= kMaxSlots) return false;
  const std::size_t tableEnd = SlotEntry(page, reusable ? slots : slots + 1);
  return tableEnd + live + size <= page.size();
}

namespace {

// Lays the rows of a long-value page out again from the page end in slot order, the deleted
// ones empty, with `row` (when given) in the first deleted slot or a new one; returns its slot.
// What lies below the rows is cleared, so no freed value lingers in the file. The caller has
// checked the offsets (LongValuePageHasRoom).
std::uint32_t Repack(std::span<std::uint8_t> page, std::optional<std::span<const std::uint8_t>> row) {
  struct Kept {
    std::uint16_t flags;
    std::vector<std::uint8_t> bytes;
  };
  const std::uint32_t slots = Load16(page, SlotCountAt(page));
  std::vector<Kept> rows;
  std::uint32_t target = slots;
  for (std::uint32_t slot = 0; slot < slots; ++slot) {
    const std::uint16_t flags = DataRowFlags(page, slot);
    Kept kept{flags, {}};
    if ((flags & kRowDeleted) == 0) {
      const std::size_t end =
          slot == 0 ? page.size() : Load16(page, SlotEntry(page, slot - 1)) & kRowOffsetMask;
      kept.bytes.assign(page.begin() + static_cast<std::ptrdiff_t>(end - *SlotLength(page, slot)),
                        page.begin() + static_cast<std::ptrdiff_t>(end));
    } else if (target == slots) {
      target = slot;
    }
    rows.push_back(std::move(kept));
  }
  if (row) {
    if (target == slots) rows.push_back({});
    rows[target] = {0, std::vector<std::uint8_t>(row->begin(), row->end())};
  }
  Store16(page, SlotCountAt(page), static_cast<std::uint32_t>(rows.size()));
  std::size_t end = page.size();
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    end -= rows[slot].bytes.size();
    std::copy(rows[slot].bytes.begin(), rows[slot].bytes.end(),
              page.begin() + static_cast<std::ptrdiff_t>(end));
    Store16(page, SlotEntry(page, static_cast<std::uint32_t>(slot)),
            static_cast<std::uint32_t>(end) | rows[slot].flags);
  }
  const std::size_t tableEnd = SlotEntry(page, static_cast<std::uint32_t>(rows.size()));
  std::fill(page.begin() + static_cast<std::ptrdiff_t>(tableEnd),
            page.begin() + static_cast<std::ptrdiff_t>(end), 0);
  UpdateFreeSpace(page);
  return target;
}

}  // namespace

Result<std::uint32_t> AddLongValueRow(std::span<std::uint8_t> page,
                                      std::span<const std::uint8_t> row) {
  if (!LongValuePageHasRoom(page, row.size()))
    return Status::InvalidArgument("The row does not fit on the page.", "long-value page");
  return Repack(page, row);
}

Status DeleteLongValueRow(std::span<std::uint8_t> page, std::uint32_t slot) {
  VELMORA_RETURN_IF_ERROR(DeleteDataRow(page, slot));
  if (LongValuePageHasRoom(page, 0)) Repack(page, std::nullopt);
  return Status::Ok();
}

}  // namespace provider::jet
