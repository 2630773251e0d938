// The grid base as a user and a subclass meet it: counts and their errors, hit testing and
// painting left to right and right to left, keys, the mouse, sizing, scroll bars and the editor.
#include "core/exceptions.h"
#include "dbcontrols/inplace_edit.h"
#include "platform/winuser.h"
#include "tests/dbcontrols/grid_fixture.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

TEST_F(GridTest, FixedCountsMustStayBelowTheTotals) {
  MakeGrid(false);
  EXPECT_THROW(grid_->SetFixedColumnTotal(5), EInvalidGridOperation);
  try {
    grid_->SetFixedRowTotal(5);
    FAIL();
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), "Fixed row count must be less than row count");
  }
  try {
    grid_->SetFixedColumnTotal(-1);
    FAIL();
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), "Grid index out of range");
  }

  grid_->SetFixedColumnTotal(3);
  grid_->SetColumnTotal(2);
  EXPECT_EQ(grid_->ColumnTotal(), 2);
  EXPECT_EQ(grid_->FixedColumnTotal(), 1) << "lowered instead of refused";
  grid_->SetRowTotal(0);
  EXPECT_EQ(grid_->RowTotal(), 1);
  EXPECT_EQ(grid_->FixedRowTotal(), 0);
}

TEST_F(GridTest, IndexesOutsideTheGridAreRefused) {
  MakeGrid(false);
  EXPECT_THROW(grid_->SetCurrentCell(5, 1, true, true), EInvalidGridOperation);
  EXPECT_THROW(grid_->SetCurrentCell(1, -1, true, true), EInvalidGridOperation);
  EXPECT_THROW(grid_->AssignColumnWidth(5, 10), EInvalidGridOperation);
  EXPECT_THROW(grid_->AssignRowHeight(-1, 10), EInvalidGridOperation);
  EXPECT_THROW(grid_->MoveColumnTo(0, 7), EInvalidGridOperation);
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{1, 1}));
}

TEST_F(GridTest, CellsAreFoundUnderPointsAndMirroredRightToLeft) {
  MakeGrid(false);
  EXPECT_EQ(grid_->CellAtPoint(5, 5), (TGridCoord{0, 0}));
  EXPECT_EQ(grid_->CellAtPoint(70, 30), (TGridCoord{1, 1}));
  EXPECT_EQ(grid_->CellAtPoint(70, 500), (TGridCoord{-1, -1})) << "both -1 when one is";
  platform::RECT r = grid_->CellPixels(1, 1);
  EXPECT_EQ(r.left, 65);
  EXPECT_EQ(r.right, 129);
  EXPECT_EQ(r.top, 25);

  MakeGrid(true);
  EXPECT_EQ(grid_->CellAtPoint(335, 5), (TGridCoord{0, 0})) << "the first column is at the right";
  EXPECT_EQ(grid_->CellAtPoint(270, 30), (TGridCoord{1, 1}));
  r = grid_->CellPixels(0, 0);
  EXPECT_EQ(r.right, 340);
  EXPECT_EQ(r.left, 276);
}

TEST_F(GridTest, RangesScrolledAwayOrBeyondTheScreenHaveNoRectangle) {
  MakeGrid(false, 200, 140);
  grid_->SetColumnTotal(10);
  grid_->SetTopLeft(4, 1);
  EXPECT_EQ(grid_->CellPixels(2, 1).right, 0) << "scrolled away";
  platform::RECT spanning = grid_->CellsRect({2, 1, 5, 1});
  EXPECT_EQ(spanning.left, 65) << "starts at the top-left cell";
  EXPECT_EQ(grid_->CellPixels(8, 1).right, 0) << "more than one beyond the last whole cell";
  EXPECT_EQ(grid_->CellsRect({3, 1, 2, 1}).right, 0) << "reversed";
}

TEST_F(GridTest, PaintingFillsFixedCellsDrawsLinesAndMirrorsRightToLeft) {
  MakeGrid(false);
  std::uint32_t fixedFace = PixelAt(30, 12);
  std::uint32_t cellFace = PixelAt(100, 50);
  EXPECT_NE(fixedFace, cellFace) << "fixed cells in FixedColor, the others in Color";
  EXPECT_EQ(cellFace, 0xFFFFFFu);
  EXPECT_EQ(PixelAt(64, 12), 0x000000u) << "a black line between fixed cells";
  EXPECT_EQ(PixelAt(129, 60), 0xC0C0C0u) << "a silver line between scrollable cells";
  ASSERT_TRUE(grid_->painted.count(std::pair(0, 0)));
  EXPECT_EQ(grid_->painted[std::pair(0, 0)].left, 0) << "cells are painted in unmirrored coordinates";

  MakeGrid(true);
  EXPECT_EQ(PixelAt(320, 60), fixedFace) << "the fixed column sits at the right";
  EXPECT_EQ(PixelAt(20, 60), 0xFFFFFFu);
  EXPECT_EQ(grid_->painted[std::pair(0, 0)].left, 0) << "the canvas is mirrored for the subclass";
}

TEST_F(GridTest, ArrowKeysMoveTheCurrentCellMirroredRightToLeft) {
  MakeGrid(false);
  grid_->TakeFocus();
  Press(VK_RIGHT);
  Press(VK_DOWN);
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{2, 2}));
  Press(VK_END, {VK_CONTROL});
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{4, 4}));
  Press(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{1, 1}));
  Press(VK_LEFT);
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{1, 1})) << "fixed cells are never current";

  MakeGrid(true);
  grid_->TakeFocus();
  Press(VK_LEFT);
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{2, 1})) << "Left goes on towards the screen's left";
}

TEST_F(GridTest, HiddenColumnsAreSkippedAndGetNoLine) {
  MakeGrid(false);
  grid_->AssignColumnWidth(2, 0);
  grid_->painted.clear();
  grid_->TakeFocus();
  Press(VK_RIGHT);
  EXPECT_EQ(grid_->CurrentCell().X, 3);
  Pump();
  EXPECT_EQ(grid_->painted.count(std::pair(2, 1)), 0u) << "a hidden column is not painted";
}

TEST_F(GridTest, AClickMakesACellCurrent) {
  MakeGrid(false);
  POINT p = OnScreen(140, 60);
  screen_->Click(p.x, p.y);
  Pump();
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{2, 2}));
  EXPECT_TRUE(grid_->Focused());

  MakeGrid(true);
  p = OnScreen(200, 60);  // the third column from the right
  screen_->Click(p.x, p.y);
  Pump();
  EXPECT_EQ(grid_->CurrentCell(), (TGridCoord{2, 2}));
}

TEST_F(GridTest, DraggingAColumnLineInTheTitleRowSizesTheColumn) {
  MakeGrid(false);
  grid_->SetBaseOptions({TGridBaseOption::gbFixedVertLine, TGridBaseOption::gbFixedHorzLine,
                         TGridBaseOption::gbVertLine, TGridBaseOption::gbHorzLine,
                         TGridBaseOption::gbColSizing});
  POINT line = OnScreen(129, 10);  // the line after column 1
  screen_->Press(line.x, line.y);
  Pump();
  EXPECT_EQ(grid_->MouseState(), TGridMouseState::columnSizing);
  POINT to = OnScreen(150, 10);
  screen_->MoveMouse(to.x, to.y);
  screen_->Release(to.x, to.y);
  Pump();
  EXPECT_EQ(grid_->MouseState(), TGridMouseState::idle);
  EXPECT_EQ(grid_->ColumnWidth(1), 85);

  // Released at a width of 1 or less: nothing changes.
  line = OnScreen(150, 10);
  screen_->Press(line.x, line.y);
  POINT squeezed = OnScreen(66, 10);
  screen_->MoveMouse(squeezed.x, squeezed.y);
  screen_->Release(squeezed.x, squeezed.y);
  Pump();
  EXPECT_EQ(grid_->ColumnWidth(1), 85);
}

TEST_F(GridTest, OneScrollableColumnWiderThanTheClientHasNoHorizontalRange) {
  MakeGrid(false);
  grid_->SetColumnTotal(2);
  grid_->AssignColumnWidth(1, 1000);
  EXPECT_EQ(grid_->MaxTopLeft().X, 1);
  EXPECT_FALSE(GetWindowLongPtrA(grid_->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(GridTest, TheVerticalScrollBarMovesTheTopRow) {
  MakeGrid(false);
  grid_->SetRowTotal(20);
  EXPECT_TRUE(GetWindowLongPtrA(grid_->Handle(), GWL_STYLE) & WS_VSCROLL);
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid_->TopLeftCell().Y, 2);
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_THUMBPOSITION | (127 << 16), 0);
  EXPECT_EQ(grid_->TopLeftCell().Y, grid_->MaxTopLeft().Y);
  EXPECT_EQ(GetScrollPos(grid_->Handle(), SB_VERT), 127);
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(grid_->TopLeftCell().Y, 1);
  EXPECT_EQ(GetScrollPos(grid_->Handle(), SB_VERT), 0);
}

TEST_F(GridTest, MovingDownPastTheLastWholeRowScrollsItIntoView) {
  MakeGrid(false);
  grid_->SetRowTotal(20);
  grid_->TakeFocus();
  for (int i = 0; i < 5; ++i) Press(VK_DOWN);
  EXPECT_EQ(grid_->CurrentCell().Y, 6);
  TGridMetrics metrics = grid_->ComputeMetrics();
  EXPECT_EQ(metrics.Vert.LastWholeCell, 6) << "the current row is the last whole one";
}

TEST_F(GridTest, TypingOnAnEditingGridOpensTheEditorAndHidingWritesBack) {
  MakeGrid(false);
  grid_->SetBaseOptions({TGridBaseOption::gbFixedVertLine, TGridBaseOption::gbFixedHorzLine,
                         TGridBaseOption::gbVertLine, TGridBaseOption::gbHorzLine,
                         TGridBaseOption::gbEditing});
  grid_->texts[std::pair(1, 1)] = "old";
  grid_->TakeFocus();
  screen_->TypeText("x");
  Pump();
  ASSERT_NE(grid_->CellEditor(), nullptr);
  EXPECT_TRUE(grid_->EditorShown());
  EXPECT_EQ(grid_->CellEditor()->Text(), "x") << "the typed character replaces the selected text";
  platform::RECT cell = grid_->CellPixels(1, 1);
  EXPECT_EQ(grid_->CellEditor()->Left(), cell.left);

  Press(VK_DOWN);
  EXPECT_EQ(grid_->texts[std::pair(1, 1)], "x") << "leaving the cell writes the text back";
  EXPECT_EQ(grid_->CurrentCell().Y, 2);

  Press(VK_RETURN);
  EXPECT_FALSE(grid_->EditorShown()) << "Enter toggles the editor";
}

}  // namespace
}  // namespace dbcontrolstest
