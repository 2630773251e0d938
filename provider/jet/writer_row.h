// Rows as Jet 4 stores them on data pages: values in their column's form, assembled into one
// record with its offsets and null mask.
#pragma once

#include <cstdint>
#include <vector>

#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// One column's part of a row.
struct StoredField {
  bool present = false;             // the null-mask bit (for booleans: the value)
  std::vector<std::uint8_t> bytes;  // fixed columns: exactly the column's length
};

// Stores `value` in the form of `column`, which must not be a long-value column (those are
// stored by the table writer, which owns their pages). invalidArgument when the value does not
// suit the column (wrong type, out of range, too long).
Result<StoredField> EncodeField(const ColumnLayout& column, const Value& value);

// The row for `fields`, one per column of `layout` in layout order.
std::vector<std::uint8_t> AssembleRow(const TableLayout& layout,
                                      const std::vector<StoredField>& fields);

}  // namespace provider::jet
