// Field descriptions, values and changes of a statement's result.
#include "provider/statement_rows.h"

#include "provider/jet_column_info.h"

namespace provider {

namespace {

constexpr std::uint32_t kGone = 0xFFFFFFFF;

}  // namespace

Result<std::unique_ptr<StatementRows>> StatementRows::Make(std::unique_ptr<JetResolver> resolver,
                                                           sql::QueryResult result,
                                                           jet::JetVersion version,
                                                           std::shared_ptr<FileWriter> writer) {
  const auto* source = dynamic_cast<const JetRowSource*>(result.source);
  if (source == nullptr) {
    return Status::InvalidArgument("The result does not read a table of this database.",
                                   "statement result");
  }
  const bool updatable = writer != nullptr && writer->CanWrite();
  std::vector<ColumnInfo> columns;
  for (const sql::OutputColumn& output : result.columns) {
    if (output.column >= source->Table().Columns().size()) {
      return Status::InvalidArgument("The result names a column its table lacks.",
                                     "statement result");
    }
    ColumnInfo info = JetColumnInfo(source->Table().Columns()[output.column], version, updatable);
    info.name = output.name;
    columns.push_back(std::move(info));
  }
  std::shared_ptr<const jet::Table> table = source->SharedTable();
  return std::unique_ptr<StatementRows>(new StatementRows(std::move(resolver), std::move(result),
                                                          std::move(table), std::move(columns),
                                                          std::move(writer)));
}

StatementRows::StatementRows(std::unique_ptr<JetResolver> resolver, sql::QueryResult result,
                             std::shared_ptr<const jet::Table> table,
                             std::vector<ColumnInfo> columns, std::shared_ptr<FileWriter> writer)
    : resolver_(std::move(resolver)),
      result_(std::move(result)),
      writer_(std::move(writer)),
      columns_(std::move(columns)),
      table_(std::move(table)) {}

std::size_t StatementRows::RowCount() const {
  return changed_ ? locations_.size() : result_.rows.size();
}

void StatementRows::KeepLocations() {
  if (!changed_) locations_ = table_->RowLocations(result_.rows);
}

bool StatementRows::CanUpdate() const {
  return writer_ != nullptr && writer_->CanWrite();
}

Result<std::size_t> StatementRows::TableRow(std::size_t row) const {
  if (!changed_) return std::size_t{result_.rows[row]};
  if (locations_[row] == kGone) return Status::NotFound("The row was deleted.", Where());
  if (stale_) {
    auto reread = writer_->Cache()->OpenTable(table_->Name());
    VELMORA_RETURN_IF_ERROR(reread);
    table_ = reread.take();
    rowAt_.clear();
    for (std::size_t i = 0; i < table_->RowCount(); ++i) rowAt_[table_->RowLocation(i)] = i;
    stale_ = false;
  }
  const auto found = rowAt_.find(locations_[row]);
  // Another program deleted it since.
  if (found == rowAt_.end()) return Status::NotFound("The row is no longer in the table.", Where());
  return found->second;
}

Result<Value> StatementRows::GetValue(std::size_t row, std::size_t column) const {
  auto at = TableRow(row);
  VELMORA_RETURN_IF_ERROR(at);
  return table_->GetValue(at.value(), result_.columns[column].column);
}

Status StatementRows::RequireWriter() const {
  if (writer_ == nullptr) return Status::NotSupported(kReadOnlyDatabase, Where());
  return Status::Ok();
}

Status StatementRows::UpdateRow(std::size_t row, const std::vector<ColumnChange>& changes) {
  VELMORA_RETURN_IF_ERROR(RequireWriter());
  KeepLocations();
  if (locations_[row] == kGone) return Status::NotFound("The row was deleted.", Where());
  std::vector<jet::ColumnValue> values;
  for (const auto& [column, value] : changes) {
    values.push_back(jet::ColumnValue{result_.columns[column].column, value});
  }
  auto moved = writer_->UpdateRow(table_->Name(), locations_[row], values);
  VELMORA_RETURN_IF_ERROR(moved);
  locations_[row] = moved.value();
  changed_ = stale_ = true;
  return Status::Ok();
}

Result<std::size_t> StatementRows::InsertRow(const std::vector<ColumnChange>& values) {
  VELMORA_RETURN_IF_ERROR(RequireWriter());
  KeepLocations();
  std::vector<Value> row(table_->Columns().size());
  for (const auto& [column, value] : values) row[result_.columns[column].column] = value;
  auto location = writer_->InsertRow(table_->Name(), row);
  VELMORA_RETURN_IF_ERROR(location);
  locations_.push_back(location.value());
  changed_ = stale_ = true;
  return locations_.size() - 1;
}

Status StatementRows::DeleteRow(std::size_t row) {
  VELMORA_RETURN_IF_ERROR(RequireWriter());
  KeepLocations();
  if (locations_[row] == kGone) return Status::NotFound("The row was deleted.", Where());
  VELMORA_RETURN_IF_ERROR(writer_->DeleteRow(table_->Name(), locations_[row]));
  locations_[row] = kGone;
  changed_ = stale_ = true;
  return Status::Ok();
}

}  // namespace provider
