// An SQLite copy of one Jet table, so SQLite is measured on the very rows the engine reads.
#pragma once

#include <string>

#include "provider/status.h"

namespace bench {

// Writes table `table` of the Jet file `mdb` into a new SQLite file `sqlite` (replacing it),
// under the same table and column names. Text and memo become TEXT, numbers INTEGER or REAL,
// binary values BLOB; Null stays Null.
provider::Status CopyTableToSqlite(const std::string& mdb, const std::string& table,
                                   const std::string& sqlite);

}  // namespace bench
