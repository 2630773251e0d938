// A query following a master table through its DataSource, over a small Jet file made here: an
// empty master keeps the query empty, a closed one does not restrict it, and a master chain
// that leads back to the query is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/exceptions.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/master_datalink.h"
#include "provider/jet/new_database.h"
#include "tests/data/test_root.h"
#include "tests/data/temp_path.h"

namespace datatest {
namespace {

using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::NewDatabase;
using provider::jet::TableSpec;

// One file per test, so that tests run side by side do not share it.
// Tables "topics" (three rows, titles "one", "two", "three") and "nothing" (no rows), and the
// saved query "Qtopics" over the first.
std::string WriteTopics() {
  const std::string path =
      datatest::TestTempPath("topics.mdb");
  auto database = NewDatabase::Create(provider::DateTime{46000.5});
  EXPECT_TRUE(database.ok());
  const std::vector<ColumnSpec> columns = {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
                                           ColumnSpec{u"kholase", ColumnType::text, 100, false},
                                           ColumnSpec{u"pasokh", ColumnType::memo, 0, false}};
  auto topics = database.value()->CreateTable(TableSpec{u"topics", columns});
  EXPECT_TRUE(topics.ok());
  for (const char16_t* title : {u"one", u"two", u"three"}) {
    EXPECT_TRUE(topics.value()
                    ->InsertRow({provider::Value{}, std::u16string(title), provider::Value{}})
                    .ok());
  }
  EXPECT_TRUE(database.value()->CreateTable(TableSpec{u"nothing", columns}).ok());
  EXPECT_TRUE(database.value()->CreateSelectQuery(u"Qtopics", u"topics").ok());
  EXPECT_TRUE(database.value()->Save(path).ok());
  return path;
}

class MasterTest : public testing::Test {
 protected:
  MasterTest() {
    const std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_;
    connection_ = new TADOConnection(&root_);
    connection_->SetLoginPrompt(false);
    connection_->SetConnectionString(WideString(text.begin(), text.end()));
    master_ = new TADOTable(&root_);
    master_->SetName("ADOTable1");
    master_->SetConnection(connection_);
    master_->SetCursorType(TCursorType::ctStatic);
    masterSource_ = new TDataSource(&root_);
    masterSource_->SetDataSet(master_);
    query_ = new TADOQuery(&root_);
    query_->SetName("Qtopics");
    query_->SetConnection(connection_);
    query_->SetCursorType(TCursorType::ctStatic);
    query_->SQL()->Add("SELECT * FROM topics");
    query_->SetDataSource(masterSource_);
  }

  ~MasterTest() override { std::filesystem::remove(path_); }

  const std::string path_ = WriteTopics();
  TDataTestRoot root_{nullptr};
  TADOConnection* connection_;
  TADOTable* master_;
  TDataSource* masterSource_;
  TADOQuery* query_;
};

TEST_F(MasterTest, AnEmptyMasterKeepsTheQueryEmptyWhileTheCountIsTheRecordsets) {
  master_->SetTableName(u"nothing");
  master_->SetActive(true);
  ASSERT_TRUE(master_->IsEmptyWindow());
  query_->SetActive(true);
  EXPECT_TRUE(query_->MasterLink().Active());
  EXPECT_TRUE(query_->IsEmptyWindow());
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_TRUE(query_->FieldNamed("kholase")->IsNullValue());
  EXPECT_EQ(query_->TotalRecordCount(), 3);
  EXPECT_EQ(query_->MoveByDistance(1), 0);
}

TEST_F(MasterTest, AMasterWithRowsLetsEveryRowThrough) {
  master_->SetTableName(u"Qtopics");
  master_->SetActive(true);
  query_->SetActive(true);
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), "one");
  query_->MoveToLast();
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), "three");
  // No master fields: no filter is built, and the master stays unmoved.
  EXPECT_TRUE(query_->MasterLink().Fields().empty());
  EXPECT_EQ(query_->DetailFilter(), "");
  EXPECT_EQ(master_->CurrentRecordNumber(), 1);
}

TEST_F(MasterTest, AClosedMasterDoesNotRestrict) {
  master_->SetTableName(u"nothing");
  query_->SetActive(true);
  EXPECT_FALSE(query_->MasterLink().Active());
  EXPECT_FALSE(query_->IsEmptyWindow());
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), "one");
}

TEST_F(MasterTest, AMasterThatFailedToOpenDoesNotRestrict) {
  master_->SetTableName(u"no such table");
  EXPECT_THROW(master_->SetActive(true), EOleException);
  query_->SetActive(true);
  EXPECT_EQ(query_->TotalRecordCount(), 3);
  EXPECT_FALSE(query_->IsEmptyWindow());
}

TEST_F(MasterTest, TheQueryNamesItsMasterSource) {
  EXPECT_EQ(query_->DataSource(), masterSource_);
  EXPECT_EQ(query_->LinkedDataSource(), masterSource_);
  EXPECT_EQ(query_->MasterLink().DetailDataSet(), query_);
  query_->SetDataSource(nullptr);
  EXPECT_EQ(query_->DataSource(), nullptr);
}

TEST_F(MasterTest, ASourceLeadingBackToTheQueryIsRefused) {
  auto* querySource = new TDataSource(&root_);
  querySource->SetDataSet(query_);
  try {
    query_->SetDataSource(querySource);
    FAIL() << "a query became its own master";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qtopics: Circular datalinks are not allowed");
  }
  // Two steps round: the master table following the query.
  try {
    master_->SetMasterSource(querySource);
    FAIL() << "a master followed its own detail";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "ADOTable1: Circular datalinks are not allowed");
  }
  EXPECT_EQ(query_->DataSource(), masterSource_);
  EXPECT_EQ(master_->MasterSource(), nullptr);
}

TEST_F(MasterTest, MasterFieldsNeedARecordsetThatFilters) {
  // The provider's static cursor takes no filter; a master-detail pair by field says so at open
  // rather than showing every row.
  auto* detail = new TADOTable(&root_);
  detail->SetName("Detail");
  detail->SetConnection(connection_);
  detail->SetTableName(u"topics");
  detail->SetMasterSource(masterSource_);
  detail->SetMasterFields("kholase");
  master_->SetTableName(u"topics");
  master_->SetActive(true);
  EXPECT_THROW(detail->SetActive(true), EOleException);
  EXPECT_FALSE(detail->Active());
}

TEST_F(MasterTest, ATableOpensATableOrASavedQueryByName) {
  master_->SetTableName(u"Qtopics");
  master_->SetActive(true);
  EXPECT_EQ(master_->TotalRecordCount(), 3);
  EXPECT_EQ(master_->CommandType(), TCommandType::cmdTable);
  master_->SetActive(false);
  master_->SetReadOnly(true);
  EXPECT_EQ(master_->LockType(), TADOLockType::ltReadOnly);
  master_->SetActive(true);
  EXPECT_FALSE(master_->CanModifyData());
}

}  // namespace
}  // namespace datatest
