// What a recordset's cursor runs over: the columns and rows of one result, values decoded on
// request. A Jet table and a statement's result are row sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "provider/enums.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider {

// A column as the recordset's Field reports it.
struct ColumnInfo {
  std::u16string name;
  DataTypeEnum type = adEmpty;
  std::int32_t definedSize = 0;  // characters for text, bytes otherwise
  std::uint8_t precision = 255;  // 255 where the type has none
  std::uint8_t numericScale = 255;
  std::int32_t attributes = 0;  // FieldAttributeEnum bits
  bool autoIncrement = false;
};

// One changed value of a row: the column index and its new value.
using ColumnChange = std::pair<std::size_t, Value>;

class RowSet {
 public:
  virtual ~RowSet() = default;

  virtual const std::vector<ColumnInfo>& Columns() const = 0;
  // The number of rows ever held, deleted ones included: rows are numbered 0 .. RowCount() - 1
  // and keep their numbers for the life of the row set; an inserted row takes the next number.
  virtual std::size_t RowCount() const = 0;
  // The value of `column` in `row` (both in range, the row not deleted). Null is std::monostate.
  virtual Result<Value> GetValue(std::size_t row, std::size_t column) const = 0;

  // Whether the writes below can succeed at all (the recordset reports it through Supports).
  virtual bool CanUpdate() const = 0;
  // Stores `changes` into `row` together, or none of them, and says why not.
  virtual Status UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) = 0;
  // Adds a row holding `values`; columns not named take their defaults (Null, or the next
  // AutoNumber). Returns the new row's number, which is RowCount() before the call. Nothing is
  // added when it fails.
  virtual Result<std::size_t> InsertRow(const std::vector<ColumnChange>& values) = 0;
  // Removes `row`; its number is not given to another row. Nothing changes when it fails.
  virtual Status DeleteRow(std::size_t row) = 0;
};

}  // namespace provider
