// The index definitions of a table: the physical indexes (key columns, pages, flags) and the
// logical indexes (names, primary and foreign keys) that use them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/byte_view.h"
#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

struct IndexColumn {
  std::uint16_t number = 0;  // the column number (bit in the null mask)
  bool ascending = true;
};

// A physical index: what its pages hold.
struct IndexDef {
  std::vector<IndexColumn> columns;  // the key, most significant first
  std::uint32_t usageMap = 0;        // row pointer of the map of its pages
  std::uint32_t rootPage = 0;
  std::uint8_t flags = 0;          // kIndexUnique, kIndexIgnoreNulls, kIndexRequired
  std::vector<std::string> names;  // the logical indexes using it (UTF-8)
  bool primaryKey = false;         // one of them is the primary key

  bool IsUnique() const;
  bool IgnoresNulls() const;
  bool IsRequired() const;
  // The name to show: the first logical index's, or "index N".
  std::string Name(std::size_t number) const;
};

// Parses `physical` physical and `logical` logical index definitions and the logical names from
// `definition` (the joined definition pages) starting at `at`, which is left after them. Jet 3
// names are decoded in `codePage`. corruption when they run past the end.
Result<std::vector<IndexDef>> ParseIndexDefs(ByteView definition, const Format& format,
                                             std::size_t& at, std::uint32_t physical,
                                             std::uint32_t logical, std::uint16_t codePage);

}  // namespace provider::jet
