// Opening a database: header, password, catalog.
#include "provider/jet/database.h"

#include "platform/codepage.h"
#include "provider/jet/object_name.h"
#include "provider/jet/table_def.h"
#include "provider/jet/writer_journal.h"

namespace provider::jet {
Result<std::unique_ptr<Database>> Database::Open(const std::string& path,
                                                 const OpenOptions& options) {
  auto recovered = RecoverFile(path);
  VELMORA_RETURN_IF_ERROR(recovered);
  if (recovered.value().has_value()) return OpenBuffer(std::move(*recovered.value()), path, options);
  Result<std::unique_ptr<PageFile>> file = PageFile::Open(path);
  VELMORA_RETURN_IF_ERROR(file);
  Result<std::unique_ptr<Database>> db = Load(file.take(), path, options);
  VELMORA_RETURN_IF_ERROR(db);
  db.value()->path_ = path;
  db.value()->options_ = options;
  return db;
}

Result<std::unique_ptr<Database>> Database::Reopen() const {
  if (path_.empty())
    return Status::NotSupported("A database held in memory cannot be opened again.", "database");
  return Open(path_, options_);
}

Result<std::unique_ptr<Database>> Database::OpenBuffer(std::vector<std::uint8_t> bytes,
                                                       const std::string& name,
                                                       const OpenOptions& options) {
  return Load(PageFile::FromBuffer(std::move(bytes)), name, options);
}

Result<std::unique_ptr<Database>> Database::Load(std::unique_ptr<PageFile> file,
                                                 const std::string& name,
                                                 const OpenOptions& options) {
  Result<DatabaseHeader> header = ReadHeader(file->Whole(), name);
  VELMORA_RETURN_IF_ERROR(header);
  std::unique_ptr<Database> db(new Database());
  db->header_ = header.take();
  if (!db->header_.password.empty() &&
      platform::Utf8ToWide(options.password) != db->header_.password)
    return Status::InvalidArgument("Not a valid password.", name);
  file->SetPageSize(db->header_.format->pageSize);
  if (db->header_.databaseKey != 0) file->DecryptPages(db->header_.databaseKey);
  db->file_ = std::move(file);
  db->codePage_ = options.codePage != 0 ? options.codePage : db->header_.codePage;

  Result<std::unique_ptr<Table>> catalog = db->OpenDefinition(kCatalogPage, "MSysObjects");
  VELMORA_RETURN_IF_ERROR(catalog);
  Result<std::vector<CatalogEntry>> entries = ReadTablesContainer(*catalog.value());
  VELMORA_RETURN_IF_ERROR(entries);
  for (CatalogEntry& entry : entries.value()) {
    switch (static_cast<ObjectType>(entry.type)) {
      case ObjectType::table:
      case ObjectType::linkedTable:
      case ObjectType::odbcLinkedTable:
        db->tables_.push_back(std::move(entry));
        break;
      case ObjectType::query:
        db->queries_.push_back({std::move(entry.name), entry.id, entry.flags});
        break;
      default:
        break;
    }
  }
  return db;
}

std::vector<std::string> Database::UserTableNames() const {
  std::vector<std::string> names;
  for (const CatalogEntry& entry : tables_) {
    if (entry.type == static_cast<std::int16_t>(ObjectType::table) && !entry.IsSystem())
      names.push_back(entry.name);
  }
  return names;
}

Result<std::unique_ptr<Table>> Database::OpenDefinition(std::uint32_t page,
                                                        const std::string& name) const {
  Result<TableDef> definition = ReadTableDef(*file_, FileFormat(), page, codePage_, name);
  VELMORA_RETURN_IF_ERROR(definition);
  return Table::Open(*file_, FileFormat(), codePage_, definition.take());
}

Result<std::unique_ptr<Table>> Database::OpenTable(std::string_view name) const {
  Result<TableDef> definition = TableDefinition(name);
  VELMORA_RETURN_IF_ERROR(definition);
  return Table::Open(*file_, FileFormat(), codePage_, definition.take());
}

Result<TableDef> Database::TableDefinition(std::string_view name) const {
  for (const CatalogEntry& entry : tables_) {
    if (!SameName(entry.name, name)) continue;
    if (entry.type != static_cast<std::int16_t>(ObjectType::table))
      return Status::NotSupported(
          "The table '" + entry.name + "' is linked from another database and cannot be opened.",
          "table '" + entry.name + "'");
    return ReadTableDef(*file_, FileFormat(), entry.DefinitionPage(), codePage_, entry.name);
  }
  return Status::NotFound(
      "The Microsoft Jet database engine cannot find the input table or "
      "query '" +
          std::string(name) + "'.",
      "catalog");
}

Result<std::string> Database::QueryText(std::string_view name) const {
  for (const QueryInfo& query : queries_) {
    if (!SameName(query.name, name)) continue;
    Result<std::unique_ptr<Table>> definitions = OpenTable("MSysQueries");
    VELMORA_RETURN_IF_ERROR(definitions);
    return BuildSelectText(*definitions.value(), query.objectId, query.name);
  }
  return Status::NotFound(
      "The Microsoft Jet database engine cannot find the input table or "
      "query '" +
          std::string(name) + "'.",
      "catalog");
}

}  // namespace provider::jet
