// Multi-line edits: word wrap, line messages over CR LF text, scrolling that follows the
// caret, the scroll bar and wheel, and the formatting rectangle.
#include <gtest/gtest.h>

#include <set>

#include "platform/codepage.h"
#include "tests/platform/edit_fixture.h"

namespace platform {
namespace {

constexpr DWORD kRtl = WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
constexpr DWORD kMemo = ES_MULTILINE | ES_AUTOVSCROLL | ES_RIGHT | WS_VSCROLL;

const char* kParagraph =
    "این متن نمونه‌ای از یک پاسخ بلند است که در چند سطر شکسته می‌شود تا خواننده "
    "آن "
    "را "
    "به "
    "آسانی بخواند و نسخه Velmora 2 آن را درست نشان دهد.";

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += "\r\n";
    text += "سطر " + std::to_string(i);
  }
  return text;
}

class Memo : public EditTest {
 protected:
  int Line(int pos) const { return int(SendMessageA(edit_, EM_LINEFROMCHAR, WPARAM(pos), 0)); }
  int LineIndex(int line) const { return int(SendMessageA(edit_, EM_LINEINDEX, WPARAM(line), 0)); }
  int LineCount() const { return int(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0)); }
  int FirstVisible() const { return int(SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0)); }
  POINT PosOf(int pos) const {
    LRESULT r = SendMessageA(edit_, EM_POSFROMCHAR, WPARAM(pos), 0);
    return {short(LOWORD(DWORD(r))), short(HIWORD(DWORD(r)))};
  }
  int ScrollPos() const {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(edit_, SB_VERT, &si);
    return si.nPos;
  }
  bool CaretInView() const {
    RECT client;
    GetClientRect(edit_, &client);
    POINT c = Caret();
    return c.y >= 0 && c.y + 16 <= client.bottom;
  }
};

TEST_F(Memo, TextWrapsAtWordsWithinA513PixelMemo) {
  MakeEdit(kMemo, kRtl, 513, 200, std::string(kParagraph) + " " + kParagraph);
  RECT rect;
  SendMessageA(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  int lines = LineCount();
  ASSERT_GE(lines, 3);
  std::string text = GetWindowString(edit_);
  for (int line = 0; line < lines; ++line) {
    int start = LineIndex(line);
    EXPECT_EQ(Line(start), line);
    // Lines break after a space, never inside a word, and start at the right edge.
    if (line > 0) {
      EXPECT_EQ(text[std::size_t(start) - 1], ' ') << line;
    }
    EXPECT_GE(PosOf(start).x, rect.right - 2) << line;
    EXPECT_EQ(PosOf(start).y, rect.top + line * 16) << line;
  }
  EXPECT_EQ(LineIndex(lines), -1);
  // Every line's text fits: its leftmost caret stays inside the rectangle.
  for (int pos = 0; pos <= int(text.size()); ++pos) {
    EXPECT_GE(PosOf(pos).x, rect.left) << pos;
    EXPECT_LE(PosOf(pos).x, rect.right) << pos;
  }
  SavePicture("memo_wrap");
}

TEST_F(Memo, TypingRepaintsWhatItChangedAsAFreshMemoWouldShowIt) {
  std::string text = std::string(kParagraph) + "\r\n" + kParagraph + "\r\n" + kParagraph;
  MakeEdit(kMemo, kRtl, 300, 170, text);
  SendMessageA(edit_, EM_SETSEL, 200, 200);
  Type("سس");
  Key(VK_BACK);
  SendMessageA(edit_, EM_SETSEL, 10, 10);
  Type("ن");  // a paragraph that now takes one more line moves those below it
  std::string now = GetWindowString(edit_);
  HWND fresh = CreateWindowExA(kRtl, "EDIT", now.c_str(), WS_CHILD | WS_VISIBLE | kMemo, 10, 200,
                               300, 170, parent_, nullptr, nullptr, nullptr);
  SendMessageA(fresh, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SetFocus(nullptr);  // neither shows a caret or a selection
  Pump();
  int w = 0, h = 0;
  const auto& pixels = screen_->Pixels(parent_, &w, &h);
  int differing = 0;
  for (int y = 0; y < 170; ++y) {
    for (int x = 0; x < 300; ++x) {
      differing +=
          pixels[std::size_t((10 + y) * w + 10 + x)] != pixels[std::size_t((200 + y) * w + 10 + x)];
    }
  }
  EXPECT_EQ(differing, 0);
  SavePicture("memo_typed");
}

TEST_F(Memo, LineBreaksCountAsTwoCharacters) {
  MakeEdit(kMemo, kRtl, 300, 100, "ab\r\ncd\r\n\r\nef");
  EXPECT_EQ(GetWindowTextLengthA(edit_), 12);
  EXPECT_EQ(LineCount(), 4);
  struct Case {
    int pos;
    int line;
  } cases[] = {{0, 0}, {2, 0}, {4, 1}, {6, 1}, {8, 2}, {10, 3}, {12, 3}};
  for (const Case& c : cases) EXPECT_EQ(Line(c.pos), c.line) << c.pos;
  EXPECT_EQ(LineIndex(1), 4);
  EXPECT_EQ(LineIndex(2), 8);
  EXPECT_EQ(SendMessageA(edit_, EM_LINELENGTH, 8, 0), 0);
  // Selecting from 4 for 2 takes the fifth and sixth characters: "cd".
  SendMessageA(edit_, EM_SETSEL, 4, 6);
  Key('C', false, true);
  EXPECT_EQ(screen_->ClipboardText(), "cd");
  // A position between CR and LF is never taken: it falls back before the break.
  SendMessageA(edit_, EM_SETSEL, 3, 3);
  EXPECT_EQ(SelStart(), 2);
  // One backspace after a break removes both of its characters.
  SendMessageA(edit_, EM_SETSEL, 4, 4);
  Key(VK_BACK);
  EXPECT_EQ(GetWindowString(edit_), "abcd\r\n\r\nef");
}

TEST_F(Memo, SettingASelectionAndScrollingTheCaretBringsItIntoView) {
  MakeEdit(kMemo, kRtl, 300, 5 * 16, Lines(40));
  EXPECT_EQ(FirstVisible(), 0);
  int pos = LineIndex(30) + 2;
  SendMessageA(edit_, EM_SETSEL, WPARAM(pos), pos + 2);
  EXPECT_EQ(FirstVisible(), 0) << "selecting alone does not scroll";
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(FirstVisible(), 26);
  EXPECT_EQ(ScrollPos(), 26);
  EXPECT_TRUE(CaretInView());
  SavePicture("memo_scrolled");
}

TEST_F(Memo, TheScrollBarFollowsTheCaret) {
  MakeEdit(kMemo, kRtl, 300, 5 * 16, Lines(40));
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(edit_, SB_VERT, &si);
  EXPECT_EQ(si.nMax, 39);
  EXPECT_EQ(si.nPage, 5u);
  struct Step {
    int key;
    bool ctrl;
    int first;
  } steps[] = {
      {VK_END, true, 35},   {VK_HOME, true, 0},   {VK_NEXT, false, 5}, {VK_NEXT, false, 10},
      {VK_DOWN, false, 10}, {VK_PRIOR, false, 5}, {VK_UP, false, 5},   {VK_UP, false, 4},
  };
  for (const Step& s : steps) {
    Key(s.key, false, s.ctrl);
    EXPECT_EQ(FirstVisible(), s.first) << "key " << s.key;
    EXPECT_EQ(ScrollPos(), s.first) << "key " << s.key;
    EXPECT_TRUE(CaretInView()) << "key " << s.key;
  }
  // Typing at the bottom line's end and pressing Enter scrolls down with the new line.
  Key(VK_END, false, true);
  Key(VK_RETURN);
  EXPECT_EQ(LineCount(), 41);
  EXPECT_EQ(FirstVisible(), 36);
  EXPECT_EQ(ScrollPos(), 36);
}

TEST_F(Memo, TheWheelAndTheBarScrollWithoutMovingTheCaret) {
  MakeEdit(kMemo, kRtl, 300, 5 * 16, Lines(40));
  POINT p{100, 20};
  ClientToScreen(edit_, &p);
  screen_->Wheel(p.x, p.y, -WHEEL_DELTA);
  Pump();
  EXPECT_EQ(FirstVisible(), 3);
  EXPECT_EQ(SelStart(), 0);
  SendMessageA(edit_, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(FirstVisible(), 8);
  SendMessageA(edit_, WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 20), 0);
  EXPECT_EQ(FirstVisible(), 20);
  SendMessageA(edit_, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(FirstVisible(), 35);
  SendMessageA(edit_, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(FirstVisible(), 35) << "never past the last page";
  EXPECT_EQ(SelStart(), 0);
  // The bar lies on the left with WS_EX_LEFTSCROLLBAR: the client area starts after it.
  RECT window, client;
  GetWindowRect(edit_, &window);
  POINT origin{0, 0};
  ClientToScreen(edit_, &origin);
  GetClientRect(edit_, &client);
  EXPECT_EQ(origin.x - window.left, GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(Memo, DraggingBeyondTheBottomScrollsAndExtendsTheSelection) {
  MakeEdit(kMemo, kRtl, 300, 5 * 16, Lines(40));
  POINT inside{150, 8}, below{150, 5 * 16 + 30};
  ClientToScreen(edit_, &inside);
  ClientToScreen(edit_, &below);
  screen_->Press(inside.x, inside.y);
  screen_->MoveMouse(below.x, below.y);
  Pump();
  int first = FirstVisible();
  EXPECT_GT(first, 0);
  // While the button stays down outside, the timer keeps scrolling.
  screen_->Advance(500);
  MSG msg;
  for (int i = 0; i < 20 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    DispatchMessageA(&msg);
  }
  EXPECT_GT(FirstVisible(), first);
  screen_->Release(below.x, below.y);
  Pump();
  EXPECT_EQ(SelStart(), 5) << "the end of the first line, left of which the drag began";
  EXPECT_GT(SelEnd(), LineIndex(first));
}

TEST_F(Memo, UpAndDownKeepTheirColumnAcrossShortLines) {
  MakeEdit(ES_MULTILINE, 0, 300, 100, "abcdefgh\r\nab\r\nabcdefgh");
  SendMessageA(edit_, EM_SETSEL, 6, 6);
  Key(VK_DOWN);
  EXPECT_EQ(SelStart(), 12) << "the end of the short line";
  Key(VK_DOWN);
  EXPECT_EQ(SelStart(), 20) << "back in the column it started from";
  Key(VK_UP, true);
  EXPECT_EQ(SelStart(), 12);
  EXPECT_EQ(SelEnd(), 20);
}

TEST_F(Memo, EndOnAWrappedLineStaysOnThatLine) {
  MakeEdit(kMemo, kRtl, 200, 200, kParagraph);
  ASSERT_GE(LineCount(), 2);
  Key(VK_HOME, false, true);
  POINT start = Caret();
  Key(VK_END);
  EXPECT_EQ(SelStart(), LineIndex(1));
  EXPECT_EQ(Caret().y, start.y) << "the caret shows at the end of the first line";
  EXPECT_LT(Caret().x, start.x);
  Type("x");
  EXPECT_EQ(Line(SelStart()), Line(LineIndex(1) + 1));
}

TEST_F(Memo, TheFormattingRectangleHoldsTheText) {
  MakeEdit(ES_MULTILINE, 0, 300, 100, Lines(3));
  RECT want{20, 10, 200, 90};
  SendMessageA(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&want));
  RECT got;
  SendMessageA(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got.left, 20);
  EXPECT_EQ(got.top, 10);
  EXPECT_EQ(got.right, 200);
  EXPECT_EQ(got.bottom, 90);
  EXPECT_EQ(PosOf(0).x, 20);
  EXPECT_EQ(PosOf(0).y, 10);
  EXPECT_EQ(PosOf(LineIndex(1)).y, 26);
}

TEST_F(Memo, WithoutWrappingALongLineScrollsSideways) {
  MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 0, 100, 60, "a long line that does not fit in the box");
  EXPECT_EQ(LineCount(), 1);
  Key(VK_END);
  POINT c = Caret();
  EXPECT_GT(c.x, 50);
  EXPECT_LT(c.x, 100);
  EXPECT_LT(PosOf(0).x, 0) << "the start has scrolled out on the left";
  Key(VK_HOME);
  EXPECT_EQ(PosOf(0).x, 2);
}

TEST_F(Memo, AHorizontalBarScrollsUnwrappedLines) {
  MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL, 0, 100, 60,
           "a long line that does not fit in the box");
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(edit_, SB_HORZ, &si);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_GT(si.nMax, 150) << "the whole line's width";
  EXPECT_EQ(si.nPage, 96u);
  SendMessageA(edit_, WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(PosOf(0).x, 2 - 96);
  GetScrollInfo(edit_, SB_HORZ, &si);
  EXPECT_EQ(si.nPos, 96);
  SendMessageA(edit_, WM_HSCROLL, MAKELONG(SB_THUMBTRACK, 10000), 0);
  GetScrollInfo(edit_, SB_HORZ, &si);
  EXPECT_EQ(si.nPos, si.nMax + 1 - int(si.nPage)) << "no further than the line reaches";
  SendMessageA(edit_, WM_HSCROLL, SB_LINELEFT, 0);
  GetScrollInfo(edit_, SB_HORZ, &si);
  EXPECT_LT(si.nPos, si.nMax + 1 - int(si.nPage));
  EXPECT_EQ(SelStart(), 0) << "scrolling leaves the caret where it was";
}

}  // namespace
}  // namespace platform
