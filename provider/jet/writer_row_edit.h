// Inserting, updating and deleting the rows of one table of an existing Jet 3 or Jet 4 file, on the
// pages of a store, keeping its row count, AutoNumber, usage maps and long values consistent.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "provider/jet/editor.h"
#include "provider/jet/index_maintenance.h"
#include "provider/jet/table_def.h"
#include "provider/jet/writer_definition.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_row.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// What the writer knows of a table of an existing file: read once, valid while the file's
// columns do not change (row changes leave them alone).
struct EditedTable {
  TableDef definition;
  DefinitionExtras extras;
  TableLayout layout;  // in definition.columns order
  std::uint16_t codePage = 0;  // Jet 3: the code page of the file's text

  // `codePage`: the database's, in which a Jet 3 file's text is stored.
  static Result<EditedTable> Read(const PageStore& store, TableDef definition,
                                  std::uint16_t codePage = 0);
};

// Changes rows on `store`. Every check that can refuse a change (a missing row, a value that
// does not suit its column, a key an index cannot take, a row too long) runs before the
// first page is written; a damaged page met later fails the change midway, and the caller undoes
// it (PageStore::UndoChange).
class RowEdit {
 public:
  RowEdit(PageStore& store, const EditedTable& table) : store_(&store), table_(&table) {}

  // See Editor::InsertRow; `autoNumber` receives the number given, when the table has one.
  Result<std::uint32_t> Insert(const std::vector<Value>& values, std::int64_t& autoNumber);
  // See Editor::UpdateRow.
  Result<std::uint32_t> Update(std::uint32_t location, const std::vector<ColumnValue>& changes);
  // See Editor::DeleteRow.
  Status Delete(std::uint32_t location);

 private:
  // Where a row is: `slot` is the slot that names it (indexes and other readers use it), `data`
  // the slot its bytes are in (another one when the row was moved).
  struct Place {
    std::uint32_t slot = 0;
    std::uint32_t data = 0;
  };
  using Field = StoredField;

  Result<Place> Resolve(std::uint32_t location);
  // The slot of this table's that forwards to `data`, the moved row's bytes.
  Result<std::uint32_t> FindForwarder(std::uint32_t data);
  // The row at `data` cut into one field per column of the layout.
  Result<std::vector<Field>> ReadFields(std::uint32_t data);
  // Encodes `value` for column `column` (not a long-value column).
  Result<Field> Encode(std::size_t column, const Value& value) const;
  // Stores a long value on its column's pages and returns the column's part of the row.
  Result<std::vector<std::uint8_t>> StoreLongValue(std::size_t column,
                                                   const std::vector<std::uint8_t>& data);
  // Marks the LVAL rows a long-value field of `column` points at deleted, noting their pages
  // in freed_.
  Status FreeLongValue(std::size_t column, std::span<const std::uint8_t> field);
  // The row of `fields`, padded to `length` bytes when that is longer.
  std::vector<std::uint8_t> Assemble(const std::vector<Field>& fields,
                                     std::size_t length = 0) const;
  // A page of the table with room for a row of `size` bytes, added when none has.
  Result<std::uint32_t> PageWithRoom(std::size_t size, std::uint32_t preferred);
  Status CountRows(int delta);
  // The table's indexes, kept in the file's version.
  IndexMaintenance Indexes() const;
  // notSupported when the table's index definitions could not be read.
  Status IndexesReadable() const;
  Status Refuse(const char* what, std::size_t column) const;
  std::string Where(std::uint32_t location) const;

  PageStore* store_;
  const EditedTable* table_;
  // By column: the LVAL pages this change freed rows on, where its new values look first.
  std::map<std::size_t, std::vector<std::uint32_t>> freed_;
};

}  // namespace provider::jet
