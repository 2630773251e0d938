// ADO datasets read from a component stream as the main window stores them: the description
// in tcontentform.txt, compiled by the form compiler and embedded at build time. References are
// resolved by name, the connection connects and the datasets open after loading in stream
// order, and a missing database is reported once by the connection and once by each dataset
// without stopping the load.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/classes.h"
#include "core/reader.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/master_datalink.h"
#include "tests/data/ado_sample_fixture.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"

namespace datatest {

// The root the description is read into: one published field per component, and the
// handlers the description binds, which log what happened in order.
class TContentForm : public TComponent {
 public:
  using TComponent::TComponent;

  TADOConnection* ADOConnection1 = nullptr;
  TADOTable* ADOTable1 = nullptr;
  TDataSource* DataSource1 = nullptr;
  TADOQuery* Qkolliyat = nullptr;
  TDataSource* Dqkolliyat = nullptr;

  std::vector<AnsiString> Log;

  void ConnectionAfterConnect(TObject* Sender) {
    Log.push_back(static_cast<TComponent*>(Sender)->Name() + " connected");
  }
  void SourceStateChange(TObject* Sender) {
    auto* source = static_cast<TDataSource*>(Sender);
    Log.push_back(source->Name() + " state " +
                  std::to_string(static_cast<int>(source->State())));
  }
};

namespace {

[[maybe_unused]] const auto kTContentForm =
    RegisterClass<TContentForm, TComponent>("TContentForm")
        .Field("ADOConnection1", &TContentForm::ADOConnection1)
        .Field("ADOTable1", &TContentForm::ADOTable1)
        .Field("DataSource1", &TContentForm::DataSource1)
        .Field("Qkolliyat", &TContentForm::Qkolliyat)
        .Field("Dqkolliyat", &TContentForm::Dqkolliyat)
        .Method("ConnectionAfterConnect", &TContentForm::ConnectionAfterConnect)
        .Method("SourceStateChange", &TContentForm::SourceStateChange);

class LoadingTest : public testing::Test {
 protected:
  TDataTestRoot root_{nullptr};
};

TEST(ContentFormLoading, TheConnectionConnectsAndTheDatasetsOpenInStreamOrder) {
  CurrentDirectory here(SampleDatabaseFolder());
  TContentForm form(nullptr);
  ASSERT_TRUE(LoadFormResources(&form, ClassOf<TComponent>()));

  EXPECT_EQ(form.Log, (std::vector<AnsiString>{"ADOConnection1 connected", "DataSource1 state 1",
                                               "Dqkolliyat state 1"}));
  ASSERT_NE(form.Qkolliyat, nullptr);
  ASSERT_NE(form.ADOTable1, nullptr);
  EXPECT_TRUE(form.ADOConnection1->Connected());
  EXPECT_EQ(form.ADOTable1->State(), DataSetState::Browsing);
  EXPECT_EQ(form.Qkolliyat->State(), DataSetState::Browsing);
  EXPECT_EQ(form.Dqkolliyat->State(), DataSetState::Browsing);

  EXPECT_EQ(form.ADOTable1->Connection(), form.ADOConnection1);
  EXPECT_EQ(form.Qkolliyat->Connection(), form.ADOConnection1);
  EXPECT_EQ(form.DataSource1->DataSet(), form.ADOTable1);
  EXPECT_EQ(form.Dqkolliyat->DataSet(), form.Qkolliyat);
  EXPECT_EQ(form.Qkolliyat->DataSource(), form.DataSource1);
  EXPECT_TRUE(form.Qkolliyat->MasterLink().Active());
  EXPECT_EQ(form.Qkolliyat->CursorType(), TCursorType::ctStatic);
  EXPECT_EQ(form.Qkolliyat->CommandText(), u"SELECT *\r\nFROM kolliyat;\r\n");
  EXPECT_EQ(form.Qkolliyat->Parameters()->Count(), 0);

  // Positioned on the first record of the table, as the content file lists it.
  EXPECT_EQ(form.Qkolliyat->TotalRecordCount(), 18);
  EXPECT_EQ(form.Qkolliyat->CurrentRecordNumber(), 1);
  EXPECT_TRUE(form.Qkolliyat->AtBOF());
  const auto content = SampleContent("kolliyat");
  ASSERT_FALSE(content.empty());
  EXPECT_EQ(form.Qkolliyat->FieldNamed("kholase")->StringValue(), Shown(content[0].kholase));
  EXPECT_EQ(form.Qkolliyat->FieldNamed("pasokh")->StringValue(), Shown(content[0].pasokh));
}

TEST(ContentFormLoading, AMissingDatabaseIsReportedByEachComponentAndLoadingGoesOn) {
  EmptyFolder empty;
  CurrentDirectory here(empty.Path());
  RecordingApplication application;
  TContentForm form(nullptr);
  EXPECT_NO_THROW(LoadFormResources(&form, ClassOf<TComponent>()));

  const AnsiString missing =
      "Could not find file '" + (std::filesystem::current_path() / "tarsilo.mdb").string() + "'";
  // The connection first, then each dataset as it tries to connect on its own, in stream order.
  ASSERT_EQ(application.Reports.size(), 3u);
  EXPECT_EQ(application.Reports[0].sender, form.ADOConnection1);
  EXPECT_EQ(application.Reports[1].sender, form.ADOTable1);
  EXPECT_EQ(application.Reports[2].sender, form.Qkolliyat);
  for (const auto& report : application.Reports) EXPECT_EQ(report.message, missing);
  EXPECT_TRUE(form.Log.empty());
  EXPECT_FALSE(form.ADOConnection1->Connected());
  EXPECT_FALSE(form.ADOTable1->Active());
  EXPECT_FALSE(form.Qkolliyat->Active());
  EXPECT_EQ(form.Qkolliyat->Recordset(), nullptr);
  // Everything else was read and bound.
  EXPECT_EQ(form.Qkolliyat->DataSource(), form.DataSource1);
  EXPECT_EQ(form.Dqkolliyat->DataSet(), form.Qkolliyat);
  EXPECT_EQ(form.Qkolliyat->SQL()->Count(), 2);
}

TEST_F(LoadingTest, TheDatasetsKeepThePublishedDefaultsTheStreamLeavesOut) {
  TADOQuery query(&root_);
  EXPECT_EQ(query.CursorType(), TCursorType::ctKeyset);
  EXPECT_EQ(query.CursorLocation(), TCursorLocation::clUseClient);
  EXPECT_EQ(query.LockType(), TADOLockType::ltOptimistic);
  EXPECT_EQ(query.CacheSize(), 1);
  EXPECT_EQ(query.MaxRecords(), 0);
  EXPECT_EQ(query.CommandTimeout(), 30);
  EXPECT_TRUE(query.ParamCheck());
  EXPECT_FALSE(query.Prepared());
  EXPECT_TRUE(query.EnableBCD());
  EXPECT_TRUE(query.AutoCalcFields());
  EXPECT_EQ(query.CommandType(), TCommandType::cmdText);
  TADOTable table(&root_);
  EXPECT_EQ(table.CommandType(), TCommandType::cmdTable);
  EXPECT_FALSE(table.ReadOnly());
  EXPECT_FALSE(table.TableDirect());
  // Every published name the main window's stream uses is known to the class registry.
  for (const char* name : {"Active", "Connection", "CursorType", "DataSource", "SQL"}) {
    EXPECT_NE(ClassOf<TADOQuery>()->FindProperty(name), nullptr) << name;
  }
  for (const char* name : {"Active", "Connection", "CursorType", "TableName"}) {
    EXPECT_NE(ClassOf<TADOTable>()->FindProperty(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace datatest
