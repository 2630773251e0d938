// Running a SELECT: prepared once (names bound, patterns compiled), then executed into the
// list of selected rows of a table, which a static cursor decodes lazily.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "provider/sql/condition.h"
#include "provider/sql/row_source.h"
#include "provider/sql/statement.h"
#include "provider/status.h"

namespace provider::sql {

// One column of a result: its name (the alias when given) and the column of the underlying
// table it reads.
struct OutputColumn {
  std::u16string name;
  std::uint32_t column;
  ColumnKind kind;
};

// The rows a statement selected, in order, as row numbers of source. Values are read from
// source on demand: row rows[i], column columns[j].column. source is not owned (it belongs to
// the resolver) and must outlive the result.
struct QueryResult {
  RowSource* source = nullptr;
  std::vector<OutputColumn> columns;
  std::vector<std::uint32_t> rows;
};

class PreparedQuery {
 public:
  // Parses and prepares a statement. parameters are the values of its '?' markers in order.
  static Result<PreparedQuery> Prepare(std::u16string_view sql, Resolver& resolver,
                                       std::span<const Value> parameters = {});
  static Result<PreparedQuery> Prepare(const Statement& statement, Resolver& resolver,
                                       std::span<const Value> parameters = {});
  // A table or saved query opened by name, as a command of type table: every row and
  // column. The name may be bracketed ("[my table]").
  static Result<PreparedQuery> PrepareTable(std::u16string_view name, Resolver& resolver);

  // Known before any row is read, so field definitions can be built first.
  const std::vector<OutputColumn>& Columns() const { return columns_; }

  // Reads the rows. May be called again; each call reads the source afresh.
  Result<QueryResult> Execute();

  PreparedQuery();
  PreparedQuery(PreparedQuery&&) noexcept;
  PreparedQuery& operator=(PreparedQuery&&) noexcept;
  ~PreparedQuery();

 private:
  struct OrderKey {
    std::uint32_t column;  // a column of the input
    ColumnKind kind;
    bool descending;
  };

  static Result<PreparedQuery> PrepareAt(const Statement& statement, Resolver& resolver,
                                         std::span<const Value> parameters, Wildcards wildcards,
                                         int depth);
  static Result<PreparedQuery> PrepareSource(std::u16string_view name, Resolver& resolver,
                                             int depth);

  Status Sort(RowSource& input, std::vector<std::uint32_t>& rows) const;

  // The input is a table, or the result of a saved query (inner_).
  RowSource* table_ = nullptr;
  bool wholeTable_ = false;  // every column of table_, as opened by name
  std::unique_ptr<PreparedQuery> inner_;
  std::vector<Column> inputColumns_;
  std::unique_ptr<Condition> where_;
  std::vector<OrderKey> order_;
  std::vector<OutputColumn> columns_;  // in terms of the underlying table
};

// Prepares and executes in one step.
Result<QueryResult> Execute(std::u16string_view sql, Resolver& resolver,
                            std::span<const Value> parameters = {});

}  // namespace provider::sql
