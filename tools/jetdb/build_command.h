// Builds the question-and-answer database: seven topic tables and a saved query over each.
#pragma once

#include <string>
#include <vector>

#include "provider/status.h"
#include "provider/value.h"
#include "tools/jetdb/content_reader.h"

namespace jetdb {

// The topic tables, in the order they are created; each has a content file <name>.txt and a
// saved query Q<name> = SELECT * FROM <name>.
const std::vector<std::string>& TopicTableNames();

struct TopicTable {
  std::string name;
  std::vector<ContentRecord> records;
};

// Writes the database to `path`: per topic table the columns id (AutoNumber), kholase
// (Text 255), porsesh, pasokh, pavaraghi (Memo), rows in the given order, then the queries.
provider::Status WriteTopicDatabase(const std::vector<TopicTable>& tables, const std::string& path,
                                    provider::DateTime created);

// The creation time to record: SOURCE_DATE_EPOCH when set (reproducible builds), else now.
provider::DateTime BuildTime();

}  // namespace jetdb
