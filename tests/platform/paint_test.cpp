// Shapes, clipping, mix modes, mapping and edges, asserted on pixels and geometry.
#include <gtest/gtest.h>

#include "paint_fixture.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/pens_brushes.h"
#include "platform/region.h"
#include "platform/rop2.h"

namespace platform {
namespace {

using platformtest::Canvas;
using platformtest::SameRect;
using platformtest::Selected;

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kBlack = 0, kWhite = 0xFFFFFF;

TEST(ShapeTest, RectangleOutlineAndFillGeometry) {
  Canvas canvas(40, 40);
  Selected pen(canvas.dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  Selected brush(canvas.dc, CreateSolidBrush(RGB(255, 0, 0)));
  ASSERT_TRUE(Rectangle(canvas.dc, 5, 6, 15, 20));
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{5, 6, 15, 20}));
  EXPECT_TRUE(SameRect(canvas.Bounds(kRed), RECT{6, 7, 14, 19}));
  EXPECT_EQ(canvas.Count(kBlack), 2 * 10 + 2 * 12);
  EXPECT_EQ(canvas.Count(kRed), 8 * 12);
}

TEST(ShapeTest, NullPenShrinksTheFillAndFillRectIsExact) {
  Canvas canvas(40, 40);
  SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  Selected brush(canvas.dc, CreateSolidBrush(RGB(0, 0, 255)));
  Rectangle(canvas.dc, 5, 5, 15, 15);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{5, 5, 14, 14}));
  Canvas fill(40, 40);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r = {3, 4, 13, 9};
  FillRect(fill.dc, &r, red);
  EXPECT_TRUE(SameRect(fill.Ink(), r));
  EXPECT_EQ(fill.Count(kRed), 50);
  FrameRect(fill.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(fill.Count(kBlack), 2 * 10 + 2 * 3);
  EXPECT_EQ(fill.Count(kRed), 8 * 3);
  DeleteObject(red);
  SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
}

TEST(ShapeTest, LinesLeaveOutTheirLastPixelAndPolyPolylineDrawsEach) {
  Canvas canvas(30, 30);
  MoveToEx(canvas.dc, 2, 3, nullptr);
  LineTo(canvas.dc, 12, 3);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{2, 3, 12, 4}));
  POINT now;
  GetCurrentPositionEx(canvas.dc, &now);
  EXPECT_EQ(now.x, 12);
  const POINT points[] = {{0, 10}, {0, 20}, {5, 10}, {5, 20}, {10, 10}, {10, 20}};
  const DWORD counts[] = {2, 2, 2};
  Canvas many(30, 30);
  ASSERT_TRUE(PolyPolyline(many.dc, points, counts, 3));
  EXPECT_EQ(many.Count(kBlack), 30);
  const DWORD bad[] = {2, 1};
  EXPECT_FALSE(PolyPolyline(many.dc, points, bad, 2));
}

TEST(ShapeTest, EllipseAndRoundRectStayInTheirBox) {
  for (int shape = 0; shape < 2; ++shape) {
    Canvas canvas(50, 50);
    Selected brush(canvas.dc, CreateSolidBrush(RGB(0, 0, 255)));
    if (shape == 0) {
      Ellipse(canvas.dc, 10, 10, 40, 30);
    } else {
      RoundRect(canvas.dc, 10, 10, 40, 30, 8, 8);
    }
    EXPECT_TRUE(SameRect(canvas.Ink(), RECT{10, 10, 40, 30})) << shape;
    EXPECT_EQ(canvas.At(10, 10), kWhite) << shape;  // corners are cut
    EXPECT_EQ(canvas.At(25, 20), kBlue) << shape;
  }
}

TEST(RasterOpTest, MaskModeWhiteFillLeavesPixelsUnchanged) {
  Canvas canvas(30, 30);
  HBRUSH red = CreateSolidBrush(RGB(200, 30, 60));
  RECT left = {0, 0, 15, 30};
  FillRect(canvas.dc, &left, red);
  SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
  SetROP2(canvas.dc, R2_MASKPEN);
  Rectangle(canvas.dc, 5, 5, 25, 25);
  EXPECT_EQ(canvas.Count(0xC81E3C), 15 * 30);
  EXPECT_EQ(canvas.Count(kWhite), 15 * 30);
  DeleteObject(red);
}

TEST(RasterOpTest, XorLineDrawnTwiceLeavesNothing) {
  Canvas canvas(40, 40);
  HBRUSH gray = CreateSolidBrush(RGB(100, 120, 140));
  RECT half = {0, 0, 40, 20};
  FillRect(canvas.dc, &half, gray);
  Selected pen(canvas.dc, CreatePen(PS_SOLID, 3, RGB(255, 255, 255)));
  SetROP2(canvas.dc, R2_XORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(canvas.dc, 3, 5, nullptr);
    LineTo(canvas.dc, 30, 35);
    if (pass == 0) {
      EXPECT_LT(canvas.Count(0x64788C) + canvas.Count(kWhite), 40 * 40);
    }
  }
  EXPECT_EQ(canvas.Count(0x64788C), 40 * 20);
  EXPECT_EQ(canvas.Count(kWhite), 40 * 20);
  DeleteObject(gray);
}

TEST(RasterOpTest, EveryModeFollowsItsTruthTable) {
  struct Case {
    int mode;
    std::uint32_t expected;  // pen 0xF0F0F0 over destination 0xCCCCCC
  };
  const Case cases[] = {
      {R2_BLACK, 0x000000},      {R2_NOTMERGEPEN, 0x030303}, {R2_MASKNOTPEN, 0x0C0C0C},
      {R2_NOTCOPYPEN, 0x0F0F0F}, {R2_MASKPENNOT, 0x303030},  {R2_NOT, 0x333333},
      {R2_XORPEN, 0x3C3C3C},     {R2_NOTMASKPEN, 0x3F3F3F},  {R2_MASKPEN, 0xC0C0C0},
      {R2_NOTXORPEN, 0xC3C3C3},  {R2_NOP, 0xCCCCCC},         {R2_MERGENOTPEN, 0xCFCFCF},
      {R2_COPYPEN, 0xF0F0F0},    {R2_MERGEPENNOT, 0xF3F3F3}, {R2_MERGEPEN, 0xFCFCFC},
      {R2_WHITE, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    Canvas canvas(10, 10);
    canvas.surface.Fill(0xFFCCCCCC);
    Selected brush(canvas.dc, CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0)));
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    SetROP2(canvas.dc, c.mode);
    Rectangle(canvas.dc, 0, 0, 11, 11);
    EXPECT_EQ(canvas.At(5, 5), c.expected) << c.mode;
    EXPECT_EQ(ApplyRop2(c.mode, 0xF0F0F0, 0xCCCCCC), c.expected) << c.mode;
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
  }
}

TEST(RasterOpTest, FocusRectTwiceRestoresAndFillRectIgnoresTheMixMode) {
  Canvas canvas(20, 20);
  RECT r = {2, 2, 18, 12};
  DrawFocusRect(canvas.dc, &r);
  EXPECT_TRUE(SameRect(canvas.Ink(), r));
  EXPECT_EQ(canvas.At(2, 2), kBlack);
  EXPECT_EQ(canvas.At(3, 2), kWhite);  // every other pixel
  EXPECT_EQ(canvas.At(5, 5), kWhite);  // inside untouched
  DrawFocusRect(canvas.dc, &r);
  EXPECT_EQ(canvas.Count(kWhite), 400);

  SetROP2(canvas.dc, R2_NOP);
  FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.Count(kBlack), 16 * 10);
}

TEST(ClipTest, VisibleRegionAndClipRegionBoundDrawing) {
  // The window's client starts at (10, 10) of the surface and only its left part is visible.
  HRGN visible = CreateRectRgn(10, 10, 30, 40);
  Canvas canvas(60, 60, POINT{10, 10}, visible);
  DeleteObject(visible);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT all = {0, 0, 40, 40};
  FillRect(canvas.dc, &all, blue);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{10, 10, 30, 40}));

  canvas.surface.Fill(Canvas::kWhite);
  HRGN hole = CreateRectRgn(0, 0, 40, 40);
  HRGN inner = CreateRectRgn(5, 5, 10, 10);
  CombineRgn(hole, hole, inner, RGN_DIFF);
  EXPECT_EQ(SelectClipRgn(canvas.dc, hole), COMPLEXREGION);
  FillRect(canvas.dc, &all, blue);
  EXPECT_EQ(canvas.At(17, 17), kWhite);  // the hole, in surface coordinates
  EXPECT_EQ(canvas.At(12, 12), kBlue);
  RECT box;
  EXPECT_EQ(GetClipBox(canvas.dc, &box), COMPLEXREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 20, 30}));
  EXPECT_FALSE(PtVisible(canvas.dc, 7, 7));
  EXPECT_TRUE(PtVisible(canvas.dc, 2, 2));
  EXPECT_FALSE(PtVisible(canvas.dc, 25, 2));

  canvas.surface.Fill(Canvas::kWhite);
  SelectClipRgn(canvas.dc, nullptr);
  IntersectClipRect(canvas.dc, 2, 2, 6, 6);
  ExcludeClipRect(canvas.dc, 2, 2, 4, 6);
  FillRect(canvas.dc, &all, blue);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{14, 12, 16, 16}));
  DeleteObject(hole);
  DeleteObject(inner);
  DeleteObject(blue);
}

TEST(ClipTest, MixedModesRespectTheClipToo) {
  Canvas canvas(20, 20);
  HRGN ring = CreateRectRgn(0, 0, 20, 20);
  HRGN centre = CreateRectRgn(5, 5, 15, 15);
  CombineRgn(ring, ring, centre, RGN_DIFF);
  SelectClipRgn(canvas.dc, ring);
  SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
  SetROP2(canvas.dc, R2_NOT);
  Rectangle(canvas.dc, 0, 0, 21, 21);
  EXPECT_EQ(canvas.Count(kBlack), 400 - 100);
  EXPECT_TRUE(SameRect(canvas.Bounds(kWhite), RECT{5, 5, 15, 15}));
  DeleteObject(ring);
  DeleteObject(centre);
}

TEST(ClipTest, SaveAndRestoreBringBackClipAndObjects) {
  Canvas canvas(20, 20);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  int level = SaveDC(canvas.dc);
  EXPECT_EQ(level, 1);
  IntersectClipRect(canvas.dc, 0, 0, 5, 5);
  SelectObject(canvas.dc, red);
  SetTextColor(canvas.dc, RGB(1, 2, 3));
  EXPECT_FALSE(DeleteObject(red));  // still selected
  SaveDC(canvas.dc);
  EXPECT_TRUE(RestoreDC(canvas.dc, level));
  EXPECT_EQ(GetTextColor(canvas.dc), RGB(0, 0, 0));
  EXPECT_NE(GetCurrentObject(canvas.dc, OBJ_BRUSH), red);
  RECT all = {0, 0, 20, 20};
  FillRect(canvas.dc, &all, red);
  EXPECT_EQ(canvas.Count(kRed), 400);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(RestoreDC(canvas.dc, -1));
  // A stale handle is refused everywhere, not reused.
  EXPECT_EQ(SelectObject(canvas.dc, red), nullptr);
  EXPECT_FALSE(FillRect(canvas.dc, &all, red));
}

TEST(MappingTest, AnisotropicMirroringFlipsShapesAndEdges) {
  const int w = 50;
  Canvas canvas(w, 20);
  SetMapMode(canvas.dc, MM_ANISOTROPIC);
  SetWindowOrgEx(canvas.dc, w, 0, nullptr);
  SetWindowExtEx(canvas.dc, -w, 20, nullptr);
  SetViewportExtEx(canvas.dc, w, 20, nullptr);
  POINT p = {10, 5};
  LPtoDP(canvas.dc, &p, 1);
  EXPECT_EQ(p.x, 40);
  DPtoLP(canvas.dc, &p, 1);
  EXPECT_EQ(p.x, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r = {0, 0, 10, 20};
  FillRect(canvas.dc, &r, red);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{40, 0, 50, 20}));
  // The logical right edge of a raised edge lands on the device's left.
  canvas.surface.Fill(Canvas::kWhite);
  RECT cell = {10, 0, 30, 10};
  DrawEdge(canvas.dc, &cell, BDR_RAISEDINNER, BF_RIGHT);
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{20, 0, 21, 10}));
  EXPECT_EQ(canvas.At(20, 5), 0x808080u);
  SetMapMode(canvas.dc, MM_TEXT);
  p = {10, 5};
  LPtoDP(canvas.dc, &p, 1);
  EXPECT_EQ(p.x, 10 - w);  // origins stay; only the extents reset
  DeleteObject(red);
}

TEST(DrawEdgeTest, BordersPerSideAndDepth) {
  struct Case {
    UINT edge;
    UINT flags;
    RECT interior;  // after BF_ADJUST
    std::uint32_t topLeft, topRight, bottomLeft;
  };
  const RECT box = {2, 2, 12, 12};
  const Case cases[] = {
      {BDR_RAISEDINNER, BF_RECT, {3, 3, 11, 11}, 0xFFFFFF, 0x808080, 0x808080},
      {BDR_SUNKENOUTER, BF_RECT, {3, 3, 11, 11}, 0x808080, 0xFFFFFF, 0xFFFFFF},
      {EDGE_RAISED, BF_RECT, {4, 4, 10, 10}, 0xC0C0C0, 0x000000, 0x000000},
      {EDGE_SUNKEN, BF_RECT, {4, 4, 10, 10}, 0x808080, 0xFFFFFF, 0xFFFFFF},
      {EDGE_ETCHED, BF_RECT, {4, 4, 10, 10}, 0x808080, 0xFFFFFF, 0xFFFFFF},
      {BDR_RAISEDINNER, BF_TOPLEFT, {3, 3, 12, 12}, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
      {BDR_RAISEDINNER, BF_BOTTOMRIGHT, {2, 2, 11, 11}, kWhite, 0x808080, 0x808080},
      {BDR_RAISEDINNER, BF_RECT | BF_FLAT, {3, 3, 11, 11}, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0},
      {BDR_RAISEDOUTER, BF_RECT | BF_MONO, {3, 3, 11, 11}, 0x000000, 0x000000, 0x000000},
  };
  for (const Case& c : cases) {
    Canvas canvas(14, 14);
    RECT r = box;
    ASSERT_TRUE(DrawEdge(canvas.dc, &r, c.edge, c.flags | BF_ADJUST));
    EXPECT_TRUE(SameRect(r, c.interior)) << c.edge << " " << c.flags;
    EXPECT_EQ(canvas.At(2, 2), c.topLeft) << c.edge << " " << c.flags;
    EXPECT_EQ(canvas.At(11, 2), c.topRight) << c.edge << " " << c.flags;
    EXPECT_EQ(canvas.At(2, 11), c.bottomLeft) << c.edge << " " << c.flags;
    EXPECT_EQ(canvas.At(7, 7), kWhite);  // the middle is not filled
  }
  Canvas middle(14, 14);
  RECT r = box;
  DrawEdge(middle.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  EXPECT_EQ(middle.At(7, 7), 0xC0C0C0u);
  Canvas diagonal(14, 14);
  r = box;
  DrawEdge(diagonal.dc, &r, BDR_RAISEDOUTER, BF_DIAGONAL_ENDTOPRIGHT);
  EXPECT_EQ(diagonal.At(2, 11), kBlack);
  EXPECT_EQ(diagonal.At(10, 3), kBlack);
  EXPECT_EQ(diagonal.At(2, 2), kWhite);
}

TEST(BrushTest, HatchAndPatternBrushesRepeatFromTheBrushOrigin) {
  Canvas canvas(16, 16);
  Selected hatch(canvas.dc, CreateHatchBrush(HS_CROSS, RGB(255, 0, 0)));
  SetBkMode(canvas.dc, TRANSPARENT);
  SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  Rectangle(canvas.dc, 0, 0, 17, 17);
  EXPECT_EQ(canvas.Count(kRed), 2 * (2 * 16 - 2));  // rows 7, 15 and columns 7, 15
  EXPECT_EQ(canvas.At(7, 0), kRed);
  EXPECT_EQ(canvas.At(0, 0), kWhite);
  SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
}

}  // namespace
}  // namespace platform
