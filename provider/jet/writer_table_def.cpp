// What a new table looks like (its columns) and its definition page as Jet 4 stores it.
//
// Definition page (Jet 4), for tables without indexes:
//   offset  size    meaning
//   0       1       0x02
//   1       1       0x01
//   2       2       free space on the page
//   4       4       next definition page (0: none)
//   8       4       length of the definition after the first 8 bytes
//   12      4       0x0659, as Access writes it
//   16      4       number of rows
//   20      4       last AutoNumber given (0 before any)
//   24      1       1 when the table has an AutoNumber column
//   40      1       table type: 0x4E user, 0x53 system
//   41      2       highest column number + 1
//   43      2       number of variable columns
//   45      2       number of columns
//   47      4       number of logical indexes (0)
//   51      4       number of physical indexes (0)
//   55      4       row pointer of the owned-pages usage map
//   59      4       row pointer of the free-space usage map
//   63      25 * n  column entries:
//                     0 type | 1 0x0659 (4) | 5 number (2) | 7 variable index (2) |
//                     9 number (2) | 11 sort order LCID (2, text and memo) | 13 sort version (2)
//                     | 15 flags | 16 extra flags (0x01 compressed text) | 17 0 (4) |
//                     21 fixed offset (2) | 23 length in bytes (2)
//   ...             column names: byte length (2) + UCS-2
//   ...             per long-value column: number (2), owned map (4), free map (4);
//                   then 0xFFFF and 8 zero bytes
//
// A Jet 3 definition (2048-byte pages) has the same fields at the offsets FORMAT.md gives in
// brackets, "VC" in place of the free space, 18-byte column entries (type, number, variable
// index, number, 1, sort order, code page, flags, fixed offset, length) and each name as a length
// byte and code-page bytes.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_table_def.h"

#include <set>

#include "provider/jet/object_name.h"
#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_text.h"

namespace provider::jet {

namespace {

constexpr std::uint32_t kAccessConstant = 0x0659;
constexpr std::uint8_t kUserTable = 0x4E;
constexpr std::uint8_t kSystemTable = 0x53;
constexpr std::uint8_t kCompressedText = 0x01;

// Bytes in the fixed area, or -1 for variable types, -2 for types not written.
int FixedSize(ColumnType type) {
  switch (type) {
    case ColumnType::boolean:
      return 0;
    case ColumnType::binary:
    case ColumnType::text:
    case ColumnType::ole:
    case ColumnType::memo:
      return -1;
    case ColumnType::numeric:
      return -2;
    default: {
      const std::size_t size = FixedValueSize(type);
      return size > 0 ? static_cast<int>(size) : -2;
    }
  }
}

std::u16string Folded(const std::u16string& name) {
  std::u16string folded = name;
  for (char16_t& c : folded)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return folded;
}

bool IsTextual(ColumnType type) {
  return type == ColumnType::text || type == ColumnType::memo;
}

std::uint8_t ColumnFlags(const ColumnLayout& column) {
  std::uint8_t flags = kColumnNullable;
  if (column.fixed) flags |= kColumnFixed;
  if (column.columnSpec.autoNumber) flags |= kColumnAutoNumber;
  return flags;
}

void AppendJet4Column(std::vector<std::uint8_t>& def, const ColumnLayout& column,
                      std::uint16_t sortOrder) {
  def.push_back(static_cast<std::uint8_t>(column.columnSpec.type));
  Append32(def, kAccessConstant);
  Append16(def, column.number);
  Append16(def, column.varIndex);
  Append16(def, column.number);
  Append16(def, IsTextual(column.columnSpec.type) ? sortOrder : 0);
  Append16(def, 0);
  def.push_back(ColumnFlags(column));
  def.push_back(IsTextual(column.columnSpec.type) ? kCompressedText : 0);
  Append32(def, 0);
  Append16(def, column.fixedOffset);
  Append16(def, column.length);
}

// Access gives every Jet 3 column the database's sort order and code page, after a 1.
void AppendJet3Column(std::vector<std::uint8_t>& def, const ColumnLayout& column,
                      std::uint16_t sortOrder, std::uint16_t codePage) {
  def.push_back(static_cast<std::uint8_t>(column.columnSpec.type));
  Append16(def, column.number);
  Append16(def, column.varIndex);
  Append16(def, column.number);
  Append16(def, 1);
  Append16(def, sortOrder);
  Append16(def, codePage);
  def.push_back(ColumnFlags(column));
  Append16(def, column.fixedOffset);
  Append16(def, column.length);
}

}  // namespace

Result<TableLayout> LayOutTable(const TableSpec& tableSpec, JetVersion version) {
  if (!IsValidObjectName(tableSpec.name))
    return Status::InvalidArgument(InvalidNameMessage(tableSpec.name), "table");
  if (tableSpec.columns.empty() || tableSpec.columns.size() > 255)
    return Status::InvalidArgument("A table has 1 to 255 columns.", "table");
  TableLayout layout;
  layout.version = version;
  const bool jet4 = version == JetVersion::jet4;
  std::set<std::u16string> names;
  for (std::size_t i = 0; i < tableSpec.columns.size(); ++i) {
    const ColumnSpec& column = tableSpec.columns[i];
    const std::string where = "column " + std::to_string(i);
    if (!IsValidObjectName(column.name))
      return Status::InvalidArgument(InvalidNameMessage(column.name), where);
    if (!names.insert(Folded(column.name)).second)
      return Status::InvalidArgument("Two columns have the same name.", where);
    const int fixedSize = FixedSize(column.type);
    if (fixedSize == -2)
      return Status::NotSupported("Columns of this type are not written.", where);
    if (column.autoNumber && column.type != ColumnType::longInteger)
      return Status::InvalidArgument("Only long integer columns can be AutoNumbers.", where);
    ColumnLayout out;
    out.columnSpec = column;
    out.number = static_cast<std::uint16_t>(i);
    if (!jet4) out.codePage = tableSpec.codePage;
    if (fixedSize >= 0) {
      out.fixed = true;
      out.fixedOffset = layout.fixedSize;
      out.length = static_cast<std::uint16_t>(fixedSize);
      layout.fixedSize = static_cast<std::uint16_t>(layout.fixedSize + fixedSize);
    } else {
      if ((column.type == ColumnType::text || column.type == ColumnType::binary) &&
          (column.size == 0 || column.size > 255))
        return Status::InvalidArgument("Text and binary columns hold 1 to 255 units.", where);
      out.varIndex = layout.varCount++;
      if (column.type == ColumnType::text)
        out.length = static_cast<std::uint16_t>(jet4 ? 2 * column.size : column.size);
      if (column.type == ColumnType::binary) out.length = column.size;
    }
    layout.columns.push_back(out);
  }
  return layout;
}

Result<std::vector<std::uint8_t>> EncodeTableDef(const TableSpec& tableSpec,
                                                 const TableLayout& layout, const TableMaps& maps) {
  const bool jet4 = layout.version == JetVersion::jet4;
  const Format& format = jet4 ? Format::Jet4() : Format::Jet3();
  std::vector<std::uint8_t> def(format.tdefHeaderEnd, 0);
  const std::span<std::uint8_t> header(def);
  header[0] = kPageTableDef;
  header[1] = 0x01;
  if (jet4) {
    Store32(header, 12, kAccessConstant);
    bool hasAutoNumber = false;
    for (const ColumnLayout& column : layout.columns) hasAutoNumber |= column.columnSpec.autoNumber;
    header[24] = hasAutoNumber ? 1 : 0;
  } else {
    header[2] = 'V';
    header[3] = 'C';
  }
  header[format.tdefTableType] = tableSpec.system ? kSystemTable : kUserTable;
  const auto columns = static_cast<std::uint32_t>(layout.columns.size());
  Store16(header, format.tdefMaxColumns, columns);
  Store16(header, format.tdefVarColumns, layout.varCount);
  Store16(header, format.tdefColumnCount, columns);
  Store32(header, format.tdefUsageMap, maps.owned);
  Store32(header, format.tdefFreeMap, maps.free);

  for (const ColumnLayout& column : layout.columns) {
    if (jet4) {
      AppendJet4Column(def, column, tableSpec.sortOrder);
    } else {
      AppendJet3Column(def, column, tableSpec.sortOrder, tableSpec.codePage);
    }
  }
  for (const ColumnLayout& column : layout.columns) {
    if (jet4) {
      Append16(def, static_cast<std::uint32_t>(2 * column.columnSpec.name.size()));
      for (char16_t c : column.columnSpec.name) Append16(def, c);
      continue;
    }
    auto name = EncodeCodePageText(column.columnSpec.name, tableSpec.codePage);
    VELMORA_RETURN_IF_ERROR(name);
    def.push_back(static_cast<std::uint8_t>(name.value().size()));
    def.insert(def.end(), name.value().begin(), name.value().end());
  }
  std::size_t longValue = 0;
  for (const ColumnLayout& column : layout.columns) {
    if (!column.IsLongValue()) continue;
    if (longValue >= maps.longValueOwned.size() || longValue >= maps.longValueFree.size())
      return Status::InvalidArgument("A long-value column has no usage maps.", "table");
    Append16(def, column.number);
    Append32(def, maps.longValueOwned[longValue]);
    Append32(def, maps.longValueFree[longValue]);
    ++longValue;
  }
  Append16(def, 0xFFFF);
  def.resize(def.size() + 8, 0);

  if (def.size() > format.pageSize)
    return Status::NotSupported("The table definition does not fit on one page.", "table");
  const std::span<std::uint8_t> filled(def);
  if (jet4) Store16(filled, 2, static_cast<std::uint32_t>(format.pageSize - def.size()));
  Store32(filled, 8, static_cast<std::uint32_t>(def.size() - 8));
  def.resize(format.pageSize, 0);
  return def;
}

}  // namespace provider::jet
