// A statement's result as a recordset's rows: the selected rows of one Jet table, values read
// from the table when asked.
#pragma once

#include <memory>
#include <vector>

#include "provider/jet_resolver.h"
#include "provider/row_set.h"
#include "provider/sql/query.h"

namespace provider {

// Owns the resolver that owns the table the result reads, so the rows stay readable after the
// connection closes. The reading engine writes nothing yet: CanUpdate is false and UpdateRow
// says so.
class StatementRows : public RowSet {
 public:
  // `result` must read a source `resolver` handed out.
  static Result<std::unique_ptr<StatementRows>> Make(std::unique_ptr<JetResolver> resolver,
                                                     sql::QueryResult result,
                                                     jet::JetVersion version);

  const std::vector<ColumnInfo>& columns() const override { return columns_; }
  std::size_t row_count() const override { return result_.rows.size(); }
  Result<Value> GetValue(std::size_t row, std::size_t column) const override;
  bool CanUpdate() const override { return false; }
  Status UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) override;
  Result<std::size_t> InsertRow(const std::vector<ColumnChange>& values) override;
  Status DeleteRow(std::size_t row) override;

 private:
  StatementRows(std::unique_ptr<JetResolver> resolver, sql::QueryResult result,
                const JetRowSource* table, std::vector<ColumnInfo> columns)
      : resolver_(std::move(resolver)),
        result_(std::move(result)),
        table_(table),
        columns_(std::move(columns)) {}

  std::unique_ptr<JetResolver> resolver_;
  sql::QueryResult result_;
  const JetRowSource* table_;
  std::vector<ColumnInfo> columns_;
};

inline const std::string kReadOnlyDatabase = "Cannot update.  Database or object is read-only.";

}  // namespace provider
