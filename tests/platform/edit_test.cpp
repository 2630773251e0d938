// The edit control: typing and its notices, the length limit, read-only, undo, the clipboard
// and the dialog code, in single-line and multi-line edits.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/caret.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/headless/headless_backend.h"
#include "tests/platform/edit_fixture.h"

namespace platform {
namespace {

constexpr DWORD kRtl = WS_EX_RTLREADING | WS_EX_RIGHT;

TEST_F(EditTest, EveryKeystrokeAndDeletionRaisesOneChange) {
  MakeEdit(ES_AUTOHSCROLL, kRtl, 200, 22);
  Type("س");
  EXPECT_EQ(TakeNotices(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  Type("لام");
  EXPECT_EQ(Count(EN_CHANGE), 3);
  EXPECT_EQ(Text(), "سلام");
  TakeNotices();
  SendMessageA(edit_, EM_SETSEL, 1, 3);
  Key(VK_DELETE);
  EXPECT_EQ(Count(EN_CHANGE), 1);
  EXPECT_EQ(Text(), "سم");
  TakeNotices();
  Key(VK_BACK);
  EXPECT_EQ(Count(EN_CHANGE), 1);
  EXPECT_EQ(Text(), "م");
  TakeNotices();
  Key(VK_BACK);  // nothing before the caret: no change
  Key(VK_LEFT, false, true);
  EXPECT_EQ(Count(EN_CHANGE), 0);
}

TEST_F(EditTest, SettingTheTextNotifiesOnlyASingleLineEdit) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22);
  SetWindowTextA(edit_, "abc");
  EXPECT_EQ(TakeNotices(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessageA(edit_, EM_GETMODIFY, 0, 0), FALSE);
  EXPECT_EQ(SelStart(), 0);
  EXPECT_EQ(SelEnd(), 0);

  HWND memo = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 50, 200, 80,
                              parent_, nullptr, nullptr, nullptr);
  ClearLog();
  SetWindowTextA(memo, "one\r\ntwo");
  EXPECT_EQ(Count(EN_CHANGE), 0);
  EXPECT_EQ(GetWindowTextLengthA(memo), 8) << "a line break counts as two characters";
}

TEST_F(EditTest, CreationWithTextNotifiesTheParentWhileTheWindowIsMade) {
  parent_ = MakeTop(0, 0, 300, 200);
  edit_ = CreateWindowExA(0, "EDIT", "start", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent_,
                          nullptr, nullptr, nullptr);
  ASSERT_NE(edit_, nullptr);
  EXPECT_EQ(Count(EN_CHANGE), 1);
  EXPECT_EQ(Text(), "start");
}

TEST_F(EditTest, TheLengthLimitCutsInsertionsAndTellsTheParent) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22);
  SendMessageA(edit_, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 5);
  Type("abcdefg");
  EXPECT_EQ(Text(), "abcde");
  EXPECT_EQ(Count(EN_MAXTEXT), 2);
  // Setting the text is not limited; only what the user adds is.
  SetWindowTextA(edit_, "0123456789");
  EXPECT_EQ(Text(), "0123456789");
  SendMessageA(edit_, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), kLargestEditLimit);
}

TEST_F(EditTest, AReadOnlyEditRefusesChangesButSelectsAndCopies) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22, "fixed");
  SendMessageA(edit_, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY);
  int beeps = screen_->Beeps();
  Type("x");
  Key(VK_BACK);
  SendMessageA(edit_, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(), "fixed");
  EXPECT_EQ(Count(EN_CHANGE), 0);
  EXPECT_GE(screen_->Beeps(), beeps + 3);
  Key('A', false, true);
  EXPECT_EQ(SelEnd() - SelStart(), 5);
  SendMessageA(edit_, WM_COPY, 0, 0);
  EXPECT_EQ(screen_->ClipboardText(), "fixed");
}

TEST_F(EditTest, UndoTakesBackTheLastRunOfTypingAndUndoingAgainRedoes) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22, "base ");
  Key(VK_END);
  EXPECT_EQ(SendMessageA(edit_, EM_CANUNDO, 0, 0), FALSE);
  Type("word");
  EXPECT_EQ(SendMessageA(edit_, EM_GETMODIFY, 0, 0), TRUE);
  Key('Z', false, true);
  EXPECT_EQ(Text(), "base ");
  Key('Z', false, true);
  EXPECT_EQ(Text(), "base word");
  EXPECT_EQ(SelStart(), 5);
  EXPECT_EQ(SelEnd(), 9) << "the restored text is selected";
  Key(VK_END);
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "base wo");
  SendMessageA(edit_, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "base word") << "a run of deletions undoes at once";
  SendMessageA(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(SendMessageA(edit_, EM_UNDO, 0, 0), FALSE);
}

TEST_F(EditTest, CopyThenPasteGivesBackTheSameText) {
  const std::string text = "پیام‌های ۱۲ Velmora\r\nسطر دوم کی";
  MakeEdit(ES_MULTILINE, kRtl, 300, 80, text);
  Key('A', false, true);
  Key('C', false, true);
  // Other programs get Unicode in reading order, with the Persian yeh and their own line ends.
  std::string clip = screen_->ClipboardText();
  EXPECT_NE(clip.find("پیام‌های"), std::string::npos);
  EXPECT_EQ(clip.find("\xD9\x8A"), std::string::npos) << "no Arabic yeh U+064A";
  EXPECT_NE(clip.find("Velmora\nسطر"), std::string::npos);
  SetWindowTextA(edit_, "");
  TakeNotices();
  Key('V', false, true);
  // Persian digits have no place in the code page: they come back as the digits it has.
  EXPECT_EQ(GetWindowString(edit_), Ansi("پیام‌های 12 Velmora\r\nسطر دوم کی"));
  EXPECT_EQ(Count(EN_CHANGE), 1) << "setting the text is silent, the paste is heard";
}

TEST_F(EditTest, CtrlWithALetterIsACommandOnAPersianLayoutToo) {
  MakeEdit(ES_AUTOHSCROLL, kRtl, 200, 22, "متن");
  // A Persian layout reports Ctrl+C as the letter of the C key as well: it must not be typed.
  screen_->KeyDown(VK_CONTROL);
  screen_->KeyDown('A');
  screen_->TypeText("ش");
  screen_->KeyUp('A');
  screen_->KeyDown('C');
  screen_->TypeText("ز");
  screen_->KeyUp('C');
  screen_->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Text(), "متن");
  EXPECT_EQ(screen_->ClipboardText(), "متن");
  // With Alt as well (AltGr), text is typed.
  screen_->KeyDown(VK_CONTROL);
  screen_->KeyDown(VK_MENU);
  screen_->TypeText("@");
  screen_->KeyUp(VK_MENU);
  screen_->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Text(), "@");
}

TEST_F(EditTest, PasteBringsTextFromOtherProgramsThroughTheBestFitTable) {
  MakeEdit(ES_AUTOHSCROLL, kRtl, 300, 22);
  screen_->SetClipboardText("سی‌ودو ۳۲ كتاب\nدوم");
  Key(VK_INSERT, true);
  // One line only, Farsi yeh as 0xED, Persian digits as ASCII, Arabic kaf kept.
  EXPECT_EQ(GetWindowString(edit_), Ansi("سی‌ودو") + " 32 " + Ansi("كتاب"));
  EXPECT_EQ(static_cast<unsigned char>(GetWindowString(edit_)[1]), 0xED);
  Key(VK_HOME, true);
  Key(VK_DELETE, true);  // Shift+Delete cuts
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(screen_->ClipboardText(), "سی‌ودو 32 كتاب");
}

TEST_F(EditTest, ThePasswordCharacterHidesTheTextFromCopying) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22, "secret");
  SendMessageA(edit_, EM_SETPASSWORDCHAR, '*', 0);
  EXPECT_EQ(SendMessageA(edit_, EM_GETPASSWORDCHAR, 0, 0), '*');
  screen_->SetClipboardText("before");
  Key('A', false, true);
  Key('C', false, true);
  EXPECT_EQ(screen_->ClipboardText(), "before");
  EXPECT_EQ(Text(), "secret");
}

TEST_F(EditTest, TheDialogCodeAsksForAllKeysOnlyInMultiLineEdits) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22);
  LRESULT single = SendMessageA(edit_, WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(single, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
  SetWindowLongA(edit_, GWL_STYLE, LONG(GetWindowLongA(edit_, GWL_STYLE) | ES_MULTILINE));
  EXPECT_EQ(SendMessageA(edit_, WM_GETDLGCODE, 0, 0), single | DLGC_WANTALLKEYS);
}

TEST_F(EditTest, FocusIsReportedAndTheSelectionHiddenWithoutIt) {
  MakeEdit(ES_AUTOHSCROLL, 0, 200, 22, "focus");
  HWND other = Make(parent_, 300, 10, 50, 20);
  Key('A', false, true);
  SetFocus(other);
  EXPECT_EQ(TakeNotices(), (std::vector<WORD>{EN_KILLFOCUS}));
  SavePicture("edit_unfocused");
  int w = 0, h = 0;
  const auto& pixels = screen_->Pixels(parent_, &w, &h);
  const std::uint32_t highlight = 0xFF000080;  // the classic highlight colour
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), highlight), 0);
  SetFocus(edit_);
  EXPECT_EQ(TakeNotices(), (std::vector<WORD>{EN_SETFOCUS}));
  EXPECT_GT(Caret().x, 25) << "the caret stands at the end of the selection";
  SavePicture("edit_focused");
  const auto& again = screen_->Pixels(parent_, &w, &h);
  EXPECT_GT(std::count(again.begin(), again.end(), highlight), 50);
}

TEST_F(EditTest, TheCaretBlinksOverTheTextAndStaysOnWhenTheUserPauses) {
  MakeEdit(ES_AUTOHSCROLL, kRtl, 200, 22, "سلام");
  Key(VK_END);
  POINT caret = Caret();
  int w = 0, h = 0;
  auto column = [&] {
    const auto& pixels = screen_->Pixels(parent_, &w, &h);
    POINT p{caret.x, caret.y + 8};
    ClientToScreen(edit_, &p);
    return pixels[std::size_t(p.y * w + p.x)] & 0xFFFFFF;
  };
  Pump();
  EXPECT_TRUE(CaretDrawn());
  EXPECT_EQ(column(), 0x000000u) << "the caret inverts the white background";
  // The blink runs on the clock: each half period flips it.
  MSG msg;
  screen_->Advance(GetCaretBlinkTime());
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_FALSE(CaretDrawn());
  EXPECT_EQ(column(), 0xFFFFFFu);
  // With nothing happening the blinking stops with the caret on, and the queue runs dry.
  int guard = 0;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0 && ++guard < 1000) DispatchMessageA(&msg);
  EXPECT_LT(guard, 1000);
  EXPECT_TRUE(CaretDrawn());
  EXPECT_EQ(column(), 0x000000u);
}

}  // namespace
}  // namespace platform
