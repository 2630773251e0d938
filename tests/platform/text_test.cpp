// Font metrics, text extents, text placement under mirroring, and DrawText layout.
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "paint_fixture.h"
#include "platform/codepage.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/pens_brushes.h"

namespace platform {
namespace {

using platformtest::Canvas;
using platformtest::SameRect;
using platformtest::Selected;

HFONT MakeFont(const char* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = ARABIC_CHARSET;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// Persian in code page 1256, from UTF-8 literals.
std::string Fa(const char* utf8) {
  return Utf8ToAnsi(utf8);
}

TEST(FontTest, TahomaLineBoxesFollowTheFacesOwnMetrics) {
  struct Case {
    LONG height;
    LONG textHeight;
  };
  // Negative heights are the em size; positive ones the whole cell.
  const Case cases[] = {{-12, 14}, {-15, 18}, {-11, 13}, {-13, 16}, {14, 14}, {18, 18}};
  Canvas canvas(10, 10);
  for (const Case& c : cases) {
    Selected font(canvas.dc, MakeFont("Tahoma", c.height));
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "0", 1, &size));
    EXPECT_EQ(size.cy, c.textHeight) << c.height;
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, c.textHeight) << c.height;
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmOverhang, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
  }
}

TEST(FontTest, TahomaMinusTwelveMetrics) {
  Canvas canvas(10, 10);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  TEXTMETRICA tm;
  ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
  EXPECT_EQ(tm.tmAscent, 12);
  EXPECT_EQ(tm.tmDescent, 2);
  EXPECT_EQ(tm.tmInternalLeading, 2);
  SIZE zero;
  GetTextExtentPoint32A(canvas.dc, "0", 1, &zero);
  EXPECT_GE(zero.cx, 6);
  EXPECT_LE(zero.cx, 8);
  // Weighted over lower-case Latin, not over every glyph of the face.
  EXPECT_EQ(tm.tmAveCharWidth, 5);
}

TEST(FontTest, UnknownFacesFallBackToAFaceForArabicScript) {
  Canvas canvas(10, 10);
  Selected font(canvas.dc, MakeFont("No Such Face 123", -12));
  char face[LF_FACESIZE];
  GetTextFaceA(canvas.dc, LF_FACESIZE, face);
  EXPECT_STREQ(face, kFallbackFace);
  // The fallback shapes Persian: joined letters are narrower than the same letters apart.
  std::string joined = Fa("سلام"), apart = Fa("س ل ا م");
  SIZE a, b;
  GetTextExtentPoint32A(canvas.dc, joined.data(), int(joined.size()), &a);
  GetTextExtentPoint32A(canvas.dc, apart.data(), int(apart.size()), &b);
  EXPECT_GT(a.cx, 0);
  EXPECT_LT(a.cx, b.cx);
  EXPECT_TRUE(FontFamilyExists("MS Sans Serif"));
  EXPECT_TRUE(FontFamilyExists("tahoma"));
}

TEST(FontTest, ExtentsMeasureOneLineWhateverTheTextHolds) {
  Canvas canvas(10, 10);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  SIZE broken, spaced, empty;
  GetTextExtentPoint32A(canvas.dc, "ab\r\ncd", 6, &broken);
  GetTextExtentPoint32A(canvas.dc, "ab  cd", 6, &spaced);
  EXPECT_EQ(broken.cx, spaced.cx);
  EXPECT_EQ(broken.cy, 14);
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "", 0, &empty));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 14);
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc, "x", -1, &empty));
}

TEST(FontTest, BitmapFacesUseTheirStrikesUnscaled) {
  // MS Sans Serif has 13, 16 and 20 pixel strikes; 8, 10 and 12 points pick them as the
  // classic raster face did.
  struct Case {
    LONG height;
    LONG cell;
  };
  const Case cases[] = {{-11, 13}, {-13, 16}, {-16, 20}, {-8, 13}, {13, 13}, {19, 16}};
  Canvas canvas(10, 10);
  for (const Case& c : cases) {
    Selected font(canvas.dc, MakeFont("MS Sans Serif", c.height));
    TEXTMETRICA tm;
    GetTextMetricsA(canvas.dc, &tm);
    EXPECT_EQ(tm.tmHeight, c.cell) << c.height;
  }
}

TEST(TextOutTest, TextBoxFollowsAlignmentAndBackgroundMode) {
  Canvas canvas(200, 40);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  SIZE size;
  GetTextExtentPoint32A(canvas.dc, "Hello", 5, &size);
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  ASSERT_TRUE(TextOutA(canvas.dc, 10, 5, "Hello", 5));
  // Opaque mode fills exactly the text's box with the background colour.
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{10, 5, 10 + size.cx, 5 + size.cy}));

  Canvas right(200, 40);
  Selected font2(right.dc, MakeFont("Tahoma", -12));
  SetBkMode(right.dc, TRANSPARENT);
  SetTextAlign(right.dc, TA_RIGHT | TA_BOTTOM);
  TextOutA(right.dc, 150, 30, "Hello", 5);
  RECT ink = right.Ink();
  EXPECT_LE(ink.right, 150);
  EXPECT_GE(ink.left, 150 - size.cx);
  EXPECT_LE(ink.bottom, 30);
  EXPECT_GE(ink.top, 30 - size.cy);
}

TEST(TextOutTest, ExtTextOutOpaqueAndClipped) {
  Canvas canvas(200, 40);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  SetBkColor(canvas.dc, RGB(255, 0, 0));
  SetBkMode(canvas.dc, TRANSPARENT);
  RECT cell = {20, 10, 50, 30};
  ASSERT_TRUE(ExtTextOutA(canvas.dc, 22, 12, ETO_OPAQUE | ETO_CLIPPED, &cell,
                          "A long text that overflows", 26, nullptr));
  EXPECT_TRUE(SameRect(canvas.Ink(), cell));
  EXPECT_EQ(canvas.Count(0xFF0000) + canvas.Count(0x000000) > 0, true);
  int dx[] = {1, 2};
  EXPECT_FALSE(ExtTextOutA(canvas.dc, 0, 0, 0, nullptr, "ab", 2, dx));
}

TEST(TextOutTest, MirroredMappingPlacesUnmirroredTextAtTheMirroredPlace) {
  const int width = 200;
  const std::string text = Fa("چپ 123");
  Canvas plain(width, 30), mirrored(width, 30);
  HFONT f = MakeFont("Tahoma", -12);
  for (Canvas* c : {&plain, &mirrored}) {
    SelectObject(c->dc, f);
    SetBkMode(c->dc, TRANSPARENT);
  }
  SIZE size;
  GetTextExtentPoint32A(plain.dc, text.data(), int(text.size()), &size);
  TextOutA(plain.dc, 10, 5, text.data(), int(text.size()));

  SetMapMode(mirrored.dc, MM_ANISOTROPIC);
  SetWindowOrgEx(mirrored.dc, width, 0, nullptr);
  SetWindowExtEx(mirrored.dc, -width, 30, nullptr);
  SetViewportExtEx(mirrored.dc, width, 30, nullptr);
  TextOutA(mirrored.dc, 10, 5, text.data(), int(text.size()));

  // The text box [10, 10 + w) maps to [width - 10 - w, width - 10); inside it the glyphs are
  // exactly the pixels of the unmirrored text, shifted.
  int shift = (width - 10 - size.cx) - 10;
  RECT a = plain.Ink(), b = mirrored.Ink();
  ASSERT_LT(a.left, a.right);
  EXPECT_TRUE(SameRect(b, RECT{a.left + shift, a.top, a.right + shift, a.bottom}));
  for (int y = a.top; y < a.bottom; ++y) {
    for (int x = a.left; x < a.right; ++x) {
      ASSERT_EQ(plain.At(x, y), mirrored.At(x + shift, y)) << x << "," << y;
    }
  }
  for (Canvas* c : {&plain, &mirrored}) SelectObject(c->dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

TEST(DrawTextTest, RightToLeftTextSitsFlushRight) {
  Canvas canvas(300, 30);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  SetBkMode(canvas.dc, TRANSPARENT);
  std::string text = Fa("پرسش و پاسخ");
  RECT box = {10, 5, 290, 25};
  int height = DrawTextA(canvas.dc, text.data(), int(text.size()), &box,
                         DT_RIGHT | DT_RTLREADING | DT_NOPREFIX);
  EXPECT_EQ(height, 14);
  RECT ink = canvas.Ink();
  SIZE size;
  GetTextExtentPoint32A(canvas.dc, text.data(), int(text.size()), &size);
  EXPECT_GE(ink.right, 290 - 2);
  EXPECT_LE(ink.right, 290);
  EXPECT_GE(ink.left, 290 - size.cx);
  // Persian marks may reach past the line box, but not out of the rectangle.
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 25);
}

TEST(DrawTextTest, AlignmentsPlaceTheLineWithinTheRectangle) {
  struct Case {
    UINT format;
    int expectedLeft;  // of the text box, given width w: computed below
  };
  Canvas probe(10, 10);
  Selected probeFont(probe.dc, MakeFont("Tahoma", -12));
  SIZE size;
  GetTextExtentPoint32A(probe.dc, "Abc", 3, &size);
  const RECT box = {20, 0, 220, 20};
  const Case cases[] = {
      {DT_LEFT, 20}, {DT_RIGHT, 220 - size.cx}, {DT_CENTER, 20 + (200 - size.cx) / 2}};
  for (const Case& c : cases) {
    Canvas canvas(240, 20);
    Selected font(canvas.dc, MakeFont("Tahoma", -12));
    SetBkColor(canvas.dc, RGB(0, 255, 0));  // opaque mode paints the line's box
    RECT r = box;
    DrawTextA(canvas.dc, "Abc", 3, &r, c.format | DT_SINGLELINE);
    RECT back = canvas.Bounds(0x00FF00);
    EXPECT_EQ(back.left, c.expectedLeft) << c.format;
    EXPECT_EQ(back.right - back.left, size.cx) << c.format;
  }
}

TEST(DrawTextTest, CalcRectWithWordBreakGivesTheWrappedHeight) {
  Canvas canvas(10, 10);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  std::string text = Fa("این یک متن نسبتا بلند فارسی است که باید در چند سطر شکسته شود");
  RECT one = {0, 0, 10000, 0};
  int single = DrawTextA(canvas.dc, text.data(), -1, &one, DT_CALCRECT | DT_RTLREADING);
  EXPECT_EQ(single, 14);
  int fullWidth = one.right;
  RECT wrapped = {0, 0, fullWidth / 3 + 10, 0};
  int height =
      DrawTextA(canvas.dc, text.data(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_RTLREADING);
  EXPECT_EQ(height % 14, 0);
  EXPECT_GE(height, 3 * 14);
  EXPECT_LE(height, 4 * 14);
  EXPECT_EQ(wrapped.bottom, height);
  EXPECT_LE(wrapped.right, fullWidth / 3 + 10);
  // Explicit line breaks count, and DT_SINGLELINE ignores them.
  RECT lines = {0, 0, 500, 0};
  EXPECT_EQ(DrawTextA(canvas.dc, "a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * 14);
  EXPECT_EQ(DrawTextA(canvas.dc, "a\r\nb\nc", -1, &lines, DT_CALCRECT | DT_SINGLELINE), 14);
  RECT empty = {5, 5, 50, 50};
  EXPECT_EQ(DrawTextA(canvas.dc, "", -1, &empty, DT_CALCRECT), 0);
}

TEST(DrawTextTest, PrefixesAndTabs) {
  Canvas canvas(10, 10);
  Selected font(canvas.dc, MakeFont("Tahoma", -12));
  RECT a = {0, 0, 500, 0}, b = a, c = a, d = a;
  DrawTextA(canvas.dc, "&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
  DrawTextA(canvas.dc, "File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
  DrawTextA(canvas.dc, "&File", -1, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(a.right, b.right);  // the marker takes no room
  EXPECT_GT(c.right, b.right);
  RECT amp = {0, 0, 500, 0}, one = amp;
  DrawTextA(canvas.dc, "a&&b", -1, &amp, DT_CALCRECT | DT_SINGLELINE);
  DrawTextA(canvas.dc, "a&b", -1, &one, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(amp.right, one.right);
  TEXTMETRICA tm;
  GetTextMetricsA(canvas.dc, &tm);
  DrawTextA(canvas.dc, "a\tb", -1, &d, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_GE(d.right, 8 * tm.tmAveCharWidth);

  // The underline of "&F" adds ink below the baseline.
  Canvas plain(100, 20), marked(100, 20);
  for (Canvas* cv : {&plain, &marked}) {
    SelectObject(cv->dc, font.object);
    SetBkMode(cv->dc, TRANSPARENT);
  }
  RECT r1 = {0, 0, 100, 20}, r2 = r1;
  DrawTextA(plain.dc, "File", -1, &r1, DT_SINGLELINE);
  DrawTextA(marked.dc, "&File", -1, &r2, DT_SINGLELINE);
  EXPECT_GT(marked.Ink().bottom, plain.Ink().bottom);
  SelectObject(plain.dc, GetStockObject(SYSTEM_FONT));
  SelectObject(marked.dc, GetStockObject(SYSTEM_FONT));
}

}  // namespace
}  // namespace platform
