// What a new table looks like (its columns) and its definition page as Jet 4 stores it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The sort order of every text column and of the database: Arabic (LCID 1025). Jet has none
// for Persian; Arabic orders the letters Persian shares with Arabic by their alphabet, where
// the General order treats the whole script as one block in code point order.
constexpr std::uint16_t kWriterSortOrder = 1025;

struct ColumnSpec {
  std::u16string name;
  ColumnType type = ColumnType::text;
  std::uint16_t size = 0;   // text: characters (1-255); binary: bytes (1-255); others unused
  bool autoNumber = false;  // long integers only: numbered 1, 2, ... as rows are inserted
};

struct TableSpec {
  std::u16string name;
  std::vector<ColumnSpec> columns;
  bool system = false;  // the catalog's own tables
  std::uint16_t sortOrder = kWriterSortOrder;  // LCID of its text and memo columns' sort order
  std::uint16_t codePage = 0;  // Jet 3: the code page of its text and names
};

// Where each column lives in a row.
struct ColumnLayout {
  ColumnSpec columnSpec;
  std::uint16_t number = 0;       // bit in the null mask
  std::uint16_t varIndex = 0;     // variable columns: entry in the offset table
  std::uint16_t fixedOffset = 0;  // fixed columns: offset after the column count
  std::uint16_t length = 0;       // bytes: fixed size, or text 2 per character (Jet 3: 1)
  bool fixed = false;
  std::uint16_t codePage = 0;  // Jet 3: the code page of its text; 0 for Jet 4's UCS-2
  std::uint8_t precision = 0;  // numeric: the digits it holds
  std::uint8_t scale = 0;      // numeric: the digits after the point
  bool IsLongValue() const {
    return columnSpec.type == ColumnType::memo || columnSpec.type == ColumnType::ole;
  }
};

struct TableLayout {
  std::vector<ColumnLayout> columns;
  std::uint16_t fixedSize = 0;
  std::uint16_t varCount = 0;             // variable slots, deleted columns' included
  std::uint16_t columnCount = 0;          // highest column number + 1; 0: columns.size()
  JetVersion version = JetVersion::jet4;  // the row form: Jet 3 has 1-byte counts and offsets
};

// Numbers the columns in the order given, fixed ones packed in that order, variable ones
// indexed in that order, as a file of `version` stores them. invalidArgument for a bad tableSpec
// (no columns, invalid or duplicate names, sizes out of range, an AutoNumber that is not a long
// integer); notSupported for types the writer does not store.
Result<TableLayout> LayOutTable(const TableSpec& tableSpec,
                                JetVersion version = JetVersion::jet4);

// The usage maps a definition names: the table's own and, per long-value column in layout
// order, the column's owned and free maps.
struct TableMaps {
  std::uint32_t owned = 0;
  std::uint32_t free = 0;
  std::vector<std::uint32_t> longValueOwned;
  std::vector<std::uint32_t> longValueFree;
};

// Offsets in the definition page that change as rows are added.
inline const std::size_t kTableDefRowCount = Format::Jet4().tdefRowCount;
// The last AutoNumber given (0 before any): Access gives the next row this value + 1.
inline const std::size_t kTableDefAutoNumber = Format::Jet4().tdefAutoNumber;

// The whole definition page of an empty table, in the version its layout was made for.
// notSupported when it would need more than one page; invalidArgument for a Jet 3 name its code
// page cannot hold.
Result<std::vector<std::uint8_t>> EncodeTableDef(const TableSpec& tableSpec,
                                                 const TableLayout& layout, const TableMaps& maps);

}  // namespace provider::jet
