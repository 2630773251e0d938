// What the data grid draws, probed at a few pixels: the indicator at the right edge of a
// right-to-left grid, the title caption against the right, the highlighted current row and
// the grid lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/winuser.h"
#include "tests/dbcontrols/db_grid_fixture.h"
#include "tests/dbcontrols/screen_probe.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

std::uint32_t Rgb(COLORREF color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Dark and red: the anti-aliased ink of maroon text.
bool IsMaroonInk(std::uint32_t rgb) {
  int r = static_cast<int>(rgb >> 16) & 0xFF;
  int g = static_cast<int>(rgb >> 8) & 0xFF;
  int b = static_cast<int>(rgb) & 0xFF;
  return r > 0x50 && r > g + 0x30 && r > b + 0x30;
}

class DBGridPaintTest : public DBGridTest {
 protected:
  // The pure black pixels of a cell: the indicator glyph's.
  int InkIn(int col, int row) const {
    return BlackPixels(*screen_, *form_, *grid_, grid_->CellPixels(col, row));
  }
};

TEST_F(DBGridPaintTest, TheIndicatorSitsAtTheRightEdgeOnTheCurrentRow) {
  RECT indicator = grid_->CellPixels(0, 1);
  EXPECT_EQ(indicator.right, grid_->ClientWidth());
  EXPECT_EQ(indicator.right - indicator.left, 11);
  EXPECT_EQ(InkIn(0, 1), 36) << "the arrow's 36 black pixels";
  EXPECT_EQ(InkIn(0, 2), 0);
  query_->MoveByDistance(2);
  Pump();
  EXPECT_EQ(InkIn(0, 1), 0);
  EXPECT_EQ(InkIn(0, 3), 36);
  EXPECT_EQ(grid_->IndicatorRow(), 3);
}

TEST_F(DBGridPaintTest, TheTitleCaptionStartsAtTheRight) {
  RECT title = grid_->CellPixels(1, 0);
  ASSERT_GT(title.right - title.left, 100);
  int leftmost = title.right;
  int rightmost = title.left;
  for (int y = title.top; y < title.bottom; ++y) {
    for (int x = title.left; x < title.right; ++x) {
      if (!IsMaroonInk(PixelAt(x, y))) continue;
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  ASSERT_LT(leftmost, rightmost) << "the caption is drawn in maroon";
  EXPECT_GT(rightmost, title.right - 10);
  EXPECT_GT(leftmost, title.left + 30) << "nothing of it at the far left";
}

TEST_F(DBGridPaintTest, TheFocusedCurrentRowIsHighlightedAndTheLinesAreSilver) {
  POINT at = CellCentre(1, 2);
  Click(at.x, at.y);
  ASSERT_EQ(grid_->Row(), 2);
  RECT current = grid_->CellPixels(1, 2);
  RECT other = grid_->CellPixels(1, 3);
  // Text runs from the right, so the cells' left ends show their background.
  EXPECT_EQ(PixelAt(current.left + 3, current.top + 3), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(PixelAt(other.left + 3, other.top + 3), Rgb(GetSysColor(COLOR_WINDOW)));
  // The line under a data row, and the fixed area's black line beside the indicator.
  EXPECT_EQ(PixelAt(other.left + 20, other.bottom), 0xC0C0C0u);
  RECT indicator = grid_->CellPixels(0, 3);
  EXPECT_EQ(PixelAt(indicator.left - 1, indicator.top + 5), 0x000000u);
}

TEST_F(DBGridPaintTest, AnEmptyResultShowsTheArrowOnItsOneEmptyRow) {
  Requery("SELECT * FROM kolliyat WHERE id < 0");
  EXPECT_EQ(InkIn(0, 1), 36);
  RECT row = grid_->CellPixels(1, 1);
  // No text: where a title would start, the row shows the same background as at its far end.
  EXPECT_EQ(PixelAt(row.right - 5, row.top + 8), PixelAt(row.left + 3, row.top + 8));
}

}  // namespace
}  // namespace dbcontrolstest
