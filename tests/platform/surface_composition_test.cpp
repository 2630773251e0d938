// What windows draw reaches their top-level window's picture: children clip their parent,
// siblings clip each other by z-order, paint is limited to the invalid area, scrolling moves
// pixels, and frames and scroll bars are drawn by the system.
#include <gtest/gtest.h>

#include "platform/draw.h"
#include "platform/pens_brushes.h"
#include "platform/region.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGreen = 0xFF00FF00;

class Composition : public WindowTest {
 protected:
  // The window fills what it is asked to paint with one colour.
  void PaintWith(HWND w, COLORREF color) {
    reactions[{w, WM_PAINT}] = [w, color](WPARAM, LPARAM, LRESULT*) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT all;
      GetClientRect(w, &all);
      HBRUSH brush = CreateSolidBrush(color);
      FillRect(dc, &all, brush);
      DeleteObject(brush);
      EndPaint(w, &ps);
      return true;
    };
  }
  std::uint32_t Pixel(HWND top, int x, int y) {
    int width = 0, height = 0;
    const auto& pixels = screen_->Pixels(top, &width, &height);
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
};

TEST_F(Composition, ChildrenClipTheirParentAndSiblingsClipByZOrder) {
  HWND top = MakeTop(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND lower = Make(top, 10, 10, 40, 40);
  HWND upper = Make(top, 30, 30, 40, 40);
  PaintWith(top, RGB(255, 0, 0));
  PaintWith(lower, RGB(0, 0, 255));
  PaintWith(upper, RGB(0, 255, 0));
  Pump();
  EXPECT_EQ(Pixel(top, 5, 5), kRed);
  EXPECT_EQ(Pixel(top, 15, 15), kBlue);
  EXPECT_EQ(Pixel(top, 35, 35), kGreen) << "the later sibling lies above";
  EXPECT_EQ(Pixel(top, 65, 65), kGreen);

  InvalidateRect(top, nullptr, TRUE);
  RedrawWindow(lower, nullptr, RDW_INVALIDATE);
  Pump();
  EXPECT_EQ(Pixel(top, 15, 15), kBlue) << "the parent's paint does not cover its children";
  EXPECT_EQ(Pixel(top, 35, 35), kGreen) << "the lower sibling's paint does not cover the upper";
  EXPECT_EQ(Pixel(top, 80, 80), kRed);
}

TEST_F(Composition, PaintIsLimitedToTheInvalidArea) {
  HWND top = MakeTop(0, 0, 100, 100);
  PaintWith(top, RGB(255, 0, 0));
  Pump();
  PaintWith(top, RGB(0, 0, 255));
  RECT part{0, 0, 50, 100};
  InvalidateRect(top, &part, FALSE);
  Pump();
  EXPECT_EQ(Pixel(top, 10, 10), kBlue);
  EXPECT_EQ(Pixel(top, 60, 10), kRed) << "the valid part keeps its pixels";
}

TEST_F(Composition, ScrollingMovesThePixelsAndRepaintsTheBand) {
  HWND top = MakeTop(0, 0, 100, 100);
  reactions[{top, WM_PAINT}] = [top](WPARAM, LPARAM, LRESULT*) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(top, &ps);
    // Stripes of ten rows, their colour telling their row.
    for (int band = 0; band < 10; ++band) {
      RECT r{0, band * 10, 100, band * 10 + 10};
      HBRUSH brush = CreateSolidBrush(RGB(band * 20, 0, 0));
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    }
    EndPaint(top, &ps);
    return true;
  };
  Pump();
  std::uint32_t third = Pixel(top, 50, 25);
  ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, 0);
  Pump();
  EXPECT_EQ(Pixel(top, 50, 15), third) << "the stripe moved up by ten rows";
  PaintWith(top, RGB(0, 255, 0));
  ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  Pump();
  EXPECT_EQ(Pixel(top, 50, 95), kGreen) << "the uncovered band was painted";
  EXPECT_EQ(Pixel(top, 50, 5), third) << "the rest was moved, not painted";
}

TEST_F(Composition, TheSystemDrawsBordersAndScrollBars) {
  HWND top = MakeTop(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  PaintWith(top, RGB(255, 255, 255));
  HWND bordered = Make(top, 10, 10, 50, 50, WS_VISIBLE | WS_BORDER);
  PaintWith(bordered, RGB(255, 0, 0));
  HWND scrolled = Make(top, 100, 10, 60, 100, WS_VISIBLE | WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
  PaintWith(scrolled, RGB(255, 0, 0));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 50, 0, 0};
  SetScrollInfo(scrolled, SB_VERT, &si, TRUE);
  Pump();
  EXPECT_EQ(Pixel(top, 10, 30), 0xFF000000u) << "the border line";
  EXPECT_EQ(Pixel(top, 11, 30), kRed);
  EXPECT_EQ(Pixel(top, 117, 50), kRed) << "the client lies right of the bar";
  std::uint32_t thumb = Pixel(top, 108, 50);
  EXPECT_EQ(thumb, 0xFFC0C0C0u) << "the thumb in button face";
  EXPECT_NE(Pixel(top, 108, 90), thumb) << "the track below it";
}

}  // namespace
}  // namespace platform
