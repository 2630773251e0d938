// Reading a table's rows in turn through a cursor: every listed row in order, whatever lies
// between them on their pages (deleted rows, pages with none left, rows moved to other pages),
// the same values a single read gives, and the file as it is now, not as the last row found it.
#include "provider/jet/row_cursor.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "provider/jet/database.h"
#include "provider/jet/editor.h"
#include "provider/jet/table.h"
#include "tests/provider/jet/written_table.h"

namespace provider::jet {
namespace {

using jettest::Every;
using jettest::TempFile;
using jettest::WriteTable;
using jettest::Written;

// A title too long to stay on a full page: the row moves and leaves a pointer behind.
std::u16string MovedTitle(std::size_t row) {
  return std::u16string(150, u'\u0645') + std::u16string(row % 7 + 1, u'\u06CC');
}

std::set<std::size_t> Joined(std::set<std::size_t> a, const std::set<std::size_t>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

// The titles a table holds, read row after row by one cursor, each as text, as a value and as
// UTF-8; "<error>" for a row that cannot be read.
std::vector<std::u16string> ScanTitles(const Table& table) {
  std::vector<std::u16string> titles;
  RowCursor cursor(table);
  std::u16string text;
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    EXPECT_TRUE(cursor.MoveTo(row).ok());
    Result<bool> present = cursor.GetText(0, text);
    Result<Value> value = cursor.GetValue(0);
    std::string utf8 = "kept";
    Result<bool> appended = cursor.AppendTextAsUtf8(0, utf8);
    if (!present.ok() || !value.ok() || !appended.ok()) {
      titles.push_back(u"<error>");
      continue;
    }
    EXPECT_EQ(std::get<std::u16string>(value.value()), text) << row;
    EXPECT_EQ(utf8, "kept" + platform::WideToUtf8(text)) << row;
    titles.push_back(text);
  }
  return titles;
}

TEST(JetRowCursor, ReadsEveryListedRowInOrder) {
  struct Case {
    const char* name;
    std::size_t rows;
    std::set<std::size_t> deleted;
    std::set<std::size_t> moved;  // of the rows kept, given a MovedTitle after saving
  };
  // clang-format off
  const Case cases[] = {
      {"pages full of rows", 300, {}, {}},
      {"every third row deleted", 300, Every(3, 0, 300), {}},
      {"pages with no live rows first and between", 300, Joined(Every(1, 0, 80), Every(1, 150, 230)), {}},
      {"every row deleted", 40, Every(1, 0, 40), {}},
      {"rows moved to other pages", 200, {}, {3, 4, 60, 199}},
      {"moved rows between deleted ones", 200, Every(2, 0, 200), {0, 51, 99}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile file;
    Written written = WriteTable(file.Path(), c.rows, c.deleted);
    if (!c.moved.empty()) {
      auto editor = Editor::Open(file.Path());
      ASSERT_TRUE(editor.ok()) << editor.status().ToString();
      for (std::size_t row : c.moved) {
        auto moved = editor.value()->UpdateRow("t", written.locations[row],
                                               {ColumnValue{0, Value(MovedTitle(row))}});
        ASSERT_TRUE(moved.ok()) << moved.status().ToString();
        written.titles[row] = MovedTitle(row);
      }
    }
    auto database = Database::Open(file.Path());
    ASSERT_TRUE(database.ok()) << database.status().ToString();
    auto table = database.value()->OpenTable("t");
    ASSERT_TRUE(table.ok()) << table.status().ToString();
    // Rows keep the order of the file's pages and slots: a moved row keeps the place of the slot
    // that names it.
    const std::vector<std::u16string> scanned = ScanTitles(*table.value());
    EXPECT_EQ(scanned, written.titles);
    // A cursor moved at random, and a single read, find each row where a scan found it.
    RowCursor cursor(*table.value());
    for (std::size_t row = scanned.size(); row-- > 0;) {
      ASSERT_TRUE(cursor.MoveTo(row).ok());
      auto value = cursor.GetValue(0);
      ASSERT_TRUE(value.ok()) << value.status().ToString();
      EXPECT_EQ(std::get<std::u16string>(value.value()), scanned[row]) << row;
      auto single = table.value()->GetValue(row, 0);
      ASSERT_TRUE(single.ok()) << single.status().ToString();
      EXPECT_EQ(std::get<std::u16string>(single.value()), scanned[row]) << row;
    }
    EXPECT_EQ(cursor.MoveTo(scanned.size()).kind(), StatusKind::invalidArgument);
    EXPECT_EQ(cursor.GetValue(0).status().kind(), StatusKind::invalidArgument);
  }
}

TEST(JetRowCursor, SeesAChangeWrittenBetweenTwoScans) {
  TempFile file;
  const Written written = WriteTable(file.Path(), 120, Every(5, 0, 120));
  auto database = Database::Open(file.Path());
  ASSERT_TRUE(database.ok());
  auto table = database.value()->OpenTable("t");
  ASSERT_TRUE(table.ok());
  RowCursor cursor(*table.value());
  EXPECT_EQ(ScanTitles(*table.value()), written.titles);
  // The cursor stays on the page of row 40 while the page is written under it.
  ASSERT_TRUE(cursor.MoveTo(40).ok());
  ASSERT_EQ(std::get<std::u16string>(cursor.GetValue(0).value()), written.titles[40]);
  {
    auto editor = Editor::Open(file.Path());
    ASSERT_TRUE(editor.ok()) << editor.status().ToString();
    ASSERT_TRUE(editor.value()->UpdateRow("t", written.locations[40], {{0, Value(u"short")}}).ok());
    ASSERT_TRUE(editor.value()->DeleteRow("t", written.locations[41]).ok());
  }
  std::vector<std::u16string> expected = written.titles;
  expected[40] = u"short";
  expected[41] = u"<error>";
  EXPECT_EQ(ScanTitles(*table.value()), expected);
  ASSERT_TRUE(cursor.MoveTo(40).ok());
  EXPECT_EQ(std::get<std::u16string>(cursor.GetValue(0).value()), u"short");
  ASSERT_TRUE(cursor.MoveTo(41).ok());
  const Status gone = cursor.GetValue(0).status();
  EXPECT_EQ(gone.kind(), StatusKind::corruption);
  EXPECT_NE(gone.where().find("column 'title'"), std::string::npos) << gone.ToString();
}

}  // namespace
}  // namespace provider::jet
