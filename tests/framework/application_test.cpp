// The application object outside its loop: title and window, making forms, start-up and
// shutdown, and how failures are shown.
#include "core/exceptions.h"
#include "data/com_startup.h"
#include "platform/com.h"
#include "platform/icons.h"
#include "platform/message_box.h"
#include "tests/framework/framework_fixture.h"

using namespace platform;

namespace frameworktest {
namespace {

using ApplicationObject = FrameworkTest;

TEST_F(ApplicationObject, TitleIsTheHiddenWindowsCaptionAndDefaultsToTheProgramName) {
  EXPECT_EQ(Application->CurrentTitle(), "framework_tests");
  EXPECT_EQ(GetWindowString(Application->Handle()), "framework_tests");

  Application->ChangeTitle("Orvanta");
  EXPECT_EQ(Application->CurrentTitle(), "Orvanta");
  EXPECT_EQ(GetWindowString(Application->Handle()), "Orvanta");
}

TEST_F(ApplicationObject, ApplicationWindowIsAnEmptyPopupAtTheScreenCentre) {
  HWND window = Application->Handle();
  char cls[64];
  GetClassNameA(window, cls, sizeof cls);
  EXPECT_STREQ(cls, "TApplication");
  EXPECT_EQ(DWORD(GetWindowLongA(window, GWL_STYLE)) & ~WS_VISIBLE, 0x84CA0000u);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 512);
  EXPECT_EQ(r.top, 384);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_FALSE(IsWindowVisible(window)) << "no form is visible yet";
  // No icon of its own in this program: the system's application icon.
  EXPECT_EQ(IconId(static_cast<HICON>(Application->Icon())), 32512);
}

TEST_F(ApplicationObject, FirstFormMadeIsTheMainFormWithItsWindowOwnedByTheApplication) {
  TAppForm* main = nullptr;
  TAppForm* second = nullptr;
  Application->MakeForm(main);
  Application->MakeForm(second);

  EXPECT_EQ(Application->MainForm(), main);
  EXPECT_TRUE(main->HandleAllocated());
  EXPECT_EQ(main->Owner(), Application);
  EXPECT_EQ(GetWindow(main->Handle(), GW_OWNER), Application->Handle());
  ASSERT_EQ(Screen->FormCount(), 2);
  EXPECT_EQ(Screen->Forms(0), main);
  EXPECT_EQ(second->Name(), "AppForm_1");

  main->Show();
  EXPECT_TRUE(IsWindowVisible(Application->Handle())) << "shown while a form is";
  main->Hide();
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST_F(ApplicationObject, FormThatCannotBeReadLeavesTheReferenceEmpty) {
  TBrokenForm* broken = reinterpret_cast<TBrokenForm*>(1);
  try {
    Application->MakeForm(broken);
    FAIL() << "the description names a property that does not exist";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Error reading Panel1.Colour: Property Colour does not exist");
  }
  EXPECT_EQ(broken, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(ApplicationObject, LastChanceReportNamesTheClassTheProgramAndTheMessage) {
  int code = 0;
  try {
    TBrokenForm* broken = nullptr;
    Application->MakeForm(broken);
  } catch (...) {
    code = LastChanceReport();
  }
  EXPECT_EQ(code, 1);
  ASSERT_EQ(Boxes().size(), 1u);
  const MessageBoxRecord box = Boxes()[0];
  EXPECT_EQ(box.caption, "Application Error");
  EXPECT_EQ(box.type & (MB_ICONMASK | MB_TASKMODAL), MB_ICONSTOP | MB_TASKMODAL);
  const std::string head = "Exception EReadError in module framework_tests at ";
  EXPECT_EQ(box.text.substr(0, head.size()), head);
  const std::string tail = ".\r\nError reading Panel1.Colour: Property Colour does not exist.\r\n";
  ASSERT_GT(box.text.size(), tail.size());
  EXPECT_EQ(box.text.substr(box.text.size() - tail.size()), tail);
}

TEST_F(ApplicationObject, ErrorsEndWithAFullStopUnlessTheyEndInOneOrBelowIt) {
  Application->ChangeTitle("Orvanta");
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {
      {"Table not found", "Table not found."},
      {"Table not found.", "Table not found."},
      {"Table (kolliyat)", "Table (kolliyat)"},
      {"Stop!", "Stop!"},
      {"Ends in a digit 7", "Ends in a digit 7."},
      {"\xC7\xE1\xDD", "\xC7\xE1\xDD."},  // Persian letters, above "." as bytes
      {"", ""},
  };
  for (const Case& c : cases) {
    Application->ShowError(Exception(c.message));
    const MessageBoxRecord box = Boxes().back();
    EXPECT_EQ(box.text, c.shown) << c.message;
    EXPECT_EQ(box.caption, "Orvanta");
    EXPECT_EQ(box.type & (MB_TYPEMASK | MB_ICONMASK), MB_OK | MB_ICONSTOP);
  }
}

TEST_F(ApplicationObject, FailingCreationHandlerIsReportedAndTheFormStillBecomesMain) {
  Application->ChangeTitle("Orvanta");
  auto* form = new TAppForm(Application);
  form->failOnCreate = true;
  form->AfterConstruction();

  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "The categories are missing.");
  EXPECT_EQ(Boxes()[0].caption, "Orvanta");
  EXPECT_EQ(Log(), std::vector<AnsiString>{"create"});
}

TEST_F(ApplicationObject, SetupStartsComForTheThreadAndShutdownStopsIt) {
  int before = CoInitializeCount();
  Application->Setup();
  EXPECT_EQ(CoInitializeCount(), before + 1);
  EXPECT_TRUE(ComNeedsUninitialize());

  bool destroyed = false;
  TAppForm* main = nullptr;
  Application->MakeForm(main);
  struct Watch : TObject {
    bool* destroyed;
    bool* visibleThen;
    TForm* form;
    void Gone(TObject*) {
      *destroyed = true;
      *visibleThen = form->Visible();
    }
  } watch;
  bool visibleThen = true;
  watch.destroyed = &destroyed;
  watch.visibleThen = &visibleThen;
  watch.form = main;
  main->OnDestroy = TNotifyEvent(&watch, &Watch::Gone);
  main->Show();
  HWND appWindow = Application->Handle();

  StopApplicationObjects();
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(visibleThen) << "the form is hidden before its destroy handler runs";
  EXPECT_FALSE(IsWindow(appWindow));
  EXPECT_EQ(CoInitializeCount(), before);
  EXPECT_EQ(Application, nullptr);
  EXPECT_EQ(Screen, nullptr);
}

}  // namespace
}  // namespace frameworktest
