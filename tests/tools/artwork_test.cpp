// The artwork tool: the pictures come out the same every time, in the formats the window stores.
#include "tools/artwork/artwork.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/artwork/encode.h"
#include "tools/artwork/layout.h"
#include "tools/artwork/palette.h"

namespace {

using namespace artwork;

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint32_t Be16(const std::string& bytes, std::size_t at) {
  return (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
}

// The frame header of the first start-of-frame marker: its marker code, height, width and
// component count, walking the segments the way a decoder does.
struct FrameHeader {
  int marker = 0, height = 0, width = 0, components = 0;
};

FrameHeader FindFrame(const std::string& jpeg) {
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    int marker = static_cast<unsigned char>(jpeg[at + 1]);
    std::uint32_t length = Be16(jpeg, at + 2);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      return {marker, static_cast<int>(Be16(jpeg, at + 5)), static_cast<int>(Be16(jpeg, at + 7)),
              static_cast<unsigned char>(jpeg[at + 9])};
    }
    at += 2 + length;
  }
  return {};
}

std::uint32_t StoredColorAsRgb(std::uint32_t bbggrr) {
  return ((bbggrr & 0xFF) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF);
}

TEST(Artwork, BackgroundIsBaselineJpegOfTheWindowSizeAndDrawnTheSameEveryTime) {
  Picture first(layout::kWindowWidth, layout::kWindowHeight);
  DrawBackground(first);
  Picture second(layout::kWindowWidth, layout::kWindowHeight);
  DrawBackground(second);
  std::string jpeg = EncodeBaselineJpeg(first, 92);
  EXPECT_EQ(jpeg, EncodeBaselineJpeg(second, 92));
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(Be16(jpeg, 0), 0xFFD8u);
  EXPECT_EQ(Be16(jpeg, jpeg.size() - 2), 0xFFD9u);
  FrameHeader frame = FindFrame(jpeg);
  EXPECT_EQ(frame.marker, 0xC0) << "baseline, not progressive or extended";
  EXPECT_EQ(frame.width, 865);
  EXPECT_EQ(frame.height, 682);
  EXPECT_EQ(frame.components, 3);
}

TEST(Artwork, PanesAndWindowUnderTheControlsHaveTheStoredColours) {
  Picture background(layout::kWindowWidth, layout::kWindowHeight);
  DrawBackground(background);
  const std::uint32_t pane = StoredColorAsRgb(0xEEF0D2);
  for (Rect r : {layout::kQuestionPane, layout::kAnswerPane, layout::kFootnotePane}) {
    EXPECT_EQ(background.Pixel(int(r.x), int(r.y)), pane) << r.x << "," << r.y;
    EXPECT_EQ(background.Pixel(int(r.Right()) - 1, int(r.Bottom()) - 1), pane);
  }
  EXPECT_EQ(background.Pixel(614, 400), StoredColorAsRgb(0xD4F0D3)) << "between the areas";
  Rect edit = layout::kSearchEdit;
  EXPECT_EQ(background.Pixel(int(edit.x), int(edit.Bottom()) - 1), StoredColorAsRgb(0xECF8EC));
}

TEST(Artwork, GlyphsAre16BitBitmapsWhoseBottomLeftPixelIsTheTransparentKey) {
  const struct {
    Glyph glyph;
    int size;
    std::size_t fileBytes;
  } cases[] = {
      {Glyph::Previous, 16, 578}, {Glyph::Next, 16, 578},     {Glyph::First, 16, 578},
      {Glyph::Last, 16, 578},     {Glyph::Settings, 16, 578}, {Glyph::AdvancedSearch, 24, 1218},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    ASSERT_EQ(GlyphSize(c.glyph), c.size);
    Picture ink(c.size, c.size, true);
    DrawGlyph(ink, c.glyph);
    EXPECT_EQ(ink.Alpha(0, c.size - 1), 0) << "the key pixel must stay undrawn";
    int drawn = 0;
    for (int y = 0; y < c.size; ++y)
      for (int x = 0; x < c.size; ++x) drawn += ink.Alpha(x, y) > 0;
    EXPECT_GT(drawn, c.size * c.size / 8) << "a glyph that shows";
    Picture flat(c.size, c.size);
    flat.SetPixel(0, c.size - 1, 0xFF00FF);
    std::string bmp = EncodeBitmap16(flat);
    ASSERT_EQ(bmp.size(), c.fileBytes);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), c.fileBytes);
    EXPECT_EQ(Le(bmp, 10, 4), 66u) << "pixels after the headers and three masks";
    EXPECT_EQ(Le(bmp, 22, 4), std::uint32_t(c.size)) << "positive height: bottom-up";
    EXPECT_EQ(Le(bmp, 28, 2), 16u);
    EXPECT_EQ(Le(bmp, 30, 4), 3u) << "bit fields";
    EXPECT_EQ(Le(bmp, 54, 4), 0xF800u);
    EXPECT_EQ(Le(bmp, 58, 4), 0x07E0u);
    EXPECT_EQ(Le(bmp, 62, 4), 0x001Fu);
    EXPECT_EQ(Le(bmp, 66, 2), 0xF81Fu) << "the first stored pixel is the bottom-left one";
    EXPECT_EQ(Le(bmp, 68, 2), 0u);
  }
}

TEST(Artwork, StoredDataIsCountAndFileBehindAPicturesClassName) {
  std::string stored = StoredPictureData("TJPEGImage", std::string("\xFF\xD8\xFF\xD9", 4));
  EXPECT_EQ(stored, std::string("\x0ATJPEGImage\x04\x00\x00\x00\xFF\xD8\xFF\xD9", 19));
  EXPECT_THROW(StoredPictureData(std::string(256, 'T'), ""), std::invalid_argument);
  EXPECT_EQ(StoredGraphicData("BM"), std::string("\x02\x00\x00\x00"
                                                 "BM",
                                                 6));
}

}  // namespace
