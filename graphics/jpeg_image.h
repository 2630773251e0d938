// TJPEGImage: a JPEG picture kept compressed and decoded by libjpeg on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/graphic.h"
#include "graphics/picture.h"

enum class TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum class TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum class TJPEGPixelFormat { jf24Bit, jf8Bit };

// The settings new JPEG images start with. PixelFormat is jf8Bit when the screen has 8 or
// fewer bits per pixel (measured once), else jf24Bit.
struct TJPEGDefaults {
  int CompressionQuality = 90;
  bool Grayscale = false;
  TJPEGPerformance Performance = TJPEGPerformance::jpBestQuality;
  TJPEGPixelFormat PixelFormat = TJPEGPixelFormat::jf24Bit;
  bool ProgressiveDisplay = false;
  TJPEGScale Scale = TJPEGScale::jsFullSize;
  bool Smoothing = true;
};
TJPEGDefaults& JPEGDefaults();

// The compressed image shared by JPEG graphics assigned from one another.
struct TJPEGData {
  std::unique_ptr<TMemoryStream> Data;  // null while empty
  int Width = 0;
  int Height = 0;
  bool Grayscale = false;
};

// The entries "jpeg" and "jpg" of the picture formats.
std::vector<TFileFormat> JPEGImageFormats();

// Reading keeps the file's bytes and reads only its header (size, colour space, whether it
// has several scans); the pixels are decoded into a bitmap the first time the picture is
// drawn or its bitmap is asked for, and kept. Changing a decoding setting discards the
// bitmap, to be decoded again from the kept bytes. Errors of the library raise EJPEG
// "JPEG error #%d" with its message code; a file that stops early decodes as far as it goes.
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  bool Empty() override;
  int Width() override;
  int Height() override;
  // Raises EInvalidGraphicOperation "Cannot change the size of a JPEG image".
  void SetWidth(int width) override;
  void SetHeight(int height) override;

  // The decoded picture, decoding it now if needed.
  TBitmap& Bitmap();
  bool Decoded() const { return bitmap_ != nullptr; }
  void DrawInto(TCanvas& canvas, const platform::RECT& rect) { Draw(canvas, rect); }
  void Draw(TCanvas& canvas, const platform::RECT& rect) override;

  // A 4-byte count, then that many bytes of JPEG file.
  void ReadStoredData(TStream& stream) override;
  void ReadWholeStream(TStream& stream);
  void LoadFromStream(TStream& stream) override { ReadWholeStream(stream); }
  // A JPEG image shares the source's compressed bytes and copies its bitmap, if decoded; a
  // bitmap becomes this image's bitmap, with no compressed bytes.
  void Assign(TGraphic& source) override;
  AnsiString GraphicClassName() const override { return "TJPEGImage"; }
  std::unique_ptr<TGraphic> NewOfSameClass() const override {
    return std::make_unique<TJPEGImage>();
  }

  // Whether two images share one compressed image.
  bool SharesDataWith(const TJPEGImage& other) const { return image_ == other.image_; }

  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality) { quality_ = quality; }
  bool Grayscale() const { return grayOutput_; }
  void SetGrayscale(bool value);
  TJPEGPerformance Performance() const { return performance_; }
  void SetPerformance(TJPEGPerformance value);
  TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TJPEGPixelFormat value);
  bool ProgressiveDisplay() const { return progressiveDisplay_; }
  void SetProgressiveDisplay(bool value);
  bool ProgressiveEncoding() const { return multipleScans_; }
  TJPEGScale Scale() const { return scale_; }
  void SetScale(TJPEGScale value);
  bool Smoothing() const { return smoothing_; }
  void SetSmoothing(bool value);
  // A palette to decode 8-bit output into (up to 256 entries); ignored for 24-bit output.
  void SetPalette(std::vector<platform::RGBQUAD> palette);

 private:
  struct Decoding;

  void ReadStream(std::int64_t size, TStream& stream);
  void NewImage();
  void FreeBitmap();
  void Decode();
  void SettingChanged();
  void CalcOutputDimensions();

  std::shared_ptr<TJPEGData> image_;
  std::unique_ptr<TBitmap> bitmap_;
  std::optional<std::vector<platform::RGBQUAD>> tempPalette_;
  int scaledWidth_ = 0;
  int scaledHeight_ = 0;
  bool needRecalc_ = true;
  bool paletteModified_ = false;
  int quality_;
  bool grayOutput_;
  TJPEGPerformance performance_;
  TJPEGPixelFormat pixelFormat_;
  bool progressiveDisplay_;
  bool multipleScans_ = false;
  TJPEGScale scale_;
  bool smoothing_;
};
