// Writers killed at random moments: every file left behind opens with the engine and both peers
// and holds, for each row, its old or its new value, never a mix. Two writing processes: the
// second is refused while the first lives.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "platform/codepage.h"
#include "provider/jet/editor.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::Cell;
using jetwritetest::Rows;
using provider::Value;
using provider::jet::Editor;

constexpr std::int64_t kFixedRows = 6;
constexpr std::size_t kTitle = 1;
constexpr std::size_t kAnswer = 2;

// Generation `generation` of row `id`: its title names both, its answer repeats them to a length
// that cycles through the storage forms (inline, one long-value row, a chain, a long chain).
std::string Title(std::int64_t id, std::int64_t generation) {
  return "r" + std::to_string(id) + "g" + std::to_string(generation);
}
std::string Answer(std::int64_t id, std::int64_t generation) {
  static const std::size_t kLengths[] = {3, 120, 1500, 5000};
  std::string token = "پ" + std::to_string(id) + "." + std::to_string(generation) + ";";
  return jetwritetest::Repeat(token, kLengths[(id + generation) % 4]);
}

// Fixed rows are "r<id>g<generation>"; inserted ones "r<1000 + generation>g<generation>".
struct Parsed {
  std::int64_t id = -1;
  std::int64_t generation = -1;
};
Parsed Parse(const Cell& title) {
  Parsed parsed;
  if (!title || title->size() < 4 || (*title)[0] != 'r') return parsed;
  const std::size_t g = title->find('g');
  if (g == std::string::npos) return parsed;
  parsed.id = std::atoll(title->substr(1, g - 1).c_str());
  parsed.generation = std::atoll(title->substr(g + 1).c_str());
  return parsed;
}

// The child: edits in transactions until it is killed. Each transaction gives half the fixed
// rows their next generation, inserts a row and deletes the one inserted two generations ago.
[[noreturn]] void EditForever(const std::string& path) {
  auto editor = Editor::Open(path);
  if (!editor.ok()) _exit(3);
  std::map<std::int64_t, std::uint32_t> fixed;     // id -> location
  std::map<std::int64_t, std::uint32_t> inserted;  // generation -> location
  std::int64_t generation = 0;
  {
    auto table = editor.value()->Database().OpenTable("namoone");
    if (!table.ok()) _exit(4);
    for (std::size_t row = 0; row < table.value()->RowCount(); ++row) {
      auto title = table.value()->GetValue(row, kTitle);
      if (!title.ok()) _exit(5);
      const Parsed parsed = Parse(jetwritetest::CellOf(title.value()));
      generation = std::max(generation, parsed.generation);
      (parsed.id >= 1000 ? inserted[parsed.generation] : fixed[parsed.id]) =
          table.value()->RowLocation(row);
    }
  }
  for (++generation;; ++generation) {
    if (!editor.value()->Begin().ok()) _exit(6);
    for (auto& [id, location] : fixed) {
      if ((id + generation) % 2 != 0) continue;
      auto updated = editor.value()->UpdateRow(
          "namoone", location,
          {{kTitle, Value{platform::Utf8ToWide(Title(id, generation))}},
           {kAnswer, Value{platform::Utf8ToWide(Answer(id, generation))}}});
      if (!updated.ok()) _exit(7);
      location = updated.value();  // where the row is listed from now on
    }
    auto added = editor.value()->InsertRow(
        "namoone", {Value{}, Value{platform::Utf8ToWide(Title(1000 + generation, generation))},
                    Value{platform::Utf8ToWide(Answer(1000 + generation, generation))}});
    if (!added.ok()) _exit(8);
    inserted[generation] = added.value();
    if (auto old = inserted.find(generation - 2); old != inserted.end()) {
      if (!editor.value()->DeleteRow("namoone", old->second).ok()) _exit(9);
      inserted.erase(old);
    }
    if (!editor.value()->Commit().ok()) _exit(10);
  }
}

// What every reader must find after a kill; returns the engine's rows.
Rows ExpectWhole(const std::string& path) {
  const Rows rows = jetwritetest::EngineRows(path, "namoone");
  std::map<std::int64_t, int> fixedSeen;
  int inserted = 0;
  for (const auto& row : rows) {
    const Parsed parsed = Parse(row[kTitle]);
    EXPECT_GE(parsed.id, 1) << row[kTitle].value_or("null");
    // Title and answer were written by one transaction: the same generation.
    EXPECT_EQ(row[kAnswer], Cell(Answer(parsed.id, parsed.generation))) << *row[kTitle];
    if (parsed.id >= 1000)
      ++inserted;
    else
      ++fixedSeen[parsed.id];
  }
  EXPECT_EQ(fixedSeen.size(), static_cast<std::size_t>(kFixedRows));
  for (const auto& [id, seen] : fixedSeen) EXPECT_EQ(seen, 1) << "row " << id;
  EXPECT_LE(inserted, 2);
  EXPECT_EQ(jetwritetest::RecordedRowCount(path, "namoone"), rows.size());
  return rows;
}

void ExpectPeersAgree(const std::string& path, const Rows& rows) {
  const Rows shown = jetwritetest::MdbExport(path, "namoone");
  EXPECT_EQ(shown.size(), rows.size());
  EXPECT_EQ(jetwritetest::CompareWithMdbReader(path, {{"namoone",
                                                       {"id", "kholase", "pasokh"},
                                                       jetwritetest::InOrderOf(rows, shown),
                                                       {true, false, false}}}),
            "");
}

std::string FreshSample(const std::string& name) {
  const std::string path = jetwritetest::TempDir(name) + "/sample.mdb";
  std::vector<std::string> titles;
  std::vector<std::string> answers;
  for (std::int64_t id = 1; id <= kFixedRows; ++id) {
    titles.push_back(Title(id, 0));
    answers.push_back(Answer(id, 0));
  }
  jetwritetest::WriteEditSample(path, titles, answers);
  return path;
}

// VELMORA_KILLS sets the number of kills (20 by default; run 200 or more by hand).
TEST(EditorKillTest, EveryKilledWriterLeavesOldOrNewRows) {
  ASSERT_TRUE(jetwritetest::MissingTool("mdb-export").empty());
  ASSERT_TRUE(jetwritetest::MissingMdbReader().empty()) << jetwritetest::MissingMdbReader();
  const int kills = jetwritetest::KillCount(20);
  const std::string path = FreshSample("kill");
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> delay(5, 250);
  int died = 0;
  int inCommit = 0;  // kills that left a journal: the writer died between journal and removal
  for (int kill = 0; kill < kills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill + 1));
    // The writer only ever ends by the kill; any other end is a failed edit.
    ASSERT_EQ(jetwritetest::RunUntilKilled([&] { EditForever(path); },
                                           std::chrono::milliseconds(delay(random))),
              "");
    ++died;
    if (std::filesystem::exists(path + "-journal") && std::filesystem::file_size(path + "-journal") > 0)
      ++inCommit;
    const Rows rows = ExpectWhole(path);
    ExpectPeersAgree(path, rows);
    if (HasFailure()) break;
  }
  EXPECT_EQ(died, kills);
  // The writers got somewhere.
  std::int64_t generation = 0;
  for (const auto& row : jetwritetest::EngineRows(path, "namoone"))
    generation = std::max(generation, Parse(row[kTitle]).generation);
  EXPECT_GT(generation, 0);
  RecordProperty("generations", static_cast<int>(generation));
  RecordProperty("killed_in_commit", inCommit);
  std::printf("%d kills, %d of them during a commit, %lld generations written\n", died, inCommit,
              static_cast<long long>(generation));
}

TEST(EditorKillTest, ASecondWritingProcessIsRefusedWhileTheFirstHoldsTheFile) {
  const std::string path = FreshSample("twoprocesses");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto editor = Editor::Open(path);
    const char answer = editor.ok() ? 'y' : 'n';
    if (write(ready[1], &answer, 1) != 1) _exit(2);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  ASSERT_EQ(answer, 'y');
  auto second = Editor::Open(path);
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.status().message().rfind("Could not update; currently locked by user 'Admin' on machine '", 0), 0u)
      << second.status().message();
  EXPECT_TRUE(provider::jet::Database::Open(path).ok()) << "a reader was refused";
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  // The dead writer's lock went with it; its lock file is taken over.
  auto after = Editor::Open(path);
  EXPECT_TRUE(after.ok()) << after.status().ToString();
}

}  // namespace
