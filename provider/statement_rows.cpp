// Field descriptions and values of a statement's result.
#include "provider/statement_rows.h"

#include "provider/jet_column_info.h"

namespace provider {

Result<std::unique_ptr<StatementRows>> StatementRows::Make(std::unique_ptr<JetResolver> resolver,
                                                           sql::QueryResult result,
                                                           jet::JetVersion version) {
  const auto* table = dynamic_cast<const JetRowSource*>(result.source);
  if (table == nullptr) {
    return Status::InvalidArgument("The result does not read a table of this database.",
                                   "statement result");
  }
  std::vector<ColumnInfo> columns;
  for (const sql::OutputColumn& output : result.columns) {
    if (output.column >= table->table().columns().size()) {
      return Status::InvalidArgument("The result names a column its table lacks.",
                                     "statement result");
    }
    ColumnInfo info =
        JetColumnInfo(table->table().columns()[output.column], version, /*updatable=*/false);
    info.name = output.name;
    columns.push_back(std::move(info));
  }
  return std::unique_ptr<StatementRows>(
      new StatementRows(std::move(resolver), std::move(result), table, std::move(columns)));
}

Result<Value> StatementRows::GetValue(std::size_t row, std::size_t column) const {
  return table_->table().GetValue(result_.rows[row], result_.columns[column].column);
}

Status StatementRows::UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) {
  return Status::NotSupported(kReadOnlyDatabase, "table '" + table_->table().name() + "'");
}

Result<std::size_t> StatementRows::InsertRow(const std::vector<ColumnChange>& values) {
  return Status::NotSupported(kReadOnlyDatabase, "table '" + table_->table().name() + "'");
}

Status StatementRows::DeleteRow(std::size_t row) {
  return Status::NotSupported(kReadOnlyDatabase, "table '" + table_->table().name() + "'");
}

}  // namespace provider
