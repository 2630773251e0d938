// Creates a Jet 4 database file from nothing: the header, the catalog and its system tables,
// then user tables, their rows and saved select queries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "provider/jet/table_writer.h"
#include "provider/jet/writer_page_store.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// Built in memory and saved whole. The table writers it hands out stay owned by it.
class NewDatabase {
 public:
  NewDatabase(const NewDatabase&) = delete;
  NewDatabase& operator=(const NewDatabase&) = delete;

  // An empty database created at `created`: the catalog (MSysObjects) with its containers and
  // the empty system tables MSysACEs, MSysQueries and MSysRelationships.
  static Result<std::unique_ptr<NewDatabase>> Create(DateTime created);

  // Adds an empty user table. invalidArgument when the name is taken (letter case ignored) or
  // the description is bad.
  Result<TableWriter*> CreateTable(const TableSpec& tableSpec);

  // Saves the select query `name`: SELECT * FROM `table`, or the listed columns of it when
  // `columns` is not empty. invalidArgument when the name is taken or the table or a column
  // is unknown.
  Status CreateSelectQuery(const std::u16string& name, const std::u16string& table,
                           const std::vector<std::u16string>& columns = {});

  // Writes the file (through a temporary file beside it, so that a failure leaves no partial
  // database at `path`).
  Status Save(const std::string& path) const;

  const PageStore& Pages() const { return pages_; }

 private:
  explicit NewDatabase(DateTime created) : created_(created) {}

  Status Lay();
  Result<TableWriter*> AddTable(const TableSpec& tableSpec, std::int32_t flags);
  Status AddCatalogEntry(std::int32_t id, std::int32_t parent, const std::u16string& name,
                         std::int16_t type, std::int32_t flags);
  bool NameTaken(const std::u16string& name) const;

  DateTime created_;
  PageStore pages_;
  std::vector<std::unique_ptr<TableWriter>> tables_;  // the catalog first
  TableWriter* catalog_ = nullptr;
  TableWriter* queries_ = nullptr;
  std::vector<std::u16string> names_;  // tables and queries, letter case folded
  std::int32_t nextObjectId_ = 0;
};

}  // namespace provider::jet
