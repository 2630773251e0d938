// A Jet table as the statement engine reads it: the row source over one open table.
#pragma once

#include <memory>
#include <vector>

#include "provider/jet/table.h"
#include "provider/sql/row_source.h"

namespace provider {

// Owns the table; the database the table was opened from must outlive it.
class JetRowSource : public sql::RowSource {
 public:
  explicit JetRowSource(std::unique_ptr<jet::Table> table);

  const std::vector<sql::Column>& Columns() const override { return columns_; }
  std::uint32_t RowCount() const override;
  Result<Value> GetValue(std::uint32_t row, std::uint32_t column) override;

  const jet::Table& table() const { return *table_; }

 private:
  std::unique_ptr<jet::Table> table_;
  std::vector<sql::Column> columns_;
};

// The kind of value statements see in a column of `type`.
sql::ColumnKind KindOf(jet::ColumnType type);

}  // namespace provider
