// Data sources and data links over an ADO query: who hears a notice and in which order, the
// link's view of the window, enabling and disabling, attaching and what freeing leaves behind.
#include "data/datalink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/classes.h"
#include "core/exceptions.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "tests/data/numbered_rows.h"
#include "tests/data/recording_link.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Writes down the data source hooks that ran.
class SourceHooks : public TObject {
 public:
  std::vector<std::string> ran;
  void StateChange(TObject*) { ran.push_back("StateChange"); }
  void DataChange(TObject*, TField* field) {
    ran.push_back(field ? "DataChange(field)" : "DataChange");
  }
  void UpdateData(TObject*) { ran.push_back("UpdateData"); }
};

class DataLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string file =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".mdb";
    connection_ = datatest::ConnectTo(&owner_, datatest::WriteNumberedRows(file, 10));
    query_ = datatest::QueryOn(&owner_, connection_, "Q1", "SELECT * FROM namoone");
    source_ = new TDataSource(&owner_);
    source_->SetName("DataSource1");
    source_->SetDataSet(query_);
  }

  SourceHooks hooks_;
  TComponent owner_{nullptr};
  TADOConnection* connection_ = nullptr;
  TADOQuery* query_ = nullptr;
  TDataSource* source_ = nullptr;
};

TEST_F(DataLinkTest, NonVisualLinksHearFirstAndEachPassRunsFromTheLastLink) {
  std::vector<std::string> order;
  RecordingLink grid(1, true), master(1, false), memo(1, true), detail(1, false);
  auto watch = [&](RecordingLink& link, const char* name) {
    link.OnNotice = [&order, name](DataNotice event, DataNoticeInfo) {
      if (event == DataNotice::NoticeDataSet) order.push_back(name);
    };
    link.AttachToSource(source_);
  };
  watch(grid, "grid");
  watch(master, "master");
  watch(memo, "memo");
  watch(detail, "detail");
  query_->SetActive(true);

  query_->MoveToLast();
  EXPECT_THAT(order, ElementsAre("detail", "master", "memo", "grid"));
}

TEST_F(DataLinkTest, WhileBlockReadingOnlyTheNonVisualLinksHearOfMoves) {
  RecordingLink grid(1, true), detail(1, false);
  grid.AttachToSource(source_);
  detail.AttachToSource(source_);
  query_->SetActive(true);

  query_->SetBlockReadSize(10);
  EXPECT_EQ(query_->State(), DataSetState::BlockReading);
  grid.ClearLog();
  detail.ClearLog();
  query_->MoveToNext();
  EXPECT_THAT(grid.Log(), IsEmpty());
  EXPECT_THAT(detail.Log(), ElementsAre("Scroll(-1) rec 0/1 first 0"));
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 2);

  // Block reading is not a state the links see; its end brings the controls up to date.
  query_->SetBlockReadSize(0);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(source_->State(), DataSetState::Browsing);
  EXPECT_THAT(grid.Log(), ElementsAre("DataSet(0) rec 0/1 first 0"));
}

TEST_F(DataLinkTest, ADisabledSourceForwardsNothingUntilEnabled) {
  source_->OnDataChange = TDataChangeEvent(&hooks_, &SourceHooks::DataChange);
  source_->OnStateChange = TNotifyEvent(&hooks_, &SourceHooks::StateChange);
  RecordingLink link;
  link.AttachToSource(source_);
  source_->SetEnabled(false);
  query_->SetActive(true);
  query_->MoveToNext();

  EXPECT_EQ(source_->State(), DataSetState::Inactive);
  EXPECT_FALSE(link.Active());
  EXPECT_THAT(link.Log(), IsEmpty());
  EXPECT_THAT(hooks_.ran, IsEmpty());

  source_->SetEnabled(true);
  EXPECT_EQ(source_->State(), DataSetState::Browsing);
  EXPECT_TRUE(link.Active());
  EXPECT_THAT(link.Log(), ElementsAre("State(0) rec 0/1 first 0"));
  EXPECT_THAT(hooks_.ran, ElementsAre("StateChange", "DataChange"));
}

TEST_F(DataLinkTest, ASourceOverAClosedDatasetForwardsOnlyItsOwnStateNotice) {
  RecordingLink link;
  link.AttachToSource(source_);
  query_->BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
  query_->BroadcastDataEvent(DataNotice::NoticeLayout, 0);
  EXPECT_THAT(link.Log(), IsEmpty());

  query_->SetActive(true);
  EXPECT_THAT(link.Notices(), ElementsAre("State"));
  link.ClearLog();
  query_->SetActive(false);
  EXPECT_THAT(link.Log(), ElementsAre("State(0) inactive"));
}

TEST_F(DataLinkTest, TheViewFollowsTheActiveRecordThroughTheWindow) {
  RecordingLink grid(5), strip(3);
  grid.AttachToSource(source_);
  strip.AttachToSource(source_);
  query_->SetActive(true);
  EXPECT_EQ(query_->WindowSize(), 5);

  query_->MoveByDistance(4);
  EXPECT_EQ(strip.FirstRecord(), 2);
  EXPECT_EQ(strip.LinkActiveRecord(), 2);
  EXPECT_EQ(grid.LinkActiveRecord(), 4);

  // Back inside the strip's view: it does not move.
  query_->MoveToPrior();
  EXPECT_EQ(strip.FirstRecord(), 2);
  EXPECT_EQ(strip.LinkActiveRecord(), 1);
}

TEST_F(DataLinkTest, AScrollOfMinusOneOnAFullWindowKeepsTheViewOnTheSameRecords) {
  RecordingLink grid(5), strip(3);
  grid.AttachToSource(source_);
  strip.AttachToSource(source_);
  query_->SetActive(true);
  query_->MoveByDistance(3);
  query_->MoveToPrior();
  ASSERT_EQ(strip.FirstRecord(), 1);
  ASSERT_EQ(strip.LinkActiveRecord(), 1);
  strip.ClearLog();

  // The window slid one place towards the end while the active record stayed in view: the
  // records the strip showed are one buffer lower now.
  query_->BroadcastDataEvent(DataNotice::NoticeScroll, -1);
  EXPECT_EQ(strip.FirstRecord(), 0);
  EXPECT_THAT(strip.Log(), ElementsAre("Scroll(-1) rec 2/3 first 0"));
}

TEST_F(DataLinkTest, ChangingABufferCountResizesTheWindowOfAnOpenDataset) {
  RecordingLink link;
  link.AttachToSource(source_);
  query_->SetActive(true);
  query_->MoveByDistance(2);
  EXPECT_EQ(query_->WindowSize(), 1);

  link.SetLinkBufferCount(4);
  EXPECT_EQ(query_->WindowSize(), 4);
  EXPECT_EQ(query_->FilledCount(), 4);
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 3);
  EXPECT_EQ(link.LinkActiveRecord(), query_->ActiveIndex() - link.FirstRecord());

  link.SetLinkBufferCount(2);
  EXPECT_EQ(query_->WindowSize(), 2);
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 3);
  EXPECT_GE(link.LinkActiveRecord(), 0);
  EXPECT_LT(link.LinkActiveRecord(), link.LinkRecordCount());

  link.AttachToSource(nullptr);
  EXPECT_EQ(query_->WindowSize(), 1);
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 3);
}

TEST_F(DataLinkTest, ShrinkingTheWindowNearTheEndKeepsOnlyRealRecords) {
  auto* shortQuery =
      datatest::QueryOn(&owner_, connection_, "Q3", "SELECT * FROM namoone WHERE id <= 3");
  auto* shortSource = new TDataSource(&owner_);
  shortSource->SetDataSet(shortQuery);
  RecordingLink grid(5);
  grid.AttachToSource(shortSource);
  shortQuery->SetActive(true);
  shortQuery->MoveToLast();
  ASSERT_EQ(shortQuery->FilledCount(), 3);

  // With the grid's source disabled its link no longer holds the window open at 5; the next
  // recount shrinks it around the active (last) record.
  shortSource->SetEnabled(false);
  grid.SetLinkBufferCount(2);
  RecordingLink memo;
  memo.AttachToSource(shortSource);
  EXPECT_EQ(shortQuery->WindowSize(), 2);
  ASSERT_EQ(shortQuery->FilledCount(), 2);
  EXPECT_EQ(shortQuery->FieldNamed("id")->IntegerValue(), 3);
  std::vector<int> ids;
  for (int i = 0; i < shortQuery->FilledCount(); ++i) {
    shortQuery->SetActiveIndex(i);
    ids.push_back(shortQuery->FieldNamed("id")->IntegerValue());
  }
  EXPECT_THAT(ids, ElementsAre(2, 3));
}

TEST_F(DataLinkTest, EditingFollowsTheDatasetUnlessTheLinkIsReadOnly) {
  RecordingLink link, readOnly;
  readOnly.SetReadOnly(true);
  link.AttachToSource(source_);
  readOnly.AttachToSource(source_);
  query_->SetActive(true);

  EXPECT_FALSE(readOnly.RequestLinkEdit());
  EXPECT_EQ(query_->State(), DataSetState::Browsing);

  source_->SetAutoEdit(false);
  EXPECT_FALSE(link.RequestLinkEdit());
  EXPECT_EQ(query_->State(), DataSetState::Browsing);

  source_->SetAutoEdit(true);
  EXPECT_TRUE(link.RequestLinkEdit());
  EXPECT_TRUE(link.Editing());
  EXPECT_FALSE(readOnly.Editing());

  query_->CancelRecord();
  EXPECT_FALSE(link.Editing());
}

TEST_F(DataLinkTest, StoringControlValuesReachesEveryLinkAndTheSourceHook) {
  RecordingLink link;
  link.AttachToSource(source_);
  source_->OnUpdateData = TNotifyEvent(&hooks_, &SourceHooks::UpdateData);
  query_->SetActive(true);
  query_->BeginEdit();
  link.ClearLog();

  query_->StoreControlValues();
  EXPECT_THAT(link.Notices(), ElementsAre("UpdateRecord"));
  EXPECT_THAT(hooks_.ran, ElementsAre("UpdateData"));
  query_->CancelRecord();
}

TEST_F(DataLinkTest, AFixedSourceCannotBeChanged) {
  auto* other = new TDataSource(&owner_);
  RecordingLink link;
  link.AttachToSource(source_);
  link.SetSourceFixed(true);
  try {
    link.AttachToSource(other);
    FAIL() << "a fixed source changed";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "DataSource1: DataSource cannot be changed");
  }
  EXPECT_EQ(link.Source(), source_);
  EXPECT_THAT(source_->Links(), ElementsAre(&link));
}

TEST_F(DataLinkTest, ASourceThatWouldLeadBackToItsDatasetIsRefused) {
  // Q2 follows Q1 through DataSource1; DataSource2 over Q2 cannot become Q1's master.
  auto* detail = datatest::QueryOn(&owner_, connection_, "Q2", "SELECT * FROM namoone");
  detail->SetDataSource(source_);
  auto* detailSource = new TDataSource(&owner_);
  detailSource->SetName("DataSource2");
  detailSource->SetDataSet(detail);

  EXPECT_TRUE(source_->LeadsBackTo(detail));
  try {
    source_->SetDataSet(detail);
    FAIL() << "a circular link was made";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "DataSource1: Circular datalinks are not allowed");
  }
  EXPECT_EQ(source_->DataSet(), query_);
}

TEST_F(DataLinkTest, FreeingASourceTellsItsLinksAndDetachesThem) {
  RecordingLink first, second;
  first.AttachToSource(source_);
  second.AttachToSource(source_);
  query_->SetActive(true);
  std::vector<std::string> order;
  first.OnNotice = [&](DataNotice, DataNoticeInfo) { order.push_back("first"); };
  second.OnNotice = [&](DataNotice, DataNoticeInfo) { order.push_back("second"); };

  delete source_;
  EXPECT_EQ(first.Source(), nullptr);
  EXPECT_EQ(second.Source(), nullptr);
  EXPECT_FALSE(first.Active());
  EXPECT_FALSE(second.Active());
  EXPECT_THAT(query_->DataSources(), IsEmpty());
  EXPECT_EQ(query_->WindowSize(), 1);
  EXPECT_THAT(order, ElementsAre("second", "first"));
}

TEST_F(DataLinkTest, AFreedLinkLeavesItsSource) {
  {
    RecordingLink link(4);
    link.AttachToSource(source_);
    query_->SetActive(true);
    EXPECT_EQ(query_->WindowSize(), 4);
  }
  EXPECT_THAT(source_->Links(), IsEmpty());
  EXPECT_EQ(query_->WindowSize(), 1);
  EXPECT_EQ(query_->FirstLink(), nullptr);
}

TEST(DataSourceClassTest, IsStreamableWithItsPublishedProperties) {
  const TClassRecord* cls = FindClass("TDataSource");
  ASSERT_NE(cls, nullptr);
  for (const char* name :
       {"AutoEdit", "DataSet", "Enabled", "OnStateChange", "OnDataChange", "OnUpdateData"}) {
    EXPECT_NE(cls->FindProperty(name), nullptr) << name;
  }
  TComponent owner(nullptr);
  auto* source = dynamic_cast<TDataSource*>(cls->CreateComponent(&owner));
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(source->AutoEdit());
  EXPECT_TRUE(source->Enabled());
  EXPECT_EQ(source->DataSet(), nullptr);
}

}  // namespace
