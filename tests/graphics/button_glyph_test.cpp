// Button glyphs: how many images a glyph holds, which one a state shows, and how they draw.
#include "graphics/button_glyph.h"

#include <gtest/gtest.h>

#include "graphics/colors.h"
#include "tests/platform/paint_fixture.h"

namespace {

// A glyph of `count` square images of `size` on an olive background, each with a filled
// square of its own colour in the middle.
std::unique_ptr<TBitmap> Glyph(int size, int count, std::initializer_list<TColor> colours) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(size * count, size);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(clOlive);
  canvas.FillRect({0, 0, size * count, size});
  int i = 0;
  for (TColor colour : colours) {
    canvas.Brush().SetColor(colour);
    canvas.FillRect({i * size + size / 4, size / 4, i * size + size * 3 / 4, size * 3 / 4});
    ++i;
  }
  return bitmap;
}

TEST(ButtonGlyphTest, TheGlyphsWidthDecidesHowManyImagesItHolds) {
  struct Case {
    int width;
    int height;
    int before;
    int images;
  };
  // clang-format off
  const Case cases[] = {
      {64, 16, 1, 4},
      {80, 16, 3, 1},
      {32, 16, 1, 2},
      {16, 16, 3, 1},
      {24, 24, 1, 1},
      {20, 16, 2, 2},  // not a multiple: unchanged
  };
  // clang-format on
  for (const Case& c : cases) {
    TBitmap bitmap;
    bitmap.SetSize(c.width, c.height);
    TButtonGlyph glyph;
    glyph.SetNumGlyphs(c.before);
    glyph.SetGlyph(&bitmap);
    EXPECT_EQ(glyph.NumGlyphs(), c.images) << c.width << " x " << c.height;
  }
}

TEST(ButtonGlyphTest, EachStateShowsItsOwnImageOrTheUpOne) {
  using S = TButtonState;
  // Images for up, disabled, down, exclusive with 1 to 4 images in the glyph.
  const int expected[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 1, 2, 0}, {0, 1, 2, 3}};
  TButtonGlyph glyph;
  for (int n = 1; n <= 4; ++n) {
    glyph.SetNumGlyphs(n);
    for (S s : {S::bsUp, S::bsDisabled, S::bsDown, S::bsExclusive}) {
      EXPECT_EQ(glyph.ImageIndex(s), expected[n - 1][static_cast<int>(s)])
          << n << " images, state " << static_cast<int>(s);
    }
  }
}

TEST(ButtonGlyphTest, DrawsTheStateImageWithItsBackgroundMaskedOut) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Glyph(16, 3, {clRed, clBlue, clLime}).get());
  ASSERT_EQ(glyph.NumGlyphs(), 3);
  EXPECT_EQ(glyph.ImageSize().cx, 16);

  platform::platformtest::Canvas surface(40, 20);
  TCanvas canvas;
  canvas.SetHandle(surface.dc);
  glyph.Draw(canvas, {0, 0}, TButtonState::bsUp, true);
  glyph.Draw(canvas, {20, 0}, TButtonState::bsDown, true);
  EXPECT_TRUE(platform::platformtest::SameRect(surface.Bounds(0xFF0000), {4, 4, 12, 12}));
  EXPECT_TRUE(platform::platformtest::SameRect(surface.Bounds(0x00FF00), {24, 4, 32, 12}));
  EXPECT_EQ(surface.Count(0x808000), 0) << "no olive: the background is see-through";

  glyph.Draw(canvas, {0, 0}, TButtonState::bsUp, false);
  EXPECT_EQ(surface.At(0, 0), ColorToRGB(clBtnFace) >> 16 | (ColorToRGB(clBtnFace) & 0xFF00) |
                                  (ColorToRGB(clBtnFace) & 0xFF) << 16)
      << "an opaque draw puts the face behind the image";
  canvas.SetHandle(nullptr);
}

TEST(ButtonGlyphTest, ASingleImageIsEmbossedWhenDisabled) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Glyph(16, 1, {clNavy}).get());
  platform::platformtest::Canvas surface(20, 20);
  TCanvas canvas;
  canvas.SetHandle(surface.dc);
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({0, 0, 20, 20});
  glyph.Draw(canvas, {0, 0}, TButtonState::bsDisabled, true);
  auto rgb = [](TColor c) {
    platform::COLORREF v = ColorToRGB(c);
    return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
  };
  EXPECT_TRUE(platform::platformtest::SameRect(surface.Bounds(rgb(clBtnShadow)), {4, 4, 12, 12}));
  EXPECT_TRUE(platform::platformtest::SameRect(surface.Bounds(rgb(clBtnHighlight)), {5, 5, 13, 13}))
      << "the highlight shows one pixel right and down";
  EXPECT_EQ(surface.Count(0x000080), 0) << "none of the glyph's own colour";
  canvas.SetHandle(nullptr);
}

}  // namespace
