// What a writer needs from a table definition beyond its columns: the indexes it would have to
// keep up to date, and the usage maps of each long-value column's pages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "provider/jet/writer_page_store.h"
#include "provider/status.h"

namespace provider::jet {

// A physical index: the column numbers of its key, and the names of the logical indexes
// (primary key, foreign key, plain) that use it.
struct IndexInfo {
  std::vector<std::uint16_t> columns;
  std::vector<std::string> names;  // UTF-8
};

struct LongValueMaps {
  std::uint32_t owned = 0;
  std::uint32_t free = 0;
};

struct DefinitionExtras {
  std::vector<IndexInfo> indexes;
  std::map<std::uint16_t, LongValueMaps> longValueMaps;  // by column number
  // Whether column number `number` is part of any index's key.
  bool Indexed(std::uint16_t number) const;
};

// Reads the definition starting at `page` (in the store's version) (following its continuation
// pages): its index definitions and its long-value column maps. corruption when the definition is
// cut short.
Result<DefinitionExtras> ReadDefinitionExtras(const PageStore& store, std::uint32_t page);

}  // namespace provider::jet
