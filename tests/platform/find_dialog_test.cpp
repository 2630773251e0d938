// The find dialog: its notices to the owner, keyboard use, the flags that hide and disable,
// the hook, refused requests and the mirrored layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/button.h"
#include "platform/commdlg.h"
#include "platform/dialog.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

struct Notice {
  DWORD flags;
  std::string text;
};

class FindDialog : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owner_ = MakeTop(0, 0, 200, 100);
    findMessage_ = RegisterWindowMessageA(FINDMSGSTRINGA);
    reactions[{owner_, findMessage_}] = [this](WPARAM, LPARAM lParam, LRESULT*) {
      auto* r = reinterpret_cast<FINDREPLACEA*>(lParam);
      EXPECT_EQ(r, &request_);
      notices_.push_back({r->Flags, r->lpstrFindWhat});
      return true;
    };
    std::memset(buffer_, 0, sizeof buffer_);
    request_ = FINDREPLACEA{40, owner_, nullptr, FR_DOWN, buffer_, nullptr, sizeof buffer_,
                            0,  0x1234, nullptr, nullptr};
  }

  HWND Open(const char* text, DWORD flags) {
    std::strcpy(buffer_, text);
    request_.Flags = flags;
    dialog_ = FindTextA(&request_);
    PumpDialog();
    return dialog_;
  }

  void PumpDialog() {
    MSG msg;
    for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
      if (IsWindow(dialog_) && IsDialogMessageA(dialog_, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  void Key(int key, int modifier = 0) {
    if (modifier) screen_->KeyDown(modifier);
    screen_->Tap(key);
    if (modifier) screen_->KeyUp(modifier);
    PumpDialog();
  }

  HWND owner_ = nullptr;
  HWND dialog_ = nullptr;
  UINT findMessage_ = 0;
  char buffer_[256];
  FINDREPLACEA request_{};
  std::vector<Notice> notices_;
};

TEST_F(FindDialog, TheKeyboardAloneFindsAndCloses) {
  ASSERT_NE(Open("abc", FR_DOWN), nullptr);
  EXPECT_EQ(GetWindowString(dialog_), "Find");
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, kFindWhatEdit));
  Key(VK_RETURN);
  screen_->TypeText("needle");  // replaces the text, selected on entry
  PumpDialog();
  Key(VK_TAB);
  Key(VK_SPACE);  // Match whole word only
  Key(VK_RETURN);
  Key('U', VK_MENU);
  Key('C', VK_MENU);
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  ASSERT_EQ(notices_.size(), 4u);
  EXPECT_EQ(notices_[0].flags & 0x7F, FR_FINDNEXT | FR_DOWN);
  EXPECT_EQ(notices_[0].text, "abc");
  EXPECT_EQ(notices_[1].flags & 0x7F, FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD);
  EXPECT_EQ(notices_[1].text, "needle");
  EXPECT_EQ(notices_[2].flags & 0x7F, FR_FINDNEXT | FR_WHOLEWORD | FR_MATCHCASE);
  EXPECT_EQ(notices_[3].flags & 0x7F, FR_DIALOGTERM | FR_WHOLEWORD | FR_MATCHCASE);
  EXPECT_FALSE(IsWindow(dialog_));
}

TEST_F(FindDialog, FindNextWaitsForText) {
  Open("", FR_DOWN);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog_, IDOK)));
  Key(VK_RETURN);
  EXPECT_TRUE(notices_.empty());
  screen_->TypeText("x");
  PumpDialog();
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, IDOK)));
  RECT r;
  GetWindowRect(GetDlgItem(dialog_, IDOK), &r);
  screen_->Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PumpDialog();
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, "x");
}

TEST_F(FindDialog, TextIsCutToTheBuffer) {
  request_.wFindWhatLen = 80;
  Open("", 0);
  std::string longText(100, 'a');
  screen_->TypeText(longText);
  PumpDialog();
  Key(VK_RETURN);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, std::string(79, 'a'));
}

TEST_F(FindDialog, FlagsHideAndDisableTheirControls) {
  // clang-format off
  struct Case {
    DWORD flag;
    int id;
    bool visible;
    bool enabled;
  } cases[] = {
      {FR_HIDEWHOLEWORD, kWholeWordCheck, false, true},
      {FR_NOWHOLEWORD, kWholeWordCheck, true, false},
      {FR_HIDEMATCHCASE, kMatchCaseCheck, false, true},
      {FR_NOMATCHCASE, kMatchCaseCheck, true, false},
      {FR_HIDEUPDOWN, kUpRadio, false, true},
      {FR_NOUPDOWN, kDownRadio, true, false},
      {FR_SHOWHELP, kHelpButton, true, true},
      {0, kHelpButton, false, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    Open("a", c.flag);
    HWND control = GetDlgItem(dialog_, c.id);
    EXPECT_EQ(bool(IsWindowVisible(control)), c.visible) << "flag " << c.flag;
    EXPECT_EQ(bool(IsWindowEnabled(control)), c.enabled) << "flag " << c.flag;
    DestroyWindow(dialog_);
  }
}

UINT_PTR RecordingHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* r = reinterpret_cast<FINDREPLACEA*>(lParam);
    SetWindowTextA(dialog, r->lCustData == 0x1234 ? "Hooked" : "Wrong record");
    return 1;
  }
  return 0;
}

TEST_F(FindDialog, TheHookSeesTheRecordAtInitialisation) {
  request_.lpfnHook = RecordingHook;
  Open("a", FR_ENABLEHOOK);
  EXPECT_EQ(GetWindowString(dialog_), "Hooked");
  request_.lpfnHook = nullptr;
}

TEST_F(FindDialog, BadRequestsMakeNoDialog) {
  EXPECT_EQ(FindTextA(nullptr), nullptr);
  FINDREPLACEA r = request_;
  r.lStructSize = 12;
  EXPECT_EQ(FindTextA(&r), nullptr);
  r = request_;
  r.wFindWhatLen = 10;
  EXPECT_EQ(FindTextA(&r), nullptr);
  r = request_;
  r.lpstrFindWhat = nullptr;
  EXPECT_EQ(FindTextA(&r), nullptr);
  r = request_;
  r.hwndOwner = reinterpret_cast<HWND>(0x7777);
  EXPECT_EQ(FindTextA(&r), nullptr);
}

TEST_F(FindDialog, ClosingTellsTheOwnerAndTheMainWindowStaysUsable) {
  HWND button = CreateWindowExA(0, "Button", "Main", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, owner_,
                                reinterpret_cast<HANDLE>(LONG_PTR(7)), nullptr, nullptr);
  Open("a", 0);
  RECT r;
  GetWindowRect(button, &r);
  screen_->Click(r.left + 5, r.top + 5);
  PumpDialog();
  EXPECT_EQ(GetFocus(), button) << "the modeless dialog leaves the owner usable";
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].flags & FR_DIALOGTERM, FR_DIALOGTERM);
  EXPECT_FALSE(IsWindow(dialog_));
}

TEST_F(FindDialog, AnOwnerLaidOutRightToLeftMirrorsTheDialog) {
  SetWindowLongA(owner_, GWL_EXSTYLE, LONG(WS_EX_LAYOUTRTL));
  Open("a", FR_DOWN);
  RECT edit, findNext, up, down;
  GetWindowRect(GetDlgItem(dialog_, kFindWhatEdit), &edit);
  GetWindowRect(GetDlgItem(dialog_, IDOK), &findNext);
  GetWindowRect(GetDlgItem(dialog_, kUpRadio), &up);
  GetWindowRect(GetDlgItem(dialog_, kDownRadio), &down);
  EXPECT_LT(findNext.right, edit.left);
  EXPECT_LT(down.right, up.left + 1);
  // The caption is mirrored too: its close box stands at the left end.
  EXPECT_TRUE(GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  RECT frame;
  GetWindowRect(dialog_, &frame);
  int closeLeft = frame.right, closeRight = frame.left;
  for (int y = frame.top; y < frame.top + 30; ++y) {
    for (int x = frame.left; x < frame.right; ++x) {
      if (SendMessageA(dialog_, WM_NCHITTEST, 0, LPARAM(MAKELONG(WORD(x), WORD(y)))) == HTCLOSE) {
        closeLeft = std::min(closeLeft, x);
        closeRight = std::max(closeRight, x);
      }
    }
  }
  EXPECT_LT(closeLeft, frame.left + 10);
  EXPECT_LT(closeRight, frame.left + 30);
  if (const char* folder = std::getenv("VELMORA_PICTURES")) {
    screen_->WritePng(dialog_, std::string(folder) + "/find_mirrored.png");
  }
}

TEST_F(FindDialog, Picture) {
  Open("needle", FR_DOWN | FR_MATCHCASE | FR_SHOWHELP);
  if (const char* folder = std::getenv("VELMORA_PICTURES")) {
    screen_->WritePng(dialog_, std::string(folder) + "/find.png");
  }
  int width = 0, height = 0;
  screen_->Pixels(dialog_, &width, &height);
  EXPECT_GT(width, 300);
}

}  // namespace
}  // namespace platform
