// The ADO connection over the sample database: connecting with the program's settings, the
// hooks around it, failures, loading from a stream and letting go of an idle connection.
#include "data/ado_connection.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/reader.h"
#include "data/ado_command.h"
#include "platform/codepage.h"
#include "tests/core/stream_builder.h"
#include "tests/data/sample_database.h"
#include "tests/data/test_root.h"

namespace datatest {
namespace {

using coretest::StreamBuilder;

const WideString kJetProvider = u"Microsoft.Jet.OLEDB.4.0";

// The connection as the program's main window sets it up, not yet connected.
void SetUpAsTheProgramDoes(TADOConnection& connection) {
  connection.SetConnectionString(kProgramConnectionString);
  connection.SetLoginPrompt(false);
  connection.SetMode(TConnectMode::cmShareDenyNone);
  connection.SetProvider(kJetProvider);
}

// The main window's stream for the connection, followed by a command, to see loading go on.
std::unique_ptr<TMemoryStream> ProgramStream() {
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
      .Wide(kJetProvider)
      .Prop("BeforeConnect")
      .Ident("BeforeConnect")
      .Prop("AfterConnect")
      .Ident("AfterConnect")
      .End()
      .End();
  b.Object("TADOCommand", "ADOCommand1").Prop("CommandText").Short("SELECT * FROM elm").End().End();
  b.End();
  return b.Stream();
}

class ADOConnectionTest : public testing::Test {
 protected:
  TDataTestRoot root_{nullptr};
};

TEST_F(ADOConnectionTest, ANewConnectionHasThePublishedDefaults) {
  TADOConnection connection(&root_);
  EXPECT_FALSE(connection.Connected());
  EXPECT_TRUE(connection.LoginPrompt());
  EXPECT_TRUE(connection.KeepConnection());
  EXPECT_EQ(connection.Mode(), TConnectMode::cmUnknown);
  EXPECT_EQ(connection.IsolationLevel(), TIsolationLevel::ilCursorStability);
  EXPECT_EQ(connection.ConnectOptions(), TConnectOption::coConnectUnspecified);
  EXPECT_EQ(connection.CommandTimeout(), 30);
  EXPECT_EQ(connection.ConnectionTimeout(), 15);
  EXPECT_TRUE(connection.ConnectionString().empty());
  // The cursor location is written to the provider object, which starts on the server side.
  provider::CursorLocationEnum location;
  connection.ConnectionObject()->get_CursorLocation(&location);
  EXPECT_EQ(location, provider::adUseClient);
  EXPECT_EQ(connection.CursorLocation(), TCursorLocation::clUseClient);
}

TEST_F(ADOConnectionTest, ConnectsToTheSampleDatabaseWithTheProgramsSettings) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  connection.SetConnected(true);
  EXPECT_TRUE(connection.Connected());
  ASSERT_NE(connection.ConnectionObject()->Database(), nullptr);
  EXPECT_EQ(connection.ConnectionString(), kProgramConnectionString);

  connection.SetConnected(false);
  EXPECT_FALSE(connection.Connected());
  EXPECT_EQ(connection.ConnectionObject()->Database(), nullptr);
}

TEST_F(ADOConnectionTest, AMissingDatabaseRaisesTheProvidersErrorAndStaysClosed) {
  EmptyFolder empty;
  CurrentDirectory here(empty.Path());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  root_.Watch(connection);
  try {
    connection.SetConnected(true);
    FAIL() << "there is no tarsilo.mdb here";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Could not find file '" +
                               (std::filesystem::current_path() / "tarsilo.mdb").string() + "'");
    EXPECT_EQ(e.Source(), "Microsoft JET Database Engine");
  }
  EXPECT_FALSE(connection.Connected());
  EXPECT_EQ(root_.Log, (std::vector<AnsiString>{"BeforeConnect", "OnWillConnect", "OnLogin"}));
}

TEST_F(ADOConnectionTest, HooksRunInOrderAroundConnectingAndDisconnecting) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  root_.Watch(connection);
  connection.SetConnected(true);
  connection.SetConnected(true);  // already connected: nothing runs
  connection.SetConnected(false);
  connection.SetConnected(false);
  EXPECT_EQ(root_.Log,
            (std::vector<AnsiString>{"BeforeConnect", "OnWillConnect", "OnLogin", "AfterConnect",
                                     "BeforeDisconnect", "OnDisconnect", "AfterDisconnect"}));
}

// A will-connect handler sees what Open is about to be given and may change it.
class Redirector : public TComponent {
 public:
  using TComponent::TComponent;
  void WillConnect(TADOConnection*, WideString& connectionString, WideString&, WideString&,
                   TConnectOption&, TEventStatus& status) {
    seen = connectionString;
    connectionString = replacement;
    if (cancel) status = TEventStatus::esCancel;
  }
  WideString seen;
  WideString replacement = kProgramConnectionString;
  bool cancel = false;
};

TEST_F(ADOConnectionTest, AWillConnectHandlerMayChangeTheStringOrCancel) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  connection.SetConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=elsewhere.mdb");
  Redirector redirector(&root_);
  connection.OnWillConnect = TWillConnectEvent(&redirector, &Redirector::WillConnect);
  // LoginPrompt is on and no OnLogin is assigned: with no login dialog, it connects unasked.
  ASSERT_TRUE(connection.LoginPrompt());
  connection.SetConnected(true);
  EXPECT_TRUE(connection.Connected());
  EXPECT_EQ(redirector.seen, u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=elsewhere.mdb");
  connection.SetConnected(false);

  redirector.cancel = true;
  try {
    connection.SetConnected(true);
    FAIL() << "the handler cancelled";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Operation has been cancelled by the user");
  }
  EXPECT_FALSE(connection.Connected());
}

// The provider object refuses every change while open, so an unchanged value must not be
// written at all: setting it succeeds only because nothing reaches the object.
TEST_F(ADOConnectionTest, SettingTheHeldModeOrProviderWritesNothing) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  connection.SetConnected(true);

  EXPECT_NO_THROW(connection.SetMode(TConnectMode::cmShareDenyNone));
  EXPECT_NO_THROW(connection.SetProvider(kJetProvider));
  EXPECT_NO_THROW(connection.SetConnectionString(kProgramConnectionString));

  EXPECT_THROW(connection.SetMode(TConnectMode::cmRead), EOleException);
  EXPECT_THROW(connection.SetProvider(u"Other.Provider"), EOleException);
  try {
    connection.SetConnectionString(u"Data Source=other.mdb");
    FAIL() << "an open connection keeps its string";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Operation is not allowed when the object is open");
  }
  EXPECT_EQ(connection.Mode(), TConnectMode::cmShareDenyNone);
  EXPECT_EQ(connection.Provider(), kJetProvider);
  EXPECT_TRUE(connection.Connected());
}

TEST_F(ADOConnectionTest, KeepConnectionOffWithNoOpenDataSetClosesAtOnce) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  connection.SetConnected(true);
  connection.SetKeepConnection(true);
  EXPECT_TRUE(connection.Connected());
  root_.Watch(connection);
  connection.SetKeepConnection(false);
  EXPECT_FALSE(connection.Connected());
  EXPECT_EQ(root_.Log,
            (std::vector<AnsiString>{"BeforeDisconnect", "OnDisconnect", "AfterDisconnect"}));
}

// The owner's handlers may belong to a form that is itself being freed, so none run.
TEST_F(ADOConnectionTest, FreeingAnOpenConnectionClosesTheDatabaseWithoutRunningHooks) {
  CurrentDirectory here(SampleDatabaseFolder());
  auto connection = std::make_unique<TADOConnection>(&root_);
  SetUpAsTheProgramDoes(*connection);
  connection->SetConnected(true);
  root_.Watch(*connection);
  std::shared_ptr<provider::Connection> object = connection->ConnectionObject();
  connection.reset();
  EXPECT_EQ(object->Database(), nullptr);
  EXPECT_TRUE(root_.Log.empty());
  EXPECT_EQ(root_.ComponentCount(), 0);
}

TEST_F(ADOConnectionTest, MakeActiveConnectsOnlyWhenClosed) {
  CurrentDirectory here(SampleDatabaseFolder());
  TADOConnection connection(&root_);
  SetUpAsTheProgramDoes(connection);
  root_.Watch(connection);
  connection.MakeActive();
  connection.MakeActive();
  EXPECT_TRUE(connection.Connected());
  EXPECT_EQ(std::count(root_.Log.begin(), root_.Log.end(), "BeforeConnect"), 1);
}

TEST_F(ADOConnectionTest, ConnectedReadFromAStreamConnectsAfterLoading) {
  CurrentDirectory here(SampleDatabaseFolder());
  auto stream = ProgramStream();
  ReadRootFromStream(*stream, &root_);
  auto* connection = dynamic_cast<TADOConnection*>(root_.FindComponent("ADOConnection1"));
  ASSERT_NE(connection, nullptr);
  EXPECT_TRUE(connection->ConnectedOnLoad());
  EXPECT_TRUE(connection->Connected());
  EXPECT_FALSE(connection->LoginPrompt());
  EXPECT_EQ(connection->Mode(), TConnectMode::cmShareDenyNone);
  EXPECT_EQ(connection->Provider(), kJetProvider);
  // The hooks bound by name ran once, after everything was read.
  EXPECT_EQ(root_.Log, (std::vector<AnsiString>{"BeforeConnect", "AfterConnect"}));
}

TEST_F(ADOConnectionTest, AFailedConnectAfterLoadingIsReportedOnceAndLoadingGoesOn) {
  EmptyFolder empty;
  CurrentDirectory here(empty.Path());
  RecordingApplication application;
  auto stream = ProgramStream();
  EXPECT_NO_THROW(ReadRootFromStream(*stream, &root_));
  auto* connection = dynamic_cast<TADOConnection*>(root_.FindComponent("ADOConnection1"));
  ASSERT_NE(connection, nullptr);
  EXPECT_FALSE(connection->Connected());
  ASSERT_EQ(application.Reports.size(), 1u);
  EXPECT_EQ(application.Reports[0].sender, connection);
  EXPECT_EQ(
      application.Reports[0].message,
      "Could not find file '" + (std::filesystem::current_path() / "tarsilo.mdb").string() + "'");
  auto* command = dynamic_cast<TADOCommand*>(root_.FindComponent("ADOCommand1"));
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->CommandText(), u"SELECT * FROM elm");
  EXPECT_FALSE(command->ComponentState().Contains(TComponentStateFlag::csLoading));
}

TEST_F(ADOConnectionTest, StandAloneCommandsAreKeptAsClients) {
  TADOConnection connection(&root_);
  TADOCommand first(&root_);
  TADOCommand second(&root_);
  first.SetConnection(&connection);
  second.SetConnection(&connection);
  EXPECT_EQ(connection.Clients(), (std::vector<TObject*>{&first, &second}));
  EXPECT_EQ(connection.Commands(), (std::vector<TADOCommand*>{&first, &second}));
  EXPECT_EQ(connection.DataSetCount(), 0);
  EXPECT_THROW(connection.DataSetAt(0), EListError);
  first.SetConnection(nullptr);
  EXPECT_EQ(connection.Commands(), (std::vector<TADOCommand*>{&second}));
  EXPECT_EQ(connection.Clients(), (std::vector<TObject*>{&second}));
}

}  // namespace
}  // namespace datatest
