// JPEG images: pixels decoded as the library's own tool decodes them, deferred decoding, and
// damaged or unusual stored data.
#include "graphics/jpeg_image.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/exceptions.h"
#include "graphics/picture.h"
#include "tests/graphics/jpeg_tools.h"

namespace {

using graphicstest::Pnm;

std::unique_ptr<TJPEGImage> Read(const std::vector<std::uint8_t>& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  stream.SetPosition(0);
  auto image = std::make_unique<TJPEGImage>();
  image->ReadWholeStream(stream);
  return image;
}

// Stored picture data: class name, count, file.
std::unique_ptr<TMemoryStream> StoredPicture(const std::string& className,
                                             const std::vector<std::uint8_t>& file,
                                             std::int32_t count) {
  auto stream = std::make_unique<TMemoryStream>();
  auto length = static_cast<std::uint8_t>(className.size());
  stream->WriteBuffer(&length, 1);
  stream->WriteBuffer(className.data(), length);
  stream->WriteBuffer(&count, 4);
  if (!file.empty()) stream->WriteBuffer(file.data(), std::int64_t(file.size()));
  stream->SetPosition(0);
  return stream;
}

// How many pixels of the bitmap differ from the reference; the first one is described.
int Differences(TBitmap& bitmap, const Pnm& reference, std::string* first) {
  if (bitmap.Width() != reference.width || bitmap.Height() != reference.height) {
    *first = "size " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) +
             " against " + std::to_string(reference.width) + "x" +
             std::to_string(reference.height);
    return -1;
  }
  int count = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      platform::COLORREF c = bitmap.PixelColor(x, y);
      std::uint32_t rgb = std::uint32_t(platform::GetRValue(c)) << 16 |
                          std::uint32_t(platform::GetGValue(c)) << 8 | platform::GetBValue(c);
      if (rgb != reference.Rgb(x, y) && count++ == 0) {
        char text[80];
        std::snprintf(text, sizeof text, "(%d, %d): %06X against %06X", x, y, rgb,
                      reference.Rgb(x, y));
        *first = text;
      }
    }
  }
  return count;
}

class JpegImageTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!graphicstest::JpegToolsAvailable(&why)) FAIL() << why;
  }
};

struct DecodeCase {
  const char* name;
  const char* cjpeg;
  int width;
  int height;
  std::function<void(TJPEGImage&)> settings;
  const char* djpeg;
};

TEST_F(JpegImageTest, PixelsEqualTheLibraryToolsForEveryKindOfFile) {
  auto none = [](TJPEGImage&) {};
  const DecodeCase cases[] = {
      {"baseline 4:2:0", "-quality 85 -sample 2x2", 96, 64, none, ""},
      {"4:4:4", "-sample 1x1", 96, 64, none, ""},
      {"4:2:2 optimised", "-sample 2x1 -optimize", 96, 64, none, ""},
      {"progressive", "-progressive", 96, 64, none, ""},
      {"restart markers", "-restart 1", 96, 64, none, ""},
      {"odd size", "-sample 2x2", 37, 23, none, ""},
      {"one pixel", "", 1, 1, none, ""},
      {"grayscale file", "-grayscale", 50, 30, none, "-colors 236"},
      {"8-bit output", "", 64, 48,
       [](TJPEGImage& j) { j.SetPixelFormat(TJPEGPixelFormat::jf8Bit); }, "-colors 236"},
      {"grayscale output", "", 64, 48, [](TJPEGImage& j) { j.SetGrayscale(true); },
       "-grayscale -colors 236"},
      {"half scale", "", 96, 64, [](TJPEGImage& j) { j.SetScale(TJPEGScale::jsHalf); },
       "-scale 1/2"},
      {"eighth scale, odd", "", 37, 23, [](TJPEGImage& j) { j.SetScale(TJPEGScale::jsEighth); },
       "-scale 1/8"},
      {"best speed", "", 96, 64,
       [](TJPEGImage& j) { j.SetPerformance(TJPEGPerformance::jpBestSpeed); }, "-dct fast"},
      {"shown in passes", "-progressive", 96, 64,
       [](TJPEGImage& j) { j.SetProgressiveDisplay(true); }, ""},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int channels = 3;
    std::vector<std::uint8_t> file =
        graphicstest::Compress(graphicstest::TestPicture(c.width, c.height, channels), c.cjpeg);
    auto image = Read(file);
    c.settings(*image);
    Pnm reference = graphicstest::Decompress(file, c.djpeg);
    EXPECT_EQ(image->Width(), reference.width) << "before decoding";
    EXPECT_EQ(image->Height(), reference.height) << "before decoding";
    std::string first;
    EXPECT_EQ(Differences(image->Bitmap(), reference, &first), 0) << first;
  }
}

TEST_F(JpegImageTest, ReadingTakesOnlyTheHeaderAndDrawingDecodesOnce) {
  std::vector<std::uint8_t> file =
      graphicstest::Compress(graphicstest::TestPicture(40, 30), "-progressive");
  auto image = Read(file);
  EXPECT_FALSE(image->Decoded());
  EXPECT_EQ(image->Width(), 40);
  EXPECT_EQ(image->Height(), 30);
  EXPECT_TRUE(image->ProgressiveEncoding());
  EXPECT_FALSE(image->Decoded()) << "the size comes from the header";

  struct Starts : TObject {
    void OnProgress(TObject*, TProgressStage stage, std::uint8_t, bool, const platform::RECT&,
                    const AnsiString&) {
      count += stage == TProgressStage::psStarting;
    }
    int count = 0;
  } starts;
  image->OnProgress = TProgressEvent(&starts, &Starts::OnProgress);
  TBitmap target;
  target.SetSize(40, 30);
  target.Canvas().Draw(0, 0, image.get());
  target.Canvas().StretchDraw({0, 0, 20, 15}, image.get());
  EXPECT_EQ(starts.count, 1);

  image->SetScale(TJPEGScale::jsHalf);
  EXPECT_FALSE(image->Decoded()) << "a new setting decodes again from the kept bytes";
  EXPECT_EQ(image->Width(), 20);
  image->Bitmap();
  EXPECT_EQ(starts.count, 2);
}

TEST_F(JpegImageTest, ASilentAbortFromAProgressHandlerStopsDecodingQuietly) {
  auto image = Read(graphicstest::Compress(graphicstest::TestPicture(40, 30), ""));
  struct Stopper : TObject {
    void OnProgress(TObject*, TProgressStage stage, std::uint8_t percent, bool,
                    const platform::RECT&, const AnsiString&) {
      stages.push_back(Format("%d %d", static_cast<int>(stage), percent));
      if (stage == TProgressStage::psStarting) throw EAbort("stop");
    }
    std::vector<AnsiString> stages;
  } stopper;
  image->OnProgress = TProgressEvent(&stopper, &Stopper::OnProgress);
  EXPECT_NO_THROW(image->Bitmap());
  EXPECT_TRUE(image->Decoded()) << "what was decoded is kept";
  EXPECT_EQ(stopper.stages, (std::vector<AnsiString>{"0 0", "2 0"}))
      << "the ending is reported with 0 % after an abort";
}

TEST_F(JpegImageTest, ASuppliedPaletteIsTheColourMapOf8BitOutput) {
  const std::vector<platform::RGBQUAD> palette = {
      {0, 0, 0, 0},     {255, 255, 255, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},
      {255, 0, 0, 0},   {0, 255, 255, 0},   {255, 255, 0, 0}, {255, 0, 255, 0},
  };
  std::vector<std::uint8_t> file = graphicstest::Compress(graphicstest::TestPicture(40, 30), "");
  auto image = Read(file);
  image->SetPixelFormat(TJPEGPixelFormat::jf8Bit);
  image->SetPalette(palette);
  TBitmap& bitmap = image->Bitmap();
  ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  ASSERT_EQ(bitmap.Palette().size(), palette.size());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) ASSERT_LT(bitmap.ScanLine(y)[x], palette.size());
  }
  // djpeg decodes into the same colours when given them as a map picture.
  Pnm map{8, 1, 3, {}};
  for (const auto& q : palette) map.pixels.insert(map.pixels.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
  Pnm reference = graphicstest::Decompress(file, "-map " + graphicstest::WriteTemporary(map));
  std::string first;
  EXPECT_EQ(Differences(bitmap, reference, &first), 0) << first;
}

TEST_F(JpegImageTest, ATruncatedFileDecodesAsFarAsItGoes) {
  for (const char* kind : {"-sample 1x1", "-progressive"}) {
    SCOPED_TRACE(kind);
    std::vector<std::uint8_t> file =
        graphicstest::Compress(graphicstest::TestPicture(64, 64), kind);
    file.resize(file.size() / 2);
    auto image = Read(file);
    EXPECT_NO_THROW(image->Bitmap());
    Pnm reference = graphicstest::Decompress(file, "");
    std::string first;
    EXPECT_EQ(Differences(image->Bitmap(), reference, &first), 0) << first;
  }
}

TEST_F(JpegImageTest, AssignedImagesShareTheCompressedBytes) {
  std::vector<std::uint8_t> file = graphicstest::Compress(graphicstest::TestPicture(24, 16), "");
  auto image = Read(file);
  image->Bitmap();
  TJPEGImage copy;
  copy.Assign(*image);
  EXPECT_TRUE(copy.SharesDataWith(*image));
  EXPECT_TRUE(copy.Decoded()) << "the decoded bitmap is copied";
  EXPECT_EQ(copy.Bitmap().PixelColor(5, 5), image->Bitmap().PixelColor(5, 5));

  copy.ReadWholeStream(*std::make_unique<TMemoryStream>());
  EXPECT_FALSE(copy.SharesDataWith(*image)) << "reading starts a fresh compressed image";

  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  TJPEGImage fromBitmap;
  fromBitmap.Assign(bitmap);
  EXPECT_EQ(fromBitmap.Width(), 3);
  EXPECT_FALSE(fromBitmap.Empty());
}

TEST(JpegEdgeTest, DamagedOrEmptyDataFailsWithTheLibraryCode) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> file;
    bool failsAtReading;
  };
  const Case cases[] = {
      {"not a JPEG file", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, true},
      {"start marker only", {0xFF, 0xD8}, true},
      {"start marker then garbage", {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(Read(c.file), EJPEG);
  }
  auto empty = Read({});
  EXPECT_EQ(empty->Width(), 0);
  EXPECT_EQ(empty->Height(), 0);
  try {
    empty->Bitmap();
    FAIL() << "an empty stream decoded";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message(), "JPEG error #42");
  }
  TJPEGImage never;
  EXPECT_TRUE(never.Empty());
  EXPECT_THROW(never.Bitmap(), EJPEG);
}

TEST(JpegEdgeTest, SizeCannotBeSet) {
  TJPEGImage image;
  try {
    image.SetWidth(10);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot change the size of a JPEG image");
  }
  EXPECT_THROW(image.SetHeight(10), EInvalidGraphicOperation);
}

TEST(JpegPictureTest, StoredCountZeroGivesAnUndecodableEmptyPicture) {
  TPicture picture;
  picture.ReadData(*StoredPicture("TJPEGImage", {}, 0));
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  TBitmap target;
  target.SetSize(4, 4);
  try {
    target.Canvas().Draw(0, 0, picture.Graphic());
    FAIL() << "drawing decoded nothing without an error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message(), "JPEG error #42");
  }
}

TEST(JpegPictureTest, ClassNamesMatchWithTheirLetterCase) {
  const std::vector<std::uint8_t> start = {0xFF, 0xD8};
  for (const char* name : {"tjpegimage", "TJpegImage", "TJPEG", "TMetafile"}) {
    SCOPED_TRACE(name);
    TPicture picture;
    EXPECT_NO_THROW(picture.ReadData(*StoredPicture(name, start, 2)));
    EXPECT_EQ(picture.Graphic(), nullptr);
  }
}

TEST(JpegPictureTest, StoredDataShorterThanItsCountIsAReadError) {
  TPicture picture;
  EXPECT_THROW(picture.ReadData(*StoredPicture("TJPEGImage", {0xFF, 0xD8, 0xFF}, 1000)),
               EReadError);
  EXPECT_THROW(picture.ReadData(*StoredPicture("TJPEGImage", {}, -5)), EReadError);
  EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(JpegPictureTest, TheRegistryListsBitmapsThenJpeg) {
  const auto& formats = GraphicFormats();
  ASSERT_GE(formats.size(), 3u);
  EXPECT_EQ(formats[0].Extension, "bmp");
  EXPECT_EQ(formats[1].Extension, "jpeg");
  EXPECT_EQ(formats[2].Extension, "jpg");
  EXPECT_EQ(formats[2].Description, "JPEG Image File");
  EXPECT_EQ(formats[2].GraphicClass.Name, "TJPEGImage");
}

TEST(JpegDefaultsTest, AnEightBitDisplayDecodesToAPalette) {
  std::string why;
  if (!graphicstest::JpegToolsAvailable(&why)) FAIL() << why;
  EXPECT_EQ(JPEGDefaults().PixelFormat, TJPEGPixelFormat::jf24Bit) << "this screen has 32 bits";
  TJPEGDefaults saved = JPEGDefaults();
  JPEGDefaults().PixelFormat = TJPEGPixelFormat::jf8Bit;
  auto image = Read(graphicstest::Compress(graphicstest::TestPicture(32, 32), ""));
  JPEGDefaults() = saved;
  EXPECT_EQ(image->Bitmap().PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_GT(image->Bitmap().Palette().size(), 16u);
  EXPECT_LE(image->Bitmap().Palette().size(), 236u);
}

}  // namespace
