// Input: hit testing by z-order, capture, double clicks, keys and typed text, focus and
// activation order, modal loops, timers, window scroll bars and cursors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;

class Input : public WindowTest {};

POINT ClientPoint(LPARAM lp) {
  return {short(LOWORD(DWORD(lp))), short(HIWORD(DWORD(lp)))};
}

TEST_F(Input, ClicksGoToTheTopmostWindowUnderThePointer) {
  HWND back = MakeTop(0, 0, 300, 300);
  HWND front = MakeTop(100, 100, 100, 100);
  HWND lower = Make(back, 10, 10, 80, 80);
  HWND upper = Make(back, 50, 50, 80, 80);
  HWND disabled = Make(back, 200, 10, 50, 50, WS_VISIBLE | WS_DISABLED);
  Pump();
  struct Case {
    int x, y;
    HWND expected;
    POINT local;
  } cases[] = {
      // The first click activates the back window, which then lies above the front one.
      {120, 120, front, {20, 20}}, {20, 20, lower, {10, 10}}, {60, 60, upper, {10, 10}},
      {120, 120, upper, {70, 70}}, {5, 295, back, {5, 295}},  {210, 20, back, {210, 20}},
  };
  for (const Case& c : cases) {
    ClearLog();
    screen_->Click(c.x, c.y);
    Pump();
    auto downs = Messages({WM_LBUTTONDOWN});
    ASSERT_EQ(downs.size(), 1u) << c.x << "," << c.y;
    EXPECT_EQ(downs[0].hwnd, c.expected) << c.x << "," << c.y;
    EXPECT_EQ(ClientPoint(downs[0].lParam).x, c.local.x);
    EXPECT_EQ(ClientPoint(downs[0].lParam).y, c.local.y);
  }
  EXPECT_EQ(WindowFromPoint({60, 60}), upper);
  (void)disabled;
}

TEST_F(Input, CaptureTakesTheMouseEverywhereUntilReleased) {
  HWND top = MakeTop(0, 0, 300, 300);
  HWND a = Make(top, 0, 0, 100, 100);
  HWND b = Make(top, 150, 150, 100, 100);
  Pump();
  reactions[{a, WM_LBUTTONDOWN}] = [a](WPARAM, LPARAM, LRESULT*) {
    SetCapture(a);
    return true;
  };
  screen_->Press(10, 10);
  screen_->MoveMouse(200, 200);
  screen_->MoveMouse(400, -5);
  Pump();
  auto moves = Messages({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[1].hwnd, a);
  EXPECT_EQ(ClientPoint(moves[2].lParam).x, 400);
  EXPECT_EQ(ClientPoint(moves[2].lParam).y, -5) << "outside points stay signed";
  EXPECT_EQ(moves[1].wParam & MK_LBUTTON, MK_LBUTTON);
  EXPECT_TRUE(Messages({WM_MOUSEMOVE}).back().hwnd == a);

  ClearLog();
  SetCapture(b);
  auto changed = Messages({WM_CAPTURECHANGED});
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].hwnd, a);
  EXPECT_EQ(changed[0].lParam, reinterpret_cast<LPARAM>(b));
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), nullptr) << "a destroyed window gives the capture up";
  screen_->Release(200, 200);
  Pump();
  EXPECT_EQ(Messages({WM_LBUTTONUP}).back().hwnd, top);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleAndAQuickCloseSecondPress) {
  HWND top = MakeTop(0, 0, 400, 200);
  HWND plain = Make(top, 0, 0, 100, 100);
  HWND dbl = Make(top, 200, 0, 100, 100, WS_VISIBLE, 0, true);
  Pump();
  auto kinds = [&](HWND w) {
    std::vector<UINT> out;
    for (const Logged& l : Messages({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK})) {
      if (l.hwnd == w) out.push_back(l.message);
    }
    return out;
  };
  screen_->Click(10, 10);
  screen_->Click(11, 11);
  Pump();
  EXPECT_THAT(kinds(plain), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDOWN));

  ClearLog();
  screen_->Click(210, 10);
  screen_->Click(211, 11);
  screen_->Click(211, 11);
  Pump();
  EXPECT_THAT(kinds(dbl), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN))
      << "a third press starts again";

  ClearLog();
  screen_->Click(250, 50);
  Pump();
  screen_->Advance(GetDoubleClickTime() + 1);
  screen_->Click(250, 50);
  screen_->Click(260, 50);
  Pump();
  EXPECT_THAT(kinds(dbl), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN))
      << "too slow, then too far";
}

TEST_F(Input, ActivationAndFocusMessagesComeInOrder) {
  HWND first = MakeTop(0, 0, 100, 100);
  HWND edit = Make(first, 10, 10, 20, 20);
  SetFocus(edit);
  HWND second = MakeTop(200, 0, 100, 100);
  ASSERT_EQ(GetActiveWindow(), second);
  ClearLog();
  screen_->Click(20, 20);
  Pump();
  std::vector<std::pair<HWND, UINT>> seen;
  for (const Logged& l : Messages({WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                                   WM_MOUSEACTIVATE, WM_LBUTTONDOWN})) {
    seen.push_back({l.hwnd, l.message});
  }
  EXPECT_THAT(seen,
              ElementsAre(std::pair{edit, WM_MOUSEACTIVATE}, std::pair{first, WM_MOUSEACTIVATE},
                          std::pair{second, WM_NCACTIVATE}, std::pair{second, WM_ACTIVATE},
                          std::pair{first, WM_NCACTIVATE}, std::pair{first, WM_ACTIVATE},
                          std::pair{second, WM_KILLFOCUS}, std::pair{first, WM_SETFOCUS},
                          std::pair{edit, WM_LBUTTONDOWN}));
  auto activates = Messages({WM_ACTIVATE});
  EXPECT_EQ(LOWORD(DWORD(activates[0].wParam)), WA_INACTIVE);
  EXPECT_EQ(LOWORD(DWORD(activates[1].wParam)), WA_CLICKACTIVE);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), first) << "the default procedure focuses the activated window";

  SetFocus(edit);
  ClearLog();
  screen_->FocusLost();
  Pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  auto app = Messages({WM_ACTIVATEAPP});
  ASSERT_EQ(app.size(), 2u) << "every top-level window hears that the program lost the screen";
  EXPECT_EQ(app[0].wParam, WPARAM(FALSE));
  screen_->FocusGained(nullptr);
  Pump();
  EXPECT_EQ(GetActiveWindow(), first);
}

TEST_F(Input, HidingOrDestroyingTheActiveWindowActivatesItsOwner) {
  HWND main = MakeTop(0, 0, 100, 100);
  HWND dialog = CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, main,
                                nullptr, nullptr, nullptr);
  HWND button = Make(dialog, 0, 0, 10, 10);
  SetFocus(button);
  ASSERT_EQ(GetActiveWindow(), dialog);
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_NE(GetFocus(), button);
  ShowWindow(dialog, SW_SHOW);
  SetFocus(button);
  DestroyWindow(dialog);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), main);
}

TEST_F(Input, KeysGoToTheFocusWithTheirShiftStateAndTextBecomesCodePageCharacters) {
  HWND top = MakeTop(0, 0, 100, 100);
  HWND edit = Make(top, 0, 0, 50, 50);
  SetFocus(edit);
  ClearLog();
  screen_->KeyDown(VK_LSHIFT);
  screen_->KeyDown('A', 30);
  Pump();
  auto downs = Messages({WM_KEYDOWN});
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[1].hwnd, edit);
  EXPECT_EQ(downs[1].wParam, WPARAM('A'));
  EXPECT_EQ((downs[1].lParam >> 16) & 0xFF, 30);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0) << "the generic shift follows the left one";
  screen_->KeyUp('A');
  screen_->KeyUp(VK_LSHIFT);
  Pump();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_TRUE(Messages({WM_KEYUP}).back().lParam & KF_UP_BIT);

  ClearLog();
  // Farsi yeh and a Persian digit are not in 1256: they arrive as their best fits.
  screen_->TypeText("\xDB\x8C\xDB\xB1 \xD8\xB3");
  screen_->Tap(VK_RETURN);
  screen_->KeyDown(VK_CONTROL);
  screen_->Tap('C');
  screen_->KeyUp(VK_CONTROL);
  Pump();
  std::vector<WPARAM> chars;
  for (const Logged& l : Messages({WM_CHAR})) chars.push_back(l.wParam);
  EXPECT_THAT(chars, ElementsAre(0xED, '1', ' ', 0xD3, '\r', 3));

  ClearLog();
  screen_->KeyDown(VK_MENU);
  screen_->Tap('F');
  screen_->KeyUp(VK_MENU);
  Pump();
  auto sys = Messages({WM_SYSKEYDOWN, WM_SYSCHAR});
  ASSERT_GE(sys.size(), 3u);
  EXPECT_EQ(sys[1].wParam, WPARAM('F'));
  EXPECT_TRUE(sys[1].lParam & KF_ALTDOWN_BIT);
  EXPECT_EQ(sys[2].message, WM_SYSCHAR);
}

TEST_F(Input, AModalLoopDisablesTheOtherWindowsUntilItEnds) {
  HWND main = MakeTop(0, 0, 100, 100);
  HWND other = MakeTop(300, 300, 50, 50);
  HWND dialog = CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 150, 0, 100, 100, main,
                                nullptr, nullptr, nullptr);
  Pump();
  ClearLog();
  screen_->Click(10, 10);   // on the disabled main window: a beep, nothing delivered
  screen_->Click(160, 10);  // on the dialog, which ends the loop
  bool disabledInside = false;
  reactions[{dialog, WM_LBUTTONDOWN}] = [&](WPARAM, LPARAM, LRESULT*) {
    disabledInside = !IsWindowEnabled(main) && !IsWindowEnabled(other);
    EndModalLoop(dialog, 7);
    return true;
  };
  EXPECT_EQ(RunModalLoop(dialog), 7);
  EXPECT_TRUE(disabledInside);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(screen_->Beeps(), 1);
  for (const Logged& l : Messages({WM_LBUTTONDOWN})) EXPECT_EQ(l.hwnd, dialog);

  PostQuitMessage(3);
  EXPECT_EQ(RunModalLoop(dialog), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT) << "the quit is passed on to the outer loop";
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Input, TimersFireWhenDueAndTheQueueWaitsForThem) {
  HWND w = MakeTop(0, 0, 10, 10);
  Pump();
  DWORD start = GetTickCount();
  SetTimer(w, 5, 60, nullptr);
  static int threadTicks = 0;
  threadTicks = 0;
  UINT_PTR thread = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; });
  ASSERT_NE(thread, 0u);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "nothing is due yet";
  std::vector<DWORD> fired;
  while (fired.size() < 3) {
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    if (msg.message == WM_TIMER && msg.hwnd == w) {
      EXPECT_EQ(msg.wParam, 5u);
      fired.push_back(GetTickCount() - start);
    }
    DispatchMessageA(&msg);
  }
  EXPECT_THAT(fired, ElementsAre(60, 120, 180));
  EXPECT_EQ(threadTicks, 1);
  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_TRUE(KillTimer(nullptr, thread));
  EXPECT_FALSE(KillTimer(w, 5));
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1) << "nothing can arrive any more";
}

TEST_F(Input, ScrollBarsAnswerClicksAndThumbDrags) {
  HWND top = MakeTop(0, 0, 300, 300);
  HWND view = Make(top, 0, 0, 116, 216, WS_VISIBLE | WS_VSCROLL);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  Pump();
  ClearLog();
  // The bar is 216 high at x 100..116: arrows of 16, a track of 184, a thumb of 92.
  screen_->Click(108, 5);
  screen_->Click(108, 200);
  screen_->Click(108, 150);
  Pump();
  std::vector<WORD> codes;
  for (const Logged& l : Messages({WM_VSCROLL})) codes.push_back(LOWORD(DWORD(l.wParam)));
  EXPECT_THAT(codes, ElementsAre(SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN,
                                 SB_ENDSCROLL));
  EXPECT_TRUE(Messages({WM_LBUTTONDOWN}).empty()) << "bar clicks are not client clicks";

  ClearLog();
  screen_->Press(108, 30);
  screen_->MoveMouse(108, 76);
  screen_->MoveMouse(108, 400);
  screen_->Release(108, 400);
  Pump();
  std::vector<std::pair<WORD, WORD>> drag;
  for (const Logged& l : Messages({WM_VSCROLL})) {
    drag.push_back({LOWORD(DWORD(l.wParam)), HIWORD(DWORD(l.wParam))});
  }
  EXPECT_THAT(drag, ElementsAre(std::pair<WORD, WORD>{SB_THUMBTRACK, 25},
                                std::pair<WORD, WORD>{SB_THUMBTRACK, 50},
                                std::pair<WORD, WORD>{SB_THUMBPOSITION, 50},
                                std::pair<WORD, WORD>{SB_ENDSCROLL, 0}));
  SCROLLINFO out{sizeof out, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(view, SB_VERT, &out);
  EXPECT_EQ(out.nPos, 0) << "the owner moves the position, not the bar";

  si = {sizeof si, SIF_POS, 0, 0, 0, 500, 0};
  EXPECT_EQ(SetScrollInfo(view, SB_VERT, &si, TRUE), 50) << "clamped to max - page + 1";
  si = {sizeof si, SIF_RANGE | SIF_PAGE, 0, 9, 20, 0, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL) << "nothing to scroll: bar hidden";
  RECT client;
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 116);
}

TEST_F(Input, AHeldArrowRepeatsWhileThePointerStaysOnIt) {
  HWND top = MakeTop(0, 0, 300, 300);
  HWND view = Make(top, 0, 0, 116, 216, WS_VISIBLE | WS_VSCROLL);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 50, 0, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  Pump();
  ClearLog();
  auto lineDowns = [&] {
    int n = 0;
    for (const Logged& l : Messages({WM_VSCROLL})) n += LOWORD(DWORD(l.wParam)) == SB_LINEDOWN;
    return n;
  };
  screen_->Press(108, 210);
  Pump();
  EXPECT_EQ(lineDowns(), 1);
  screen_->Advance(300);
  Pump();
  EXPECT_EQ(lineDowns(), 1) << "not before the first pause";
  screen_->Advance(100);
  Pump();
  screen_->Advance(50);
  Pump();
  EXPECT_EQ(lineDowns(), 3);
  screen_->MoveMouse(108, 100);
  screen_->Advance(50);
  Pump();
  EXPECT_EQ(lineDowns(), 3) << "the pointer left the arrow";
  screen_->Release(108, 100);
  Pump();
  screen_->Advance(500);
  Pump();
  EXPECT_EQ(lineDowns(), 3);
  EXPECT_EQ(LOWORD(DWORD(Messages({WM_VSCROLL}).back().wParam)), SB_ENDSCROLL);
}

TEST_F(Input, ScrollBarsOnTheLeftAreHitThere) {
  HWND top = MakeTop(0, 0, 300, 300);
  HWND view = Make(top, 0, 0, 116, 216, WS_VISIBLE | WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 50, 0, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  Pump();
  ClearLog();
  screen_->Click(8, 210);
  screen_->Click(108, 210);
  Pump();
  ASSERT_FALSE(Messages({WM_VSCROLL}).empty());
  EXPECT_EQ(LOWORD(DWORD(Messages({WM_VSCROLL})[0].wParam)), SB_LINEDOWN);
  ASSERT_EQ(Messages({WM_LBUTTONDOWN}).size(), 1u);
  EXPECT_EQ(ClientPoint(Messages({WM_LBUTTONDOWN})[0].lParam).x, 92);
}

TEST_F(Input, TheClassCursorShowsOverTheClientArea) {
  HWND top = MakeTop(0, 0, 300, 300);
  Make(top, 0, 0, 50, 50, WS_VISIBLE, 0, true);
  HWND framed = Make(top, 100, 100, 50, 50, WS_VISIBLE | WS_BORDER);
  Pump();
  screen_->MoveMouse(10, 10);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_HAND)));
  screen_->MoveMouse(120, 120);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_IBEAM)));
  screen_->MoveMouse(100, 120);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_ARROW))) << "on the border";
  reactions[{top, WM_SETCURSOR}] = [](WPARAM, LPARAM, LRESULT* r) {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    *r = TRUE;
    return true;
  };
  screen_->MoveMouse(120, 120);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_WAIT)))
      << "a parent may decide for its children";
  (void)framed;
}

}  // namespace
}  // namespace platform
