// The font dialog: the font in and out, cancelling, the script following the face, the size
// checks, the colour list, the Persian sample, the hook and modality.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "platform/button.h"
#include "platform/combobox.h"
#include "platform/commdlg.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

LOGFONTA Font(const char* face, LONG height, LONG weight, BYTE charset) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = charset;
  std::strcpy(lf.lfFaceName, face);
  return lf;
}

class ChooseFont : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owner_ = MakeTop(0, 0, 300, 200);
    font_ = Font("Tahoma", -16, FW_BOLD, ARABIC_CHARSET);
    request_ = CHOOSEFONTA{};
    request_.lStructSize = 60;
    request_.hwndOwner = owner_;
    request_.lpLogFont = &font_;
    request_.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    request_.rgbColors = 0xFF000008;  // the window text system colour
  }

  // Runs the dialog; `whileOpen` runs once it shows, from a timer of its own loop.
  BOOL Run(std::function<void(HWND)> whileOpen) {
    pending_ = std::move(whileOpen);
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      if (pending_) pending_(GetActiveWindow());
    });
    return ChooseFontA(&request_);
  }

  void Key(int key, int modifier = 0) {
    if (modifier) screen_->KeyDown(modifier);
    screen_->Tap(key);
    if (modifier) screen_->KeyUp(modifier);
  }

  // Puts text into a combo box's edit as a user would: select all, then type.
  void TypeInto(int id, const std::string& text) {
    Key(id == kFaceCombo ? 'F' : id == kStyleCombo ? 'Y' : 'S', VK_MENU);
    screen_->TypeText(text);
  }

  HWND owner_ = nullptr;
  LOGFONTA font_{};
  CHOOSEFONTA request_{};
  static std::function<void(HWND)> pending_;
};

std::function<void(HWND)> ChooseFont::pending_;

TEST_F(ChooseFont, OkWithoutChangesGivesTheFontBack) {
  bool ownerDisabled = false;
  std::string caption;
  BOOL ok = Run([&](HWND dialog) {
    caption = GetWindowString(dialog);
    ownerDisabled = !IsWindowEnabled(owner_);
    Key(VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(caption, "Font");
  EXPECT_TRUE(ownerDisabled) << "modal";
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_STREQ(font_.lfFaceName, "Tahoma");
  EXPECT_EQ(font_.lfHeight, -16);
  EXPECT_EQ(font_.lfWeight, FW_BOLD);
  EXPECT_EQ(font_.lfCharSet, ARABIC_CHARSET);
  EXPECT_EQ(request_.iPointSize, 120);
  EXPECT_EQ(request_.rgbColors, 0xFF000008u) << "an untouched colour comes back as it went";
}

TEST_F(ChooseFont, CancelLeavesTheFontAlone) {
  LOGFONTA before = font_;
  BOOL ok = Run([&](HWND) {
    TypeInto(kSizeCombo, "20");
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(std::memcmp(&before, &font_, sizeof font_), 0);
}

TEST_F(ChooseFont, AFaceStyleAndSizeChosenByKeyboard) {
  BOOL ok = Run([&](HWND) {
    TypeInto(kFaceCombo, "Nazli");
    TypeInto(kStyleCombo, "Regular");
    TypeInto(kSizeCombo, "14");
    Key('U', VK_MENU);
    Key(VK_RETURN);
  });
  ASSERT_TRUE(ok);
  EXPECT_STREQ(font_.lfFaceName, "Nazli");
  EXPECT_EQ(font_.lfHeight, -19) << "14 points at 96 pixels per inch";
  EXPECT_EQ(font_.lfWeight, FW_NORMAL);
  EXPECT_EQ(font_.lfUnderline, 1);
  EXPECT_EQ(request_.iPointSize, 140);
}

TEST_F(ChooseFont, TheScriptFollowsTheFace) {
  Run([&](HWND) {
    TypeInto(kFaceCombo, "MS Sans Serif");
    Key(VK_RETURN);
  });
  EXPECT_STREQ(font_.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(font_.lfCharSet, ANSI_CHARSET) << "a face without Arabic takes its own script";

  Run([&](HWND) {
    TypeInto(kFaceCombo, "Titr");
    Key(VK_RETURN);
  });
  EXPECT_STREQ(font_.lfFaceName, "Titr");
  EXPECT_EQ(font_.lfCharSet, ARABIC_CHARSET) << "a Persian face takes the Arabic script";
}

TEST_F(ChooseFont, SizesAreCheckedBeforeTheDialogCloses) {
  request_.Flags |= CF_LIMITSIZE;
  request_.nSizeMin = 8;
  request_.nSizeMax = 12;
  std::size_t boxes = MessageBoxesShown().size();
  BOOL ok = Run([&](HWND) {
    TypeInto(kSizeCombo, "20");
    Key(VK_RETURN);  // refused: a message box opens
    Key(VK_RETURN);  // closes the message box
    TypeInto(kSizeCombo, "abc");
    Key(VK_RETURN);
    Key(VK_RETURN);
    TypeInto(kSizeCombo, "10");
    Key(VK_RETURN);
  });
  EXPECT_TRUE(ok);
  ASSERT_EQ(MessageBoxesShown().size(), boxes + 2);
  EXPECT_EQ(MessageBoxesShown()[boxes].text, "Size must be between 8 and 12 points.");
  EXPECT_EQ(MessageBoxesShown()[boxes + 1].text, "Size must be a number.");
  EXPECT_EQ(font_.lfHeight, -13);
}

TEST_F(ChooseFont, AColourChosenFromTheSixteenComesBack) {
  BOOL ok = Run([&](HWND dialog) {
    HWND colors = GetDlgItem(dialog, kColorCombo);
    EXPECT_EQ(SendMessageA(colors, CB_GETCOUNT, 0, 0), 17) << "sixteen and the custom one";
    Key('C', VK_MENU);
    Key(VK_HOME);
    for (int i = 0; i < 9; ++i) Key(VK_DOWN);
    Key(VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(request_.rgbColors, RGB(255, 0, 0)) << "Red";
}

TEST_F(ChooseFont, TheSampleShowsPersianForTheArabicScript) {
  std::string arabicSample, westernSample;
  DWORD arabicStyle = 0;
  Run([&](HWND dialog) {
    HWND sample = GetDlgItem(dialog, kSampleText);
    arabicSample = GetWindowString(sample);
    arabicStyle = DWORD(GetWindowLongA(sample, GWL_EXSTYLE));
    SendDlgItemMessageA(dialog, kScriptCombo, CB_SETCURSEL, 0, 0);
    SendMessageA(dialog, WM_COMMAND, MAKELONG(kScriptCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kScriptCombo)));
    westernSample = GetWindowString(sample);
    if (const char* folder = std::getenv("VELMORA_PICTURES")) {
      SendDlgItemMessageA(dialog, kScriptCombo, CB_SETCURSEL, 1, 0);
      SendMessageA(dialog, WM_COMMAND, MAKELONG(kScriptCombo, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, kScriptCombo)));
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      screen_->WritePng(dialog, std::string(folder) + "/choose_font.png");
    }
    Key(VK_ESCAPE);
  });
  EXPECT_EQ(arabicSample, "\xE4\xE3\xE6\xE4\xE5 \xE3\xCA\xE4 \xDD\xC7\xD1\xD3\xED");
  EXPECT_TRUE(arabicStyle & WS_EX_RTLREADING);
  EXPECT_EQ(westernSample, "AaBbYyZz");
}

UINT_PTR ApplyHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  static CHOOSEFONTA* request = nullptr;
  if (msg == WM_INITDIALOG) request = reinterpret_cast<CHOOSEFONTA*>(lParam);
  if (msg == WM_COMMAND && LOWORD(DWORD(wParam)) == kApplyButton && request) {
    SendMessageA(dialog, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(request->lCustData));
    return 1;
  }
  return 0;
}

TEST_F(ChooseFont, TheHookAsksForTheFontShownWhenApplyIsPressed) {
  LOGFONTA applied{};
  request_.Flags |= CF_APPLY | CF_ENABLEHOOK;
  request_.lpfnHook = ApplyHook;
  request_.lCustData = reinterpret_cast<LPARAM>(&applied);
  Run([&](HWND) {
    TypeInto(kSizeCombo, "18");
    Key('A', VK_MENU);
    Key(VK_ESCAPE);
  });
  EXPECT_STREQ(applied.lfFaceName, "Tahoma");
  EXPECT_EQ(applied.lfHeight, -24);
  EXPECT_EQ(font_.lfHeight, -16) << "cancelled after applying";
}

TEST_F(ChooseFont, AnOwnerLaidOutRightToLeftMirrorsTheDialogAndItsScrollBars) {
  SetWindowLongA(owner_, GWL_EXSTYLE, LONG(WS_EX_LAYOUTRTL));
  RECT face{}, ok{}, list{};
  LRESULT leftEdge = 0, rightEdge = 0;
  DWORD exStyle = 0;
  Run([&](HWND dialog) {
    exStyle = DWORD(GetWindowLongA(dialog, GWL_EXSTYLE));
    HWND combo = GetDlgItem(dialog, kFaceCombo);
    GetWindowRect(combo, &face);
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    // The face list is the simple combo box's own list, below its edit.
    for (HWND c = GetWindow(combo, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (GetWindowLongA(c, GWL_STYLE) & WS_VSCROLL) GetWindowRect(c, &list);
    }
    int y = (list.top + list.bottom) / 2;
    leftEdge = SendMessageA(WindowFromPoint({list.left + 4, y}), WM_NCHITTEST, 0,
                            LPARAM(MAKELONG(WORD(list.left + 4), WORD(y))));
    rightEdge = SendMessageA(WindowFromPoint({list.right - 4, y}), WM_NCHITTEST, 0,
                             LPARAM(MAKELONG(WORD(list.right - 4), WORD(y))));
    Key(VK_ESCAPE);
  });
  EXPECT_TRUE(exStyle & WS_EX_LAYOUTRTL);
  EXPECT_LT(ok.right, face.left) << "OK at the left, the face list at the right";
  ASSERT_GT(list.right, list.left);
  EXPECT_EQ(leftEdge, HTVSCROLL) << "the list's scroll bar stands at its left";
  EXPECT_NE(rightEdge, HTVSCROLL);
}

TEST_F(ChooseFont, BadRequestsAreRefused) {
  EXPECT_FALSE(ChooseFontA(nullptr));
  request_.lStructSize = 8;
  EXPECT_FALSE(ChooseFontA(&request_));
  request_.lStructSize = 60;
  request_.lpLogFont = nullptr;
  EXPECT_FALSE(ChooseFontA(&request_));
}

}  // namespace
}  // namespace platform
