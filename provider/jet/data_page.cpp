// Data pages.
//
//   offset  size  meaning (Jet 4; Jet 3 in brackets)
//   0       1     page type 0x01
//   1       1     0x01
//   2       2     free space
//   4       4     owning table definition page, or "LVAL" on long-value pages
//   12 [8]  2     number of row slots
//   14 [10] 2×n   row offsets: low 13 bits = start of the row; 0x8000 deleted, 0x4000 moved
// Rows are packed from the end of the page down: slot 0 ends at the page end, slot i ends
// where slot i-1 starts.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/data_page.h"

#include "provider/jet/page_file.h"

namespace provider::jet {

Result<DataPage> DataPage::Read(ByteView page, const Format& format, const std::string& where) {
  if (page.U8(0) != kDataPage)
    return Status::Corruption("A data page has the wrong page type.", where);
  DataPage data;
  data.page_ = page;
  data.format_ = &format;
  data.slotCount_ = page.U16(format.dataRowCount);
  if (!page.Contains(format.dataRowTable, std::size_t{data.slotCount_} * 2))
    return Status::Corruption("A data page's row offset table runs past the page.", where);
  return data;
}

std::optional<ByteView> DataPage::SlotBytes(std::uint16_t row) const {
  const std::size_t table = format_->dataRowTable;
  const std::size_t start = page_.U16(table + 2u * row) & kRowOffsetMask;
  const std::size_t end =
      row == 0 ? page_.size() : page_.U16(table + 2u * (row - 1)) & kRowOffsetMask;
  const std::size_t tableEnd = table + 2u * slotCount_;
  if (start < tableEnd || start > end || end > page_.size()) return std::nullopt;
  return *page_.Slice(start, end - start);
}

Result<RowSlot> DataPage::Slot(std::uint16_t row, const std::string& where) const {
  if (row >= slotCount_)
    return Status::Corruption("A row number is beyond the rows of its page.",
                              where + ", row " + std::to_string(row));
  const std::uint16_t entry = page_.U16(format_->dataRowTable + 2u * row);
  RowSlot slot;
  slot.deleted = (entry & kRowDeleted) != 0;
  slot.overflow = (entry & kRowMoved) != 0;
  const std::optional<ByteView> bytes = SlotBytes(row);
  if (!bytes) {
    // Deleted slots may carry anything; they are never read.
    if (slot.deleted) return slot;
    return Status::Corruption("A row's offsets lie outside its page.",
                              where + ", row " + std::to_string(row));
  }
  slot.bytes = *bytes;
  return slot;
}

Result<DataPage::SlotCounts> DataPage::CountSlots() const {
  // Rows are named by a byte-sized slot number.
  if (slotCount_ > 256)
    return Status::Corruption("A data page has more rows than a row pointer can name.", "");
  SlotCounts counts;
  for (std::uint16_t row = 0; row < slotCount_; ++row) {
    const std::uint16_t entry = page_.U16(format_->dataRowTable + 2u * row);
    if ((entry & kRowDeleted) != 0) continue;
    const std::optional<ByteView> bytes = SlotBytes(row);
    if (!bytes)
      return Status::Corruption("A row's offsets lie outside its page.",
                                "row " + std::to_string(row));
    if ((entry & kRowMoved) != 0) {
      ++counts.moved;
    } else if (!bytes->empty()) {
      ++counts.rows;
    }
  }
  return counts;
}

void DataPage::ListedSlots(std::vector<std::uint8_t>& slots) const {
  for (std::uint16_t row = 0; row < slotCount_; ++row) {
    const std::uint16_t entry = page_.U16(format_->dataRowTable + 2u * row);
    if ((entry & (kRowDeleted | kRowMoved)) != 0) continue;
    const std::optional<ByteView> bytes = SlotBytes(row);
    if (bytes && !bytes->empty()) slots.push_back(static_cast<std::uint8_t>(row));
  }
}

Result<RowSlot> ReadPointedSlot(const PageFile& file, const Format& format, std::uint32_t pointer,
                                bool longValue, const std::string& where) {
  const std::uint32_t pageNumber = pointer >> 8;
  const auto row = static_cast<std::uint16_t>(pointer & 0xFF);
  // Memo searches come here once a row: the place is spelled out only for a failure.
  const auto here = [&] { return where + ", page " + std::to_string(pageNumber); };
  if (pageNumber == 0) return Status::Corruption("A row pointer names the header page.", here());
  if (pageNumber >= file.PageCount()) return file.BeyondEnd(pageNumber, here());
  Result<ByteView> page = file.Page(pageNumber, where);
  VELMORA_RETURN_IF_ERROR(page);
  Result<DataPage> data = DataPage::Read(page.value(), format, where);
  if (!data.ok()) return Status::Corruption(data.status().message(), here());
  if (longValue && !data.value().IsLongValuePage())
    return Status::Corruption("A long value points at a page that does not hold long values.",
                              here());
  Result<RowSlot> slot = data.value().Slot(row, where);
  if (!slot.ok())
    return Status::Corruption(slot.status().message(), here() + ", row " + std::to_string(row));
  return slot;
}

}  // namespace provider::jet
