// Index keys: the bytes a row's values are sorted by in an index's pages.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// The sort order whose text keys this engine knows: "General" (LCID 1033), version 0 in Jet 4,
// the one every file Access made in the samples uses.
constexpr std::uint16_t kGeneralSortOrder = 1033;

struct KeyColumn {
  ColumnType type = ColumnType::longInteger;
  bool ascending = true;
  std::uint16_t sortOrder = kGeneralSortOrder;  // text: the column's (Column::sortOrder)
  std::uint16_t sortVersion = 0;                // text: the column's (Column::sortVersion)
};

// Flag bytes in front of each column's part of a key.
constexpr std::uint8_t kKeyValueAscending = 0x7F;
constexpr std::uint8_t kKeyValueDescending = 0x80;
constexpr std::uint8_t kKeyNullAscending = 0x00;
constexpr std::uint8_t kKeyNullDescending = 0xFF;

// Whether keys of columns of `type` can be encoded (text: as far as its characters' codes are
// established).
bool KeyTypeSupported(ColumnType type);

// The key of `values` (one per column of `columns`, in key order) in a file of `version` whose
// Jet 3 text is stored in `codePage`. notSupported, naming what, for a value this engine cannot
// encode: a column type whose key form is not established, a text column sorted in another order
// than "General", or a text holding a character whose sort code is not.
Result<std::vector<std::uint8_t>> EncodeIndexKey(std::span<const KeyColumn> columns,
                                                 std::span<const Value> values, JetVersion version,
                                                 std::uint16_t codePage);

}  // namespace provider::jet
