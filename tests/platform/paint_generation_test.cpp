// Paint generation: invalid areas, erase requests, validation, the child rules, the order of
// WM_PAINT among other messages, and scrolling with the uncovered band.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

class Painting : public WindowTest {
 protected:
  // Remembers what each WM_PAINT of the window saw in BeginPaint.
  void WatchPaint(HWND w, std::vector<PAINTSTRUCT>* seen, bool eraseHandled = true) {
    reactions[{w, WM_PAINT}] = [w, seen](WPARAM, LPARAM, LRESULT*) {
      PAINTSTRUCT ps;
      BeginPaint(w, &ps);
      seen->push_back(ps);
      EndPaint(w, &ps);
      return true;
    };
    reactions[{w, WM_ERASEBKGND}] = [eraseHandled](WPARAM, LPARAM, LRESULT* r) {
      *r = eraseHandled ? 1 : 0;
      return true;
    };
  }
};

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Painting, InvalidAreasCombineIntoOnePaintWithErase) {
  HWND w = MakeTop(0, 0, 200, 100);
  std::vector<PAINTSTRUCT> seen;
  WatchPaint(w, &seen, false);
  Pump();
  ASSERT_EQ(seen.size(), 1u) << "a window shown is painted whole";
  EXPECT_TRUE(Same(seen[0].rcPaint, {0, 0, 200, 100}));
  seen.clear();
  ClearLog();

  RECT a{10, 10, 20, 20}, b{50, 40, 60, 90};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, TRUE);
  RECT pending;
  EXPECT_TRUE(GetUpdateRect(w, &pending, FALSE));
  EXPECT_TRUE(Same(pending, {10, 10, 60, 90}));
  Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(Same(seen[0].rcPaint, {10, 10, 60, 90}));
  EXPECT_TRUE(seen[0].fErase) << "the procedure left the background to the painter";
  EXPECT_EQ(Messages({WM_ERASEBKGND}).size(), 1u);

  seen.clear();
  ClearLog();
  InvalidateRect(w, &a, FALSE);
  Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(Messages({WM_ERASEBKGND}).empty()) << "no erase was asked for";
}

TEST_F(Painting, ValidationRemovesPaintAndOutsideAreasAreIgnored) {
  HWND w = MakeTop(0, 0, 100, 100);
  std::vector<PAINTSTRUCT> seen;
  WatchPaint(w, &seen);
  Pump();
  seen.clear();
  RECT left{0, 0, 50, 100}, right{50, 0, 100, 100};
  InvalidateRect(w, nullptr, TRUE);
  ValidateRect(w, &left);
  Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(Same(seen[0].rcPaint, right));
  seen.clear();
  InvalidateRect(w, &left, TRUE);
  ValidateRect(w, nullptr);
  RECT outside{300, 300, 400, 400};
  InvalidateRect(w, &outside, TRUE);
  Pump();
  EXPECT_TRUE(seen.empty());
  HWND hidden = MakeTop(0, 0, 10, 10, WS_POPUP);
  InvalidateRect(hidden, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE)) << "hidden windows are not painted";
}

TEST_F(Painting, ParentsPaintBeforeChildrenAndTheClipChildrenRuleDecidesWhoIsIncluded) {
  HWND clipping = MakeTop(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND inner = Make(clipping, 20, 20, 50, 50);
  Pump();
  ClearLog();
  InvalidateRect(clipping, nullptr, TRUE);
  Pump();
  auto paints = Messages({WM_PAINT});
  ASSERT_EQ(paints.size(), 1u) << "WS_CLIPCHILDREN keeps children out of the parent's paint";
  EXPECT_EQ(paints[0].hwnd, clipping);

  ClearLog();
  RedrawWindow(clipping, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  Pump();
  paints = Messages({WM_PAINT});
  ASSERT_EQ(paints.size(), 2u);
  EXPECT_EQ(paints[0].hwnd, clipping);
  EXPECT_EQ(paints[1].hwnd, inner);

  HWND open = MakeTop(300, 0, 200, 200);
  HWND covered = Make(open, 20, 20, 50, 50);
  HWND away = Make(open, 120, 120, 50, 50);
  Pump();
  ClearLog();
  RECT corner{0, 0, 40, 40};
  InvalidateRect(open, &corner, TRUE);
  std::vector<PAINTSTRUCT> seen;
  WatchPaint(covered, &seen);
  Pump();
  paints = Messages({WM_PAINT});
  ASSERT_EQ(paints.size(), 2u) << "without WS_CLIPCHILDREN the overlapped child is included";
  EXPECT_EQ(paints[1].hwnd, covered);
  EXPECT_TRUE(Same(seen[0].rcPaint, {0, 0, 20, 20})) << "in the child's own coordinates";
  EXPECT_FALSE(GetUpdateRect(away, nullptr, FALSE));
}

TEST_F(Painting, PaintWaitsForPostedMessagesAndComesBeforeTimers) {
  HWND w = MakeTop(0, 0, 50, 50);
  SetTimer(w, 1, 10, nullptr);
  screen_->Advance(20);
  PostMessageA(w, WM_USER, 0, 0);
  Pump();
  std::vector<UINT> order;
  for (const Logged& l : Messages({WM_USER, WM_PAINT, WM_TIMER})) order.push_back(l.message);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order[0], WM_USER);
  EXPECT_EQ(order[1], WM_PAINT);
  EXPECT_EQ(order[2], WM_TIMER);
  KillTimer(w, 1);
}

TEST_F(Painting, AProcedureThatNeverValidatesIsNotAskedForEver) {
  HWND w = MakeTop(0, 0, 50, 50);
  reactions[{w, WM_PAINT}] = [](WPARAM, LPARAM, LRESULT*) { return true; };
  Pump();
  EXPECT_EQ(Messages({WM_PAINT}).size(), 1u);
}

TEST_F(Painting, UpdateWindowPaintsAtOnceThroughTheTree) {
  HWND top = MakeTop(0, 0, 100, 100);
  HWND child = Make(top, 0, 0, 10, 10);
  UpdateWindow(top);
  auto paints = Messages({WM_PAINT});
  ASSERT_EQ(paints.size(), 2u);
  EXPECT_EQ(paints[1].hwnd, child);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Painting, ScrollingInvalidatesTheUncoveredBandAndCarriesPendingPaint) {
  HWND w = MakeTop(0, 0, 100, 100);
  std::vector<PAINTSTRUCT> seen;
  WatchPaint(w, &seen);
  Pump();
  seen.clear();
  ClearLog();

  struct Case {
    int dx, dy;
    RECT band;
    int complexity;
  } cases[] = {
      {0, -10, {0, 90, 100, 100}, 2}, {0, 25, {0, 0, 100, 25}, 2}, {-30, 0, {70, 0, 100, 100}, 2},
      {5, 5, {0, 0, 100, 100}, 3},    {0, 0, {0, 0, 0, 0}, 1},
  };
  for (const Case& c : cases) {
    RECT band;
    EXPECT_EQ(ScrollWindowEx(w, c.dx, c.dy, nullptr, nullptr, &band, SW_INVALIDATE | SW_ERASE),
              c.complexity);
    EXPECT_TRUE(Same(band, c.band)) << c.dx << "," << c.dy;
    RECT pending{};
    GetUpdateRect(w, &pending, FALSE);
    EXPECT_TRUE(Same(pending, c.band));
    ValidateRect(w, nullptr);
  }

  RECT old{10, 10, 20, 20};
  InvalidateRect(w, &old, FALSE);
  RECT band;
  ScrollWindowEx(w, 0, -10, nullptr, nullptr, &band, 0);
  RECT pending;
  GetUpdateRect(w, &pending, FALSE);
  EXPECT_TRUE(Same(pending, {10, 0, 20, 10})) << "pending paint moves with the pixels";
  ValidateRect(w, nullptr);

  RECT area{0, 0, 100, 50};
  ScrollWindowEx(w, 0, -10, &area, &area, &band, SW_INVALIDATE);
  EXPECT_TRUE(Same(band, {0, 40, 100, 50})) << "only the scrolled part is touched";
}

TEST_F(Painting, MovingAChildRepaintsWhatItUncovers) {
  HWND top = MakeTop(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND child = Make(top, 0, 0, 50, 50);
  Pump();
  MoveWindow(child, 100, 0, 50, 50, TRUE);
  RECT pending;
  ASSERT_TRUE(GetUpdateRect(top, &pending, FALSE));
  EXPECT_TRUE(Same(pending, {0, 0, 50, 50}));
  EXPECT_TRUE(GetUpdateRect(child, &pending, FALSE));
}

}  // namespace
}  // namespace platform
