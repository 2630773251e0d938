// A commit cut short leaves a journal; whoever opens the file next puts the old pages back, and
// only a complete journal counts.
#include "provider/jet/writer_journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "provider/jet/editor.h"
#include "provider/jet/writer_lock.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using jetwritetest::Describe;
using jetwritetest::FileBytes;
using jetwritetest::Repeat;
using jetwritetest::Rows;
using provider::jet::ChangedPage;
using provider::jet::Editor;

constexpr std::size_t kPage = 4096;

struct Crash {
  std::string path;
  std::vector<std::uint8_t> before;  // the file before the commit
  std::vector<std::uint8_t> after;   // the file once the commit wrote everything
  Rows oldRows;
  Rows newRows;
};

// Commits a change that grows the file, then puts the journal that commit wrote back beside it:
// the state of a writer that died after writing the file but before removing the journal.
Crash CommitAndLeaveJournal(const std::string& name) {
  Crash crash;
  crash.path = jetwritetest::TempDir(name) + "/sample.mdb";
  jetwritetest::WriteEditSample(crash.path, {"یک", "دو"}, {"کوتاه", ""});
  crash.before = FileBytes(crash.path);
  crash.oldRows = jetwritetest::EngineRows(crash.path, "namoone");
  {
    auto editor = Editor::Open(crash.path);
    EXPECT_TRUE(editor.ok()) << editor.status().ToString();
    const std::uint32_t first = jetwritetest::LocationOf(crash.path, "namoone", 1);
    EXPECT_TRUE(editor.value()->UpdateRow("namoone", first, {{2, provider::Value(std::u16string(6000, u'پ'))}}).ok());
  }
  crash.after = FileBytes(crash.path);
  crash.newRows = jetwritetest::EngineRows(crash.path, "namoone");
  std::vector<ChangedPage> changes;
  for (std::uint32_t page = 0; page * kPage < crash.after.size(); ++page) {
    ChangedPage change;
    change.number = page;
    const auto at = static_cast<std::ptrdiff_t>(page * kPage);
    change.stored.assign(crash.after.begin() + at, crash.after.begin() + at + kPage);
    if (page * kPage < crash.before.size())
      change.original.assign(crash.before.begin() + at, crash.before.begin() + at + kPage);
    if (change.original != change.stored) changes.push_back(std::move(change));
  }
  EXPECT_TRUE(provider::jet::WriteJournal(crash.path, kPage,
                                          static_cast<std::uint32_t>(crash.before.size() / kPage),
                                          changes)
                  .ok());
  return crash;
}

TEST(JournalTest, TheNextReaderRollsAnUnfinishedCommitBack) {
  const Crash crash = CommitAndLeaveJournal("hot");
  ASSERT_NE(Describe(crash.oldRows), Describe(crash.newRows));
  EXPECT_EQ(Describe(jetwritetest::EngineRows(crash.path, "namoone")), Describe(crash.oldRows));
  EXPECT_EQ(FileBytes(crash.path), crash.before);
  EXPECT_FALSE(std::filesystem::exists(provider::jet::JournalPath(crash.path)));
}

TEST(JournalTest, TheNextWriterRollsAnUnfinishedCommitBack) {
  const Crash crash = CommitAndLeaveJournal("hotwriter");
  auto editor = Editor::Open(crash.path);
  ASSERT_TRUE(editor.ok()) << editor.status().ToString();
  EXPECT_EQ(FileBytes(crash.path), crash.before);
  EXPECT_FALSE(std::filesystem::exists(provider::jet::JournalPath(crash.path)));
}

// A journal cut short was never synced whole, so its writer had not touched the file yet.
TEST(JournalTest, AnIncompleteJournalIsDroppedAndTheFileKept) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> damage;
  };
  const Case cases[] = {
      {"its hash cut off", [](const std::string& j) { std::filesystem::resize_file(j, std::filesystem::file_size(j) - 1); }},
      {"a page missing", [](const std::string& j) { std::filesystem::resize_file(j, std::filesystem::file_size(j) - 4096); }},
      {"only its name written", [](const std::string& j) { std::ofstream(j) << "VELMORA-JOURNAL"; }},
  };
  for (const Case& incomplete : cases) {
    SCOPED_TRACE(incomplete.what);
    const Crash crash = CommitAndLeaveJournal("incomplete");
    const std::string journal = provider::jet::JournalPath(crash.path);
    incomplete.damage(journal);
    EXPECT_EQ(Describe(jetwritetest::EngineRows(crash.path, "namoone")), Describe(crash.newRows));
    EXPECT_EQ(FileBytes(crash.path), crash.after);
    EXPECT_FALSE(std::filesystem::exists(journal));
  }
}

// While a live writer holds the file, its journal is its commit in progress: a reader reads the
// state before it and leaves both the file and the journal alone.
TEST(JournalTest, ReadersSeeTheOldStateWhileTheWriterLives) {
  const Crash crash = CommitAndLeaveJournal("live");
  auto lock = provider::jet::WriterLock::Acquire(crash.path);
  ASSERT_TRUE(lock.ok()) << lock.status().ToString();
  EXPECT_EQ(Describe(jetwritetest::EngineRows(crash.path, "namoone")), Describe(crash.oldRows));
  EXPECT_EQ(FileBytes(crash.path), crash.after);
  EXPECT_TRUE(std::filesystem::exists(provider::jet::JournalPath(crash.path)));
}

}  // namespace
