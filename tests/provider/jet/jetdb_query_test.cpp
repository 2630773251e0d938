// jetdb query on the sample database: the program's statements, searches and their errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/fixtures/scratch_folder.h"

namespace {

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

// Runs jetdb query with the statement passed as one argument, quoted for the shell.
Outcome Query(const std::string& sql, const std::string& file = SAMPLE_DATABASE) {
  std::string quoted = "'";
  for (char c : sql) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  // CTest runs the cases in parallel: one error file per case.
  const std::string err =
      (fixtures::ProcessScratchFolder() /
       (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".err"))
          .string();
  const std::string command =
      std::string(JETDB_PROGRAM) + " query '" + file + "' " + quoted + " 2>'" + err + "'";
  Outcome run;
  FILE* pipe = popen(command.c_str(), "r");
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) run.out.append(buf, n);
  run.status = pclose(pipe);
  if (FILE* f = std::fopen(err.c_str(), "rb")) {
    while (std::size_t n = std::fread(buf, 1, sizeof buf, f)) run.err.append(buf, n);
    std::fclose(f);
  }
  return run;
}

// The records of a CSV text with quoted fields (which may hold quotes doubled and line breaks).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(field);
      field.clear();
    } else if (c == '\n') {
      row.push_back(field);
      field.clear();
      rows.push_back(row);
      row.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

// The first column (the record number) of every row after the header.
std::vector<int> Ids(const std::string& csv) {
  std::vector<int> ids;
  auto rows = ParseCsv(csv);
  for (std::size_t r = 1; r < rows.size(); ++r) ids.push_back(std::stoi(rows[r].at(0)));
  return ids;
}

std::string Export(const std::string& table, const std::string& options = "",
                   const std::string& file = SAMPLE_DATABASE) {
  const std::string command =
      std::string(JETDB_PROGRAM) + " export " + options + " '" + file + "' " + table;
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  pclose(pipe);
  return out;
}

std::string SampleFile(const std::string& name) {
  return std::string(VELMORA_TEST_DATA) + "/jet/" + name;
}

const char* const kTopicHeader = "id,kholase,porsesh,pasokh,pavaraghi\n";

TEST(JetdbQuery, StoredStatementsReadWholeTablesAsTheExportDoes) {
  // The two-line statement the queries are stored with, and the one that cancels a search.
  for (const char* table : {"kolliyat", "ejaz", "elm", "payambaran", "vahy", "mohamad"}) {
    const std::string exported = Export(table);
    ASSERT_EQ(exported.rfind(kTopicHeader, 0), 0u) << table;
    Outcome stored = Query(std::string("SELECT *\r\nFROM ") + table + ";");
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(stored.out, exported) << table;
    EXPECT_EQ(Query(std::string("SELECT * FROM ") + table + " ").out, exported) << table;
  }
  EXPECT_EQ(Query("SELECT *\r\nFROM ptarsilo;").out, Export("ptarsilo"));
}

struct Search {
  const char* statement;
  std::vector<int> records;
};

TEST(JetdbQuery, SearchesFindTheRecordsTheContentCountsList) {
  const std::vector<int> all18 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  const std::vector<Search> searches = {
      {"SELECT * FROM kolliyat where kholase like '%مع%'", {1, 2, 3, 4, 5, 7, 11, 14, 18}},
      {"SELECT * FROM kolliyat where kholase like '%انسان%'", {4, 5, 9, 10}},
      // Record 3 is stored with the Arabic letter forms.
      {"SELECT * FROM kolliyat where kholase like '%چیست%'", {3, 5}},
      {"SELECT * FROM kolliyat where kholase like '%چيست%'", {3, 5}},
      {"SELECT * FROM kolliyat where kholase like '%ma''ad%'", {8}},
      {"SELECT * FROM kolliyat where kholase like '%\"%'", {18}},
      // Typed wildcards widen the match instead of being matched literally.
      {"SELECT * FROM kolliyat where kholase like '%%%'", all18},
      {"SELECT * FROM kolliyat where kholase like '%_%'", all18},
      {"SELECT * FROM ejaz where kholase like '%روح%'", {2, 8, 15, 17}},
      {"SELECT * FROM elm where kholase like '%قبر%'", {4, 5, 6, 15}},
      {"SELECT * FROM payambaran where kholase like '%قیامت%'",
       {1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14}},
      {"SELECT * FROM vahy where kholase like '%کسانی%'", {3, 4}},
      {"SELECT * FROM mohamad where kholase like '%آتش%'", {3}},
      {"SELECT * FROM ptarsilo where porsesh like '%برزخ%'", {3, 20, 32, 40, 43}},
      {"SELECT * FROM ptarsilo where porsesh like '%eschatology%'", {12}},
      {"SELECT * FROM ptarsilo where porsesh like '%۲۴%'", {33}},
      {"SELECT * FROM ptarsilo where pasokh like '%بهشت%'", {1, 8, 10, 17, 25, 30, 34, 36, 42}},
      {"SELECT * FROM ptarsilo where pasokh like '%''%'", {4, 16}},
  };
  for (const Search& search : searches) {
    Outcome run = Query(search.statement);
    EXPECT_EQ(run.status, 0) << search.statement << ": " << run.err;
    EXPECT_EQ(run.out.rfind(kTopicHeader, 0), 0u) << search.statement;
    EXPECT_EQ(Ids(run.out), search.records) << search.statement;
  }
}

TEST(JetdbQuery, ResultsKeepTheValuesOfTheTable) {
  // The matched row is the exported row, byte for byte (quotes doubled, line breaks kept).
  Outcome run = Query("SELECT * FROM kolliyat where kholase like '%ma''ad%'");
  auto exported = ParseCsv(Export("kolliyat"));
  auto found = ParseCsv(run.out);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[1], exported.at(8));
  EXPECT_NE(found[1][1].find("ma'ad"), std::string::npos);
}

TEST(JetdbQuery, AnEmptyResultIsTheHeaderAlone) {
  Outcome run = Query("SELECT * FROM kolliyat where kholase like '%zqxj%'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kTopicHeader);
  EXPECT_EQ(Query("SELECT kholase AS title FROM elm WHERE id > 1000").out, "title\n");
}

TEST(JetdbQuery, SavedQueriesAndChosenColumns) {
  Outcome saved = Query("SELECT * FROM Qkolliyat");
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out.rfind(kTopicHeader, 0), 0u);
  EXPECT_FALSE(Ids(saved.out).empty());
  Outcome chosen =
      Query("SELECT id, kholase AS title FROM [qptarsilo] WHERE id < 3 ORDER BY id DESC");
  EXPECT_EQ(chosen.status, 0) << chosen.err;
  auto rows = ParseCsv(chosen.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"id", "title"}));
  EXPECT_EQ(rows[1][0], "2");
  EXPECT_EQ(rows[2][0], "1");
}

TEST(JetdbQuery, EveryColumnTypeIsWrittenAsTheExportWritesIt) {
  // Dates, currency, booleans, OLE pictures and memos of a file made by Access itself.
  const std::string nwind = SampleFile("mdbtestdata_nwind.mdb");
  for (const char* table : {"Employees", "Categories", "Orders", "Products"}) {
    Outcome run = Query(std::string("SELECT * FROM ") + table, nwind);
    EXPECT_EQ(run.status, 0) << table << ": " << run.err;
    EXPECT_EQ(run.out, Export(table, "", nwind)) << table;
  }
}

TEST(JetdbQuery, PasswordsAreAskedForAsByTheOtherCommands) {
  const std::string file = SampleFile("mdbreader_V2003_with-password.mdb");
  const std::string command = std::string(JETDB_PROGRAM) + " query --password password '" + file +
                              "' 'SELECT * FROM Table1'";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(out, Export("Table1", "--password password", file));
  EXPECT_FALSE(out.empty());
  Outcome refused = Query("SELECT * FROM Table1", file);
  EXPECT_NE(refused.status, 0);
  EXPECT_EQ(refused.err.rfind("jetdb: Not a valid password.", 0), 0u) << refused.err;
}

TEST(JetdbQuery, ErrorsAreOneLineAndAFailingStatus) {
  const std::vector<std::pair<const char*, const char*>> failures = {
      {"SELECT * FROM", "jetdb: Syntax error in FROM clause.\n"},
      {"SELECT * FROM kolliyt",
       "jetdb: The Microsoft Jet database engine cannot find the input table or query "
       "'kolliyt'.  Make sure it exists and that its name is spelled correctly.\n"},
      {"SELECT * FROM kolliyat where kholase like '%ab'c%'", nullptr},
      {"SELECT * FROM kolliyat where kholase like '['", "jetdb: Invalid pattern string\n"},
      {"DELETE FROM kolliyat", nullptr},
      {"", nullptr},
  };
  for (const auto& [sql, message] : failures) {
    Outcome run = Query(sql);
    EXPECT_NE(run.status, 0) << sql;
    EXPECT_EQ(run.out, "") << sql;
    if (message != nullptr) {
      EXPECT_EQ(run.err, message) << sql;
    } else {
      ASSERT_FALSE(run.err.empty()) << sql;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << sql << ": " << run.err;
    }
  }
  Outcome missing = Query("SELECT * FROM kolliyat", "/nonexistent/tarsilo.mdb");
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("Could not find file"), std::string::npos) << missing.err;
}

}  // namespace
