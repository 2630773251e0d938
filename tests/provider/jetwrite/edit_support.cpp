// Helpers for the editing tests.
#include "tests/provider/jetwrite/edit_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/codepage.h"
#include "provider/jet/new_database.h"

namespace jetwritetest {

using provider::Value;
using namespace provider::jet;

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

Value TextValue(const Cell& cell) {
  if (!cell) return {};
  return platform::Utf8ToWide(*cell);
}

Cell CellOf(const Value& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return platform::WideToUtf8(*text);
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  return std::nullopt;
}

void WriteEditSample(const std::string& path, const std::vector<std::string>& titles,
                     const std::vector<std::string>& answers) {
  auto database = NewDatabase::Create(provider::DateTime{46000.5});
  ASSERT_TRUE(database.ok()) << database.status().ToString();
  auto table = database.value()->CreateTable(
      {u"namoone",
       {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
        ColumnSpec{u"kholase", ColumnType::text, 255, false},
        ColumnSpec{u"pasokh", ColumnType::memo, 0, false}}});
  ASSERT_TRUE(table.ok()) << table.status().ToString();
  for (std::size_t i = 0; i < titles.size(); ++i) {
    auto row = table.value()->InsertRow({Value{}, TextValue(titles[i]), TextValue(answers[i])});
    ASSERT_TRUE(row.ok()) << row.status().ToString();
  }
  ASSERT_TRUE(database.value()->Save(path).ok());
}

Rows EngineRows(const std::string& path, const std::string& name) {
  Rows rows;
  auto database = Database::Open(path);
  EXPECT_TRUE(database.ok()) << database.status().ToString();
  if (!database.ok()) return rows;
  auto table = database.value()->OpenTable(name);
  EXPECT_TRUE(table.ok()) << table.status().ToString();
  if (!table.ok()) return rows;
  for (std::size_t r = 0; r < table.value()->RowCount(); ++r) {
    std::vector<Cell> row;
    for (std::size_t c = 0; c < table.value()->Columns().size(); ++c) {
      auto value = table.value()->GetValue(r, c);
      EXPECT_TRUE(value.ok()) << value.status().ToString();
      row.push_back(value.ok() ? CellOf(value.value()) : Cell("<failed>"));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::uint32_t LocationOf(const std::string& path, const std::string& name, std::int64_t id) {
  return LocationOf(path, name, Value(id));
}

std::uint32_t LocationOf(const std::string& path, const std::string& name, const Value& id) {
  auto database = Database::Open(path);
  if (!database.ok()) return 0;
  auto table = database.value()->OpenTable(name);
  if (!table.ok()) return 0;
  for (std::size_t row = 0; row < table.value()->RowCount(); ++row) {
    auto value = table.value()->GetValue(row, 0);
    if (value.ok() && value.value() == Value(id)) return table.value()->RowLocation(row);
  }
  return 0;
}

std::uint32_t RecordedRowCount(const std::string& path, const std::string& name) {
  auto database = Database::Open(path);
  if (!database.ok()) return 0;
  auto definition = database.value()->TableDefinition(name);
  return definition.ok() ? definition.value().rowCount : 0;
}

std::string Describe(Rows rows) {
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return std::stoll(a[0].value_or("0")) < std::stoll(b[0].value_or("0"));
  });
  std::string out;
  for (const auto& row : rows) {
    for (const Cell& cell : row) {
      if (!cell) {
        out += "null ";
        continue;
      }
      const std::size_t hash = std::hash<std::string>()(*cell) % 100000;
      out += cell->size() <= 12 ? "'" + *cell + "' "
                                : std::to_string(cell->size()) + "b#" + std::to_string(hash) + " ";
    }
    out += "\n";
  }
  return out;
}

Rows InOrderOf(const Rows& rows, const Rows& shown) {
  Rows ordered;
  for (const auto& listed : shown)
    for (const auto& row : rows)
      if (!row.empty() && !listed.empty() && row[0] == listed[0]) ordered.push_back(row);
  return ordered;
}

int KillCount(int byDefault) {
  const char* setting = std::getenv("VELMORA_KILLS");
  return setting != nullptr ? std::atoi(setting) : byDefault;
}

std::string RunUntilKilled(const std::function<void()>& writer, std::chrono::milliseconds delay) {
  const pid_t child = fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    writer();
    _exit(1);
  }
  std::this_thread::sleep_for(delay);
  ::kill(child, SIGKILL);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return "the writer could not be waited for";
  if (WIFSIGNALED(status)) return "";
  return "the writer stopped with status " + std::to_string(WEXITSTATUS(status));
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string CopyFixture(const std::string& name, const std::string& dir) {
  const std::string target = dir + "/" + name;
  std::filesystem::copy_file(SourceDir() + "/tests/fixtures/jet/" + name, target,
                             std::filesystem::copy_options::overwrite_existing);
  return target;
}

}  // namespace jetwritetest
