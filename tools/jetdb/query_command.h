// jetdb query FILE "SQL": one statement through the SQL engine over a Jet file, as CSV.
#pragma once

#include <cstdio>

#include "provider/sql/query.h"
#include "provider/status.h"
#include "tools/jetdb/csv_writer.h"

namespace jetdb {

// The result of a statement as CSV: a header line with the result's column names, then one line
// per row, each value formatted as the table export formats it. The source of `result` must be
// a provider::JetRowSource, as every source a provider::JetResolver hands out is.
provider::Status WriteCsv(const provider::sql::QueryResult& result, const CsvOptions& options,
                          std::FILE* out);

}  // namespace jetdb
