// Reading the rows of one table in turn, the page of the last row kept.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/byte_view.h"
#include "provider/jet/column.h"
#include "provider/jet/row_layout.h"
#include "provider/jet/text.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

class Table;

// A place on one row of a table. Moving to a row checks it against its page, exactly as a single
// read through Table does, but finds the page from the one the cursor was on when the row lies
// there or on the next page of the scan, so that reading rows in order costs no search of the
// table's pages; the columns of the row then read from one parse of its frame.
//
// A scan stepping from one page of the table on to the next reads the page whole (one read of
// the file, which maps nothing around it, where reading through the mapping had the whole file
// mapped) and reads the following rows on it from that copy: a scan sees each page as it was
// when it reached it. Any other row is read where the file is mapped, and moving to the same
// row again, or back, reads its page afresh, so a row written in between is read as it is now.
//
// Used by one thread at a time; the table must outlive the cursor.
class RowCursor {
 public:
  explicit RowCursor(const Table& table) : table_(&table) {}

  // Moves to row `row`. Only a row beyond the table fails here; a row that can no longer be
  // read where the table found it fails each read of its values, naming the column.
  Status MoveTo(std::size_t row);
  // The row moved to last.
  std::size_t Row() const { return row_; }

  // As Table::GetValue, Table::GetText, Table::GetTextUntil, for the current row.
  Result<Value> GetValue(std::size_t column);
  Result<bool> GetText(std::size_t column, std::u16string& out, const CharacterMap* map = nullptr);
  Result<bool> GetTextUntil(std::size_t column, std::u16string& out, const CharacterMap& map,
                            const std::function<bool(std::u16string_view)>& enough);
  // The value of a text or memo column appended to `out` as UTF-8; false, with nothing
  // appended, when the value is Null.
  Result<bool> AppendTextAsUtf8(std::size_t column, std::string& out);

 private:
  // The location (page << 8 | slot) of row `row` (< the table's row count).
  std::uint32_t Locate(std::size_t row);
  // Reads the row listed at `listed` (for a moved row, from where its slot forwards) into
  // layout_, or the reason it cannot be read into rowStatus_. `forward`: from the page read for
  // the last row when the row lies on it too; `nextPage`: a scan has stepped on to the next page,
  // which is copied.
  void ReadRow(std::uint32_t listed, bool forward, bool nextPage);
  // The stored bytes of a value that is not Boolean, or nothing when the value is Null.
  Result<std::optional<ByteView>> Stored(const Column& column) const;
  // The stored bytes of a text or memo value (memo pages joined into chain_ where needed), or
  // nothing when the value is Null.
  Result<std::optional<ByteView>> StoredText(std::size_t column);

  const Table* table_;
  std::size_t row_ = 0;
  bool placed_ = false;
  // The entry of the table's page list holding the last row, when the table has one.
  std::size_t pageEntry_ = 0;
  // The page of the last row, 0 (the header, never a data page) before the first.
  std::uint32_t pageNumber_ = 0;
  ByteView page_;  // into pageCopy_, or the file's own page where it is not mapped plainly
  std::vector<std::uint8_t> pageCopy_;
  // Why the current row cannot be read, without its place; ok when it can.
  Status rowStatus_;
  RowLayout layout_;
  Bytes chain_;
};

}  // namespace provider::jet
