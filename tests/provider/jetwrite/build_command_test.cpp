// jetdb build and synth: the question-and-answer database from content files or from
// synthetic text, as the independent readers see it.
#include "tools/jetdb/build_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "tests/provider/jetwrite/peers.h"
#include "tools/jetdb/commands.h"
#include "tools/jetdb/synth_command.h"

namespace {

using jetwritetest::Rows;

const std::vector<std::string> kColumns = {"id", "kholase", "porsesh", "pasokh", "pavaraghi"};
const std::vector<bool> kNumeric = {true, false, false, false, false};

std::string FixtureDir() {
  return jetwritetest::SourceDir() + "/tests/provider/jetwrite/content";
}

std::vector<jetwritetest::TableRows> ExpectedFixtureTables() {
  std::vector<jetwritetest::TableRows> tables;
  tables.push_back(
      {"kolliyat",
       kColumns,
       {{"1", "پرسش با ي و ی، ك و ک",
         "\"نقل‌قول\" و 'تک' با ۵۰% و a_b\r\nسطر دوم",
         "بند اول با Jet 4.0 و 2026\r\n\r\nبند دوم", std::nullopt},
        {"2", "Second title", "Only a question.", std::nullopt, "Sample source 1, p. 4"}},
       kNumeric});
  for (const char* name : {"ejaz", "elm", "payambaran", "vahy", "mohamad", "ptarsilo"}) {
    const std::string table = name;
    tables.push_back(
        {table,
         kColumns,
         {{"1", "عنوان " + table, "پرسش " + table + "؟", "پاسخ " + table + ".", "منبع نمونه ۱"}},
         kNumeric});
  }
  return tables;
}

TEST(BuildCommandTest, BuildsTheSevenTablesAndTheirQueries) {
  for (const char* tool : {"mdb-export", "mdb-tables", "mdb-queries"}) {
    const std::string missing = jetwritetest::MissingTool(tool);
    ASSERT_TRUE(missing.empty()) << missing;
  }
  const std::string missingReader = jetwritetest::MissingMdbReader();
  ASSERT_TRUE(missingReader.empty()) << missingReader;
  const std::string file = jetwritetest::TempDir("build") + "/tarsilo.mdb";
  ASSERT_EQ(jetdb::RunBuild({FixtureDir(), file}), 0);

  EXPECT_EQ(jetwritetest::Run("mdb-tables -1 '" + file + "'").text,
            "kolliyat\nejaz\nelm\npayambaran\nvahy\nmohamad\nptarsilo\n");
  EXPECT_EQ(jetwritetest::Run("mdb-queries -L -1 '" + file + "'").text,
            "Qkolliyat\nQejaz\nQelm\nQpayambaran\nQvahy\nQmohamad\nQptarsilo\n");
  EXPECT_EQ(jetwritetest::Run("mdb-queries '" + file + "' Qptarsilo").text,
            "SELECT * FROM [ptarsilo] \n");
  const auto expected = ExpectedFixtureTables();
  for (const auto& table : expected)
    EXPECT_EQ(jetwritetest::MdbExport(file, table.name), table.rows) << table.name;
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(file, expected), "");
}

// The sample collection in content/ (when this tree has it) reads back exactly as parsed.
TEST(BuildCommandTest, SampleCollectionReadsBackAsWritten) {
  const std::string content = jetwritetest::SourceDir() + "/content";
  if (!std::filesystem::exists(content + "/kolliyat.txt"))
    GTEST_SKIP() << "content/ has no content files in this tree";
  const std::string missing = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missing.empty()) << missing;
  const std::string missingReader = jetwritetest::MissingMdbReader();
  ASSERT_TRUE(missingReader.empty()) << missingReader;
  const std::string file = jetwritetest::TempDir("sample") + "/tarsilo.mdb";
  ASSERT_EQ(jetdb::RunBuild({content, file}), 0);
  std::vector<jetwritetest::TableRows> expected;
  for (const std::string& name : jetdb::TopicTableNames()) {
    auto records = jetdb::ReadContentFile(content + "/" + name + ".txt");
    ASSERT_TRUE(records.ok()) << records.status().ToString();
    Rows rows;
    const auto utf8 = [](const std::optional<std::u16string>& text) -> jetwritetest::Cell {
      if (!text) return std::nullopt;
      return platform::WideToUtf8(*text);
    };
    for (std::size_t i = 0; i < records.value().size(); ++i) {
      const auto& record = records.value()[i];
      rows.push_back({std::to_string(i + 1), utf8(record.kholase), utf8(record.porsesh),
                      utf8(record.pasokh), utf8(record.pavaraghi)});
    }
    EXPECT_FALSE(rows.empty()) << name;
    EXPECT_EQ(jetwritetest::MdbExport(file, name), rows) << name;
    expected.push_back({name, kColumns, rows, kNumeric});
  }
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(file, expected), "");
}

TEST(BuildCommandTest, FailsWithOneLineAndLeavesNoFile) {
  const std::string dir = jetwritetest::TempDir("build_errors");
  for (const auto& entry : std::filesystem::directory_iterator(FixtureDir()))
    std::filesystem::copy(entry.path(), dir + "/" + entry.path().filename().string());
  const std::string file = dir + "/out.mdb";
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {"missing directory",
       {dir + "/nowhere", file},
       "cannot open '" + dir + "/nowhere/kolliyat.txt'"},
      {"wrong arguments", {dir}, "CONTENT_DIR OUT.mdb"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_NE(jetdb::RunBuild(c.args), 0) << c.what;
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << c.what << ": " << error;
  }
  std::filesystem::remove(dir + "/vahy.txt");
  std::ofstream(dir + "/elm.txt") << "@kholase\nx\n@soal\n@end\n";
  testing::internal::CaptureStderr();
  EXPECT_EQ(jetdb::RunBuild({dir, file}), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("elm.txt:3: unknown marker '@soal'"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SynthCommandTest, RecordsAreRepeatableAndOfRealisticLength) {
  const auto records = jetdb::SynthesizeRecords(200, 7);
  EXPECT_EQ(records.size(), 200u);
  const auto again = jetdb::SynthesizeRecords(200, 7);
  std::size_t withFootnote = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& record = records[i];
    EXPECT_EQ(record.kholase, again[i].kholase);
    EXPECT_EQ(record.pasokh, again[i].pasokh);
    ASSERT_TRUE(record.kholase && record.porsesh && record.pasokh);
    EXPECT_GE(record.kholase->size(), 20u);
    EXPECT_LE(record.kholase->size(), 80u);
    const auto sentences = std::count(record.porsesh->begin(), record.porsesh->end(), u'؟');
    EXPECT_GE(sentences, 1);
    EXPECT_LE(sentences, 3);
    std::size_t paragraphs = 1;
    for (std::size_t at = record.pasokh->find(u"\r\n\r\n"); at != std::u16string::npos;
         at = record.pasokh->find(u"\r\n\r\n", at + 1))
      ++paragraphs;
    EXPECT_LE(paragraphs, 5u);
    withFootnote += record.pavaraghi.has_value();
  }
  EXPECT_GT(withFootnote, 100u);
  EXPECT_LT(withFootnote, 200u);
  EXPECT_NE(jetdb::SynthesizeRecords(5, 8)[0].pasokh, records[0].pasokh);
}

TEST(SynthCommandTest, WritesEveryTableWithTheRowsAsked) {
  const std::string missing = jetwritetest::MissingTool("mdb-export");
  ASSERT_TRUE(missing.empty()) << missing;
  const std::string file = jetwritetest::TempDir("synth") + "/synth.mdb";
  ASSERT_EQ(jetdb::RunSynth({"30", file}), 0);
  for (const std::string& table : jetdb::TopicTableNames()) {
    const Rows rows = jetwritetest::MdbExport(file, table);
    ASSERT_EQ(rows.size(), 30u) << table;
    EXPECT_EQ(rows.back()[0], "30") << table;
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(jetdb::RunSynth({"-3", file}), 2);
  EXPECT_EQ(jetdb::RunSynth({"12x", file}), 2);
  testing::internal::GetCapturedStderr();
}

}  // namespace
