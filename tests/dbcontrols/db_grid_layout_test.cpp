// The data grid's layout over the sample database: read from a stored description, rows as a
// window onto the dataset, the current row following the dataset, reopening and closing.
#include <gtest/gtest.h>

#include "data/field.h"
#include "tests/dbcontrols/db_grid_fixture.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

TEST_F(DBGridTest, TheStoredGridKeepsItsOneCustomizedColumn) {
  TDBGridColumns* columns = grid_->Columns();
  ASSERT_EQ(columns->Count(), 1);
  EXPECT_EQ(columns->State(), TDBGridColumnsState::csCustomized);
  TColumn* column = columns->Items(0);
  EXPECT_TRUE(column->IsPersistent());
  EXPECT_EQ(column->FieldName(), "kholase");
  EXPECT_EQ(column->ButtonStyle(), TColumnButtonStyle::cbsNone);
  EXPECT_FALSE(column->Expanded());
  EXPECT_EQ(column->Title()->Caption(), Ansi("عنوان پرسش ها"));
  EXPECT_EQ(column->Title()->Font()->Color(), clMaroon);
  EXPECT_EQ(column->Font()->Color(), clWindowText);
  EXPECT_EQ(column->Font()->Height(), -12);
  EXPECT_EQ(grid_->TitleFont()->Color(), clBlack);
  EXPECT_EQ(grid_->Font()->Color(), clRed);
  EXPECT_EQ(grid_->Font()->Height(), -13);
  EXPECT_EQ(grid_->BorderStyle(), TBorderStyle::bsNone);
  EXPECT_EQ(grid_->DataSource(), form_->Dqkolliyat);
  // Given: font, title caption and title font; everything else follows its default.
  EXPECT_EQ(column->ExplicitValues(),
            (TColumnValues{TColumnValue::cvFont, TColumnValue::cvTitleCaption,
                           TColumnValue::cvTitleFont}));
  EXPECT_EQ(column->Field(), query_->FieldNamed("kholase"));
  EXPECT_EQ(column->Color(), grid_->Color());
  EXPECT_EQ(column->Title()->Color(), grid_->FixedColor());
}

TEST_F(DBGridTest, RowsAreAWindowOfTheRecordsThatFit) {
  // The title row, then as many whole data rows as fit; the link holds exactly that many.
  int visible = grid_->WholeVisibleRows();
  EXPECT_GT(visible, 3);
  EXPECT_EQ(grid_->RowTotal(), visible + 1);
  EXPECT_EQ(grid_->DataLink().BufferCount(), visible);
  EXPECT_EQ(grid_->FixedRowTotal(), 1);
  EXPECT_EQ(grid_->ColumnTotal(), 2);
  EXPECT_EQ(grid_->FixedColumnTotal(), 1);
  EXPECT_EQ(grid_->ColumnWidth(0), 11);
  EXPECT_EQ(grid_->Row(), 1);
  EXPECT_EQ(grid_->Col(), 1);
}

TEST_F(DBGridTest, ACategoryWithFewerRecordsThanRowsHasThatManyRows) {
  Requery("SELECT * FROM kolliyat WHERE id < 4");
  EXPECT_EQ(query_->TotalRecordCount(), 3);
  EXPECT_EQ(grid_->RowTotal(), 1 + 3);
}

TEST_F(DBGridTest, AnEmptyResultShowsTheTitleRowAndOneEmptyRow) {
  Requery("SELECT * FROM kolliyat WHERE id < 0");
  EXPECT_EQ(grid_->RowTotal(), 2);
  EXPECT_EQ(grid_->Row(), 1);
}

TEST_F(DBGridTest, TheCurrentRowFollowsTheDatasetMovedElsewhere) {
  query_->MoveByDistance(3);
  Pump();
  EXPECT_EQ(grid_->Row(), 1 + 3);
  query_->MoveToLast();
  Pump();
  EXPECT_EQ(grid_->Row(), grid_->RowTotal() - 1) << "the last record sits on the bottom row";
  query_->MoveToFirst();
  Pump();
  EXPECT_EQ(grid_->Row(), 1);
}

TEST_F(DBGridTest, AReopenedQueryStartsAgainAtItsFirstRecord) {
  query_->MoveByDistance(5);
  Requery("SELECT * FROM kolliyat WHERE id > 2");
  EXPECT_EQ(grid_->Row(), 1);
  EXPECT_EQ(query_->CurrentRecordNumber(), 1);
}

TEST_F(DBGridTest, ClosingTheDatasetLeavesTheTitleRowAndOneEmptyRow) {
  query_->SetActive(false);
  Pump();
  EXPECT_EQ(grid_->RowTotal(), 2);
  EXPECT_FALSE(grid_->DataLink().Active());
  EXPECT_EQ(grid_->Columns()->Count(), 1) << "the persistent column stays";
  EXPECT_EQ(grid_->Columns()->Items(0)->FieldName(), "kholase");
  query_->SetActive(true);
  Pump();
  EXPECT_GT(grid_->RowTotal(), 2);
}

}  // namespace
}  // namespace dbcontrolstest

namespace dbcontrolstest {
namespace {

TEST_F(DBGridTest, AGridFirstShownAfterItsDatasetOpenedFillsItsRowsThen) {
  // As the reader's category grids: stored hidden, bound while the datasets open.
  query_->MoveByDistance(2);
  auto* hidden = new TDBGrid(form_.get());
  hidden->SetVisible(false);
  hidden->SetParent(form_.get());
  hidden->SetBounds(400, 240, 169, 211);
  hidden->SetDataSource(form_->Dqkolliyat);
  EXPECT_FALSE(hidden->HandleAllocated());
  EXPECT_EQ(hidden->RowTotal(), 2) << "without a window only the title and one row";
  hidden->SetVisible(true);
  Pump();
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_EQ(hidden->RowTotal(), hidden->WholeVisibleRows() + 1);
  EXPECT_EQ(hidden->Row(), 1 + hidden->DataLink().LinkActiveRecord());
  EXPECT_EQ(query_->CurrentRecordNumber(), 3) << "showing the grid does not move the dataset";
}

}  // namespace
}  // namespace dbcontrolstest
