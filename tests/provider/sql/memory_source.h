// An in-memory table and database for statement tests: rows of values, and a count of the
// values read per column so tests can see what a statement decoded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "provider/sql/row_source.h"
#include "provider/sql/scope.h"

namespace provider::sql::sqltest {

class MemoryTable : public RowSource {
 public:
  MemoryTable(std::vector<Column> columns, std::vector<std::vector<Value>> rows)
      : columns_(std::move(columns)), rows_(std::move(rows)), reads_(columns_.size()) {}

  const std::vector<Column>& Columns() const override { return columns_; }
  std::uint32_t RowCount() const override { return static_cast<std::uint32_t>(rows_.size()); }
  Result<Value> GetValue(std::uint32_t row, std::uint32_t column) override {
    if (row >= rows_.size() || column >= columns_.size()) {
      return Status::InvalidArgument("no such cell", "memory table");
    }
    ++reads_[column];
    return rows_[row][column];
  }

  // Copies into the caller's buffer, as a source decoding in place would.
  Result<bool> GetText(std::uint32_t row, std::uint32_t column, std::u16string& buffer) override {
    if (row >= rows_.size() || column >= columns_.size()) {
      return Status::InvalidArgument("no such cell", "memory table");
    }
    ++reads_[column];
    const Value& v = rows_[row][column];
    if (IsNull(v)) return false;
    buffer.assign(std::get<std::u16string>(v));
    return true;
  }

  // How many values of the column were read since the last reset.
  int Reads(std::uint32_t column) const { return reads_[column]; }
  void ResetReads() { std::fill(reads_.begin(), reads_.end(), 0); }

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<Value>> rows_;
  std::vector<int> reads_;
};

class MemoryDatabase : public Resolver {
 public:
  void AddTable(std::u16string name, MemoryTable* table) { tables_[std::move(name)] = table; }
  void AddQuery(std::u16string name, std::u16string sql, bool designerWildcards = false) {
    queries_[std::move(name)] = {std::move(sql), designerWildcards};
  }

  Result<NamedSource> Find(std::u16string_view name) override {
    NamedSource found;
    for (auto& [n, table] : tables_) {
      if (NamesEqual(n, name)) found.table = table;
    }
    for (auto& [n, query] : queries_) {
      if (NamesEqual(n, name)) {
        found.query = query.first;
        found.designerWildcards = query.second;
      }
    }
    return found;
  }

 private:
  std::map<std::u16string, MemoryTable*> tables_;
  std::map<std::u16string, std::pair<std::u16string, bool>> queries_;
};

}  // namespace provider::sql::sqltest
