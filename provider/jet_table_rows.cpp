// Reading a Jet table's rows for a recordset.
#include "provider/jet_table_rows.h"

#include <utility>

#include "provider/jet_column_info.h"

namespace provider {

JetTableRows::JetTableRows(std::shared_ptr<const jet::Database> database,
                           std::unique_ptr<jet::Table> table)
    : database_(std::move(database)), table_(std::move(table)) {
  for (const jet::Column& column : table_->columns()) {
    columns_.push_back(JetColumnInfo(column, database_->version(), CanUpdate()));
  }
}

Result<Value> JetTableRows::GetValue(std::size_t row, std::size_t column) const {
  return table_->GetValue(row, column);
}

Status JetTableRows::UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) {
  return Status::NotSupported(kReadOnlyDatabase, "table '" + table_->name() + "'");
}

}  // namespace provider
