// Values of a table as CSV, in the dialect of the peer exporter mdb-export, so the two compare.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/row_cursor.h"
#include "provider/jet/table.h"
#include "provider/status.h"
#include "provider/value.h"

namespace jetdb {

enum class BinaryMode { strip, raw, octal, hex };

struct CsvOptions {
  bool header = true;
  std::string delimiter = ",";
  std::string rowDelimiter = "\n";
  bool quoting = true;
  std::string quote = "\"";
  std::string escape;  // empty: a quote inside a value is doubled
  bool escapeInvisible = false;
  std::string dateTimeFormat = "%m/%d/%y %H:%M:%S";
  std::string nullText;
  BinaryMode binary = BinaryMode::raw;
  bool booleanWords = false;
};

// One field of the CSV, quoted and escaped as the options say; `value` belongs to `column`.
std::string FormatField(const provider::Value& value, const provider::jet::Column& column,
                        const CsvOptions& options);

// The values of `columns` (indexes into the columns of `table`) of the row `row` is on, as one
// record of the CSV with its row delimiter, appended to `out`; each value as FormatField writes
// it, text and memo values straight from the page into `out`. The first value that cannot be
// read fails the record, with `out` then holding part of it.
provider::Status AppendRecord(const provider::jet::Table& table, provider::jet::RowCursor& row,
                              const std::vector<std::uint32_t>& columns, const CsvOptions& options,
                              std::string& out);

// A date in days since 1899-12-30 through a strftime format.
std::string FormatDate(double days, const std::string& format);

}  // namespace jetdb
