// A data page: its owner and its row slots.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "provider/jet/byte_view.h"
#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

constexpr std::uint8_t kDataPage = 0x01;

// One entry of the row offset table, resolved to the bytes it covers.
struct RowSlot {
  ByteView bytes;
  bool deleted = false;   // 0x8000: not part of a scan (deleted, or the target of a moved row)
  bool overflow = false;  // 0x4000: the row moved; the first 4 bytes point at it
};

class DataPage {
 public:
  DataPage() = default;

  // Checks that `page` is a data page and that its offset table fits.
  static Result<DataPage> Read(ByteView page, const Format& format, const std::string& where);

  // The owning table's definition page, or the tag "LVAL" for long-value pages.
  std::uint32_t Owner() const { return page_.U32(4); }
  bool IsLongValuePage() const { return Owner() == 0x4C41564C; }  // "LVAL"
  std::uint16_t SlotCount() const { return slotCount_; }

  // Slot `row`; corruption when the offsets make no sense.
  Result<RowSlot> Slot(std::uint16_t row, const std::string& where) const;

  // What a scan finds on the page: the slots that hold a row it lists (neither deleted nor
  // moved, and not empty) and those that forward a moved row. Every slot that is not deleted is
  // checked as Slot checks it; a failure names no place, which the caller knows.
  struct SlotCounts {
    std::uint16_t rows = 0;
    std::uint16_t moved = 0;
  };
  Result<SlotCounts> CountSlots() const;
  // Appends the slot numbers of the rows CountSlots counts, in order.
  void ListedSlots(std::vector<std::uint8_t>& slots) const;

 private:
  // The bytes slot `row` (< slotCount_) covers, or nothing when its offsets make no sense.
  std::optional<ByteView> SlotBytes(std::uint16_t row) const;

  ByteView page_;
  const Format* format_ = nullptr;
  std::uint16_t slotCount_ = 0;
};

// The slot named by a pointer (page << 8 | row) on a data page, as usage maps and long values
// name them. `longValue` requires a long-value page.
Result<RowSlot> ReadPointedSlot(const class PageFile& file, const Format& format,
                                std::uint32_t pointer, bool longValue, const std::string& where);

}  // namespace provider::jet
