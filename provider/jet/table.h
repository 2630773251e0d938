// An open table: its columns and the rows found by a scan of its pages, decoded on request.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/jet/table_def.h"
#include "provider/jet/text.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// Opening a table locates every row (one pass over the table's own pages, following moved rows)
// but decodes nothing; GetValue decodes one value, reading memo and OLE pages only then. Rows
// keep the order of the scan, which is the file's page and slot order.
//
// A Table refers to the PageFile of the Database that opened it, which must outlive it.
class Table {
 public:
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Locates the rows of the table described by `definition`. Jet 3 text decodes in `codePage`.
  static Result<std::unique_ptr<Table>> Open(const PageFile& file, const Format& format,
                                             std::uint16_t codePage, TableDef definition);

  const std::string& name() const { return definition_.name; }
  const TableDef& definition() const { return definition_; }
  // In column-number order, deleted columns absent.
  const std::vector<Column>& columns() const { return definition_.columns; }
  // Index into columns() of the column called `name` (letter case ignored), or -1.
  int FindColumn(std::string_view name) const;

  // The exact number of rows.
  std::size_t row_count() const { return rows_.size(); }
  // A row's place in the file (page << 8 | slot), stable while the file is unchanged: usable as
  // a bookmark.
  std::uint32_t RowLocation(std::size_t row) const { return rows_[row].location; }

  // The value of column `column` (an index into columns()) in row `row` (< row_count()). Null is
  // std::monostate; a damaged row or long value is a corruption status naming its place.
  Result<Value> GetValue(std::size_t row, std::size_t column) const;
  // The value of a text or memo column into `out`, replacing its contents and reusing its
  // storage; false when the value is Null. Searches read a column row after row this way, with
  // `map` (when given) applied to each character as it is decoded.
  Result<bool> GetText(std::size_t row, std::size_t column, std::u16string& out,
                       const CharacterMap* map = nullptr) const;

 private:
  struct RowRef {
    const std::uint8_t* data;
    std::uint32_t length;
    std::uint32_t location;
  };

  Table(const PageFile& file, const Format& format, std::uint16_t codePage, TableDef definition)
      : file_(&file), format_(&format), codePage_(codePage), definition_(std::move(definition)) {}

  Status LocateRows();
  // The stored bytes of a value that is not Boolean, or nothing when the value is Null.
  Result<std::optional<ByteView>> Stored(std::size_t row, const Column& column) const;
  Result<Value> Decode(const Column& column, ByteView bytes) const;
  Status DecodeText(ByteView bytes, std::u16string& out, const CharacterMap* map = nullptr) const;
  std::string Place(std::size_t row, const Column* column) const;
  // `status` with the place of the value in front of its own.
  Status Locate(const Status& status, std::size_t row, const Column& column) const;

  const PageFile* file_;
  const Format* format_;
  std::uint16_t codePage_;
  TableDef definition_;
  std::vector<RowRef> rows_;
};

}  // namespace provider::jet
