// The index definitions and long-value maps of a table definition.
//
// After the fixed header (63 [Jet 3: 43] bytes) a definition holds, in order: 12 [8] bytes per
// physical index; 25 [18] bytes per column; the column names (2-byte length, UCS-2 [1-byte
// length, code page bytes]); the index definitions (index_def.cpp); then the long-value column
// maps {column number (2), owned map (4), free map (4)} up to a column number 0xFFFF.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_definition.h"

#include <algorithm>

#include "provider/jet/format.h"
#include "provider/jet/index_def.h"
#include "provider/jet/writer_bytes.h"

namespace provider::jet {

namespace {

constexpr std::size_t kDefinitionPages = 64;  // bound on a continuation chain
constexpr std::uint16_t kNoColumn = 0xFFFF;

}  // namespace

bool DefinitionExtras::Indexed(std::uint16_t number) const {
  return std::any_of(indexes.begin(), indexes.end(), [&](const IndexInfo& index) {
    return std::find(index.columns.begin(), index.columns.end(), number) != index.columns.end();
  });
}

Result<DefinitionExtras> ReadDefinitionExtras(const PageStore& store, std::uint32_t page) {
  const Format& format = store.JetFormat();
  const std::string where = "table definition page " + std::to_string(page);
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t next = page, count = 0; next != 0; ++count) {
    if (next >= store.PageCount() || count == kDefinitionPages)
      return Status::Corruption("The table definition's pages are damaged.", where);
    const std::span<const std::uint8_t> part = store.Page(next);
    if (part[0] != kPageTableDef)
      return Status::Corruption("The table definition's pages are damaged.", where);
    bytes.insert(bytes.end(), part.begin() + (bytes.empty() ? 0 : 8), part.end());
    next = Load32(part, 4);
  }
  // The definition's length (offset 8) counts from the end of the first page's 8-byte header.
  const std::span<const std::uint8_t> definition(bytes);
  const std::size_t length = std::min<std::size_t>(definition.size(), Load32(definition, 8) + 8);
  auto need = [&](std::size_t end) { return end <= length; };
  const auto cut = Status::Corruption("The table definition is cut short.", where);

  const std::uint32_t columns = Load16(definition, format.tdefColumnCount);
  const std::uint32_t logical = Load32(definition, format.tdefLogicalIndexCount);
  const std::uint32_t physical = Load32(definition, format.tdefRealIndexCount);
  if (logical > 1000 || physical > 1000) return cut;
  std::size_t at = format.tdefHeaderEnd + physical * format.realIndexCounterSize +
                   columns * format.columnEntrySize;
  auto nameLength = [&](std::size_t at) {
    return format.IsJet4() ? Load16(definition, at) : std::uint32_t{definition[at]};
  };
  for (std::uint32_t i = 0; i < columns; ++i) {
    if (!need(at + format.nameLengthSize)) return cut;
    at += format.nameLengthSize + nameLength(at);
  }
  DefinitionExtras extras;
  // Jet 3 index names are for messages only: the Western code page reads any of them.
  auto indexes = ParseIndexDefs(ByteView(definition.data(), length), format, at, physical, logical,
                                1252);
  if (!indexes.ok()) return cut;
  for (const IndexDef& index : indexes.value()) {
    IndexInfo info;
    for (const IndexColumn& column : index.columns) info.columns.push_back(column.number);
    info.names = index.names;
    extras.indexes.push_back(std::move(info));
  }
  while (need(at + 2)) {
    const std::uint32_t number = Load16(definition, at);
    if (number == kNoColumn || !need(at + 10)) break;
    extras.longValueMaps[static_cast<std::uint16_t>(number)] = {Load32(definition, at + 2),
                                                                Load32(definition, at + 6)};
    at += 10;
  }
  return extras;
}

}  // namespace provider::jet
