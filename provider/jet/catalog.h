// The catalog (MSysObjects): every object of the database with its kind and flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/table.h"
#include "provider/status.h"

namespace provider::jet {

// MSysObjects.Type values the engine uses.
enum class ObjectType : std::int16_t {
  table = 1,
  container = 3,
  odbcLinkedTable = 4,
  query = 5,
  linkedTable = 6,
};

constexpr std::uint32_t kCatalogPage = 2;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002;  // Jet's and Access's own objects

struct CatalogEntry {
  std::string name;  // UTF-8
  std::int32_t id = 0;
  std::int32_t parentId = 0;
  std::int16_t type = 0;
  std::uint32_t flags = 0;

  bool IsSystem() const { return (flags & kSystemObjectFlags) != 0; }
  // A local table's definition page.
  std::uint32_t DefinitionPage() const { return static_cast<std::uint32_t>(id) & 0x00FFFFFF; }
};

// The objects held in the "Tables" container: tables (local and linked) and saved queries.
Result<std::vector<CatalogEntry>> ReadTablesContainer(const Table& msysObjects);

}  // namespace provider::jet
