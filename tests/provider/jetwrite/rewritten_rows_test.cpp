// Rows of the Access-made sample files deleted and inserted again with the values the engine read
// from them read as they did: the writer encodes every column type in the layout Access gave it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "provider/jet/editor.h"
#include "provider/jet/index_check.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::Rows;
using provider::Value;
using provider::jet::Editor;

constexpr std::size_t kRowsRewritten = 3;

// The rows mdb-export prints, sorted, with the columns the table numbers itself blanked.
Rows Comparable(const std::string& path, const std::string& table,
                const std::vector<std::string>& numbered) {
  Rows rows = jetwritetest::MdbExport(path, table, true);
  if (rows.empty()) return rows;
  const std::vector<jetwritetest::Cell> names = rows.front();
  rows.erase(rows.begin());
  for (auto& row : rows)
    for (std::size_t i = 0; i < row.size() && i < names.size(); ++i)
      if (std::find(numbered.begin(), numbered.end(), names[i].value_or("")) != numbered.end())
        row[i] = "(numbered)";
  std::sort(rows.begin(), rows.end());
  return rows;
}

// Deletes the first rows of `table` and inserts them again, in one transaction.
provider::Status Rewrite(const std::string& path, const std::string& table) {
  auto database = provider::jet::Database::Open(path);
  VELMORA_RETURN_IF_ERROR(database.status());
  auto opened = database.value()->OpenTable(table);
  VELMORA_RETURN_IF_ERROR(opened.status());
  auto editor = Editor::Open(path);
  VELMORA_RETURN_IF_ERROR(editor.status());
  VELMORA_RETURN_IF_ERROR(editor.value()->Begin());
  const auto& columns = opened.value()->Columns();
  for (std::size_t row = 0; row < std::min(kRowsRewritten, opened.value()->RowCount()); ++row) {
    std::vector<Value> values;
    for (std::size_t column = 0; column < columns.size(); ++column) {
      auto value = opened.value()->GetValue(row, column);
      VELMORA_RETURN_IF_ERROR(value.status());
      values.push_back(columns[column].IsAutoIncrement() ? Value{} : value.take());
    }
    VELMORA_RETURN_IF_ERROR(editor.value()->DeleteRow(table, opened.value()->RowLocation(row)));
    VELMORA_RETURN_IF_ERROR(editor.value()->InsertRow(table, values).status());
  }
  return editor.value()->Commit();
}

TEST(RewrittenRowsTest, RowsWrittenAgainReadAsBefore) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  std::size_t tablesWithRows = 0;
  for (const auto& item :
       std::filesystem::directory_iterator(jetwritetest::SourceDir() + "/tests/fixtures/jet")) {
    const std::string name = item.path().filename().string();
    // Files under a password are the peers' to open only with it.
    if (item.path().extension() != ".mdb" || name.find("password") != std::string::npos) continue;
    SCOPED_TRACE(name);
    const std::string dir = jetwritetest::TempDir("rewrite");
    const std::string path = jetwritetest::CopyFixture(name, dir);
    auto database = provider::jet::Database::Open(path);
    ASSERT_TRUE(database.ok()) << database.status().ToString();
    std::vector<std::pair<std::string, std::vector<std::string>>> tables;
    for (const std::string& table : database.value()->UserTableNames()) {
      auto opened = database.value()->OpenTable(table);
      if (!opened.ok() || opened.value()->RowCount() == 0) continue;
      std::vector<std::string> numbered;
      for (const auto& column : opened.value()->Columns())
        if (column.IsAutoIncrement()) numbered.push_back(column.name);
      tables.emplace_back(table, numbered);
    }
    tablesWithRows += tables.size();
    database.value().reset();
    for (const auto& [table, numbered] : tables) {
      SCOPED_TRACE(table);
      const Rows before = Comparable(path, table, numbered);
      const provider::Status written = Rewrite(path, table);
      EXPECT_TRUE(written.ok()) << written.ToString();
      if (!written.ok()) continue;
      EXPECT_EQ(Comparable(path, table, numbered), before);
      auto reopened = provider::jet::Database::Open(path);
      ASSERT_TRUE(reopened.ok());
      auto checks = provider::jet::CheckIndexes(*reopened.value(), table);
      ASSERT_TRUE(checks.ok()) << checks.status().ToString();
      for (const auto& check : checks.value()) {
        EXPECT_TRUE(check.problems.empty()) << check.name << ": " << check.problems[0];
      }
    }
  }
  EXPECT_GE(tablesWithRows, 74u);
}

}  // namespace
