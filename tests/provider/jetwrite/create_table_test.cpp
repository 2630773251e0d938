// Tables added to files Access made: every reader lists them with their rows, the catalog's
// indexes stay sound, the permissions are those Access gives, and nothing else changes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <random>
#include <set>

#include "platform/codepage.h"
#include "provider/jet/editor.h"
#include "provider/jet/index_check.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::FileBytes;
using provider::StatusKind;
using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::Editor;
using provider::jet::TableSpec;

constexpr provider::DateTime kCreated{46364.5};  // 2026-12-08 12:00
constexpr std::int64_t kTablesContainer = 0x0F000001;

TableSpec Notes(std::u16string name = u"Notes") {
  return {std::move(name),
          {ColumnSpec{u"Id", ColumnType::longInteger, 0, true},
           ColumnSpec{u"Title", ColumnType::text, 80},
           ColumnSpec{u"Body", ColumnType::memo},
           ColumnSpec{u"Stamp", ColumnType::dateTime},
           ColumnSpec{u"Done", ColumnType::boolean},
           ColumnSpec{u"Score", ColumnType::integer}}};
}

// One catalog table's rows as the engine reads them, each cell as text.
std::vector<std::vector<std::string>> CatalogRows(const std::string& path, const std::string& table) {
  auto database = provider::jet::Database::Open(path);
  auto opened = database.value()->OpenTable(table);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t row = 0; row < opened.value()->RowCount(); ++row) {
    std::vector<std::string> cells;
    for (std::size_t column = 0; column < opened.value()->Columns().size(); ++column) {
      const Value value = opened.value()->GetValue(row, column).value();
      if (const auto* bytes = std::get_if<provider::Bytes>(&value)) {
        cells.emplace_back(bytes->begin(), bytes->end());
      } else if (const auto* flag = std::get_if<bool>(&value)) {
        cells.push_back(*flag ? "yes" : "no");
      } else {
        cells.push_back(jetwritetest::CellOf(value).value_or(""));
      }
    }
    rows.push_back(cells);
  }
  return rows;
}

// The MSysACEs rows of `object` (SID and rights; only the inheritable ones when asked).
std::multiset<std::pair<std::string, std::string>> Permissions(const std::string& path,
                                                               std::int64_t object,
                                                               bool inheritableOnly = false) {
  std::multiset<std::pair<std::string, std::string>> permissions;
  for (const auto& row : CatalogRows(path, "MSysACEs"))  // ObjectId, SID, ACM, FInheritable
    if (row[0] == std::to_string(object) && (!inheritableOnly || row[3] == "yes"))
      permissions.insert({row[1], row[2]});
  return permissions;
}

// MSysObjects: Id, ParentId, Name, Type, DateCreate, DateUpdate, Owner, Flags, ...
std::vector<std::string> CatalogEntry(const std::string& path, const std::string& name) {
  for (const auto& row : CatalogRows(path, "MSysObjects"))
    if (row[2] == name) return row;
  return {};
}

TEST(CreateTableTest, AccessFilesTakeANewTableThatEveryReaderLists) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  ASSERT_TRUE(jetwritetest::MissingMdbReader().empty()) << jetwritetest::MissingMdbReader();
  struct Case {
    const char* file;
    // The object whose permissions the new table is given: a user table of the file (all of its
    // user tables hold the same), or the Tables container, passing on its inheritable ones.
    const char* like;
  };
  const Case cases[] = {
      {"jackcess_testV2003.mdb", "Table1"},
      {"jackcess_indexTestV2003.mdb", "Table1"},
      {"jackcess_queryTestV2003.mdb", "Table2"},
      {"jackcess_empty2003.mdb", nullptr},
      // Jet 3: 2048-byte pages, names and text in code page 1252.
      {"jackcess_testV1997.mdb", "Table1"},
      {"jackcess_delTestV1997.mdb", "Table"},
  };
  const std::string persian = jetwritetest::Repeat("پاسخی بلند برای آزمودن صفحه‌های حافظه ", 300);
  const std::string latin = jetwritetest::Repeat("une longue réponse ", 600);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string dir = jetwritetest::TempDir("create");
    const std::string path = jetwritetest::CopyFixture(c.file, dir);
    const auto before = jetwritetest::PeerListing(path);
    const bool jet3 = std::string(c.file).find("1997") != std::string::npos;
    const std::string title = jet3 ? "court" : "کوتاه";
    const std::string body = jet3 ? "café" : "سلام";
    const std::string answer = jet3 ? latin : persian;
    {
      auto editor = Editor::Open(path);
      ASSERT_TRUE(editor.ok()) << editor.status().ToString();
      auto created = editor.value()->CreateTable(Notes(), kCreated);
      ASSERT_TRUE(created.ok()) << created.ToString();
      ASSERT_TRUE(editor.value()->Begin().ok());
      for (const auto& [text, memo] : {std::pair{title, body}, std::pair{std::string("long"), answer}}) {
        auto added = editor.value()->InsertRow(
            "Notes", {Value{}, jetwritetest::TextValue(text), jetwritetest::TextValue(memo),
                      Value{kCreated}, Value{true}, Value{std::int64_t{-3}}});
        ASSERT_TRUE(added.ok()) << added.status().ToString();
      }
      ASSERT_TRUE(editor.value()->Commit().ok());
    }

    const auto after = jetwritetest::PeerListing(path);
    for (const auto& [name, text] : before) {
      if (name != "(schema)") {
        EXPECT_EQ(after.at(name), text) << name << " changed";
      }
    }
    // Every table the schema listed is listed as before; the new one is added.
    std::size_t at = 0;
    for (std::size_t next; (next = before.at("(schema)").find("CREATE TABLE", at + 1)) !=
                           std::string::npos;
         at = next) {
      const std::string block = before.at("(schema)").substr(next, 200);
      EXPECT_NE(after.at("(schema)").find(block.substr(0, block.find(");"))), std::string::npos);
    }
    EXPECT_NE(after.at("(schema)").find("CREATE TABLE [Notes]"), std::string::npos);

    const jetwritetest::Rows expected = {{"1", title, body, "-3"}, {"2", "long", answer, "-3"}};
    jetwritetest::Rows exported;
    for (const auto& row : jetwritetest::MdbExport(path, "Notes"))
      exported.push_back({row[0], row[1], row[2], row[5]});
    EXPECT_EQ(exported, expected);
    jetwritetest::Rows read;
    for (const auto& row : jetwritetest::ReaderRows(path, "Notes"))
      read.push_back({row[0], row[1], row[2], row[5]});
    EXPECT_EQ(read, expected);

    auto database = provider::jet::Database::Open(path);
    ASSERT_TRUE(database.ok());
    for (const char* catalog : {"MSysObjects", "MSysACEs"}) {
      auto checks = provider::jet::CheckIndexes(*database.value(), catalog);
      ASSERT_TRUE(checks.ok()) << checks.status().ToString();
      for (const auto& check : checks.value()) {
        EXPECT_TRUE(check.problems.empty()) << catalog << ": " << check.problems[0];
      }
    }

    const auto entry = CatalogEntry(path, "Notes");
    ASSERT_FALSE(entry.empty());
    EXPECT_EQ(entry[1], std::to_string(kTablesContainer));
    EXPECT_EQ(entry[3], "1");
    EXPECT_EQ(entry[6], CatalogEntry(path, "MSysDb")[6]);  // the database owner's SID
    EXPECT_EQ(entry[7], "0");
    const std::int64_t id = std::stoll(entry[0]);
    const auto expectedPermissions =
        c.like != nullptr ? Permissions(path, std::stoll(CatalogEntry(path, c.like)[0]))
                          : Permissions(path, kTablesContainer, true);
    EXPECT_FALSE(expectedPermissions.empty());
    EXPECT_EQ(Permissions(path, id), expectedPermissions);
  }
}

TEST(CreateTableTest, RefusalsLeaveTheFileAsItWas) {
  struct Case {
    const char* file;
    TableSpec design;
    bool inTransaction;
    StatusKind kind;
  };
  TableSpec badColumn = Notes(u"Other");
  badColumn.columns[1].name = u"[Title]";
  const char* const file = "jackcess_queryTestV2003.mdb";
  const Case cases[] = {
      {file, Notes(u"TABLE1"), false, StatusKind::invalidArgument},
      {file, Notes(u"selectquery"), false, StatusKind::invalidArgument},
      {file, Notes(u"two.parts"), false, StatusKind::invalidArgument},
      {file, Notes(u" leading"), false, StatusKind::invalidArgument},
      {file, badColumn, false, StatusKind::invalidArgument},
      {file, Notes(), true, StatusKind::invalidArgument},
      // The catalog's name index has no established sort codes for Persian letters.
      {file, Notes(u"یادداشت"), false, StatusKind::notSupported},
      // Code page 1252 has no Persian letters.
      {"jackcess_delTestV1997.mdb", Notes(u"یادداشت"), false, StatusKind::invalidArgument},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + platform::WideToUtf8(c.design.name));
    const std::string dir = jetwritetest::TempDir("refused");
    const std::string path = jetwritetest::CopyFixture(c.file, dir);
    const std::vector<std::uint8_t> before = FileBytes(path);
    {
      auto editor = Editor::Open(path);
      ASSERT_TRUE(editor.ok()) << editor.status().ToString();
      if (c.inTransaction) {
        ASSERT_TRUE(editor.value()->Begin().ok());
      }
      const provider::Status refused = editor.value()->CreateTable(c.design, kCreated);
      EXPECT_EQ(refused.kind(), c.kind) << refused.ToString();
      EXPECT_EQ(editor.value()->Database().TableDefinition("Other").ok(), false);
    }
    EXPECT_EQ(FileBytes(path), before);
  }
}

// A writer killed while it adds tables leaves whole tables only: after each kill the catalog's
// indexes are sound, every table it lists opens, and both peers list the same tables.
TEST(CreateTableTest, KilledWritersLeaveWholeTables) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-tables").empty());
  ASSERT_TRUE(jetwritetest::MissingMdbReader().empty()) << jetwritetest::MissingMdbReader();
  const std::string dir = jetwritetest::TempDir("createkill");
  const std::string path = jetwritetest::CopyFixture("jackcess_empty2003.mdb", dir);
  std::mt19937 random(11);
  std::size_t tables = 0;
  const int kills = jetwritetest::KillCount(6);
  for (int kill = 0; kill < kills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    const std::string ended = jetwritetest::RunUntilKilled(
        [&] {
          auto editor = Editor::Open(path);
          if (!editor.ok()) _exit(3);
          for (int n = 0;; ++n) {
            const std::string name = "k" + std::to_string(kill) + "n" + std::to_string(n);
            if (!editor.value()->CreateTable(Notes(platform::Utf8ToWide(name)), kCreated).ok())
              _exit(4);
          }
        },
        std::chrono::milliseconds(20 + random() % 60));
    ASSERT_EQ(ended, "");

    auto database = provider::jet::Database::Open(path);
    ASSERT_TRUE(database.ok()) << database.status().ToString();
    const std::vector<std::string> names = database.value()->UserTableNames();
    EXPECT_GE(names.size(), tables);
    tables = names.size();
    std::vector<jetwritetest::TableRows> expected;
    for (const std::string& name : names) {
      auto table = database.value()->OpenTable(name);
      ASSERT_TRUE(table.ok()) << name << ": " << table.status().ToString();
      EXPECT_EQ(table.value()->RowCount(), 0u);
      expected.push_back({name, {}, {}, {}});
    }
    for (const char* catalog : {"MSysObjects", "MSysACEs"}) {
      auto checks = provider::jet::CheckIndexes(*database.value(), catalog);
      ASSERT_TRUE(checks.ok()) << checks.status().ToString();
      for (const auto& check : checks.value()) {
        EXPECT_TRUE(check.problems.empty()) << catalog << ": " << check.problems[0];
      }
    }
    EXPECT_EQ(jetwritetest::CompareWithMdbReader(path, expected), "");
    EXPECT_EQ(jetwritetest::Run("mdb-tables -1 '" + path + "' | wc -l").text,
              std::to_string(names.size()) + "\n");
  }
  EXPECT_GT(tables, 0u);
}

}  // namespace
