// Edits of files Access made: the peers see exactly the edits, every other table and the schema
// stay as they were, and changes the indexes cannot take are refused before anything is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/codepage.h"
#include "provider/jet/editor.h"
#include "provider/jet/index_check.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::FileBytes;
using jetwritetest::Repeat;
using provider::StatusKind;
using provider::Value;
using provider::jet::Editor;

std::size_t ColumnIndex(const std::string& path, const std::string& table, const std::string& name) {
  auto database = provider::jet::Database::Open(path);
  auto opened = database.value()->OpenTable(table);
  return static_cast<std::size_t>(opened.value()->FindColumn(name));
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

std::string Json(const jetwritetest::Cell& cell) {
  return cell ? "\"" + *cell + "\"" : "null";
}

struct Edit {
  std::string key;  // the key column's value as mdb-export prints it
  std::string column;
  jetwritetest::Cell value;  // text, or a number's digits when `number`
  bool number = false;
};

struct FileEdits {
  const char* file;
  const char* table;
  const char* keyColumn;
  Value key;  // of every edit: one row per file
  std::vector<Edit> edits;
};

TEST(AccessEditTest, EditsOfAccessFilesReachBothPeersAndNothingElseChanges) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  ASSERT_TRUE(jetwritetest::MissingMdbReader().empty()) << jetwritetest::MissingMdbReader();
  const std::string grown = Repeat("نوشیدنی و قهوه ", 700);
  const std::string latin = Repeat("a memo of many pages ", 400);
  const FileEdits files[] = {
      // Memos of a table with indexes: one grows into a chain, one shrinks, one turns Null.
      {"jackcess_test2V2003.mdb", "MSP_PROJECTS", "PROJ_ID", Value{std::int64_t{1}},
       {{"1", "PROJ_PROP_AUTHOR", grown}, {"1", "PROJ_PROP_COMPANY", "کوتاه"},
        {"1", "PROJ_PROP_CATEGORY", std::nullopt}}},
      // A file of four tables: a number not in any index.
      {"jackcess_testV2003.mdb", "Table1", "A", Value{u"abcdefg"}, {{"abcdefg", "E", "-77", true}}},
      // A memo and a text of a table Access made without indexes.
      {"mdbtestdata_DateTestDatabase.mdb", "DateTest", "IDCol", Value{std::int64_t{2}},
       {{"2", "LongTextCol", grown}, {"2", "ShortTextCol", "سلام"}}},
      // Jet 3, text in code page 1252: memos grow into a chain of 2048-byte pages, shrink and
      // turn Null; the row grows past 256 bytes (more jump bytes) and past its slot (it moves).
      {"jackcess_test2V1997.mdb",
       "MSP_PROJECTS",
       "PROJ_ID",
       Value{std::int64_t{1}},
       {{"1", "PROJ_PROP_AUTHOR", latin},
        {"1", "PROJ_PROP_COMPANY", "short"},
        {"1", "PROJ_PROP_CATEGORY", std::nullopt},
        {"1", "PROJ_PROJECT", Repeat("caf\u00e9 ", 40)},
        {"1", "PROJ_PROP_TITLE", "\u00c0 la fa\u00e7on"}}},
      {"jackcess_delTestV1997.mdb", "Table", "a", Value{u"z"}, {{"z", "b", Repeat("longer ", 7)}}},
      // A file whose rows Access moved already: a row with forwarded siblings moves too.
      {"jackcess_overflowTestV1997.mdb",
       "Table1",
       "data1",
       Value{u"row2col1"},
       {{"row2col1", "data10", Repeat("grown ", 8)}, {"row2col1", "data3", std::nullopt}}},
  };
  for (const FileEdits& file : files) {
    SCOPED_TRACE(file.file);
    const std::string dir = jetwritetest::TempDir("access");
    const std::string original = jetwritetest::CopyFixture(file.file, dir);
    const std::string path = dir + "/edited.mdb";
    std::filesystem::copy_file(original, path);
    const auto before = jetwritetest::PeerListing(path);
    {
      auto editor = Editor::Open(path);
      ASSERT_TRUE(editor.ok()) << editor.status().ToString();
      ASSERT_TRUE(editor.value()->Begin().ok());
      for (const Edit& edit : file.edits) {
        const std::uint32_t location = jetwritetest::LocationOf(path, file.table, file.key);
        ASSERT_NE(location, 0u);
        auto updated = editor.value()->UpdateRow(
            file.table, location,
            {{ColumnIndex(path, file.table, edit.column),
              edit.number ? Value{std::stoll(*edit.value)} : jetwritetest::TextValue(edit.value)}});
        ASSERT_TRUE(updated.ok()) << updated.status().ToString();
      }
      ASSERT_TRUE(editor.value()->Commit().ok());
    }

    const auto after = jetwritetest::PeerListing(path);
    for (const auto& [name, text] : before) {
      if (name != file.table) {
        EXPECT_EQ(after.at(name), text) << name << " changed";
      }
    }
    const auto rows = jetwritetest::MdbExport(path, file.table);
    const std::string header =
        jetwritetest::Run("mdb-export " + Quote(path) + " " + Quote(file.table) + " | head -1").text;
    for (const Edit& edit : file.edits) {
      std::size_t column = 0;
      for (std::size_t at = 0; header.compare(at, edit.column.size() + 1, edit.column + ",") != 0 &&
                               header.compare(at, edit.column.size() + 1, edit.column + "\n") != 0;
           at = header.find(',', at) + 1)
        ++column;
      const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == edit.key; });
      ASSERT_NE(row, rows.end()) << edit.key;
      // mdb-export prints an empty value as Null.
      EXPECT_EQ((*row)[column], edit.value && edit.value->empty() ? std::nullopt : edit.value)
          << edit.column;
    }

    std::string json = std::string("{\"") + file.table + "\": {\"key\": \"" + file.keyColumn +
                       "\", \"set\": {\"" + file.edits[0].key + "\": {";
    for (std::size_t i = 0; i < file.edits.size(); ++i)
      json += (i > 0 ? ", \"" : "\"") + file.edits[i].column + "\": " +
              (file.edits[i].number ? *file.edits[i].value : Json(file.edits[i].value));
    std::ofstream(dir + "/edits.json") << json << "}}}}";
    const auto compared = jetwritetest::Run(
        "node " + Quote(jetwritetest::SourceDir() + "/tests/node/compare_edit.mjs") + " " +
        Quote(original) + " " + Quote(path) + " " + Quote(dir + "/edits.json"));
    EXPECT_EQ(compared.exitCode, 0) << compared.text;
  }
}

TEST(AccessEditTest, ChangesTheIndexesCannotTakeAreRefusedBeforeAnythingIsWritten) {
  const std::string dir = jetwritetest::TempDir("refused");
  const std::string texts = jetwritetest::CopyFixture("jackcess_testUnicodeCompV2003.mdb", dir);
  const std::string keys = jetwritetest::CopyFixture("jackcess_indexTestV2003.mdb", dir);
  const std::vector<std::uint8_t> textBytes = FileBytes(texts);
  const std::vector<std::uint8_t> keyBytes = FileBytes(keys);
  const std::uint32_t first = jetwritetest::LocationOf(keys, "Table1", 0);
  const std::size_t id = ColumnIndex(keys, "Table1", "id");
  auto textEditor = Editor::Open(texts);
  ASSERT_TRUE(textEditor.ok()) << textEditor.status().ToString();
  auto keyEditor = Editor::Open(keys);
  ASSERT_TRUE(keyEditor.ok()) << keyEditor.status().ToString();
  struct Case {
    const char* what;
    provider::Status status;
    StatusKind kind;
    const char* message;  // a part of the message
  };
  // clang-format off
  const Case cases[] = {
      {"a text key whose sort code is unknown", textEditor.value()->InsertRow("Table", {Value{}, Value{u"نو"}}).status(), StatusKind::notSupported, "U+0646"},
      {"a stored text key whose sort code is unknown", textEditor.value()->DeleteRow("Table", jetwritetest::LocationOf(texts, "Table", 5)), StatusKind::notSupported, "U+6F22"},
      {"a primary key taken by an insert", keyEditor.value()->InsertRow("Table1", {Value{std::int64_t{1}}, Value{std::int64_t{1}}, Value{std::int64_t{11}}, Value{u"dup"}, Value{std::int64_t{0}}}).status(), StatusKind::invalidArgument, "duplicate values in the index"},
      {"a primary key taken", keyEditor.value()->UpdateRow("Table1", first, {{id, Value{std::int64_t{2}}}}).status(), StatusKind::invalidArgument, "duplicate values in the index"},
      {"a null primary key", keyEditor.value()->UpdateRow("Table1", first, {{id, Value{}}}).status(), StatusKind::invalidArgument, "cannot contain a Null value"},
  };
  // clang-format on
  for (const Case& refused : cases) {
    SCOPED_TRACE(refused.what);
    EXPECT_EQ(refused.status.kind(), refused.kind) << refused.status.ToString();
    EXPECT_NE(refused.status.message().find(refused.message), std::string::npos) << refused.status.message();
  }
  // Writing an indexed column's own value again changes no index.
  const std::uint32_t textRow = jetwritetest::LocationOf(texts, "Table", 1);
  const std::size_t textId = ColumnIndex(texts, "Table", "ID");
  EXPECT_TRUE(textEditor.value()->UpdateRow("Table", textRow, {{textId, Value{std::int64_t{1}}}}).ok());
  EXPECT_EQ(FileBytes(texts), textBytes);
  EXPECT_EQ(FileBytes(keys), keyBytes);
}

// A table without indexes in a file Access made takes inserts and deletes too, Jet 4 and Jet 3.
TEST(AccessEditTest, RowsComeAndGoInATableWithoutIndexes) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  struct Case {
    const char* file;
    std::vector<std::string> added;
  };
  const Case cases[] = {
      {"jackcess_delTestV2003.mdb", {"تازه", "new"}},
      {"jackcess_delTestV1997.mdb", {"fr\u00eache", Repeat("new ", 12)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string dir = jetwritetest::TempDir("deltest");
    const std::string path = jetwritetest::CopyFixture(c.file, dir);
    const auto before = jetwritetest::MdbExport(path, "Table");
    ASSERT_GE(before.size(), 2u);
    {
      auto editor = Editor::Open(path);
      ASSERT_TRUE(editor.ok()) << editor.status().ToString();
      auto database = provider::jet::Database::Open(path);
      auto table = database.value()->OpenTable("Table");
      ASSERT_TRUE(table.ok());
      ASSERT_TRUE(editor.value()->DeleteRow("Table", table.value()->RowLocation(0)).ok());
      auto added = editor.value()->InsertRow(
          "Table", {jetwritetest::TextValue(c.added[0]), jetwritetest::TextValue(c.added[1])});
      ASSERT_TRUE(added.ok()) << added.status().ToString();
    }
    auto after = jetwritetest::MdbExport(path, "Table");
    auto expected = before;
    expected.erase(expected.begin());
    expected.push_back({c.added[0], c.added[1]});
    std::sort(after.begin(), after.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected);
    EXPECT_EQ(jetwritetest::RecordedRowCount(path, "Table"), expected.size());
    EXPECT_EQ(jetwritetest::EngineRows(path, "Table").size(), expected.size());
  }
}

// Access gives a yes/no column fixed offset 0 and length 1 although its value lives in the null
// mask: writing a row must leave the bytes of the column that really is at offset 0 alone.
TEST(AccessEditTest, YesNoColumnsLeaveTheOtherFixedValuesAlone) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  const std::string dir = jetwritetest::TempDir("yesno");
  const std::string path = jetwritetest::CopyFixture("jackcess_testV2003.mdb", dir);
  {
    auto editor = Editor::Open(path);
    ASSERT_TRUE(editor.ok()) << editor.status().ToString();
    // A B (text), C (byte, fixed offset 0), D (integer), E (long), F (double), G (date),
    // H (currency), I (yes/no).
    for (bool flag : {true, false}) {
      auto added = editor.value()->InsertRow(
          "Table1", {Value{flag ? u"yes" : u"no"}, Value{u"new"}, Value{std::int64_t{7}},
                     Value{std::int64_t{8}}, Value{std::int64_t{9}}, Value{}, Value{}, Value{},
                     Value{flag}});
      ASSERT_TRUE(added.ok()) << added.status().ToString();
    }
    const std::uint32_t first = jetwritetest::LocationOf(path, "Table1", Value{u"abcdefg"});
    auto updated = editor.value()->UpdateRow("Table1", first, {{8, Value{false}}});
    ASSERT_TRUE(updated.ok()) << updated.status().ToString();
  }
  auto rows = jetwritetest::MdbExport(path, "Table1");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0][2], "2");
  EXPECT_EQ(rows[0][8], "0");
  for (std::size_t row : {2u, 3u}) {
    EXPECT_EQ(rows[row][2], "7");
    EXPECT_EQ(rows[row][3], "8");
    EXPECT_EQ(rows[row][8], rows[row][0] == "yes" ? "1" : "0");
  }
}

// Jet 3 integer indexes keep one entry per row through inserts, deletes and key changes, on the
// Jet 3 index page layout; a Jet 3 text key the files do not show is refused, naming why.
TEST(AccessEditTest, JetThreeIntegerIndexesFollowTheRows) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  const std::string dir = jetwritetest::TempDir("jet3index");
  const std::string path = jetwritetest::CopyFixture("jackcess_delColTestV1997.mdb", dir);
  const std::string texts = jetwritetest::CopyFixture("jackcess_test2V1997.mdb", dir);
  {
    auto editor = Editor::Open(path);
    ASSERT_TRUE(editor.ok()) << editor.status().ToString();
    ASSERT_TRUE(editor.value()->Begin().ok());
    const std::uint32_t zero = jetwritetest::LocationOf(path, "Table1", 0);
    const std::uint32_t three = jetwritetest::LocationOf(path, "Table1", 3);
    ASSERT_TRUE(editor.value()->DeleteRow("Table1", zero).ok());
    auto changed = editor.value()->UpdateRow("Table1", three, {{0, Value{std::int64_t{10}}}});
    ASSERT_TRUE(changed.ok()) << changed.status().ToString();
    for (std::int64_t id : {7, -4, 100000}) {
      auto added = editor.value()->InsertRow(
          "Table1", {Value{id}, Value{id + 1}, Value{u"new"}, Value{std::u16string()}});
      ASSERT_TRUE(added.ok()) << added.status().ToString();
    }
    ASSERT_TRUE(editor.value()->Commit().ok());
  }
  auto rows = jetwritetest::MdbExport(path, "Table1");
  std::sort(rows.begin(), rows.end());
  const jetwritetest::Rows expected = {{"-4", "-3", "new", std::nullopt},
                                       {"10", "5", "bar", "bar2"},
                                       {"100000", "100001", "new", std::nullopt},
                                       {"7", "8", "new", std::nullopt}};
  EXPECT_EQ(rows, expected);
  auto database = provider::jet::Database::Open(path);
  ASSERT_TRUE(database.ok());
  auto checks = provider::jet::CheckIndexes(*database.value(), "Table1");
  ASSERT_TRUE(checks.ok()) << checks.status().ToString();
  ASSERT_EQ(checks.value().size(), 2u);
  for (const auto& check : checks.value()) {
    SCOPED_TRACE(check.name);
    EXPECT_TRUE(check.problems.empty()) << check.problems[0];
    EXPECT_EQ(check.entries.size(), 4u);
    EXPECT_EQ(check.keysChecked, 4u);
  }

  const std::vector<std::uint8_t> before = FileBytes(texts);
  auto editor = Editor::Open(texts);
  ASSERT_TRUE(editor.ok());
  const std::uint32_t project = jetwritetest::LocationOf(texts, "MSP_PROJECTS", 1);
  auto refused = editor.value()->UpdateRow(
      "MSP_PROJECTS", project,
      {{ColumnIndex(texts, "MSP_PROJECTS", "PROJ_NAME"), Value{u"\u00c6sop caf\u00e9"}}});
  EXPECT_EQ(refused.status().kind(), StatusKind::notSupported) << refused.status().ToString();
  EXPECT_NE(refused.status().message().find("U+00E9"), std::string::npos)
      << refused.status().message();
  EXPECT_EQ(FileBytes(texts), before);
}

}  // namespace
