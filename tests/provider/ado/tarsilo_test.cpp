// The sample collection's database (built from content/ by `jetdb build`, kept in data/) read
// the way the program reads it: the stored connection string from the database's directory, the
// tables and saved queries through table commands, the program's statements through text
// commands, the fields as the data layer maps them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/codepage.h"
#include "provider/command.h"
#include "provider/connection.h"
#include "provider/error_info.h"
#include "provider/recordset.h"
#include "tests/fixtures/program_connection_string.h"

namespace provider {
namespace {

class TarsiloTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* root = std::getenv("VELMORA_SOURCE_DIR");
    saved_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(root != nullptr ? root : ".") /
                                  "tests/provider/ado/data");
    connection_ = std::make_shared<Connection>();
    connection_->put_ConnectionString(kProgramConnectionString);
    connection_->put_Mode(adModeShareDenyNone);
    connection_->put_Provider(u"Microsoft.Jet.OLEDB.4.0");
    HRESULT hr = connection_->Open(kProgramConnectionString, u"", u"", adConnectUnspecified);
    std::filesystem::current_path(saved_);
    ASSERT_EQ(hr, S_OK);
  }

  // Opens `text` as the data layer opens a table or query: a client static cursor with
  // optimistic locking.
  HRESULT OpenRecordset(CommandTypeEnum type, const std::u16string& text, Recordset* rs) {
    auto command = std::make_shared<Command>();
    command->put_CommandType(type);
    command->put_CommandText(text);
    command->putref_ActiveConnection(connection_);
    rs->put_CursorLocation(adUseClient);
    rs->put_CacheSize(1);
    rs->put_MaxRecords(0);
    return rs->Open(command, adOpenStatic, adLockOptimistic, type);
  }

  std::filesystem::path saved_;
  std::shared_ptr<Connection> connection_;
};

Variant ValueOf(Recordset& rs, const std::u16string& name) {
  Fields* fields = nullptr;
  Field* field = nullptr;
  Variant value;
  EXPECT_EQ(rs.get_Fields(&fields), S_OK);
  EXPECT_EQ(fields->get_Item(name, &field), S_OK);
  EXPECT_EQ(field->get_Value(&value), S_OK);
  return value;
}

TEST_F(TarsiloTest, EveryTopicTableHasItsRecords) {
  const std::pair<std::u16string, std::int32_t> tables[] = {
      {u"[kolliyat]", 18}, {u"[ejaz]", 17},    {u"[elm]", 16},      {u"[payambaran]", 16},
      {u"[vahy]", 16},     {u"[mohamad]", 16}, {u"[ptarsilo]", 43},
  };
  for (const auto& [name, expected] : tables) {
    Recordset rs;
    ASSERT_EQ(OpenRecordset(adCmdTable, name, &rs), S_OK);
    std::int32_t count = 0;
    rs.get_RecordCount(&count);
    EXPECT_EQ(count, expected);
    // Walking forward visits exactly RecordCount rows.
    std::int32_t walked = 0;
    for (bool eof = false; rs.get_EOF(&eof), !eof; rs.MoveNext()) ++walked;
    EXPECT_EQ(walked, expected);
  }
}

TEST_F(TarsiloTest, FieldsOfATopicTable) {
  Recordset rs;
  ASSERT_EQ(OpenRecordset(adCmdTable, u"[kolliyat]", &rs), S_OK);
  Fields* fields = nullptr;
  rs.get_Fields(&fields);
  std::int32_t count = 0;
  fields->get_Count(&count);
  ASSERT_EQ(count, 5);
  struct Expected {
    std::u16string name;
    DataTypeEnum type;
    std::int32_t size;
    bool autoIncrement;
  };
  const Expected expected[] = {
      {u"id", adInteger, 4, true},
      {u"kholase", adVarWChar, 255, false},
      {u"porsesh", adLongVarWChar, 536870910, false},
      {u"pasokh", adLongVarWChar, 536870910, false},
      {u"pavaraghi", adLongVarWChar, 536870910, false},
  };
  for (std::int32_t i = 0; i < count; ++i) {
    Field* field = nullptr;
    ASSERT_EQ(fields->get_Item(i, &field), S_OK);
    std::u16string name;
    DataTypeEnum type = adEmpty;
    std::int32_t size = 0;
    field->get_Name(&name);
    field->get_Type(&type);
    field->get_DefinedSize(&size);
    EXPECT_EQ(name, expected[i].name);
    EXPECT_EQ(type, expected[i].type);
    EXPECT_EQ(size, expected[i].size);
    Properties* properties = nullptr;
    Property* autoIncrement = nullptr;
    field->get_Properties(&properties);
    ASSERT_EQ(properties->get_Item(u"ISAUTOINCREMENT", &autoIncrement), S_OK);
    Variant value;
    autoIncrement->get_Value(&value);
    EXPECT_EQ(value, Variant::Bool(expected[i].autoIncrement));
  }
}

TEST_F(TarsiloTest, NullFootnotesAndPersianText) {
  Recordset rs;
  ASSERT_EQ(OpenRecordset(adCmdTable, u"[kolliyat]", &rs), S_OK);
  // Records 9 and 14 of kolliyat have no footnotes; the others do.
  for (std::int32_t record = 1; record <= 18; ++record) {
    ASSERT_EQ(rs.put_AbsolutePosition(record), S_OK);
    Variant footnotes = ValueOf(rs, u"pavaraghi");
    EXPECT_EQ(footnotes.null(), record == 9 || record == 14) << record;
    Variant title = ValueOf(rs, u"kholase");
    ASSERT_EQ(title.vt(), VT_BSTR);
    const std::u16string& text = std::get<std::u16string>(title.value());
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos) << "a title is one line";
  }
}

std::int32_t CountOf(Recordset& rs) {
  std::int32_t count = -1;
  EXPECT_EQ(rs.get_RecordCount(&count), S_OK);
  return count;
}

TEST_F(TarsiloTest, SavedQueriesOpenByNameAsTheMasterTablesDo) {
  const std::pair<std::u16string, std::int32_t> queries[] = {
      {u"Qkolliyat", 18}, {u"Qejaz", 17},    {u"Qelm", 16},      {u"Qpayambaran", 16},
      {u"Qvahy", 16},     {u"Qmohamad", 16}, {u"Qptarsilo", 43},
  };
  for (const auto& [name, expected] : queries) {
    Recordset rs;
    ASSERT_EQ(OpenRecordset(adCmdTable, u"[" + name + u"]", &rs), S_OK)
        << GetErrorInfo().value_or(ErrorInfo{}).code;
    EXPECT_EQ(CountOf(rs), expected);
  }
}

TEST_F(TarsiloTest, TheProgramsStatements) {
  // Stored statements arrive as their lines joined with CR LF, with a final CR LF.
  struct Case {
    std::u16string sql;
    std::int32_t count;
    std::u16string firstTitleContains;
  };
  const Case cases[] = {
      {u"SELECT *\r\nFROM kolliyat;\r\n", 18, u""},
      {u"SELECT *\r\nFROM ptarsilo;\r\n", 43, u""},
      {u"SELECT * FROM kolliyat \r\n", 18, u""},
      {u"SELECT * FROM kolliyat where kholase like '%معاد%'\r\n", 9, u"معاد"},
      {u"SELECT * FROM kolliyat where kholase like '%ma''ad%'\r\n", 1, u"ma'ad"},
      // Typed wildcards widen the search.
      {u"SELECT * FROM kolliyat where kholase like '%_%'\r\n", 18, u""},
      {u"SELECT * FROM kolliyat where kholase like '%%%'\r\n", 18, u""},
      // Text typed with Persian letters finds titles stored with the Arabic ones.
      {u"SELECT * FROM kolliyat where kholase like '%چیست%'\r\n", 2, u""},
      {u"SELECT * FROM mohamad where kholase like '%آتش%'\r\n", 1, u"آتش"},
      {u"SELECT * FROM ptarsilo where porsesh like '%قیامت%'\r\n", 6, u""},
      {u"SELECT * FROM ptarsilo where pasokh like '%nothing like this%'\r\n", 0, u""},
  };
  for (const Case& c : cases) {
    Recordset rs;
    ASSERT_EQ(OpenRecordset(adCmdText, c.sql, &rs), S_OK)
        << std::string(c.sql.begin(), c.sql.end());
    EXPECT_EQ(CountOf(rs), c.count);
    if (c.count == 0) {
      bool bof = false;
      bool eof = false;
      rs.get_BOF(&bof);
      rs.get_EOF(&eof);
      EXPECT_TRUE(bof && eof);
      continue;
    }
    // The result's rows are readable to the end, each with its title.
    std::int32_t walked = 0;
    for (bool eof = false; rs.get_EOF(&eof), !eof; rs.MoveNext()) {
      Variant title = ValueOf(rs, u"kholase");
      ASSERT_EQ(title.vt(), VT_BSTR);
      if (walked == 0 && !c.firstTitleContains.empty()) {
        EXPECT_NE(std::get<std::u16string>(title.value()).find(c.firstTitleContains),
                  std::u16string::npos);
      }
      ++walked;
    }
    EXPECT_EQ(walked, c.count);
  }
}

TEST_F(TarsiloTest, StatementErrorsAsJetReportsThem) {
  struct Case {
    std::u16string sql;
    HRESULT code;
    std::string description;
  };
  const Case cases[] = {
      {u"SELECT * FROM nosuch", DB_E_NOTABLE,
       "The Microsoft Jet database engine cannot find the input table or query 'nosuch'.  Make "
       "sure it exists and that its name is spelled correctly."},
      {u"SELECT * FORM kolliyat", DB_E_ERRORSINCOMMAND, ""},
      {u"SELECT * FROM kolliyat where kholase like 'x", DB_E_ERRORSINCOMMAND, ""},
  };
  for (const Case& c : cases) {
    Recordset rs;
    EXPECT_EQ(OpenRecordset(adCmdText, c.sql, &rs), c.code);
    auto error = GetErrorInfo();
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->description.empty());
    if (!c.description.empty()) {
      EXPECT_EQ(error->description, platform::Utf8ToWide(c.description));
    }
    EXPECT_EQ(error->source, u"Microsoft JET Database Engine");
    std::int32_t state = -1;
    rs.get_State(&state);
    EXPECT_EQ(state, adStateClosed);
  }
}

}  // namespace
}  // namespace provider
