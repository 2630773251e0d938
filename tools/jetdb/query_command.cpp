// jetdb query FILE "SQL": the statement engine over a Jet file, the result in the export's CSV.
#include "tools/jetdb/query_command.h"

#include <cstdio>

#include "platform/codepage.h"
#include "tools/jetdb/commands.h"

namespace jetdb {
namespace {

using provider::Result;
using provider::Status;
using provider::Value;
using provider::jet::ColumnType;
using provider::sql::ColumnKind;

ColumnKind KindOf(ColumnType type) {
  switch (type) {
    case ColumnType::boolean:
      return ColumnKind::boolean;
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::longInteger:
      return ColumnKind::integer;
    case ColumnType::single:
    case ColumnType::doubleFloat:
      return ColumnKind::real;
    case ColumnType::currency:
      return ColumnKind::currency;
    case ColumnType::dateTime:
      return ColumnKind::dateTime;
    case ColumnType::text:
    case ColumnType::memo:
      return ColumnKind::text;
    case ColumnType::guid:
      return ColumnKind::guid;
    case ColumnType::numeric:
      return ColumnKind::decimal;
    case ColumnType::binary:
    case ColumnType::ole:
      break;
  }
  // Codes the engine does not know decode as bytes, like binary columns.
  return ColumnKind::binary;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "jetdb: %s\n", message.c_str());
  return 1;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "jetdb query: %s\n", message.c_str());
  return 2;
}

}  // namespace

JetTableSource::JetTableSource(std::unique_ptr<provider::jet::Table> table)
    : table_(std::move(table)) {
  for (const provider::jet::Column& column : table_->columns())
    columns_.push_back({platform::Utf8ToWide(column.name), KindOf(column.type)});
}

std::uint32_t JetTableSource::RowCount() const {
  return static_cast<std::uint32_t>(table_->row_count());
}

Result<Value> JetTableSource::GetValue(std::uint32_t row, std::uint32_t column) {
  if (row >= table_->row_count() || column >= columns_.size())
    return Status::InvalidArgument("no such row or column", table_->name());
  return table_->GetValue(row, column);
}

Result<bool> JetTableSource::GetText(std::uint32_t row, std::uint32_t column,
                                     std::u16string& buffer) {
  Result<Value> value = GetValue(row, column);
  if (!value.ok()) return value.status();
  if (provider::IsNull(value.value())) return false;
  auto* text = std::get_if<std::u16string>(&value.value());
  if (text == nullptr) return Status::InvalidArgument("column is not text", table_->name());
  buffer.swap(*text);
  return true;
}

Result<provider::sql::NamedSource> JetDatabaseResolver::Find(std::u16string_view name) {
  const std::string utf8 = platform::WideToUtf8(name);
  const std::string key = LowerAscii(utf8);
  provider::sql::NamedSource found;
  if (auto cached = tables_.find(key); cached != tables_.end()) {
    found.table = cached->second.get();
    return found;
  }
  Result<std::unique_ptr<provider::jet::Table>> table = database_->OpenTable(utf8);
  if (table.ok()) {
    auto source = std::make_unique<JetTableSource>(table.take());
    found.table = source.get();
    tables_.emplace(key, std::move(source));
    return found;
  }
  if (table.status().kind() != provider::StatusKind::notFound) return table.status();
  Result<std::string> text = database_->QueryText(utf8);
  if (text.ok()) {
    found.query = platform::Utf8ToWide(text.value());
  } else if (text.status().kind() != provider::StatusKind::notFound) {
    return text.status();
  }
  return found;
}

Status WriteCsv(const provider::sql::QueryResult& result, const CsvOptions& options,
                std::FILE* out) {
  auto* source = dynamic_cast<JetTableSource*>(result.source);
  if (source == nullptr && !result.rows.empty())
    return Status::InvalidArgument("the result is not over a Jet table", "jetdb query");
  std::string buffer;
  for (std::size_t c = 0; c < result.columns.size(); ++c) {
    if (c > 0) buffer += options.delimiter;
    buffer += platform::WideToUtf8(result.columns[c].name);
  }
  buffer += options.rowDelimiter;
  for (std::uint32_t row : result.rows) {
    for (std::size_t c = 0; c < result.columns.size(); ++c) {
      const std::uint32_t column = result.columns[c].column;
      Result<Value> value = source->GetValue(row, column);
      if (!value.ok()) return value.status();
      if (c > 0) buffer += options.delimiter;
      buffer += FormatField(value.value(), source->table().columns()[column], options);
    }
    buffer += options.rowDelimiter;
    if (buffer.size() > (1 << 16)) {
      std::fwrite(buffer.data(), 1, buffer.size(), out);
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), out);
  if (std::fflush(out) != 0) return Status::IoError("cannot write the output", "jetdb query");
  return Status::Ok();
}

int RunQuery(const std::vector<std::string>& args) {
  provider::jet::OpenOptions open;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--password") {
      if (i + 1 >= args.size()) return Usage("option --password needs a value");
      open.password = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-' && operands.empty()) {
      return Usage("unknown option '" + args[i] + "'");
    } else {
      operands.push_back(args[i]);
    }
  }
  if (operands.size() != 2) return Usage("expected FILE and one SQL statement");

  auto db = provider::jet::Database::Open(operands[0], open);
  if (!db.ok()) return Fail(db.status().ToString());
  JetDatabaseResolver resolver(*db.value());
  // Statement errors are worded for the user already; their place inside the engine is not.
  auto result = provider::sql::Execute(platform::Utf8ToWide(operands[1]), resolver);
  if (!result.ok()) return Fail(result.status().message());
  Status written = WriteCsv(result.value(), CsvOptions{}, stdout);
  if (!written.ok()) return Fail(written.ToString());
  return 0;
}

}  // namespace jetdb
