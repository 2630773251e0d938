// A row set held in memory, for exercising the cursor without a database file.
#pragma once

#include <optional>
#include <vector>

#include "provider/row_set.h"

namespace adotest {

// Rows that are deleted stay in place as empty optionals, so the numbers of the others hold.
// The first column, when it is an AutoNumber column, numbers new rows on from the largest value.
class MemoryRows : public provider::RowSet {
 public:
  using Row = std::vector<provider::Value>;

  MemoryRows(std::vector<provider::ColumnInfo> columns, std::vector<Row> rows, bool writable)
      : columns_(std::move(columns)), writable_(writable) {
    for (Row& row : rows) rows_.emplace_back(std::move(row));
  }

  const std::vector<provider::ColumnInfo>& Columns() const override { return columns_; }
  std::size_t RowCount() const override { return rows_.size(); }
  provider::Result<provider::Value> GetValue(std::size_t row, std::size_t column) const override {
    if (!rows_[row]) return provider::Status::NotFound("The row was deleted.", "memory rows");
    return (*rows_[row])[column];
  }
  bool CanUpdate() const override { return writable_; }
  provider::Status UpdateRow(std::size_t row,
                             const std::vector<provider::ColumnChange>& changes) override {
    if (!Accepts()) return Refusal();
    for (const auto& [column, value] : changes) (*rows_[row])[column] = value;
    return provider::Status::Ok();
  }
  provider::Result<std::size_t> InsertRow(
      const std::vector<provider::ColumnChange>& values) override {
    if (!Accepts()) return Refusal();
    Row row(columns_.size());
    if (!columns_.empty() && columns_[0].autoIncrement) row[0] = ++lastNumber_;
    for (const auto& [column, value] : values) row[column] = value;
    rows_.emplace_back(std::move(row));
    return rows_.size() - 1;
  }
  provider::Status DeleteRow(std::size_t row) override {
    if (!Accepts()) return Refusal();
    rows_[row].reset();
    return provider::Status::Ok();
  }

  // The live rows, in number order, for comparing the store with what was done to it.
  std::vector<Row> LiveRows() const {
    std::vector<Row> live;
    for (const auto& row : rows_) {
      if (row) live.push_back(*row);
    }
    return live;
  }
  void SetLastNumber(std::int64_t number) { lastNumber_ = number; }
  // The next write fails although the rows say they can be written, as a full disk would.
  void FailNextWrite() { failNext_ = true; }

 private:
  bool Accepts() {
    const bool fail = failNext_;
    failNext_ = false;
    return writable_ && !fail;
  }

  static provider::Status Refusal() {
    return provider::Status::NotSupported("Cannot update.", "memory rows");
  }

  std::vector<provider::ColumnInfo> columns_;
  std::vector<std::optional<Row>> rows_;
  bool writable_;
  bool failNext_ = false;
  std::int64_t lastNumber_ = 0;
};

}  // namespace adotest
