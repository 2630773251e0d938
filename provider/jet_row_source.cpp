// Reading a Jet table's rows for statements.
#include "provider/jet_row_source.h"

#include "platform/codepage.h"
#include "provider/sql/search_fold.h"

namespace provider {

sql::ColumnKind KindOf(jet::ColumnType type) {
  switch (type) {
    case jet::ColumnType::boolean:
      return sql::ColumnKind::boolean;
    case jet::ColumnType::byte:
    case jet::ColumnType::integer:
    case jet::ColumnType::longInteger:
      return sql::ColumnKind::integer;
    case jet::ColumnType::currency:
      return sql::ColumnKind::currency;
    case jet::ColumnType::single:
    case jet::ColumnType::doubleFloat:
      return sql::ColumnKind::real;
    case jet::ColumnType::dateTime:
      return sql::ColumnKind::dateTime;
    case jet::ColumnType::text:
    case jet::ColumnType::memo:
      return sql::ColumnKind::text;
    case jet::ColumnType::guid:
      return sql::ColumnKind::guid;
    case jet::ColumnType::numeric:
      return sql::ColumnKind::decimal;
    case jet::ColumnType::binary:
    case jet::ColumnType::ole:
      break;
  }
  // Unknown codes read as bytes.
  return sql::ColumnKind::binary;
}

JetRowSource::JetRowSource(std::shared_ptr<const jet::Table> table, TableCache* cache)
    : table_(std::move(table)), cache_(cache), cursor_(*table_) {
  for (const jet::Column& column : table_->Columns()) {
    columns_.push_back(sql::Column{platform::Utf8ToWide(column.name), KindOf(column.type)});
  }
}

std::uint32_t JetRowSource::RowCount() const {
  return static_cast<std::uint32_t>(table_->RowCount());
}

Result<Value> JetRowSource::GetValue(std::uint32_t row, std::uint32_t column) {
  VELMORA_RETURN_IF_ERROR(cursor_.MoveTo(row));
  return cursor_.GetValue(column);
}

Result<bool> JetRowSource::GetText(std::uint32_t row, std::uint32_t column,
                                   std::u16string& buffer) {
  VELMORA_RETURN_IF_ERROR(cursor_.MoveTo(row));
  return cursor_.GetText(column, buffer);
}

Result<bool> JetRowSource::GetFoldedText(std::uint32_t row, std::uint32_t column,
                                         std::u16string& buffer) {
  VELMORA_RETURN_IF_ERROR(cursor_.MoveTo(row));
  return cursor_.GetText(column, buffer, &sql::FoldTable());
}

Result<bool> JetRowSource::GetFoldedTextUntil(
    std::uint32_t row, std::uint32_t column, std::u16string& buffer,
    const std::function<bool(std::u16string_view)>& enough) {
  VELMORA_RETURN_IF_ERROR(cursor_.MoveTo(row));
  return cursor_.GetTextUntil(column, buffer, sql::FoldTable(), enough);
}

Result<std::shared_ptr<const sql::FoldedColumn>> JetRowSource::FoldedText(std::uint32_t column) {
  if (cache_ == nullptr || column >= table_->Columns().size() ||
      table_->Columns()[column].type != jet::ColumnType::text)
    return std::shared_ptr<const sql::FoldedColumn>();
  return cache_->FoldedText(*table_, column);
}

}  // namespace provider
