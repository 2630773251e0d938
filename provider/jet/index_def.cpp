// Reading the index definitions that follow the column names of a table definition.
//
// Physical index, 52 [39] bytes: (Jet 4: 4 unknown) ten {column number (2), order (1: ascending,
// 0: descending)} slots, unused ones 0xFFFF; usage map (4); root page (4); (Jet 4: 4 unknown)
// flags (1); (Jet 4: 5 unknown). Logical index, 28 [20] bytes: (Jet 4: 4 unknown) number (4),
// physical index (4), related table kind (1), related index (4), related table (4), cascades
// (2), kind (1: primary key, 2: foreign key); (Jet 4: 4 unknown). Then one name per logical
// index, as column names are stored.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_def.h"

#include "platform/codepage.h"
#include "provider/jet/index_format.h"
#include "provider/jet/text.h"

namespace provider::jet {

namespace {

constexpr std::size_t kColumnSlots = 10;
constexpr std::uint16_t kNoColumn = 0xFFFF;
constexpr std::uint32_t kMostIndexes = 1000;

}  // namespace

bool IndexDef::IsUnique() const {
  return (flags & kIndexUnique) != 0;
}
bool IndexDef::IgnoresNulls() const {
  return (flags & kIndexIgnoreNulls) != 0;
}
bool IndexDef::IsRequired() const {
  return (flags & kIndexRequired) != 0;
}

std::string IndexDef::Name(std::size_t number) const {
  return names.empty() ? "index " + std::to_string(number) : names.front();
}

Result<std::vector<IndexDef>> ParseIndexDefs(ByteView definition, const Format& format,
                                             std::size_t& at, std::uint32_t physical,
                                             std::uint32_t logical, std::uint16_t codePage) {
  const IndexFormat& layout = IndexFormat::For(format.version);
  const Status cut =
      Status::Corruption("The table definition's indexes are cut short.", "index definitions");
  if (physical > kMostIndexes || logical > kMostIndexes) return cut;
  std::vector<IndexDef> indexes(physical);
  for (IndexDef& index : indexes) {
    const std::optional<ByteView> entry = definition.Slice(at, layout.physicalSize);
    if (!entry) return cut;
    for (std::size_t slot = 0; slot < kColumnSlots; ++slot) {
      const std::uint16_t number = entry->U16(layout.physicalColumns + 3 * slot);
      if (number == kNoColumn) continue;
      index.columns.push_back({number, entry->U8(layout.physicalColumns + 3 * slot + 2) != 0});
    }
    index.usageMap = entry->U32(layout.physicalUsageMap);
    index.rootPage = entry->U32(layout.physicalRoot);
    index.flags = entry->U8(layout.physicalFlags);
    at += layout.physicalSize;
  }
  std::vector<std::pair<std::uint32_t, std::uint8_t>> uses(logical);
  for (auto& [number, kind] : uses) {
    const std::optional<ByteView> entry = definition.Slice(at, layout.logicalSize);
    if (!entry) return cut;
    number = entry->U32(layout.logicalPhysical);
    kind = entry->U8(layout.logicalKind);
    at += layout.logicalSize;
  }
  for (const auto& [number, kind] : uses) {
    if (!definition.Contains(at, format.nameLengthSize)) return cut;
    const std::size_t length = format.IsJet4() ? definition.U16(at) : definition.U8(at);
    at += format.nameLengthSize;
    const std::optional<ByteView> bytes = definition.Slice(at, length);
    if (!bytes) return cut;
    at += length;
    Result<std::u16string> name =
        format.IsJet4() ? DecodeJet4Text(*bytes) : DecodeCodePageText(*bytes, codePage);
    if (!name.ok()) return cut;
    if (number >= indexes.size()) continue;
    indexes[number].names.push_back(platform::WideToUtf8(name.value()));
    if (kind == kIndexPrimaryKey) indexes[number].primaryKey = true;
  }
  return indexes;
}

}  // namespace provider::jet
