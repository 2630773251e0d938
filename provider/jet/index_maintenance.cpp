// Index maintenance for row changes.
#include "provider/jet/index_maintenance.h"

#include <algorithm>

#include "provider/jet/index_key.h"
#include "provider/jet/index_writer.h"
#include "provider/jet/stored_value.h"

namespace provider::jet {

namespace {

const std::string kDuplicateMessage =
    "The changes you requested to the table were not successful because they would create "
    "duplicate values in the index, primary key, or relationship.";
const std::string kNullKeyMessage = "Index or primary key cannot contain a Null value.";

// `status` placed at `where` instead of where it was found.
Status At(const Status& status, const std::string& where) {
  switch (status.kind()) {
    case StatusKind::notSupported:
      return Status::NotSupported(status.message(), where);
    case StatusKind::invalidArgument:
      return Status::InvalidArgument(status.message(), where);
    case StatusKind::corruption:
      return Status::Corruption(status.message(), where + ", " + status.where());
    default:
      return status;
  }
}

// A stored field as the value its key is made from.
Result<Value> FieldValue(const Column& column, const StoredField& field, const IndexFormat& format,
                         std::uint16_t codePage) {
  // A yes/no value is its presence bit.
  if (column.type == ColumnType::boolean) return Value{field.present};
  if (!field.present) return Value{};
  if (column.IsLongValue())
    return Status::NotSupported("This engine cannot encode index keys of column type " +
                                    std::to_string(column.typeCode) + ".",
                                "column '" + column.name + "'");
  return DecodeStoredValue(column, ByteView(field.bytes.data(), field.bytes.size()),
                           format.version, codePage);
}

}  // namespace

std::string IndexMaintenance::Where(std::size_t index) const {
  return "table '" + definition_->name + "', index '" + definition_->indexes[index].Name(index) +
         "'";
}

bool IndexMaintenance::Touches(std::size_t index, const std::vector<StoredField>& a,
                               const std::vector<StoredField>& b) const {
  const std::vector<Column>& columns = definition_->columns;
  for (const IndexColumn& key : definition_->indexes[index].columns) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].number != key.number) continue;
      if (a[i].present != b[i].present || a[i].bytes != b[i].bytes) return true;
    }
  }
  return false;
}

Result<RowEntries> IndexMaintenance::Entries(const std::vector<StoredField>& fields,
                                             std::uint32_t location,
                                             const std::vector<bool>& wanted) const {
  const std::vector<Column>& columns = definition_->columns;
  RowEntries entries(definition_->indexes.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!wanted.empty() && !wanted[i]) continue;
    const IndexDef& index = definition_->indexes[i];
    std::vector<KeyColumn> keyColumns;
    std::vector<Value> values;
    for (const IndexColumn& key : index.columns) {
      const auto column = std::find_if(columns.begin(), columns.end(),
                                       [&](const Column& c) { return c.number == key.number; });
      if (column == columns.end())
        return Status::Corruption("An index's key names a column the table does not have.",
                                  Where(i));
      auto value = FieldValue(*column, fields[static_cast<std::size_t>(column - columns.begin())],
                              *format_, codePage_);
      if (!value.ok()) return At(value.status(), Where(i));
      entries[i].hasNull = entries[i].hasNull || IsNull(value.value());
      keyColumns.push_back({column->type, key.ascending, column->sortOrder, column->sortVersion});
      values.push_back(value.take());
    }
    const bool allNull = std::all_of(values.begin(), values.end(), IsNull);
    if (allNull && index.IgnoresNulls()) continue;
    auto key = EncodeIndexKey(keyColumns, values, format_->version, codePage_);
    if (!key.ok()) return At(key.status(), Where(i));
    entries[i].entry = IndexEntry{key.take(), location, 0};
  }
  return entries;
}

Status IndexMaintenance::Check(const RowEntries& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const IndexDef& index = definition_->indexes[i];
    if (!entries[i].entry) continue;
    if (entries[i].hasNull && (index.IsRequired() || index.primaryKey))
      return Status::InvalidArgument(kNullKeyMessage, Where(i));
    if (!index.IsUnique() || entries[i].hasNull) continue;
    IndexWriter writer(*store_, *format_, index, definition_->page);
    auto held = writer.HasKey(entries[i].entry->key);
    VELMORA_RETURN_IF_ERROR(held);
    if (held.value()) return Status::InvalidArgument(kDuplicateMessage, Where(i));
  }
  return Status::Ok();
}

Status IndexMaintenance::Add(const RowEntries& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].entry) continue;
    IndexWriter writer(*store_, *format_, definition_->indexes[i], definition_->page);
    VELMORA_RETURN_IF_ERROR(writer.Insert(*entries[i].entry));
  }
  return Status::Ok();
}

Status IndexMaintenance::Remove(const RowEntries& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].entry) continue;
    IndexWriter writer(*store_, *format_, definition_->indexes[i], definition_->page);
    Status removed = writer.Remove(*entries[i].entry);
    if (!removed.ok()) return At(removed, Where(i));
  }
  return Status::Ok();
}

}  // namespace provider::jet
