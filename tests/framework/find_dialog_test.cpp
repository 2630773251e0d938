// The find dialog component: opening, placing, reopening, its notices and options, the
// application's dialog handle, and the keyboard alone while the main window stays usable.
#include <gtest/gtest.h>

#include <string>

#include "platform/button.h"
#include "platform/commdlg.h"
#include "platform/dialog.h"
#include "tests/framework/framework_fixture.h"

using namespace platform;

namespace frameworktest {
namespace {

using O = TFindOption;

class FindDialogComponent : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Application->MakeForm(form_);
    form_->Show();
    Pump();
    dialog_ = form_->FindDialog1;
  }

  // Handles every message and input waiting, through the application's loop.
  void Pump() {
    for (int i = 0; i < 4; ++i) Application->ProcessMessages();
  }

  static HWND TopWindow() {
    HWND top = nullptr;
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
          *reinterpret_cast<HWND*>(param) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&top));
    return top;
  }
  HWND Item(int id) const { return GetDlgItem(dialog_->FindHandle(), id); }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(dialog_->FindHandle(), &r);
    return r;
  }

  TDialogForm* form_ = nullptr;
  TFindDialog* dialog_ = nullptr;
};

TEST_F(FindDialogComponent, StoredPropertiesAreRead) {
  EXPECT_EQ(dialog_->FindText(), "abc");
  EXPECT_EQ(dialog_->Options(), (TFindOptions{O::frDown, O::frMatchCase}));
  EXPECT_TRUE(dialog_->OnFind);
  EXPECT_EQ(dialog_->Position().x, -1);
  EXPECT_EQ(dialog_->Position().y, -1);
}

TEST_F(FindDialogComponent, FindTextKeepsAtMost255Bytes) {
  struct Case {
    std::size_t length;
    std::size_t kept;
  } cases[] = {{0, 0}, {1, 1}, {254, 254}, {255, 255}, {256, 255}, {1000, 255}};
  for (const Case& c : cases) {
    dialog_->SetFindText(AnsiString(c.length, 'x'));
    EXPECT_EQ(dialog_->FindText().size(), c.kept) << c.length;
  }
  dialog_->SetFindText(AnsiString("ab\0cd", 5));
  EXPECT_EQ(dialog_->FindText(), "ab") << "read up to the first zero byte";
}

TEST_F(FindDialogComponent, OptionsMapToTheSystemFlagsBothWays) {
  struct Case {
    TFindOption option;
    DWORD flag;
  } cases[] = {
      {O::frDown, 0x1},
      {O::frFindNext, 0x8},
      {O::frHideMatchCase, 0x8000},
      {O::frHideWholeWord, 0x10000},
      {O::frHideUpDown, 0x4000},
      {O::frMatchCase, 0x4},
      {O::frDisableMatchCase, 0x800},
      {O::frDisableUpDown, 0x400},
      {O::frDisableWholeWord, 0x1000},
      {O::frReplace, 0x10},
      {O::frReplaceAll, 0x20},
      {O::frWholeWord, 0x2},
      {O::frShowHelp, 0x80},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindOptionsToFlags({c.option}), c.flag) << static_cast<int>(c.option);
    EXPECT_EQ(FindOptionsFromFlags(c.flag), TFindOptions{c.option}) << c.flag;
  }
  EXPECT_EQ(FindOptionsFromFlags(0x40 | 0x100), TFindOptions{}) << "flags of no option";
}

TEST_F(FindDialogComponent, FirstOpeningIsCentredAtOneThirdOfTheHeight) {
  ASSERT_TRUE(dialog_->Execute());
  ASSERT_TRUE(IsWindowVisible(dialog_->FindHandle()));
  EXPECT_EQ(dialog_->Handle(), dialog_->FindHandle());
  RECT r = WindowRect();
  int width = r.right - r.left, height = r.bottom - r.top;
  EXPECT_EQ(r.left, (1024 - width) / 2);
  EXPECT_EQ(r.top, (768 - height) / 3);
  EXPECT_EQ(GetWindowString(dialog_->FindHandle()), "Find");
  EXPECT_EQ(GetWindowString(Item(kFindWhatEdit)), "abc");
  EXPECT_EQ(IsDlgButtonChecked(dialog_->FindHandle(), kMatchCaseCheck), UINT(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog_->FindHandle(), kDownRadio), UINT(BST_CHECKED));
}

TEST_F(FindDialogComponent, SecondExecuteOnlyRaisesTheOpenWindow) {
  ASSERT_TRUE(dialog_->Execute());
  HWND window = dialog_->FindHandle();
  SetActiveWindow(form_->Handle());
  dialog_->SetFindText("other");
  dialog_->SetOptions({O::frWholeWord});
  EXPECT_TRUE(dialog_->Execute());
  EXPECT_EQ(dialog_->FindHandle(), window);
  EXPECT_EQ(GetWindowString(Item(kFindWhatEdit)), "abc") << "the open dialog keeps its text";
  EXPECT_EQ(IsDlgButtonChecked(window, kWholeWordCheck), UINT(BST_UNCHECKED));
  EXPECT_EQ(TopWindow(), window);
}

TEST_F(FindDialogComponent, ReopensWhereItWasMovedAndClosed) {
  ASSERT_TRUE(dialog_->Execute());
  SetWindowPos(dialog_->FindHandle(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND window = dialog_->FindHandle();
  SendMessageA(window, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog_->FindHandle(), nullptr);
  EXPECT_EQ(dialog_->Position().x, 40);
  EXPECT_EQ(dialog_->Position().y, 50);

  ASSERT_TRUE(dialog_->Execute());
  RECT r = WindowRect();
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
}

TEST_F(FindDialogComponent, EachFindNextReportsTheTextAndTheControlsWithFindNext) {
  struct Case {
    const char* text;
    bool wholeWord;
    bool matchCase;
    bool down;
    TFindOptions expected;
  } cases[] = {
      {"abc", false, false, true, {O::frFindNext, O::frDown}},
      {"x", true, false, true, {O::frFindNext, O::frDown, O::frWholeWord}},
      {"y", false, true, false, {O::frFindNext, O::frMatchCase}},
      {"z z", true, true, false, {O::frFindNext, O::frMatchCase, O::frWholeWord}},
  };
  ASSERT_TRUE(dialog_->Execute());
  HWND window = dialog_->FindHandle();
  for (const Case& c : cases) {
    SetWindowTextA(Item(kFindWhatEdit), c.text);
    CheckDlgButton(window, kWholeWordCheck, c.wholeWord ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, kMatchCaseCheck, c.matchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, kDownRadio, c.down ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, kUpRadio, c.down ? BST_UNCHECKED : BST_CHECKED);
    SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
    ASSERT_FALSE(form_->found.empty());
    EXPECT_EQ(form_->found.back().text, c.text);
    EXPECT_EQ(form_->found.back().options, c.expected) << c.text;
    EXPECT_EQ(dialog_->FindHandle(), window) << "stays open";
  }
  EXPECT_EQ(form_->found.size(), std::size(cases));
}

TEST_F(FindDialogComponent, TypedTextLongerThanTheBufferArrivesCut) {
  ASSERT_TRUE(dialog_->Execute());
  SetWindowTextA(Item(kFindWhatEdit), std::string(300, 'q').c_str());
  SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
  ASSERT_EQ(form_->found.size(), 1u);
  EXPECT_EQ(form_->found[0].text, std::string(255, 'q'));
}

TEST_F(FindDialogComponent, KeyboardAloneWhileTheMainWindowStaysUsable) {
  ASSERT_TRUE(dialog_->Execute());
  Pump();
  HWND window = dialog_->FindHandle();
  EXPECT_EQ(Application->DialogHandle(), window) << "the active dialog gets the loop's keys";
  EXPECT_TRUE(IsWindowEnabled(form_->Handle())) << "modeless";

  // Select the text, type over it, tick Match whole word only with Tab and Space, Enter.
  screen_->TypeText("def");
  screen_->Tap(VK_TAB);
  screen_->Tap(VK_SPACE);
  screen_->Tap(VK_RETURN);
  Pump();
  ASSERT_EQ(form_->found.size(), 1u);
  EXPECT_EQ(form_->found[0].text, "def");
  EXPECT_TRUE(form_->found[0].options.Contains(O::frWholeWord));
  EXPECT_TRUE(form_->found[0].options.Contains(O::frFindNext));

  // The main window's button still works while the dialog is open; then back and Escape.
  ClickOn(*form_->Press, 5, 5);
  Pump();
  EXPECT_EQ(form_->presses, 1);
  EXPECT_EQ(dialog_->FindHandle(), window);
  EXPECT_EQ(Application->DialogHandle(), nullptr) << "inactive: no longer the dialog handle";
  dialog_->Execute();
  SetActiveWindow(window);
  Pump();
  EXPECT_EQ(Application->DialogHandle(), window);
  screen_->Tap(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog_->FindHandle(), nullptr);
  EXPECT_EQ(Application->DialogHandle(), nullptr);
  EXPECT_EQ(form_->found.size(), 1u) << "Escape finds nothing";
}

TEST_F(FindDialogComponent, ShowAndCloseEventsFollowTheWindow) {
  std::vector<std::string> events;
  struct Listener : TObject {
    std::vector<std::string>* events;
    void Shown(TObject*) { events->push_back("show"); }
    void Closed(TObject*) { events->push_back("close"); }
  } listener;
  listener.events = &events;
  dialog_->OnShow = TNotifyEvent(&listener, &Listener::Shown);
  dialog_->OnClose = TNotifyEvent(&listener, &Listener::Closed);
  ASSERT_TRUE(dialog_->Execute());
  EXPECT_EQ(events, (std::vector<std::string>{"show"}));
  SendMessageA(Item(IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "close"}));
  EXPECT_EQ(dialog_->Handle(), nullptr);
}

TEST_F(FindDialogComponent, FailingOnFindIsReportedAndTheDialogStaysOpen) {
  form_->findFailure = "Cannot focus a disabled or invisible window";
  ASSERT_TRUE(dialog_->Execute());
  SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot focus a disabled or invisible window.");
  EXPECT_TRUE(IsWindow(dialog_->FindHandle()));
  SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->found.size(), 2u) << "still usable";
}

TEST_F(FindDialogComponent, HideAndDisableOptionsReachTheControls) {
  dialog_->SetOptions({O::frHideUpDown, O::frDisableMatchCase, O::frHideWholeWord});
  ASSERT_TRUE(dialog_->Execute());
  EXPECT_FALSE(IsWindowVisible(Item(kUpRadio)));
  EXPECT_FALSE(IsWindowVisible(Item(kWholeWordCheck)));
  EXPECT_TRUE(IsWindowVisible(Item(kMatchCaseCheck)));
  EXPECT_FALSE(IsWindowEnabled(Item(kMatchCaseCheck)));
}

TEST_F(FindDialogComponent, FreeingTheComponentClosesItsOpenDialog) {
  ASSERT_TRUE(dialog_->Execute());
  HWND window = dialog_->FindHandle();
  delete dialog_;
  form_->FindDialog1 = nullptr;
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Application->DialogHandle(), nullptr);
}

}  // namespace
}  // namespace frameworktest
