// Creates a Jet 4 database file from nothing: the header, the catalog and its system tables,
// then user tables, their rows and saved select queries.
//
// File layout as created:
//   page 0   header
//   page 1   data page: row 0 the global usage map, then the usage maps of the first tables
//   page 2   definition of MSysObjects
//   page 3…  definitions of MSysACEs, MSysQueries, MSysRelationships, then pages as needed
//
// Catalog (MSysObjects) rows: the containers Tables, Databases and Relationships under the
// root 0x0F000000, MSysDb under Databases, the remaining containers with object ids from
// 0x80000000 up; each table under Tables with its definition page as id; each saved query
// under Tables with the next object id, Type 5, Flags 0 (select).
//
// A saved select query is its MSysQueries rows, all with the query's object id:
//   Attribute 0 (start, Flag 0) | 1 (kind, Flag 1 = select) | 3 (options, Flag 0) |
//   5 (Name1 = source table) | 6 per output column (Expression: "*", or "[table].[column]") |
//   255 (end)
// All columns are an output column "*" rather than the option bit 0x01: both mean the same to
// Jet, and readers that rebuild the text from the column rows alone then show it too.
#include "provider/jet/new_database.h"

#include <cstdio>

#include "provider/jet/writer_data_page.h"
#include "provider/jet/writer_header.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::int32_t kRootId = 0x0F000000;
constexpr std::int32_t kTablesId = 0x0F000001;
constexpr std::int32_t kDatabasesId = 0x0F000002;
constexpr std::int32_t kRelationshipsId = 0x0F000003;
constexpr std::int32_t kMSysDbId = 0x10000000;
constexpr std::int32_t kSystemObject = static_cast<std::int32_t>(0x80000000u);
constexpr std::int16_t kTypeTable = 1;
constexpr std::int16_t kTypeDatabase = 2;
constexpr std::int16_t kTypeContainer = 3;
constexpr std::int16_t kTypeQuery = 5;

ColumnSpec Column(std::u16string name, ColumnType type, std::uint16_t size = 0) {
  return ColumnSpec{std::move(name), type, size, false};
}

TableSpec CatalogSpec() {
  return {
      u"MSysObjects",
      {Column(u"Id", ColumnType::longInteger), Column(u"ParentId", ColumnType::longInteger),
       Column(u"Name", ColumnType::text, 255), Column(u"Type", ColumnType::integer),
       Column(u"DateCreate", ColumnType::dateTime), Column(u"DateUpdate", ColumnType::dateTime),
       Column(u"Owner", ColumnType::binary, 255), Column(u"Flags", ColumnType::longInteger),
       Column(u"Database", ColumnType::memo), Column(u"Connect", ColumnType::memo),
       Column(u"ForeignName", ColumnType::text, 255),
       Column(u"RmtInfoShort", ColumnType::binary, 255), Column(u"RmtInfoLong", ColumnType::ole),
       Column(u"Lv", ColumnType::ole), Column(u"LvProp", ColumnType::ole),
       Column(u"LvModule", ColumnType::ole), Column(u"LvExtra", ColumnType::ole)},
      true};
}

std::vector<TableSpec> SystemTableSpecs() {
  return {
      {u"MSysACEs",
       {Column(u"ObjectId", ColumnType::longInteger), Column(u"SID", ColumnType::binary, 255),
        Column(u"ACM", ColumnType::longInteger), Column(u"FInheritable", ColumnType::boolean)},
       true},
      {u"MSysQueries",
       {Column(u"ObjectId", ColumnType::longInteger), Column(u"Attribute", ColumnType::byte),
        Column(u"Order", ColumnType::binary, 255), Column(u"Name1", ColumnType::text, 255),
        Column(u"Name2", ColumnType::text, 255), Column(u"Expression", ColumnType::memo),
        Column(u"Flag", ColumnType::integer), Column(u"LvExtra", ColumnType::longInteger)},
       true},
      {u"MSysRelationships",
       {Column(u"szRelationship", ColumnType::text, 255), Column(u"grbit", ColumnType::longInteger),
        Column(u"ccolumn", ColumnType::longInteger), Column(u"icolumn", ColumnType::longInteger),
        Column(u"szObject", ColumnType::text, 255), Column(u"szColumn", ColumnType::text, 255),
        Column(u"szReferencedObject", ColumnType::text, 255),
        Column(u"szReferencedColumn", ColumnType::text, 255)},
       true},
  };
}

std::u16string Folded(const std::u16string& name) {
  std::u16string folded = name;
  for (char16_t& c : folded)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return folded;
}

Value Long(std::int64_t value) {
  return value;
}

}  // namespace

Result<std::unique_ptr<NewDatabase>> NewDatabase::Create(DateTime created) {
  std::unique_ptr<NewDatabase> database(new NewDatabase(created));
  Status status = database->Lay();
  VELMORA_RETURN_IF_ERROR(status);
  return database;
}

Status NewDatabase::Lay() {
  const std::vector<std::uint8_t> header = EncodeHeaderPage(created_);
  pages_.AppendUntracked(kPageHeader);
  std::copy(header.begin(), header.end(), pages_.Page(0).begin());

  // The global map goes first on page 1, all pages free, before any page is allocated.
  const std::uint32_t mapPage = pages_.AppendUntracked(kPageData);
  InitDataPage(pages_.Page(mapPage), 0);
  pages_.SetUsageMapPage(mapPage);
  auto global = AddUsageMap(pages_, UsageMapKind::freePages);
  VELMORA_RETURN_IF_ERROR(global);
  if (global.value() != kGlobalUsageMap)
    return Status::Corruption("The global usage map is not row 0 of page 1.", "page 1");
  for (std::uint32_t page : {0u, mapPage}) {
    Status status = SetUsageMapBit(pages_, kGlobalUsageMap, page, false, UsageMapKind::freePages);
    VELMORA_RETURN_IF_ERROR(status);
  }

  auto catalog = AddTable(CatalogSpec(), kSystemObject);
  VELMORA_RETURN_IF_ERROR(catalog);
  catalog_ = catalog.value();
  for (const TableSpec& tableSpec : SystemTableSpecs()) {
    auto table = AddTable(tableSpec, kSystemObject);
    VELMORA_RETURN_IF_ERROR(table);
    if (tableSpec.name == u"MSysQueries") queries_ = table.value();
  }

  struct Container {
    std::int32_t id;
    std::int32_t parent;
    const char16_t* name;
    std::int16_t type;
    std::int32_t flags;
  };
  const std::vector<Container> fixed = {
      {kTablesId, kRootId, u"Tables", kTypeContainer, kSystemObject},
      {kDatabasesId, kRootId, u"Databases", kTypeContainer, kSystemObject},
      {kRelationshipsId, kRootId, u"Relationships", kTypeContainer, kSystemObject},
      {kMSysDbId, kDatabasesId, u"MSysDb", kTypeDatabase, kSystemObject},
  };
  // The system tables' entries were added with the tables; the containers come before them in
  // Access files, but readers find entries by their fields, not their order.
  for (const Container& entry : fixed) {
    Status status = AddCatalogEntry(entry.id, entry.parent, entry.name, entry.type, entry.flags);
    VELMORA_RETURN_IF_ERROR(status);
  }
  nextObjectId_ = kSystemObject;
  for (const char16_t* name : {u"Forms", u"Modules", u"Reports", u"Scripts", u"SysRel"}) {
    Status status = AddCatalogEntry(nextObjectId_++, kRootId, name, kTypeContainer, 0);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return Status::Ok();
}

Result<TableWriter*> NewDatabase::AddTable(const TableSpec& tableSpec, std::int32_t flags) {
  if (NameTaken(tableSpec.name))
    return Status::InvalidArgument("An object of that name already exists.", "table");
  auto layout = LayOutTable(tableSpec);
  VELMORA_RETURN_IF_ERROR(layout);
  auto page = pages_.Allocate(kPageTableDef);
  VELMORA_RETURN_IF_ERROR(page);
  auto writer = TableWriter::Create(pages_, tableSpec, page.value());
  VELMORA_RETURN_IF_ERROR(writer);
  tables_.push_back(writer.take());
  names_.push_back(Folded(tableSpec.name));
  TableWriter* table = tables_.back().get();
  Status status = AddCatalogEntry(static_cast<std::int32_t>(table->DefinitionPage()), kTablesId,
                                  tableSpec.name, kTypeTable, flags);
  VELMORA_RETURN_IF_ERROR(status);
  return table;
}

Result<TableWriter*> NewDatabase::CreateTable(const TableSpec& tableSpec) {
  TableSpec user = tableSpec;
  user.system = false;
  return AddTable(user, 0);
}

Status NewDatabase::CreateSelectQuery(const std::u16string& name, const std::u16string& table,
                                      const std::vector<std::u16string>& columns) {
  if (name.empty() || name.size() > 64)
    return Status::InvalidArgument("A query name has 1 to 64 characters.", "query");
  if (NameTaken(name))
    return Status::InvalidArgument("An object of that name already exists.", "query");
  const TableWriter* source = nullptr;
  for (const auto& writer : tables_)
    if (Folded(writer->Design().name) == Folded(table)) source = writer.get();
  if (source == nullptr || source->Design().system)
    return Status::InvalidArgument("The query's table does not exist.", "query");
  for (const std::u16string& column : columns) {
    bool found = false;
    for (const ColumnSpec& defined : source->Design().columns)
      found |= Folded(defined.name) == Folded(column);
    if (!found) return Status::InvalidArgument("The query names an unknown column.", "query");
  }

  const std::int32_t id = nextObjectId_++;
  Status status = AddCatalogEntry(id, kTablesId, name, kTypeQuery, 0);
  VELMORA_RETURN_IF_ERROR(status);
  names_.push_back(Folded(name));
  // ObjectId, Attribute, Order, Name1, Name2, Expression, Flag, LvExtra
  const auto row = [&](std::int64_t attribute, Value name1, Value expression,
                       Value flag) -> std::vector<Value> {
    return {Long(id),        attribute, {}, std::move(name1), {}, std::move(expression),
            std::move(flag), {}};
  };
  std::vector<std::vector<Value>> rows = {
      row(0, {}, {}, Long(0)),
      row(1, {}, {}, Long(1)),
      row(3, {}, {}, Long(0)),
      row(5, source->Design().name, {}, {}),
  };
  if (columns.empty()) rows.push_back(row(6, {}, std::u16string(u"*"), Long(0)));
  for (const std::u16string& column : columns)
    rows.push_back(row(6, {}, u"[" + source->Design().name + u"].[" + column + u"]", Long(0)));
  rows.push_back(row(255, {}, {}, {}));
  for (const std::vector<Value>& values : rows) {
    auto inserted = queries_->InsertRow(values);
    VELMORA_RETURN_IF_ERROR(inserted);
  }
  return Status::Ok();
}

Status NewDatabase::AddCatalogEntry(std::int32_t id, std::int32_t parent,
                                    const std::u16string& name, std::int16_t type,
                                    std::int32_t flags) {
  // The catalog's own entry is added while the catalog is being made.
  TableWriter* catalog = catalog_ != nullptr ? catalog_ : tables_.front().get();
  std::vector<Value> values(catalog->Design().columns.size());
  values[0] = Long(id);
  values[1] = Long(parent);
  values[2] = name;
  values[3] = Long(type);
  values[4] = created_;
  values[5] = created_;
  values[7] = Long(flags);
  auto inserted = catalog->InsertRow(values);
  return inserted.ok() ? Status::Ok() : inserted.status();
}

bool NewDatabase::NameTaken(const std::u16string& name) const {
  const std::u16string folded = Folded(name);
  for (const std::u16string& taken : names_)
    if (taken == folded) return true;
  return false;
}

Status NewDatabase::Save(const std::string& path) const {
  const std::string temporary = path + ".part";
  if (!pages_.Save(temporary).ok()) {
    std::remove(temporary.c_str());
    return Status::IoError("Cannot write '" + path + "'.", path);
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return Status::IoError("Cannot write '" + path + "'.", path);
  }
  return Status::Ok();
}

}  // namespace provider::jet
