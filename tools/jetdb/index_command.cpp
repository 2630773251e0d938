// jetdb indexes FILE [TABLE] [--entries]: every index of every local table (or of TABLE),
// checked against the rows; with --entries, each leaf entry with its row's key values.
#include <cstdio>

#include "platform/codepage.h"
#include "provider/jet/database.h"
#include "provider/jet/index_check.h"
#include "tools/jetdb/commands.h"

namespace jetdb {

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 0xF];
  }
  return text;
}

// A key value as --entries shows it: text in UTF-8 between brackets (control characters and
// the backslash as \uXXXX), numbers in decimal.
std::string Shown(const provider::Value& value) {
  if (provider::IsNull(value)) return "(null)";
  if (const auto* text = std::get_if<std::u16string>(&value)) {
    std::string shown = "[";
    for (char16_t unit : *text) {
      if (unit >= 0x20 && unit != u'\\' && unit != 0x7F) {
        shown += platform::WideToUtf8(std::u16string_view(&unit, 1));
        continue;
      }
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      shown += escaped;
    }
    return shown + "]";
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  if (const auto* number = std::get_if<double>(&value)) return std::to_string(*number);
  if (const auto* date = std::get_if<provider::DateTime>(&value)) return std::to_string(date->days);
  return "(value)";
}

// Prints one table's indexes; false when one of them has a problem.
bool Report(const provider::jet::Database& database, const std::string& table, bool entries) {
  auto checks = provider::jet::CheckIndexes(database, table);
  if (!checks.ok()) {
    std::printf("%s\t(unreadable)\t%s\n", table.c_str(), checks.status().ToString().c_str());
    return false;
  }
  bool sound = true;
  for (const provider::jet::IndexCheck& check : checks.value()) {
    std::printf("%s\t%s\t%zu entries\t%zu keys checked\t%s\n", table.c_str(), check.name.c_str(),
                check.entries.size(), check.keysChecked,
                check.problems.empty() ? "ok" : check.problems.front().c_str());
    if (!check.unchecked.empty()) std::printf("\t(not checked: %s)\n", check.unchecked.c_str());
    for (std::size_t i = 1; i < check.problems.size(); ++i)
      std::printf("\t%s\n", check.problems[i].c_str());
    sound = sound && check.problems.empty();
    if (!entries) continue;
    for (std::size_t i = 0; i < check.entries.size(); ++i) {
      const provider::jet::IndexEntry& entry = check.entries[i];
      std::printf("\t%s\t%u:%u", Hex(entry.key).c_str(), entry.row >> 8, entry.row & 0xFF);
      for (const provider::Value& value : check.values[i])
        std::printf("\t%s", Shown(value).c_str());
      std::printf("\n");
    }
  }
  return sound;
}

}  // namespace

int RunIndexes(const std::vector<std::string>& args) {
  provider::jet::OpenOptions options;
  std::vector<std::string> names;
  bool entries = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--password" && i + 1 < args.size()) {
      options.password = args[++i];
    } else if (args[i] == "--entries") {
      entries = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return jetdb::Report("jetdb indexes", "unknown option '" + args[i] + "'", 2);
    } else {
      names.push_back(args[i]);
    }
  }
  if (names.empty() || names.size() > 2)
    return jetdb::Report("jetdb indexes", "expected FILE [TABLE]", 2);
  auto database = provider::jet::Database::Open(names[0], options);
  if (!database.ok()) return jetdb::Report("jetdb", database.status().ToString(), 1);
  bool sound = true;
  if (names.size() == 2) {
    sound = Report(*database.value(), names[1], entries);
  } else {
    for (const provider::jet::CatalogEntry& table : database.value()->Tables())
      if (table.type == static_cast<std::int16_t>(provider::jet::ObjectType::table))
        sound = Report(*database.value(), table.name, entries) && sound;
  }
  return sound ? 0 : 1;
}

}  // namespace jetdb
