// jetdb query FILE "SQL": one statement through the SQL engine over a Jet file, as CSV.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/table.h"
#include "provider/sql/query.h"
#include "provider/sql/row_source.h"
#include "tools/jetdb/csv_writer.h"

namespace jetdb {

// One open Jet table as the statement engine reads it. Text is moved into the caller's buffer,
// so a search over a column allocates nothing per row beyond the decoding itself.
class JetTableSource : public provider::sql::RowSource {
 public:
  explicit JetTableSource(std::unique_ptr<provider::jet::Table> table);

  const std::vector<provider::sql::Column>& Columns() const override { return columns_; }
  std::uint32_t RowCount() const override;
  provider::Result<provider::Value> GetValue(std::uint32_t row, std::uint32_t column) override;
  provider::Result<bool> GetText(std::uint32_t row, std::uint32_t column,
                                 std::u16string& buffer) override;

  const provider::jet::Table& table() const { return *table_; }

 private:
  std::unique_ptr<provider::jet::Table> table_;
  std::vector<provider::sql::Column> columns_;
};

// Tables and saved select queries of one database by name. Each table is opened once and kept
// while the resolver lives, so results over it stay readable. Saved queries take the ANSI
// wildcards, as statements sent through the provider do.
class JetDatabaseResolver : public provider::sql::Resolver {
 public:
  explicit JetDatabaseResolver(const provider::jet::Database& database) : database_(&database) {}

  provider::Result<provider::sql::NamedSource> Find(std::u16string_view name) override;

 private:
  const provider::jet::Database* database_;
  std::map<std::string, std::unique_ptr<JetTableSource>> tables_;  // by lower-case name
};

// The result of a statement as CSV: a header line with the result's column names, then one line
// per row, each value formatted as the table export formats it. The source of `result` must be
// a JetTableSource (as every source of a JetDatabaseResolver is).
provider::Status WriteCsv(const provider::sql::QueryResult& result, const CsvOptions& options,
                          std::FILE* out);

}  // namespace jetdb
