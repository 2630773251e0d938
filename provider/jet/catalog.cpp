// Reading the catalog. Objects form a tree: the root (Id 0x0F000000) holds containers (Type 3),
// one of them "Tables", which holds the tables and queries.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/catalog.h"

#include <variant>

#include "platform/codepage.h"

namespace provider::jet {
namespace {

constexpr std::int32_t kRootId = 0x0F000000;

struct CatalogColumns {
  int id, parentId, name, type, flags;
};

std::int64_t IntegerOf(const Value& value) {
  const auto* number = std::get_if<std::int64_t>(&value);
  return number != nullptr ? *number : 0;
}

}  // namespace

Result<std::vector<CatalogEntry>> ReadTablesContainer(const Table& msysObjects) {
  const CatalogColumns c{msysObjects.FindColumn("Id"), msysObjects.FindColumn("ParentId"),
                         msysObjects.FindColumn("Name"), msysObjects.FindColumn("Type"),
                         msysObjects.FindColumn("Flags")};
  if (c.id < 0 || c.parentId < 0 || c.name < 0 || c.type < 0 || c.flags < 0)
    return Status::Corruption("The catalog lacks one of its columns.", "table 'MSysObjects'");
  std::vector<CatalogEntry> all;
  all.reserve(msysObjects.RowCount());
  for (std::size_t row = 0; row < msysObjects.RowCount(); ++row) {
    CatalogEntry entry;
    for (int column : {c.id, c.parentId, c.name, c.type, c.flags}) {
      Result<Value> value = msysObjects.GetValue(row, static_cast<std::size_t>(column));
      VELMORA_RETURN_IF_ERROR(value);
      if (column == c.name) {
        if (const auto* text = std::get_if<std::u16string>(&value.value()))
          entry.name = platform::WideToUtf8(*text);
      } else {
        const std::int64_t number = IntegerOf(value.value());
        if (column == c.id) entry.id = static_cast<std::int32_t>(number);
        if (column == c.parentId) entry.parentId = static_cast<std::int32_t>(number);
        if (column == c.type) entry.type = static_cast<std::int16_t>(number);
        if (column == c.flags) entry.flags = static_cast<std::uint32_t>(number);
      }
    }
    all.push_back(std::move(entry));
  }
  const CatalogEntry* tables = nullptr;
  for (const CatalogEntry& entry : all) {
    if (entry.type == static_cast<std::int16_t>(ObjectType::container) &&
        entry.parentId == kRootId && entry.name == "Tables")
      tables = &entry;
  }
  if (tables == nullptr)
    return Status::Corruption("The catalog has no \"Tables\" container.", "table 'MSysObjects'");
  std::vector<CatalogEntry> contained;
  for (const CatalogEntry& entry : all) {
    if (entry.parentId == tables->id) contained.push_back(entry);
  }
  return contained;
}

}  // namespace provider::jet
