// Building the end-to-end tests' databases with jetdb, and running the program on one.
#include "tests/e2e/test_database.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "tests/fixtures/scratch_folder.h"

namespace e2etest {
namespace {

const char* const kTables[] = {"kolliyat", "ejaz",    "elm",     "payambaran",
                               "vahy",     "mohamad", "ptarsilo"};

void WriteContentFile(const std::filesystem::path& path, const std::vector<Record>& records) {
  std::ofstream out(path, std::ios::binary);
  for (const Record& record : records) {
    out << "@kholase\n"
        << record.kholase << "\n@porsesh\n"
        << record.porsesh << "\n@pasokh\n"
        << record.pasokh << "\n@pavaraghi\n"
        << record.pavaraghi << "\n@end\n";
  }
}

// Single quotes around a shell word.
std::string ShellWord(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::filesystem::path BuildDatabase(const DatabaseContent& content) {
  static std::atomic<int> counter{0};
  std::filesystem::path folder =
      fixtures::ProcessScratchFolder() / ("content-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  for (const char* table : kTables) {
    auto given = content.tables.find(table);
    WriteContentFile(folder / (std::string(table) + ".txt"),
                     given != content.tables.end()
                         ? given->second
                         : std::vector<Record>{{table, "question", "answer", "note"}});
  }
  std::filesystem::path database = folder / "tarsilo.mdb";
  std::string command = ShellWord(VELMORA_JETDB) + " build";
  for (const std::string& table : content.without) command += " --without " + ShellWord(table);
  command += " " + ShellWord(folder.string()) + " " + ShellWord(database.string());
  if (std::system(command.c_str()) != 0) throw std::runtime_error("jetdb build failed: " + command);
  return database;
}

ShotResult RunShotOn(const std::filesystem::path& database, const std::string& script) {
  ShotOptions options;
  options.databaseFile = database;
  ShotResult run = RunShot(script, options);
  EXPECT_EQ(run.status, 0) << run.errors;
  return run;
}

}  // namespace e2etest
