// Editor layouts: wrapping, caret placement, hit testing and visual movement over bidi text.
#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "paint_fixture.h"
#include "platform/codepage.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/pens_brushes.h"

namespace platform {
namespace {

using platformtest::Canvas;

struct Fixture {
  const char* name;
  const char* utf8;
  bool rightToLeft;
};

// Pure Persian, Persian with Latin, Latin with Persian, digits.
const Fixture kFixtures[] = {
    {"persian", "پرسش و پاسخ درباره نماز", true},
    {"persian-latin", "نسخه Velmora برای خواندن", true},
    {"latin-persian", "Reader for پرسش و پاسخ texts", false},
    {"digits", "سوال 12 از 345", true},
};

class TextLayoutTest : public ::testing::Test {
 protected:
  TextLayoutTest() : canvas(400, 100) {
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    std::strcpy(lf.lfFaceName, "Tahoma");
    font = CreateFontIndirectA(&lf);
    SelectObject(canvas.dc, font);
  }
  ~TextLayoutTest() override {
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  }
  Canvas canvas;
  HFONT font;
};

TEST_F(TextLayoutTest, CaretPointsHitTestBackToTheSamePlace) {
  for (const Fixture& f : kFixtures) {
    std::string text = Utf8ToAnsi(f.utf8);
    TextLayout layout(canvas.dc, text, -1, f.rightToLeft, DT_LEFT);
    ASSERT_EQ(layout.LineCount(), 1) << f.name;
    for (int i = 0; i <= int(text.size()); ++i) {
      POINT p = layout.CaretPoint(i);
      EXPECT_GE(p.x, 0) << f.name << " " << i;
      EXPECT_LE(p.x, layout.Width()) << f.name << " " << i;
      // Where runs meet two indexes share an x: the hit may give either, at the same place.
      int hit = layout.IndexAt({p.x, p.y + 3});
      EXPECT_TRUE(layout.CaretPoint(hit).x == p.x || layout.SecondCaretPoint(hit).x == p.x)
          << f.name << " " << i << " hit " << hit;
    }
  }
}

TEST_F(TextLayoutTest, VisualMovementVisitsEveryPosition) {
  for (const Fixture& f : kFixtures) {
    std::string text = Utf8ToAnsi(f.utf8);
    TextLayout layout(canvas.dc, text, -1, f.rightToLeft, DT_LEFT);
    // Start at the visually leftmost position and walk right to the other end.
    int index = f.rightToLeft ? int(text.size()) : 0;
    std::set<int> seen = {index};
    for (int step = 0; step < 3 * int(text.size()); ++step) {
      int next = layout.MoveVisually(index, +1);
      if (next == index) break;
      EXPECT_GE(layout.CaretPoint(next).x, layout.CaretPoint(index).x) << f.name;
      index = next;
      seen.insert(index);
    }
    EXPECT_EQ(seen.size(), text.size() + 1) << f.name;
  }
}

TEST_F(TextLayoutTest, WrappingUsesTheLineBoxesAndAlignment) {
  std::string text = Utf8ToAnsi(kFixtures[0].utf8);
  text = text + " " + text + " " + text;
  TextLayout layout(canvas.dc, text, 120, true, DT_RIGHT);
  ASSERT_GE(layout.LineCount(), 3);
  EXPECT_EQ(layout.LineHeight(), 14);
  for (int line = 0; line < layout.LineCount(); ++line) {
    int start = layout.LineStart(line);
    EXPECT_EQ(layout.LineOf(start), line);
    EXPECT_LE(layout.LineWidth(line), 120);
    // Right-aligned right-to-left lines begin at the right edge.
    EXPECT_GE(layout.CaretPoint(start).x, 118) << line;
    EXPECT_EQ(layout.CaretPoint(start).y, line * 14);
  }
  // A click below a line's box lands on the next line.
  int hit = layout.IndexAt({60, 14 + 5});
  EXPECT_EQ(layout.LineOf(hit), 1);
}

TEST_F(TextLayoutTest, SelectionIsPaintedUnderItsCharacters) {
  std::string text = "abc def";
  TextLayout layout(canvas.dc, text, 200, false, DT_RIGHT);
  SetBkMode(canvas.dc, TRANSPARENT);
  layout.Draw(canvas.dc, 10, 20, 4, 7, RGB(255, 255, 255), RGB(0, 0, 255));
  RECT back = canvas.Bounds(0x0000FF);
  POINT from = layout.CaretPoint(4), to = layout.CaretPoint(7);
  EXPECT_EQ(back.left, 10 + from.x);
  EXPECT_EQ(back.right, 10 + to.x);
  EXPECT_EQ(back.top, 20);
  EXPECT_EQ(back.bottom, 20 + 14);
  EXPECT_EQ(back.right, 10 + 200);  // flush right
}

}  // namespace
}  // namespace platform
