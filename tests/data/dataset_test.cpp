// The dataset core driven through an ADO query over small Jet files: opening and closing, the
// buffer window and its moves, the notices links receive, suspending controls and editing.
#include "data/dataset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/classes.h"
#include "core/exceptions.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/numeric_field.h"
#include "tests/data/numbered_rows.h"
#include "tests/data/recording_link.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Writes down which dataset hooks ran, in order.
class HookLog : public TObject {
 public:
  std::vector<std::string> ran;

  void Watch(TDataSet& d) {
    d.BeforeOpen = TDataSetNotifyEvent(this, &HookLog::BeforeOpen);
    d.AfterOpen = TDataSetNotifyEvent(this, &HookLog::AfterOpen);
    d.BeforeClose = TDataSetNotifyEvent(this, &HookLog::BeforeClose);
    d.AfterClose = TDataSetNotifyEvent(this, &HookLog::AfterClose);
    d.BeforeScroll = TDataSetNotifyEvent(this, &HookLog::BeforeScroll);
    d.AfterScroll = TDataSetNotifyEvent(this, &HookLog::AfterScroll);
    d.BeforeEdit = TDataSetNotifyEvent(this, &HookLog::BeforeEdit);
    d.AfterEdit = TDataSetNotifyEvent(this, &HookLog::AfterEdit);
    d.BeforeInsert = TDataSetNotifyEvent(this, &HookLog::BeforeInsert);
    d.AfterInsert = TDataSetNotifyEvent(this, &HookLog::AfterInsert);
    d.BeforeCancel = TDataSetNotifyEvent(this, &HookLog::BeforeCancel);
    d.AfterCancel = TDataSetNotifyEvent(this, &HookLog::AfterCancel);
  }

  void BeforeOpen(TDataSet*) { ran.push_back("BeforeOpen"); }
  void AfterOpen(TDataSet*) { ran.push_back("AfterOpen"); }
  void BeforeClose(TDataSet*) { ran.push_back("BeforeClose"); }
  void AfterClose(TDataSet*) { ran.push_back("AfterClose"); }
  void BeforeScroll(TDataSet*) { ran.push_back("BeforeScroll"); }
  void AfterScroll(TDataSet*) { ran.push_back("AfterScroll"); }
  void BeforeEdit(TDataSet*) { ran.push_back("BeforeEdit"); }
  void AfterEdit(TDataSet*) { ran.push_back("AfterEdit"); }
  void BeforeInsert(TDataSet*) { ran.push_back("BeforeInsert"); }
  void AfterInsert(TDataSet*) { ran.push_back("AfterInsert"); }
  void BeforeCancel(TDataSet*) { ran.push_back("BeforeCancel"); }
  void AfterCancel(TDataSet*) { ran.push_back("AfterCancel"); }
  void NewRecordFails(TDataSet*) { throw EDatabaseError("no new records today"); }
};

// A query whose provider edit fails the first `failures` times, as a locked record would.
class FlakyEditQuery : public datatest::EditableQuery {
 public:
  using EditableQuery::EditableQuery;
  int failures = 0;
  int attempts = 0;

 protected:
  void ProviderEdit() override {
    ++attempts;
    if (attempts <= failures) throw EDatabaseError("record is locked");
    TADOQuery::ProviderEdit();
  }
};

// A query that runs out of record buffers after `allowed` of them.
class ScarceBufferQuery : public TADOQuery {
 public:
  using TADOQuery::TADOQuery;
  int allowed = 1000;

 protected:
  std::unique_ptr<TRecordBuffer> ProviderAllocBuffer() override {
    if (allowed-- <= 0) throw EOutOfResources("no more record buffers");
    return TADOQuery::ProviderAllocBuffer();
  }
};

// Answers every edit error with one action and counts the calls.
class EditErrorAnswer : public TObject {
 public:
  explicit EditErrorAnswer(TDataAction action) : action_(action) {}
  int calls = 0;
  std::string lastMessage;
  void Answer(TDataSet*, EDatabaseError& error, TDataAction& action) {
    ++calls;
    lastMessage = error.Message();
    action = action_;
  }

 private:
  TDataAction action_;
};

// Computes a calculated field "twice" as double the record's "id", counting its calls.
class Doubler : public TObject {
 public:
  Doubler(TADOQuery* query, TField* id, TField* twice) : query_(query), id_(id), twice_(twice) {}
  int calls = 0;
  void Calculate(TDataSet* dataSet) {
    ++calls;
    EXPECT_EQ(dataSet->State(), DataSetState::Calculating);
    query_->StoreFieldValue(twice_, provider::Variant::Int32(2 * id_->IntegerValue()));
  }

 private:
  TADOQuery* query_;
  TField* id_;
  TField* twice_;
};

// A query that can be put in the states the stream reader gives a component: loading and
// reading while its properties are read, then loading alone until its after-load step.
class LoadedQuery : public TADOQuery {
 public:
  using TADOQuery::TADOQuery;
  void StartReading() {
    SetComponentState(TComponentStateFlag::csLoading, true);
    SetComponentState(TComponentStateFlag::csReading, true);
  }
  void EndReading() { SetComponentState(TComponentStateFlag::csReading, false); }
};

// A closed query over two numbered rows in the file `fileName`, owned by `owner`.
LoadedQuery* NewLoadedQuery(TComponent& owner, const std::string& fileName) {
  auto* connection = datatest::ConnectTo(&owner, datatest::WriteNumberedRows(fileName, 2));
  auto* query = new LoadedQuery(&owner);
  query->SetConnection(connection);
  query->SetCursorType(TCursorType::ctStatic);
  query->SQL()->Add("SELECT * FROM namoone");
  return query;
}

class DataSetTest : public ::testing::Test {
 protected:
  // A query over `rows` numbered rows with a data source and a recording link of
  // `bufferCount` buffers attached (closed).
  void Prepare(int rows, int bufferCount = 1, const char* sql = "SELECT * FROM namoone") {
    // Tests run side by side, so each writes its own file.
    const std::string file =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".mdb";
    connection_ = datatest::ConnectTo(&owner_, datatest::WriteNumberedRows(file, rows));
    query_ = new datatest::EditableQuery(&owner_);
    datatest::SetUpQuery(query_, connection_, "Q1", sql);
    source_ = new TDataSource(&owner_);
    source_->SetDataSet(query_);
    link_.SetLinkBufferCount(bufferCount);
    link_.AttachToSource(source_);
    hooks_.Watch(*query_);
  }

  int CurrentId() { return query_->FieldNamed("id")->IntegerValue(); }

  // The hook log outlives the components, the link goes before them.
  HookLog hooks_;
  TComponent owner_{nullptr};
  TADOConnection* connection_ = nullptr;
  TADOQuery* query_ = nullptr;
  TDataSource* source_ = nullptr;
  RecordingLink link_;
};

TEST_F(DataSetTest, AnEmptyResultOpensWithAnEmptyWindowAndNoScroll) {
  Prepare(3, 1, "SELECT * FROM namoone WHERE id > 100");
  query_->SetActive(true);

  EXPECT_TRUE(query_->Active());
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_TRUE(query_->IsEmptyWindow());
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(query_->FilledCount(), 0);
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeOpen", "AfterOpen"));
  EXPECT_THAT(link_.Log(), ElementsAre("State(0) rec 0/0 first 0"));
}

TEST_F(DataSetTest, OpeningFillsTheWindowAndRunsAfterScrollOnce) {
  Prepare(3);
  query_->SetActive(true);

  EXPECT_EQ(query_->WindowSize(), 1);
  EXPECT_EQ(query_->FilledCount(), 1);
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_FALSE(query_->AtEOF());
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeOpen", "AfterOpen", "AfterScroll"));
}

TEST_F(DataSetTest, EveryFetchedRecordCarriesItsOwnCalculatedValues) {
  Prepare(4, 3);
  auto* id = new TAutoIncField(query_);
  id->SetFieldName("id");
  id->SetDataSet(query_);
  auto* twice = new TIntegerField(query_);
  twice->SetFieldName("twice");
  twice->SetFieldKind(TFieldKind::fkCalculated);
  twice->SetDataSet(query_);
  Doubler doubler(query_, id, twice);
  query_->OnCalcFields = TDataSetNotifyEvent(&doubler, &Doubler::Calculate);

  query_->SetActive(true);
  ASSERT_EQ(query_->FilledCount(), 3);
  EXPECT_EQ(doubler.calls, 3);
  // Moves inside the window read the values computed at the fetch; the last one fetches.
  for (int expected : {1, 2, 3, 4}) {
    EXPECT_EQ(id->IntegerValue(), expected);
    EXPECT_EQ(twice->IntegerValue(), 2 * expected);
    query_->MoveToNext();
  }
  EXPECT_EQ(doubler.calls, 4);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
}

TEST_F(DataSetTest, SettingActiveToWhatItIsRunsNoHooks) {
  Prepare(3);
  query_->SetActive(false);
  EXPECT_THAT(hooks_.ran, IsEmpty());

  query_->SetActive(true);
  hooks_.ran.clear();
  link_.ClearLog();
  query_->SetActive(true);
  EXPECT_THAT(hooks_.ran, IsEmpty());
  EXPECT_THAT(link_.Log(), IsEmpty());

  query_->SetActive(false);
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeClose", "AfterClose"));
  EXPECT_EQ(query_->WindowSize(), 0);
  EXPECT_EQ(query_->FilledCount(), 0);
}

TEST_F(DataSetTest, MovingPastTheEndScrollsByNothingOnceThenOnlyRunsBeforeScroll) {
  Prepare(3);
  query_->SetActive(true);
  // On the last record, but the end has not been seen yet.
  EXPECT_EQ(query_->MoveByDistance(2), 2);
  EXPECT_EQ(CurrentId(), 3);
  EXPECT_FALSE(query_->AtEOF());
  hooks_.ran.clear();
  link_.ClearLog();

  EXPECT_EQ(query_->MoveByDistance(1), 0);
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(CurrentId(), 3);
  // Every move first checks that the dataset browses (BrowseCheck); then the window scrolled
  // by nothing.
  EXPECT_THAT(link_.Log(),
              ElementsAre("BrowseCheck(0) rec 0/1 first 0", "Scroll(0) rec 0/1 first 0"));
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeScroll", "AfterScroll"));

  hooks_.ran.clear();
  link_.ClearLog();
  EXPECT_EQ(query_->MoveByDistance(1), 0);
  EXPECT_THAT(link_.Log(), ElementsAre("BrowseCheck(0) rec 0/1 first 0"));
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeScroll"));
}

TEST_F(DataSetTest, MovingBeforeTheStartIsTheMirrorImage) {
  Prepare(3);
  query_->SetActive(true);
  query_->MoveToNext();
  link_.ClearLog();

  EXPECT_EQ(query_->MoveByDistance(-5), -1);
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_THAT(link_.Notices(), ElementsAre("BrowseCheck", "Scroll"));

  link_.ClearLog();
  hooks_.ran.clear();
  EXPECT_EQ(query_->MoveByDistance(-1), 0);
  EXPECT_THAT(link_.Notices(), ElementsAre("BrowseCheck"));
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeScroll"));
}

TEST_F(DataSetTest, MoveByDistanceZeroOnlyRunsBeforeScroll) {
  Prepare(3);
  query_->SetActive(true);
  hooks_.ran.clear();
  link_.ClearLog();

  EXPECT_EQ(query_->MoveByDistance(0), 0);
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeScroll"));
  EXPECT_THAT(link_.Notices(), ElementsAre("BrowseCheck"));
}

TEST_F(DataSetTest, AWindowOfOneBufferRecyclesItAndSlidesByMinusOne) {
  Prepare(3);
  query_->SetActive(true);
  link_.ClearLog();

  query_->MoveToNext();
  EXPECT_EQ(CurrentId(), 2);
  EXPECT_EQ(query_->FilledCount(), 1);
  EXPECT_THAT(link_.Log(),
              ElementsAre("BrowseCheck(0) rec 0/1 first 0", "Scroll(-1) rec 0/1 first 0"));
}

TEST_F(DataSetTest, ALinkOfTenBuffersOverThreeRecordsSeesThree) {
  Prepare(3, 10);
  query_->SetActive(true);

  EXPECT_EQ(query_->WindowSize(), 10);
  EXPECT_EQ(link_.LinkRecordCount(), 3);
  EXPECT_EQ(link_.LinkActiveRecord(), 0);

  query_->MoveToLast();
  EXPECT_EQ(link_.LinkRecordCount(), 3);
  EXPECT_EQ(link_.LinkActiveRecord(), 2);
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(CurrentId(), 3);
}

TEST_F(DataSetTest, LongMovesSlideTheWindowAndCountWhatTheyMoved) {
  Prepare(10, 3);
  query_->SetActive(true);
  link_.ClearLog();

  // Two moves inside the window, three fetches that slide it.
  EXPECT_EQ(query_->MoveByDistance(5), 5);
  EXPECT_EQ(CurrentId(), 6);
  EXPECT_THAT(link_.Log(),
              ElementsAre("BrowseCheck(0) rec 0/3 first 0", "Scroll(-3) rec 2/3 first 0"));

  EXPECT_EQ(query_->MoveByDistance(-10), -5);
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_EQ(CurrentId(), 1);

  EXPECT_EQ(query_->MoveByDistance(100), 9);
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(CurrentId(), 10);

  query_->MoveToFirst();
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_EQ(query_->ActiveIndex(), 0);
  EXPECT_EQ(query_->FilledCount(), 3);
}

TEST_F(DataSetTest, NestedSuspensionSendsThePendingNoticeOnlyAtTheOutermostResume) {
  Prepare(3);
  query_->SetActive(true);
  link_.ClearLog();

  query_->SuspendControls();
  query_->SuspendControls();
  query_->MoveToNext();
  query_->ResumeControls();
  EXPECT_TRUE(query_->ControlsSuspended());
  EXPECT_THAT(link_.Log(), IsEmpty());

  query_->ResumeControls();
  EXPECT_FALSE(query_->ControlsSuspended());
  EXPECT_THAT(link_.Log(), ElementsAre("DataSet(0) rec 0/1 first 0"));
  EXPECT_EQ(CurrentId(), 2);

  link_.ClearLog();
  query_->ResumeControls();
  EXPECT_THAT(link_.Log(), IsEmpty());
}

TEST_F(DataSetTest, ClosingWhileSuspendedIsToldAsSuspendedStateAndNothingPendsAfterwards) {
  Prepare(3);
  query_->SetActive(true);
  link_.ClearLog();

  query_->SuspendControls();
  query_->SetActive(false);
  // The source still believes the dataset browses, so the link is told while still active.
  EXPECT_THAT(link_.Log(), ElementsAre("SuspendedState(0) rec 0/1 first 0"));

  link_.ClearLog();
  query_->ResumeControls();
  EXPECT_THAT(link_.Log(), ElementsAre("State(0) inactive"));
  EXPECT_FALSE(link_.Active());
}

TEST_F(DataSetTest, ClosingTellsTheLinksBeforeTheCursorCloses) {
  Prepare(3);
  query_->SetActive(true);
  bool sawActive = true;
  bool fieldWasNull = false;
  link_.OnNotice = [&](DataNotice event, DataNoticeInfo) {
    if (event != DataNotice::NoticeState) return;
    sawActive = query_->Active();
    // The field objects still exist, but an inactive dataset has no current record.
    TField* title = query_->FieldNamedOrNone("kholase");
    ASSERT_NE(title, nullptr);
    fieldWasNull = title->IsNullValue();
  };

  query_->SetActive(false);
  EXPECT_FALSE(sawActive);
  EXPECT_TRUE(fieldWasNull);
  EXPECT_EQ(query_->FieldNamedOrNone("kholase"), nullptr);
}

TEST_F(DataSetTest, OperationsOnAClosedDatasetNameTheDataset) {
  Prepare(3);
  try {
    query_->MoveToNext();
    FAIL() << "moved a closed dataset";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Q1: Cannot perform this operation on a closed dataset");
  }
  EXPECT_THROW(query_->DeleteActiveRecord(), EDatabaseError);
  EXPECT_THROW(query_->BeginEdit(), EDatabaseError);
}

TEST_F(DataSetTest, EditAndCancelReturnToBrowsingOnTheSameRecord) {
  Prepare(5, 3);
  query_->SetActive(true);
  query_->MoveByDistance(3);
  hooks_.ran.clear();

  query_->BeginEdit();
  EXPECT_EQ(query_->State(), DataSetState::Editing);
  EXPECT_TRUE(link_.Editing());
  query_->BeginEdit();
  query_->CancelRecord();
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_FALSE(link_.Editing());
  EXPECT_EQ(CurrentId(), 4);
  EXPECT_THAT(hooks_.ran, ElementsAre("BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"));

  try {
    query_->PostRecord();
    FAIL() << "posted while browsing";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Q1: Dataset not in edit or insert mode");
  }
}

TEST_F(DataSetTest, ADatasetItsProviderCannotUpdateRefusesToEditInsertOrAppend) {
  Prepare(3);
  // A plain query: its recordset says whether it can be updated.
  auto* plain = new TADOQuery(&owner_);
  datatest::SetUpQuery(plain, connection_, "Plain", "SELECT * FROM namoone");
  plain->SetLockType(TADOLockType::ltReadOnly);
  plain->SetActive(true);
  try {
    plain->BeginEdit();
    FAIL() << "edited a read-only dataset";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Plain: Cannot modify a read-only dataset");
  }
  EXPECT_THROW(plain->InsertNewRecord(), EDatabaseError);
  EXPECT_THROW(plain->AppendNewRecord(), EDatabaseError);
  EXPECT_EQ(plain->State(), DataSetState::Browsing);
  EXPECT_EQ(plain->FieldNamed("id")->IntegerValue(), 1);
}

TEST_F(DataSetTest, AppendingAndCancellingLeavesTheRecordsAsTheyWere) {
  Prepare(3, 3);
  query_->SetActive(true);
  hooks_.ran.clear();

  query_->AppendNewRecord();
  EXPECT_EQ(query_->State(), DataSetState::Inserting);
  EXPECT_TRUE(query_->CurrentBuffer()->Flag() == BookmarkFlag::Eof);
  EXPECT_TRUE(query_->FieldNamed("kholase")->IsNullValue());
  query_->CancelRecord();

  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(query_->TotalRecordCount(), 3);
  EXPECT_THAT(hooks_.ran,
              ElementsAre("BeforeInsert", "BeforeScroll", "AfterInsert", "AfterScroll",
                          "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"));
}

TEST_F(DataSetTest, AFailingNewRecordHandlerReturnsToBrowsing) {
  Prepare(3);
  query_->SetActive(true);
  query_->OnNewRecord = TDataSetNotifyEvent(&hooks_, &HookLog::NewRecordFails);

  EXPECT_THROW(query_->InsertNewRecord(), EDatabaseError);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(CurrentId(), 1);
}

TEST_F(DataSetTest, DeletingFromAnEmptyResultIsRefused) {
  Prepare(3, 1, "SELECT * FROM namoone WHERE id = 0");
  query_->SetActive(true);
  try {
    query_->DeleteActiveRecord();
    FAIL() << "deleted from an empty window";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Q1: Cannot perform this operation on an empty dataset");
  }
}

class EditErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_ = datatest::ConnectTo(&owner_, datatest::WriteNumberedRows("flaky.mdb", 2));
    query_ = new FlakyEditQuery(&owner_);
    datatest::SetUpQuery(query_, connection_, "Flaky", "SELECT * FROM namoone");
    query_->SetActive(true);
  }

  TComponent owner_{nullptr};
  TADOConnection* connection_ = nullptr;
  FlakyEditQuery* query_ = nullptr;
};

TEST_F(EditErrorTest, RetryRunsTheOperationAgainUntilItSucceeds) {
  EditErrorAnswer retry(TDataAction::daRetry);
  query_->OnEditError = TDataSetErrorEvent(&retry, &EditErrorAnswer::Answer);
  query_->failures = 2;

  query_->BeginEdit();
  EXPECT_EQ(query_->attempts, 3);
  EXPECT_EQ(retry.calls, 2);
  EXPECT_EQ(retry.lastMessage, "record is locked");
  EXPECT_EQ(query_->State(), DataSetState::Editing);
}

TEST_F(EditErrorTest, AbortEndsSilentlyAndFailPassesTheErrorOn) {
  EditErrorAnswer abort(TDataAction::daAbort);
  query_->OnEditError = TDataSetErrorEvent(&abort, &EditErrorAnswer::Answer);
  query_->failures = 1;
  EXPECT_THROW(query_->BeginEdit(), EAbort);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);

  query_->OnEditError = TDataSetErrorEvent();
  query_->failures = 2;
  EXPECT_THROW(query_->BeginEdit(), EDatabaseError);
  EXPECT_EQ(query_->attempts, 2);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
}

TEST(DataSetLoadingTest, ActiveReadFromTheStreamOpensAfterLoading) {
  TComponent owner(nullptr);
  LoadedQuery* query = NewLoadedQuery(owner, "load.mdb");

  query->StartReading();
  query->SetActive(true);
  query->EndReading();
  EXPECT_FALSE(query->Active());
  EXPECT_TRUE(query->ActiveOnLoad());

  query->AfterLoading();
  EXPECT_TRUE(query->Active());
  EXPECT_EQ(query->FilledCount(), 1);
}

TEST(DataSetLoadingTest, ActiveSetAfterReadingOpensAtOnceWhileStillLoading) {
  TComponent owner(nullptr);
  LoadedQuery* query = NewLoadedQuery(owner, "loaded.mdb");

  query->StartReading();
  query->EndReading();
  ASSERT_TRUE(query->ComponentState().Contains(TComponentStateFlag::csLoading));
  query->SetActive(true);
  EXPECT_TRUE(query->Active());
  EXPECT_FALSE(query->ActiveOnLoad());
  EXPECT_EQ(query->FilledCount(), 1);
}

TEST(DataSetWindowTest, AFailedBufferAllocationLeavesTheWindowAsItWas) {
  TComponent owner(nullptr);
  auto* connection = datatest::ConnectTo(&owner, datatest::WriteNumberedRows("scarce.mdb", 6));
  auto* query = new ScarceBufferQuery(&owner);
  query->SetConnection(connection);
  query->SetCursorType(TCursorType::ctStatic);
  query->SQL()->Add("SELECT * FROM namoone");
  auto* source = new TDataSource(&owner);
  source->SetDataSet(query);
  RecordingLink link(2);
  link.AttachToSource(source);
  query->SetActive(true);
  ASSERT_EQ(query->WindowSize(), 2);

  query->allowed = 2;
  EXPECT_THROW(link.SetLinkBufferCount(5), EOutOfResources);
  EXPECT_EQ(query->WindowSize(), 2);
  EXPECT_EQ(query->FilledCount(), 2);

  // The window still works at its old size, and grows once buffers are to be had.
  EXPECT_EQ(query->MoveByDistance(3), 3);
  EXPECT_EQ(query->FieldNamed("id")->IntegerValue(), 4);
  query->allowed = 1000;
  link.SetLinkBufferCount(4);
  EXPECT_EQ(query->WindowSize(), 4);
  EXPECT_EQ(query->FieldNamed("id")->IntegerValue(), 4);
}

TEST(DataSetWindowTest, AnOpenWhoseWindowCannotBeMadeFailsAndLeavesTheDatasetClosed) {
  HookLog hooks;
  TComponent owner(nullptr);
  auto* connection = datatest::ConnectTo(&owner, datatest::WriteNumberedRows("nobuf.mdb", 3));
  auto* query = new ScarceBufferQuery(&owner);
  datatest::SetUpQuery(query, connection, "Q1", "SELECT * FROM namoone");
  auto* source = new TDataSource(&owner);
  source->SetDataSet(query);
  RecordingLink link;
  link.AttachToSource(source);
  hooks.Watch(*query);

  query->allowed = 0;
  EXPECT_THROW(query->SetActive(true), EOutOfResources);
  EXPECT_FALSE(query->Active());
  EXPECT_EQ(query->State(), DataSetState::Inactive);
  EXPECT_EQ(query->WindowSize(), 0);
  EXPECT_THAT(hooks.ran, ElementsAre("BeforeOpen"));
  EXPECT_THAT(link.Log(), IsEmpty());

  query->allowed = 1000;
  query->SetActive(true);
  EXPECT_EQ(query->FieldNamed("id")->IntegerValue(), 1);
}

// The program's way with a category over the sample database: a titles grid and a memo on one
// query, stepped through to the end, then the query re-run with a search that finds nothing.
TEST(SampleDatabaseTest, BrowsingACategoryAndSearchingItAgain) {
  TComponent owner(nullptr);
  auto* connection = datatest::ConnectTo(&owner, SAMPLE_DATABASE);
  auto* query = datatest::QueryOn(&owner, connection, "Qkolliyat", "SELECT * FROM kolliyat");
  auto* source = new TDataSource(&owner);
  source->SetDataSet(query);
  RecordingLink grid(8), memo(1);
  grid.AttachToSource(source);
  memo.AttachToSource(source);
  query->SetActive(true);

  const std::int32_t total = query->TotalRecordCount();
  ASSERT_GT(total, 1);
  EXPECT_EQ(query->WindowSize(), 8);
  EXPECT_EQ(query->FilledCount(), std::min(total, 8));
  EXPECT_EQ(query->CurrentRecordNumber(), 1);

  std::int32_t steps = 0;
  std::int32_t last = 1;
  while (query->MoveByDistance(1) == 1) {
    ++steps;
    EXPECT_EQ(query->CurrentRecordNumber(), last + 1);
    last = query->CurrentRecordNumber();
    EXPECT_EQ(memo.LinkActiveRecord(), 0);
    EXPECT_LT(grid.LinkActiveRecord(), 8);
  }
  EXPECT_EQ(steps, total - 1);
  EXPECT_TRUE(query->AtEOF());

  query->MoveToFirst();
  EXPECT_EQ(query->CurrentRecordNumber(), 1);
  EXPECT_EQ(grid.LinkActiveRecord(), 0);
  query->MoveToLast();
  EXPECT_EQ(query->CurrentRecordNumber(), total);
  EXPECT_EQ(grid.LinkActiveRecord(), std::min(total, 8) - 1);

  grid.ClearLog();
  query->SetActive(false);
  query->SQL()->Clear();
  query->SQL()->Add("SELECT * FROM kolliyat where kholase like '%no such title%'");
  query->SetActive(true);
  EXPECT_EQ(query->TotalRecordCount(), 0);
  EXPECT_TRUE(query->IsEmptyWindow());
  EXPECT_THAT(grid.Log(), ElementsAre("State(0) inactive", "State(0) rec 0/0 first 0"));
}

TEST(DataSetLifetimeTest, FreeingADatasetDetachesItsSourcesAndAFreedSourceLeavesTheDataset) {
  TComponent owner(nullptr);
  auto* connection = datatest::ConnectTo(&owner, datatest::WriteNumberedRows("life.mdb", 2));
  auto* query = datatest::QueryOn(&owner, connection, "Q1", "SELECT * FROM namoone");
  auto* first = new TDataSource(&owner);
  auto* second = new TDataSource(&owner);
  first->SetDataSet(query);
  second->SetDataSet(query);
  RecordingLink link;
  link.AttachToSource(second);
  query->SetActive(true);
  EXPECT_TRUE(link.Active());

  delete first;
  EXPECT_THAT(query->DataSources(), ElementsAre(second));

  delete query;
  EXPECT_EQ(second->DataSet(), nullptr);
  EXPECT_EQ(second->State(), DataSetState::Inactive);
  EXPECT_FALSE(link.Active());
}

TEST(DataSetClassTest, PublishesActiveAutoCalcFieldsAndTheHooksToItsSubclasses) {
  const TClassRecord* query = ClassOf<TADOQuery>();
  ASSERT_NE(query, nullptr);
  for (const char* name : {"Active", "AutoCalcFields", "BeforeOpen", "AfterScroll", "OnNewRecord",
                           "OnPostError", "OnFilterRecord"}) {
    EXPECT_NE(query->FindProperty(name), nullptr) << name;
  }
}

}  // namespace
