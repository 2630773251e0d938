// The data grid over a dataset that accepts edits, with the columns it makes from the fields:
// appending with Down and cancelling with Up, Escape twice, typing into a cell, Insert, Tab and
// Ctrl+Delete with its question.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/edit.h"
#include "controls/form.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/field.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/inplace_edit.h"
#include "framework/application.h"
#include "framework/message_dialog.h"
#include "platform/headless/headless_backend.h"
#include "tests/data/numbered_rows.h"
#include "tests/dbcontrols/screen_probe.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

// Counts the deletions the dataset starts, and stops each before it reaches the provider.
class DeleteWatcher : public TObject {
 public:
  int started = 0;
  void BeforeDelete(TDataSet*) {
    ++started;
    throw EAbort("");
  }
};

class DBGridEditTest : public ::testing::Test {
 protected:
  DBGridEditTest() {
    auto screen = std::make_unique<HeadlessBackend>(800, 600);
    screen_ = screen.get();
    SetBackend(std::move(screen));
    // The question before a deletion is a dialog of the application's.
    StartApplicationObjects();
    std::string path = datatest::WriteNumberedRows("grid.mdb", 30);
    form_.reset(NewForm<TForm>(nullptr));
    form_->SetBorderStyle(TFormBorderStyle::bsNone);
    form_->SetBounds(0, 0, 400, 300);
    form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
    TADOConnection* connection = datatest::ConnectTo(form_.get(), path);
    query_ = datatest::QueryOn(form_.get(), connection, "Qnamoone", "SELECT * FROM namoone");
    auto* source = new TDataSource(form_.get());
    source->SetDataSet(query_);
    grid_ = new TDBGrid(form_.get());
    grid_->SetParent(form_.get());
    grid_->SetBounds(20, 20, 300, 211);
    form_->Show();
    query_->SetActive(true);
    // The provider does not write yet and marks its fields read-only; these take edits.
    query_->FieldNamed("kholase")->SetReadOnly(false);
    grid_->SetDataSource(source);
    Pump();
    grid_->TakeFocus();
    Pump();
  }
  ~DBGridEditTest() override {
    form_.reset();
    Pump();
    StopApplicationObjects();
  }

  void Pump() { PumpMessages(); }
  void Press(int key, std::vector<int> modifiers = {}) { PressKey(*screen_, key, modifiers); }
  // The black pixels of the current row's indicator cell: which glyph is drawn there.
  int IndicatorInk() {
    Pump();
    return BlackPixels(*screen_, *form_, *grid_, grid_->CellPixels(0, grid_->Row()));
  }
  AnsiString Title() { return query_->FieldNamed("kholase")->TextForDisplay(); }

  // Answers the next message dialog with a key once it shows, remembering its text.
  void AnswerNextDialog(int key) {
    pendingKey_ = key;
    screen_ref_ = screen_;
    // The timer keeps ticking until the dialog is the active window.
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
      auto* dialog = dynamic_cast<TMessageForm*>(FindControl(GetActiveWindow()));
      if (!dialog) return;
      KillTimer(nullptr, id);
      dialogText_ = dialog->ClipboardText();
      screen_ref_->Tap(pendingKey_);
    });
  }

  static inline int pendingKey_ = 0;
  static inline HeadlessBackend* screen_ref_ = nullptr;
  static inline AnsiString dialogText_;

  HeadlessBackend* screen_ = nullptr;
  std::unique_ptr<TForm> form_;
  TADOQuery* query_ = nullptr;
  TDBGrid* grid_ = nullptr;
};

// The glyphs' black pixels: current record, editing, inserting.
constexpr int kArrowInk = 36;
constexpr int kEditInk = 26;
constexpr int kInsertInk = 14;

TEST_F(DBGridEditTest, WithoutStoredColumnsTheGridMakesOneColumnPerField) {
  TDBGridColumns* columns = grid_->Columns();
  ASSERT_EQ(columns->Count(), 2);
  EXPECT_EQ(columns->State(), TDBGridColumnsState::csDefault);
  EXPECT_FALSE(columns->Items(0)->IsPersistent());
  EXPECT_EQ(columns->Items(0)->Field(), query_->FieldNamed("id"));
  EXPECT_EQ(columns->Items(1)->Field(), query_->FieldNamed("kholase"));
  EXPECT_EQ(columns->Items(1)->Title()->Caption(), "kholase");
  EXPECT_EQ(grid_->ColumnTotal(), 3);
  EXPECT_FALSE(grid_->TabStopAt(1)) << "an autonumber is not typed into";
  EXPECT_TRUE(grid_->TabStopAt(2));
  EXPECT_EQ(IndicatorInk(), kArrowInk);
}

TEST_F(DBGridEditTest, AFieldColumnsWidthIsTheFieldsDisplayWidthInCharacters) {
  TColumn* column = grid_->Columns()->Items(1);
  TField* field = column->Field();
  int average = 1;
  int overhang = 0;
  grid_->MeasureText(*column->Font(), "0", &average, &overhang);
  column->SetWidth(100);
  EXPECT_EQ(field->DisplayWidth(), (100 + average / 2 - overhang - 3) / average);
  EXPECT_EQ(grid_->ColumnWidth(2), column->Width());
  // The width measured in digits differs from the one asked for, so the column keeps its own.
  EXPECT_EQ(column->Width(), 100);
}

TEST_F(DBGridEditTest, DownOnTheLastRecordAppendsAndUpCancels) {
  query_->MoveToLast();
  Pump();
  Press(VK_DOWN);
  EXPECT_EQ(query_->State(), DataSetState::Inserting);
  EXPECT_EQ(grid_->Row(), grid_->RowTotal() - 1) << "the new record is on the bottom row";
  EXPECT_EQ(IndicatorInk(), kInsertInk);
  Press(VK_DOWN);
  EXPECT_EQ(query_->State(), DataSetState::Inserting) << "a second Down adds nothing";
  Press(VK_UP);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Title(), "title 30");
  EXPECT_EQ(IndicatorInk(), kArrowInk);
}

TEST_F(DBGridEditTest, EscapeFirstRestoresTheCellThenCancelsTheEdit) {
  Press(VK_TAB);  // to the title column
  ASSERT_EQ(grid_->Col(), 2);
  AnsiString before = Title();
  Press(VK_F1 + 1);
  ASSERT_TRUE(grid_->EditorShown());
  screen_->TypeText("x");
  Pump();
  EXPECT_EQ(query_->State(), DataSetState::Editing);
  EXPECT_TRUE(grid_->DataLink().CellModified());
  EXPECT_EQ(IndicatorInk(), kEditInk);
  Press(VK_ESCAPE);
  EXPECT_EQ(grid_->CellEditor()->Text(), before) << "the typed text is gone";
  EXPECT_EQ(query_->State(), DataSetState::Editing);
  Press(VK_ESCAPE);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Title(), before);
}

TEST_F(DBGridEditTest, TypedTextReachesTheFieldWhenTheRecordIsStored) {
  Press(VK_TAB);
  Press(VK_F1 + 1);
  screen_->TypeText("!");
  Pump();
  ASSERT_EQ(query_->State(), DataSetState::Editing);
  query_->StoreControlValues();
  EXPECT_EQ(Title(), "title 1!");
}

TEST_F(DBGridEditTest, InsertAddsARecordBeforeTheCurrentOne) {
  query_->MoveByDistance(4);
  Pump();
  Press(VK_INSERT);
  EXPECT_EQ(query_->State(), DataSetState::Inserting);
  EXPECT_EQ(IndicatorInk(), kInsertInk);
  Press(VK_ESCAPE);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Title(), "title 5");
}

TEST_F(DBGridEditTest, TabOnTheLastTabStopGoesOnToTheNextRecord) {
  Press(VK_TAB);
  EXPECT_EQ(grid_->Col(), 2);
  EXPECT_EQ(Title(), "title 1");
  Press(VK_TAB);
  EXPECT_EQ(grid_->Col(), 2) << "the id column is passed over";
  EXPECT_EQ(Title(), "title 2");
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(grid_->Col(), 2);
  EXPECT_EQ(Title(), "title 1");
}

TEST_F(DBGridEditTest, CtrlDeleteAsksAndDeletesOnlyOnOK) {
  DeleteWatcher watcher;
  query_->BeforeDelete = TDataSetNotifyEvent(&watcher, &DeleteWatcher::BeforeDelete);
  AnswerNextDialog(VK_ESCAPE);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_NE(dialogText_.find("Delete record?"), AnsiString::npos) << dialogText_;
  EXPECT_EQ(watcher.started, 0) << "Cancel keeps the record";
  dialogText_.clear();
  AnswerNextDialog(VK_RETURN);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_NE(dialogText_.find("Delete record?"), AnsiString::npos);
  EXPECT_EQ(watcher.started, 1) << "OK deletes";
  // Without the option nothing is asked.
  MSG stale;
  while (PeekMessageA(&stale, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  grid_->SetOptions(TDBGridOptions::FromBits(grid_->Options().Bits() &
                                             ~TDBGridOptions{TDBGridOption::dgConfirmDelete}.Bits()));
  dialogText_.clear();
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_EQ(dialogText_, "");
  EXPECT_EQ(watcher.started, 2);
  query_->BeforeDelete = TDataSetNotifyEvent();
}

TEST_F(DBGridEditTest, LeavingTheGridCancelsAnUntouchedNewRecord) {
  auto* other = new TEdit(form_.get());
  other->SetParent(form_.get());
  other->SetBounds(20, 250, 100, 20);
  query_->MoveToLast();
  Pump();
  Press(VK_DOWN);
  ASSERT_EQ(query_->State(), DataSetState::Inserting);
  other->TakeFocus();
  Pump();
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Title(), "title 30");
}

TEST_F(DBGridEditTest, AReadOnlyGridNeitherAppendsNorDeletes) {
  grid_->SetReadOnly(true);
  query_->MoveToLast();
  Pump();
  Press(VK_DOWN);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  DeleteWatcher watcher;
  query_->BeforeDelete = TDataSetNotifyEvent(&watcher, &DeleteWatcher::BeforeDelete);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_EQ(watcher.started, 0);
  query_->BeforeDelete = TDataSetNotifyEvent();
}

}  // namespace
}  // namespace dbcontrolstest
