// A Jet table as the statement engine reads it: the row source over one open table.
#pragma once

#include <memory>
#include <vector>

#include "provider/jet/row_cursor.h"
#include "provider/jet/table.h"
#include "provider/sql/row_source.h"
#include "provider/table_cache.h"

namespace provider {

// Shares the table; the database the table was opened from must outlive it. Text columns are
// searched through the folded columns of `cache` (not owned, null for none), which must outlive
// the source; memo columns, too long to keep, are read row by row.
class JetRowSource : public sql::RowSource {
 public:
  explicit JetRowSource(std::shared_ptr<const jet::Table> table, TableCache* cache = nullptr);

  const std::vector<sql::Column>& Columns() const override { return columns_; }
  std::uint32_t RowCount() const override;
  Result<Value> GetValue(std::uint32_t row, std::uint32_t column) override;
  Result<bool> GetText(std::uint32_t row, std::uint32_t column, std::u16string& buffer) override;
  Result<bool> GetFoldedText(std::uint32_t row, std::uint32_t column,
                             std::u16string& buffer) override;
  Result<bool> GetFoldedTextUntil(std::uint32_t row, std::uint32_t column, std::u16string& buffer,
                                  const std::function<bool(std::u16string_view)>& enough) override;
  Result<std::shared_ptr<const sql::FoldedColumn>> FoldedText(std::uint32_t column) override;

  const jet::Table& Table() const { return *table_; }
  const std::shared_ptr<const jet::Table>& SharedTable() const { return table_; }

 private:
  std::shared_ptr<const jet::Table> table_;
  TableCache* cache_;
  std::vector<sql::Column> columns_;
  // Statements read rows mostly in order: the cursor finds each from the page of the last.
  jet::RowCursor cursor_;
};

// The kind of value statements see in a column of `type`.
sql::ColumnKind KindOf(jet::ColumnType type);

}  // namespace provider
