// A user table added to an existing Jet 3 or Jet 4 file whose catalog Access wrote: its
// definition page and usage maps, its catalog entry and the permissions Access gives a new table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_row_edit.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// One MSysACEs entry: a user or group (its SID) and the rights (ACM bits) it holds on an object.
struct Permission {
  Bytes sid;
  std::int64_t rights = 0;
};

// What the new table's catalog entry is made of, read from the file's catalog.
struct CatalogPlace {
  std::int32_t container = 0;  // the Tables container's Id: the new entry's ParentId
  Value owner;                 // the database owner's SID, which Access gives the objects it makes
  std::vector<Permission> permissions;
};

// Reads what a table named `name` needs from the catalog of `database`. Access gives a new
// table the permissions its owner's tables have in that file, so they are copied from the user
// table created last; a file without one gives what its Tables container passes on.
// invalidArgument when a table or query of that name exists (letter case ignored); corruption
// when the catalog has no Tables container.
Result<CatalogPlace> PlaceInCatalog(const Database& database, const std::u16string& name);

// The catalog tables a new table is entered in, as the writer edits them.
struct CatalogTables {
  const EditedTable* objects = nullptr;  // MSysObjects
  const EditedTable* permissions = nullptr;  // MSysACEs; none when the file has no such table
};

// Writes the empty table `design` to `store`, in the file's version: a definition page and a
// page of usage maps, both appended to the file, then its MSysObjects row (through the catalog's indexes) and its
// MSysACEs rows. Returns the definition page, which is also the table's catalog Id.
Result<std::uint32_t> AddUserTable(PageStore& store, const TableSpec& design,
                                   const CatalogPlace& place, const CatalogTables& catalog,
                                   DateTime created);

}  // namespace provider::jet
