// What a connection keeps between statements changes no result: every statement of the program
// finds the same rows with the same values with and without the kept tables and folded columns,
// on the sample database and on a synthetic one; and a write to the file, by this process or by
// another, is seen by the next statement.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "provider/jet/editor.h"
#include "provider/jet/new_database.h"
#include "provider/source.h"
#include "provider/sql/like_matcher.h"
#include "provider/sql/search_fold.h"
#include "provider/table_cache.h"
#include "tools/jetdb/build_command.h"
#include "tools/jetdb/synth_command.h"

namespace provider {
namespace {

namespace fs = std::filesystem;

// A copy of a database file of the test's own, last written an hour ago, so that what is kept
// of it is trusted (a file written within the last seconds is read afresh every time).
class TempDatabase {
 public:
  explicit TempDatabase(const std::string& name) {
    std::string pattern = (fs::temp_directory_path() / "velmora-cache-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    folder_ = pattern;
    path_ = (folder_ / name).string();
  }
  ~TempDatabase() { fs::remove_all(folder_); }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& Path() const { return path_; }

  void Age() const {
    const timespec anHourAgo{time(nullptr) - 3600, 0};
    const timespec times[2] = {anHourAgo, anHourAgo};
    ASSERT_EQ(utimensat(AT_FDCWD, path_.c_str(), times, 0), 0);
  }

 private:
  fs::path folder_;
  std::string path_;
};

std::shared_ptr<TableCache> Open(const std::string& path, bool keep) {
  auto database = jet::Database::Open(path);
  EXPECT_TRUE(database.ok()) << database.status().ToString();
  return std::make_shared<TableCache>(std::shared_ptr<const jet::Database>(database.take()),
                                      TableCache::Options{.keep = keep});
}

// Every value of every row, in order, or the failure's message.
struct Rows {
  std::vector<std::vector<Value>> values;
  std::string error;
  bool operator==(const Rows&) const = default;
};

Rows RunStatement(const std::shared_ptr<TableCache>& cache, CommandTypeEnum type,
         const std::u16string& text) {
  Rows rows;
  auto opened = OpenSource(cache, type, text);
  if (!opened.ok()) {
    rows.error = opened.status().message();
    return rows;
  }
  const RowSet& set = *opened.value();
  for (std::size_t row = 0; row < set.RowCount(); ++row) {
    std::vector<Value>& values = rows.values.emplace_back();
    for (std::size_t column = 0; column < set.Columns().size(); ++column) {
      auto value = set.GetValue(row, column);
      if (!value.ok()) {
        rows.error = value.status().message();
        return rows;
      }
      values.push_back(value.take());
    }
  }
  return rows;
}

// The statement the program builds from a typed text: the prefix and the quoted '%text%'.
std::u16string Search(const std::u16string& prefix, std::u16string typed) {
  std::u16string quoted = u"'%";
  for (char16_t c : typed) quoted += c == u'\'' ? u"''" : std::u16string(1, c);
  return prefix + quoted + u"%'";
}

// Every statement the program sends, the searches with texts a reader might type: Persian
// letters in both yeh and kaf forms, Latin letters and digits, a quote, the wildcards.
std::vector<std::pair<CommandTypeEnum, std::u16string>> ProgramStatements() {
  const std::vector<std::u16string> tables = {u"kolliyat", u"ejaz",    u"elm",     u"payambaran",
                                              u"vahy",     u"mohamad", u"ptarsilo"};
  const std::vector<std::u16string> typed = {
      u"م", u"مع", u"پرسش", u"يك", u"كار", u"a", u"2026", u"۱۲", u"o'b", u"_", u"[!ا]", u"ـ",
      u"زندگی انسان"};
  std::vector<std::pair<CommandTypeEnum, std::u16string>> statements;
  for (const std::u16string& table : tables) {
    statements.push_back({adCmdTable, u"Q" + table});
    statements.push_back({adCmdText, u"SELECT *\r\nFROM " + table + u";"});
    if (table == u"ptarsilo") {
      for (const std::u16string& text : typed) {
        statements.push_back({adCmdText, Search(u"SELECT * FROM ptarsilo where porsesh like ", text)});
        statements.push_back({adCmdText, Search(u"SELECT * FROM ptarsilo where pasokh like ", text)});
      }
      continue;
    }
    statements.push_back({adCmdText, u"SELECT * FROM " + table + u" "});
    for (const std::u16string& text : typed)
      statements.push_back({adCmdText, Search(u"SELECT * FROM " + table + u" where kholase like ", text)});
  }
  return statements;
}

// The rows of `table` whose `column` matches '%typed%', each value read whole and matched
// whole: what a search must find however it reads the values.
Rows MatchingWholeValues(const std::shared_ptr<TableCache>& cache, const std::string& table,
                         const std::string& column, const std::u16string& typed) {
  Rows rows;
  auto opened = cache->OpenTable(table);
  EXPECT_TRUE(opened.ok());
  const jet::Table& t = *opened.value();
  auto matcher = sql::LikeMatcher::Compile(u"%" + typed + u"%");
  EXPECT_TRUE(matcher.ok());
  for (std::size_t row = 0; row < t.RowCount(); ++row) {
    auto value = t.GetValue(row, static_cast<std::size_t>(t.FindColumn(column)));
    EXPECT_TRUE(value.ok());
    const auto* text = std::get_if<std::u16string>(&value.value());
    if (text == nullptr || !matcher.value().Matches(sql::Folded(*text))) continue;
    std::vector<Value>& values = rows.values.emplace_back();
    for (std::size_t c = 0; c < t.Columns().size(); ++c)
      values.push_back(t.GetValue(row, c).take());
  }
  return rows;
}

// Runs every statement of the program on `path` twice with what a connection keeps (the second
// time served from it) and once without, and expects the same rows each time.
void ExpectSameRowsWithAndWithoutCaches(const std::string& path) {
  const auto kept = Open(path, true);
  const auto fresh = Open(path, false);
  std::size_t found = 0;
  for (const auto& [type, text] : ProgramStatements()) {
    SCOPED_TRACE(platform::WideToUtf8(text));
    const Rows expected = RunStatement(fresh, type, text);
    ASSERT_EQ(expected.error, "");
    EXPECT_EQ(RunStatement(kept, type, text), expected);
    EXPECT_EQ(RunStatement(kept, type, text), expected);
    found += expected.values.size();
  }
  EXPECT_GT(found, 0u);
  EXPECT_GT(kept->FoldedBytes(), 0u) << "no search was served from a folded column";
  // Memos are read only as far as the pattern is found: the advanced search finds what
  // matching each whole answer finds.
  std::size_t answers = 0;
  for (const std::u16string typed : {u"م", u"زندگی انسان", u"كار", u"2026", u"\r\n"}) {
    SCOPED_TRACE(platform::WideToUtf8(typed));
    const Rows expected = MatchingWholeValues(fresh, "ptarsilo", "pasokh", typed);
    answers += expected.values.size();
    EXPECT_EQ(
        RunStatement(kept, adCmdText, Search(u"SELECT * FROM ptarsilo where pasokh like ", typed)),
        expected);
  }
  EXPECT_GT(answers, 0u);
}

TEST(TableCacheTest, ProgramStatementsFindTheSameRowsOnTheSample) {
  const char* root = std::getenv("VELMORA_SOURCE_DIR");
  TempDatabase database("tarsilo.mdb");
  fs::copy_file(fs::path(root != nullptr ? root : ".") / "tests/provider/ado/data/tarsilo.mdb",
                database.Path());
  database.Age();
  ExpectSameRowsWithAndWithoutCaches(database.Path());
}

// The program's seven tables of `records` synthetic records each.
std::vector<jetdb::TopicTable> SyntheticTables(std::size_t records) {
  std::vector<jetdb::TopicTable> tables;
  std::uint32_t seed = 1;
  for (const std::string& name : jetdb::TopicTableNames())
    tables.push_back({name, jetdb::SynthesizeRecords(records, seed++)});
  return tables;
}

TEST(TableCacheTest, ProgramStatementsFindTheSameRowsOnASyntheticDatabase) {
  TempDatabase database("synth.mdb");
  std::vector<jetdb::TopicTable> tables = SyntheticTables(500);
  // Null titles and answers, which a search never finds.
  tables[0].records[7].kholase.reset();
  tables[6].records[3].pasokh.reset();
  ASSERT_TRUE(jetdb::WriteTopicDatabase(tables, database.Path(), DateTime{46000}).ok());
  database.Age();
  ExpectSameRowsWithAndWithoutCaches(database.Path());
}

// A file of one table whose titles are "alpha" and "beta", searched for both words.
class FileWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    Write(database_.Path(), {u"alpha", u"beta"});
    database_.Age();
    cache_ = Open(database_.Path(), true);
  }

  // Writes a new file of the table with `titles` at `path`.
  static void Write(const std::string& path, const std::vector<std::u16string>& titles) {
    using jet::ColumnSpec;
    using jet::ColumnType;
    auto created = jet::NewDatabase::Create(DateTime{46000});
    ASSERT_TRUE(created.ok());
    auto table = created.value()->CreateTable(
        jet::TableSpec{u"kolliyat",
                       {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
                        ColumnSpec{u"kholase", ColumnType::text, 100, false}}});
    ASSERT_TRUE(table.ok());
    for (const std::u16string& title : titles)
      ASSERT_TRUE(table.value()->InsertRow({Value{}, title}).ok());
    ASSERT_TRUE(created.value()->Save(path).ok());
  }

  // Rewrites the file in place (same inode) with the bytes of one holding `titles`.
  void Overwrite(const std::vector<std::u16string>& titles) const {
    const std::string other = database_.Path() + ".new";
    Write(other, titles);
    std::ifstream in(other, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(database_.Path(), std::ios::binary | std::ios::in | std::ios::out);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
  }

  std::size_t Found(const std::u16string& word) {
    auto rows = OpenSource(cache_, adCmdText,
                           u"SELECT * FROM kolliyat where kholase like '%" + word + u"%'");
    EXPECT_TRUE(rows.ok()) << rows.status().ToString();
    return rows.ok() ? rows.value()->RowCount() : 0;
  }

  // Writes "omega" over the stored "alpha" in place, as an editor of the row would.
  void RenameAlpha() const {
    std::ifstream in(database_.Path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = bytes.find("alpha");
    ASSERT_NE(at, std::string::npos);
    const int fd = ::open(database_.Path().c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "omega", 5, static_cast<off_t>(at)), 5);
    ::close(fd);
  }

  TempDatabase database_{"written.mdb"};
  std::shared_ptr<TableCache> cache_;
};

TEST_F(FileWriteTest, AWriteByAnotherProcessIsSeenByTheNextSearch) {
  ASSERT_EQ(Found(u"alpha"), 1u);
  ASSERT_EQ(Found(u"omega"), 0u);
  ASSERT_GT(cache_->FoldedBytes(), 0u);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RenameAlpha();
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Found(u"alpha"), 0u);
  EXPECT_EQ(Found(u"omega"), 1u);
  EXPECT_EQ(Found(u"beta"), 1u);
}

TEST_F(FileWriteTest, AWriteByThisProcessIsSeenByTheNextSearch) {
  ASSERT_EQ(Found(u"alpha"), 1u);
  RenameAlpha();
  EXPECT_EQ(Found(u"alpha"), 0u);
  EXPECT_EQ(Found(u"omega"), 1u);
}

// Rows added by a writer take new pages at the end of the file, beyond what was mapped when the
// connection opened it; the result of the search before the write stays readable.
TEST_F(FileWriteTest, AFileThatGrowsIsReadWholeByTheNextSearch) {
  auto before = OpenSource(cache_, adCmdText, u"SELECT * FROM kolliyat where kholase like '%a%'");
  ASSERT_TRUE(before.ok());
  const auto size = fs::file_size(database_.Path());
  std::vector<std::u16string> titles = {u"alpha", u"beta"};
  for (int i = 0; i < 3000; ++i) titles.push_back(u"title " + std::u16string(40, u'x'));
  titles.push_back(u"gamma");
  Overwrite(titles);
  ASSERT_GT(fs::file_size(database_.Path()), size + 16 * 4096);
  EXPECT_EQ(Found(u"gamma"), 1u);
  EXPECT_EQ(Found(u"title"), 3000u);
  EXPECT_EQ(Found(u"alpha"), 1u);
  ASSERT_EQ(before.value()->RowCount(), 2u);
  auto title = before.value()->GetValue(1, 1);
  ASSERT_TRUE(title.ok()) << title.status().ToString();
}

// The engine's own writer, in this process, while the connection keeps the table and its folded
// titles: an update, an insert that takes pages at the end of the file and a delete are each
// seen by the next search.
TEST_F(FileWriteTest, EditsByTheEngineAreSeenByTheNextSearch) {
  ASSERT_EQ(Found(u"alpha"), 1u);
  ASSERT_GT(cache_->FoldedBytes(), 0u);
  auto table = cache_->OpenTable("kolliyat");
  ASSERT_TRUE(table.ok());
  const std::uint32_t alpha = table.value()->RowLocation(0);
  auto editor = jet::Editor::Open(database_.Path());
  ASSERT_TRUE(editor.ok()) << editor.status().ToString();
  auto updated = editor.value()->UpdateRow("kolliyat", alpha, {{1, std::u16string(u"omega")}});
  ASSERT_TRUE(updated.ok()) << updated.status().ToString();
  EXPECT_EQ(Found(u"alpha"), 0u);
  EXPECT_EQ(Found(u"omega"), 1u);

  ASSERT_TRUE(editor.value()->Begin().ok());
  for (int i = 0; i < 2000; ++i)
    ASSERT_TRUE(editor.value()->InsertRow("kolliyat", {Value{}, std::u16string(60, u'x')}).ok());
  ASSERT_TRUE(editor.value()->InsertRow("kolliyat", {Value{}, std::u16string(u"gamma")}).ok());
  ASSERT_TRUE(editor.value()->Commit().ok());
  EXPECT_EQ(Found(u"gamma"), 1u);
  EXPECT_EQ(Found(u"xxx"), 2000u);

  ASSERT_TRUE(editor.value()->DeleteRow("kolliyat", updated.value()).ok());
  EXPECT_EQ(Found(u"omega"), 0u);
  EXPECT_EQ(Found(u"beta"), 1u);
}

TEST_F(FileWriteTest, AFileWrittenMomentsAgoIsReadAfreshEveryTime) {
  RenameAlpha();
  ASSERT_EQ(Found(u"omega"), 1u);
  EXPECT_EQ(cache_->FoldedBytes(), 0u);
}

TEST(TableCacheTest, FoldedColumnsStayWithinTheirBudget) {
  TempDatabase database("synth.mdb");
  ASSERT_TRUE(
      jetdb::WriteTopicDatabase(SyntheticTables(400), database.Path(), DateTime{46000}).ok());
  database.Age();
  auto opened = jet::Database::Open(database.Path());
  ASSERT_TRUE(opened.ok());
  // Room for about two tables' titles.
  auto cache =
      std::make_shared<TableCache>(std::shared_ptr<const jet::Database>(opened.take()),
                                   TableCache::Options{.keep = true, .foldedBudget = 100'000});
  std::size_t largest = 0;
  for (const std::string& name : jetdb::TopicTableNames()) {
    const std::u16string statement =
        u"SELECT * FROM " + platform::Utf8ToWide(name) + u" where kholase like '%م%'";
    const Rows rows = RunStatement(cache, adCmdText, statement);
    EXPECT_EQ(rows, RunStatement(cache, adCmdText, statement));
    EXPECT_LE(cache->FoldedBytes(), 100'000u);
    largest = std::max(largest, cache->FoldedBytes());
  }
  EXPECT_GT(largest, 0u);
}

}  // namespace
}  // namespace provider
