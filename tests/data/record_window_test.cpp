// The record-buffer window over an in-memory cursor: moves in, the records in the buffers and
// the notice each move implies out; resizing, refilling, inserting and the invariant.
#include "data/record_window.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/exceptions.h"

namespace {

// A buffer that holds the number of its record.
class NumberBuffer : public TRecordBuffer {
 public:
  int record = 0;
};

int RecordOf(TRecordBuffer& buffer) {
  return static_cast<NumberBuffer&>(buffer).record;
}

// Records numbered 1..count; the position 0 is before the first, count + 1 after the last.
class NumberCursor : public TRecordCursor {
 public:
  explicit NumberCursor(int count) : count_(count) {}

  int position = 0;
  bool forwardOnly = false;
  int seeks = 0;

  void AddRecord() { ++count_; }

  std::unique_ptr<TRecordBuffer> AllocBuffer() override { return std::make_unique<NumberBuffer>(); }
  FetchResult Fetch(TRecordBuffer& buffer, FetchMode mode, bool check) override {
    if (mode == FetchMode::Next && position <= count_) ++position;
    if (mode == FetchMode::Prior && position > 0) --position;
    if (position == 0) return FetchResult::Bof;
    if (position > count_) return FetchResult::Eof;
    static_cast<NumberBuffer&>(buffer).record = position;
    buffer.SetFlag(BookmarkFlag::Current);
    return FetchResult::Ok;
  }
  void First() override { position = 0; }
  void Last() override { position = count_ + 1; }
  void SetToRecord(TRecordBuffer& buffer) override {
    ++seeks;
    position = RecordOf(buffer);
  }
  bool UniDirectional() override { return forwardOnly; }
  void RequireBidirectional() override {
    if (forwardOnly) throw EDatabaseError("forward only");
  }
  bool Inserting() override { return false; }

 private:
  int count_;
};

// A window of `size` over `records` records, opened as a dataset opens it.
struct OpenWindow {
  NumberCursor cursor;
  TRecordWindow window{cursor};

  OpenWindow(int records, int size, bool forwardOnly = false) : cursor(records) {
    cursor.forwardOnly = forwardOnly;
    window.Resize(size, 0);
    window.FillForward();
    window.FillBackward();
    window.SetAtBOF(true);
  }

  std::vector<int> Records() {
    std::vector<int> records;
    for (int i = 0; i < window.FilledCount(); ++i) records.push_back(RecordOf(window.Buffer(i)));
    return records;
  }
  int ActiveRecord() { return window.IsEmpty() ? 0 : RecordOf(*window.Current()); }

  // Runs a script of moves: "+n" / "-n" move by n, "first", "last", "add" adds a record to the
  // source. Returns what the last move by a distance did ("none" when it could not move).
  std::string Run(const std::string& script) {
    std::istringstream words(script);
    std::string word;
    std::string last = "none";
    while (words >> word) {
      if (word == "first") {
        window.FillFromFirst();
        window.SetAtBOF(true);
      } else if (word == "last") {
        window.FillFromLast();
        window.SetAtEOF(true);
      } else if (word == "add") {
        cursor.AddRecord();
      } else {
        const int distance = std::stoi(word);
        if (!window.CanMove(distance)) {
          last = "none";
          continue;
        }
        TWindowMove move;
        window.MoveBy(distance, move);
        last = std::to_string(move.moved) +
               (move.Notice() == DataNotice::NoticeScroll ? " scroll " : " dataset ") +
               std::to_string(move.Info());
      }
    }
    return last;
  }
};

struct MoveCase {
  const char* name;
  int records;
  int size;
  const char* script;
  std::vector<int> filled;
  int active;
  const char* lastMove;  // moved, notice, info
  bool bof;
  bool eof;
};

TEST(RecordWindow, MovesFillTheBuffersAndImplyTheirNotice) {
  // clang-format off
  const MoveCase cases[] = {
      {"opening shows the first records",      10, 3, "",           {1, 2, 3},   1,  "none",         true,  false},
      {"a move inside the window scrolls",     10, 3, "+1",         {1, 2, 3},   2,  "1 scroll 0",   false, false},
      {"leaving a full window slides it",      10, 3, "+3",         {2, 3, 4},   4,  "3 scroll -1",  false, false},
      {"a long move stops at the end",         10, 3, "+20",        {8, 9, 10},  10, "9 scroll -7",  false, true},
      {"back from the end",                    10, 3, "+20 -1",     {8, 9, 10},  9,  "-1 scroll 0",  false, false},
      {"no move before the first record",      10, 3, "-1",         {1, 2, 3},   1,  "none",         true,  false},
      {"last fills backwards",                 10, 3, "last",       {8, 9, 10},  10, "none",         false, true},
      {"backwards out of the window slides",   10, 3, "last -3",    {7, 8, 9},   7,  "-3 scroll 1",  false, false},
      {"first starts again",                   10, 3, "+5 first",   {1, 2, 3},   1,  "5 scroll -3",  true,  false},
      {"fewer records than buffers",           2,  3, "+5",         {1, 2},      2,  "1 scroll 0",   false, true},
      {"no records at all",                    0,  3, "+1",         {},          0,  "none",         true,  true},
      {"a record that came later grows it",    2,  3, "add +2",     {1, 2, 3},   3,  "2 dataset 0",  false, false},
      {"a window of one record slides always", 5,  1, "+2 -1",      {2},         2,  "-1 scroll 1",  false, false},
  };
  // clang-format on
  for (const MoveCase& c : cases) {
    OpenWindow w(c.records, c.size);
    EXPECT_EQ(w.Run(c.script), c.lastMove) << c.name;
    EXPECT_EQ(w.Records(), c.filled) << c.name;
    EXPECT_EQ(w.ActiveRecord(), c.active) << c.name;
    EXPECT_EQ(w.window.AtBOF(), c.bof) << c.name;
    EXPECT_EQ(w.window.AtEOF(), c.eof) << c.name;
  }
}

TEST(RecordWindow, MovesInsideTheWindowLeaveTheCursorAlone) {
  OpenWindow w(10, 5);
  const int seeks = w.cursor.seeks;
  w.Run("+1 +1 -1 +2");
  EXPECT_EQ(w.cursor.seeks, seeks);
  // Leaving the window puts the cursor back on the last record first, then reads on from it.
  w.Run("+2");
  EXPECT_EQ(w.Records(), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(w.window.ProviderIndex(), 4);
  EXPECT_EQ(w.cursor.position, 6);
}

struct ResizeCase {
  const char* name;
  const char* script;  // run on 10 records in a window of 5
  int count;
  int first;  // the first record the links still show, as a buffer index
  std::vector<int> filled;
  int active;
  int dropped;
};

TEST(RecordWindow, ShrinkingKeepsTheActiveRecordAndStaysFull) {
  // clang-format off
  const ResizeCase cases[] = {
      {"keeps the records from first on",     "+2", 2, 2, {3, 4},          3, 2},
      {"a first too early would lose active", "+2", 2, 0, {2, 3},          3, 1},
      {"a first too late would leave a gap",  "+4", 2, 4, {4, 5},          5, 3},
      {"growing keeps every record",          "+2", 8, 0, {1, 2, 3, 4, 5}, 3, 0},
  };
  // clang-format on
  for (const ResizeCase& c : cases) {
    OpenWindow w(10, 5);
    w.Run(c.script);
    EXPECT_EQ(w.window.Resize(c.count, c.first), c.dropped) << c.name;
    EXPECT_EQ(w.window.Size(), c.count) << c.name;
    EXPECT_EQ(w.window.BufferCount(), c.count + 1) << c.name;
    EXPECT_EQ(w.Records(), c.filled) << c.name;
    EXPECT_EQ(w.ActiveRecord(), c.active) << c.name;
  }
}

TEST(RecordWindow, RefillPutsTheCursorsRecordWhereAsked) {
  OpenWindow w(10, 5);
  NumberBuffer sixth;
  sixth.record = 6;
  w.cursor.SetToRecord(sixth);
  ASSERT_TRUE(w.window.FetchAnchor(true));
  w.window.RefillAround(true);
  EXPECT_EQ(w.Records(), (std::vector<int>{4, 5, 6, 7, 8}));
  EXPECT_EQ(w.ActiveRecord(), 6);

  // Past the end, only an inexact refill finds a record: the last one.
  w.cursor.Last();
  EXPECT_FALSE(w.window.FetchAnchor(true));
  ASSERT_TRUE(w.window.FetchAnchor(false));
  w.window.RefillAround(false);
  EXPECT_EQ(w.Records(), (std::vector<int>{6, 7, 8, 9, 10}));
}

TEST(RecordWindow, ANewRecordTakesTheActivePlace) {
  // clang-format off
  struct Case { const char* name; int records; std::vector<int> filled; };
  const Case cases[] = {
      {"a full window drops its last record", 10, {1, 99, 2}},
      {"a window with room keeps every one",  1,  {99, 1}},
  };
  // clang-format on
  for (const Case& c : cases) {
    OpenWindow w(c.records, 3);
    w.Run("+1");
    static_cast<NumberBuffer&>(w.window.OpenGapAtActive()).record = 99;
    w.window.KeepInserted();
    EXPECT_EQ(w.Records(), c.filled) << c.name;
    EXPECT_EQ(w.ActiveRecord(), 99) << c.name;
  }
}

TEST(RecordWindow, AForwardOnlyCursorNeitherSeeksNorGoesBack) {
  OpenWindow w(10, 3, true);
  w.Run("+3");
  EXPECT_EQ(w.Records(), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(w.cursor.seeks, 0);
  EXPECT_EQ(w.window.FillBackward(), 0);
  w.Run("-2");
  TWindowMove move;
  EXPECT_THROW(w.window.MoveBy(-1, move), EDatabaseError);
}

TEST(RecordWindow, ClosingFreesEveryBuffer) {
  OpenWindow w(10, 3);
  w.window.Close();
  EXPECT_EQ(w.window.BufferCount(), 0);
  EXPECT_EQ(w.window.Current(), nullptr);
  EXPECT_TRUE(w.window.IsEmpty());
  EXPECT_EQ(w.window.ProviderIndex(), -1);
}

TEST(RecordWindow, AnActiveIndexOutsideTheRecordsIsRefused) {
  OpenWindow w(2, 3);
  EXPECT_THROW(w.window.SetActiveIndex(2), EListError);
  EXPECT_THROW(w.window.SetActiveIndex(-1), EListError);
  w.window.SetActiveIndex(1);
  EXPECT_EQ(w.ActiveRecord(), 2);
}

TEST(RecordWindowDeathTest, ACursorIndexOutsideTheRecordsEndsTheProgram) {
  OpenWindow w(2, 3);
  EXPECT_DEATH(w.window.SetProviderIndex(2), "record window fault: the cursor's buffer");
}

}  // namespace
