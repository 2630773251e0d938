// The native forms in which the ADO dataset hands each column type to its field, over a small
// Jet file with one column of every type the engine writes: a row of values and a row of Nulls.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/field.h"
#include "data/fielddefs.h"
#include "provider/jet/new_database.h"
#include "tests/data/test_root.h"
#include "tests/data/temp_path.h"

namespace datatest {
namespace {

using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::NewDatabase;
using provider::jet::TableSpec;

const provider::Guid kGuid{{0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56, 0x9A, 0xBC, 0xDE, 0xF0,
                            0x01, 0x23, 0x45, 0x67}};

// One file per test, so that tests run side by side do not share it.
std::string WriteEveryType() {
  const std::string path =
      datatest::TestTempPath("every_type.mdb");
  auto database = NewDatabase::Create(provider::DateTime{46000.5});
  EXPECT_TRUE(database.ok());
  auto table = database.value()->CreateTable(TableSpec{
      u"types",
      {ColumnSpec{u"yes", ColumnType::boolean}, ColumnSpec{u"small", ColumnType::byte},
       ColumnSpec{u"short", ColumnType::integer}, ColumnSpec{u"long", ColumnType::longInteger},
       ColumnSpec{u"money", ColumnType::currency}, ColumnSpec{u"single", ColumnType::single},
       ColumnSpec{u"double", ColumnType::doubleFloat}, ColumnSpec{u"when", ColumnType::dateTime},
       ColumnSpec{u"raw", ColumnType::binary, 8}, ColumnSpec{u"id", ColumnType::guid},
       ColumnSpec{u"picture", ColumnType::ole}, ColumnSpec{u"title", ColumnType::text, 5}}});
  EXPECT_TRUE(table.ok());
  EXPECT_TRUE(table.value()
                  ->InsertRow({Value{true}, Value{std::int64_t{200}}, Value{std::int64_t{-5}},
                               Value{std::int64_t{70000}}, Value{provider::Currency{123456}},
                               Value{1.5}, Value{2.25}, Value{provider::DateTime{46000.75}},
                               Value{provider::Bytes{1, 2, 3}}, Value{kGuid},
                               Value{provider::Bytes{0xFF, 0xD8, 0xFF}}, Value{u"abcde"}})
                  .ok());
  EXPECT_TRUE(table.value()->InsertRow(std::vector<Value>(12)).ok());
  EXPECT_TRUE(database.value()->Save(path).ok());
  return path;
}

class NativeValueTest : public testing::Test {
 protected:
  NativeValueTest() {
    const std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_;
    auto* connection = new TADOConnection(&root_);
    connection->SetLoginPrompt(false);
    connection->SetConnectionString(WideString(text.begin(), text.end()));
    query_ = new TADOQuery(&root_);
    query_->SetName("Types");
    query_->SetConnection(connection);
    query_->SetCursorType(TCursorType::ctStatic);
    query_->SQL()->Add("SELECT * FROM types");
    query_->SetActive(true);
  }

  TFieldData Read(const char* name) {
    TFieldData data;
    EXPECT_TRUE(query_->ReadFieldData(query_->FieldNamed(name), &data)) << name;
    return data;
  }

  TFieldType TypeOf(const char* name) { return query_->FieldDefs().Find(name)->DataType(); }

  ~NativeValueTest() override { std::filesystem::remove(path_); }

  const std::string path_ = WriteEveryType();
  TDataTestRoot root_{nullptr};
  TADOQuery* query_;
};

TEST_F(NativeValueTest, EachColumnTypeGetsItsFieldType) {
  EXPECT_EQ(TypeOf("yes"), TFieldType::ftBoolean);
  EXPECT_EQ(TypeOf("small"), TFieldType::ftWord);
  EXPECT_EQ(TypeOf("short"), TFieldType::ftSmallint);
  EXPECT_EQ(TypeOf("long"), TFieldType::ftInteger);
  EXPECT_EQ(TypeOf("money"), TFieldType::ftBCD);
  EXPECT_EQ(TypeOf("single"), TFieldType::ftFloat);
  EXPECT_EQ(TypeOf("double"), TFieldType::ftFloat);
  EXPECT_EQ(TypeOf("when"), TFieldType::ftDateTime);
  EXPECT_EQ(TypeOf("raw"), TFieldType::ftVarBytes);
  EXPECT_EQ(TypeOf("id"), TFieldType::ftGuid);
  EXPECT_EQ(TypeOf("picture"), TFieldType::ftBlob);
  EXPECT_EQ(TypeOf("title"), TFieldType::ftWideString);
  // Sizes where a type has one.
  EXPECT_EQ(query_->FieldDefs().Find("raw")->Size(), 8);
  EXPECT_EQ(query_->FieldDefs().Find("id")->Size(), 38);
  EXPECT_EQ(query_->FieldDefs().Find("title")->Size(), 5);
  EXPECT_EQ(query_->FieldDefs().Find("money")->Precision(), 19);
  EXPECT_EQ(query_->FieldDefs().Find("money")->Size(), 4);
}

TEST_F(NativeValueTest, ValuesArriveInTheFormsTheFieldsRead) {
  EXPECT_EQ(Read("yes"), TFieldData{true});
  // A byte is widened to 16 bits; the word field reads it unsigned.
  EXPECT_EQ(Read("small"), TFieldData{std::int16_t{200}});
  EXPECT_EQ(Read("short"), TFieldData{std::int16_t{-5}});
  EXPECT_EQ(Read("long"), TFieldData{std::int32_t{70000}});
  EXPECT_EQ(Read("money"), TFieldData{12.3456});
  EXPECT_EQ(Read("single"), TFieldData{1.5});
  EXPECT_EQ(Read("double"), TFieldData{2.25});
  EXPECT_EQ(Read("when"), TFieldData{46000.75});
  EXPECT_EQ(Read("raw"), (TFieldData{std::vector<std::uint8_t>{1, 2, 3}}));
  EXPECT_EQ(Read("id"), TFieldData{AnsiString("{12345678-1234-5678-9ABC-DEF001234567}")});
  EXPECT_EQ(Read("title"), TFieldData{WideString(u"abcde")});
  const TFieldData picture = Read("picture");
  ASSERT_TRUE(std::holds_alternative<provider::Variant>(picture));
  EXPECT_EQ(std::get<provider::Variant>(picture), (provider::Variant::Array({0xFF, 0xD8, 0xFF})));
  // A null test needs no destination.
  EXPECT_TRUE(query_->ReadFieldData(query_->FieldNamed("long"), nullptr));
}

TEST_F(NativeValueTest, TheFieldsShowTheValues) {
  EXPECT_EQ(query_->FieldNamed("small")->IntegerValue(), 200);
  EXPECT_EQ(query_->FieldNamed("short")->StringValue(), "-5");
  EXPECT_EQ(query_->FieldNamed("long")->StringValue(), "70000");
  EXPECT_TRUE(query_->FieldNamed("yes")->BooleanValue());
  EXPECT_DOUBLE_EQ(query_->FieldNamed("money")->FloatValue(), 12.3456);
  EXPECT_EQ(query_->FieldNamed("picture")->StringValue(), "\xFF\xD8\xFF");
  EXPECT_EQ(query_->FieldNamed("picture")->TextForDisplay(), "(BLOB)");
}

TEST_F(NativeValueTest, ARowOfNullsHasNoValues) {
  query_->MoveToNext();
  ASSERT_FALSE(query_->AtEOF());
  for (TFieldDef* def : query_->FieldDefs().FlatList()) {
    SCOPED_TRACE(def->Name());
    // A Jet yes/no column is never Null: it keeps its value in the row's null mask.
    if (def->Name() == "yes") continue;
    TFieldData data;
    EXPECT_FALSE(query_->ReadFieldData(query_->FieldNamed(def->Name()), &data));
    EXPECT_TRUE(query_->FieldNamed(def->Name())->IsNullValue());
  }
  EXPECT_FALSE(query_->FieldNamed("yes")->BooleanValue());
  EXPECT_EQ(query_->FieldNamed("picture")->StringValue(), "");
  EXPECT_EQ(query_->FieldNamed("title")->StringValue(), "");
}

}  // namespace
}  // namespace datatest
