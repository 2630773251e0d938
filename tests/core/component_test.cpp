// Components: ownership, names, field binding, notices and the order things are freed in.
#include <gtest/gtest.h>

#include "core/apphooks.h"
#include "core/exceptions.h"
#include "core/list.h"
#include "core/stream.h"
#include "tests/core/test_classes.h"

namespace coretest {
namespace {

TTestComponent* Make(TComponent* owner, const char* name) {
  auto* c = new TTestComponent(owner);
  c->SetName(name);
  return c;
}

std::vector<AnsiString> Notices() {
  std::vector<AnsiString> result;
  for (const AnsiString& line : Log()) {
    if (line.rfind("notice", 0) == 0) result.push_back(line);
  }
  return result;
}

TEST(Component, NamesAreIdentifiersUniqueInTheOwner) {
  TTestForm form(nullptr);
  TTestComponent* a = Make(&form, "Button1");
  EXPECT_EQ(form.FindComponent("BUTTON1"), a);
  try {
    Make(&form, "button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "A component named button1 already exists");
  }
  for (const char* bad : {"1a", "a b", "a-b", "\xD3"}) {
    try {
      a->SetName(bad);
      FAIL() << bad;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), Format("''%s'' is not a valid component name", bad));
    }
  }
  a->SetName("_ok9");
  EXPECT_EQ(a->Name(), "_ok9");
  a->SetName("_OK9");  // its own name in another case is not a clash
  // Components without a name never clash.
  new TTestComponent(&form);
  new TTestComponent(&form);
  EXPECT_EQ(form.ComponentCount(), 4);
}

TEST(Component, NamedComponentsBindToTheOwnersFields) {
  TTestForm form(nullptr);
  TTestComponent* c = Make(&form, "child1");
  EXPECT_EQ(form.Child1, c);
  c->SetName("Child2");
  EXPECT_EQ(form.Child1, nullptr);
  EXPECT_EQ(form.Child2, c);
  form.RemoveComponent(c);
  EXPECT_EQ(form.Child2, nullptr);
  form.InsertComponent(c);
  EXPECT_EQ(form.Child2, c);
  delete c;
  EXPECT_EQ(form.Child2, nullptr);
}

TEST(Component, InsertAndRemoveNoticesGoLastToFirst) {
  TTestForm form(nullptr);
  form.SetName("Form");
  Make(&form, "A");
  Make(&form, "B");
  Log().clear();
  TTestComponent* c = Make(nullptr, "C");
  form.InsertComponent(c);
  EXPECT_EQ(Notices(), (std::vector<AnsiString>{"notice C insert C", "notice B insert C",
                                                "notice A insert C"}));
  Log().clear();
  form.RemoveComponent(c);
  EXPECT_EQ(Notices(), (std::vector<AnsiString>{"notice B remove C", "notice A remove C"}));
  delete c;
}

TEST(Component, DestroyingFreesLastOwnedFirst) {
  auto* form = new TTestForm(nullptr);
  form->SetName("Form");
  TTestComponent* a = Make(form, "A");
  TTestComponent* b = Make(form, "B");
  TTestComponent* watchA = Make(nullptr, "WatchA");
  TTestComponent* watchB = Make(nullptr, "WatchB");
  watchA->SetLink(a);
  watchB->SetLink(b);
  Log().clear();
  delete form;
  // The owned components are freed last first; siblings being freed hear nothing.
  EXPECT_EQ(Notices(),
            (std::vector<AnsiString>{"notice WatchB remove B", "notice WatchA remove A"}));
  EXPECT_EQ(watchA->Link(), nullptr);
  delete watchA;
  delete watchB;
}

TEST(Component, FreeNotificationWorksBothWays) {
  TTestComponent* a = Make(nullptr, "A");
  TTestComponent* b = Make(nullptr, "B");
  a->SetLink(b);
  delete a;  // b must forget a, or freeing b would notify freed memory
  Log().clear();
  delete b;
  EXPECT_TRUE(Notices().empty());
}

TEST(Component, IndexesAreChecked) {
  TTestForm form(nullptr);
  EXPECT_THROW(form.Components(0), EListError);
  TList list;
  int x = 0;
  list.Add(&x);
  list.Add(nullptr);
  list.Move(0, 1);
  EXPECT_EQ(list.Items(1), &x);
  EXPECT_EQ(list.Remove(&x), 1);
  try {
    list.Items(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
}

TEST(Registry, ClassesPropertiesAndInheritance) {
  const TClassRecord* form = FindClass("ttestform");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Name(), "TTestForm");
  EXPECT_TRUE(form->InheritsFrom(ClassOf<TComponent>()));
  EXPECT_TRUE(form->IsComponentClass());
  EXPECT_FALSE(ClassOf<TTestFont>()->IsComponentClass());
  const TPropInfo* caption = form->FindProperty("CAPTION");  // inherited
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Kind, TTypeKind::tkString);
  EXPECT_EQ(form->FindProperty("Visible")->Kind, TTypeKind::tkEnumeration);
  EXPECT_EQ(form->FindProperty("Scale")->FloatType, TFloatType::ftSingle);
  EXPECT_EQ(form->FindProperty("Extended")->FloatType, TFloatType::ftExtended);
  EXPECT_FALSE(form->FindProperty("Fixed")->HasSetter());
  EXPECT_NE(form->FindMethod("child1click"), nullptr);
  EXPECT_EQ(form->FindFieldClass("TTestComponent"), ClassOf<TTestComponent>());
  EXPECT_EQ(TTestForm(nullptr).ClassName(), "TTestForm");
  EXPECT_EQ(IdentToInt(ColorIdents, "CLWINDOWTEXT"), clWindowText);
  EXPECT_EQ(IdentToInt(ColorIdents, "clBtnFace"), static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(IdentToInt(CursorIdents, "crHandPoint"), -21);
  EXPECT_EQ(IntToIdent(CharsetIdents, 178), "ARABIC_CHARSET");
}

TEST(Strings, FormattingAndComparison) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_TRUE(SameText("Label1", "LABEL1"));
  EXPECT_FALSE(SameText("Label1", "Label"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  EXPECT_EQ(Format("%s_%d", "Form1", 2), "Form1_2");
}

TEST(Streams, MemoryAndResourceStreams) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  m.SetPosition(4);
  char buf[4] = {};
  EXPECT_EQ(m.Read(buf, 4), 2);
  EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
  EXPECT_EQ(m.Size(), 6);

  static const platform::BYTE kData[] = {'T', 'P', 'F', '0'};
  static const platform::ResourceEntry kEntries[] = {{10, nullptr, 0, "STREAMTEST", kData, 4}};
  static const platform::ModuleRecord kModule = {"stream_test", kEntries, 1};
  platform::RegisterModule(kModule);
  TResourceStream r(nullptr, "streamtest", platform::RT_RCDATA);
  EXPECT_EQ(r.Size(), 4);
  try {
    r.WriteBuffer("x", 1);
    FAIL();
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "Can't write to a read-only resource stream");
  }
  try {
    TResourceStream missing(nullptr, "NOPE", platform::RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource NOPE not found");
  }
}

class RecordingHooks : public ApplicationHooks {
 public:
  void HandleException(TObject* Sender, std::exception_ptr error) override {
    try {
      std::rethrow_exception(error);
    } catch (const Exception& e) {
      reports.push_back(e.Message());
    }
  }
  void ProcessMessages() override { ++pumps; }
  std::vector<AnsiString> reports;
  int pumps = 0;
};

TEST(ApplicationHooks, ReportsGoToTheInstalledHooksExceptAborts) {
  RecordingHooks hooks;
  ApplicationHooks* previous = SetApplicationHooks(&hooks);
  try {
    throw EDatabaseError("ADOQuery1: cannot open");
  } catch (...) {
    ApplicationHandleException(nullptr);
  }
  try {
    throw EAbort("quiet");
  } catch (...) {
    ApplicationHandleException(nullptr);
  }
  ApplicationProcessMessages();
  SetApplicationHooks(previous);
  EXPECT_EQ(hooks.reports, std::vector<AnsiString>{"ADOQuery1: cannot open"});
  EXPECT_EQ(hooks.pumps, 1);
}

TEST(Exceptions, Hierarchy) {
  EXPECT_THROW(throw EClassNotFound("x"), EFilerError);
  EXPECT_THROW(throw EReadError("x"), EStreamError);
  EXPECT_THROW(throw EADOError("x"), EDatabaseError);
  EXPECT_THROW(throw EJPEG("x"), EInvalidGraphic);
  EXPECT_THROW(throw EOleException("x", -1, "src", "", 0), EOleSysError);
}

}  // namespace
}  // namespace coretest
