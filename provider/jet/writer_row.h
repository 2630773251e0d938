// Rows as Jet stores them on data pages: values in their column's form, assembled into one
// record with its offsets and null mask, in the form of Jet 4 or of Jet 3.
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
// The same row made `length` bytes long (at least its own size): a row written into a longer
// slot is padded with zero bytes after its variable data, since readers find its offsets and
// null mask from the slot's end.
std::vector<std::uint8_t> AssembleRow(const TableLayout& layout,
                                      const std::vector<StoredField>& fields, std::size_t length);

// The size of a row of `layout` whose variable columns hold `variableBytes` bytes in all.
std::size_t RowSize(const TableLayout& layout, std::size_t variableBytes);

}  // namespace provider::jet
