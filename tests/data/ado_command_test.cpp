// The ADO command: what its text becomes in the provider command, its parameters, its type, and
// how it comes by a connection.
#include "data/ado_command.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/reader.h"
#include "data/ado_connection.h"
#include "tests/core/stream_builder.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"

namespace datatest {
namespace {

using coretest::StreamBuilder;

class ADOCommandTest : public testing::Test {
 protected:
  ADOCommandTest() { command_.SetName("Command1"); }

  // The text the provider command was given.
  WideString SentText() const {
    WideString text;
    command_.CommandObject()->get_CommandText(&text);
    return text;
  }
  provider::CommandTypeEnum SentType() const {
    provider::CommandTypeEnum type;
    command_.CommandObject()->get_CommandType(&type);
    return type;
  }
  std::shared_ptr<provider::Connection> ActiveConnection() const {
    std::shared_ptr<provider::Connection> connection;
    command_.CommandObject()->get_ActiveConnection(&connection);
    return connection;
  }

  TDataTestRoot root_{nullptr};
  TADOCommand command_{&root_};
};

TEST_F(ADOCommandTest, ParametersInTheTextReachTheProviderAsQuestionMarks) {
  command_.SetCommandText(u"SELECT * FROM kolliyat WHERE kholase = :title AND porsesh = :q");
  EXPECT_EQ(command_.CommandText(),
            u"SELECT * FROM kolliyat WHERE kholase = :title AND porsesh = :q");
  EXPECT_EQ(SentText(), u"SELECT * FROM kolliyat WHERE kholase = ? AND porsesh = ?");
  TParameters& parameters = command_.Parameters();
  ASSERT_EQ(parameters.Count(), 2);
  EXPECT_EQ(parameters.Items(0)->Name(), u"title");
  EXPECT_EQ(parameters.Items(1)->Name(), u"q");
  EXPECT_EQ(parameters.Items(0)->Direction(), TParameterDirection::pdInput);
  EXPECT_EQ(parameters.Items(0)->DataType(), TFieldType::ftUnknown);
}

TEST_F(ADOCommandTest, TheProgramsSearchStatementIsSentAsWrittenWhateverTheUserTyped) {
  for (const char* typed : {"ab'c", "a\" :b", "x` :y", "12:30", "::"}) {
    SCOPED_TRACE(typed);
    AnsiString statement =
        "SELECT * FROM kolliyat where kholase like " + QuotedStr(AnsiString("%") + typed + "%");
    WideString text(statement.begin(), statement.end());
    command_.SetCommandText(text);
    EXPECT_EQ(SentText(), text);
    EXPECT_EQ(command_.Parameters().Count(), 0);
  }
}

TEST_F(ADOCommandTest, ARescanKeepsTheValuesOfParametersThatKeepTheirNames) {
  command_.SetCommandText(u"SELECT * FROM elm WHERE a = :a AND b = :b");
  command_.Parameters().FindParam(u"a")->SetValue(Variant(std::int32_t{1}));
  command_.Parameters().FindParam(u"b")->SetValue(Variant(WideString(u"two")));
  command_.SetCommandText(u"SELECT * FROM elm WHERE b = :B AND c = :c");
  TParameters& parameters = command_.Parameters();
  ASSERT_EQ(parameters.Count(), 2);
  EXPECT_EQ(parameters.Items(0)->Name(), u"B");
  EXPECT_EQ(parameters.Items(0)->Value(), Variant(WideString(u"two")));
  EXPECT_EQ(parameters.Items(1)->Name(), u"c");
  EXPECT_TRUE(parameters.Items(1)->Value().IsEmpty());
}

TEST_F(ADOCommandTest, WithParamCheckOffTheTextGoesUnchangedAndParametersAreCleared) {
  command_.SetCommandText(u"SELECT * FROM elm WHERE a = :a");
  ASSERT_EQ(command_.Parameters().Count(), 1);
  command_.SetParamCheck(false);
  command_.SetCommandText(u"SELECT * FROM elm WHERE b = :b");
  EXPECT_EQ(SentText(), u"SELECT * FROM elm WHERE b = :b");
  EXPECT_EQ(command_.Parameters().Count(), 0);
}

TEST_F(ADOCommandTest, TheTypeIsHeldInTheProviderCommandExceptFileAndTableDirect) {
  command_.SetCommandType(TCommandType::cmdTable);
  EXPECT_EQ(SentType(), provider::adCmdTable);
  EXPECT_EQ(command_.CommandType(), TCommandType::cmdTable);
  command_.SetCommandType(TCommandType::cmdTableDirect);
  EXPECT_EQ(SentType(), provider::adCmdUnknown);
  EXPECT_EQ(command_.CommandType(), TCommandType::cmdTableDirect);
  command_.SetCommandType(TCommandType::cmdText);
  EXPECT_EQ(command_.CommandType(), TCommandType::cmdText);
  // Our provider runs no stored procedures; its refusal leaves the type as it was.
  EXPECT_THROW(command_.SetCommandType(TCommandType::cmdStoredProc), EOleException);
  EXPECT_EQ(command_.CommandType(), TCommandType::cmdText);
}

TEST_F(ADOCommandTest, ATableNameIsNotScannedAndIsBracketedWhenPrepared) {
  command_.SetCommandType(TCommandType::cmdTable);
  command_.SetCommandText(u"my table:1");
  EXPECT_EQ(SentText(), u"my table:1");
  EXPECT_EQ(command_.Parameters().Count(), 0);
  command_.PrepareCommand(false);
  EXPECT_EQ(SentText(), u"my table:1");
  command_.PrepareCommand(true);
  EXPECT_EQ(SentText(), u"[my table:1]");
  EXPECT_EQ(command_.CommandText(), u"my table:1");
}

TEST_F(ADOCommandTest, PreparingWithoutTextNamesTheMissingProperty) {
  try {
    command_.PrepareCommand(true);
    FAIL() << "there is no text";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Command1: Missing CommandText property");
  }
  command_.SetCommandTextAlias("SQL");
  try {
    command_.PrepareCommand(false);
    FAIL() << "there is no text";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Command1: Missing SQL property");
  }
}

TEST_F(ADOCommandTest, UsingTheCommandWithoutAnyConnectionIsRefused) {
  try {
    command_.SetConnectionUse(TConnectionUse::cuOpen, true);
    FAIL() << "there is nothing to connect to";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Command1: Missing Connection or ConnectionString");
  }
  EXPECT_EQ(ActiveConnection(), nullptr);
}

TEST_F(ADOCommandTest, TheFirstUseConnectsTheConnectionAndSharesItsObject) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  connection.SetConnectionString(kProgramConnectionString);
  connection.SetLoginPrompt(false);
  command_.SetConnection(&connection);
  EXPECT_EQ(connection.Commands(), std::vector<TADOCommand*>{&command_});

  command_.SetConnectionUse(TConnectionUse::cuOpen, true);
  EXPECT_TRUE(connection.Connected());
  EXPECT_EQ(ActiveConnection(), connection.ConnectionObject());
  // With KeepConnection on, the connection stays open when the command no longer needs it.
  command_.SetConnectionUse(TConnectionUse::cuOpen, false);
  EXPECT_TRUE(connection.Connected());

  // Closing the connection takes the command's active connection away with it.
  connection.SetConnected(false);
  EXPECT_EQ(ActiveConnection(), nullptr);
}

TEST_F(ADOCommandTest, DroppingTheLastUseLetsAConnectionWithoutKeepConnectionClose) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  connection.SetConnectionString(kProgramConnectionString);
  connection.SetKeepConnection(false);
  command_.SetConnection(&connection);
  command_.SetConnectionUse(TConnectionUse::cuOpen, true);
  command_.SetConnectionUse(TConnectionUse::cuParameters, true);
  command_.SetConnectionUse(TConnectionUse::cuOpen, false);
  EXPECT_TRUE(connection.Connected());
  command_.SetConnectionUse(TConnectionUse::cuParameters, false);
  EXPECT_FALSE(connection.Connected());
  EXPECT_EQ(ActiveConnection(), nullptr);
}

TEST_F(ADOCommandTest, AConnectionStringGivesTheCommandAConnectionOfItsOwn) {
  CurrentDirectory here(SampleDatabaseFolder());
  command_.SetConnectionString(kProgramConnectionString);
  command_.SetConnectionUse(TConnectionUse::cuOpen, true);
  auto active = ActiveConnection();
  ASSERT_NE(active, nullptr);
  EXPECT_NE(active->Database(), nullptr);
}

TEST_F(ADOCommandTest, AConnectionAndAConnectionStringReplaceEachOther) {
  TADOConnection connection(&root_);
  command_.SetConnectionString(kProgramConnectionString);
  command_.SetConnection(&connection);
  EXPECT_TRUE(command_.ConnectionString().empty());
  command_.SetConnectionString(kProgramConnectionString);
  EXPECT_EQ(command_.Connection(), nullptr);
  EXPECT_TRUE(connection.Clients().empty());
}

TEST_F(ADOCommandTest, AFreedConnectionLeavesTheCommandWithoutOne) {
  CurrentDirectory here(SampleDatabaseFolder());
  auto connection = std::make_unique<TADOConnection>(&root_);
  connection->SetConnectionString(kProgramConnectionString);
  command_.SetConnection(connection.get());
  command_.SetConnectionUse(TConnectionUse::cuOpen, true);
  connection.reset();
  EXPECT_EQ(command_.Connection(), nullptr);
  EXPECT_EQ(ActiveConnection(), nullptr);
}

TEST_F(ADOCommandTest, ACommandReadFromAStreamTakesItsPublishedProperties) {
  StreamBuilder b;
  b.Signature().Object("TDataTestRoot", "Root").End();
  b.Object("TADOConnection", "ADOConnection1").End().End();
  b.Object("TADOCommand", "Command2")
      .Prop("CommandText")
      .Short("SELECT * FROM vahy WHERE kholase = :k")
      .Prop("CommandTimeout")
      .Int8(60)
      .Prop("Connection")
      .Ident("ADOConnection1")
      .Prop("ExecuteOptions")
      .Set({"eoExecuteNoRecords"})
      .Prop("Parameters")
      .Tag(ValueTag::tagCollection)
      .Tag(ValueTag::tagList)
      .Prop("Name")
      .Short("k")
      .Prop("DataType")
      .Ident("ftWideString")
      .Prop("Size")
      .Int16(255)
      .Prop("Value")
      .Short("x")
      .End()
      .End()
      .End()
      .End();
  b.End();
  auto stream = b.Stream();
  ReadRootFromStream(*stream, &root_);
  auto* command = dynamic_cast<TADOCommand*>(root_.FindComponent("Command2"));
  auto* connection = dynamic_cast<TADOConnection*>(root_.FindComponent("ADOConnection1"));
  ASSERT_NE(command, nullptr);
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(command->Connection(), connection);
  EXPECT_EQ(connection->Commands(), std::vector<TADOCommand*>{command});
  EXPECT_EQ(command->CommandTimeout(), 60);
  EXPECT_EQ(command->ExecuteOptions(), TExecuteOptions{TExecuteOption::eoExecuteNoRecords});
  ASSERT_EQ(command->Parameters().Count(), 1);
  const TParameter& k = *command->Parameters().Items(0);
  EXPECT_EQ(k.Name(), u"k");
  EXPECT_EQ(k.DataType(), TFieldType::ftWideString);
  EXPECT_EQ(k.Size(), 255);
  EXPECT_EQ(k.Direction(), TParameterDirection::pdInput);
  EXPECT_FALSE(k.Value().IsEmpty());
}

}  // namespace
}  // namespace datatest
