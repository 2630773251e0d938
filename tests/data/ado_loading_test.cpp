// ADO datasets read from a component stream as the main window stores them: references
// resolved by name, Active applied after loading in stream order, and a missing database
// reported once by the connection and once by each dataset without stopping the load.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/classes.h"
#include "core/reader.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "data/master_datalink.h"
#include "tests/core/stream_builder.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"

namespace datatest {
namespace {

using coretest::StreamBuilder;

// The connection, the first group's master table, its data source and its query, with the
// properties the main window stores for them, in its order.
std::unique_ptr<TMemoryStream> FirstGroupStream() {
  StreamBuilder b;
  b.Signature().Object("TDataTestRoot", "Root").End();
  b.Object("TADOConnection", "ADOConnection1")
      .Prop("Connected")
      .Tag(ValueTag::tagTrue)
      .Prop("ConnectionString")
      .Wide(kProgramConnectionString)
      .Prop("LoginPrompt")
      .Tag(ValueTag::tagFalse)
      .Prop("Mode")
      .Ident("cmShareDenyNone")
      .Prop("Provider")
      .Wide(u"Microsoft.Jet.OLEDB.4.0")
      .End()
      .End();
  b.Object("TADOTable", "ADOTable1")
      .Prop("Active")
      .Tag(ValueTag::tagTrue)
      .Prop("Connection")
      .Ident("ADOConnection1")
      .Prop("CursorType")
      .Ident("ctStatic")
      .Prop("TableName")
      .Wide(u"Qkolliyat")
      .End()
      .End();
  b.Object("TDataSource", "DataSource1").Prop("DataSet").Ident("ADOTable1").End().End();
  b.Object("TADOQuery", "Qkolliyat")
      .Prop("Active")
      .Tag(ValueTag::tagTrue)
      .Prop("Connection")
      .Ident("ADOConnection1")
      .Prop("CursorType")
      .Ident("ctStatic")
      .Prop("DataSource")
      .Ident("DataSource1")
      .Prop("SQL.Strings")
      .Tag(ValueTag::tagList)
      .Short("SELECT *")
      .Short("FROM kolliyat;")
      .End()
      .End()
      .End();
  b.End();
  return b.Stream();
}

class LoadingTest : public testing::Test {
 protected:
  template <class T>
  T* Find(const char* name) {
    return dynamic_cast<T*>(root_.FindComponent(name));
  }

  TDataTestRoot root_{nullptr};
};

TEST_F(LoadingTest, TheStoredDatasetsOpenAfterLoading) {
  CurrentDirectory here(SampleDatabaseFolder());
  auto stream = FirstGroupStream();
  ReadRootFromStream(*stream, &root_);
  auto* table = Find<TADOTable>("ADOTable1");
  auto* query = Find<TADOQuery>("Qkolliyat");
  auto* source = Find<TDataSource>("DataSource1");
  ASSERT_NE(table, nullptr);
  ASSERT_NE(query, nullptr);
  EXPECT_TRUE(table->Active());
  EXPECT_TRUE(query->Active());
  EXPECT_EQ(table->Connection(), Find<TADOConnection>("ADOConnection1"));
  EXPECT_EQ(query->DataSource(), source);
  EXPECT_TRUE(query->MasterLink().Active());
  EXPECT_EQ(query->CursorType(), TCursorType::ctStatic);
  EXPECT_EQ(query->SQL()->Count(), 2);
  EXPECT_EQ(query->CommandText(), u"SELECT *\r\nFROM kolliyat;\r\n");
  EXPECT_EQ(table->TotalRecordCount(), 18);
  EXPECT_EQ(query->TotalRecordCount(), 18);
  EXPECT_FALSE(query->IsEmptyWindow());
  EXPECT_EQ(query->CurrentRecordNumber(), 1);
}

TEST_F(LoadingTest, AMissingDatabaseIsReportedByEachComponentAndLoadingGoesOn) {
  EmptyFolder empty;
  CurrentDirectory here(empty.Path());
  RecordingApplication application;
  auto stream = FirstGroupStream();
  EXPECT_NO_THROW(ReadRootFromStream(*stream, &root_));
  auto* connection = Find<TADOConnection>("ADOConnection1");
  auto* table = Find<TADOTable>("ADOTable1");
  auto* query = Find<TADOQuery>("Qkolliyat");
  ASSERT_NE(query, nullptr);
  const AnsiString missing =
      "Could not find file '" + (std::filesystem::current_path() / "tarsilo.mdb").string() + "'";
  // The connection first, then each dataset as it tries to connect on its own, in stream order.
  ASSERT_EQ(application.Reports.size(), 3u);
  EXPECT_EQ(application.Reports[0].sender, connection);
  EXPECT_EQ(application.Reports[1].sender, table);
  EXPECT_EQ(application.Reports[2].sender, query);
  for (const auto& report : application.Reports) EXPECT_EQ(report.message, missing);
  EXPECT_FALSE(connection->Connected());
  EXPECT_FALSE(table->Active());
  EXPECT_FALSE(query->Active());
  EXPECT_EQ(query->Recordset(), nullptr);
  // Everything else was read and bound.
  EXPECT_EQ(query->DataSource(), Find<TDataSource>("DataSource1"));
  EXPECT_EQ(query->SQL()->Count(), 2);
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
