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
namespace {}  // namespace

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

Result<RowSlot> DataPage::Slot(std::uint16_t row, const std::string& where) const {
  if (row >= slotCount_)
    return Status::Corruption("A row number is beyond the rows of its page.",
                              where + ", row " + std::to_string(row));
  const std::size_t table = format_->dataRowTable;
  const std::uint16_t entry = page_.U16(table + 2u * row);
  const std::size_t start = entry & kRowOffsetMask;
  const std::size_t end =
      row == 0 ? page_.size() : page_.U16(table + 2u * (row - 1)) & kRowOffsetMask;
  const std::size_t tableEnd = table + 2u * slotCount_;
  RowSlot slot;
  slot.deleted = (entry & kRowDeleted) != 0;
  slot.overflow = (entry & kRowMoved) != 0;
  if (start < tableEnd || start > end || end > page_.size()) {
    // Deleted slots may carry anything; they are never read.
    if (slot.deleted) return slot;
    return Status::Corruption("A row's offsets lie outside its page.",
                              where + ", row " + std::to_string(row));
  }
  slot.bytes = *page_.Slice(start, end - start);
  return slot;
}

Result<RowSlot> ReadPointedSlot(const PageFile& file, const Format& format, std::uint32_t pointer,
                                bool longValue, const std::string& where) {
  const std::uint32_t pageNumber = pointer >> 8;
  const auto row = static_cast<std::uint16_t>(pointer & 0xFF);
  const std::string here = where + ", page " + std::to_string(pageNumber);
  if (pageNumber == 0) return Status::Corruption("A row pointer names the header page.", here);
  Result<ByteView> page = file.Page(pageNumber, here);
  VELMORA_RETURN_IF_ERROR(page);
  Result<DataPage> data = DataPage::Read(page.value(), format, here);
  VELMORA_RETURN_IF_ERROR(data);
  if (longValue && !data.value().IsLongValuePage())
    return Status::Corruption("A long value points at a page that does not hold long values.",
                              here);
  return data.value().Slot(row, here);
}

}  // namespace provider::jet
