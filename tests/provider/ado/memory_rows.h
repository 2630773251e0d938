// A row set held in memory, for exercising the cursor without a database file.
#pragma once

#include <vector>

#include "provider/row_set.h"

namespace adotest {

class MemoryRows : public provider::RowSet {
 public:
  MemoryRows(std::vector<provider::ColumnInfo> columns,
             std::vector<std::vector<provider::Value>> rows, bool writable)
      : columns_(std::move(columns)), rows_(std::move(rows)), writable_(writable) {}

  const std::vector<provider::ColumnInfo>& columns() const override { return columns_; }
  std::size_t row_count() const override { return rows_.size(); }
  provider::Result<provider::Value> GetValue(std::size_t row, std::size_t column) const override {
    return rows_[row][column];
  }
  bool CanUpdate() const override { return writable_; }
  provider::Status UpdateRow(std::size_t row,
                             const std::vector<provider::ColumnChange>& changes) override {
    if (!writable_) return provider::Status::NotSupported("Cannot update.", "memory rows");
    for (const auto& [column, value] : changes) rows_[row][column] = value;
    return provider::Status::Ok();
  }

 private:
  std::vector<provider::ColumnInfo> columns_;
  std::vector<std::vector<provider::Value>> rows_;
  bool writable_;
};

}  // namespace adotest
