// The data grid driven as a reader drives it over the sample database: clicks, keys, the
// vertical scroll bar and the wheel, with the answer memo following the dataset.
#include <gtest/gtest.h>

#include "data/field.h"
#include "tests/dbcontrols/db_grid_fixture.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

AnsiString AnswerOfCurrent(TADOQuery* query) { return query->FieldNamed("pasokh")->StringValue(); }

TEST_F(DBGridTest, AClickOnARowMovesTheDatasetByTheRowsBetween) {
  struct Case {
    int clickedRow;
    int expectedRecord;
  };
  // Each click starts where the one before left the dataset.
  const Case cases[] = {{4, 4}, {2, 2}, {2, 2}, {9, 9}, {1, 1}};
  for (const Case& c : cases) {
    POINT at = CellCentre(1, c.clickedRow);
    Click(at.x, at.y);
    EXPECT_EQ(query_->CurrentRecordNumber(), c.expectedRecord) << "row " << c.clickedRow;
    EXPECT_EQ(grid_->Row(), c.clickedRow);
    EXPECT_EQ(form_->Memopakolliyat->Text(), AnswerOfCurrent(query_)) << "the memo follows";
  }
}

TEST_F(DBGridTest, KeysMoveTheDataset) {
  POINT at = CellCentre(1, 1);
  Click(at.x, at.y);
  int visible = grid_->WholeVisibleRows();
  int total = query_->TotalRecordCount();
  struct Case {
    int key;
    std::vector<int> modifiers;
    int expectedRecord;
  };
  const Case cases[] = {
      {VK_DOWN, {}, 2},
      {VK_DOWN, {}, 3},
      {VK_UP, {}, 2},
      {VK_NEXT, {}, 2 + visible},
      {VK_PRIOR, {}, 2},
      {VK_END, {}, total},  // one data column: End goes to the last record
      {VK_HOME, {}, 1},
      {VK_END, {VK_CONTROL}, total},
      {VK_UP, {VK_CONTROL}, total - visible + 1},  // the top visible row
      {VK_DOWN, {VK_CONTROL}, total},              // the bottom visible row
      {VK_HOME, {VK_CONTROL}, 1},
      {VK_UP, {}, 1},  // nothing above the first record
  };
  for (const Case& c : cases) {
    Press(c.key, c.modifiers);
    EXPECT_EQ(query_->CurrentRecordNumber(), c.expectedRecord) << "key " << c.key;
    EXPECT_EQ(grid_->Row(), 1 + grid_->DataLink().LinkActiveRecord());
  }
  EXPECT_EQ(query_->State(), DataSetState::Browsing) << "a read-only result never appends";
}

TEST_F(DBGridTest, TheVerticalScrollBarShowsAndMovesThePosition) {
  POINT at = CellCentre(1, 1);
  Click(at.x, at.y);
  int visible = grid_->WholeVisibleRows();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(grid_->Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nMin, 1);
  EXPECT_EQ(static_cast<int>(info.nPage), visible);
  EXPECT_EQ(info.nMax, query_->TotalRecordCount() + visible - 1);
  EXPECT_EQ(info.nPos, 1);

  // Line down from the top row goes to the record just below the last visible row.
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  Pump();
  EXPECT_EQ(query_->CurrentRecordNumber(), visible + 1);
  GetScrollInfo(grid_->Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nPos, visible + 1);
  // Line up goes to the record above the first visible row.
  int top = query_->CurrentRecordNumber() - grid_->DataLink().LinkActiveRecord();
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(query_->CurrentRecordNumber(), top - 1);
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(query_->CurrentRecordNumber(), query_->TotalRecordCount());
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(query_->CurrentRecordNumber(), 1);
  SendMessageA(grid_->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(query_->CurrentRecordNumber(), 1 + visible);
}

TEST_F(DBGridTest, TheWheelMovesTheHighlightButNotTheDataset) {
  POINT at = CellCentre(1, 3);
  Click(at.x, at.y);
  AnsiString answer = form_->Memopakolliyat->Text();
  POINT screen = grid_->ClientToScreen(at);
  screen_->Wheel(screen.x, screen.y, -120);
  Pump();
  EXPECT_EQ(grid_->Row(), 4);
  EXPECT_EQ(query_->CurrentRecordNumber(), 3);
  EXPECT_EQ(form_->Memopakolliyat->Text(), answer);
  // The next move of the dataset puts the highlight back on its record.
  query_->MoveToNext();
  Pump();
  EXPECT_EQ(grid_->Row(), 1 + grid_->DataLink().LinkActiveRecord());
  EXPECT_EQ(query_->CurrentRecordNumber(), 4);
}

TEST_F(DBGridTest, OnARightToLeftGridLeftAndRightAreMirrored) {
  // A grid with a second column: the id field after the title.
  TColumn* id = grid_->Columns()->Add();
  id->SetFieldName("id");
  id->SetWidth(40);
  Pump();
  POINT at = CellCentre(1, 2);
  Click(at.x, at.y);
  ASSERT_EQ(grid_->Col(), 1);
  ASSERT_FALSE(grid_->EditorShown()) << "a click on the current cell would open the editor";
  Press(VK_LEFT);
  EXPECT_EQ(grid_->Col(), 2) << "Left goes on to the next column, on the left of the screen";
  // The id column scrolled into view at the left edge, the indicator stays at the right.
  RECT second = grid_->CellPixels(2, 2);
  RECT indicator = grid_->CellPixels(0, 2);
  EXPECT_EQ(indicator.right, grid_->ClientWidth());
  EXPECT_LT(second.right, indicator.left);
  Press(VK_RIGHT);
  EXPECT_EQ(grid_->Col(), 1);
  Press(VK_TAB);
  EXPECT_EQ(grid_->Col(), 1) << "the id column is an autonumber, so it is no tab stop";
}

}  // namespace
}  // namespace dbcontrolstest

namespace dbcontrolstest {
namespace {

// The columns the grid reported clicks on, titles and cells apart.
class ClickLog : public TObject {
 public:
  std::vector<TColumn*> titles;
  std::vector<TColumn*> cells;
  void Title(TColumn* column) { titles.push_back(column); }
  void Cell(TColumn* column) { cells.push_back(column); }
};

TEST_F(DBGridTest, ClicksOnTitlesAndCellsAreReportedWithTheirColumn) {
  ClickLog log;
  grid_->OnTitleClick = TDBGridClickEvent(&log, &ClickLog::Title);
  grid_->OnCellClick = TDBGridClickEvent(&log, &ClickLog::Cell);
  TColumn* column = grid_->Columns()->Items(0);
  POINT title = CellCentre(1, 0);
  Click(title.x, title.y);
  POINT cell = CellCentre(1, 3);
  Click(cell.x, cell.y);
  POINT indicator = CellCentre(0, 4);
  Click(indicator.x, indicator.y);
  EXPECT_EQ(log.titles, std::vector<TColumn*>{column});
  EXPECT_EQ(log.cells, std::vector<TColumn*>{column}) << "the indicator column reports nothing";
  EXPECT_EQ(query_->CurrentRecordNumber(), 4) << "but a click there still moves";
  grid_->OnTitleClick = TDBGridClickEvent();
  grid_->OnCellClick = TDBGridClickEvent();
}

TEST_F(DBGridTest, SizingTheColumnByItsTitleGivesTheColumnItsWidth) {
  TColumn* column = grid_->Columns()->Items(0);
  ASSERT_FALSE(column->ExplicitValues().Contains(TColumnValue::cvWidth));
  // The column is cut off at the grid's left edge (right to left), where its line is grabbed.
  POINT from = grid_->ClientToScreen(POINT{1, 5});
  POINT to = grid_->ClientToScreen(POINT{60, 5});
  screen_->MoveMouse(from.x, from.y);
  screen_->Press(from.x, from.y);
  Pump();
  EXPECT_EQ(grid_->MouseState(), TGridMouseState::columnSizing);
  screen_->MoveMouse(to.x, to.y);
  screen_->Release(to.x, to.y);
  Pump();
  EXPECT_LT(grid_->ColumnWidth(1), grid_->ClientWidth());
  EXPECT_TRUE(column->ExplicitValues().Contains(TColumnValue::cvWidth));
  EXPECT_EQ(column->Width(), grid_->ColumnWidth(1));
  RECT cell = grid_->CellPixels(1, 1);
  EXPECT_NEAR(cell.left, 60, 3);
}

}  // namespace
}  // namespace dbcontrolstest
