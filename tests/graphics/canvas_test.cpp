// Canvases: drawing with the canvas's own font, pen and brush, and tracking their changes.
#include "graphics/canvas.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "platform/text.h"
#include "tests/platform/paint_fixture.h"

namespace {

using platform::POINT;
using platform::RECT;
using Surface = platform::platformtest::Canvas;

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;

// A canvas drawing on a white test surface.
struct Painted {
  explicit Painted(int width = 60, int height = 40) : surface(width, height) {
    canvas.SetHandle(surface.dc);
  }
  ~Painted() { canvas.SetHandle(nullptr); }
  Surface surface;
  TCanvas canvas;
};

TEST(CanvasTest, FillsWithTheBrushAndOutlinesWithThePen) {
  Painted p;
  p.canvas.Brush().SetColor(clRed);
  p.canvas.FillRect({2, 2, 10, 10});
  EXPECT_TRUE(platform::platformtest::SameRect(p.surface.Bounds(kRed), {2, 2, 10, 10}));

  p.canvas.Brush().SetColor(clLime);
  p.canvas.Pen().SetColor(clBlue);
  p.canvas.Rectangle(20, 20, 30, 30);
  EXPECT_EQ(p.surface.At(20, 20), kBlue);
  EXPECT_EQ(p.surface.At(29, 29), kBlue);
  EXPECT_EQ(p.surface.At(25, 25), kGreen);
  EXPECT_EQ(p.surface.At(30, 30), 0xFFFFFFu);
}

TEST(CanvasTest, ChangesToTheSelectedObjectsReachTheNextCall) {
  Painted p;
  p.canvas.Pen().SetColor(clRed);
  p.canvas.MoveTo(0, 5);
  p.canvas.LineTo(60, 5);
  p.canvas.Pen().SetColor(clBlue);
  p.canvas.Pen().SetWidth(3);
  p.canvas.MoveTo(0, 20);
  p.canvas.LineTo(60, 20);
  EXPECT_EQ(p.surface.At(30, 5), kRed);
  EXPECT_EQ(p.surface.At(30, 19), kBlue);
  EXPECT_EQ(p.surface.At(30, 21), kBlue);
  EXPECT_FALSE(p.canvas.State().Contains(TCanvasStates::csFontValid)) << "lines need no font";
  EXPECT_TRUE(p.canvas.State().Contains(TCanvasStates::csPenValid));

  TPen green;
  green.SetColor(clLime);
  p.canvas.SetPen(green);
  EXPECT_FALSE(p.canvas.State().Contains(TCanvasStates::csPenValid));
  p.canvas.MoveTo(0, 30);
  p.canvas.LineTo(60, 30);
  EXPECT_EQ(p.surface.At(30, 30), kGreen);
}

TEST(CanvasTest, MaskModeWithClearPenAndWhiteBrushLeavesPixelsAlone) {
  Painted p;
  p.canvas.Brush().SetColor(0x336699);
  p.canvas.FillRect({0, 0, 60, 40});
  p.canvas.Brush().SetColor(clWhite);
  p.canvas.Pen().SetStyle(TPenStyle::psClear);
  p.canvas.Pen().SetMode(TPenMode::pmMask);
  p.canvas.Rectangle(0, 0, 60, 40);
  EXPECT_EQ(p.surface.Count(0x996633), 60 * 40);

  // The same shape in copy mode paints it white, so the test above can fail.
  p.canvas.Pen().SetMode(TPenMode::pmCopy);
  p.canvas.Rectangle(0, 0, 60, 40);
  EXPECT_GT(p.surface.Count(0xFFFFFF), 0);
}

TEST(CanvasTest, TextTakesTheFontColourAndTheBrushDecidesTheBackground) {
  Painted p(120, 40);
  p.canvas.Font().SetName("Tahoma");
  p.canvas.Font().SetHeight(-15);
  p.canvas.Font().SetColor(clRed);
  p.canvas.Brush().SetStyle(TBrushStyle::bsClear);
  p.canvas.TextOut(5, 5, "Wg");
  RECT ink = p.surface.Ink();
  EXPECT_GT(p.surface.Count(kRed), 0);
  EXPECT_GE(ink.left, 5);
  EXPECT_GE(ink.top, 5);
  EXPECT_EQ(p.surface.Count(0x00FF00), 0);

  int narrow = p.canvas.TextWidth("W");
  EXPECT_GT(narrow, 0);
  EXPECT_GT(p.canvas.TextWidth("WWW"), 2 * narrow);
  EXPECT_EQ(p.canvas.TextHeight("Wg"), 18) << "Tahoma's line box at 15 pixels";

  p.canvas.Brush().SetColor(clLime);
  p.canvas.Font().SetColor(clBlue);
  p.canvas.TextRect({60, 0, 80, 40}, 60, 5, "WWWWWW");
  EXPECT_TRUE(platform::platformtest::SameRect(
      p.surface.Box([](std::uint32_t c) { return c == kGreen || c == kBlue; }), {60, 0, 80, 40}))
      << "filled and clipped to the rectangle";
}

TEST(CanvasTest, PersianTextIsShapedRightToLeftInItsBox) {
  Painted p(160, 30);
  p.canvas.Font().SetName("Tahoma");
  p.canvas.Font().SetHeight(-15);
  p.canvas.Font().SetCharset(ARABIC_CHARSET);
  // "سلام" in code page 1256.
  const AnsiString salam = "\xD3\xE1\xC7\xE3";
  int width = p.canvas.TextWidth(salam);
  p.canvas.TextOut(10, 5, salam);
  RECT ink = p.surface.Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + width + 1);
  EXPECT_GT(width, 20);
}

TEST(CanvasTest, PolyPolylineDrawsSeparateLinesAndRefusesBadCounts) {
  Painted p;
  const POINT points[] = {{0, 5}, {60, 5}, {0, 15}, {60, 15}};
  const platform::DWORD counts[] = {2, 2};
  p.canvas.Pen().SetColor(clRed);
  p.canvas.PolyPolyline(points, counts);
  EXPECT_EQ(p.surface.At(30, 5), kRed);
  EXPECT_EQ(p.surface.At(30, 15), kRed);
  EXPECT_EQ(p.surface.At(30, 10), 0xFFFFFFu) << "no line joins the two";
  const platform::DWORD tooMany[] = {2, 3};
  EXPECT_THROW(p.canvas.PolyPolyline(points, tooMany), EInvalidOperation);
}

TEST(CanvasTest, CopyRectStretchesFromAnotherCanvas) {
  Painted from(10, 10);
  from.canvas.Brush().SetColor(clBlue);
  from.canvas.FillRect({0, 0, 5, 10});
  Painted to(40, 40);
  to.canvas.CopyRect({0, 0, 20, 20}, from.canvas, {0, 0, 10, 10});
  EXPECT_TRUE(platform::platformtest::SameRect(to.surface.Bounds(kBlue), {0, 0, 10, 20}));
}

TEST(CanvasTest, AMirroredRightToLeftCanvasReportsItsOrientation) {
  Painted p;
  EXPECT_EQ(p.canvas.CanvasOrientation(), TCanvasOrientation::coLeftToRight);
  platform::SetMapMode(p.surface.dc, platform::MM_ANISOTROPIC);
  platform::SetWindowOrgEx(p.surface.dc, 60, 0, nullptr);
  platform::SetWindowExtEx(p.surface.dc, -60, 40, nullptr);
  platform::SetViewportExtEx(p.surface.dc, 60, 40, nullptr);
  EXPECT_EQ(p.canvas.CanvasOrientation(), TCanvasOrientation::coLeftToRight)
      << "mirrored, but the text does not read right to left";
  p.canvas.SetTextFlags(platform::ETO_RTLREADING);
  EXPECT_EQ(p.canvas.CanvasOrientation(), TCanvasOrientation::coRightToLeft);
  p.canvas.Brush().SetColor(clRed);
  p.canvas.FillRect({0, 0, 10, 40});
  EXPECT_TRUE(platform::platformtest::SameRect(p.surface.Bounds(kRed), {50, 0, 60, 40}))
      << "logical left is the device's right";
}

TEST(CanvasTest, WithoutAHandleDrawingIsRefused) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  try {
    canvas.FillRect({0, 0, 1, 1});
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
  }
}

TEST(CanvasTest, DetachingGivesTheDeviceContextItsStockObjectsBack) {
  Painted p;
  p.canvas.Font().SetName("Tahoma");
  p.canvas.TextOut(0, 0, "x");
  platform::HFONT selected = p.canvas.Font().Handle();
  EXPECT_EQ(platform::GetCurrentObject(p.surface.dc, platform::OBJ_FONT), selected);
  p.canvas.SetHandle(nullptr);
  EXPECT_NE(platform::GetCurrentObject(p.surface.dc, platform::OBJ_FONT), selected);
}

}  // namespace
