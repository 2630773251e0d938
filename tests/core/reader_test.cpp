// Reading whole component streams into test forms: properties, children, references, events.
#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "tests/core/stream_builder.h"
#include "tests/core/test_classes.h"

namespace coretest {
namespace {

// A root record for a TTestForm named Form1, left open for property entries.
StreamBuilder Form(std::string_view name = "Form1") {
  StreamBuilder b;
  b.Signature().Object("TTestForm", name);
  return b;
}

// A whole stream: one child of the given class with the given entries.
StreamBuilder OneChild(std::string_view cls, std::string_view name,
                       const std::function<void(StreamBuilder&)>& entries) {
  StreamBuilder b = Form();
  b.End().Object(cls, name);
  entries(b);
  b.End().End().End();
  return b;
}

std::unique_ptr<TTestForm> Load(const StreamBuilder& b) {
  auto form = std::make_unique<TTestForm>(nullptr);
  auto stream = b.Stream();
  ReadRootFromStream(*stream, form.get());
  return form;
}

template <class E = EReadError>
std::string LoadError(const StreamBuilder& b) {
  try {
    Load(b);
  } catch (const E& e) {
    return e.what();
  }
  return "no error";
}

TTestComponent* Child(TTestForm& form, const char* name) {
  return dynamic_cast<TTestComponent*>(form.FindComponent(name));
}

TEST(Reader, EveryPublishedKindIsSet) {
  auto b = OneChild("TTestComponent", "Child1", [](StreamBuilder& s) {
    s.Prop("Color").Ident("clMaroon").Prop("Letter").Short("q").Prop("Align").Ident("ALCLIENT");
    s.Prop("Visible")
        .Tag(ValueTag::tagFalse)
        .Prop("Extended")
        .Extended(std::uint64_t{3} << 62, 0x4000);
    s.Prop("Ratio").Int8(3).Prop("Scale").Single(0.25f).Prop("Price").Currency(25000);
    s.Prop("When").Date(1.5).Prop("Caption").Short("Hi").Prop("Hint").Short("H");
    s.Prop("Styles")
        .Set({"fsItalic", "FSBOLD"})
        .Prop("Value")
        .Int16(-9)
        .Prop("Big")
        .Int64(1LL << 50);
    s.Prop("Font.Name").Short("Tahoma").Prop("Font.Charset").Ident("ARABIC_CHARSET");
    s.Prop("Font.Style").Set({});
    s.Prop("Tag").Int32(-1).Prop("Left").Int16(10).Prop("Top").Int16(20);
    s.Prop("Data").Binary("\x01\x02");
  });
  auto form = Load(b);
  TTestComponent* c = form->Child1;
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Color(), clMaroon);
  EXPECT_EQ(c->Letter(), 'q');
  EXPECT_EQ(c->Align(), TAlign::alClient);
  EXPECT_FALSE(c->Visible());
  EXPECT_EQ(c->Extended(), 3.0L);
  EXPECT_EQ(c->Ratio(), 3.0);
  EXPECT_EQ(c->Scale(), 0.25f);
  EXPECT_EQ(c->Price().Value, 25000);
  EXPECT_EQ(c->When().Value, 1.5);
  EXPECT_EQ(c->Caption(), "Hi");
  EXPECT_EQ(c->Hint(), u"H");
  EXPECT_EQ(c->Styles(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(c->Value(), Variant::Int16(-9));
  EXPECT_EQ(c->Big(), 1LL << 50);
  EXPECT_EQ(c->Font()->Name(), "Tahoma");
  EXPECT_EQ(c->Font()->Charset(), ARABIC_CHARSET);
  EXPECT_TRUE(c->Font()->Style().Empty());
  EXPECT_EQ(c->Tag(), -1);
  EXPECT_EQ(c->DesignInfo(), (20u << 16) | 10u);
  EXPECT_EQ(c->data, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(c->Owner(), form.get());
  EXPECT_EQ(form->Name(), "Form1");
}

TEST(Reader, PersianTextReachesSingleByteAndWideProperties) {
  const std::string utf8 = "\xD9\xBE\xD8\xB1\xD8\xB3\xD8\xB4";  // پرسش
  auto form = Load(OneChild("TTestComponent", "Child1", [&](StreamBuilder& s) {
    s.Prop("Caption").Utf8(utf8).Prop("Hint").Utf8(utf8);
  }));
  EXPECT_EQ(form->Child1->Caption(), "\x81\xD1\xD3\xD4");
  EXPECT_EQ(form->Child1->Hint(), u"\u067E\u0631\u0633\u0634");
  form = Load(OneChild("TTestComponent", "Child1", [&](StreamBuilder& s) {
    s.Prop("Caption").Wide(u"\u06CC").Prop("Hint").Short("\xED");
  }));
  EXPECT_EQ(form->Child1->Caption(), "\xED");  // Farsi yeh by best fit
  EXPECT_EQ(form->Child1->Hint(), u"\u064A");
}

TEST(Reader, PropertyErrorsAreWrappedWithTheirPath) {
  struct Case {
    const char* what;
    std::function<void(StreamBuilder&)> entries;
    const char* message;
  };
  const Case cases[] = {
      {"unknown", [](StreamBuilder& s) { s.Prop("Nope").Int8(1); },
       "Error reading Child1.Nope: Property Nope does not exist"},
      {"read-only", [](StreamBuilder& s) { s.Prop("Fixed").Int8(1); },
       "Error reading Child1.Fixed: Property is read-only"},
      {"path through a non-object", [](StreamBuilder& s) { s.Prop("Caption.Size").Int8(1); },
       "Error reading Child1.Caption: Invalid property path"},
      {"unknown path segment", [](StreamBuilder& s) { s.Prop("Pen.Width").Int8(1); },
       "Error reading Child1.Pen: Property Pen does not exist"},
      {"wrong tag", [](StreamBuilder& s) { s.Prop("Caption").Int8(1); },
       "Error reading Child1.Caption: Invalid property value"},
      {"unknown colour", [](StreamBuilder& s) { s.Prop("Color").Ident("clPlaid"); },
       "Error reading Child1.Color: Invalid property value"},
      {"identifier without table", [](StreamBuilder& s) { s.Prop("Tag").Ident("clRed"); },
       "Error reading Child1.Tag: Invalid property value"},
      {"unknown enumeration value", [](StreamBuilder& s) { s.Prop("Align").Ident("alMiddle"); },
       "Error reading Child1.Align: Invalid property value"},
      {"unknown set element",
       [](StreamBuilder& s) {
         s.Prop("Styles").Set({"fsBold", "fsShadow", "fsItalic"});
       },
       "Error reading Child1.Styles: Invalid property value"},
      {"two characters", [](StreamBuilder& s) { s.Prop("Letter").Short("ab"); },
       "Error reading Child1.Letter: Invalid property value"},
      {"unknown handler", [](StreamBuilder& s) { s.Prop("OnClick").Ident("Child1Klick"); },
       "Error reading Child1.OnClick: Invalid property value"},
      {"handler of another signature",
       [](StreamBuilder& s) { s.Prop("OnClick").Ident("ValueChanged"); },
       "Error reading Child1.OnClick: Invalid property value"},
      {"binary without tag 10", [](StreamBuilder& s) { s.Prop("Data").Short("xx"); },
       "Error reading Child1.Data: Invalid property value"},
      {"truncated",
       [](StreamBuilder& s) { s.Prop("Caption").Tag(ValueTag::tagLongString).Byte(9); },
       "Error reading Child1.Caption: Stream read error"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadError(OneChild("TTestComponent", "Child1", c.entries)), c.message) << c.what;
  }
}

TEST(Reader, AnUnnamedObjectIsNamedByItsClassInErrors) {
  auto b = OneChild("TTestComponent", "", [](StreamBuilder& s) { s.Prop("Nope").Int8(1); });
  EXPECT_EQ(LoadError(b), "Error reading TTestComponent.Nope: Property Nope does not exist");
}

TEST(Reader, RecordErrors) {
  EXPECT_EQ(LoadError(StreamBuilder().Raw("TPF1")), "Invalid stream format");
  EXPECT_EQ(LoadError<EClassNotFound>(OneChild("TNoSuchClass", "X", [](StreamBuilder&) {})),
            "Class TNoSuchClass not found");
  // A registered class that is not a component cannot be a record.
  EXPECT_EQ(LoadError<EClassNotFound>(OneChild("TTestFont", "X", [](StreamBuilder&) {})),
            "Class TTestFont not found");
  StreamBuilder inherited = Form();
  inherited.End().Object("TTestComponent", "Ghost", 1).End().End().End();
  EXPECT_EQ(LoadError(inherited), "Ancestor for 'Ghost' not found");
  EXPECT_EQ(LoadError<EComponentError>(OneChild("TTestComponent", "1st", [](StreamBuilder&) {})),
            "''1st'' is not a valid component name");
  StreamBuilder twice = Form();
  twice.End().Object("TTestComponent", "Child1").End().End();
  twice.Object("TTestComponent", "CHILD1").End().End().End();
  EXPECT_EQ(LoadError<EComponentError>(twice), "A component named CHILD1 already exists");
  EXPECT_EQ(LoadError(Form().End()), "Stream read error");
}

TEST(Reader, AFailedRecordFreesWhatItCreated) {
  StreamBuilder b = Form();
  b.End().Object("TTestComponent", "Child1").End().End();
  b.Object("TTestComponent", "Child2").Prop("Nope").Int8(1).End().End().End();
  auto form = std::make_unique<TTestForm>(nullptr);
  auto stream = b.Stream();
  EXPECT_THROW(ReadRootFromStream(*stream, form.get()), EReadError);
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Child2, nullptr);
}

TEST(Reader, InheritedRecordsUpdateExistingComponents) {
  auto form = std::make_unique<TTestForm>(nullptr);
  auto* existing = new TTestComponent(form.get());
  existing->SetName("Child1");
  StreamBuilder b = Form();
  b.End().Object("TTestComponent", "child1", 1).Prop("Caption").Short("again").End().End().End();
  auto stream = b.Stream();
  ReadRootFromStream(*stream, form.get());
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(existing->Caption(), "again");
}

TEST(Reader, ReferencesResolveByNameOrStayEmpty) {
  StreamBuilder b = Form();
  b.End();
  b.Object("TTestComponent", "Child1").Prop("Link").Ident("child2").Prop("Answer").Ident("Oracle");
  b.End().End();
  b.Object("TTestComponent", "Child2").Prop("Link").Ident("Missing").End().End();
  b.Object("TTestAnswerer", "Oracle").Prop("Answer").Ident("Child2").End().End();
  b.End();
  auto form = Load(b);
  ASSERT_NE(form->Child2, nullptr);
  EXPECT_EQ(form->Child1->Link(), form->Child2);
  EXPECT_EQ(form->Child2->Link(), nullptr);
  ASSERT_NE(form->Child1->Answer(), nullptr);
  EXPECT_EQ(form->Child1->Answer()->Answer(), 42);
  // A component without the interface gives an empty value.
  EXPECT_EQ(Child(*form, "Oracle")->Answer(), nullptr);
  // The reference is cleared when its target goes.
  delete form->Child2;
  EXPECT_EQ(form->Child1->Link(), nullptr);
}

TEST(Reader, DottedReferencesWaitForTheirRoot) {
  StreamBuilder b = Form();
  b.End().Object("TTestComponent", "Child1").Prop("Link").Ident("Other.Target").End().End().End();
  auto form = Load(b);
  EXPECT_EQ(PendingGlobalFixupCount(), 1);
  EXPECT_TRUE(form->Child1->ComponentState().Contains(TComponentStateFlag::csFixups));

  StreamBuilder other;
  other.Signature().Object("TTestForm", "Other").End();
  other.Object("TTestComponent", "Target").End().End().End();
  auto second = Load(other);
  EXPECT_EQ(PendingGlobalFixupCount(), 0);
  EXPECT_EQ(form->Child1->Link(), second->FindComponent("Target"));
  EXPECT_FALSE(form->Child1->ComponentState().Contains(TComponentStateFlag::csFixups));
}

TEST(Reader, PendingReferencesGoWithTheirObject) {
  StreamBuilder b = Form();
  b.End().Object("TTestComponent", "Child1").Prop("Link").Ident("Nowhere.Target").End().End().End();
  Load(b);
  EXPECT_EQ(PendingGlobalFixupCount(), 0);
}

TEST(Reader, EventsBindToTheRootsMethods) {
  auto form = Load(OneChild("TTestComponent", "Child1", [](StreamBuilder& s) {
    s.Prop("OnClick").Ident("CHILD1CLICK").Prop("OnValue").Ident("ValueChanged");
  }));
  TTestComponent* c = form->Child1;
  ASSERT_TRUE(c->OnClick);
  c->OnClick(c);
  c->OnValue(c, 5);
  EXPECT_EQ(form->clicks, std::vector<TObject*>{c});
  EXPECT_EQ(form->values, std::vector<int>{5});
  EXPECT_EQ(c->OnClick, TNotifyEvent(form.get(), &TTestForm::Child1Click));
  EXPECT_NE(c->OnClick, TNotifyEvent());

  form = Load(OneChild("TTestComponent", "Child1", [](StreamBuilder& s) {
    s.Prop("OnClick").Ident("Child1Click").Prop("OnClick").Tag(ValueTag::tagNil);
  }));
  EXPECT_FALSE(form->Child1->OnClick);
}

TEST(Reader, CollectionsClearOnlyWhenItemsAreStored) {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->Items()->Add();
  form->Items()->Add();
  auto stream = Form().Prop("Items").Tag(ValueTag::tagCollection).End().End().End().Stream();
  ReadRootFromStream(*stream, form.get());
  EXPECT_EQ(form->Items()->Count(), 2);

  StreamBuilder b = Form();
  b.Prop("Items").Tag(ValueTag::tagCollection);
  b.Tag(ValueTag::tagList).Prop("Caption").Short("A").Prop("Title.Name").Short("T").End();
  b.Int8(5).Tag(ValueTag::tagList).Prop("Width").Int16(90).End();
  b.End().End().End();
  form->Items()->notices.clear();
  stream = b.Stream();
  ReadRootFromStream(*stream, form.get());
  TTestItems* items = form->Items();
  ASSERT_EQ(items->Count(), 2);
  auto* first = static_cast<TTestItem*>(items->Items(0));
  auto* second = static_cast<TTestItem*>(items->Items(1));
  EXPECT_EQ(first->Caption(), "A");
  EXPECT_EQ(first->Title()->Name(), "T");
  EXPECT_EQ(second->Width(), 90);
  EXPECT_EQ(first->ID(), 2);  // identifiers are never reused
  // One notice for the whole update.
  EXPECT_EQ(items->notices, std::vector<int>{-1});
  EXPECT_EQ(items->UpdateCount(), 0);
}

TEST(Reader, ACollectionErrorEndsTheUpdate) {
  auto form = std::make_unique<TTestForm>(nullptr);
  StreamBuilder b = Form();
  b.Prop("Items").Tag(ValueTag::tagCollection).Tag(ValueTag::tagList).Prop("Nope").Int8(1);
  b.End().End().End().End();
  auto stream = b.Stream();
  try {
    ReadRootFromStream(*stream, form.get());
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(
        e.what(),
        "Error reading Form1.Items: Error reading TTestItem.Nope: Property Nope does not exist");
  }
  EXPECT_EQ(form->Items()->UpdateCount(), 0);
}

TEST(Reader, StringListsReplaceTheirLines) {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->Lines()->Add("old");
  StreamBuilder b = Form();
  b.Prop("Lines.Strings").Tag(ValueTag::tagList).Short("SELECT *").Utf8("FROM kolliyat;").End();
  b.End().End();
  auto stream = b.Stream();
  ReadRootFromStream(*stream, form.get());
  EXPECT_EQ(form->Lines()->Text(), "SELECT *\r\nFROM kolliyat;\r\n");
}

TEST(Reader, ReadOnlySubComponentsTakePaths) {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->CreateSub();
  auto stream = Form().Prop("Sub.Caption").Short("inner").End().End().Stream();
  ReadRootFromStream(*stream, form.get());
  EXPECT_EQ(form->Sub()->Caption(), "inner");
  stream = Form().Prop("Sub").Ident("Form1").End().End().Stream();
  EXPECT_THROW(ReadRootFromStream(*stream, form.get()), EReadError);
}

TEST(Reader, AfterLoadRunsRootFirstAndContainersAfterTheirChildren) {
  StreamBuilder b = Form();
  b.End();
  b.Object("TTestComponent", "Panel").End();
  b.Object("TTestComponent", "Inner1").End().End();
  b.Object("TTestComponent", "Inner2").End().End();
  b.End();
  b.Object("TTestComponent", "Last").End().End();
  b.End();
  Log().clear();
  auto form = Load(b);
  std::vector<AnsiString> afterLoads;
  for (const AnsiString& line : Log()) {
    if (line.rfind("after-load", 0) == 0) afterLoads.push_back(line.substr(11));
  }
  EXPECT_EQ(afterLoads, (std::vector<AnsiString>{"Form1", "Inner1", "Inner2", "Panel", "Last"}));
  for (int i = 0; i < form->ComponentCount(); ++i) {
    EXPECT_FALSE(form->Components(i)->ComponentState().Contains(TComponentStateFlag::csLoading));
  }
  // Children stored inside a component are owned by the root.
  EXPECT_EQ(form->ComponentCount(), 4);
}

TEST(Reader, RootNamesAreUniqueAmongGlobalComponents) {
  auto first = Load(Form().End().End());
  auto second = Load(Form().End().End());
  auto third = Load(Form().End().End());
  EXPECT_EQ(first->Name(), "Form1");
  EXPECT_EQ(second->Name(), "Form1_1");
  EXPECT_EQ(third->Name(), "Form1_2");
  EXPECT_EQ(FindGlobalComponent("form1_1"), second.get());
}

TEST(Reader, AStoredRootClassIsCreatedWhenNoRootIsGiven) {
  auto stream = StreamBuilder().Signature().Object("TTestComponent", "Made").End().End().Stream();
  std::unique_ptr<TComponent> root(ReadRootFromStream(*stream, nullptr));
  EXPECT_EQ(root->ClassName(), "TTestComponent");
  EXPECT_EQ(root->Name(), "Made");
  stream = StreamBuilder().Signature().Object("TTestFont", "F").End().End().Stream();
  EXPECT_THROW(ReadRootFromStream(*stream, nullptr), EClassNotFound);
}

TEST(Reader, SkipsAWholeRecordWithChildren) {
  StreamBuilder b;
  b.Object("TTestComponent", "A", 2, 3).Prop("Caption").Short("x").End();
  b.Object("TTestComponent", "B").Prop("Items").Tag(ValueTag::tagCollection).End().End().End();
  b.End().Int8(77);
  auto stream = b.Stream();
  TReader reader(*stream);
  reader.SkipComponent(true);
  EXPECT_EQ(reader.ReadInteger(), 77);
}

TEST(Reader, ErrorsTellTheOffsetWhereTheStreamWentWrong) {
  struct Case {
    const char* what;
    StreamBuilder stream;
    int integersBefore;  // read without error before the text that fails
    const char* message;
    std::int64_t offset;
  };
  // clang-format off
  const Case cases[] = {
      {"empty", StreamBuilder(), 0, "Stream read error", 0},
      {"a number where text belongs", StreamBuilder().Int8(1).Int16(2).Int8(3), 2, "Invalid property value", 6},
      {"text cut short", StreamBuilder().Int8(1).Tag(ValueTag::tagShortString).Byte(5).Raw("ab"), 1, "Stream read error", 6},
  };
  // clang-format on
  for (const Case& c : cases) {
    auto stream = c.stream.Stream();
    TReader reader(*stream, 4);
    try {
      for (int i = 0; i < c.integersBefore; ++i) reader.ReadInteger();
      reader.ReadString();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
      EXPECT_EQ(e.Offset(), c.offset) << c.what;
    }
  }
}

TEST(Reader, DeepNestingIsRefusedNotOverflowed) {
  StreamBuilder b;
  for (int i = 0; i < 100000; ++i) b.Tag(ValueTag::tagList);
  auto stream = b.Stream();
  TReader reader(*stream);
  EXPECT_THROW(reader.SkipValue(), EReadError);
}

}  // namespace
}  // namespace coretest
