// Adds and deletes the rows of one table in a file being written, keeping its definition's
// row count and AutoNumber, its usage maps and its long values consistent.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "provider/jet/writer_long_value.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// Refers to the PageStore it was created on, which must outlive it.
class TableWriter {
 public:
  TableWriter(const TableWriter&) = delete;
  TableWriter& operator=(const TableWriter&) = delete;

  // Writes the definition of an empty table described by `tableSpec` on `definitionPage` (already
  // allocated), with new usage maps for the table and for each long-value column.
  static Result<std::unique_ptr<TableWriter>> Create(PageStore& store, const TableSpec& tableSpec,
                                                     std::uint32_t definitionPage);

  std::uint32_t DefinitionPage() const { return definitionPage_; }
  const TableSpec& Design() const { return tableSpec_; }
  std::uint32_t RowCount() const;

  // Appends a row: one value per column, in the order of the columns. An AutoNumber column takes
  // Null and is given the next number. Memo and OLE values go inline, to one LVAL row or to a
  // chain, by length. Returns the row's location (page << 8 | slot). Nothing is written when a
  // value does not suit its column (invalidArgument).
  Result<std::uint32_t> InsertRow(const std::vector<Value>& values);

  // The AutoNumber the last inserted row was given (0 before any).
  std::int64_t LastAutoNumber() const { return lastAutoNumber_; }

  // Deletes the row at `location`; notFound when it is not a live row of this table.
  Status DeleteRow(std::uint32_t location);

 private:
  TableWriter(PageStore& store, TableSpec tableSpec, TableLayout layout,
              std::uint32_t definitionPage)
      : store_(&store),
        tableSpec_(std::move(tableSpec)),
        layout_(std::move(layout)),
        definitionPage_(definitionPage) {}

  // A page of the table with room for `size` bytes, allocated when the current one is full.
  Result<std::uint32_t> PageWithRoom(std::size_t size);

  PageStore* store_;
  TableSpec tableSpec_;
  TableLayout layout_;
  std::uint32_t definitionPage_;
  TableMaps maps_;
  std::vector<LongValueWriter> longValues_;  // one per long-value column, in layout order
  std::uint32_t page_ = 0;
  std::int64_t lastAutoNumber_ = 0;
};

}  // namespace provider::jet
