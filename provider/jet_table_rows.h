// A Jet table as a row set: every row of the table in file order.
#pragma once

#include <memory>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/table.h"
#include "provider/row_set.h"

namespace provider {

// Keeps the database alive as long as the table refers to its pages. The reading engine writes
// nothing yet, so CanUpdate is false and UpdateRow says so.
class JetTableRows : public RowSet {
 public:
  JetTableRows(std::shared_ptr<const jet::Database> database, std::unique_ptr<jet::Table> table);

  const std::vector<ColumnInfo>& columns() const override { return columns_; }
  std::size_t row_count() const override { return table_->row_count(); }
  Result<Value> GetValue(std::size_t row, std::size_t column) const override;
  bool CanUpdate() const override { return false; }
  Status UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) override;

  const jet::Table& table() const { return *table_; }

 private:
  std::shared_ptr<const jet::Database> database_;
  std::unique_ptr<jet::Table> table_;
  std::vector<ColumnInfo> columns_;
};

inline const std::string kReadOnlyDatabase = "Cannot update.  Database or object is read-only.";

}  // namespace provider
