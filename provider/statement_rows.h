// A statement's result as a recordset's rows: the selected rows of one Jet table, values read
// from the table when asked, and changed through the connection's file writer.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "provider/file_writer.h"
#include "provider/jet_resolver.h"
#include "provider/row_set.h"
#include "provider/sql/query.h"

namespace provider {

// Owns the resolver that owns the table the result reads, so the rows stay readable after the
// connection closes. Every result reads the columns of one table, so every result can be
// written when the file can (FileWriter::CanWrite); what the table itself refuses (indexes the
// engine cannot keep) comes back from the write in the engine's words.
//
// Rows are known by their place in the file. After a change the table is read again from the
// file as written (on the next read, not at once), and each row is found at its place there.
class StatementRows : public RowSet {
 public:
  // `result` must read a source `resolver` handed out. `writer` may be null: no changes.
  static Result<std::unique_ptr<StatementRows>> Make(std::unique_ptr<JetResolver> resolver,
                                                     sql::QueryResult result,
                                                     jet::JetVersion version,
                                                     std::shared_ptr<FileWriter> writer = nullptr);

  const std::vector<ColumnInfo>& Columns() const override { return columns_; }
  std::size_t RowCount() const override;
  Result<Value> GetValue(std::size_t row, std::size_t column) const override;
  bool CanUpdate() const override;
  Status UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) override;
  Result<std::size_t> InsertRow(const std::vector<ColumnChange>& values) override;
  Status DeleteRow(std::size_t row) override;

 private:
  StatementRows(std::unique_ptr<JetResolver> resolver, sql::QueryResult result,
                std::shared_ptr<const jet::Table> table, std::vector<ColumnInfo> columns,
                std::shared_ptr<FileWriter> writer);

  Status RequireWriter() const;
  // Before the first change: takes the place of every row from the table the statement read,
  // which a change makes stale. Opening a result finds no row's place, as most are never
  // changed.
  void KeepLocations();
  // The table's row at `row`'s place, reading the table again first when it was changed.
  Result<std::size_t> TableRow(std::size_t row) const;
  std::string Where() const { return "table '" + table_->Name() + "'"; }

  std::unique_ptr<JetResolver> resolver_;
  sql::QueryResult result_;
  std::shared_ptr<FileWriter> writer_;
  std::vector<ColumnInfo> columns_;
  // The table as last read; until the first change it is the one the statement read, whose row
  // result_.rows[i] is row i.
  mutable std::shared_ptr<const jet::Table> table_;
  bool changed_ = false;
  mutable bool stale_ = false;
  // From the first change on, per row: its place in the file (kGone once deleted).
  std::vector<std::uint32_t> locations_;
  // After a change: the rows of table_ by place.
  mutable std::unordered_map<std::uint32_t, std::size_t> rowAt_;
};

inline const std::string kReadOnlyDatabase = "Cannot update.  Database or object is read-only.";

}  // namespace provider
