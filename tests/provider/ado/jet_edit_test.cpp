// Edits through the recordset reaching copies of real files: the sample database and files
// Access made. Both independent readers then show exactly the new values, the row counts are
// right and the tables not edited read as before; what the engine cannot do is refused with a
// clear error and leaves the file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/codepage.h"
#include "provider/command.h"
#include "provider/connection.h"
#include "provider/error_info.h"
#include "provider/recordset.h"
#include "tests/provider/ado/recordset_access.h"
#include "tests/provider/jetwrite/peers.h"

namespace provider {
namespace {

using adotest::FailureText;
using adotest::FieldNamed;

namespace fs = std::filesystem;
using jetwritetest::Cell;
using jetwritetest::Rows;

fs::path SourceRoot() {
  return fs::absolute(jetwritetest::SourceDir()).lexically_normal();
}

std::u16string StoredString(const std::string& dataSource) {
  const std::string s =
      "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + dataSource +
      ";Mode=Share Deny None;Extended Properties=\"\";Persist Security Info=False;Jet "
      "OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1";
  return platform::Utf8ToWide(s);
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A copy of a repository database in a folder of its own, removed with the object; the
// repository's files are never opened for writing.
class DatabaseCopy {
 public:
  DatabaseCopy(const fs::path& original, const std::string& name)
      : folder_(jetwritetest::TempDir("edit_" + name)), path_(fs::path(folder_) / "copy.mdb") {
    fs::copy_file(original, path_);
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  }
  ~DatabaseCopy() {
    fs::permissions(folder_, fs::perms::owner_all);
    fs::remove_all(folder_);
  }
  const fs::path& Path() const { return path_; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  fs::path path_;
};

std::shared_ptr<Connection> Connect(const fs::path& file,
                                    ConnectModeEnum mode = adModeShareDenyNone) {
  auto connection = std::make_shared<Connection>();
  connection->put_Mode(mode);
  EXPECT_EQ(connection->Open(StoredString(file.string()), u"", u"", adConnectUnspecified), S_OK)
      << FailureText();
  return connection;
}

std::unique_ptr<Recordset> Open(std::shared_ptr<Connection> connection, const std::u16string& text,
                                CommandTypeEnum type = adCmdTable) {
  auto command = std::make_shared<Command>();
  command->put_CommandType(type);
  command->put_CommandText(text);
  command->putref_ActiveConnection(std::move(connection));
  auto rs = std::make_unique<Recordset>();
  rs->put_CursorLocation(adUseClient);
  EXPECT_EQ(rs->Open(command, adOpenStatic, adLockOptimistic, type), S_OK) << FailureText();
  return rs;
}

HRESULT Put(Recordset& rs, const std::u16string& column, const std::string& utf8) {
  return FieldNamed(rs, column)->put_Value(Variant::String(platform::Utf8ToWide(utf8)));
}

// Column `column` of every row of `table`, as text in UTF-8, walking the cursor.
std::vector<Cell> OurColumn(const fs::path& file, const std::u16string& table,
                            const std::u16string& column) {
  auto rs = Open(Connect(file), table);
  std::vector<Cell> cells;
  bool eof = false;
  for (rs->MoveFirst(); rs->get_EOF(&eof) == S_OK && !eof; rs->MoveNext()) {
    Variant value;
    EXPECT_EQ(FieldNamed(*rs, column)->get_Value(&value), S_OK);
    cells.push_back(value.null()
                        ? Cell()
                        : Cell(platform::WideToUtf8(std::get<std::u16string>(value.value()))));
  }
  return cells;
}

// Splits the peers' output: records by 0x1E, cells by 0x1F, Null as 0x01.
Rows SplitRecords(const std::string& text) {
  Rows rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\x1e', start);
    if (end == std::string::npos) end = text.size();
    std::vector<Cell> cells;
    const std::string record = text.substr(start, end - start);
    std::size_t from = 0;
    for (;;) {
      const std::size_t to = record.find('\x1f', from);
      const std::string cell = record.substr(from, to - from);
      cells.push_back(cell == "\x01" ? Cell() : Cell(cell));
      if (to == std::string::npos) break;
      from = to + 1;
    }
    rows.push_back(std::move(cells));
    start = end + 1;
  }
  return rows;
}

// Column `column` of every row as mdb-reader reads it (tests/node/export_rows.mjs).
std::vector<Cell> ReaderColumn(const fs::path& file, const std::string& table,
                               const std::string& column) {
  const auto output =
      jetwritetest::Run("node '" + (SourceRoot() / "tests/node/export_rows.mjs").string() + "' '" +
                         file.string() + "' '" + table + "' '" + column + "'");
  EXPECT_EQ(output.exitCode, 0) << "mdb-reader could not read " << table;
  std::vector<Cell> cells;
  const Rows rows = SplitRecords(output.text);
  for (std::size_t i = 1; i < rows.size(); ++i) cells.push_back(rows[i].at(0));
  return cells;
}

// Column `column` (its place among the table's columns) of every row as mdb-export prints it,
// binary columns left out so that their bytes cannot pass for separators.
std::vector<Cell> ExportColumn(const fs::path& file, const std::string& table, std::size_t column) {
  const auto output = jetwritetest::Run(
      "mdb-export -H -Q -b strip -d \"$(printf '\\037')\" -R \"$(printf '\\036')\" -0 "
      "\"$(printf '\\001')\" '" +
      file.string() + "' '" + table + "'");
  EXPECT_EQ(output.exitCode, 0) << "mdb-export could not read " << table;
  std::vector<Cell> cells;
  for (const auto& row : SplitRecords(output.text)) {
    cells.push_back(column < row.size() ? row[column] : Cell("<missing>"));
  }
  return cells;
}

// The place of `column` among `table`'s columns, as our reader numbers them.
std::size_t ColumnPlace(const fs::path& file, const std::u16string& table,
                        const std::u16string& column) {
  auto rs = Open(Connect(file), table);
  Fields* fields = nullptr;
  rs->get_Fields(&fields);
  std::int32_t count = 0;
  fields->get_Count(&count);
  for (std::int32_t i = 0; i < count; ++i) {
    Field* field = nullptr;
    std::u16string name;
    fields->get_Item(i, &field);
    field->get_Name(&name);
    if (name == column) return static_cast<std::size_t>(i);
  }
  ADD_FAILURE() << "no column " << platform::WideToUtf8(column);
  return 0;
}

// Rows are listed in the file's page order, where a row that grew may have moved: the readers
// agree on the rows, not necessarily on their order.
std::vector<Cell> Sorted(std::vector<Cell> cells) {
  std::sort(cells.begin(), cells.end());
  return cells;
}

std::vector<std::string> TableList(const fs::path& file) {
  const auto output = jetwritetest::Run("mdb-tables -1 '" + file.string() + "'");
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < output.text.size()) {
    std::size_t end = output.text.find('\n', start);
    if (end == std::string::npos) end = output.text.size();
    if (end > start) names.push_back(output.text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

class JetEditTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"mdb-export", "mdb-tables", "mdb-schema"}) {
      const std::string missing = jetwritetest::MissingTool(tool);
      ASSERT_TRUE(missing.empty()) << missing;
    }
    const std::string missing = jetwritetest::MissingMdbReader();
    ASSERT_TRUE(missing.empty()) << missing;
  }

  // Every table but `edited` reads the same with mdb-export before and after, and mdb-schema
  // still lists every table.
  void ExpectOthersUnchanged(const fs::path& before, const fs::path& after,
                             const std::string& edited) {
    const std::vector<std::string> tables = TableList(before);
    EXPECT_EQ(TableList(after), tables);
    for (const std::string& table : tables) {
      if (table == edited) continue;
      EXPECT_EQ(jetwritetest::MdbExport(after.string(), table),
                jetwritetest::MdbExport(before.string(), table))
          << table;
    }
    const auto schema = jetwritetest::Run("mdb-schema '" + after.string() + "'");
    EXPECT_EQ(schema.exitCode, 0);
    for (const std::string& table : tables) {
      EXPECT_NE(schema.text.find("[" + table + "]"), std::string::npos) << table;
    }
  }
};

TEST_F(JetEditTest, SampleDatabaseEditsReachBothReaders) {
  const fs::path original = SourceRoot() / "tests/provider/ado/data/tarsilo.mdb";
  DatabaseCopy copy(original, "sample");
  std::vector<Cell> titles = OurColumn(copy.Path(), u"kolliyat", u"kholase");
  std::vector<Cell> answers = OurColumn(copy.Path(), u"kolliyat", u"pasokh");
  ASSERT_GE(titles.size(), 3u);

  // A 10 KB answer with Farsi yeh, a new title, a new record and a deleted one.
  std::string longAnswer;
  while (longAnswer.size() < 10240) longAnswer += "پاسخی بلند با یای فارسی و کاف ۱۲۳. ";
  {
    auto connection = Connect(copy.Path());
    auto rs = Open(connection, u"SELECT * FROM kolliyat", adCmdText);
    bool supported = false;
    ASSERT_EQ(rs->Supports(adUpdate | adAddNew | adDelete, &supported), S_OK);
    EXPECT_TRUE(supported);
    ASSERT_EQ(rs->put_AbsolutePosition(2), S_OK);
    ASSERT_EQ(Put(*rs, u"pasokh", longAnswer), S_OK);
    ASSERT_EQ(rs->Update(), S_OK) << FailureText();
    ASSERT_EQ(rs->MoveFirst(), S_OK);
    ASSERT_EQ(Put(*rs, u"kholase", "عنوان تازه"), S_OK);
    ASSERT_EQ(rs->Update(), S_OK) << FailureText();
    ASSERT_EQ(rs->AddNew(), S_OK);
    ASSERT_EQ(Put(*rs, u"kholase", "پرسش نو"), S_OK);
    ASSERT_EQ(Put(*rs, u"porsesh", "چرا؟"), S_OK);
    ASSERT_EQ(Put(*rs, u"pasokh", "چون."), S_OK);
    ASSERT_EQ(rs->Update(), S_OK) << FailureText();
    ASSERT_EQ(rs->put_AbsolutePosition(3), S_OK);
    ASSERT_EQ(rs->Delete(), S_OK) << FailureText();
    // The cursor reads its own changes back from the file.
    ASSERT_EQ(rs->put_AbsolutePosition(2), S_OK);
    Variant value;
    ASSERT_EQ(FieldNamed(*rs, u"pasokh")->get_Value(&value), S_OK);
    EXPECT_EQ(platform::WideToUtf8(std::get<std::u16string>(value.value())), longAnswer);
  }
  titles[0] = "عنوان تازه";
  answers[1] = longAnswer;
  titles.push_back("پرسش نو");
  answers.push_back("چون.");
  titles.erase(titles.begin() + 2);
  answers.erase(answers.begin() + 2);

  // Our reader on a new connection, mdb-export and mdb-reader agree on every row.
  EXPECT_EQ(OurColumn(copy.Path(), u"kolliyat", u"kholase"), titles);
  EXPECT_EQ(OurColumn(copy.Path(), u"kolliyat", u"pasokh"), answers);
  auto rs = Open(Connect(copy.Path()), u"kolliyat");
  std::int32_t count = 0;
  rs->get_RecordCount(&count);
  EXPECT_EQ(count, static_cast<std::int32_t>(titles.size()));

  for (const auto& [column, expected] : {std::pair{"kholase", titles}, {"pasokh", answers}}) {
    const std::size_t place = ColumnPlace(copy.Path(), u"kolliyat", platform::Utf8ToWide(column));
    EXPECT_EQ(ExportColumn(copy.Path(), "kolliyat", place), expected) << column;
    EXPECT_EQ(ReaderColumn(copy.Path(), "kolliyat", column), expected) << column;
  }
  ExpectOthersUnchanged(original, copy.Path(), "kolliyat");
}

TEST_F(JetEditTest, AccessMadeFilesTakeUpdatesInsertsAndDeletes) {
  // One line per file: a text or memo column whose first value is made longer, a row added and
  // the last row deleted, in tables with and without indexes (the test2 table is indexed), Jet 4
  // and Jet 3.
  struct Case {
    const char* file;
    const char* table;
    const char* column;
    const char* longer;  // text the file's code page can hold
  };
  const Case cases[] = {
      {"jackcess_delTestV2003.mdb", "Table", "b", "first, now longer: یک دو سه"},
      {"jackcess_delTestV2000.mdb", "Table", "a", "first, now longer: یک دو سه"},
      {"jackcess_delTestV1997.mdb", "Table", "a", "first, now longer: één twee drie"},
      {"jackcess_test2V2003.mdb", "MSP_PROJECTS", "PROJ_PROP_AUTHOR", "first, now longer: یک"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path original = SourceRoot() / "tests/fixtures/jet" / c.file;
    DatabaseCopy copy(original, std::string("fixture_") + c.table);
    const std::u16string table = platform::Utf8ToWide(c.table);
    const std::u16string column = platform::Utf8ToWide(c.column);
    std::vector<Cell> values = OurColumn(copy.Path(), table, column);
    ASSERT_FALSE(values.empty());
    {
      auto rs = Open(Connect(copy.Path()), table);
      ASSERT_EQ(Put(*rs, column, c.longer), S_OK);
      ASSERT_EQ(rs->Update(), S_OK) << FailureText();
      ASSERT_EQ(rs->AddNew(), S_OK);
      ASSERT_EQ(Put(*rs, column, "added"), S_OK);
      ASSERT_EQ(rs->Update(), S_OK) << FailureText();
      ASSERT_EQ(rs->put_AbsolutePosition(static_cast<std::int32_t>(values.size())), S_OK);
      ASSERT_EQ(rs->Delete(), S_OK) << FailureText();
    }
    values[0] = c.longer;
    values.erase(values.end() - 1);
    values.push_back("added");

    values = Sorted(values);
    EXPECT_EQ(Sorted(OurColumn(copy.Path(), table, column)), values);
    EXPECT_EQ(Sorted(ReaderColumn(copy.Path(), c.table, c.column)), values);
    EXPECT_EQ(Sorted(ExportColumn(copy.Path(), c.table, ColumnPlace(copy.Path(), table, column))),
              values);
    ExpectOthersUnchanged(original, copy.Path(), c.table);
  }
}

TEST_F(JetEditTest, RefusalsLeaveTheFileAsItWas) {
  // One line per refusal: what the recordset says it supports, the error the write gives, and
  // the file unchanged afterwards.
  struct Case {
    const char* name;
    const char* file;
    const char* table;
    const char* column;
    ConnectModeEnum mode;
    bool readOnlyFile;
    bool supportsUpdate;
    const char* message;  // the start of the error's description
  };
  const Case cases[] = {
      {"read-only file", "jackcess_delTestV2003.mdb", "Table", "a", adModeShareDenyNone, true,
       false, "Cannot update."},
      {"read-only mode", "jackcess_delTestV2003.mdb", "Table", "a", adModeRead, false, false,
       "Cannot update."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseCopy copy(SourceRoot() / "tests/fixtures/jet" / c.file, "refusal");
    const std::string before = FileBytes(copy.Path());
    if (c.readOnlyFile) fs::permissions(copy.Path(), fs::perms::owner_read);
    {
      auto rs = Open(Connect(copy.Path(), c.mode), platform::Utf8ToWide(c.table));
      bool supported = !c.supportsUpdate;
      ASSERT_EQ(rs->Supports(adUpdate, &supported), S_OK);
      EXPECT_EQ(supported, c.supportsUpdate);
      const HRESULT put = Put(*rs, platform::Utf8ToWide(c.column), "x");
      if (put == S_OK) {
        EXPECT_NE(rs->Update(), S_OK);
        EXPECT_EQ(FailureText().substr(0, std::string(c.message).size()), c.message);
        rs->CancelUpdate();
      } else {
        EXPECT_EQ(put, adErrFeatureNotAvailable) << "the column says it cannot be written";
      }
      EXPECT_NE(rs->Delete(), S_OK);
      GetErrorInfo();
    }
    fs::permissions(copy.Path(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(FileBytes(copy.Path()) == before) << "the file changed";
  }
}

// A text key needs the sort code of each of its characters; Persian letters have none the engine
// knows, so a row whose indexed text holds one is refused whole.
TEST_F(JetEditTest, IndexedTablesRefuseWhatTheEngineCannotKeep) {
  DatabaseCopy copy(SourceRoot() / "tests/fixtures/jet/jackcess_bigIndexTestV2003.mdb", "indexed");
  const std::string before = FileBytes(copy.Path());
  auto connection = Connect(copy.Path());
  auto rs = Open(connection, u"Table1");
  ASSERT_EQ(rs->AddNew(), S_OK);
  ASSERT_EQ(Put(*rs, u"col1", "یک"), S_OK);
  EXPECT_NE(rs->Update(), S_OK);
  EXPECT_NE(FailureText().find("U+06CC"), std::string::npos) << FailureText();
  rs->CancelUpdate();
  rs.reset();
  connection->Close();
  EXPECT_TRUE(FileBytes(copy.Path()) == before) << "the file changed";
}

TEST_F(JetEditTest, ASecondWriterIsRefusedAndReadersAreNot) {
  DatabaseCopy copy(SourceRoot() / "tests/fixtures/jet/jackcess_delTestV2003.mdb", "writers");
  auto first = Open(Connect(copy.Path()), u"Table");
  ASSERT_EQ(Put(*first, u"a", "one"), S_OK);
  ASSERT_EQ(first->Update(), S_OK) << FailureText();

  auto secondConnection = Connect(copy.Path());
  auto second = Open(secondConnection, u"Table");
  ASSERT_EQ(Put(*second, u"a", "two"), S_OK);
  EXPECT_NE(second->Update(), S_OK);
  EXPECT_EQ(FailureText().substr(0, 40), "Could not update; currently locked by us");
  second->CancelUpdate();
  const std::vector<Cell> values = OurColumn(copy.Path(), u"Table", u"a");
  EXPECT_NE(std::find(values.begin(), values.end(), Cell("one")), values.end())
      << "readers get in and see the first writer's value";
  EXPECT_EQ(std::find(values.begin(), values.end(), Cell("two")), values.end());
}

}  // namespace
}  // namespace provider
