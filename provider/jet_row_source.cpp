// Reading a Jet table's rows for statements.
#include "provider/jet_row_source.h"

#include "platform/codepage.h"

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

JetRowSource::JetRowSource(std::unique_ptr<jet::Table> table) : table_(std::move(table)) {
  for (const jet::Column& column : table_->columns()) {
    columns_.push_back(sql::Column{platform::Utf8ToWide(column.name), KindOf(column.type)});
  }
}

std::uint32_t JetRowSource::RowCount() const {
  return static_cast<std::uint32_t>(table_->row_count());
}

Result<Value> JetRowSource::GetValue(std::uint32_t row, std::uint32_t column) {
  return table_->GetValue(row, column);
}

}  // namespace provider
