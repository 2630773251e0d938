// TJPEGImage: a JPEG picture kept compressed and decoded by libjpeg on first use.
#include "graphics/jpeg_image.h"

#include <cmath>

#include "core/classes.h"
#include "core/exceptions.h"
#include "graphics/bitmap_file.h"
#include "graphics/canvas.h"
#include "platform/bitmap.h"
#include "platform/winuser.h"
// Last: the library's header defines TRUE and FALSE as macros.
#include "graphics/jpeg_decompress.h"

using namespace platform;

namespace {

// The depth of the screen's colour bitmaps.
int ScreenBitsPerPixel() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP colour = CreateBitmap(1, 1, 1, 32, nullptr);
  HGDIOBJ previous = SelectObject(dc, colour);
  int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(colour);
  return bits;
}

// Leaves the 20 static colours of an 8-bit display's palette free.
constexpr int kQuantizedColors = 236;
constexpr DWORD kProgressInterval = 500;

}  // namespace

TJPEGDefaults& JPEGDefaults() {
  static TJPEGDefaults defaults = [] {
    TJPEGDefaults d;
    if (ScreenBitsPerPixel() <= 8) d.PixelFormat = TJPEGPixelFormat::jf8Bit;
    return d;
  }();
  return defaults;
}

std::vector<TFileFormat> JPEGImageFormats() {
  const TGraphicClass jpeg = GraphicClassOf<TJPEGImage>("TJPEGImage");
  return {{"jpeg", "JPEG Image File", jpeg}, {"jpg", "JPEG Image File", jpeg}};
}

// One decompression with the settings it was configured with and the progress state.
struct TJPEGImage::Decoding {
  explicit Decoding(TMemoryStream& data) : decompressor(data) {}
  jpeg_decompress_struct& Info() { return decompressor.Info(); }

  JpegDecompressor decompressor;
  J_DCT_METHOD dctMethod = JDCT_ISLOW;
  boolean twoPass = FALSE;
  J_DITHER_MODE ditherMode = JDITHER_FS;
  bool buffered = false;
  bool quantized = false;
  bool ticking = false;
  DWORD lastTick = 0;
  int lastPercent = -1;
  int lastLine = 0;
};

TJPEGImage::TJPEGImage() : image_(std::make_shared<TJPEGData>()) {
  const TJPEGDefaults& d = JPEGDefaults();
  quality_ = d.CompressionQuality;
  grayOutput_ = d.Grayscale;
  performance_ = d.Performance;
  pixelFormat_ = d.PixelFormat;
  progressiveDisplay_ = d.ProgressiveDisplay;
  scale_ = d.Scale;
  smoothing_ = d.Smoothing;
}

TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() { return !image_->Data && (!bitmap_ || bitmap_->Empty()); }

int TJPEGImage::Width() {
  if (bitmap_) return bitmap_->Width();
  if (scale_ == TJPEGScale::jsFullSize) return image_->Width;
  if (needRecalc_) CalcOutputDimensions();
  return scaledWidth_;
}

int TJPEGImage::Height() {
  if (bitmap_) return bitmap_->Height();
  if (scale_ == TJPEGScale::jsFullSize) return image_->Height;
  if (needRecalc_) CalcOutputDimensions();
  return scaledHeight_;
}

void TJPEGImage::SetWidth(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

TBitmap& TJPEGImage::Bitmap() {
  if (!bitmap_) Decode();
  return *bitmap_;
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) { canvas.StretchDraw(rect, &Bitmap()); }

void TJPEGImage::ReadStoredData(TStream& stream) {
  std::int32_t count = 0;
  stream.ReadBuffer(&count, 4);
  ReadStream(count, stream);
}

void TJPEGImage::ReadWholeStream(TStream& stream) {
  ReadStream(stream.Size() - stream.Position(), stream);
}

void TJPEGImage::ReadStream(std::int64_t size, TStream& stream) {
  NewImage();
  FreeBitmap();
  // A count beyond the stream's end is the stream's read error, found before any memory is
  // taken for it.
  if (size < 0 || size > stream.Size() - stream.Position()) throw EReadError("Stream read error");
  image_->Data = std::make_unique<TMemoryStream>();
  if (size > 0) {
    image_->Data->CopyFrom(stream, size);
    Decoding d(*image_->Data);
    jpeg_decompress_struct& info = d.Info();
    jpeg_read_header(&info, TRUE);
    image_->Width = static_cast<int>(info.image_width);
    image_->Height = static_cast<int>(info.image_height);
    image_->Grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    multipleScans_ = jpeg_has_multiple_scans(&info) != 0;
  }
  paletteModified_ = true;
  needRecalc_ = true;
  Changed();
}

void TJPEGImage::NewImage() { image_ = std::make_shared<TJPEGData>(); }

void TJPEGImage::FreeBitmap() { bitmap_.reset(); }

void TJPEGImage::Assign(TGraphic& source) {
  if (&source == this) return;
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(&source)) {
    image_ = jpeg->image_;
    quality_ = jpeg->quality_;
    grayOutput_ = jpeg->grayOutput_;
    performance_ = jpeg->performance_;
    pixelFormat_ = jpeg->pixelFormat_;
    progressiveDisplay_ = jpeg->progressiveDisplay_;
    multipleScans_ = jpeg->multipleScans_;
    scale_ = jpeg->scale_;
    smoothing_ = jpeg->smoothing_;
    FreeBitmap();
    if (jpeg->bitmap_) {
      bitmap_ = std::make_unique<TBitmap>();
      bitmap_->Assign(*jpeg->bitmap_);
    }
    needRecalc_ = true;
    Changed();
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(&source)) {
    NewImage();
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->Assign(*bitmap);
    needRecalc_ = true;
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::SettingChanged() {
  FreeBitmap();
  needRecalc_ = true;
  Changed();
}

void TJPEGImage::SetGrayscale(bool value) {
  if (value == grayOutput_) return;
  grayOutput_ = value;
  SettingChanged();
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
  if (value == performance_) return;
  performance_ = value;
  SettingChanged();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
  if (value == pixelFormat_) return;
  pixelFormat_ = value;
  SettingChanged();
}

void TJPEGImage::SetProgressiveDisplay(bool value) {
  if (value == progressiveDisplay_) return;
  progressiveDisplay_ = value;
  SettingChanged();
}

void TJPEGImage::SetScale(TJPEGScale value) {
  if (value == scale_) return;
  scale_ = value;
  SettingChanged();
}

void TJPEGImage::SetSmoothing(bool value) {
  if (value == smoothing_) return;
  smoothing_ = value;
  SettingChanged();
}

void TJPEGImage::SetPalette(std::vector<RGBQUAD> palette) {
  if (palette.size() > 256) palette.resize(256);
  tempPalette_ = std::move(palette);
  SettingChanged();
}

namespace {

// Reads the header and applies the image's settings; remembers what the final pass uses.
template <class Decoding>
void Configure(Decoding& d, TJPEGScale scale, bool smoothing, bool grayOutput,
               TJPEGPixelFormat pixelFormat, TJPEGPerformance performance, bool showPasses) {
  jpeg_decompress_struct& info = d.Info();
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 1u << static_cast<int>(scale);
  info.do_block_smoothing = smoothing ? TRUE : FALSE;
  if (grayOutput) info.out_color_space = JCS_GRAYSCALE;
  d.quantized = pixelFormat == TJPEGPixelFormat::jf8Bit || info.out_color_space == JCS_GRAYSCALE;
  if (d.quantized) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = kQuantizedColors;
  } else if (info.out_color_space == JCS_RGB) {
    // Straight into the bitmap's 32-bit rows: blue, green, red and an opaque fourth byte.
    info.out_color_space = JCS_EXT_BGRA;
  }
  if (performance == TJPEGPerformance::jpBestSpeed) {
    info.dct_method = JDCT_IFAST;
    info.two_pass_quantize = FALSE;
    info.dither_mode = JDITHER_ORDERED;
  }
  d.dctMethod = info.dct_method;
  d.twoPass = info.two_pass_quantize;
  d.ditherMode = info.dither_mode;
  d.buffered = showPasses && jpeg_has_multiple_scans(&info);
  if (d.buffered) {
    info.buffered_image = TRUE;
    info.enable_1pass_quant = d.quantized ? TRUE : FALSE;
    info.enable_2pass_quant = d.quantized ? d.twoPass : FALSE;
    info.two_pass_quantize = FALSE;
    info.dct_method = JDCT_IFAST;
    info.dither_mode = JDITHER_ORDERED;
  }
}

std::vector<RGBQUAD> PaletteFromColormap(const jpeg_decompress_struct& info) {
  std::vector<RGBQUAD> palette(static_cast<std::size_t>(info.actual_number_of_colors));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (info.out_color_components == 1) {
      BYTE v = info.colormap[0][i];
      palette[i] = {v, v, v, 0};
    } else {
      palette[i] = {info.colormap[2][i], info.colormap[1][i], info.colormap[0][i], 0};
    }
  }
  return palette;
}

}  // namespace

void TJPEGImage::CalcOutputDimensions() {
  needRecalc_ = false;
  scaledWidth_ = scaledHeight_ = 0;
  if (!image_->Data || image_->Data->Size() == 0) return;
  Decoding d(*image_->Data);
  Configure(d, scale_, smoothing_, grayOutput_, pixelFormat_, performance_, progressiveDisplay_);
  jpeg_calc_output_dimensions(&d.Info());
  scaledWidth_ = static_cast<int>(d.Info().output_width);
  scaledHeight_ = static_cast<int>(d.Info().output_height);
}

void TJPEGImage::Decode() {
  // With no bytes at all the library reports its input-empty error, as for an empty file.
  TMemoryStream none;
  TMemoryStream& data = image_->Data ? *image_->Data : none;
  bitmap_ = std::make_unique<TBitmap>();
  Decoding d(data);
  jpeg_decompress_struct& info = d.Info();
  d.decompressor.SetProgress([this, &d](jpeg_decompress_struct& progressInfo) {
    DWORD now = GetTickCount();
    if (!d.ticking) {
      d.ticking = true;
      d.lastTick = now;
      return;
    }
    if (now - d.lastTick < kProgressInterval) return;
    d.lastTick = now;
    const jpeg_progress_mgr& p = *progressInfo.progress;
    double fraction = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
    int percent = p.total_passes > 0
                      ? int(std::lround((fraction + p.completed_passes) * 100.0 / p.total_passes))
                      : 0;
    if (percent == d.lastPercent) return;
    d.lastPercent = percent;
    RECT band{0, 0, 0, 0};
    bool redrawNow = false;
    if (d.buffered) {
      int line = static_cast<int>(progressInfo.output_scanline);
      band = {0, d.lastLine, static_cast<LONG>(progressInfo.output_width), line};
      redrawNow = line - d.lastLine > 3;
      d.lastLine = line;
    }
    Progress(TProgressStage::psRunning, static_cast<std::uint8_t>(std::clamp(percent, 0, 100)),
             redrawNow, band, "");
  });
  Configure(d, scale_, smoothing_, grayOutput_, pixelFormat_, performance_, progressiveDisplay_);
  bitmap_->SetPixelFormat(d.quantized ? ::TPixelFormat::pf8bit : ::TPixelFormat::pf24bit);

  auto readAll = [&] {
    const int height = static_cast<int>(info.output_height);
    // Rows that lie at a positive step, a multiple of 4 bytes apart, can take the library's
    // preferred number of lines per call; otherwise one line at a time.
    int lines = 1;
    if (height >= 2) {
      std::ptrdiff_t step = bitmap_->ScanLine(1) - bitmap_->ScanLine(0);
      if (step > 0 && step % 4 == 0) lines = std::clamp(info.rec_outbuf_height, 1, 16);
    }
    while (info.output_scanline < info.output_height) {
      JSAMPROW rows[16];
      const int first = static_cast<int>(info.output_scanline);
      const int count = std::min(lines, height - first);
      for (int i = 0; i < count; ++i) rows[i] = bitmap_->ScanLine(first + i);
      jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(count));
    }
  };

  try {
    Progress(TProgressStage::psStarting, 0, false, {0, 0, 0, 0}, "");
    bool suppliedPalette = false;
    if (tempPalette_) {
      if (d.quantized) {
        // The supplied palette becomes the library's colour map and the bitmap's palette.
        const auto& palette = *tempPalette_;
        info.colormap = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                 JPOOL_IMAGE, 256, 3);
        for (std::size_t i = 0; i < palette.size(); ++i) {
          info.colormap[0][i] = palette[i].rgbRed;
          info.colormap[1][i] = palette[i].rgbGreen;
          info.colormap[2][i] = palette[i].rgbBlue;
        }
        info.actual_number_of_colors = static_cast<int>(palette.size());
        bitmap_->SetPalette(palette);
        suppliedPalette = true;
      } else {
        tempPalette_.reset();
      }
    }
    // A header may promise any size: refuse what the program would not hold before the
    // library allocates for it.
    jpeg_calc_output_dimensions(&info);
    if (std::int64_t(info.output_width) * info.output_height > kMaxBitmapPixels) {
      throw EOutOfResources("Out of system resources");
    }
    jpeg_start_decompress(&info);
    bitmap_->SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    if (d.buffered) {
      bool firstPass = true;
      while (!jpeg_input_complete(&info)) {
        jpeg_start_output(&info, info.input_scan_number);
        if (firstPass && d.quantized && !suppliedPalette) {
          bitmap_->SetPalette(PaletteFromColormap(info));
        }
        firstPass = false;
        readAll();
        jpeg_finish_output(&info);
      }
      info.dct_method = d.dctMethod;
      info.dither_mode = d.ditherMode;
      if (d.quantized && d.twoPass) {
        info.two_pass_quantize = TRUE;
        info.colormap = nullptr;
      }
      jpeg_start_output(&info, info.input_scan_number);
    } else if (d.quantized && !suppliedPalette) {
      bitmap_->SetPalette(PaletteFromColormap(info));
    }
    readAll();
    if (d.buffered) {
      if (d.quantized && !suppliedPalette) bitmap_->SetPalette(PaletteFromColormap(info));
      jpeg_finish_output(&info);
    }
    jpeg_finish_decompress(&info);
  } catch (const EAbort&) {
    // Stopped from a progress handler: keep what was decoded.
    bitmap_->Changed();
    Progress(TProgressStage::psEnding, 0, false, {0, 0, 0, 0}, "");
    return;
  } catch (...) {
    // The bitmap stays as far as it was filled, so a picture that failed once is not decoded
    // (and reported) again at every repaint.
    Progress(TProgressStage::psEnding, 0, false, {0, 0, 0, 0}, "");
    throw;
  }
  bitmap_->Changed();
  Progress(TProgressStage::psEnding, 100, false, {0, 0, 0, 0}, "");
  if (paletteModified_) {
    paletteModified_ = false;
    Changed();
  }
}

namespace {

[[maybe_unused]] const auto kTJPEGImage = RegisterClass<TJPEGImage, TGraphic>("TJPEGImage");

}  // namespace
