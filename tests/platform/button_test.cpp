// Buttons and statics: clicks and their notices, checking, Space, double clicks, the side the
// box stands on, the focus rectangle, and mouse transparency.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/button.h"
#include "platform/codepage.h"
#include "platform/static_control.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

class Button : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    parent_ = MakeTop(0, 0, 400, 300);
  }

  HWND Make(DWORD style, int x, int y, int w = 120, int h = 24, const char* text = "Button",
            int id = 100, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, "Button", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           parent_, reinterpret_cast<HANDLE>(UINT_PTR(id)), nullptr, nullptr);
  }

  // The notices the parent received, as (id, code) pairs.
  std::vector<std::pair<int, int>> Notices() {
    std::vector<std::pair<int, int>> out;
    for (const Logged& l : Messages({WM_COMMAND})) {
      if (l.hwnd == parent_) out.push_back({LOWORD(DWORD(l.wParam)), HIWORD(DWORD(l.wParam))});
    }
    return out;
  }

  COLORREF PixelAt(int x, int y) {
    int width = 0, height = 0;
    const auto& pixels = screen_->Pixels(parent_, &width, &height);
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
  }

  static constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
  HWND parent_ = nullptr;
};

using Pairs = std::vector<std::pair<int, int>>;

TEST_F(Button, AClickIsAPressAndAReleaseOverTheButton) {
  HWND button = Make(BS_PUSHBUTTON, 10, 10);
  Pump();
  screen_->Click(20, 20);
  Pump();
  EXPECT_EQ(Notices(), (Pairs{{100, BN_CLICKED}}));
  EXPECT_EQ(GetFocus(), button) << "a click takes the focus";

  ClearLog();
  screen_->Press(20, 20);
  screen_->MoveMouse(300, 200);
  Pump();
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "out: drawn raised";
  screen_->MoveMouse(20, 20);
  Pump();
  EXPECT_NE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "back in: pressed";
  screen_->MoveMouse(300, 200);
  screen_->Release(300, 200);
  Pump();
  EXPECT_TRUE(Notices().empty()) << "released outside: no click";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Button, ClicksCheckAutomaticButtonsOnly) {
  struct Case {
    DWORD style;
    WPARAM before;
    WPARAM after;
  } cases[] = {
      {BS_AUTOCHECKBOX, BST_UNCHECKED, BST_CHECKED},
      {BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED},
      {BS_AUTO3STATE, BST_CHECKED, BST_INDETERMINATE},
      {BS_AUTO3STATE, BST_INDETERMINATE, BST_UNCHECKED},
      {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
      {BS_RADIOBUTTON, BST_UNCHECKED, BST_UNCHECKED},
      {BS_AUTORADIOBUTTON, BST_UNCHECKED, BST_CHECKED},
      {BS_AUTORADIOBUTTON, BST_CHECKED, BST_CHECKED},
  };
  for (const Case& c : cases) {
    HWND button = Make(c.style, 10, 10);
    SendMessageA(button, BM_SETCHECK, c.before, 0);
    Pump();
    ClearLog();
    screen_->Click(20, 20);
    Pump();
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), LRESULT(c.after)) << "style " << c.style;
    EXPECT_EQ(Notices(), (Pairs{{100, BN_CLICKED}})) << "style " << c.style;
    DestroyWindow(button);
  }
}

TEST_F(Button, SetCheckKeepsToWhatTheKindCanShow) {
  // clang-format off
  struct Case {
    DWORD style;
    WPARAM set;
    LRESULT got;
  } cases[] = {
      {BS_CHECKBOX, BST_INDETERMINATE, BST_CHECKED},
      {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
      {BS_RADIOBUTTON, 7, BST_CHECKED},
      {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
      {BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
  };
  // clang-format on
  for (const Case& c : cases) {
    HWND button = Make(c.style, 10, 10);
    SendMessageA(button, BM_SETCHECK, c.set, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), c.got) << "style " << c.style;
    DestroyWindow(button);
  }
}

TEST_F(Button, AnAutomaticRadioButtonUnchecksItsGroupOnly) {
  HWND a = Make(BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 120, 20, "A", 1);
  HWND b = Make(BS_AUTORADIOBUTTON, 10, 40, 120, 20, "B", 2);
  HWND c = Make(BS_AUTORADIOBUTTON, 10, 70, 120, 20, "C", 3);
  HWND d = Make(BS_AUTORADIOBUTTON | WS_GROUP, 10, 100, 120, 20, "D", 4);
  SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(d, BM_SETCHECK, BST_CHECKED, 0);
  Pump();
  screen_->Click(15, 75);
  Pump();
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(d, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group";
}

TEST_F(Button, SpaceClicksOnItsRelease) {
  HWND button = Make(BS_AUTOCHECKBOX, 10, 10);
  SetFocus(button);
  Pump();
  ClearLog();
  screen_->KeyDown(VK_SPACE);
  Pump();
  EXPECT_TRUE(Notices().empty());
  EXPECT_NE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  screen_->KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(Notices(), (Pairs{{100, BN_CLICKED}}));
  EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);

  ClearLog();
  screen_->KeyDown(VK_SPACE);
  Pump();
  SetFocus(parent_);
  screen_->KeyUp(VK_SPACE);
  Pump();
  EXPECT_TRUE(Notices().empty()) << "the focus left before the release";
}

TEST_F(Button, DoubleClicksNotifyRadioButtonsAndThoseThatAsk) {
  struct Case {
    DWORD style;
    Pairs expected;
  } cases[] = {
      {BS_RADIOBUTTON, {{100, BN_CLICKED}, {100, BN_DOUBLECLICKED}}},
      {BS_PUSHBUTTON | BS_NOTIFY, {{100, BN_SETFOCUS}, {100, BN_CLICKED}, {100, BN_DOUBLECLICKED}}},
      {BS_PUSHBUTTON, {{100, BN_CLICKED}, {100, BN_CLICKED}}},
  };
  for (const Case& c : cases) {
    HWND button = Make(c.style, 10, 10);
    Pump();
    ClearLog();
    screen_->Click(20, 20);
    screen_->Click(20, 20);
    Pump();
    EXPECT_EQ(Notices(), c.expected) << "style " << c.style;
    DestroyWindow(button);
    screen_->Advance(1000);
  }
}

TEST_F(Button, TheBoxStandsOnTheSideTheLayoutAsks) {
  // The inside of the box is the window colour; the text side is the face colour.
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  Make(BS_AUTOCHECKBOX, 10, 10, 150, 20, "Left", 1);
  Make(BS_AUTOCHECKBOX | BS_LEFTTEXT, 10, 40, 150, 20, "Left text", 2);
  Make(BS_AUTOCHECKBOX, 10, 70, 150, 20, Utf8ToAnsi("راست").c_str(), 3,
       WS_EX_RIGHT | WS_EX_RTLREADING);
  Pump();
  EXPECT_EQ(PixelAt(10 + 6, 10 + 10), window);
  EXPECT_NE(PixelAt(160 - 6, 10 + 10), window);
  EXPECT_EQ(PixelAt(160 - 6, 40 + 10), window);
  EXPECT_EQ(PixelAt(160 - 6, 70 + 10), window);
  EXPECT_NE(PixelAt(10 + 6, 70 + 10), window);
}

TEST_F(Button, TheFocusRectangleShowsOnlyWithTheFocus) {
  HWND button = Make(BS_PUSHBUTTON, 10, 10, 100, 30);
  Pump();
  // The dotted rectangle runs three pixels inside the bevel.
  auto dotted = [&] {
    int changed = 0;
    for (int x = 20; x < 90; ++x) changed += PixelAt(x, 10 + 4) != GetSysColor(COLOR_BTNFACE);
    return changed;
  };
  EXPECT_EQ(dotted(), 0);
  SetFocus(button);
  Pump();
  EXPECT_GT(dotted(), 20);
}

TEST_F(Button, GroupBoxesAndPlainStaticsLetTheMouseThrough) {
  HWND group = Make(BS_GROUPBOX, 10, 10, 200, 100, "Group", 1);
  HWND label = CreateWindowExA(0, "Static", "Label", WS_CHILD | WS_VISIBLE, 220, 10, 100, 20,
                               parent_, reinterpret_cast<HANDLE>(UINT_PTR(2)), nullptr, nullptr);
  HWND notify = CreateWindowExA(0, "Static", "Notify", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 220, 40,
                                100, 20, parent_, reinterpret_cast<HANDLE>(UINT_PTR(3)), nullptr,
                                nullptr);
  Pump();
  EXPECT_EQ(WindowFromPoint({50, 50}), parent_);
  EXPECT_EQ(WindowFromPoint({230, 15}), parent_);
  EXPECT_EQ(WindowFromPoint({230, 45}), notify);
  screen_->Click(230, 45);
  Pump();
  EXPECT_EQ(Notices(), (Pairs{{3, STN_CLICKED}}));
  (void)group;
  (void)label;
}

// With VELMORA_PICTURES set to a folder, a sheet of every kind is written there to look at.
TEST_F(Button, PictureOfEveryKind) {
  DestroyWindow(parent_);
  parent_ = CreateWindowExA(0, "#32770", "Buttons", WS_POPUP | WS_VISIBLE, 0, 0, 420, 240, nullptr,
                            nullptr, nullptr, nullptr);
  HWND group = Make(BS_GROUPBOX, 8, 8, 196, 150, "Direction", 1);
  Make(BS_AUTORADIOBUTTON | WS_GROUP, 20, 30, 170, 18, "&Up", 2);
  HWND down = Make(BS_AUTORADIOBUTTON, 20, 52, 170, 18, "&Down", 3);
  Make(BS_AUTOCHECKBOX, 20, 78, 170, 18, "Match &case", 4);
  HWND whole = Make(BS_AUTOCHECKBOX, 20, 100, 170, 18, "Match &whole word only", 5);
  HWND off = Make(BS_AUTOCHECKBOX, 20, 122, 170, 18, "Disabled", 6);
  Make(BS_GROUPBOX, 212, 8, 196, 150, Utf8ToAnsi("جهت").c_str(), 7,
       WS_EX_RIGHT | WS_EX_RTLREADING);
  Make(BS_AUTORADIOBUTTON | WS_GROUP, 222, 30, 176, 18, Utf8ToAnsi("بالا").c_str(), 8,
       WS_EX_RIGHT | WS_EX_RTLREADING);
  HWND rtlCheck = Make(BS_AUTOCHECKBOX, 222, 52, 176, 18, Utf8ToAnsi("همهٔ واژه").c_str(), 9,
                       WS_EX_RIGHT | WS_EX_RTLREADING);
  Make(BS_DEFPUSHBUTTON, 8, 170, 90, 23, "Find &Next", 10);
  HWND cancel = Make(BS_PUSHBUTTON, 104, 170, 90, 23, "Cancel", 11);
  HWND pressed = Make(BS_PUSHBUTTON, 200, 170, 90, 23, "Pressed", 12);
  Make(BS_PUSHBUTTON | WS_DISABLED, 296, 170, 90, 23, "Disabled", 13);
  CreateWindowExA(0, "Static", "&Find what:", WS_CHILD | WS_VISIBLE, 8, 206, 200, 16, parent_,
                  nullptr, nullptr, nullptr);
  CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 8, 228, 400, 2, parent_,
                  nullptr, nullptr, nullptr);
  SendMessageA(down, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(whole, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(rtlCheck, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(off, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(off, FALSE);
  SendMessageA(pressed, BM_SETSTATE, TRUE, 0);
  SetFocus(cancel);
  Pump();
  if (const char* folder = std::getenv("VELMORA_PICTURES")) {
    screen_->WritePng(parent_, std::string(folder) + "/buttons.png");
  }
  EXPECT_EQ(PixelAt(8, 60), GetSysColor(COLOR_BTNSHADOW)) << "the group's etched frame";
  (void)group;
}

}  // namespace
}  // namespace platform
