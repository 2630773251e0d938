// The definition of a table (its TDEF pages): counts, usage maps and columns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/jet/index_def.h"
#include "provider/jet/page_file.h"
#include "provider/status.h"

namespace provider::jet {

struct TableDef {
  std::string name;            // UTF-8, from the catalog
  std::uint32_t page = 0;      // first definition page
  std::uint32_t rowCount = 0;  // as recorded; the scan is what counts
  std::uint32_t nextAutoNumber = 0;
  std::uint8_t tableType = 0;    // 0x4E user, 0x53 system
  std::uint16_t maxColumns = 0;  // highest column number + 1, deleted columns included
  std::uint16_t varColumns = 0;  // variable slots, deleted ones included
  std::uint32_t usageMap = 0;    // page << 8 | row of the owned-pages map
  std::uint32_t freeSpaceMap = 0;
  std::vector<Column> columns;    // by column number
  std::vector<IndexDef> indexes;  // the physical indexes, in definition order
  // The index definitions could not be read: the rows still can, but nothing may be written.
  bool indexesDamaged = false;
};

// Reads the definition starting at `page`, following its continuation pages. Jet 3 names are
// decoded in `codePage`. `name` is used in messages and stored in the result.
Result<TableDef> ReadTableDef(const PageFile& file, const Format& format, std::uint32_t page,
                              std::uint16_t codePage, const std::string& name);

}  // namespace provider::jet
