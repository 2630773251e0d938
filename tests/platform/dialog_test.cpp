// The dialog manager: Tab and arrow navigation, Enter and Escape, mnemonics, the default
// button following the focus, and the focus kept across deactivation.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/button.h"
#include "platform/static_control.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

std::vector<int> commands;

LONG_PTR RecordCommands(HWND, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_COMMAND && HIWORD(DWORD(wParam)) == BN_CLICKED) {
    commands.push_back(LOWORD(DWORD(wParam)));
    return 1;
  }
  return msg == WM_INITDIALOG ? 1 : 0;
}

class Dialog : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    commands.clear();
    dialog_ = CreateDialogWindow(0, "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 RECT{50, 50, 350, 250}, nullptr, RecordCommands);
    label_ = Add("Static", "&Label:", 0, -1, 10);
    check_ = Add("Button", "&Check", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 10, 30);
    radioA_ = Add("Button", "&A", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 11, 50);
    radioB_ = Add("Button", "&B", BS_AUTORADIOBUTTON, 12, 70);
    radioC_ = Add("Button", "C", BS_AUTORADIOBUTTON | WS_DISABLED, 13, 90);
    ok_ = Add("Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 120);
    cancel_ = Add("Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 145);
    hidden_ = Add("Button", "&Hidden", BS_PUSHBUTTON | WS_TABSTOP, 14, 170);
    ShowWindow(hidden_, SW_HIDE);
    InitDialog(dialog_, 0);
    ShowWindow(dialog_, SW_SHOW);
    PumpDialog();
  }

  HWND Add(const char* cls, const char* text, DWORD style, int id, int y) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 120, 20, dialog_,
                           reinterpret_cast<HANDLE>(LONG_PTR(id)), nullptr, nullptr);
  }

  void PumpDialog() {
    MSG msg;
    for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
      if (IsDialogMessageA(dialog_, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  void Press(int key, int modifier = 0) {
    if (modifier) screen_->KeyDown(modifier);
    screen_->Tap(key);
    if (modifier) screen_->KeyUp(modifier);
    PumpDialog();
  }

  HWND dialog_ = nullptr, label_ = nullptr, check_ = nullptr, radioA_ = nullptr,
       radioB_ = nullptr, radioC_ = nullptr, ok_ = nullptr, cancel_ = nullptr, hidden_ = nullptr;
};

TEST_F(Dialog, TabVisitsTheTabStopsInOrderAndWraps) {
  EXPECT_EQ(GetFocus(), check_) << "the first tab stop has the focus at first";
  std::vector<HWND> forward, backward;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    forward.push_back(GetFocus());
  }
  EXPECT_EQ(forward, (std::vector<HWND>{radioA_, ok_, cancel_, check_}));
  for (int i = 0; i < 2; ++i) {
    Press(VK_TAB, VK_SHIFT);
    backward.push_back(GetFocus());
  }
  EXPECT_EQ(backward, (std::vector<HWND>{cancel_, ok_}));
  EXPECT_TRUE(commands.empty());
}

TEST_F(Dialog, ArrowsMoveWithinAGroupAndCheckRadioButtons) {
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(radioA_), TRUE);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), radioB_);
  EXPECT_EQ(SendMessageA(radioB_, BM_GETCHECK, 0, 0), BST_CHECKED);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), radioA_) << "the disabled button is skipped and the group wraps";
  EXPECT_EQ(SendMessageA(radioA_, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(radioB_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press(VK_UP);
  EXPECT_EQ(GetFocus(), radioB_);
  (void)radioC_;
}

TEST_F(Dialog, EnterPressesTheDefaultButtonAndEscapeCancels) {
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel_), TRUE);
  Press(VK_RETURN);
  SendMessageA(dialog_, DM_SETDEFID, 14, 0);
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(check_), TRUE);
  Press(VK_RETURN);
  EXPECT_EQ(commands, (std::vector<int>{IDOK, IDCANCEL, IDCANCEL, 14}));
}

TEST_F(Dialog, TheFocusedPushButtonLooksLikeTheDefault) {
  auto isDefault = [](HWND b) { return (SendMessageA(b, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0; };
  EXPECT_TRUE(isDefault(ok_));
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel_), TRUE);
  EXPECT_TRUE(isDefault(cancel_));
  EXPECT_FALSE(isDefault(ok_));
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(check_), TRUE);
  EXPECT_TRUE(isDefault(ok_));
  EXPECT_FALSE(isDefault(cancel_));
}

TEST_F(Dialog, MnemonicsFocusAndClick) {
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ok_), TRUE);
  Press('L', VK_MENU);
  EXPECT_EQ(GetFocus(), check_) << "a label hands on to the next control";
  EXPECT_EQ(SendMessageA(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press('C', VK_MENU);
  EXPECT_EQ(SendMessageA(check_, BM_GETCHECK, 0, 0), BST_CHECKED) << "a check box is clicked";
  screen_->TypeText("b");
  PumpDialog();
  EXPECT_EQ(GetFocus(), radioB_) << "a letter alone where no text is typed";
  EXPECT_EQ(SendMessageA(radioB_, BM_GETCHECK, 0, 0), BST_CHECKED);
  int beeps = screen_->Beeps();
  Press('H', VK_MENU);
  EXPECT_EQ(GetFocus(), radioB_) << "a hidden control is not reached";
  EXPECT_EQ(screen_->Beeps(), beeps + 1);
  EXPECT_EQ(commands, (std::vector<int>{10, 12}));
}

TEST_F(Dialog, TheFocusComesBackAfterDeactivation) {
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel_), TRUE);
  HWND other = MakeTop(400, 50, 100, 100);
  SetActiveWindow(other);
  EXPECT_NE(GetFocus(), cancel_);
  SetActiveWindow(dialog_);
  EXPECT_EQ(GetFocus(), cancel_);
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  EXPECT_EQ(commands, (std::vector<int>{IDCANCEL})) << "closing is cancelling";
}

}  // namespace
}  // namespace platform
