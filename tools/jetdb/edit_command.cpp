// jetdb edit FILE: changes rows of a Jet 3 or Jet 4 file, and adds tables to a Jet 4 file, by a
// script read from standard input.
//
// One command a line, its fields separated by tabs (so that values may hold spaces):
//   begin | commit | rollback
//   update TABLE KEY=VALUE COLUMN=VALUE...   the rows whose column KEY shows VALUE
//   insert TABLE COLUMN=VALUE...             columns not named are Null (AutoNumbers numbered)
//   delete TABLE KEY=VALUE                   the rows whose column KEY shows VALUE
//   create TABLE COLUMN:TYPE[:SIZE]...       an empty table, committed at once; TYPE is one of
//                                            boolean byte integer long autonumber currency
//                                            single double datetime guid memo ole, or text or
//                                            binary with their SIZE
// A value is text as it is, a number in decimal, true or false, or \N for Null. Commands outside
// begin ... commit are committed one by one. Rows are found in the file as the last commit left
// it. The first failing line ends the run (status 1) and drops the open transaction.
#include <cstdio>
#include <ctime>
#include <iostream>
#include <memory>
#include <sstream>

#include "platform/codepage.h"
#include "provider/jet/editor.h"
#include "provider/jet/object_name.h"
#include "tools/jetdb/commands.h"

namespace jetdb {
namespace {

using provider::Result;
using provider::Status;
using provider::Value;
using provider::jet::Column;
using provider::jet::ColumnType;
using provider::jet::Table;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

Result<Value> Parse(const std::string& text, const Column& column) {
  if (text == "\\N") return Value{};
  switch (column.type) {
    case ColumnType::text:
    case ColumnType::memo:
      return Value{platform::Utf8ToWide(text)};
    case ColumnType::boolean:
      if (text == "true" || text == "false") return Value{text == "true"};
      break;
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::longInteger: {
      char* end = nullptr;
      const long long number = std::strtoll(text.c_str(), &end, 10);
      if (!text.empty() && *end == '\0') return Value{static_cast<std::int64_t>(number)};
      break;
    }
    case ColumnType::single:
    case ColumnType::doubleFloat: {
      char* end = nullptr;
      const double number = std::strtod(text.c_str(), &end);
      if (!text.empty() && *end == '\0') return Value{number};
      break;
    }
    default:
      return Status::NotSupported("jetdb edit cannot write this column's type.", column.name);
  }
  return Status::InvalidArgument("'" + text + "' does not suit the column.", column.name);
}

struct Assignment {
  std::size_t column;
  Value value;
};

Result<std::vector<Assignment>> Assignments(const Table& table,
                                            const std::vector<std::string>& fields,
                                            std::size_t first) {
  std::vector<Assignment> assignments;
  for (std::size_t i = first; i < fields.size(); ++i) {
    const std::size_t equals = fields[i].find('=');
    const int column = equals == std::string::npos ? -1 : table.FindColumn(fields[i].substr(0, equals));
    if (column < 0) return Status::InvalidArgument("No such column.", fields[i]);
    auto value = Parse(fields[i].substr(equals + 1), table.Columns()[static_cast<std::size_t>(column)]);
    if (!value.ok()) return value.status();
    assignments.push_back({static_cast<std::size_t>(column), value.take()});
  }
  return assignments;
}

// The locations of the rows whose key column holds the key assignment's value.
Result<std::vector<std::uint32_t>> Matching(const Table& table, const Assignment& key) {
  std::vector<std::uint32_t> rows;
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    auto value = table.GetValue(row, key.column);
    if (!value.ok()) return value.status();
    if (value.value() == key.value) rows.push_back(table.RowLocation(row));
  }
  return rows;
}

Result<provider::jet::ColumnSpec> ColumnOf(const std::string& field) {
  struct Named {
    const char* name;
    ColumnType type;
    bool sized;
  };
  static const Named kTypes[] = {
      {"boolean", ColumnType::boolean, false},   {"byte", ColumnType::byte, false},
      {"integer", ColumnType::integer, false},   {"long", ColumnType::longInteger, false},
      {"autonumber", ColumnType::longInteger, false},
      {"currency", ColumnType::currency, false}, {"single", ColumnType::single, false},
      {"double", ColumnType::doubleFloat, false}, {"datetime", ColumnType::dateTime, false},
      {"guid", ColumnType::guid, false},         {"memo", ColumnType::memo, false},
      {"ole", ColumnType::ole, false},           {"text", ColumnType::text, true},
      {"binary", ColumnType::binary, true},
  };
  const std::vector<std::string> parts = [&] {
    std::vector<std::string> split;
    std::istringstream in(field);
    for (std::string part; std::getline(in, part, ':');) split.push_back(part);
    return split;
  }();
  for (const Named& named : kTypes) {
    if (parts.size() < 2 || parts[1] != named.name || parts.size() != (named.sized ? 3u : 2u))
      continue;
    provider::jet::ColumnSpec column{platform::Utf8ToWide(parts[0]), named.type};
    column.autoNumber = parts[1] == "autonumber";
    if (named.sized) {
      char* end = nullptr;
      const long size = std::strtol(parts[2].c_str(), &end, 10);
      if (parts[2].empty() || *end != '\0' || size < 1 || size > 255)
        return Status::InvalidArgument("A size is a number from 1 to 255.", field);
      column.size = static_cast<std::uint16_t>(size);
    }
    return column;
  }
  return Status::InvalidArgument("Expected COLUMN:TYPE, or COLUMN:text:SIZE.", field);
}

Status CreateTable(provider::jet::Editor& editor, const std::vector<std::string>& fields) {
  provider::jet::TableSpec design{platform::Utf8ToWide(fields[1]), {}};
  for (std::size_t i = 2; i < fields.size(); ++i) {
    auto column = ColumnOf(fields[i]);
    if (!column.ok()) return column.status();
    design.columns.push_back(column.take());
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // Access keeps local time, in days since 1899-12-30; the Unix epoch is day 25569.
  const double seconds = static_cast<double>(now) + static_cast<double>(local.tm_gmtoff);
  return editor.CreateTable(design, provider::DateTime{25569.0 + seconds / 86400.0});
}

Status RunLine(provider::jet::Editor& editor, const std::vector<std::string>& fields) {
  const std::string& verb = fields[0];
  if (verb == "create" && fields.size() >= 2) return CreateTable(editor, fields);
  if (verb == "begin" && fields.size() == 1) return editor.Begin();
  if (verb == "commit" && fields.size() == 1) return editor.Commit();
  if (verb == "rollback" && fields.size() == 1) {
    editor.Rollback();
    return Status::Ok();
  }
  if (fields.size() < 2 || (verb != "update" && verb != "insert" && verb != "delete"))
    return Status::InvalidArgument("Unknown command.", verb);
  auto table = editor.Database().OpenTable(fields[1]);
  if (!table.ok()) return table.status();
  auto assignments = Assignments(*table.value(), fields, 2);
  if (!assignments.ok()) return assignments.status();
  if (verb == "insert") {
    std::vector<Value> values(table.value()->Columns().size());
    for (Assignment& assignment : assignments.value()) values[assignment.column] = assignment.value;
    return editor.InsertRow(fields[1], values).status();
  }
  if (assignments.value().empty() || (verb == "delete" && assignments.value().size() != 1))
    return Status::InvalidArgument("Expected KEY=VALUE and, to update, COLUMN=VALUE.", verb);
  auto rows = Matching(*table.value(), assignments.value()[0]);
  if (!rows.ok()) return rows.status();
  const std::vector<provider::jet::ColumnValue> changes(
      [&] {
        std::vector<provider::jet::ColumnValue> list;
        for (std::size_t i = 1; i < assignments.value().size(); ++i)
          list.push_back({assignments.value()[i].column, assignments.value()[i].value});
        return list;
      }());
  for (std::uint32_t location : rows.value()) {
    const Status status = verb == "delete" ? editor.DeleteRow(fields[1], location)
                                           : editor.UpdateRow(fields[1], location, changes).status();
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace

int RunEdit(const std::vector<std::string>& args) {
  if (args.size() != 1) return Report("jetdb edit", "expected FILE (and the script on standard input)", 2);
  auto editor = provider::jet::Editor::Open(args[0]);
  if (!editor.ok()) return Report("jetdb", editor.status().ToString(), 1);
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    const Status status = RunLine(*editor.value(), Fields(line));
    if (!status.ok())
      return Report("jetdb edit", "line " + std::to_string(number) + ": " + status.ToString(), 1);
  }
  if (editor.value()->InTransaction())
    return Report("jetdb edit", "the script ended inside a transaction, which was dropped", 1);
  return 0;
}

}  // namespace jetdb
