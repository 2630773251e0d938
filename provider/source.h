// Turning a command's text into rows: a table or saved query opened by name, or a statement run
// over the database.
#pragma once

#include <memory>
#include <string>

#include "provider/enums.h"
#include "provider/file_writer.h"
#include "provider/jet/database.h"
#include "provider/row_set.h"
#include "provider/status.h"
#include "provider/table_cache.h"

namespace provider {

// `type` adCmdTable: `text` names a table or a saved select query, optionally in brackets.
// adCmdText: `text` is a statement. adCmdUnknown: a statement when it begins with SELECT, else
// a name. Failures carry the description the recordset reports.
// Tables are opened through `cache`, the connection's; the rows cannot be changed.
Result<std::unique_ptr<RowSet>> OpenSource(std::shared_ptr<TableCache> cache, CommandTypeEnum type,
                                           const std::u16string& text);
// The same with rows that are changed through `writer` (null: they cannot be changed).
Result<std::unique_ptr<RowSet>> OpenSource(std::shared_ptr<TableCache> cache,
                                           std::shared_ptr<FileWriter> writer, CommandTypeEnum type,
                                           const std::u16string& text);

}  // namespace provider
