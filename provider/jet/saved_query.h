// Saved queries: the SELECT text of a select query, rebuilt from its rows in MSysQueries.
#pragma once

#include <cstdint>
#include <string>

#include "provider/jet/table.h"
#include "provider/status.h"

namespace provider::jet {

// The kinds of saved query, as MSysQueries records them (attribute 1).
enum class QueryKind : std::int16_t {
  select = 1,
  makeTable = 2,
  append = 3,
  update = 4,
  remove = 5,
  crosstab = 6,
  dataDefinition = 7,
  passThrough = 8,
  unionQuery = 9,
};

// Rebuilds the statement of the query `objectId` (named `name` in messages) from `msysQueries`:
// "SELECT [options] columns FROM sources [WHERE …] [GROUP BY …] [HAVING …] [ORDER BY …]".
// Queries of other kinds give a notSupported status.
Result<std::string> BuildSelectText(const Table& msysQueries, std::int32_t objectId,
                                    const std::string& name);

}  // namespace provider::jet
