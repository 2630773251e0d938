// Connections, commands and recordsets over real database files: opening with the stored
// connection string, the errors a Jet user knows, and tables read through the cursor.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "provider/command.h"
#include "provider/connection.h"
#include "provider/error_info.h"
#include "provider/recordset.h"
#include "tests/provider/ado/recordset_access.h"

namespace provider {
namespace {

using adotest::FailureText;
using adotest::FieldNamed;

std::filesystem::path DataDir() {
  const char* root = std::getenv("VELMORA_SOURCE_DIR");
  auto dir = std::filesystem::path(root != nullptr ? root : ".") / "tests/fixtures/jet";
  return std::filesystem::absolute(dir).lexically_normal();
}

// The program's stored string with another file and password.
std::u16string StoredString(const std::string& dataSource, const std::string& password = "\"\"") {
  std::string s =
      "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + dataSource +
      ";Mode=Share Deny None;Extended Properties=\"\";Persist Security Info=False;Jet "
      "OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=" +
      password +
      ";Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk "
      "Ops=2;Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";Jet "
      "OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't "
      "Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;Jet "
      "OLEDB:SFP=False";
  return std::u16string(s.begin(), s.end());
}

// Opens the way the data layer does: string, mode and provider put, then Open with the empty
// user and password.
HRESULT OpenLikeTheProgram(Connection& connection, const std::u16string& string,
                           ConnectModeEnum mode = adModeShareDenyNone,
                           const std::u16string& providerName = u"Microsoft.Jet.OLEDB.4.0") {
  connection.put_ConnectionString(string);
  connection.put_Mode(mode);
  connection.put_Provider(providerName);
  return connection.Open(string, u"", u"", adConnectUnspecified);
}

std::shared_ptr<Connection> Open(const std::string& file) {
  auto connection = std::make_shared<Connection>();
  EXPECT_EQ(OpenLikeTheProgram(*connection, StoredString((DataDir() / file).string())), S_OK)
      << FailureText();
  return connection;
}

std::unique_ptr<Recordset> OpenTable(std::shared_ptr<Connection> connection,
                                     const std::u16string& name) {
  auto command = std::make_shared<Command>();
  command->put_CommandType(adCmdTable);
  command->put_CommandText(name);
  command->putref_ActiveConnection(std::move(connection));
  auto rs = std::make_unique<Recordset>();
  rs->put_CursorLocation(adUseClient);
  rs->put_CacheSize(1);
  rs->put_MaxRecords(0);
  HRESULT hr = rs->Open(command, adOpenStatic, adLockOptimistic, adCmdTable);
  EXPECT_EQ(hr, S_OK) << FailureText();
  return rs;
}

TEST(JetConnectionTest, StoredStringOpensTheFileInTheCurrentDirectory) {
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(DataDir());
  Connection connection;
  EXPECT_EQ(OpenLikeTheProgram(connection, StoredString("mdbtestdata_nwind.mdb")), S_OK)
      << FailureText();
  std::filesystem::current_path(saved);
  std::int32_t state = 0;
  connection.get_State(&state);
  EXPECT_EQ(state & adStateOpen, adStateOpen);
  EXPECT_EQ(connection.put_Mode(adModeRead), adErrObjectOpen);
  EXPECT_EQ(connection.put_ConnectionString(u""), adErrObjectOpen);
  EXPECT_EQ(connection.Close(), S_OK);
  connection.get_State(&state);
  EXPECT_EQ(state, adStateClosed);
}

TEST(JetConnectionTest, FailuresCarryTheMessagesJetUsersKnow) {
  const std::string missing = (DataDir() / "no such file.mdb").string();
  const std::string notDatabase = (DataDir() / "SOURCES.md").string();
  const std::string locked = (DataDir() / "mdbreader_V2003_with-password.mdb").string();
  struct Case {
    std::u16string string;
    std::u16string providerName;
    HRESULT code;
    std::string description;
  };
  const Case cases[] = {
      {StoredString(missing), u"Microsoft.Jet.OLEDB.4.0", E_FAIL,
       "Could not find file '" + missing + "'."},
      {StoredString(notDatabase), u"Microsoft.Jet.OLEDB.4.0", E_FAIL,
       "Unrecognized database format '" + notDatabase + "'."},
      {StoredString(locked), u"Microsoft.Jet.OLEDB.4.0", DB_SEC_E_AUTH_FAILED,
       "Not a valid password."},
      {StoredString(locked, "wrong"), u"Microsoft.Jet.OLEDB.4.0", DB_SEC_E_AUTH_FAILED,
       "Not a valid password."},
      {StoredString(missing), u"SQLOLEDB", adErrProviderNotFound,
       "Provider cannot be found. It may not be properly installed."},
      {u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source", u"", E_FAIL,
       "The connection string is malformed: each part must be key=value, with quotes closed."},
      {u"Provider=Microsoft.Jet.OLEDB.4.0;User ID=guest;Data Source=x.mdb", u"", E_FAIL,
       "Not a valid account name or password."},
  };
  for (const Case& c : cases) {
    Connection connection;
    EXPECT_EQ(OpenLikeTheProgram(connection, c.string, adModeShareDenyNone, c.providerName),
              c.code);
    auto error = GetErrorInfo();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::string(error->description.begin(), error->description.end()), c.description);
    std::int32_t state = -1;
    connection.get_State(&state);
    EXPECT_EQ(state, adStateClosed);
  }
}

TEST(JetConnectionTest, PasswordProtectedFileOpensWithItsPassword) {
  const std::string file = (DataDir() / "mdbreader_V2003_with-password.mdb").string();
  Connection connection;
  ASSERT_EQ(OpenLikeTheProgram(connection, StoredString(file, "\"password\"")), S_OK)
      << FailureText();
}

TEST(JetConnectionTest, ExclusiveUseAndSharedUseExcludeEachOther) {
  const std::string file = (DataDir() / "jackcess_testV2003.mdb").string();
  const std::string inUse = "The Microsoft Jet database engine cannot open the file '" + file +
                            "'.  It is already opened exclusively by another user, or you need "
                            "permission to view its data.";
  Connection shared1;
  Connection shared2;
  Connection exclusive;
  ASSERT_EQ(OpenLikeTheProgram(shared1, StoredString(file)), S_OK) << FailureText();
  ASSERT_EQ(OpenLikeTheProgram(shared2, StoredString(file)), S_OK) << FailureText();
  EXPECT_EQ(OpenLikeTheProgram(exclusive, StoredString(file), adModeShareExclusive), E_FAIL);
  EXPECT_EQ(FailureText(), inUse);

  shared1.Close();
  shared2.Close();
  ASSERT_EQ(exclusive.Open(u"", u"", u"", adConnectUnspecified), S_OK) << FailureText();
  Connection late;
  EXPECT_EQ(OpenLikeTheProgram(late, StoredString(file)), E_FAIL);
  EXPECT_EQ(FailureText(), inUse);
}

TEST(JetRecordsetTest, TableCommandWalksEveryRowOnce) {
  auto rs = OpenTable(Open("mdbtestdata_nwind.mdb"), u"[Suppliers]");
  std::int32_t count = 0;
  ASSERT_EQ(rs->get_RecordCount(&count), S_OK);
  EXPECT_EQ(count, 29);

  bool supported = false;
  rs->Supports(adMovePrevious | adBookmark, &supported);
  EXPECT_TRUE(supported);
  rs->Supports(adUpdate, &supported);
  EXPECT_TRUE(supported) << "a table of a file that may be written";

  // What the data layer does first: to BOF, then forward to EOF.
  ASSERT_EQ(rs->MoveFirst(), S_OK);
  ASSERT_EQ(rs->MovePrevious(), S_OK);
  bool bof = false;
  bool eof = false;
  rs->get_BOF(&bof);
  EXPECT_TRUE(bof);
  std::set<std::int64_t> ids;
  Variant middle;
  for (;;) {
    ASSERT_EQ(rs->MoveNext(), S_OK);
    rs->get_EOF(&eof);
    if (eof) break;
    Variant id;
    ASSERT_EQ(FieldNamed(*rs, u"SupplierID")->get_Value(&id), S_OK);
    ASSERT_EQ(id.vt(), VT_I4);
    ids.insert(std::get<std::int64_t>(id.value()));
    std::int32_t position = 0;
    rs->get_AbsolutePosition(&position);
    if (position == 15) rs->get_Bookmark(&middle);
    std::int32_t status = 0;
    rs->get_Status(&status);
    EXPECT_EQ(status, adRecUnmodified);
  }
  EXPECT_EQ(ids.size(), 29u);
  EXPECT_EQ(rs->MoveNext(), adErrNoCurrentRecord);
  GetErrorInfo();

  ASSERT_EQ(rs->put_Bookmark(middle), S_OK);
  std::int32_t position = 0;
  rs->get_AbsolutePosition(&position);
  EXPECT_EQ(position, 15);
}

TEST(JetRecordsetTest, FieldTypesAndAttributes) {
  struct Case {
    const char* file;
    std::u16string table;
    std::u16string field;
    DataTypeEnum type;
    std::int32_t definedSize;
    std::int32_t attributes;
    bool autoIncrement;
  };
  constexpr std::int32_t kNullable = adFldIsNullable | adFldMayBeNull;
  constexpr std::int32_t kLong = adFldLong | adFldMayDefer | kNullable;
  // Every column but the AutoNumber may be written, in the Jet 3 file as in the Jet 4 one.
  constexpr std::int32_t kWritable = adFldFixed | adFldUpdatable;
  const Case cases[] = {
      {"mdbtestdata_nwind.mdb", u"Suppliers", u"SupplierID", adInteger, 4, adFldFixed | kNullable,
       true},
      {"mdbtestdata_nwind.mdb", u"Suppliers", u"CompanyName", adVarWChar, 40,
       adFldUpdatable | kNullable, false},
      {"mdbtestdata_nwind.mdb", u"Suppliers", u"HomePage", adLongVarWChar, 536870910,
       adFldUpdatable | kLong, false},
      {"mdbtestdata_nwind.mdb", u"Employees", u"Photo", adLongVarBinary, 1073741823,
       adFldUpdatable | kLong, false},
      {"mdbtestdata_nwind.mdb", u"Employees", u"BirthDate", adDate, 8, kWritable | kNullable,
       false},
      {"jackcess_testV2003.mdb", u"Table1", u"C", adUnsignedTinyInt, 1, kWritable | kNullable,
       false},
      {"jackcess_testV2003.mdb", u"Table1", u"D", adSmallInt, 2, kWritable | kNullable, false},
      {"jackcess_testV2003.mdb", u"Table1", u"F", adDouble, 8, kWritable | kNullable, false},
      {"jackcess_testV2003.mdb", u"Table1", u"H", adCurrency, 8, kWritable | kNullable, false},
      {"jackcess_testV2003.mdb", u"Table1", u"I", adBoolean, 2, kWritable, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field.begin(), c.field.end()));
    auto rs = OpenTable(Open(c.file), c.table);
    Field* field = FieldNamed(*rs, c.field);
    ASSERT_NE(field, nullptr);
    DataTypeEnum type = adEmpty;
    std::int32_t size = 0;
    std::int32_t attributes = 0;
    field->get_Type(&type);
    field->get_DefinedSize(&size);
    field->get_Attributes(&attributes);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(size, c.definedSize);
    EXPECT_EQ(attributes, c.attributes);
    Properties* properties = nullptr;
    Property* autoIncrement = nullptr;
    field->get_Properties(&properties);
    ASSERT_EQ(properties->get_Item(u"ISAUTOINCREMENT", &autoIncrement), S_OK);
    Variant value;
    autoIncrement->get_Value(&value);
    EXPECT_EQ(value, Variant::Bool(c.autoIncrement));
  }
}

TEST(JetRecordsetTest, EditThroughAReadOnlyConnectionFailsWithADescription) {
  auto connection = std::make_shared<Connection>();
  ASSERT_EQ(
      OpenLikeTheProgram(*connection, StoredString((DataDir() / "mdbtestdata_nwind.mdb").string()),
                         adModeRead),
      S_OK);
  auto rs = OpenTable(connection, u"Suppliers");
  EXPECT_EQ(FieldNamed(*rs, u"CompanyName")->put_Value(Variant::String(u"x")),
            adErrFeatureNotAvailable);
  EXPECT_NE(FailureText(), "<no error object>");
}

TEST(JetRecordsetTest, MissingTableAndClosedConnection) {
  auto connection = Open("mdbtestdata_nwind.mdb");
  auto command = std::make_shared<Command>();
  command->put_CommandType(adCmdTable);
  command->put_CommandText(u"[kolliyat]");
  command->putref_ActiveConnection(connection);
  Recordset rs;
  EXPECT_EQ(rs.Open(command, adOpenStatic, adLockOptimistic, adCmdTable), DB_E_NOTABLE);
  EXPECT_EQ(FailureText(),
            "The Microsoft Jet database engine cannot find the input table or query 'kolliyat'.  "
            "Make sure it exists and that its name is spelled correctly.");
  std::int32_t state = -1;
  rs.get_State(&state);
  EXPECT_EQ(state, adStateClosed);

  connection->Close();
  command->put_CommandText(u"[Suppliers]");
  EXPECT_EQ(rs.Open(command, adOpenStatic, adLockOptimistic, adCmdTable), adErrInvalidConnection);
  GetErrorInfo();
}

TEST(JetRecordsetTest, RecordsetOutlivesItsConnection) {
  auto connection = Open("mdbtestdata_nwind.mdb");
  auto rs = OpenTable(connection, u"Employees");
  std::shared_ptr<Connection> active;
  rs->get_ActiveConnection(&active);
  EXPECT_EQ(active, connection);
  connection->Close();
  rs->putref_ActiveConnection(nullptr);
  active.reset();
  connection.reset();
  ASSERT_EQ(rs->MoveLast(), S_OK);
  Variant notes;
  EXPECT_EQ(FieldNamed(*rs, u"Notes")->get_Value(&notes), S_OK);
  EXPECT_EQ(notes.vt(), VT_BSTR);
}

}  // namespace
}  // namespace provider
