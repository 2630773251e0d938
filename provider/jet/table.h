// An open table: its columns and the rows found by a scan of its pages, decoded on request.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/jet/table_def.h"
#include "provider/jet/text.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// Opening a table counts its rows from the slot tables of its own pages, reading no row; a row
// is found on its page when it is read, and GetValue decodes one value, reading memo and OLE
// pages only then. A table with moved rows has every row located at opening instead, since a
// moved row's data lies elsewhere than the slot it is listed by. Rows keep the order of the
// scan, which is the file's page and slot order; a moved row keeps its slot's place in it.
//
// A Table refers to the PageFile of the Database that opened it, which must outlive it.
class Table {
 public:
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Locates the rows of the table described by `definition`. Jet 3 text decodes in `codePage`.
  static Result<std::unique_ptr<Table>> Open(const PageFile& file, const Format& format,
                                             std::uint16_t codePage, TableDef definition);

  const std::string& Name() const { return definition_.name; }
  const TableDef& Definition() const { return definition_; }
  // In column-number order, deleted columns absent.
  const std::vector<Column>& Columns() const { return definition_.columns; }
  // Index into Columns() of the column called `name` (letter case ignored), or -1.
  int FindColumn(std::string_view name) const;

  // The exact number of rows.
  std::size_t RowCount() const { return rowCount_; }
  // A row's place in the file (page << 8 | slot), stable while the file is unchanged: usable as
  // a bookmark. A row that grew and moved keeps the location of the slot that names it.
  std::uint32_t RowLocation(std::size_t row) const;
  // The locations of `rows`, each as RowLocation gives it: rows in ascending order cost no
  // search each.
  std::vector<std::uint32_t> RowLocations(const std::vector<std::uint32_t>& rows) const;

  // The value of column `column` (an index into Columns()) in row `row` (< RowCount()). Null is
  // std::monostate; a damaged row or long value is a corruption status naming its place.
  Result<Value> GetValue(std::size_t row, std::size_t column) const;
  // The value of a text or memo column into `out`, replacing its contents and reusing its
  // storage; false when the value is Null. Searches read a column row after row this way, with
  // `map` (when given) applied to each character as it is decoded.
  Result<bool> GetText(std::size_t row, std::size_t column, std::u16string& out,
                       const CharacterMap* map = nullptr) const;
  // GetText with `map` for a reader that may not need the whole text: `enough` is shown ever
  // longer beginnings of it in `out`, the whole text last, until it returns true, and the rest
  // is left undecoded. Null shows nothing and returns false.
  Result<bool> GetTextUntil(std::size_t row, std::size_t column, std::u16string& out,
                            const CharacterMap& map,
                            const std::function<bool(std::u16string_view)>& enough) const;

 private:
  // An owned data page that lists rows, and the number of its first row.
  struct PageRows {
    std::uint32_t number;
    std::uint32_t firstRow;
    // Where the page's listed slots begin in slots_, or kDense when every slot holds a listed
    // row (row firstRow + k is then slot k).
    std::uint32_t firstSlot;
  };
  static constexpr std::uint32_t kDense = 0xFFFFFFFF;

  Table(const PageFile& file, const Format& format, std::uint16_t codePage, TableDef definition)
      : file_(&file), format_(&format), codePage_(codePage), definition_(std::move(definition)) {}

  // Reading a row goes through a RowCursor, which keeps the page of the row read last.
  friend class RowCursor;

  Status LocateRows();
  // Locates every row of a table with moved rows into locations_.
  Status LocateMovedRows(const std::vector<std::uint32_t>& pages);
  // The entry of pages_ that lists row `row` (pages_ is not empty): `entry` or the one after it
  // when one of them does, as for rows read in order, else found by a search.
  std::size_t PageEntry(std::size_t entry, std::size_t row) const;
  // The location of row `row`, which entry `entry` of pages_ lists.
  std::uint32_t LocationOn(std::size_t entry, std::size_t row) const;
  Result<Value> Decode(const Column& column, ByteView bytes) const;
  Status DecodeText(ByteView bytes, std::u16string& out, const CharacterMap* map = nullptr) const;
  std::string Place(std::size_t row, const Column* column) const;
  // `status` with the place of the value in front of its own.
  Status Locate(const Status& status, std::size_t row, const Column& column) const;

  const PageFile* file_;
  const Format* format_;
  std::uint16_t codePage_;
  TableDef definition_;
  std::size_t rowCount_ = 0;
  // The pages that list rows, in scan order; empty when locations_ holds every row.
  std::vector<PageRows> pages_;
  // The listed slots of the pages with gaps, kept at opening so that a later change to the
  // page cannot shift a row onto another.
  std::vector<std::uint8_t> slots_;
  std::vector<std::uint32_t> locations_;
  // Where the data of each moved row lies, by the location of the slot that names it.
  std::unordered_map<std::uint32_t, std::uint32_t> movedTo_;
};

}  // namespace provider::jet
