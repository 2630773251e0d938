// Caret movement, selection and hit testing in an edit over mixed right-to-left and
// left-to-right text: the caret goes where the eye expects it, not where the bytes lie.
#include <gtest/gtest.h>

#include <set>

#include "platform/caret.h"
#include "tests/platform/edit_fixture.h"

namespace platform {
namespace {

struct Fixture {
  const char* name;
  const char* utf8;
  bool rightToLeft;
};

const Fixture kPersian{"persian", "سلام دنیا", true};
const Fixture kPersianLatin{"persian-latin", "نسخه Velmora برای", true};
const Fixture kLatinPersian{"latin-persian", "Reader for پرسش texts", false};
const Fixture kDigits{"digits", "سوال 12 از 345", true};
const Fixture kZwnj{"zwnj", "می‌خواهم بخوانم", true};
const Fixture kAll[] = {kPersian, kPersianLatin, kLatinPersian, kDigits, kZwnj};

class EditBidi : public EditTest {
 protected:
  void Open(const Fixture& f) {
    MakeEdit(ES_AUTOHSCROLL, f.rightToLeft ? WS_EX_RTLREADING | WS_EX_RIGHT : 0, 300, 22, f.utf8);
  }
  int Length() const { return GetWindowTextLengthA(edit_); }
  void Place(int pos) { SendMessageA(edit_, EM_SETSEL, WPARAM(pos), pos); }
  int CaretX(int pos) const {
    return short(LOWORD(DWORD(SendMessageA(edit_, EM_POSFROMCHAR, WPARAM(pos), 0))));
  }

  // The positions the caret visits walking from the start of the text with the reading
  // direction's arrow to the other end, checking that it moves that way on screen.
  std::set<int> Walk(const Fixture& f) {
    int key = f.rightToLeft ? VK_LEFT : VK_RIGHT;
    Key(VK_HOME);
    std::set<int> seen = {SelEnd()};
    int x = Caret().x;
    for (int step = 0; step < Length() + 2; ++step) {
      Key(key);
      seen.insert(SelEnd());
      int now = Caret().x;
      EXPECT_TRUE(f.rightToLeft ? now <= x : now >= x) << f.name << " step " << step;
      x = now;
    }
    return seen;
  }
};

TEST_F(EditBidi, ArrowsWalkEveryCaretPositionInScreenOrder) {
  struct Case {
    const Fixture& f;
    int positions;  // -1 for every byte position; a ZWNJ is one cluster with its letter
  } cases[] = {
      {kPersian, -1}, {kPersianLatin, -1}, {kLatinPersian, -1}, {kDigits, -1}, {kZwnj, 15}};
  for (const Case& c : cases) {
    Open(c.f);
    EXPECT_EQ(int(Walk(c.f).size()), c.positions < 0 ? Length() + 1 : c.positions) << c.f.name;
    DestroyWindow(parent_);
  }
}

TEST_F(EditBidi, AClickWhereACaretStandsPutsTheCaretThere) {
  for (const Fixture& f : kAll) {
    Open(f);
    for (int pos : Walk(f)) {
      int x = CaretX(pos);
      screen_->Advance(1000);  // no double click
      ClickAt(x, 8);
      // Where runs of both directions meet two positions share a place: either will do.
      EXPECT_EQ(Caret().x, std::clamp(x, 2, 297)) << f.name << " at " << pos << " got " << SelEnd();
      EXPECT_EQ(SelStart(), SelEnd()) << "a click selects nothing";
    }
    DestroyWindow(parent_);
  }
}

TEST_F(EditBidi, ClicksBeyondTheTextGoToItsVisualEnds) {
  struct Case {
    const Fixture& f;
    int x;
    int expected;  // -1 for the text's length
  } cases[] = {
      {kPersian, 298, 0},     {kPersian, 2, -1},     {kPersianLatin, 298, 0},
      {kPersianLatin, 2, -1}, {kLatinPersian, 2, 0}, {kLatinPersian, 298, -1},
      {kZwnj, 298, 0},        {kZwnj, 2, -1},
  };
  for (const Case& c : cases) {
    Open(c.f);
    ClickAt(c.x, 8);
    EXPECT_EQ(SelEnd(), c.expected < 0 ? Length() : c.expected) << c.f.name << " x " << c.x;
    DestroyWindow(parent_);
  }
}

TEST_F(EditBidi, WordAndLineKeysMoveByReadingOrder) {
  struct Case {
    const Fixture& f;
    int from;
    int key;
    bool ctrl;
    bool shift;
    int caret;
    int selected;
  } cases[] = {
      {kPersian, 0, VK_LEFT, true, false, 5, 0},  // Ctrl+Left reads on in right-to-left text
      {kPersian, 9, VK_RIGHT, true, false, 5, 0},
      {kPersian, 5, VK_RIGHT, true, true, 0, 5},
      {kPersian, 0, VK_LEFT, false, true, 1, 1},
      {kPersian, 3, VK_END, false, true, 9, 6},
      {kPersian, 9, VK_HOME, false, false, 0, 0},
      {kZwnj, 0, VK_LEFT, true, false, 9, 0},  // ZWNJ stays inside its word
      {kZwnj, 15, VK_RIGHT, true, false, 9, 0},
      {kLatinPersian, 0, VK_RIGHT, true, false, 7, 0},
      {kLatinPersian, 7, VK_RIGHT, true, false, 11, 0},
      {kLatinPersian, 11, VK_RIGHT, true, true, 16, 5},
      {kLatinPersian, 16, VK_LEFT, true, false, 11, 0},
      {kDigits, 5, VK_LEFT, true, false, 8, 0},
      {kPersianLatin, 5, VK_LEFT, true, false, 13, 0},
      {kPersianLatin, 13, VK_RIGHT, true, false, 5, 0},
  };
  for (const Case& c : cases) {
    Open(c.f);
    Place(c.from);
    Key(c.key, c.shift, c.ctrl);
    EXPECT_EQ(SelEnd() == c.caret ? SelEnd() : SelStart(), c.caret)
        << c.f.name << " from " << c.from << " key " << c.key;
    EXPECT_EQ(SelEnd() - SelStart(), c.selected) << c.f.name << " from " << c.from;
    DestroyWindow(parent_);
  }
}

TEST_F(EditBidi, ADoubleClickSelectsTheWordUnderThePointer) {
  struct Case {
    const Fixture& f;
    int inside;  // a position inside the word
    int start;
    int end;
  } cases[] = {
      {kPersian, 2, 0, 4},       {kPersian, 7, 5, 9},         {kZwnj, 3, 0, 8},
      {kPersianLatin, 8, 5, 12}, {kLatinPersian, 13, 11, 15}, {kDigits, 5, 5, 7},
  };
  for (const Case& c : cases) {
    Open(c.f);
    // The middle of the character after `inside`.
    int x = (CaretX(c.inside) + CaretX(c.inside + 1)) / 2;
    POINT p{x, 8};
    ClientToScreen(edit_, &p);
    screen_->Click(p.x, p.y);
    screen_->Click(p.x, p.y);
    Pump();
    EXPECT_EQ(SelStart(), c.start) << c.f.name << " " << c.inside;
    EXPECT_EQ(SelEnd(), c.end) << c.f.name << " " << c.inside;
    DestroyWindow(parent_);
  }
}

TEST_F(EditBidi, ShiftClickAndDragExtendTheSelection) {
  Open(kPersianLatin);
  Place(2);
  ClickAt(CaretX(10), 8, true);
  EXPECT_EQ(SelStart(), 2);
  EXPECT_EQ(SelEnd(), 10);
  POINT from{CaretX(0), 8}, to{CaretX(4), 8};
  ClientToScreen(edit_, &from);
  ClientToScreen(edit_, &to);
  screen_->Press(from.x, from.y);
  screen_->MoveMouse(to.x, to.y);
  screen_->Release(to.x, to.y);
  Pump();
  EXPECT_EQ(SelStart(), 0);
  EXPECT_EQ(SelEnd(), 4);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace platform
