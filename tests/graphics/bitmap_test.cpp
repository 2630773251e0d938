// Bitmaps and pictures: stored bitmap data of every depth, the transparent colour, and pictures
// read from component streams.
#include "graphics/bitmap.h"

#include <gtest/gtest.h>

#include "core/classes.h"
#include "core/component.h"
#include "core/exceptions.h"
#include "core/reader.h"
#include "graphics/jpeg_image.h"
#include "graphics/picture.h"
#include "tests/core/stream_builder.h"
#include "tests/graphics/jpeg_tools.h"
#include "tests/platform/paint_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Le(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A bitmap file of the given depth from rows of raw pixel bytes (bottom-up, padded), with an
// optional colour table and bit masks.
Bytes BitmapFile(int width, int height, int bits, const Bytes& rows, const Bytes& table = {},
                 const Bytes& masks = {}, std::uint32_t compression = 0) {
  Bytes b = {'B', 'M'};
  const std::uint32_t offset = 14 + 40 + std::uint32_t(masks.size() + table.size());
  Le(b, offset + std::uint32_t(rows.size()), 4);
  Le(b, 0, 4);
  Le(b, offset, 4);
  Le(b, 40, 4);
  Le(b, std::uint32_t(width), 4);
  Le(b, std::uint32_t(height), 4);
  Le(b, 1, 2);
  Le(b, std::uint32_t(bits), 2);
  Le(b, compression, 4);
  Le(b, std::uint32_t(rows.size()), 4);
  Le(b, 0, 4);
  Le(b, 0, 4);
  Le(b, std::uint32_t(table.size() / 4), 4);
  Le(b, 0, 4);
  b.insert(b.end(), masks.begin(), masks.end());
  b.insert(b.end(), table.begin(), table.end());
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

// The graphic's stored data: a count and the file.
std::unique_ptr<TMemoryStream> Counted(const Bytes& file) {
  auto s = std::make_unique<TMemoryStream>();
  auto count = static_cast<std::int32_t>(file.size());
  s->WriteBuffer(&count, 4);
  if (!file.empty()) s->WriteBuffer(file.data(), std::int64_t(file.size()));
  s->SetPosition(0);
  return s;
}

TEST(BitmapTest, StoredDataOfEachDepthGivesTheFileColours) {
  // 2 × 2 pictures; the bottom row is stored first. Expected: top-left, top-right,
  // bottom-left, bottom-right as 0xBBGGRR.
  struct Case {
    const char* name;
    Bytes file;
    platform::COLORREF expected[4];
    TPixelFormat format;
  };
  const Bytes table = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  // clang-format off
  const Case cases[] = {
      {"16 bits, 5-5-5", BitmapFile(2, 2, 16, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F}), {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00}, TPixelFormat::pf16bit},
      {"16 bits, 5-6-5 masks", BitmapFile(2, 2, 16, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF}, {}, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, 3), {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00}, TPixelFormat::pf16bit},
      {"24 bits", BitmapFile(2, 2, 24, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}), {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00}, TPixelFormat::pf24bit},
      {"8 bits with a table", BitmapFile(2, 2, 8, {0, 1, 0, 0, 2, 3, 0, 0}, table), {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00}, TPixelFormat::pf8bit},
      {"4 bits", BitmapFile(2, 2, 4, {0x01, 0, 0, 0, 0x23, 0, 0, 0}, table), {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00}, TPixelFormat::pf8bit},
      {"1 bit", BitmapFile(2, 2, 1, {0x40, 0, 0, 0, 0x80, 0, 0, 0}, Bytes(table.begin(), table.begin() + 8)), {0x00FF00, 0x0000FF, 0x0000FF, 0x00FF00}, TPixelFormat::pf8bit},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap;
    bitmap.ReadStoredData(*Counted(c.file));
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), c.format);
    EXPECT_EQ(bitmap.PixelColor(0, 0), c.expected[0]);
    EXPECT_EQ(bitmap.PixelColor(1, 0), c.expected[1]);
    EXPECT_EQ(bitmap.PixelColor(0, 1), c.expected[2]);
    EXPECT_EQ(bitmap.PixelColor(1, 1), c.expected[3]);
    EXPECT_EQ(bitmap.TransparentColor(), static_cast<TColor>(c.expected[2]))
        << "the bottom-left pixel";
  }
}

TEST(BitmapTest, MalformedFilesAreRefusedCleanly) {
  const Bytes rows(16, 0);
  Bytes truncated = BitmapFile(4, 4, 8, rows, Bytes(8, 0));
  truncated.resize(truncated.size() - 20);
  Bytes wrongMagic = BitmapFile(2, 2, 24, rows);
  wrongMagic[0] = 'X';
  Bytes badHeader = BitmapFile(2, 2, 24, rows);
  badHeader[14] = 33;
  Bytes farOffset = BitmapFile(2, 2, 24, rows);
  farOffset[13] = 0x7F;
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"wrong signature", wrongMagic},
      {"unknown header size", badHeader},
      {"rows cut short", truncated},
      {"pixel offset past the end", farOffset},
      {"zero width", BitmapFile(0, 2, 24, rows)},
      {"huge", BitmapFile(30000, 30000, 24, rows)},
      {"run-length compressed", BitmapFile(2, 2, 8, rows, Bytes(8, 0), {}, 1)},
      {"12 bits", BitmapFile(2, 2, 12, rows)},
      {"table longer than the depth allows", BitmapFile(2, 2, 1, rows, Bytes(12, 0))},
      {"only the signature", {'B', 'M'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap;
    EXPECT_THROW(bitmap.ReadStoredData(*Counted(c.file)), EInvalidGraphic);
  }
  TBitmap bitmap;
  auto shortStream = Counted(BitmapFile(2, 2, 24, rows));
  shortStream->SetSize(shortStream->Size() - 1);
  EXPECT_THROW(bitmap.ReadStoredData(*shortStream), EReadError);
  bitmap.ReadStoredData(*Counted({}));
  EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapTest, ATransparentBitmapLetsTheBackgroundShowThrough) {
  // A glyph: white background (its bottom-left pixel) with a black bar in the middle.
  graphicstest::Pnm glyph = graphicstest::TestPicture(8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      std::uint8_t v = (x >= 3 && x < 5) ? 0 : 255;
      for (int c = 0; c < 3; ++c) glyph.pixels[(y * 8 + x) * 3 + c] = v;
    }
  }
  TBitmap bitmap;
  bitmap.ReadStoredData(*Counted(graphicstest::Bitmap16(glyph)));
  bitmap.SetTransparent(true);
  EXPECT_EQ(bitmap.TransparentColor(), clWhite);

  platform::platformtest::Canvas surface(20, 20);
  TCanvas canvas;
  canvas.SetHandle(surface.dc);
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({0, 0, 20, 20});
  canvas.Draw(2, 2, &bitmap);
  EXPECT_EQ(surface.At(2, 2), 0xFF0000u) << "white is see-through";
  EXPECT_EQ(surface.At(5, 5), 0x000000u) << "the bar is drawn";
  EXPECT_EQ(surface.Count(0x000000), 2 * 8);
  canvas.FillRect({0, 0, 20, 20});
  canvas.StretchDraw({0, 0, 16, 16}, &bitmap);
  EXPECT_EQ(surface.Count(0x000000), 4 * 16) << "stretched to twice the size";

  bitmap.SetTransparent(false);
  canvas.Draw(0, 0, &bitmap);
  EXPECT_EQ(surface.At(0, 0), 0xFFFFFFu);
  canvas.SetHandle(nullptr);
}

TEST(BitmapTest, ResizingKeepsWhatFitsAndDrawingOnTheCanvasChangesIt) {
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.Canvas().FillRect({0, 0, 4, 4});
  EXPECT_TRUE(bitmap.Modified());
  bitmap.SetSize(6, 2);
  EXPECT_EQ(bitmap.PixelColor(3, 1), platform::COLORREF(clBlue));
  EXPECT_EQ(bitmap.PixelColor(5, 1), 0u) << "new pixels are black";
  EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphic);
  EXPECT_THROW(bitmap.SetSize(40000, 10), EOutOfResources);
}

// A component publishing a picture and a glyph, as images and speed buttons do.
class TPictured : public TComponent {
 public:
  using TComponent::TComponent;
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture*) {}
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph) { glyph_->Assign(*glyph); }

 private:
  std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
  std::unique_ptr<TBitmap> glyph_ = std::make_unique<TBitmap>();
};

[[maybe_unused]] const auto kTPictured = RegisterClass<TPictured, TComponent>("TPictured")
                                             .Property("Picture", &TPictured::Picture,
                                                       &TPictured::SetPicture)
                                             .Property("Glyph", &TPictured::Glyph,
                                                       &TPictured::SetGlyph);

std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(PictureStreamTest, PictureAndGlyphDataAreReadFromTheStream) {
  std::string why;
  if (!graphicstest::JpegToolsAvailable(&why)) FAIL() << why;
  Bytes jpeg = graphicstest::Compress(graphicstest::TestPicture(30, 20), "");
  Bytes jpegData = {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e'};
  Le(jpegData, std::uint32_t(jpeg.size()), 4);
  jpegData.insert(jpegData.end(), jpeg.begin(), jpeg.end());
  Bytes glyph = graphicstest::Bitmap16(graphicstest::TestPicture(16, 16));
  Bytes glyphData;
  Le(glyphData, std::uint32_t(glyph.size()), 4);
  glyphData.insert(glyphData.end(), glyph.begin(), glyph.end());
  EXPECT_EQ(glyphData.size(), 582u) << "the size a 16 × 16 glyph has in the window's stream";

  coretest::StreamBuilder b;
  b.Signature().Object("TPictured", "Image1");
  b.Prop("Picture.Data").Binary(AsString(jpegData));
  b.Prop("Glyph.Data").Binary(AsString(glyphData));
  b.End().End();
  TPictured pictured(nullptr);
  ReadRootFromStream(*b.Stream(), &pictured);
  auto* image = dynamic_cast<TJPEGImage*>(pictured.Picture()->Graphic());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(pictured.Picture()->Width(), 30);
  EXPECT_FALSE(image->Decoded());
  EXPECT_EQ(pictured.Glyph()->Width(), 16);
  EXPECT_EQ(pictured.Glyph()->PixelFormat(), TPixelFormat::pf16bit);
}

TEST(PictureStreamTest, AFailingGraphicKeepsThePreviousOne) {
  TPicture picture;
  TBitmap bitmap;
  bitmap.SetSize(3, 3);
  picture.SetGraphic(&bitmap);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_NE(picture.Graphic(), &bitmap) << "the picture holds its own copy";
  Bytes broken = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 4, 0, 0, 0, 'B', 'M', 0, 0};
  TMemoryStream stream;
  stream.WriteBuffer(broken.data(), std::int64_t(broken.size()));
  stream.SetPosition(0);
  EXPECT_THROW(picture.ReadData(stream), EInvalidGraphic);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 3);
  picture.SetGraphic(nullptr);
  EXPECT_EQ(picture.Width(), 0);
}

}  // namespace
