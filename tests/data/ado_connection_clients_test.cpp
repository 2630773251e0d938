// What a connection does for the datasets that use it: telling them when it opens and closes,
// staying open while one is open, and letting them go when it is freed.
#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "data/ado_connection.h"
#include "tests/data/connected_dataset.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"

namespace datatest {
namespace {

class ConnectionClientsTest : public testing::Test {
 protected:
  ConnectionClientsTest() : here_(SampleDatabaseFolder()) {
    connection_ = new TADOConnection(&root_);
    connection_->SetConnectionString(kProgramConnectionString);
    connection_->SetLoginPrompt(false);
    dataSet_ = new TConnectedTestDataSet(&root_);
    dataSet_->SetName("DataSet1");
    dataSet_->SetConnection(connection_);
    dataSet_->Command().SetCommandText(u"SELECT * FROM kolliyat");
  }

  CurrentDirectory here_;
  TDataTestRoot root_{nullptr};
  TADOConnection* connection_;  // owned by root_
  TConnectedTestDataSet* dataSet_;
};

TEST_F(ConnectionClientsTest, ADataSetIsAClientAndItsOwnCommandIsNotAStandAloneOne) {
  EXPECT_EQ(connection_->DataSets(), std::vector<TDataSet*>{dataSet_});
  EXPECT_EQ(connection_->DataSetAt(0), dataSet_);
  EXPECT_EQ(connection_->Clients(), (std::vector<TObject*>{dataSet_, &dataSet_->Command()}));
  EXPECT_TRUE(connection_->Commands().empty());
}

TEST_F(ConnectionClientsTest, ClientsHearOfConnectingAndDisconnectingCallbackFirst) {
  connection_->SetConnected(true);
  connection_->SetConnected(false);
  EXPECT_EQ(dataSet_->Heard, (std::vector<AnsiString>{"callback 1", "notice 1", "callback 0",
                                                      "notice 0", "asked closed"}));
}

TEST_F(ConnectionClientsTest, OpeningTheDataSetConnectsThroughItsCommand) {
  dataSet_->SetActive(true);
  EXPECT_TRUE(connection_->Connected());
  EXPECT_EQ(dataSet_->Heard, (std::vector<AnsiString>{"callback 1", "notice 1"}));
}

TEST_F(ConnectionClientsTest, WithoutKeepConnectionAnOpenDataSetHoldsTheConnectionOpen) {
  dataSet_->SetActive(true);
  connection_->SetKeepConnection(false);
  EXPECT_TRUE(connection_->Connected());
  dataSet_->SetActive(false);
  EXPECT_FALSE(connection_->Connected());
}

TEST_F(ConnectionClientsTest, AMissingTextIsReportedWithTheDataSetsName) {
  dataSet_->Command().SetCommandText(u"");
  try {
    dataSet_->SetActive(true);
    FAIL() << "the dataset has no SQL";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "DataSet1: Missing SQL property");
  }
  EXPECT_FALSE(dataSet_->Active());
  EXPECT_FALSE(connection_->Connected());
}

TEST_F(ConnectionClientsTest, AFreedConnectionTellsItsDataSetsAndLetsThemGo) {
  dataSet_->SetActive(true);
  delete connection_;
  EXPECT_EQ(dataSet_->Connection(), nullptr);
  EXPECT_EQ(dataSet_->Command().Connection(), nullptr);
  EXPECT_EQ(dataSet_->Heard.at(2), "callback 0");
  EXPECT_EQ(dataSet_->Heard.at(3), "notice 0");
}

}  // namespace
}  // namespace datatest
