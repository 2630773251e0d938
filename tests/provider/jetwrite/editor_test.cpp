// Changing rows of existing files: every reader sees exactly the new values, counts stay right,
// and a refused or rolled-back change leaves the file as it was.
#include "provider/jet/editor.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::Cell;
using jetwritetest::Describe;
using jetwritetest::FileBytes;
using jetwritetest::Repeat;
using jetwritetest::Rows;
using jetwritetest::TextValue;
using provider::StatusKind;
using provider::Value;
using provider::jet::ColumnValue;
using provider::jet::Editor;

constexpr std::size_t kTitle = 1;
constexpr std::size_t kAnswer = 2;

// Four rows whose answers start in each storage form: inline, one LVAL row, a chain, none.
std::string Sample(const std::string& name) {
  const std::string path = jetwritetest::TempDir(name) + "/sample.mdb";
  jetwritetest::WriteEditSample(path, {"یک", "دو", "سه", "چهار"},
                                 {"کوتاه", Repeat("پاسخ ", 300), Repeat("متن بلند ", 900), ""});
  return path;
}

std::unique_ptr<Editor> OpenEditor(const std::string& path) {
  auto editor = Editor::Open(path);
  EXPECT_TRUE(editor.ok()) << editor.status().ToString();
  return editor.ok() ? editor.take() : nullptr;
}

// The engine's rows must be the expected ones, and the other readers must list the same rows
// (in their own order, which puts a moved row where its bytes are).
void ExpectEveryReaderShows(const std::string& path, const Rows& expected) {
  const Rows listed = jetwritetest::EngineRows(path, "namoone");
  EXPECT_EQ(Describe(listed), Describe(expected));
  EXPECT_EQ(jetwritetest::RecordedRowCount(path, "namoone"), expected.size());
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  Rows exported = listed;  // mdb-export cannot tell empty text from Null
  for (auto& row : exported)
    for (Cell& cell : row)
      if (cell && cell->empty()) cell.reset();
  const Rows shown = jetwritetest::MdbExport(path, "namoone");
  EXPECT_EQ(Describe(shown), Describe(exported));
  ASSERT_TRUE(jetwritetest::MissingMdbReader().empty()) << jetwritetest::MissingMdbReader();
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(
                path, {{"namoone",
                        {"id", "kholase", "pasokh"},
                        jetwritetest::InOrderOf(listed, shown),
                        {true, false, false}}}),
            "");
}

TEST(EditorTest, UpdatesReachEveryReader) {
  const std::string path = Sample("update");
  Rows expected = jetwritetest::EngineRows(path, "namoone");
  ASSERT_EQ(expected.size(), 4u);
  struct Case {
    std::size_t row;
    std::size_t column;
    Cell value;
    const char* what;
  };
  const Case cases[] = {
      {0, kAnswer, Repeat("ی", 20), "inline memo stays inline"},
      {0, kAnswer, Repeat("پ", 1500), "inline memo grows to one long-value row"},
      {1, kAnswer, Repeat("x", 9000), "one row grows to a chain"},
      {2, kAnswer, "کوتاه شد", "a chain shrinks to inline"},
      {3, kAnswer, std::nullopt, "a memo becomes Null"},
      {1, kTitle, Repeat("ک", 255), "the row grows and moves"},
      {1, kTitle, "ب", "a moved row shrinks in its new slot"},
      {1, kTitle, Repeat("گ", 250) + "ی", "a moved row moves again"},
      {2, kTitle, "", "a title shrinks to empty, padded in place"},
      {3, kTitle, std::nullopt, "a title becomes Null"},
  };
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  for (const Case& change : cases) {
    SCOPED_TRACE(change.what);
    const auto id = static_cast<std::int64_t>(change.row + 1);
    const std::uint32_t location = jetwritetest::LocationOf(path, "namoone", id);
    auto updated =
        editor->UpdateRow("namoone", location, {ColumnValue{change.column, TextValue(change.value)}});
    ASSERT_TRUE(updated.ok()) << updated.status().ToString();
    expected[change.row][change.column] = change.value;
    EXPECT_EQ(Describe(jetwritetest::EngineRows(path, "namoone")), Describe(expected));
    EXPECT_EQ(jetwritetest::LocationOf(path, "namoone", id), updated.value());
  }
  editor.reset();
  ExpectEveryReaderShows(path, expected);
}

TEST(EditorTest, InsertsAndDeletesKeepCountsAndNumbers) {
  const std::string path = Sample("insert");
  Rows expected = jetwritetest::EngineRows(path, "namoone");
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  const std::vector<Cell> added[] = {{"پنج", "کوتاه"}, {"شش", Repeat("بلند ", 3000)}, {"هفت", std::nullopt}};
  for (std::size_t i = 0; i < std::size(added); ++i) {
    auto row = editor->InsertRow("namoone", {Value{}, TextValue(added[i][0]), TextValue(added[i][1])});
    ASSERT_TRUE(row.ok()) << row.status().ToString();
    EXPECT_EQ(editor->LastAutoNumber(), static_cast<std::int64_t>(5 + i));
    expected.push_back({std::to_string(5 + i), added[i][0], added[i][1]});
  }
  // A moved row and a row with a chained memo go, each with its forwarding slot and pages.
  auto moved = editor->UpdateRow("namoone", jetwritetest::LocationOf(path, "namoone", 2),
                                 {ColumnValue{kTitle, TextValue(Repeat("ز", 255))}});
  ASSERT_TRUE(moved.ok()) << moved.status().ToString();
  for (std::size_t row : {2u, 1u}) {
    const auto id = static_cast<std::int64_t>(row + 1);
    const provider::Status deleted =
        editor->DeleteRow("namoone", jetwritetest::LocationOf(path, "namoone", id));
    ASSERT_TRUE(deleted.ok()) << deleted.ToString();
    expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
  }
  // Numbers are not given twice, even after deletes.
  ASSERT_TRUE(editor->InsertRow("namoone", {Value{}, TextValue("هشت"), Value{}}).ok());
  EXPECT_EQ(editor->LastAutoNumber(), 8);
  expected.push_back({"8", "هشت", std::nullopt});
  editor.reset();
  ExpectEveryReaderShows(path, expected);
}

TEST(EditorTest, TransactionsAreAllOrNothing) {
  const std::string path = Sample("transaction");
  const std::vector<std::uint8_t> before = FileBytes(path);
  Rows expected = jetwritetest::EngineRows(path, "namoone");
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  const std::uint32_t first = jetwritetest::LocationOf(path, "namoone", 1);

  ASSERT_TRUE(editor->Begin().ok());
  EXPECT_EQ(editor->Begin().kind(), StatusKind::invalidArgument);
  ASSERT_TRUE(editor->UpdateRow("namoone", first, {{kAnswer, TextValue(Repeat("ن", 5000))}}).ok());
  ASSERT_TRUE(editor->InsertRow("namoone", {Value{}, TextValue("نو"), Value{}}).ok());
  editor->Rollback();
  EXPECT_EQ(FileBytes(path), before) << "a rolled-back transaction touched the file";
  EXPECT_EQ(editor->Commit().kind(), StatusKind::invalidArgument);

  ASSERT_TRUE(editor->Begin().ok());
  ASSERT_TRUE(editor->UpdateRow("namoone", first, {{kAnswer, TextValue("تازه")}}).ok());
  // A refused change in the middle leaves the others in place.
  EXPECT_FALSE(editor->UpdateRow("namoone", first, {{kTitle, TextValue(Repeat("x", 256))}}).ok());
  EXPECT_FALSE(editor->InsertRow("namoone", {Value{}, TextValue(Repeat("x", 300)), Value{}}).ok());
  ASSERT_TRUE(editor->InsertRow("namoone", {Value{}, TextValue("نو"), Value{}}).ok());
  EXPECT_EQ(FileBytes(path), before) << "changes reached the file before the commit";
  ASSERT_TRUE(editor->Commit().ok());
  expected[0][kAnswer] = "تازه";
  expected.push_back({"5", "نو", std::nullopt});
  EXPECT_EQ(Describe(jetwritetest::EngineRows(path, "namoone")), Describe(expected));
  EXPECT_EQ(std::filesystem::file_size(path + "-journal"), 0u) << "a finished commit's journal";
  editor.reset();
  EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(EditorTest, RefusedChangesWriteNothing) {
  const std::string path = Sample("refused");
  const std::vector<std::uint8_t> before = FileBytes(path);
  const std::uint32_t first = jetwritetest::LocationOf(path, "namoone", 1);
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  const std::uint32_t deleted = jetwritetest::LocationOf(path, "namoone", 4);
  ASSERT_TRUE(editor->DeleteRow("namoone", deleted).ok());
  const std::vector<std::uint8_t> afterDelete = FileBytes(path);
  EXPECT_NE(afterDelete, before);
  struct Case {
    const char* what;
    std::function<provider::Status(Editor&)> change;
    StatusKind kind;
  };
  const Case cases[] = {
      {"a title longer than its column",
       [&](Editor& e) { return e.UpdateRow("namoone", first, {{kTitle, TextValue(Repeat("x", 256))}}).status(); },
       StatusKind::invalidArgument},
      {"a number for a text column",
       [&](Editor& e) { return e.UpdateRow("namoone", first, {{kTitle, Value{std::int64_t{3}}}}).status(); },
       StatusKind::invalidArgument},
      {"a column the table does not have",
       [&](Editor& e) { return e.UpdateRow("namoone", first, {{7, Value{}}}).status(); },
       StatusKind::invalidArgument},
      {"a changed AutoNumber",
       [&](Editor& e) { return e.UpdateRow("namoone", first, {{0, Value{std::int64_t{99}}}}).status(); },
       StatusKind::notSupported},
      {"an AutoNumber given on insert",
       [&](Editor& e) { return e.InsertRow("namoone", {Value{std::int64_t{9}}, Value{}, Value{}}).status(); },
       StatusKind::notSupported},
      {"too few values on insert",
       [&](Editor& e) { return e.InsertRow("namoone", {Value{}}).status(); },
       StatusKind::invalidArgument},
      {"a row that is not there",
       [&](Editor& e) { return e.UpdateRow("namoone", (2u << 8) | 7, {{kTitle, Value{}}}).status(); },
       StatusKind::notFound},
      {"a row already deleted",
       [&](Editor& e) { return e.DeleteRow("namoone", deleted); },
       StatusKind::notFound},
      {"a table that is not there",
       [&](Editor& e) { return e.DeleteRow("nist", first); },
       StatusKind::notFound},
  };
  for (const Case& refused : cases) {
    SCOPED_TRACE(refused.what);
    const provider::Status status = refused.change(*editor);
    EXPECT_EQ(status.kind(), refused.kind) << status.ToString();
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(FileBytes(path), afterDelete);
  }
}

// Two writers never write one file at once; readers are never kept out, and the lock file goes
// with the last writer.
TEST(EditorTest, SecondWriterIsRefusedAndReadersAreNot) {
  const std::string path = Sample("lock");
  const std::string lockFile = path.substr(0, path.size() - 4) + ".ldb";
  auto first = OpenEditor(path);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(std::filesystem::exists(lockFile));
  auto second = Editor::Open(path);
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.status().kind(), StatusKind::io);
  EXPECT_EQ(second.status().message().rfind("Could not update; currently locked by user 'Admin' on machine '", 0), 0u)
      << second.status().message();
  EXPECT_TRUE(provider::jet::Database::Open(path).ok());
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(lockFile));
  EXPECT_NE(OpenEditor(path), nullptr);
}

// A Jet 3 file stores text in its code page (1252 here): text it has no equivalent for is
// refused before anything is written, never stored as question marks.
TEST(EditorTest, JetThreeTextTheCodePageCannotHoldIsRefused) {
  const std::string dir = jetwritetest::TempDir("jet3");
  const std::string path = jetwritetest::CopyFixture("jackcess_delTestV1997.mdb", dir);
  const auto bytes = FileBytes(path);
  const std::uint32_t first = jetwritetest::LocationOf(path, "Table", Value{u"z"});
  ASSERT_NE(first, 0u);
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  auto updated = editor->UpdateRow("Table", first, {{1, Value{u"\u0633\u0644\u0627\u0645"}}});
  ASSERT_FALSE(updated.ok());
  EXPECT_EQ(updated.status().kind(), StatusKind::invalidArgument) << updated.status().ToString();
  EXPECT_NE(updated.status().message().find("1252"), std::string::npos)
      << updated.status().message();
  auto inserted = editor->InsertRow("Table", {Value{u"\u4E2D"}, Value{}});
  EXPECT_EQ(inserted.status().kind(), StatusKind::invalidArgument) << inserted.status().ToString();
  EXPECT_EQ(FileBytes(path), bytes);
}

// A row that grows past its slot moves, leaving a forwarding pointer; a scan still lists it once,
// in its place, under the location it had, which UpdateRow returns and later changes use.
TEST(EditorTest, AMovedRowKeepsItsPlaceAndLocation) {
  const std::string path = Sample("moved");
  Rows expected = jetwritetest::EngineRows(path, "namoone");
  const std::uint32_t location = jetwritetest::LocationOf(path, "namoone", 2);
  ASSERT_NE(location, 0u);
  auto editor = OpenEditor(path);
  ASSERT_NE(editor, nullptr);
  struct Step {
    const char* what;
    std::size_t title;  // characters of the new title
  };
  const Step steps[] = {
      {"grows past its slot and moves", 120},
      {"grows again and moves on", 250},
      {"shrinks where it now lies", 3},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const Cell title = Repeat("ت", step.title);
    auto updated = editor->UpdateRow("namoone", location, {{kTitle, TextValue(title)}});
    ASSERT_TRUE(updated.ok()) << updated.status().ToString();
    EXPECT_EQ(updated.value(), location);
    expected[1][kTitle] = title;
    auto database = provider::jet::Database::Open(path);
    auto table = database.value()->OpenTable("namoone");
    ASSERT_TRUE(table.ok());
    ASSERT_EQ(table.value()->RowCount(), 4u);
    EXPECT_EQ(table.value()->RowLocation(1), location);
    EXPECT_EQ(jetwritetest::EngineRows(path, "namoone"), expected);
    // The peers list the moved row where its bytes are now, after the others.
    EXPECT_EQ(jetwritetest::MdbExport(path, "namoone").back()[0], Cell("2"));
    ExpectEveryReaderShows(path, expected);
  }
  ASSERT_TRUE(editor->DeleteRow("namoone", location).ok());
  expected.erase(expected.begin() + 1);
  ExpectEveryReaderShows(path, expected);
  EXPECT_EQ(jetwritetest::EngineRows(path, "namoone"), expected);
}

// A memo edited over and over takes the space its earlier values left: 1,000 edits cycling
// through inline, one long-value row, a chain and back grow the file by no more than the pages
// one copy of the longest value needs, plus one page whose room is cut up by the shorter values
// (without reuse the file would grow by about 6,000 pages). Jet 4 and Jet 3.
TEST(EditorTest, RepeatedMemoEditsReuseTheFreedSpace) {
  struct Case {
    const char* what;
    std::string fixture;  // empty: the sample
    const char* table;
    const char* keyColumn;
    Value key;
    const char* column;
    std::string unit;          // repeated to make the values
    std::size_t unitBytes;     // stored bytes of one unit
    std::size_t pageSize;
    std::size_t chunk;         // bytes of a chained long-value row
  };
  const Case cases[] = {
      {"Jet 4", "", "namoone", "id", Value{std::int64_t{2}}, "pasokh", "پاسخ ", 10, 4096, 4072},
      {"Jet 3", "jackcess_test2V1997.mdb", "MSP_PROJECTS", "PROJ_ID", Value{std::int64_t{1}},
       "PROJ_PROP_AUTHOR", "memo ", 5, 2048, 2028},
  };
  const std::size_t repeats[] = {4, 150, 1800, 40};  // inline, one row, a chain, one row
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path =
        c.fixture.empty() ? Sample("reuse")
                          : jetwritetest::CopyFixture(c.fixture, jetwritetest::TempDir("reuse3"));
    const std::uint32_t location = jetwritetest::LocationOf(path, c.table, c.key);
    ASSERT_NE(location, 0u);
    const std::string before = path + ".before";
    std::filesystem::copy_file(path, before);
    const auto column = static_cast<std::size_t>(
        provider::jet::Database::Open(path).value()->OpenTable(c.table).value()->FindColumn(
            c.column));
    auto editor = OpenEditor(path);
    ASSERT_NE(editor, nullptr);
    std::uintmax_t afterFirstRound = 0;
    std::string last;
    // Ten edits a transaction: a synced commit each would make the test slow, and the space an
    // edit frees is taken by the same edit's new value either way.
    for (std::size_t edit = 0; edit < 1000; ++edit) {
      if (edit % 10 == 0) {
        ASSERT_TRUE(editor->Begin().ok());
      }
      last = std::to_string(edit) + Repeat(c.unit, repeats[edit % 4]);
      auto updated = editor->UpdateRow(c.table, location, {{column, TextValue(last)}});
      ASSERT_TRUE(updated.ok()) << edit << ": " << updated.status().ToString();
      if (edit % 10 == 9) {
        ASSERT_TRUE(editor->Commit().ok());
      }
      if (edit == 9) afterFirstRound = std::filesystem::file_size(path);
    }
    const std::size_t longest = 4 + repeats[2] * c.unitBytes;
    const std::size_t bound = ((longest + c.chunk - 1) / c.chunk + 1) * c.pageSize;
    EXPECT_LE(std::filesystem::file_size(path), afterFirstRound + bound);
    const auto keyed = [&](const std::vector<Cell>& r) { return r[0] == jetwritetest::CellOf(c.key); };
    const Rows listed = jetwritetest::EngineRows(path, c.table);
    const auto engineRow = std::find_if(listed.begin(), listed.end(), keyed);
    ASSERT_NE(engineRow, listed.end());
    EXPECT_EQ((*engineRow)[column], last);
    const Rows shown = jetwritetest::MdbExport(path, c.table);
    const auto exported = std::find_if(shown.begin(), shown.end(), keyed);
    ASSERT_NE(exported, shown.end());
    EXPECT_EQ((*exported)[column], last);
    const std::string edits = path + ".edits.json";
    std::ofstream(edits) << "{\"" << c.table << "\": {\"key\": \"" << c.keyColumn
                         << "\", \"set\": {\"" << *jetwritetest::CellOf(c.key) << "\": {\""
                         << c.column << "\": \"" << last << "\"}}}}";
    const auto compared = jetwritetest::Run("node '" + jetwritetest::SourceDir() +
                                            "/tests/node/compare_edit.mjs' '" + before + "' '" +
                                            path + "' '" + edits + "'");
    EXPECT_EQ(compared.exitCode, 0) << compared.text;
  }
}

TEST(EditorTest, ReadOnlyFilesAndFoldersRefuseEditsWithJetsMessage) {
  using std::filesystem::perms;
  const struct {
    const char* what;
    bool folder;
  } cases[] = {{"read-only file", false}, {"read-only folder", true}};
  for (const auto& c : cases) {
    const std::string path = Sample(c.folder ? "readonly_folder" : "readonly_file");
    const std::filesystem::path locked =
        c.folder ? std::filesystem::path(path).parent_path() : std::filesystem::path(path);
    const perms before = std::filesystem::status(locked).permissions();
    std::filesystem::permissions(locked, perms::owner_read | perms::owner_exec);
    const auto bytes = FileBytes(path);
    auto editor = Editor::Open(path);
    ASSERT_FALSE(editor.ok()) << c.what;
    EXPECT_EQ(editor.status().message(), "Cannot update. Database or object is read-only.")
        << c.what;
    EXPECT_TRUE(provider::jet::Database::Open(path).ok()) << c.what;
    EXPECT_EQ(FileBytes(path), bytes) << c.what;
    std::filesystem::permissions(locked, before);
  }
}

}  // namespace
