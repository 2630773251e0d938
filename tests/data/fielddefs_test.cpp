// Field definitions: the flat list, look-up, the field made from a definition, and refreshing
// the definitions of a closed query from its source.
#include "data/fielddefs.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "data/ado_query.h"
#include "data/blob_field.h"
#include "data/fields.h"
#include "data/string_field.h"
#include "platform/codepage.h"

namespace {

std::vector<AnsiString> NamesOf(const std::vector<TFieldDef*>& defs) {
  std::vector<AnsiString> names;
  for (const TFieldDef* def : defs) names.push_back(def->Name());
  return names;
}

TFieldDef* AddDef(TFieldDefs& defs, const char* name, TFieldType type, int size = 0) {
  TFieldDef* def = defs.AddFieldDef();
  def->SetName(name);
  def->SetDataType(type);
  def->SetSize(size);
  return def;
}

TEST(FieldDefsTest, FlatListExpandsNestedDefinitionsAndFollowsChanges) {
  TFieldDefs defs(nullptr, nullptr);
  AddDef(defs, "a", TFieldType::ftInteger);
  TFieldDef* b = AddDef(defs, "b", TFieldType::ftADT);
  AddDef(b->ChildDefs(), "b1", TFieldType::ftString, 10);
  AddDef(defs, "c", TFieldType::ftMemo);
  EXPECT_EQ(NamesOf(defs.FlatList()), (std::vector<AnsiString>{"a", "b", "b1", "c"}));
  // A definition added among the children changes the list of the top level too.
  AddDef(b->ChildDefs(), "b2", TFieldType::ftString, 10);
  EXPECT_EQ(NamesOf(defs.FlatList()), (std::vector<AnsiString>{"a", "b", "b1", "b2", "c"}));
  defs.Items(0)->SetName("first");
  EXPECT_EQ(defs.FlatList().front()->Name(), "first");

  EXPECT_EQ(defs.Items(2)->FieldNo(), 3);
  EXPECT_EQ(defs.IndexOf("C"), 2);
  EXPECT_EQ(defs.FindOrNone("B1"), nullptr) << "look-up is by the top level";
  EXPECT_EQ(b->ChildDefs().FindOrNone("B1")->Size(), 10);
  try {
    defs.Find("d");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'd' not found");
  }
}

TEST(FieldDefsTest, FlatListIsRightInsideAnUpdate) {
  TFieldDefs defs(nullptr, nullptr);
  AddDef(defs, "old", TFieldType::ftInteger);
  ASSERT_EQ(defs.FlatList().size(), 1u);
  // Reloading happens inside one update, where the change notices wait for its end.
  defs.BeginUpdate();
  defs.Clear();
  AddDef(defs, "new", TFieldType::ftString, 5);
  EXPECT_EQ(NamesOf(defs.FlatList()), (std::vector<AnsiString>{"new"}));
  defs.EndUpdate();
  EXPECT_EQ(NamesOf(defs.FlatList()), (std::vector<AnsiString>{"new"}));
}

class FieldDefsQueryTest : public testing::Test {
 protected:
  TADOQuery* NewQuery(const char* sql) {
    auto* query = new TADOQuery(&owner_);
    query->SetName("Qdefs");
    query->SetConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                               platform::Utf8ToWide(SAMPLE_DATABASE));
    query->SetCursorType(TCursorType::ctStatic);
    query->SQL()->Add(sql);
    return query;
  }

  TComponent owner_{nullptr};
};

TEST_F(FieldDefsQueryTest, RefreshReadsTheDefinitionsOfAClosedQuery) {
  TADOQuery* query = NewQuery("SELECT * FROM kolliyat");
  EXPECT_FALSE(query->FieldDefs().Updated());
  query->FieldDefs().RefreshDefs();
  EXPECT_TRUE(query->FieldDefs().Updated());
  EXPECT_FALSE(query->Active()) << "the definitions are read without opening the query";
  ASSERT_EQ(query->FieldDefs().Count(), 5);
  TFieldDef* title = query->FieldDefs().Find("KHOLASE");
  EXPECT_EQ(title->DataType(), TFieldType::ftWideString);
  EXPECT_EQ(title->Size(), 255);
  EXPECT_EQ(title->FieldNo(), 2);
  EXPECT_EQ(query->FieldDefs().Find("pasokh")->DataType(), TFieldType::ftMemo);
  try {
    query->FieldDefs().Find("matn");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Qdefs: Field 'matn' not found");
  }

  // A field made from a definition carries what the definition says and joins the query.
  TField* field = title->CreateField(&owner_);
  EXPECT_NE(dynamic_cast<TWideStringField*>(field), nullptr);
  EXPECT_EQ(field->FieldName(), "kholase");
  EXPECT_EQ(field->Size(), 255);
  EXPECT_EQ(field->DataSet(), query);
  EXPECT_EQ(query->Fields().Count(), 1);
  try {
    title->CreateField(&owner_);
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Qdefs: Duplicate field name 'kholase'");
  }
  EXPECT_EQ(query->Fields().Count(), 1) << "the failed field is freed";
}

// A query whose default fields the test builds itself.
class BuildingQuery : public TADOQuery {
 public:
  using TADOQuery::BuildDefaultFields;
  using TADOQuery::TADOQuery;
};

TEST_F(FieldDefsQueryTest, DefaultFieldsSkipHiddenObjectAndUnknownColumns) {
  auto* query = new BuildingQuery(&owner_);
  query->SetName("Qbuild");
  query->SetConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                             platform::Utf8ToWide(SAMPLE_DATABASE));
  query->SQL()->Add("SELECT * FROM kolliyat");
  query->FieldDefs().RefreshDefs();
  AddDef(query->FieldDefs(), "rowid", TFieldType::ftInteger)
      ->SetAttributes({TFieldAttribute::faHiddenCol});
  AddDef(query->FieldDefs(), "shape", TFieldType::ftADT);
  AddDef(query->FieldDefs(), "nothing", TFieldType::ftUnknown);
  AddDef(query->FieldDefs(), "code", TFieldType::ftFixedChar, 4)
      ->SetAttributes({TFieldAttribute::faRequired, TFieldAttribute::faReadonly});

  query->BuildDefaultFields();
  std::vector<AnsiString> names;
  for (TField* field : query->Fields()) names.push_back(field->FieldName());
  EXPECT_EQ(names,
            (std::vector<AnsiString>{"id", "kholase", "porsesh", "pasokh", "pavaraghi", "code"}));
  auto* code = dynamic_cast<TStringField*>(query->FieldNamed("code"));
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->DataType(), TFieldType::ftFixedChar);
  EXPECT_TRUE(code->FixedChar());
  EXPECT_TRUE(code->Required());
  EXPECT_TRUE(code->ReadOnly());
  EXPECT_EQ(code->Size(), 4);
  EXPECT_EQ(code->Owner(), query);
}

TEST_F(FieldDefsQueryTest, ADefinitionWithoutAFieldClass) {
  TADOQuery* query = NewQuery("SELECT * FROM kolliyat");
  TFieldDef* def = AddDef(query->FieldDefs(), "cursor", TFieldType::ftCursor);
  int owned = owner_.ComponentCount();
  try {
    def->CreateField(&owner_);
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Qdefs: Field 'cursor' is of an unknown type");
  }
  EXPECT_EQ(owner_.ComponentCount(), owned);
}

}  // namespace
