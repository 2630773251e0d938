// Reading table definitions.
//
// Definition page header:
//   offset  size  meaning
//   0       1     page type 0x02
//   1       1     0x01
//   2       2     free space (Jet 3: the bytes "VC")
//   4       4     next definition page, 0 = none
//   8       4     length of the whole definition, over all its pages
// A continuation page repeats that 8-byte header; the definition resumes at its offset 8. The
// pages are joined into one buffer so that offsets below count from the start of the first page.
//
// Fixed part, Jet 4 offsets [Jet 3]:
//   16 [12]  4  rows            41 [21]  2  max columns     51 [31]  4  real index count
//   20 [16]  4  next autonumber 43 [23]  2  variable columns 55 [35]  4  owned-pages map pgrow
//   40 [20]  1  table type      45 [25]  2  column count     59 [39]  4  free-space map pgrow
//   47 [27]  4  logical index count
// then: real index counters (12 [8] bytes each), column entries (25 [18] bytes each), column
// names (2-byte length + UCS-2 [1-byte length + code page bytes]); then the index definitions
// (index_def.cpp).
//
// Column entry, Jet 4 [Jet 3]:
//   0 [0]    1  type code          11 [9]   1  precision (numeric), then scale
//   5 [1]    2  column number      13 [11]  2  text: sort version [Jet 3: code page]
//   7 [3]    2  variable index     15 [13]  1  flags
//   21 [14]  2  fixed offset       23 [16]  2  length in bytes
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/table_def.h"

#include <algorithm>
#include <unordered_set>

#include "platform/codepage.h"
#include "provider/jet/text.h"

namespace provider::jet {

namespace {

constexpr std::size_t kPageHeader = 8;

// Joins the definition's pages into one buffer.
Result<std::vector<std::uint8_t>> ReadChain(const PageFile& file, std::uint32_t first,
                                            const std::string& where) {
  std::vector<std::uint8_t> buffer;
  std::unordered_set<std::uint32_t> seen;
  std::uint32_t page = first;
  while (page != 0) {
    const std::string here = where + ", definition page " + std::to_string(page);
    if (!seen.insert(page).second)
      return Status::Corruption("The table definition's pages form a cycle.", here);
    Result<ByteView> view = file.Page(page, here);
    VELMORA_RETURN_IF_ERROR(view);
    ByteView bytes = view.value();
    if (bytes.U8(0) != 0x02)
      return Status::Corruption("A table definition page has the wrong page type.", here);
    if (buffer.empty()) {
      buffer.assign(bytes.data(), bytes.data() + bytes.size());
    } else {
      buffer.insert(buffer.end(), bytes.data() + kPageHeader, bytes.data() + bytes.size());
    }
    page = bytes.U32(4);
  }
  return buffer;
}

}  // namespace

Result<TableDef> ReadTableDef(const PageFile& file, const Format& format, std::uint32_t page,
                              std::uint16_t codePage, const std::string& name) {
  const std::string where = "table '" + name + "'";
  if (page == 0) return Status::Corruption("A table has no definition page.", where);
  Result<std::vector<std::uint8_t>> chain = ReadChain(file, page, where);
  VELMORA_RETURN_IF_ERROR(chain);
  const ByteView def(chain.value().data(), chain.value().size());
  const std::string here = where + ", definition page " + std::to_string(page);
  auto corrupt = [&](const std::string& what) {
    return Status::Corruption("The table definition is damaged: " + what + ".", here);
  };
  if (!def.Contains(0, format.tdefHeaderEnd)) return corrupt("its header is cut short");

  TableDef table;
  table.name = name;
  table.page = page;
  table.rowCount = def.U32(format.tdefRowCount);
  table.nextAutoNumber = def.U32(format.tdefAutoNumber);
  table.tableType = def.U8(format.tdefTableType);
  table.maxColumns = def.U16(format.tdefMaxColumns);
  table.varColumns = def.U16(format.tdefVarColumns);
  const std::uint16_t columnCount = def.U16(format.tdefColumnCount);
  const std::uint32_t realIndexes = def.U32(format.tdefRealIndexCount);
  table.usageMap = def.U32(format.tdefUsageMap);
  table.freeSpaceMap = def.U32(format.tdefFreeMap);
  if (realIndexes > 1000) return corrupt("it claims " + std::to_string(realIndexes) + " indexes");

  std::size_t pos = format.tdefHeaderEnd + realIndexes * format.realIndexCounterSize;
  if (!def.Contains(pos, std::size_t{columnCount} * format.columnEntrySize))
    return corrupt("its column entries run past its end");
  table.columns.resize(columnCount);
  for (Column& column : table.columns) {
    ByteView entry = *def.Slice(pos, format.columnEntrySize);
    column.typeCode = entry.U8(0);
    column.type = static_cast<ColumnType>(column.typeCode);
    column.number = entry.U16(format.columnNumber);
    column.varIndex = entry.U16(format.columnVarIndex);
    column.precision = entry.U8(format.columnPrecision);
    column.scale = entry.U8(format.columnPrecision + 1);
    column.sortOrder = entry.U16(format.columnPrecision);
    column.sortVersion = format.IsJet4() ? entry.U16(format.columnPrecision + 2) : 0;
    column.flags = entry.U8(format.columnFlags);
    column.fixedOffset = entry.U16(format.columnFixedOffset);
    column.length = entry.U16(format.columnLength);
    pos += format.columnEntrySize;
  }
  for (Column& column : table.columns) {
    if (!def.Contains(pos, format.nameLengthSize)) return corrupt("a column name is cut short");
    const std::size_t length = format.IsJet4() ? def.U16(pos) : def.U8(pos);
    pos += format.nameLengthSize;
    std::optional<ByteView> bytes = def.Slice(pos, length);
    if (!bytes) return corrupt("a column name runs past its end");
    Result<std::u16string> text =
        format.IsJet4() ? DecodeJet4Text(*bytes) : DecodeCodePageText(*bytes, codePage);
    if (!text.ok()) {
      if (text.status().kind() == StatusKind::notSupported)
        return Status::NotSupported(text.status().message(), here);
      return corrupt("a column name cannot be read");
    }
    column.name = platform::WideToUtf8(text.value());
    pos += length;
  }
  auto indexes = ParseIndexDefs(def, format, pos, realIndexes,
                                def.U32(format.tdefLogicalIndexCount), codePage);
  if (indexes.ok()) {
    table.indexes = indexes.take();
  } else {
    table.indexesDamaged = true;
  }
  std::stable_sort(table.columns.begin(), table.columns.end(),
                   [](const Column& a, const Column& b) { return a.number < b.number; });
  return table;
}

}  // namespace provider::jet
