// Files made by the Jet writer read back identically through mdbtools, mdb-reader and the
// engine's own reader.
#include "provider/jet/new_database.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "provider/jet/database.h"
#include "tests/provider/jetwrite/peers.h"

namespace {

using jetwritetest::Cell;
using jetwritetest::Rows;
using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::NewDatabase;
using provider::jet::TableSpec;
using provider::jet::TableWriter;

const provider::DateTime kCreated{46000.5};

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

TableSpec TopicSpec(std::u16string name) {
  return {std::move(name),
          {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
           ColumnSpec{u"kholase", ColumnType::text, 255, false},
           ColumnSpec{u"porsesh", ColumnType::memo, 0, false},
           ColumnSpec{u"pasokh", ColumnType::memo, 0, false},
           ColumnSpec{u"pavaraghi", ColumnType::memo, 0, false}}};
}

// kholase, porsesh, pasokh, pavaraghi; ids are 1, 2, ...
const std::vector<std::vector<Cell>>& TopicRows() {
  static const std::string persian =
      "پاسخ این پرسش روشن است و به یاد می‌ماند. ";
  static const std::vector<std::vector<Cell>> rows = {
      // Both yeh and kaf forms, quotes, percent and underscore, CR LF, Latin and digits.
      {"ياري و یاری، كتاب و کتاب", "\"نقل\" و 'گفته' با ۵۰% و a_b؟",
       "سطر اول\r\nسطر دوم\r\n\r\nبند دوم با Jet 4.0 و 2026 و ۱۴۰۵", std::nullopt},
      // Latin only (stored compressed); memos on both sides of the inline limit, and a
      // compressed memo long enough to be chained.
      {"Plain ASCII title", Repeat("x", 62), Repeat("y", 63),
       Repeat("Sample source 2, p. 8\r\n", 400)},
      // A memo of several pages (a chain of long-value rows) and one at the one-row limit.
      {Repeat("ک", 255), Repeat("ی", 2038), Repeat(persian, 400), Repeat("ی", 2039)},
      // Persian with Latin runs (compressed with mode switches), an empty memo, a leading
      // byte-order mark.
      {"متن with Latin words و 12345", "",
       "\xEF\xBB\xBF"
       "BOM first",
       "پانوشت با ی"},
  };
  return rows;
}

Value ToValue(const Cell& cell) {
  if (!cell) return {};
  return platform::Utf8ToWide(*cell);
}

// Writes the topic table "namoone" (and its queries) to `path`; deletes the rows given.
void WriteSample(const std::string& path, const std::vector<std::size_t>& deleted = {}) {
  auto database = NewDatabase::Create(kCreated);
  ASSERT_TRUE(database.ok()) << database.status().ToString();
  auto table = database.value()->CreateTable(TopicSpec(u"namoone"));
  ASSERT_TRUE(table.ok()) << table.status().ToString();
  std::vector<std::uint32_t> locations;
  for (const auto& row : TopicRows()) {
    auto location = table.value()->InsertRow(
        {Value{}, ToValue(row[0]), ToValue(row[1]), ToValue(row[2]), ToValue(row[3])});
    ASSERT_TRUE(location.ok()) << location.status().ToString();
    locations.push_back(location.value());
  }
  for (std::size_t row : deleted) ASSERT_TRUE(table.value()->DeleteRow(locations[row]).ok());
  ASSERT_TRUE(database.value()->CreateSelectQuery(u"Qnamoone", u"namoone").ok());
  ASSERT_TRUE(database.value()->CreateSelectQuery(u"Qonvan", u"namoone", {u"id", u"kholase"}).ok());
  ASSERT_TRUE(database.value()->Save(path).ok());
}

// The rows every reader must show, ids included.
Rows Expected(const std::vector<std::size_t>& deleted = {}) {
  Rows rows;
  for (std::size_t i = 0; i < TopicRows().size(); ++i) {
    if (std::find(deleted.begin(), deleted.end(), i) != deleted.end()) continue;
    std::vector<Cell> row = {std::to_string(i + 1)};
    row.insert(row.end(), TopicRows()[i].begin(), TopicRows()[i].end());
    rows.push_back(row);
  }
  return rows;
}

// mdb-export prints an empty memo as Null (it cannot tell them apart); every other value must
// be identical.
Rows ExpectedForMdbExport(const std::vector<std::size_t>& deleted = {}) {
  Rows rows = Expected(deleted);
  for (auto& row : rows)
    for (std::size_t c = 2; c < row.size(); ++c)
      if (row[c] && row[c]->empty()) row[c].reset();
  return rows;
}

jetwritetest::TableRows ExpectedForMdbReader(const std::vector<std::size_t>& deleted = {}) {
  return {"namoone",
          {"id", "kholase", "porsesh", "pasokh", "pavaraghi"},
          Expected(deleted),
          {true, false, false, false, false}};
}

TEST(NewDatabaseTest, RowsReadBackThroughMdbExport) {
  const std::string missing = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missing.empty()) << missing;
  const std::string file = jetwritetest::TempDir("export") + "/sample.mdb";
  WriteSample(file);
  const Rows rows = jetwritetest::MdbExport(file, "namoone");
  const Rows expected = ExpectedForMdbExport();
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < expected[r].size(); ++c)
      EXPECT_EQ(rows[r][c], expected[r][c]) << "row " << r + 1 << " column " << c;
}

TEST(NewDatabaseTest, RowsReadBackThroughMdbReader) {
  const std::string missing = jetwritetest::MissingMdbReader();
  ASSERT_TRUE(missing.empty()) << missing;
  const std::string file = jetwritetest::TempDir("mdbreader") + "/sample.mdb";
  WriteSample(file);
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(file, {ExpectedForMdbReader()}), "");
}

TEST(NewDatabaseTest, RowsReadBackThroughTheEngine) {
  const std::string file = jetwritetest::TempDir("engine") + "/sample.mdb";
  WriteSample(file);
  auto database = provider::jet::Database::Open(file);
  ASSERT_TRUE(database.ok()) << database.status().ToString();
  EXPECT_EQ(database.value()->UserTableNames(), std::vector<std::string>{"namoone"});
  auto table = database.value()->OpenTable("namoone");
  ASSERT_TRUE(table.ok()) << table.status().ToString();
  const Rows expected = Expected();
  ASSERT_EQ(table.value()->RowCount(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r) {
    auto id = table.value()->GetValue(r, 0);
    ASSERT_TRUE(id.ok()) << id.status().ToString();
    EXPECT_EQ(id.value(), Value(static_cast<std::int64_t>(r + 1)));
    for (std::size_t c = 1; c < expected[r].size(); ++c) {
      auto value = table.value()->GetValue(r, c);
      ASSERT_TRUE(value.ok()) << value.status().ToString();
      EXPECT_EQ(value.value(), ToValue(expected[r][c])) << "row " << r + 1 << " column " << c;
    }
  }
  auto query = database.value()->QueryText("Qnamoone");
  ASSERT_TRUE(query.ok()) << query.status().ToString();
  EXPECT_NE(query.value().find("SELECT * FROM"), std::string::npos) << query.value();
}

TEST(NewDatabaseTest, MdbtoolsShowTheTablesAndSavedQueries) {
  for (const char* tool : {"mdb-tables", "mdb-schema", "mdb-queries"}) {
    const std::string missing = jetwritetest::MissingTool(tool);
    ASSERT_TRUE(missing.empty()) << missing;
  }
  const std::string file = jetwritetest::TempDir("schema") + "/sample.mdb";
  WriteSample(file);
  EXPECT_EQ(jetwritetest::Run("mdb-tables -1 '" + file + "'").text, "namoone\n");
  const std::string schema = jetwritetest::Run("mdb-schema '" + file + "'").text;
  EXPECT_NE(schema.find("CREATE TABLE [namoone]"), std::string::npos) << schema;
  for (const char* column : {"[id]\t\t\tLong Integer", "[kholase]\t\t\tText (255)",
                             "[porsesh]\t\t\tMemo", "[pasokh]\t\t\tMemo", "[pavaraghi]\t\t\tMemo"})
    EXPECT_NE(schema.find(column), std::string::npos) << column << " in\n" << schema;
  EXPECT_EQ(jetwritetest::Run("mdb-queries -L -1 '" + file + "'").text, "Qnamoone\nQonvan\n");
  EXPECT_EQ(jetwritetest::Run("mdb-queries '" + file + "' Qnamoone").text,
            "SELECT * FROM [namoone] \n");
  const std::string columns = jetwritetest::Run("mdb-queries '" + file + "' Qonvan").text;
  EXPECT_NE(columns.find("[namoone].[kholase]"), std::string::npos) << columns;
}

TEST(NewDatabaseTest, DeletedRowsAreGoneForEveryReader) {
  const std::string missingExport = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missingExport.empty()) << missingExport;
  const std::string missingReader = jetwritetest::MissingMdbReader();
  ASSERT_TRUE(missingReader.empty()) << missingReader;
  const std::string file = jetwritetest::TempDir("deleted") + "/sample.mdb";
  const std::vector<std::size_t> deleted = {0, 2};
  WriteSample(file, deleted);
  EXPECT_EQ(jetwritetest::MdbExport(file, "namoone"), ExpectedForMdbExport(deleted));
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(file, {ExpectedForMdbReader(deleted)}), "");
  auto database = provider::jet::Database::Open(file);
  ASSERT_TRUE(database.ok()) << database.status().ToString();
  auto table = database.value()->OpenTable("namoone");
  ASSERT_TRUE(table.ok());
  EXPECT_EQ(table.value()->RowCount(), 2u);
}

// Enough one-page memos to take the table and the file past the 512 pages an inline usage map
// covers, so that the maps turn into reference maps while rows are added.
TEST(NewDatabaseTest, LargeTablesStayCompleteBeyondInlineUsageMaps) {
  const std::string missingExport = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missingExport.empty()) << missingExport;
  const std::string missingReader = jetwritetest::MissingMdbReader();
  ASSERT_TRUE(missingReader.empty()) << missingReader;
  const std::string file = jetwritetest::TempDir("large") + "/large.mdb";
  constexpr std::size_t kRows = 700;
  Rows expected;
  {
    auto database = NewDatabase::Create(kCreated);
    ASSERT_TRUE(database.ok());
    auto table = database.value()->CreateTable(TopicSpec(u"bozorg"));
    ASSERT_TRUE(table.ok());
    for (std::size_t i = 0; i < kRows; ++i) {
      const std::string answer = std::to_string(i) + Repeat("پ", 1500);
      expected.push_back({std::to_string(i + 1), "عنوان " + std::to_string(i), std::nullopt, answer,
                          std::nullopt});
      auto row = table.value()->InsertRow(
          {Value{}, ToValue(expected.back()[1]), Value{}, ToValue(answer), Value{}});
      ASSERT_TRUE(row.ok()) << row.status().ToString();
    }
    EXPECT_EQ(table.value()->RowCount(), kRows);
    ASSERT_GT(database.value()->Pages().PageCount(), 600u);
    ASSERT_TRUE(database.value()->Save(file).ok());
  }
  EXPECT_EQ(jetwritetest::MdbExport(file, "bozorg"), expected);
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(
                file, {{"bozorg",
                        {"id", "kholase", "porsesh", "pasokh", "pavaraghi"},
                        expected,
                        {true, false, false, false, false}}}),
            "");
}

// Fixed-size types, a table without variable columns (its null mask follows the fixed data),
// binary and OLE values, the header's password mask and sort order.
TEST(NewDatabaseTest, OtherColumnTypesAndTheHeaderReadBackThroughTheEngine) {
  const std::string missing = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missing.empty()) << missing;
  const std::string file = jetwritetest::TempDir("types") + "/types.mdb";
  const TableSpec fixedOnly{
      u"adad",
      {ColumnSpec{u"b", ColumnType::byte}, ColumnSpec{u"i", ColumnType::integer},
       ColumnSpec{u"l", ColumnType::longInteger}, ColumnSpec{u"yes", ColumnType::boolean},
       ColumnSpec{u"d", ColumnType::doubleFloat}, ColumnSpec{u"t", ColumnType::dateTime},
       ColumnSpec{u"c", ColumnType::currency}}};
  const TableSpec mixed{
      u"binary",
      {ColumnSpec{u"bin", ColumnType::binary, 8}, ColumnSpec{u"ole", ColumnType::ole},
       ColumnSpec{u"s", ColumnType::single}}};
  const std::vector<std::vector<Value>> fixedRows = {
      {std::int64_t{255}, std::int64_t{-32768}, std::int64_t{-2147483647 - 1}, true, 2.5,
       provider::DateTime{45000.25}, provider::Currency{-123456}},
      {Value{}, Value{}, Value{}, false, Value{}, Value{}, Value{}},
  };
  const std::vector<std::vector<Value>> mixedRows = {
      {provider::Bytes{0, 1, 0xFF}, provider::Bytes(5000, 0x5A), 0.5},
      {Value{}, provider::Bytes{}, Value{}},
  };
  {
    auto database = NewDatabase::Create(kCreated);
    ASSERT_TRUE(database.ok());
    auto fixedTable = database.value()->CreateTable(fixedOnly);
    auto mixedTable = database.value()->CreateTable(mixed);
    ASSERT_TRUE(fixedTable.ok() && mixedTable.ok());
    for (const auto& row : fixedRows) ASSERT_TRUE(fixedTable.value()->InsertRow(row).ok());
    for (const auto& row : mixedRows) ASSERT_TRUE(mixedTable.value()->InsertRow(row).ok());
    ASSERT_TRUE(database.value()->Save(file).ok());
  }
  auto database = provider::jet::Database::Open(file);
  ASSERT_TRUE(database.ok()) << database.status().ToString();
  EXPECT_TRUE(database.value()->FileHeader().password.empty());
  EXPECT_EQ(database.value()->FileHeader().sortOrder, 1025);
  for (const auto& [name, rows] : {std::pair{"adad", fixedRows}, std::pair{"binary", mixedRows}}) {
    auto table = database.value()->OpenTable(name);
    ASSERT_TRUE(table.ok()) << table.status().ToString();
    ASSERT_EQ(table.value()->RowCount(), rows.size()) << name;
    for (std::size_t r = 0; r < rows.size(); ++r)
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        auto value = table.value()->GetValue(r, c);
        ASSERT_TRUE(value.ok()) << value.status().ToString();
        EXPECT_EQ(value.value(), rows[r][c]) << name << " row " << r << " column " << c;
      }
  }
  const Rows exported = jetwritetest::MdbExport(file, "adad");
  ASSERT_EQ(exported.size(), 2u);
  EXPECT_EQ(exported[0][0], "255");
  EXPECT_EQ(exported[0][1], "-32768");
  EXPECT_EQ(exported[0][2], "-2147483648");
  EXPECT_EQ(exported[0][3], "1");
  EXPECT_EQ(exported[1][3], "0");
  EXPECT_EQ(exported[1][0], std::nullopt);
}

TEST(NewDatabaseTest, ValuesThatDoNotSuitTheirColumnAreRefusedAndWriteNothing) {
  auto database = NewDatabase::Create(kCreated);
  ASSERT_TRUE(database.ok());
  auto created = database.value()->CreateTable(TopicSpec(u"namoone"));
  ASSERT_TRUE(created.ok());
  TableWriter* table = created.value();
  const std::u16string title = u"عنوان";
  const struct {
    const char* what;
    std::vector<Value> values;
  } cases[] = {
      {"too few values", {Value{}, title}},
      {"an AutoNumber given", {std::int64_t{7}, title, Value{}, Value{}, Value{}}},
      {"a number for text", {Value{}, std::int64_t{1}, Value{}, Value{}, Value{}}},
      {"text of 256 characters", {Value{}, std::u16string(256, u'ک'), Value{}, Value{}, Value{}}},
      {"bytes for a memo", {Value{}, title, provider::Bytes{1, 2}, Value{}, Value{}}},
      {"U+FEFF and U+0600 together",
       {Value{}, std::u16string(u"\uFEFF\u0600"), Value{}, Value{}, Value{}}},
  };
  const std::size_t pages = database.value()->Pages().PageCount();
  for (const auto& c : cases) {
    auto row = table->InsertRow(c.values);
    EXPECT_FALSE(row.ok()) << c.what;
    EXPECT_EQ(row.status().kind(), provider::StatusKind::invalidArgument) << c.what;
  }
  EXPECT_EQ(table->RowCount(), 0u);
  EXPECT_EQ(database.value()->Pages().PageCount(), pages);
  auto row = table->InsertRow({Value{}, title, Value{}, Value{}, Value{}});
  ASSERT_TRUE(row.ok());
  EXPECT_EQ(table->LastAutoNumber(), 1);
}

TEST(NewDatabaseTest, NamesAndQuerySourcesAreChecked) {
  auto database = NewDatabase::Create(kCreated);
  ASSERT_TRUE(database.ok());
  ASSERT_TRUE(database.value()->CreateTable(TopicSpec(u"namoone")).ok());
  EXPECT_FALSE(database.value()->CreateTable(TopicSpec(u"NAMOONE")).ok());
  EXPECT_FALSE(database.value()->CreateTable(TopicSpec(u"MSysObjects")).ok());
  EXPECT_FALSE(database.value()->CreateSelectQuery(u"Qx", u"gomshode").ok());
  EXPECT_FALSE(database.value()->CreateSelectQuery(u"Qx", u"namoone", {u"nist"}).ok());
  EXPECT_FALSE(database.value()->CreateSelectQuery(u"Qx", u"MSysQueries").ok());
  EXPECT_TRUE(database.value()->CreateSelectQuery(u"Qx", u"namoone").ok());
  EXPECT_FALSE(database.value()->CreateSelectQuery(u"qx", u"namoone").ok());
  EXPECT_FALSE(database.value()->CreateSelectQuery(u"namoone", u"namoone").ok());
  TableSpec twice = TopicSpec(u"digar");
  twice.columns.push_back(ColumnSpec{u"Kholase", ColumnType::text, 10, false});
  EXPECT_FALSE(database.value()->CreateTable(twice).ok());
  TableSpec badAuto = TopicSpec(u"digar");
  badAuto.columns[1].autoNumber = true;
  EXPECT_FALSE(database.value()->CreateTable(badAuto).ok());
}

}  // namespace
