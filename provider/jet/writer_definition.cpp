// The index definitions and long-value maps of a table definition.
//
// After the fixed header (63 [Jet 3: 43] bytes) a definition holds, in order: 12 [8] bytes per
// physical index; 25 [18] bytes per column; the column names (2-byte length, UCS-2 [1-byte
// length, code page bytes]); 52 [39] bytes per physical index (Jet 4: 4 unknown; ten {column
// number (2), order (1)} slots with 0xFFFF for unused, usage map (4), root page (4), Jet 4:
// 4 unknown, flags (1), Jet 4: 5 unknown); 28 [20] bytes per logical index (Jet 4: 4 unknown;
// number (4), physical index (4), ...); the logical index names; then the long-value column
// maps {column number (2), owned map (4), free map (4)} up to a column number 0xFFFF.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_definition.h"

#include <algorithm>

#include "provider/jet/format.h"
#include "provider/jet/writer_bytes.h"

namespace provider::jet {

namespace {

constexpr std::size_t kDefinitionPages = 64;  // bound on a continuation chain
constexpr std::size_t kIndexColumnSlots = 10;

// The parts of index definitions whose sizes differ between the versions.
struct IndexSizes {
  std::size_t physical;  // bytes of a physical index definition
  std::size_t logical;   // bytes of a logical index definition
  std::size_t leading;   // unknown bytes before the fields of either
};
constexpr IndexSizes kJet4Indexes{52, 28, 4};
constexpr IndexSizes kJet3Indexes{39, 20, 0};
constexpr std::uint16_t kNoColumn = 0xFFFF;

// A name in messages: its ASCII characters, '?' for the others.
std::string NarrowName(std::span<const std::uint8_t> stored, bool jet4) {
  std::string name;
  const std::size_t unit = jet4 ? 2 : 1;
  for (std::size_t i = 0; i + unit <= stored.size(); i += unit) {
    const std::uint32_t c = jet4 ? Load16(stored, i) : stored[i];
    name += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return name;
}

}  // namespace

bool DefinitionExtras::Indexed(std::uint16_t number) const {
  return std::any_of(indexes.begin(), indexes.end(), [&](const IndexInfo& index) {
    return std::find(index.columns.begin(), index.columns.end(), number) != index.columns.end();
  });
}

Result<DefinitionExtras> ReadDefinitionExtras(const PageStore& store, std::uint32_t page) {
  const Format& format = store.JetFormat();
  const IndexSizes& sizes = format.IsJet4() ? kJet4Indexes : kJet3Indexes;
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
  for (std::uint32_t i = 0; i < physical; ++i, at += sizes.physical) {
    if (!need(at + sizes.physical)) return cut;
    IndexInfo index;
    for (std::size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
      const std::uint32_t number = Load16(definition, at + sizes.leading + 3 * slot);
      if (number != kNoColumn) index.columns.push_back(static_cast<std::uint16_t>(number));
    }
    extras.indexes.push_back(std::move(index));
  }
  std::vector<std::uint32_t> uses;
  for (std::uint32_t i = 0; i < logical; ++i, at += sizes.logical) {
    if (!need(at + sizes.logical)) return cut;
    uses.push_back(Load32(definition, at + sizes.leading + 4));
  }
  for (std::uint32_t i = 0; i < logical; ++i) {
    if (!need(at + format.nameLengthSize)) return cut;
    const std::size_t size = nameLength(at);
    at += format.nameLengthSize;
    if (!need(at + size)) return cut;
    if (uses[i] < extras.indexes.size())
      extras.indexes[uses[i]].names.push_back(
          NarrowName(definition.subspan(at, size), format.IsJet4()));
    at += size;
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
