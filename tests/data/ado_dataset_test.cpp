// The ADO dataset base over the sample database: a filter handler choosing records, the plain
// dataset with each command type, and the dataset's life beside its connection.
#include "data/ado_dataset.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "tests/data/ado_sample_fixture.h"

namespace datatest {
namespace {

// An OnFilterRecord handler that keeps the records with even ids, noting the titles it saw.
class EvenIds : public TObject {
 public:
  void Accept(TDataSet* dataSet, bool& accept) {
    seen.push_back(dataSet->FieldNamed("kholase")->StringValue());
    if (failAt != 0 && static_cast<int>(seen.size()) == failAt) throw Exception("filter failed");
    accept = dataSet->FieldNamed("id")->IntegerValue() % 2 == 0;
  }

  std::vector<AnsiString> seen;
  int failAt = 0;
};

using FilterRecordTest = SampleQueryTest;

TEST_F(FilterRecordTest, TheHandlerSeesEachRecordAndChoosesWhichAreShown) {
  EvenIds filter;
  query_->OnFilterRecord = TFilterRecordEvent(&filter, &EvenIds::Accept);
  query_->SetFiltered(true);
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 2);
  // The handler read the record it was offered, not the one the window shows.
  ASSERT_GE(filter.seen.size(), 2u);
  EXPECT_EQ(filter.seen[0], TitlesOf("kolliyat", {1})[0]);
  EXPECT_EQ(filter.seen[1], TitlesOf("kolliyat", {2})[0]);
  std::vector<std::int32_t> ids;
  for (query_->MoveToFirst(); !query_->AtEOF(); query_->MoveToNext()) {
    ids.push_back(query_->FieldNamed("id")->IntegerValue());
  }
  EXPECT_EQ(ids, (std::vector<std::int32_t>{2, 4, 6, 8, 10, 12, 14, 16, 18}));
  // Backwards too.
  query_->MoveToLast();
  query_->MoveToPrior();
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 16);
  // The recordset itself still holds every row.
  EXPECT_EQ(query_->TotalRecordCount(), 18);
}

TEST_F(FilterRecordTest, AFailingHandlerIsReportedAndEndsTheFetch) {
  RecordingApplication application;
  EvenIds filter;
  filter.failAt = 3;
  query_->OnFilterRecord = TFilterRecordEvent(&filter, &EvenIds::Accept);
  query_->SetFiltered(true);
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 2);
  query_->MoveToNext();
  ASSERT_EQ(application.Reports.size(), 1u);
  EXPECT_EQ(application.Reports[0].sender, query_);
  EXPECT_EQ(application.Reports[0].message, "filter failed");
  EXPECT_TRUE(query_->AtEOF());
}

TEST_F(FilterRecordTest, WithoutFilteredTheHandlerIsNotAsked) {
  EvenIds filter;
  query_->OnFilterRecord = TFilterRecordEvent(&filter, &EvenIds::Accept);
  Requery("SELECT * FROM kolliyat");
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 1);
  EXPECT_TRUE(filter.seen.empty());
}

using PlainDataSetTest = SampleQueryTest;

TEST_F(PlainDataSetTest, OpensAStatementOrATableByCommandType) {
  TADODataSet dataSet(&root_);
  dataSet.SetName("ADODataSet1");
  dataSet.SetConnection(connection_);
  dataSet.SetCommandText(u"SELECT kholase FROM elm");
  dataSet.SetActive(true);
  EXPECT_EQ(dataSet.TotalRecordCount(), 16);
  EXPECT_EQ(dataSet.Fields().Count(), 1);
  dataSet.SetActive(false);
  dataSet.SetCommandType(TCommandType::cmdTable);
  dataSet.SetCommandText(u"Qelm");
  dataSet.SetActive(true);
  EXPECT_EQ(dataSet.TotalRecordCount(), 16);
  EXPECT_EQ(dataSet.Fields().Count(), 5);
}

TEST_F(PlainDataSetTest, ChangingTheCommandOfAnOpenDataSetIsRefused) {
  TADODataSet dataSet(&root_);
  dataSet.SetName("ADODataSet1");
  dataSet.SetConnection(connection_);
  dataSet.SetCommandText(u"SELECT * FROM elm");
  dataSet.SetActive(true);
  EXPECT_THROW(dataSet.SetCommandText(u"SELECT * FROM vahy"), EDatabaseError);
  EXPECT_THROW(dataSet.SetCommandType(TCommandType::cmdTable), EDatabaseError);
  EXPECT_THROW(dataSet.SetCursorType(TCursorType::ctDynamic), EDatabaseError);
  EXPECT_EQ(dataSet.CommandText(), u"SELECT * FROM elm");
  EXPECT_TRUE(dataSet.Active());
}

TEST_F(PlainDataSetTest, ATableDirectCommandIsPassedAsTextAndRefusedByTheProvider) {
  TADODataSet dataSet(&root_);
  dataSet.SetConnection(connection_);
  dataSet.SetCommandType(TCommandType::cmdTableDirect);
  dataSet.SetCommandText(u"elm");
  EXPECT_THROW(dataSet.SetActive(true), EOleException);
  EXPECT_FALSE(dataSet.Active());
}

TEST_F(PlainDataSetTest, AnIndexNameIsRefusedRatherThanIgnored) {
  TADODataSet dataSet(&root_);
  dataSet.SetName("ADODataSet1");
  dataSet.SetConnection(connection_);
  dataSet.SetCommandType(TCommandType::cmdTable);
  dataSet.SetCommandText(u"elm");
  dataSet.SetIndexName("PrimaryKey");
  try {
    dataSet.SetActive(true);
    FAIL() << "opened by an index the recordset cannot use";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(),
                 "ADODataSet1: Index 'PrimaryKey' cannot be used: the recordset does not open by "
                 "index");
  }
}

using ConnectionLifeTest = SampleQueryTest;

TEST_F(ConnectionLifeTest, TheQueryIsAClientOfItsConnection) {
  EXPECT_EQ(connection_->DataSets(), (std::vector<TDataSet*>{query_}));
  query_->SetConnection(nullptr);
  EXPECT_TRUE(connection_->DataSets().empty());
  EXPECT_EQ(query_->Command().Connection(), nullptr);
}

TEST_F(ConnectionLifeTest, ClosingTheConnectionLeavesTheRowsThatWereReadOpen) {
  Requery("SELECT * FROM kolliyat");
  link_.ClearLog();
  connection_->SetConnected(false);
  // The recordset still has its rows, so the connection did not close the query.
  EXPECT_TRUE(query_->Active());
  EXPECT_EQ(link_.Notices(), (std::vector<std::string>{"Connection"}));
  query_->MoveToLast();
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), TitlesOf("kolliyat", {18})[0]);
  // Opening again connects again.
  EXPECT_EQ(Requery("SELECT * FROM elm"), 16);
  EXPECT_TRUE(connection_->Connected());
}

TEST_F(ConnectionLifeTest, ADisconnectClosesAQueryWhoseRecordsetWasClosed) {
  Requery("SELECT * FROM kolliyat");
  ASSERT_EQ(query_->Recordset()->Close(), provider::S_OK);
  // Until the connection asks, the query does not know; its fields read nothing.
  EXPECT_TRUE(query_->Active());
  EXPECT_TRUE(query_->FieldNamed("kholase")->IsNullValue());
  link_.ClearLog();
  connection_->SetConnected(false);
  EXPECT_FALSE(query_->Active());
  EXPECT_EQ(link_.Notices(), (std::vector<std::string>{"Connection", "State"}));
}

TEST_F(ConnectionLifeTest, AConnectionFreedFirstLeavesTheQueryWithoutOne) {
  Requery("SELECT * FROM kolliyat");
  delete connection_;
  EXPECT_EQ(query_->Connection(), nullptr);
  EXPECT_TRUE(query_->Active());
  EXPECT_EQ(query_->FieldNamed("id")->IntegerValue(), 1);
  try {
    Requery("SELECT * FROM elm");
    FAIL() << "opened without a connection";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Missing Connection or ConnectionString");
  }
}

}  // namespace
}  // namespace datatest
