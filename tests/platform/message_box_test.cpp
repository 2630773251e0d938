// The message box: answers by keyboard and mouse, modality, the copied text, its layout.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/button.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

class MessageBox : public WindowTest {
 protected:
  // Runs `whileOpen` once the box is showing (from a timer of the box's own loop).
  int Show(HWND owner, const std::string& text, const std::string& caption, UINT type,
           std::function<void(HWND box)> whileOpen) {
    pending_ = std::move(whileOpen);
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      HWND box = GetActiveWindow();
      if (pending_) pending_(box);
    });
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
  }

  void Keys(std::initializer_list<int> keys) {
    for (int k : keys) screen_->Tap(k);
  }
  void Chord(int modifier, int key) {
    screen_->KeyDown(modifier);
    screen_->Tap(key);
    screen_->KeyUp(modifier);
  }

  static std::function<void(HWND)> pending_;
};

std::function<void(HWND)> MessageBox::pending_;

TEST_F(MessageBox, KeysAnswerAsTheButtonsAllow) {
  struct Case {
    UINT type;
    std::vector<int> keys;  // negative: with Alt
    int expected;
  } cases[] = {
      {MB_OK, {VK_RETURN}, IDOK},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_OKCANCEL, {VK_RETURN}, IDOK},
      {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDCANCEL},
      {MB_YESNO, {VK_ESCAPE, VK_TAB, VK_RETURN}, IDNO},
      {MB_YESNO, {VK_ESCAPE, -'N'}, IDNO},
      {MB_YESNOCANCEL, {VK_TAB, VK_TAB, VK_SPACE}, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_ESCAPE}, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {VK_RIGHT, VK_RETURN}, IDIGNORE},
      {MB_RETRYCANCEL, {-'R'}, IDRETRY},
  };
  for (const Case& c : cases) {
    int answer = Show(nullptr, "Text", "Caption", c.type, [&](HWND) {
      for (int k : c.keys) {
        if (k < 0) {
          Chord(VK_MENU, -k);
        } else {
          screen_->Tap(k);
        }
      }
    });
    EXPECT_EQ(answer, c.expected) << "type " << c.type << ", first key " << c.keys[0];
  }
}

TEST_F(MessageBox, OtherWindowsAreDisabledWhileItIsOpen) {
  HWND main = MakeTop(10, 10, 300, 200);
  HWND other = MakeTop(400, 10, 100, 100);
  SetActiveWindow(main);
  Pump();
  bool mainEnabled = true, otherEnabled = true;
  int clicks = 0;
  reactions[{main, WM_LBUTTONDOWN}] = [&](WPARAM, LPARAM, LRESULT*) {
    ++clicks;
    return false;
  };
  int answer = Show(main, "Text", "Caption", MB_OKCANCEL, [&](HWND box) {
    mainEnabled = IsWindowEnabled(main);
    otherEnabled = IsWindowEnabled(other);
    EXPECT_EQ(GetParent(box), main) << "owned by the window given";
    screen_->Click(50, 50);
    screen_->Tap(VK_ESCAPE);
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_FALSE(mainEnabled);
  EXPECT_FALSE(otherEnabled);
  EXPECT_EQ(clicks, 0) << "a click on a disabled window is refused";
  EXPECT_GE(screen_->Beeps(), 1);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetActiveWindow(), main);
}

TEST_F(MessageBox, AButtonClickedWithTheMouseIsTheAnswer) {
  int answer = Show(nullptr, "Save?", "Caption", MB_YESNOCANCEL, [&](HWND box) {
    HWND no = GetDlgItem(box, IDNO);
    RECT r;
    GetWindowRect(no, &r);
    screen_->Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  });
  EXPECT_EQ(answer, IDNO);
}

TEST_F(MessageBox, CtrlCCopiesTheBoxAsText) {
  std::string copied;
  Show(nullptr, "File not found.", "Velmora", MB_ABORTRETRYIGNORE | MB_ICONHAND, [&](HWND) {
    Chord(VK_CONTROL, 'C');
    screen_->Tap(VK_RETURN);
  });
  copied = GetClipboardTextA();
  EXPECT_EQ(copied,
            "---------------------------\r\n"
            "Velmora\r\n"
            "---------------------------\r\n"
            "File not found.\r\n"
            "---------------------------\r\n"
            "Abort   Retry   Ignore   \r\n"
            "---------------------------\r\n");
}

TEST_F(MessageBox, EveryBoxShownIsRecorded) {
  std::size_t before = MessageBoxesShown().size();
  bool openWhileShown = false;
  Show(nullptr, "one", "First", MB_OK, [&](HWND box) {
    openWhileShown = IsWindow(box) && IsWindowVisible(box);
    screen_->Tap(VK_RETURN);
  });
  Show(nullptr, "two", nullptr == nullptr ? "Second" : "", MB_OK,
       [&](HWND) { screen_->Tap(VK_RETURN); });
  const auto& shown = MessageBoxesShown();
  ASSERT_EQ(shown.size(), before + 2);
  EXPECT_EQ(shown[before].caption, "First");
  EXPECT_EQ(shown[before].text, "one");
  EXPECT_EQ(shown[before + 1].caption, "Second");
  EXPECT_TRUE(openWhileShown);
  EXPECT_FALSE(IsWindow(shown[before].window)) << "closed boxes are gone";
}

TEST_F(MessageBox, RightToLeftReadingMirrorsTheBox) {
  RECT icon{}, text{}, ok{}, cancel{}, box{};
  DWORD exStyle = 0;
  Show(nullptr, Utf8ToAnsi("پرونده پیدا نشد."), Utf8ToAnsi("خطا"),
       MB_OKCANCEL | MB_ICONHAND | MB_RTLREADING, [&](HWND b) {
         GetWindowRect(b, &box);
         GetWindowRect(GetDlgItem(b, 0x14), &icon);
         GetWindowRect(GetDlgItem(b, 0xFFFF), &text);
         GetWindowRect(GetDlgItem(b, IDOK), &ok);
         GetWindowRect(GetDlgItem(b, IDCANCEL), &cancel);
         exStyle = DWORD(GetWindowLongA(GetDlgItem(b, 0xFFFF), GWL_EXSTYLE));
         screen_->Tap(VK_ESCAPE);
       });
  EXPECT_GT(icon.left, text.right) << "icon on the right of the text";

  EXPECT_GT(ok.left, cancel.right) << "the first button on the right";
  EXPECT_TRUE(exStyle & WS_EX_RTLREADING);
  int centre = (box.left + box.right) / 2;
  EXPECT_NEAR((ok.left + cancel.right) / 2, centre, 2) << "the row is centred";
}

// With VELMORA_PICTURES set to a folder, each kind of box is written there as PNG to look at.
TEST_F(MessageBox, PicturesOfEachKind) {
  const char* folder = std::getenv("VELMORA_PICTURES");
  // clang-format off
  struct Case {
    const char* name;
    std::string text;
    std::string caption;
    UINT type;
  } cases[] = {
      {"error", "Exception EOleException in module velmora at 0001F2A4.\r\nCould not find file 'tarsilo.mdb'.", "Velmora", MB_OK | MB_ICONHAND},
      {"question", "Save the changes?", "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION},
      {"warning", "The disk is almost full.", "Warning", MB_ABORTRETRYIGNORE | MB_ICONWARNING},
      {"information", "Done.", "Information", MB_OK | MB_ICONINFORMATION},
      {"persian", Utf8ToAnsi("متن مورد نظر پیدا نشد. یک واژهٔ دیگر را بیازمایید."), Utf8ToAnsi("جستجو"), MB_OKCANCEL | MB_ICONASTERISK | MB_RTLREADING},
  };
  // clang-format on
  for (const Case& c : cases) {
    int width = 0, height = 0;
    Show(nullptr, c.text, c.caption, c.type, [&](HWND box) {
      Pump();
      screen_->Pixels(box, &width, &height);
      if (folder) screen_->WritePng(box, std::string(folder) + "/messagebox_" + c.name + ".png");
      screen_->Tap(VK_RETURN);
    });
    EXPECT_GT(width, 100) << c.name;
    EXPECT_GT(height, 80) << c.name;
  }
}

}  // namespace
}  // namespace platform
