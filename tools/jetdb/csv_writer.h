// Values of a table as CSV, in the dialect of the peer exporter mdb-export, so the two compare.
#pragma once

#include <string>
#include <string_view>

#include "provider/jet/column.h"
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

// A text field, as FormatField writes it, appended to `out` with no copy of the text on the way.
void AppendTextField(std::u16string_view text, const CsvOptions& options, std::string& out);

// A date in days since 1899-12-30 through a strftime format.
std::string FormatDate(double days, const std::string& format);

}  // namespace jetdb
