// A WHERE clause compiled against its input: columns bound to indexes, parameters to their
// values, LIKE patterns to matchers, types checked, all once per statement.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "provider/sql/row_source.h"
#include "provider/sql/scope.h"
#include "provider/sql/statement.h"
#include "provider/status.h"

namespace provider::sql {

// Three-valued logic: a comparison with Null is unknown, and only yes selects a row.
enum class Truth : std::uint8_t { no, yes, unknown };

class Condition {
 public:
  virtual ~Condition() = default;

  // Fails on an unknown column, a missing parameter, a type mismatch or a bad pattern.
  static Result<std::unique_ptr<Condition>> Compile(const Expression& expression,
                                                    const Scope& scope);

  // The truth for one row of the source the condition was compiled for. A failure to read
  // the row is stored in error (first failure kept) and gives unknown.
  virtual Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) = 0;

  // Appends to `rows`, in order, every row of `source` whose truth is yes; the first failure to
  // read a row ends the selection. Row by row here; a condition that can find its rows faster
  // (LIKE over a folded column) does so.
  virtual Status Select(RowSource& source, std::vector<std::uint32_t>& rows);
};

}  // namespace provider::sql
