// A small table written with the engine's writer to a file of its own, for tests of which rows
// a reader finds and where.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "provider/jet/new_database.h"

namespace jettest {

// A file of its own in a folder removed with the test.
class TempFile {
 public:
  TempFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-rows-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    folder_ = pattern;
  }
  ~TempFile() { std::filesystem::remove_all(folder_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::string Path() const { return (folder_ / "rows.mdb").string(); }

 private:
  std::filesystem::path folder_;
};

struct Written {
  std::vector<std::u16string> titles;    // of the rows kept, in insertion order
  std::vector<std::uint32_t> locations;  // where InsertRow put them
};

// The title WriteTable gives row `row`: long enough that a page holds a few dozen rows.
inline std::u16string RowTitle(std::size_t row) {
  return u"r" + std::u16string(100, u'.') +
         std::u16string(1, static_cast<char16_t>(u'a' + row % 26)) +
         std::u16string(row / 26 + 1, u'z');
}

// A table "t" of `rows` rows with a RowTitle each in its one column "title", the rows `deleted`
// names removed again, saved to `path`.
inline Written WriteTable(const std::string& path, std::size_t rows,
                          const std::set<std::size_t>& deleted) {
  using namespace provider::jet;
  Written written;
  auto database = NewDatabase::Create(provider::DateTime{46000});
  EXPECT_TRUE(database.ok());
  auto table = database.value()->CreateTable(
      TableSpec{u"t", {ColumnSpec{u"title", ColumnType::text, 200, false}}});
  EXPECT_TRUE(table.ok());
  std::vector<std::uint32_t> all;
  for (std::size_t row = 0; row < rows; ++row) {
    const std::u16string title = RowTitle(row);
    auto location = table.value()->InsertRow({title});
    EXPECT_TRUE(location.ok()) << location.status().ToString();
    all.push_back(location.value());
    if (deleted.count(row) == 0) {
      written.titles.push_back(title);
      written.locations.push_back(location.value());
    }
  }
  for (std::size_t row : deleted) EXPECT_TRUE(table.value()->DeleteRow(all[row]).ok());
  EXPECT_TRUE(database.value()->Save(path).ok());
  return written;
}

// Every `step`-th row number in [first, end).
inline std::set<std::size_t> Every(std::size_t step, std::size_t first, std::size_t end) {
  std::set<std::size_t> rows;
  for (std::size_t row = first; row < end; row += step) rows.insert(row);
  return rows;
}

}  // namespace jettest
