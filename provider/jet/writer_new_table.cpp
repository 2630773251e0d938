// A user table added to an existing Jet 3 or Jet 4 file whose catalog Access wrote.
//
// What Access leaves for a table it creates, as the sample files show it:
//   - a definition page, and the table's usage maps as rows of a data page that follows it;
//   - an MSysObjects row under the Tables container: Id = the definition page, Type 1, Flags 0,
//     DateCreate = DateUpdate, Owner = the SID that owns the database (MSysDb's Owner);
//   - MSysACEs rows for the new Id, not inheritable. In the sample files they are the rows the
//     owner's other tables hold, so they are copied from the table created last. A file without
//     user tables gives the new table the rows its Tables container marks inheritable; Access
//     would also hand the one naming the creator's placeholder SID to the owner, which a file
//     does not show, so that row is copied as it is.
#include "provider/jet/writer_new_table.h"

#include <algorithm>
#include <optional>

#include "platform/codepage.h"
#include "provider/jet/object_name.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::int64_t kTypeTable = 1;
constexpr std::int64_t kTypeDatabase = 2;
constexpr std::int64_t kTypeContainer = 3;

// A catalog table's rows read by column name.
class NamedRows {
 public:
  explicit NamedRows(const Table& table) : table_(&table) {}

  std::size_t RowCount() const { return table_->RowCount(); }

  // The value in `column` of `row`; Null when the table has no such column.
  Result<Value> Get(std::size_t row, std::string_view column) const {
    const int index = table_->FindColumn(column);
    if (index < 0) return Value{};
    return table_->GetValue(row, static_cast<std::size_t>(index));
  }
  Result<std::int64_t> Number(std::size_t row, std::string_view column) const {
    auto value = Get(row, column);
    VELMORA_RETURN_IF_ERROR(value);
    const auto* number = std::get_if<std::int64_t>(&value.value());
    return number != nullptr ? *number : 0;
  }

 private:
  const Table* table_;
};

bool IsText(const Value& value, std::u16string_view text) {
  const auto* stored = std::get_if<std::u16string>(&value);
  return stored != nullptr && *stored == text;
}

// The rows of MSysACEs for `object`, or only its inheritable ones.
Result<std::vector<Permission>> PermissionsOf(const NamedRows& aces, std::int64_t object,
                                              bool inheritableOnly) {
  std::vector<Permission> permissions;
  for (std::size_t row = 0; row < aces.RowCount(); ++row) {
    auto id = aces.Number(row, "ObjectId");
    VELMORA_RETURN_IF_ERROR(id);
    if (id.value() != object) continue;
    auto inheritable = aces.Get(row, "FInheritable");
    VELMORA_RETURN_IF_ERROR(inheritable);
    const auto* flag = std::get_if<bool>(&inheritable.value());
    if (inheritableOnly && (flag == nullptr || !*flag)) continue;
    auto sid = aces.Get(row, "SID");
    VELMORA_RETURN_IF_ERROR(sid);
    auto rights = aces.Number(row, "ACM");
    VELMORA_RETURN_IF_ERROR(rights);
    const auto* bytes = std::get_if<Bytes>(&sid.value());
    permissions.push_back({bytes != nullptr ? *bytes : Bytes{}, rights.value()});
  }
  return permissions;
}

// A row of `table` from values named by column; the other columns are Null.
Result<std::vector<Value>> RowOf(const EditedTable& table,
                                 const std::vector<std::pair<std::string_view, Value>>& named) {
  std::vector<Value> values(table.definition.columns.size());
  for (const auto& [name, value] : named) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < table.definition.columns.size(); ++i)
      if (SameName(table.definition.columns[i].name, name)) found = i;
    if (!found)
      return Status::Corruption("The catalog table has no column '" + std::string(name) + "'.",
                                "table '" + table.definition.name + "'");
    values[*found] = value;
  }
  return values;
}

}  // namespace

Result<CatalogPlace> PlaceInCatalog(const Database& database, const std::u16string& name) {
  auto objects = database.OpenTable("MSysObjects");
  VELMORA_RETURN_IF_ERROR(objects);
  const NamedRows rows(*objects.value());
  CatalogPlace place;
  std::optional<std::int64_t> container;
  for (std::size_t row = 0; row < rows.RowCount() && !container; ++row) {
    auto type = rows.Number(row, "Type");
    VELMORA_RETURN_IF_ERROR(type);
    auto title = rows.Get(row, "Name");
    VELMORA_RETURN_IF_ERROR(title);
    if (type.value() != kTypeContainer || !IsText(title.value(), u"Tables")) continue;
    auto id = rows.Number(row, "Id");
    VELMORA_RETURN_IF_ERROR(id);
    container = id.value();
  }
  if (!container)
    return Status::Corruption("The catalog has no Tables container.", "MSysObjects");
  place.container = static_cast<std::int32_t>(*container);

  const std::string wanted = platform::WideToUtf8(name);
  std::optional<std::int64_t> newestTable;
  double newestCreated = 0;
  for (std::size_t row = 0; row < rows.RowCount(); ++row) {
    auto type = rows.Number(row, "Type");
    VELMORA_RETURN_IF_ERROR(type);
    auto parent = rows.Number(row, "ParentId");
    VELMORA_RETURN_IF_ERROR(parent);
    auto title = rows.Get(row, "Name");
    VELMORA_RETURN_IF_ERROR(title);
    const auto* text = std::get_if<std::u16string>(&title.value());
    if (type.value() == kTypeDatabase && IsText(title.value(), u"MSysDb")) {
      auto owner = rows.Get(row, "Owner");
      VELMORA_RETURN_IF_ERROR(owner);
      place.owner = owner.take();
    }
    if (parent.value() != *container || text == nullptr) continue;
    if (SameName(platform::WideToUtf8(*text), wanted))
      return Status::InvalidArgument("Table '" + wanted + "' already exists.", "MSysObjects");
    auto flags = rows.Number(row, "Flags");
    VELMORA_RETURN_IF_ERROR(flags);
    auto created = rows.Get(row, "DateCreate");
    VELMORA_RETURN_IF_ERROR(created);
    const auto* date = std::get_if<DateTime>(&created.value());
    if (type.value() != kTypeTable || flags.value() != 0 || date == nullptr) continue;
    if (newestTable && date->days < newestCreated) continue;
    auto id = rows.Number(row, "Id");
    VELMORA_RETURN_IF_ERROR(id);
    newestTable = id.value();
    newestCreated = date->days;
  }

  const bool hasPermissions = std::any_of(
      database.Tables().begin(), database.Tables().end(),
      [](const CatalogEntry& entry) { return SameName(entry.name, "MSysACEs"); });
  if (!hasPermissions) return place;
  auto aces = database.OpenTable("MSysACEs");
  VELMORA_RETURN_IF_ERROR(aces);
  const NamedRows aceRows(*aces.value());
  auto permissions = newestTable ? PermissionsOf(aceRows, *newestTable, false)
                                 : PermissionsOf(aceRows, *container, true);
  VELMORA_RETURN_IF_ERROR(permissions);
  place.permissions = permissions.take();
  return place;
}

Result<std::uint32_t> AddUserTable(PageStore& store, const TableSpec& design,
                                   const CatalogPlace& place, const CatalogTables& catalog,
                                   DateTime created) {
  auto layout = LayOutTable(design, store.JetFormat().version);
  VELMORA_RETURN_IF_ERROR(layout);
  auto page = store.Allocate(kPageTableDef);
  VELMORA_RETURN_IF_ERROR(page);
  auto maps = AddTableMaps(store, layout.value());
  VELMORA_RETURN_IF_ERROR(maps);
  auto definition = EncodeTableDef(design, layout.value(), maps.value());
  VELMORA_RETURN_IF_ERROR(definition);
  std::copy(definition.value().begin(), definition.value().end(), store.Page(page.value()).begin());
  const auto id = static_cast<std::int64_t>(page.value());

  auto entry = RowOf(*catalog.objects, {{"Id", id},
                                        {"ParentId", std::int64_t{place.container}},
                                        {"Name", design.name},
                                        {"Type", kTypeTable},
                                        {"DateCreate", created},
                                        {"DateUpdate", created},
                                        {"Owner", place.owner},
                                        {"Flags", std::int64_t{0}}});
  VELMORA_RETURN_IF_ERROR(entry);
  std::int64_t unused = 0;
  auto inserted = RowEdit(store, *catalog.objects).Insert(entry.value(), unused);
  VELMORA_RETURN_IF_ERROR(inserted);
  if (catalog.permissions == nullptr) return page.value();
  for (const Permission& permission : place.permissions) {
    auto row = RowOf(*catalog.permissions, {{"ObjectId", id},
                                            {"SID", permission.sid},
                                            {"ACM", permission.rights},
                                            {"FInheritable", false}});
    VELMORA_RETURN_IF_ERROR(row);
    auto added = RowEdit(store, *catalog.permissions).Insert(row.value(), unused);
    VELMORA_RETURN_IF_ERROR(added);
  }
  return page.value();
}

}  // namespace provider::jet
