// jetdb export FILE TABLE: a table as CSV, with the options of the peer exporter.
#include <cstdio>
#include <map>
#include <numeric>
#include <set>

#include "provider/jet/database.h"
#include "provider/jet/row_cursor.h"
#include "tools/jetdb/commands.h"
#include "tools/jetdb/csv_writer.h"

namespace jetdb {
namespace {

int Fail(const std::string& message) {
  return Report("jetdb", message, 1);
}

int Usage(const std::string& message) {
  return Report("jetdb export", message, 2);
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
  static const std::set<std::string> kValued = {"--password", "-d", "-R", "-q", "-X",
                                                "-D",         "-T", "-0", "-b"};
  provider::jet::OpenOptions open;
  CsvOptions csv;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto next = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string value;
    if (arg == "-H" || arg == "--no-header") {
      csv.header = false;
    } else if (arg == "-Q" || arg == "--no-quote") {
      csv.quoting = false;
    } else if (arg == "-e" || arg == "--escape-invisible") {
      csv.escapeInvisible = true;
    } else if (arg == "-B" || arg == "--boolean-words") {
      csv.booleanWords = true;
    } else if (kValued.count(arg) > 0) {
      if (!next(value)) return Usage("option " + arg + " needs a value");
      if (arg == "--password") open.password = value;
      if (arg == "-d") csv.delimiter = value;
      if (arg == "-R") csv.rowDelimiter = value;
      if (arg == "-q") csv.quote = value;
      if (arg == "-X") csv.escape = value;
      // -D (date-only format) is taken as the peer takes it: Jet has no date-only columns, so
      // every date uses the -T format.
      if (arg == "-T") csv.dateTimeFormat = value;
      if (arg == "-0") csv.nullText = value;
      if (arg == "-b") {
        static const std::map<std::string, BinaryMode> modes = {{"strip", BinaryMode::strip},
                                                                {"raw", BinaryMode::raw},
                                                                {"octal", BinaryMode::octal},
                                                                {"hex", BinaryMode::hex}};
        auto mode = modes.find(value);
        if (mode == modes.end()) return Usage("unknown binary mode '" + value + "'");
        csv.binary = mode->second;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option '" + arg + "'");
    } else {
      operands.push_back(arg);
    }
  }
  if (operands.size() != 2) return Usage("expected FILE and TABLE");

  auto db = provider::jet::Database::Open(operands[0], open);
  if (!db.ok()) return Fail(db.status().ToString());
  auto opened = db.value()->OpenTable(operands[1]);
  if (!opened.ok()) return Fail(opened.status().ToString());
  const provider::jet::Table& table = *opened.value();

  std::string out;
  if (csv.header) {
    for (std::size_t c = 0; c < table.Columns().size(); ++c) {
      if (c > 0) out += csv.delimiter;
      out += table.Columns()[c].name;
    }
    out += csv.rowDelimiter;
  }
  std::vector<std::uint32_t> columns(table.Columns().size());
  std::iota(columns.begin(), columns.end(), 0u);
  provider::jet::RowCursor cursor(table);
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    provider::Status written = cursor.MoveTo(row);
    if (written.ok()) written = AppendRecord(table, cursor, columns, csv, out);
    if (!written.ok()) return Fail(written.ToString());
    if (out.size() > (1 << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the output");
}

}  // namespace jetdb
