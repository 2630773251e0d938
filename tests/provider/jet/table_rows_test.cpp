// Which rows an opened table lists and where: every live row once, in page and slot order, on
// pages full of rows and on pages with deleted slots between them; and a row whose page changed
// after the table was opened reads as an error, never as another row.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/new_database.h"
#include "tests/provider/jet/written_table.h"

namespace provider::jet {
namespace {

using jettest::Every;
using jettest::TempFile;
using jettest::WriteTable;
using jettest::Written;

TEST(JetTableRows, EveryLiveRowOnceInPageAndSlotOrder) {
  struct Case {
    const char* name;
    std::size_t rows;
    std::set<std::size_t> deleted;
  };
  const Case cases[] = {
      {"no rows", 0, {}},
      {"pages full of rows", 300, {}},
      {"every third row deleted", 300, Every(3, 0, 300)},
      {"the first 31 rows deleted", 300, Every(1, 0, 31)},
      {"only the last row deleted", 300, {299}},
      {"every row deleted", 40, Every(1, 0, 40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile file;
    const Written written = WriteTable(file.Path(), c.rows, c.deleted);
    auto database = Database::Open(file.Path());
    ASSERT_TRUE(database.ok()) << database.status().ToString();
    auto table = database.value()->OpenTable("t");
    ASSERT_TRUE(table.ok()) << table.status().ToString();
    ASSERT_EQ(table.value()->RowCount(), written.titles.size());
    // Read from the last row back, so that no row is found by walking from the one before it.
    for (std::size_t row = table.value()->RowCount(); row-- > 0;) {
      EXPECT_EQ(table.value()->RowLocation(row), written.locations[row]) << row;
      auto value = table.value()->GetValue(row, 0);
      ASSERT_TRUE(value.ok()) << value.status().ToString();
      EXPECT_EQ(std::get<std::u16string>(value.value()), written.titles[row]) << row;
    }
    EXPECT_FALSE(table.value()->GetValue(table.value()->RowCount(), 0).ok());
    // All at once, in order and backwards.
    std::vector<std::uint32_t> rows(table.value()->RowCount());
    std::iota(rows.begin(), rows.end(), 0u);
    EXPECT_EQ(table.value()->RowLocations(rows), written.locations);
    std::reverse(rows.begin(), rows.end());
    EXPECT_EQ(table.value()->RowLocations(rows),
              std::vector<std::uint32_t>(written.locations.rbegin(), written.locations.rend()));
  }
}

// Pages of the most rows a page may hold (255 of one byte each), whose row offsets run past the
// first bytes of the page that opening a table reads of most pages.
TEST(JetTableRows, PagesOfTheMostRowsAPageHolds) {
  constexpr std::size_t kRows = 700;
  TempFile file;
  {
    auto database = NewDatabase::Create(DateTime{46000});
    ASSERT_TRUE(database.ok());
    auto table = database.value()->CreateTable(
        TableSpec{u"b", {ColumnSpec{u"n", ColumnType::byte, 0, false}}});
    ASSERT_TRUE(table.ok());
    std::set<std::uint32_t> pages;
    for (std::size_t row = 0; row < kRows; ++row) {
      auto location = table.value()->InsertRow({Value(std::int64_t(row % 200))});
      ASSERT_TRUE(location.ok()) << location.status().ToString();
      pages.insert(location.value() >> 8);
    }
    ASSERT_LE(pages.size(), 3u) << "rows spread over more pages than the test means";
    ASSERT_TRUE(database.value()->Save(file.Path()).ok());
  }
  auto database = Database::Open(file.Path());
  ASSERT_TRUE(database.ok());
  auto table = database.value()->OpenTable("b");
  ASSERT_TRUE(table.ok()) << table.status().ToString();
  ASSERT_EQ(table.value()->RowCount(), kRows);
  for (std::size_t row = 0; row < kRows; ++row)
    EXPECT_EQ(table.value()->GetValue(row, 0).value(), Value(std::int64_t(row % 200))) << row;
}

// Flags slot `slot` of data page `page` deleted, in the file itself.
void DeleteSlotInPlace(const std::string& path, std::uint32_t page, std::uint16_t slot) {
  constexpr std::size_t kPageSize = 4096;
  constexpr std::size_t kSlotTable = 14;
  const int fd = ::open(path.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  const off_t at = static_cast<off_t>(page * kPageSize + kSlotTable + 2u * slot);
  std::uint8_t entry[2];
  ASSERT_EQ(pread(fd, entry, 2, at), 2);
  entry[1] |= 0x80;
  ASSERT_EQ(pwrite(fd, entry, 2, at), 2);
  ::close(fd);
}

TEST(JetTableRows, ARowDeletedAfterOpeningReadsAsAnErrorNotAsAnotherRow) {
  struct Case {
    const char* name;
    std::set<std::size_t> deletedBefore;  // a page full of rows, or one with a gap
  };
  for (const Case& c : {Case{"full page", {}}, Case{"page with a deleted slot", {5}}}) {
    SCOPED_TRACE(c.name);
    TempFile file;
    const Written written = WriteTable(file.Path(), 60, c.deletedBefore);
    auto database = Database::Open(file.Path());
    ASSERT_TRUE(database.ok());
    auto table = database.value()->OpenTable("t");
    ASSERT_TRUE(table.ok());
    const std::uint32_t location = written.locations[10];
    DeleteSlotInPlace(file.Path(), location >> 8, static_cast<std::uint16_t>(location & 0xFF));
    std::size_t failed = 0;
    for (std::size_t row = 0; row < table.value()->RowCount(); ++row) {
      auto value = table.value()->GetValue(row, 0);
      if (!value.ok()) {
        EXPECT_EQ(value.status().kind(), StatusKind::corruption);
        ++failed;
        continue;
      }
      EXPECT_EQ(std::get<std::u16string>(value.value()), written.titles[row]) << row;
    }
    EXPECT_GE(failed, 1u);
  }
}

}  // namespace
}  // namespace provider::jet
