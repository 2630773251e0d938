// jetdb query FILE "SQL": the statement engine over a Jet file, the result in the export's CSV.
#include "tools/jetdb/query_command.h"

#include <cstdio>
#include <memory>

#include "platform/codepage.h"
#include "provider/error_info.h"
#include "provider/jet/database.h"
#include "provider/jet/row_cursor.h"
#include "provider/jet_resolver.h"
#include "provider/jet_row_source.h"
#include "tools/jetdb/commands.h"
#include "tools/message_text.h"

namespace jetdb {
namespace {

using provider::Result;
using provider::Status;

int Fail(const std::string& message) {
  return Report("jetdb", message, 1);
}

int Usage(const std::string& message) {
  return Report("jetdb query", message, 2);
}

}  // namespace

Status WriteCsv(const provider::sql::QueryResult& result, const CsvOptions& options,
                std::FILE* out) {
  auto* source = dynamic_cast<provider::JetRowSource*>(result.source);
  if (source == nullptr && !result.rows.empty())
    return Status::InvalidArgument("the result is not over a Jet table", "jetdb query");
  std::string buffer;
  std::vector<std::uint32_t> columns;
  for (std::size_t c = 0; c < result.columns.size(); ++c) {
    if (c > 0) buffer += options.delimiter;
    buffer += platform::WideToUtf8(result.columns[c].name);
    columns.push_back(result.columns[c].column);
  }
  buffer += options.rowDelimiter;
  if (!result.rows.empty()) {
    provider::jet::RowCursor cursor(source->Table());
    for (std::uint32_t row : result.rows) {
      VELMORA_RETURN_IF_ERROR(cursor.MoveTo(row));
      VELMORA_RETURN_IF_ERROR(AppendRecord(source->Table(), cursor, columns, options, buffer));
      if (buffer.size() > (1 << 16)) {
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        buffer.clear();
      }
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
  // A statement is text: bytes that are not UTF-8 would be read as some other statement.
  if (!tools::IsValidUtf8(operands[1])) return Usage("the statement is not valid UTF-8");

  auto db = provider::jet::Database::Open(operands[0], open);
  if (!db.ok()) return Fail(db.status().ToString());
  // One statement: nothing is worth keeping for a next one.
  provider::JetResolver resolver(std::make_shared<provider::TableCache>(
      std::shared_ptr<const provider::jet::Database>(db.take()),
      provider::TableCache::Options{.keep = false}));
  // Statement errors are worded for the user already; their place inside the engine is not,
  // unless the file is damaged, when the place is what the user needs.
  auto result = provider::sql::Execute(platform::Utf8ToWide(operands[1]), resolver);
  if (!result.ok()) return Fail(provider::Describe(result.status()));
  Status written = WriteCsv(result.value(), CsvOptions{}, stdout);
  if (!written.ok()) return Fail(written.ToString());
  return 0;
}

}  // namespace jetdb
