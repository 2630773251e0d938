// Windows: creation and destruction order, stale handles, relations, z-order, placement and
// frames, text, longs, subclassing and properties.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
WNDPROC previousProc = nullptr;
int subclassedCalls = 0;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 7) return 99;
  ++subclassedCalls;
  return CallWindowProcA(previousProc, hwnd, msg, wParam, lParam);
}

class Windows : public WindowTest {};

TEST_F(Windows, CreationSendsItsMessagesInOrder) {
  HWND top = MakeTop(10, 20, 200, 100, WS_POPUP);
  std::vector<UINT> seen;
  for (const Logged& l : log) seen.push_back(l.message);
  EXPECT_THAT(seen, ElementsAre(WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE));
  EXPECT_EQ(log[3].lParam, LPARAM(MAKELONG(200, 100)));
  EXPECT_EQ(log[4].lParam, LPARAM(MAKELONG(10, 20)));
  EXPECT_TRUE(IsWindow(top));
  EXPECT_FALSE(IsWindowVisible(top));
}

TEST_F(Windows, DestructionReachesChildrenAndOwnedWindowsAndLeavesStaleHandles) {
  HWND top = MakeTop(0, 0, 200, 200);
  HWND child = Make(top, 10, 10, 50, 50);
  HWND owned = CreateWindowExA(0, "Recorder", "owned", WS_POPUP, 0, 0, 10, 10, child, nullptr,
                               nullptr, nullptr);
  ASSERT_EQ(GetWindow(owned, GW_OWNER), top);
  ClearLog();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> seen;
  for (const Logged& l : Messages({WM_DESTROY, WM_NCDESTROY})) seen.push_back({l.hwnd, l.message});
  EXPECT_THAT(seen, ElementsAre(std::pair{owned, WM_DESTROY}, std::pair{owned, WM_NCDESTROY},
                                std::pair{top, WM_DESTROY}, std::pair{child, WM_DESTROY},
                                std::pair{child, WM_NCDESTROY}, std::pair{top, WM_NCDESTROY}));
  for (HWND gone : {top, child, owned}) {
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(DestroyWindow(gone));
    EXPECT_FALSE(SetWindowTextA(gone, "x"));
    EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
    RECT r;
    EXPECT_FALSE(GetClientRect(gone, &r));
  }
}

TEST_F(Windows, CreationRefusedByTheProcedureOrWithBadArguments) {
  HWND probe = MakeTop(0, 0, 10, 10);
  ASSERT_NE(probe, nullptr);
  // The next handle is not known in advance, so refuse every WM_CREATE through a class proc.
  WNDCLASSA wc{};
  wc.lpszClassName = "Refuser";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProcA(h, m, w, l);
  };
  ASSERT_NE(RegisterClassA(&wc), 0);
  EXPECT_EQ(RegisterClassA(&wc), 0) << "a class name is registered once";
  EXPECT_EQ(
      CreateWindowExA(0, "refuser", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(
      CreateWindowExA(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr)
      << "a child needs a parent";
  EXPECT_TRUE(UnregisterClassA("Refuser", nullptr));
}

TEST_F(Windows, RelationsAndZOrder) {
  HWND top = MakeTop(0, 0, 300, 300);
  HWND a = Make(top, 0, 0, 10, 10);
  HWND b = Make(top, 0, 0, 10, 10);
  HWND c = Make(top, 0, 0, 10, 10);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetAncestor(c, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, b));
  EXPECT_FALSE(IsChild(a, b));
  // Later windows lie above earlier ones.
  EXPECT_EQ(GetWindow(top, GW_CHILD), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
  SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
  SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  HWND other = MakeTop(0, 0, 10, 10);
  EXPECT_EQ(SetParent(c, other), top);
  EXPECT_EQ(GetParent(c), other);
  EXPECT_EQ(SetParent(other, c), nullptr) << "a window cannot become its own descendant";
}

TEST_F(Windows, OwnedWindowsStayAboveTheirOwnerWhenItComesForward) {
  auto owned = [](HWND owner) {
    return CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner,
                           nullptr, nullptr, nullptr);
  };
  HWND owner = MakeTop(0, 0, 300, 300);
  HWND dialog = owned(owner);
  HWND box = owned(dialog);
  HWND other = MakeTop(0, 0, 100, 100);
  EXPECT_EQ(GetWindow(other, GW_HWNDNEXT), box);
  BringWindowToTop(owner);
  EXPECT_EQ(GetWindow(box, GW_HWNDNEXT), dialog);
  EXPECT_EQ(GetWindow(dialog, GW_HWNDNEXT), owner) << "the owned windows come along, above it";
  EXPECT_EQ(GetWindow(owner, GW_HWNDNEXT), other);
  SetActiveWindow(other);
  SetActiveWindow(owner);
  EXPECT_EQ(GetWindow(dialog, GW_HWNDNEXT), owner) << "activation keeps them above too";
  BringWindowToTop(other);
  EXPECT_EQ(GetWindow(other, GW_HWNDNEXT), box) << "an unrelated window goes over them all";
}

TEST_F(Windows, MovingAndSizingReportsTheClientArea) {
  HWND top = MakeTop(100, 100, 300, 200);
  HWND child = Make(top, 10, 10, 50, 40, WS_VISIBLE | WS_BORDER);
  ClearLog();
  MoveWindow(child, 20, 30, 60, 50, TRUE);
  auto moves = Messages({WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[1].lParam, LPARAM(MAKELONG(21, 31))) << "WM_MOVE gives the client's corner";
  EXPECT_EQ(moves[2].lParam, LPARAM(MAKELONG(58, 48)));
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 120);
  EXPECT_EQ(r.top, 130);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 121);
  EXPECT_EQ(p.y, 131);
  ClearLog();
  MoveWindow(child, 20, 30, 60, 50, TRUE);
  EXPECT_TRUE(Messages({WM_MOVE, WM_SIZE}).empty()) << "nothing changed, nothing reported";
}

TEST_F(Windows, FramesTakeTheirPlaceFromTheClientArea) {
  struct Case {
    DWORD style;
    DWORD exStyle;
    RECT client;  // in window coordinates
  } cases[] = {
      {0, 0, {0, 0, 100, 80}},
      {WS_BORDER, 0, {1, 1, 99, 79}},
      {0, WS_EX_CLIENTEDGE, {2, 2, 98, 78}},
      {WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 97, 77}},
      {WS_VSCROLL, 0, {0, 0, 84, 80}},
      {WS_VSCROLL, WS_EX_LEFTSCROLLBAR, {16, 0, 100, 80}},
      {WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR, {18, 2, 98, 62}},
      {WS_CAPTION, 0, {3, 22, 97, 77}},
  };
  HWND top = MakeTop(0, 0, 400, 400);
  for (const Case& c : cases) {
    HWND w = Make(top, 50, 60, 100, 80, WS_VISIBLE | c.style, c.exStyle);
    RECT client, window;
    GetClientRect(w, &client);
    GetWindowRect(w, &window);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    SCOPED_TRACE(testing::Message() << "style " << std::hex << c.style << " ex " << c.exStyle);
    EXPECT_EQ(origin.x - window.left, c.client.left);
    EXPECT_EQ(origin.y - window.top, c.client.top);
    EXPECT_EQ(client.right, c.client.right - c.client.left);
    EXPECT_EQ(client.bottom, c.client.bottom - c.client.top);
  }
}

TEST_F(Windows, TextLongsPropertiesAndSubclassing) {
  HWND w = CreateWindowExA(0, "Recorder", "\xC7\xE1\xE3", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
  EXPECT_EQ(GetWindowString(w), "\xC7\xE1\xE3");
  SetWindowTextA(w, "caption");
  char small[4];
  EXPECT_EQ(GetWindowTextA(w, small, sizeof small), 3);
  EXPECT_STREQ(small, "cap") << "cut to the buffer, always terminated";
  EXPECT_EQ(GetWindowTextLengthA(w), 7);

  EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 1234);
  SetWindowLongA(w, GWL_EXSTYLE, WS_EX_RTLREADING);
  EXPECT_EQ(DWORD(GetWindowLongA(w, GWL_EXSTYLE)), WS_EX_RTLREADING);

  int value = 5;
  EXPECT_TRUE(SetPropA(w, "Owner", &value));
  EXPECT_EQ(GetPropA(w, "OWNER"), &value) << "property names ignore case";
  EXPECT_EQ(RemovePropA(w, "owner"), &value);
  EXPECT_EQ(GetPropA(w, "Owner"), nullptr);

  previousProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(CountingProc)));
  subclassedCalls = 0;
  EXPECT_EQ(SendMessageA(w, WM_USER + 7, 0, 0), 99);
  SetWindowTextA(w, "through");
  EXPECT_EQ(subclassedCalls, 1);
  EXPECT_EQ(GetWindowString(w), "through") << "the old procedure still does the work";
  SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(previousProc));
}

TEST_F(Windows, ShowingAndHidingNotifiesAndStateChanges) {
  HWND w = MakeTop(0, 0, 100, 100, WS_POPUP);
  ClearLog();
  EXPECT_FALSE(ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(w));
  ASSERT_FALSE(Messages({WM_SHOWWINDOW}).empty());
  EXPECT_EQ(Messages({WM_SHOWWINDOW})[0].wParam, WPARAM(TRUE));
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  EXPECT_EQ(Messages({WM_SIZE}).back().wParam, SIZE_MINIMIZED);
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  ShowWindow(w, SW_SHOWMAXIMIZED);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(w));
}

}  // namespace
}  // namespace platform
