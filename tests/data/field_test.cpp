// Field objects over real Jet files: the type table, the text of each class, look-up by name,
// the naming rules, display widths and the lifetime of default fields.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/classes.h"
#include "core/exceptions.h"
#include "data/ado_query.h"
#include "data/binary_field.h"
#include "data/blob_field.h"
#include "data/boolean_field.h"
#include "data/datetime_field.h"
#include "data/field_classes.h"
#include "data/fielddefs.h"
#include "data/fields.h"
#include "data/numeric_field.h"
#include "data/object_field.h"
#include "data/string_field.h"
#include "data/variant_field.h"
#include "platform/codepage.h"
#include "provider/jet/new_database.h"
#include "tests/data/temp_path.h"

namespace {

using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::NewDatabase;

// Text of this source file (UTF-8) as the fields give it: in the system code page.
AnsiString Ansi(const char* utf8) {
  return platform::Utf8ToAnsi(utf8);
}

// The message of the database error fn raises.
template <class Fn>
std::string DatabaseErrorOf(Fn fn) {
  try {
    fn();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(FieldTypeTableTest, NamesFollowTheTypeOrder) {
  const char* expected[] = {"Unknown",  "String",       "SmallInt",   "Integer",   "Word",
                            "Boolean",  "Float",        "Currency",   "BCD",       "Date",
                            "Time",     "DateTime",     "Bytes",      "VarBytes",  "AutoInc",
                            "Blob",     "Memo",         "Graphic",    "FmtMemo",   "ParadoxOle",
                            "dBaseOle", "TypedBinary",  "Cursor",     "FixedChar", "WideString",
                            "LargeInt", "ADT",          "Array",      "Reference", "DataSet",
                            "HugeBlob", "HugeClob",     "Variant",    "Interface", "Dispatch",
                            "Guid",     "SQLTimeStamp", "FMTBcdField"};
  for (int i = 0; i <= static_cast<int>(TFieldType::ftFMTBcd); ++i) {
    EXPECT_STREQ(FieldTypeName(static_cast<TFieldType>(i)), expected[i]) << i;
  }
}

TEST(FieldTypeTableTest, ClassesOfTheTypesAndTheirTree) {
  EXPECT_EQ(FieldClassFor(TFieldType::ftUnknown), nullptr);
  EXPECT_EQ(FieldClassFor(TFieldType::ftCursor), nullptr);
  EXPECT_EQ(FieldClassFor(TFieldType::ftFixedChar), ClassOf<TStringField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftWideString), ClassOf<TWideStringField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftAutoInc), ClassOf<TAutoIncField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftOraClob), ClassOf<TMemoField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftTypedBinary), ClassOf<TBlobField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftIDispatch), ClassOf<TIDispatchField>());
  EXPECT_EQ(FieldClassFor(TFieldType::ftDataSet), ClassOf<TDataSetField>());

  EXPECT_TRUE(ClassOf<TWideStringField>()->InheritsFrom(ClassOf<TStringField>()));
  EXPECT_TRUE(ClassOf<TSmallintField>()->InheritsFrom(ClassOf<TIntegerField>()));
  EXPECT_TRUE(ClassOf<TWordField>()->InheritsFrom(ClassOf<TNumericField>()));
  EXPECT_TRUE(ClassOf<TAutoIncField>()->InheritsFrom(ClassOf<TIntegerField>()));
  EXPECT_TRUE(ClassOf<TFloatField>()->InheritsFrom(ClassOf<TNumericField>()));
  EXPECT_TRUE(ClassOf<TMemoField>()->InheritsFrom(ClassOf<TBlobField>()));
  EXPECT_TRUE(ClassOf<TBooleanField>()->InheritsFrom(ClassOf<TField>()));
  EXPECT_TRUE(ClassOf<TField>()->InheritsFrom(ClassOf<TComponent>()));
  EXPECT_FALSE(ClassOf<TMemoField>()->InheritsFrom(ClassOf<TStringField>()));
}

TEST(FieldTypeTableTest, FieldsArePublishedForTheStream) {
  const TClassRecord* memo = FindClass("TMemoField");
  ASSERT_NE(memo, nullptr);
  for (const char* name : {"FieldName", "DisplayLabel", "DisplayWidth", "Visible", "ReadOnly",
                           "Required", "Alignment", "Size", "OnGetText", "OnChange"}) {
    EXPECT_NE(memo->FindProperty(name), nullptr) << name;
  }
  EXPECT_NE(FindClass("TIntegerField")->FindProperty("DisplayFormat"), nullptr);
  EXPECT_NE(FindClass("TIntegerField")->FindProperty("EditFormat"), nullptr);
  EXPECT_EQ(FindClass("TIntegerField")->FindProperty("Size"), nullptr);

  TComponent owner(nullptr);
  TComponent* made = FindClass("TSmallintField")->CreateComponent(&owner);
  auto* field = dynamic_cast<TSmallintField*>(made);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->DataType(), TFieldType::ftSmallint);
  EXPECT_EQ(field->Alignment(), TAlignment::taRightJustify);
}

TEST(FieldWithoutDataSetTest, ValuesNeedADataSetSizesTheirClass) {
  TComponent owner(nullptr);
  auto* field = new TIntegerField(&owner);
  field->SetFieldName("count");
  EXPECT_EQ(DatabaseErrorOf([&] { field->IsNullValue(); }), "Field 'count' has no dataset");
  EXPECT_EQ(DatabaseErrorOf([&] { field->StringValue(); }), "Field 'count' has no dataset");
  EXPECT_EQ(DatabaseErrorOf([&] { field->SetSize(4); }), "Invalid field size");

  auto* text = new TStringField(&owner);
  EXPECT_EQ(text->Size(), 20);
  EXPECT_EQ(DatabaseErrorOf([&] { text->SetSize(-1); }), "Invalid field size");
  text->SetSize(0);
  EXPECT_EQ(text->Size(), 0);

  auto* blob = new TBlobField(&owner);
  blob->SetBlobType(TFieldType::ftOraClob);
  EXPECT_EQ(blob->DataType(), TFieldType::ftOraClob);
  EXPECT_EQ(DatabaseErrorOf([&] { blob->SetBlobType(TFieldType::ftInteger); }),
            "Integer is not a blob type");
  EXPECT_EQ(blob->BlobType(), TFieldType::ftOraClob);

  auto* guid = new TGuidField(&owner);
  EXPECT_EQ(guid->Size(), 38);
  EXPECT_EQ(DatabaseErrorOf([&] { guid->SetSize(20); }), "Invalid field size");
}

TEST(FieldWithoutDataSetTest, DisplayWidthAndShownName) {
  TComponent owner(nullptr);
  auto* count = new TIntegerField(&owner);
  auto* title = new TStringField(&owner);
  title->SetSize(40);
  EXPECT_EQ(count->DisplayWidth(), 10);
  EXPECT_EQ(title->DisplayWidth(), 40);
  title->SetDisplayWidth(12);
  EXPECT_EQ(title->DisplayWidth(), 12);
  title->SetDisplayWidth(0);
  EXPECT_EQ(title->DisplayWidth(), 40);

  title->SetFieldName("kholase");
  EXPECT_EQ(title->ShownName(), "kholase");
  title->SetDisplayLabel("Title");
  EXPECT_EQ(title->ShownName(), "Title");
  // A label equal to the new name says nothing the name does not.
  title->SetFieldName("Title");
  EXPECT_EQ(title->DisplayLabel(), "");
  EXPECT_EQ(title->ShownName(), "Title");
}

// A query over a Jet file, opened as the program opens its queries: a static client cursor.
class FieldQueryTest : public testing::Test {
 protected:
  TADOQuery* NewQuery(const std::string& path, const char* sql, const char* name = "Qtest") {
    auto* query = new TADOQuery(&owner_);
    query->SetName(name);
    query->SetConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                               platform::Utf8ToWide(path));
    query->SetCursorType(TCursorType::ctStatic);
    query->SQL()->Add(sql);
    return query;
  }

  TADOQuery* Open(const std::string& path, const char* sql, const char* name = "Qtest") {
    TADOQuery* query = NewQuery(path, sql, name);
    query->OpenDataSet();
    return query;
  }

  TComponent owner_{nullptr};
};

// Told when each watched component is freed.
class FreeWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  void ComponentNotice(TComponent* component, TOperation operation) override {
    if (operation == TOperation::opRemove) freed.push_back(component);
  }
  std::vector<TComponent*> freed;
};

TEST_F(FieldQueryTest, DefaultFieldsFollowTheColumns) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT * FROM kolliyat", "Qkolliyat");
  ASSERT_EQ(query->Fields().Count(), 5);
  const char* names[] = {"id", "kholase", "porsesh", "pasokh", "pavaraghi"};
  for (int i = 0; i < 5; ++i) {
    TField* field = query->Fields()[i];
    EXPECT_EQ(field->FieldName(), names[i]);
    EXPECT_EQ(field->FieldNo(), i + 1);
    EXPECT_EQ(field->DataSet(), query);
    EXPECT_EQ(field->Owner(), query);
    EXPECT_TRUE(field->Visible());
  }
  EXPECT_NE(dynamic_cast<TAutoIncField*>(query->Fields()[0]), nullptr);
  EXPECT_TRUE(query->Fields()[0]->ReadOnly());
  EXPECT_NE(dynamic_cast<TWideStringField*>(query->Fields()[1]), nullptr);
  EXPECT_NE(dynamic_cast<TMemoField*>(query->Fields()[3]), nullptr);
  EXPECT_EQ(query->Fields()[1]->Size(), 255);
  EXPECT_EQ(query->Fields()[1]->DisplayWidth(), 255);
  EXPECT_EQ(query->Fields()[0]->DisplayWidth(), 10);
  EXPECT_EQ(query->Fields()[3]->DisplayWidth(), 10);
  EXPECT_EQ(query->Fields()[0]->Alignment(), TAlignment::taRightJustify);
}

TEST_F(FieldQueryTest, FieldNamedIgnoresCaseAndNamesTheDataSetWhenItFails) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT * FROM kolliyat", "Qkolliyat");
  EXPECT_EQ(query->FieldNamed("KHOLASE"), query->Fields()[1]);
  EXPECT_EQ(query->FieldNamed("Pasokh"), query->Fields()[3]);
  EXPECT_EQ(query->FieldNamedOrNone("matn"), nullptr);
  EXPECT_EQ(DatabaseErrorOf([&] { query->FieldNamed("matn"); }),
            "Qkolliyat: Field 'matn' not found");
}

TEST_F(FieldQueryTest, TextOfTheSampleInTheSystemCodePage) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  EXPECT_EQ(query->FieldNamed("id")->StringValue(), "1");
  EXPECT_EQ(query->FieldNamed("kholase")->StringValue(),
            Ansi("معاد به چه معناست و چرا درباره‌ی "
                 "آن پرسیده می‌شود؟"));
  EXPECT_EQ(query->FieldNamed("kholase")->TextForDisplay(),
            query->FieldNamed("kholase")->StringValue());
  AnsiString answer = query->FieldNamed("pasokh")->StringValue();
  EXPECT_EQ(answer.rfind(Ansi("معاد در لغت به معنای «بازگشت» است"), 0), 0u) << answer;
  EXPECT_NE(answer.find("\r\n"), AnsiString::npos) << "paragraphs keep their line breaks";
}

TEST_F(FieldQueryTest, MemoTextAndItsClassDescription) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  TField* footnotes = query->FieldNamed("pavaraghi");
  EXPECT_FALSE(footnotes->IsNullValue());
  EXPECT_FALSE(footnotes->StringValue().empty());
  EXPECT_EQ(footnotes->TextForDisplay(), "(MEMO)");
  EXPECT_EQ(footnotes->TextForEditing(), "(MEMO)");
  // Record 9 of kolliyat has no footnotes.
  query->MoveByDistance(8);
  EXPECT_TRUE(footnotes->IsNullValue());
  EXPECT_EQ(footnotes->StringValue(), "");
  EXPECT_EQ(footnotes->TextForDisplay(), "(Memo)");
  EXPECT_EQ(DatabaseErrorOf([&] { footnotes->IntegerValue(); }),
            "Cannot access field 'pavaraghi' as type Integer");
}

TEST_F(FieldQueryTest, FieldObjectsAreGoneAfterClose) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  FreeWatcher watcher(nullptr);
  std::vector<TComponent*> fields(query->Fields().begin(), query->Fields().end());
  for (TComponent* field : fields) watcher.FreeNotification(field);
  int owned = query->ComponentCount();

  query->CloseDataSet();
  EXPECT_EQ(query->Fields().Count(), 0);
  EXPECT_EQ(query->ComponentCount(), owned - 5);
  EXPECT_THAT(watcher.freed, testing::UnorderedElementsAreArray(fields));
  EXPECT_EQ(query->FieldNamedOrNone("kholase"), nullptr);

  query->OpenDataSet();
  ASSERT_EQ(query->Fields().Count(), 5);
  EXPECT_EQ(query->FieldNamed("kholase")->StringValue(),
            Ansi("معاد به چه معناست و چرا درباره‌ی "
                 "آن پرسیده می‌شود؟"));
}

TEST_F(FieldQueryTest, AColumnTwiceGivesASuffixedSecondField) {
  TADOQuery* query = Open(SAMPLE_DATABASE, "SELECT kholase, kholase FROM kolliyat");
  ASSERT_EQ(query->Fields().Count(), 2);
  EXPECT_EQ(query->Fields()[0]->FieldName(), "kholase");
  EXPECT_EQ(query->Fields()[1]->FieldName(), "kholase_1");
  EXPECT_EQ(query->FieldNamed("kholase"), query->Fields()[0]);
}

TEST_F(FieldQueryTest, FieldNamesAreUniqueAndNotEmptyWithinADataSet) {
  TADOQuery* query = NewQuery(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  auto* first = new TWideStringField(&owner_);
  first->SetFieldName("kholase");
  first->SetDataSet(query);
  EXPECT_EQ(query->Fields().Count(), 1);

  auto* second = new TWideStringField(&owner_);
  second->SetFieldName("KHOLASE");
  EXPECT_EQ(DatabaseErrorOf([&] { second->SetDataSet(query); }),
            "Qtest: Duplicate field name 'KHOLASE'");
  EXPECT_EQ(second->DataSet(), nullptr);
  auto* unnamed = new TWideStringField(&owner_);
  EXPECT_EQ(DatabaseErrorOf([&] { unnamed->SetDataSet(query); }), "Qtest: Field name missing");

  second->SetFieldName("pasokh");
  second->SetDataSet(query);
  EXPECT_EQ(DatabaseErrorOf([&] { second->SetFieldName("Kholase"); }),
            "Qtest: Duplicate field name 'Kholase'");
  EXPECT_EQ(DatabaseErrorOf([&] { second->SetFieldName(""); }), "Qtest: Field name missing");
  // A change of letter case alone is no new name.
  first->SetFieldName("KHOLASE");
  EXPECT_EQ(first->FieldName(), "KHOLASE");
  EXPECT_EQ(query->Fields().Count(), 2);
}

TEST_F(FieldQueryTest, PersistentFieldsBindToTheirColumnsAndOutliveTheOpen) {
  TADOQuery* query = NewQuery(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  auto* title = new TWideStringField(&owner_);
  title->SetFieldName("kholase");
  title->SetDataSet(query);
  query->OpenDataSet();
  EXPECT_FALSE(query->DefaultFields());
  ASSERT_EQ(query->Fields().Count(), 1);
  EXPECT_EQ(title->FieldNo(), 2);
  EXPECT_EQ(title->StringValue(),
            Ansi("معاد به چه معناست و چرا درباره‌ی آن پرسیده "
                 "می‌شود؟"));
  EXPECT_EQ(DatabaseErrorOf([&] { title->SetFieldName("porsesh"); }),
            "Qtest: Cannot perform this operation on an open dataset");

  query->CloseDataSet();
  EXPECT_EQ(query->Fields().Count(), 1);
  EXPECT_EQ(title->FieldNo(), 0);
}

TEST_F(FieldQueryTest, APersistentFieldWithoutAColumnFailsTheOpen) {
  TADOQuery* query = NewQuery(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  auto* missing = new TIntegerField(&owner_);
  missing->SetFieldName("shomare");
  missing->SetDataSet(query);
  EXPECT_EQ(DatabaseErrorOf([&] { query->OpenDataSet(); }), "Qtest: Field 'shomare' not found");
  EXPECT_FALSE(query->Active());

  missing->SetFieldName("kholase");
  EXPECT_EQ(DatabaseErrorOf([&] { query->OpenDataSet(); }),
            "Qtest: Type mismatch for field 'kholase', expecting: Integer actual: WideString");
  EXPECT_FALSE(query->Active());
}

TEST_F(FieldQueryTest, CalculatedFieldsBindWithoutAColumn) {
  TADOQuery* query = NewQuery(SAMPLE_DATABASE, "SELECT * FROM kolliyat");
  auto* length = new TIntegerField(&owner_);
  length->SetFieldName("toolejavab");
  length->SetFieldKind(TFieldKind::fkCalculated);
  length->SetDataSet(query);
  query->OpenDataSet();
  EXPECT_EQ(length->FieldNo(), -1);
  EXPECT_EQ(query->CalcFieldCount(), 1);
  query->CloseDataSet();

  auto* picture = new TBlobField(&owner_);
  picture->SetFieldName("tasvir");
  picture->SetFieldKind(TFieldKind::fkLookup);
  picture->SetDataSet(query);
  EXPECT_EQ(DatabaseErrorOf([&] { query->OpenDataSet(); }),
            "Qtest: Field 'tasvir' cannot be a calculated or lookup field");
  EXPECT_FALSE(query->Active());
}

// A small Jet file with one column of each kind the sample lacks: a full row and a row of nulls.
class MixedTableTest : public FieldQueryTest {
 protected:
  void SetUp() override {
    path_ = datatest::TestTempPath("mixed.mdb");
    auto database = NewDatabase::Create(provider::DateTime{46000.5});
    ASSERT_TRUE(database.ok()) << database.status().ToString();
    auto table =
        database.value()->CreateTable({u"mixed",
                                       {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
                                        ColumnSpec{u"title", ColumnType::text, 40, false},
                                        ColumnSpec{u"note", ColumnType::memo, 0, false},
                                        ColumnSpec{u"amount", ColumnType::longInteger, 0, false},
                                        ColumnSpec{u"small", ColumnType::integer, 0, false},
                                        ColumnSpec{u"tiny", ColumnType::byte, 0, false},
                                        ColumnSpec{u"flag", ColumnType::boolean, 0, false},
                                        ColumnSpec{u"ratio", ColumnType::doubleFloat, 0, false},
                                        ColumnSpec{u"price", ColumnType::currency, 0, false},
                                        ColumnSpec{u"stamp", ColumnType::dateTime, 0, false}}});
    ASSERT_TRUE(table.ok()) << table.status().ToString();
    auto full = table.value()->InsertRow(
        {Value{}, Value{std::u16string(u"Plain title")}, Value{std::u16string(u"A memo line")},
         Value{std::int64_t{1234567}}, Value{std::int64_t{-2}}, Value{std::int64_t{200}},
         Value{true}, Value{2.5}, Value{provider::Currency{125000}},
         Value{provider::DateTime{46000.5}}});
    ASSERT_TRUE(full.ok()) << full.status().ToString();
    auto empty = table.value()->InsertRow({Value{}, Value{}, Value{}, Value{}, Value{}, Value{},
                                           Value{false}, Value{}, Value{}, Value{}});
    ASSERT_TRUE(empty.ok()) << empty.status().ToString();
    auto saved = database.value()->Save(path_);
    ASSERT_TRUE(saved.ok()) << saved.ToString();
    query_ = Open(path_, "SELECT * FROM mixed");
  }

  void TearDown() override {
    owner_.DestroyComponents();
    std::filesystem::remove(path_);
  }

  TField* Field(const char* name) { return query_->FieldNamed(name); }

  std::string path_;
  TADOQuery* query_ = nullptr;
};

TEST_F(MixedTableTest, EachColumnGetsTheClassOfItsType) {
  EXPECT_EQ(Field("id")->ClassName(), "TAutoIncField");
  EXPECT_EQ(Field("title")->ClassName(), "TWideStringField");
  EXPECT_EQ(Field("note")->ClassName(), "TMemoField");
  EXPECT_EQ(Field("amount")->ClassName(), "TIntegerField");
  EXPECT_EQ(Field("small")->ClassName(), "TSmallintField");
  EXPECT_EQ(Field("tiny")->ClassName(), "TWordField");
  EXPECT_EQ(Field("flag")->ClassName(), "TBooleanField");
  EXPECT_EQ(Field("ratio")->ClassName(), "TFloatField");
  EXPECT_EQ(Field("price")->ClassName(), "TBCDField");
  EXPECT_EQ(Field("stamp")->ClassName(), "TDateTimeField");
  EXPECT_EQ(Field("title")->DisplayWidth(), 40);
}

TEST_F(MixedTableTest, StringValuePerClass) {
  EXPECT_EQ(Field("id")->StringValue(), "1");
  EXPECT_EQ(Field("title")->StringValue(), "Plain title");
  EXPECT_EQ(Field("note")->StringValue(), "A memo line");
  EXPECT_EQ(Field("amount")->StringValue(), "1234567");
  EXPECT_EQ(Field("small")->StringValue(), "-2");
  EXPECT_EQ(Field("tiny")->StringValue(), "200");
  EXPECT_EQ(Field("flag")->StringValue(), "True");
  EXPECT_EQ(Field("ratio")->StringValue(), "2.5");
  EXPECT_EQ(Field("price")->StringValue(), "12.5");
  EXPECT_EQ(Field("stamp")->StringValue(), "2025-12-09 12:00:00");
  EXPECT_EQ(Field("small")->IntegerValue(), -2);
  EXPECT_TRUE(Field("flag")->BooleanValue());
  EXPECT_DOUBLE_EQ(Field("price")->FloatValue(), 12.5);
}

TEST_F(MixedTableTest, NullsReadAsEmptyText) {
  query_->MoveToLast();
  for (const char* name : {"id", "flag"}) EXPECT_FALSE(Field(name)->IsNullValue()) << name;
  for (const char* name : {"title", "note", "amount", "small", "tiny", "ratio", "price", "stamp"}) {
    EXPECT_TRUE(Field(name)->IsNullValue()) << name;
    EXPECT_EQ(Field(name)->StringValue(), "") << name;
  }
  EXPECT_EQ(Field("note")->TextForDisplay(), "(Memo)");
  EXPECT_EQ(Field("amount")->TextForDisplay(), "");
  EXPECT_EQ(Field("amount")->IntegerValue(), 0);
  EXPECT_EQ(Field("flag")->StringValue(), "False");
}

TEST_F(MixedTableTest, IntegerPicturesForDisplayAndEditing) {
  auto* amount = dynamic_cast<TIntegerField*>(Field("amount"));
  ASSERT_NE(amount, nullptr);
  EXPECT_EQ(amount->TextForDisplay(), "1234567");
  amount->SetDisplayFormat("#,##0");
  EXPECT_EQ(amount->TextForDisplay(), "1,234,567");
  EXPECT_EQ(amount->TextForEditing(), "1,234,567");
  amount->SetEditFormat("0");
  EXPECT_EQ(amount->TextForEditing(), "1234567");
  EXPECT_EQ(amount->TextForDisplay(), "1,234,567");
  EXPECT_EQ(amount->StringValue(), "1234567") << "StringValue ignores the pictures";
}

TEST_F(MixedTableTest, AFieldFreedWhileOpenLeavesTheOthersTheirValues) {
  for (TField* field : query_->Fields()) field->StringValue();  // every value cached
  delete Field("note");
  EXPECT_EQ(query_->Fields().Count(), 9);
  EXPECT_EQ(Field("amount")->StringValue(), "1234567");
  EXPECT_EQ(Field("small")->StringValue(), "-2");
  EXPECT_EQ(Field("stamp")->StringValue(), "2025-12-09 12:00:00");
}

// Answers OnGetText with the field name and the display flag.
class TextHook : public TObject {
 public:
  void GetText(TField* sender, AnsiString& text, bool displayText) {
    text = sender->FieldName() + (displayText ? ":display" : ":edit");
  }
};

TEST_F(MixedTableTest, OnGetTextReplacesTheTextRule) {
  TextHook hook;
  TField* note = Field("note");
  note->OnGetText = TFieldGetTextEvent(&hook, &TextHook::GetText);
  EXPECT_EQ(note->TextForDisplay(), "note:display");
  EXPECT_EQ(note->TextForEditing(), "note:edit");
  EXPECT_EQ(note->StringValue(), "A memo line");
}

TEST_F(MixedTableTest, DisplayValuesOfABoolean) {
  auto* flag = dynamic_cast<TBooleanField*>(Field("flag"));
  ASSERT_NE(flag, nullptr);
  flag->SetDisplayValues("Yes;No");
  EXPECT_EQ(flag->StringValue(), "Yes");
  query_->MoveToLast();
  EXPECT_EQ(flag->StringValue(), "No");
}

}  // namespace
