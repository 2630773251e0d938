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

  virtual const std::vector<ColumnInfo>& columns() const = 0;
  // The exact number of rows, fixed for the life of the row set.
  virtual std::size_t row_count() const = 0;
  // The value of `column` in `row` (both in range). Null is std::monostate.
  virtual Result<Value> GetValue(std::size_t row, std::size_t column) const = 0;

  // Whether UpdateRow can succeed at all (the recordset reports it through Supports).
  virtual bool CanUpdate() const = 0;
  // Stores `changes` into `row` together, or none of them, and says why not.
  virtual Status UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) = 0;
};

}  // namespace provider
