// The data grid's columns: given values against defaults, missing and hidden fields, widths
// passed to fields, and the layout batches that rebuild the grid once.
#include <gtest/gtest.h>

#include <functional>

#include "data/field.h"
#include "tests/dbcontrols/db_grid_fixture.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

TEST_F(DBGridTest, APersistentColumnForAMissingFieldStaysUnbound) {
  TColumn* column = grid_->Columns()->Add();
  column->SetFieldName("javab");
  Pump();
  EXPECT_EQ(column->Field(), nullptr);
  EXPECT_EQ(column->FieldName(), "javab");
  EXPECT_EQ(column->Title()->Caption(), "javab");
  EXPECT_EQ(grid_->ColumnTotal(), 3);
  EXPECT_FALSE(grid_->TabStopAt(2));
  EXPECT_EQ(grid_->DataLink().MappedField(1), nullptr);
  EXPECT_FALSE(grid_->DataLink().DefaultFields()) << "a column's field was not found";
}

TEST_F(DBGridTest, AGivenTitleCaptionNoLongerFollowsTheField) {
  TColumn* stored = grid_->Columns()->Items(0);
  TColumn* added = grid_->Columns()->Add();
  added->SetFieldName("id");
  EXPECT_EQ(added->Title()->Caption(), "id");
  query_->FieldNamed("id")->SetDisplayLabel("Number");
  query_->FieldNamed("kholase")->SetDisplayLabel("Title");
  EXPECT_EQ(added->Title()->Caption(), "Number");
  EXPECT_EQ(stored->Title()->Caption(), Ansi("عنوان پرسش ها"));
}

TEST_F(DBGridTest, EveryValueFollowsItsDefaultUntilGiven) {
  TColumn* column = grid_->Columns()->Add();
  column->SetFieldName("id");
  TField* id = query_->FieldNamed("id");
  struct Case {
    const char* name;
    TColumnValue flag;
    std::function<bool()> followsDefault;
    std::function<void()> give;
    std::function<bool()> keepsGiven;
  };
  const Case cases[] = {
      {"Alignment", TColumnValue::cvAlignment,
       [&] { return column->Alignment() == id->Alignment(); },
       [&] { column->SetAlignment(TAlignment::taCenter); },
       [&] { return column->Alignment() == TAlignment::taCenter; }},
      {"Color", TColumnValue::cvColor, [&] { return column->Color() == grid_->Color(); },
       [&] { column->SetColor(clYellow); }, [&] { return column->Color() == clYellow; }},
      {"ReadOnly", TColumnValue::cvReadOnly,
       [&] { return column->ReadOnly() == id->ReadOnly(); },
       [&] { column->SetReadOnly(!id->ReadOnly()); },
       [&] { return column->ReadOnly() != id->ReadOnly(); }},
      {"Font", TColumnValue::cvFont,
       [&] { return column->Font()->Color() == grid_->Font()->Color(); },
       [&] { column->Font()->SetColor(clGreen); },
       [&] { return column->Font()->Color() == clGreen; }},
      {"Title.Color", TColumnValue::cvTitleColor,
       [&] { return column->Title()->Color() == grid_->FixedColor(); },
       [&] { column->Title()->SetColor(clAqua); },
       [&] { return column->Title()->Color() == clAqua; }},
      {"Title.Alignment", TColumnValue::cvTitleAlignment,
       [&] { return column->Title()->Alignment() == TAlignment::taLeftJustify; },
       [&] { column->Title()->SetAlignment(TAlignment::taRightJustify); },
       [&] { return column->Title()->Alignment() == TAlignment::taRightJustify; }},
      {"Title.Font", TColumnValue::cvTitleFont,
       [&] { return column->Title()->Font()->Color() == grid_->TitleFont()->Color(); },
       [&] { column->Title()->Font()->SetColor(clPurple); },
       [&] { return column->Title()->Font()->Color() == clPurple; }},
      {"Width", TColumnValue::cvWidth, [&] { return column->Width() == column->DefaultWidth(); },
       [&] { column->SetWidth(33); }, [&] { return column->Width() == 33; }},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(c.followsDefault()) << c.name;
    EXPECT_FALSE(column->ExplicitValues().Contains(c.flag)) << c.name;
    c.give();
    EXPECT_TRUE(column->ExplicitValues().Contains(c.flag)) << c.name;
    EXPECT_TRUE(c.keepsGiven()) << c.name;
  }
  // The grid's own changes no longer reach the given values.
  grid_->Font()->SetColor(clBlue);
  EXPECT_EQ(column->Font()->Color(), clGreen);
  column->RestoreDefaults();
  EXPECT_TRUE(column->ExplicitValues().Bits() == 0);
  for (const Case& c : cases) EXPECT_TRUE(c.followsDefault()) << c.name << " after restoring";
}

TEST_F(DBGridTest, AHiddenColumnReportsWidthMinusOneAndTakesNoSpace) {
  TColumn* column = grid_->Columns()->Add();
  column->SetFieldName("id");
  column->SetWidth(40);
  Pump();
  EXPECT_EQ(grid_->ColumnWidth(2), 40);
  column->SetVisible(false);
  Pump();
  EXPECT_EQ(column->Width(), -1);
  EXPECT_EQ(grid_->ColumnWidth(2), -1);
  EXPECT_EQ(grid_->VisibleColumns().size(), 1u);
  column->SetVisible(true);
  EXPECT_EQ(column->Width(), 40) << "the given width comes back";
}

TEST_F(DBGridTest, TheDefaultWidthIsTheFieldsDisplayWidthInDigits) {
  TColumn* column = grid_->Columns()->Items(0);
  TField* field = column->Field();
  int overhang = 0;
  int zero = grid_->MeasureText(*column->Font(), "0", nullptr, &overhang).cx;
  EXPECT_EQ(column->Width(), (zero - overhang) * field->DisplayWidth() + overhang + 4);
  EXPECT_GT(column->Width(), grid_->ClientWidth()) << "cut off at the grid's far edge";
  EXPECT_EQ(grid_->ColumnWidth(1), column->Width());
}

TEST_F(DBGridTest, ClosingUnbindsTheColumnWhichKeepsItsName) {
  TColumn* column = grid_->Columns()->Items(0);
  ASSERT_NE(column->BoundField(), nullptr);
  query_->SetActive(false);
  EXPECT_EQ(column->BoundField(), nullptr);
  EXPECT_EQ(column->FieldName(), "kholase");
  query_->SetActive(true);
  EXPECT_EQ(column->Field(), query_->FieldNamed("kholase"));
}

TEST_F(DBGridTest, OnlyTheOutermostLayoutBatchRebuilds) {
  grid_->OpenLayoutBatch();
  grid_->OpenLayoutBatch();
  TColumn* column = grid_->Columns()->Add();
  column->SetFieldName("id");
  grid_->RequestLayout();
  EXPECT_EQ(grid_->ColumnTotal(), 2) << "nothing is rebuilt while a batch is open";
  grid_->CloseLayoutBatch();
  EXPECT_EQ(grid_->ColumnTotal(), 2);
  grid_->CloseLayoutBatch();
  EXPECT_EQ(grid_->ColumnTotal(), 3);
  EXPECT_EQ(grid_->LayoutDepth(), 0);
  EXPECT_EQ(grid_->UpdateDepth(), 0);
  grid_->CloseLayoutBatch();
  EXPECT_EQ(grid_->LayoutDepth(), 0) << "a batch that is not open cannot be closed";
}

TEST_F(DBGridTest, ADeferredLayoutIsRebuiltFromTheMessageQueue) {
  grid_->OpenLayoutBatch();
  TColumn* column = grid_->Columns()->Add();
  column->SetFieldName("id");
  grid_->DeferLayout();
  EXPECT_EQ(grid_->LayoutDepth(), 0);
  EXPECT_EQ(grid_->UpdateDepth(), 0);
  EXPECT_EQ(grid_->ColumnTotal(), 2) << "not yet";
  // The message arriving inside another batch leaves the rebuild to that batch.
  grid_->OpenLayoutBatch();
  Pump();
  EXPECT_EQ(grid_->ColumnTotal(), 2);
  EXPECT_EQ(grid_->LayoutDepth(), 1) << "the message releases nothing it did not open";
  grid_->CloseLayoutBatch();
  EXPECT_EQ(grid_->ColumnTotal(), 3);
  // Outside any batch the message rebuilds at once.
  grid_->OpenLayoutBatch();
  column->SetVisible(false);
  grid_->DeferLayout();
  EXPECT_EQ(grid_->VisibleColumns().size(), 2u);
  Pump();
  EXPECT_EQ(grid_->VisibleColumns().size(), 1u);
}

}  // namespace
}  // namespace dbcontrolstest
