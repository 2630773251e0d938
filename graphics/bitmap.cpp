// TBitmap: a picture of pixels held in memory, with its own canvas.
#include "graphics/bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"
#include "graphics/bitmap_file.h"
#include "graphics/colors.h"
#include "platform/bitmap.h"

using namespace platform;

// The bitmap's canvas: a memory device context with the bitmap selected, made on first use.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    HDC dc = CurrentHandle();
    SetHandle(nullptr);
    if (dc != nullptr) DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    HBITMAP bitmap = bitmap_.Handle();
    if (bitmap == nullptr) return;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    SetHandle(dc);
  }

 private:
  TBitmap& bitmap_;
};

namespace {

Surface& SurfaceOf(HBITMAP bitmap) { return gdi::Get<gdi::BitmapObject>(bitmap)->surface; }

std::uint32_t QuadPixel(const RGBQUAD& q) {
  return 0xFF000000u | std::uint32_t(q.rgbRed) << 16 | std::uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
}

std::uint8_t NearestIndex(const std::vector<RGBQUAD>& palette, std::uint32_t pixel) {
  int best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long dr = long((pixel >> 16) & 0xFF) - palette[i].rgbRed;
    long dg = long((pixel >> 8) & 0xFF) - palette[i].rgbGreen;
    long db = long(pixel & 0xFF) - palette[i].rgbBlue;
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = static_cast<int>(i);
  }
  return static_cast<std::uint8_t>(best);
}

std::vector<RGBQUAD> GrayPalette() {
  std::vector<RGBQUAD> palette(256);
  for (int i = 0; i < 256; ++i) {
    auto v = static_cast<BYTE>(i);
    palette[i] = {v, v, v, 0};
  }
  return palette;
}

// Releases a memory device context and the bitmap made for it.
struct ScratchDC {
  ScratchDC(int width, int height, UINT bits)
      : dc(CreateCompatibleDC(nullptr)), bitmap(CreateBitmap(width, height, 1, bits, nullptr)) {
    previous = SelectObject(dc, bitmap);
  }
  ~ScratchDC() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  ScratchDC(const ScratchDC&) = delete;
  ScratchDC& operator=(const ScratchDC&) = delete;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
};

constexpr DWORD kDestAndNotSource = 0x00220326;

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  ReleaseCanvas();
  if (handle_ != nullptr) DeleteObject(handle_);
}

void TBitmap::ReleaseCanvas() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::Allocate(int width, int height, bool indexed) {
  if (width < 0 || height < 0 || std::int64_t(width) * height > kMaxBitmapPixels ||
      width > 32767 || height > 32767) {
    throw EOutOfResources("Out of system resources");
  }
  ReleaseCanvas();
  if (handle_ != nullptr) DeleteObject(handle_);
  handle_ = nullptr;
  width_ = width;
  height_ = height;
  indices_.assign(indexed ? std::size_t(width) * height : 0, 0);
  if (width > 0 && height > 0) {
    handle_ = CreateBitmap(width, height, 1, 32, nullptr);
    if (handle_ == nullptr) throw EOutOfResources("Out of system resources");
  }
  handleStale_ = indexed;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Realise();
  const int oldWidth = width_, oldHeight = height_;
  std::vector<std::uint8_t> oldIndices = std::move(indices_);
  std::vector<std::uint32_t> oldPixels;
  if (handle_ != nullptr && !Indexed()) {
    Surface& s = SurfaceOf(handle_);
    oldPixels.resize(std::size_t(oldWidth) * oldHeight);
    for (int y = 0; y < oldHeight; ++y) {
      std::memcpy(&oldPixels[std::size_t(y) * oldWidth], s.Row(y), std::size_t(oldWidth) * 4);
    }
  }
  Allocate(width, height, Indexed());
  const int keepWidth = std::min(width, oldWidth), keepHeight = std::min(height, oldHeight);
  for (int y = 0; y < keepHeight; ++y) {
    if (Indexed()) {
      std::memcpy(&indices_[std::size_t(y) * width], &oldIndices[std::size_t(y) * oldWidth],
                  keepWidth);
    } else {
      std::memcpy(SurfaceOf(handle_).Row(y), &oldPixels[std::size_t(y) * oldWidth],
                  std::size_t(keepWidth) * 4);
    }
  }
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pixelFormat_) return;
  const bool toIndexed = format == TPixelFormat::pf8bit;
  if (toIndexed != Indexed() && !Empty()) {
    if (toIndexed) {
      if (palette_.empty()) palette_ = GrayPalette();
      Surface& s = SurfaceOf(handle_);
      indices_.resize(std::size_t(width_) * height_);
      for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
          indices_[std::size_t(y) * width_ + x] = NearestIndex(palette_, s.Row(y)[x]);
        }
      }
      handleStale_ = true;
    } else {
      Realise();
      indices_.clear();
    }
  }
  pixelFormat_ = format;
  Changed();
}

void TBitmap::SetPalette(std::vector<RGBQUAD> palette) {
  if (palette.size() > 256) palette.resize(256);
  palette_ = std::move(palette);
  handleStale_ = Indexed();
  Changed();
}

std::uint8_t* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= height_) throw EInvalidGraphic("Scan line index out of range");
  if (Indexed()) return &indices_[std::size_t(row) * width_];
  return reinterpret_cast<std::uint8_t*>(SurfaceOf(handle_).Row(row));
}

COLORREF TBitmap::PixelColor(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  std::uint32_t p;
  if (Indexed()) {
    std::uint8_t index = indices_[std::size_t(y) * width_ + x];
    p = index < palette_.size() ? QuadPixel(palette_[index]) : 0;
  } else {
    p = SurfaceOf(handle_).Row(y)[x];
  }
  return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  transparentMode_ = mode;
  Changed();
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == TTransparentMode::tmFixed) return transparentColor_;
  if (Empty()) return clDefault;
  return static_cast<TColor>(PixelColor(0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = TTransparentMode::tmFixed;
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (Indexed()) SetPixelFormat(TPixelFormat::pf32bit);
  return ContextCanvas();
}

TBitmapCanvas& TBitmap::ContextCanvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    // Drawing on the canvas changes the picture.
    canvas_->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
  }
  return *canvas_;
}

void TBitmap::CanvasChanged(TObject*) { Changed(); }

HBITMAP TBitmap::Handle() {
  Realise();
  return handle_;
}

void TBitmap::Realise() {
  if (!handleStale_ || handle_ == nullptr) return;
  handleStale_ = false;
  Surface& s = SurfaceOf(handle_);
  for (int y = 0; y < height_; ++y) {
    std::uint32_t* row = s.Row(y);
    const std::uint8_t* indices = &indices_[std::size_t(y) * width_];
    for (int x = 0; x < width_; ++x) {
      row[x] = indices[x] < palette_.size() ? QuadPixel(palette_[indices[x]]) : 0xFF000000u;
    }
  }
  s.MarkDirty();
}

void TBitmap::Changed() {
  if (handle_ != nullptr) {
    if (Indexed()) {
      handleStale_ = true;
    } else {
      SurfaceOf(handle_).MarkDirty();
    }
  }
  TGraphic::Changed();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
  if (Empty()) return;
  Realise();
  HDC source = ContextCanvas().Handle();
  HDC dest = canvas.Handle();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!Transparent()) {
    StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, width_, height_, canvas.CopyMode());
    return;
  }
  // A mask with 1 where the picture has its transparent colour; the picture with those
  // pixels black; then the destination is cut by the mask and the picture merged in.
  ScratchDC mask(width_, height_, 1);
  COLORREF oldSourceBk = SetBkColor(source, ColorToRGB(TransparentColor()));
  BitBlt(mask.dc, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
  SetBkColor(source, oldSourceBk);
  ScratchDC picture(width_, height_, 32);
  BitBlt(picture.dc, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
  SetBkColor(picture.dc, RGB(255, 255, 255));
  SetTextColor(picture.dc, RGB(0, 0, 0));
  BitBlt(picture.dc, 0, 0, width_, height_, mask.dc, 0, 0, kDestAndNotSource);
  COLORREF oldBk = SetBkColor(dest, RGB(255, 255, 255));
  COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  StretchBlt(dest, rect.left, rect.top, w, h, mask.dc, 0, 0, width_, height_, SRCAND);
  StretchBlt(dest, rect.left, rect.top, w, h, picture.dc, 0, 0, width_, height_, SRCPAINT);
  SetBkColor(dest, oldBk);
  SetTextColor(dest, oldText);
}

void TBitmap::ReadStoredData(TStream& stream) {
  std::int32_t count = 0;
  stream.ReadBuffer(&count, 4);
  if (count < 0 || count > stream.Size() - stream.Position()) {
    throw EReadError("Stream read error");
  }
  std::vector<std::uint8_t> file(static_cast<std::size_t>(count));
  stream.ReadBuffer(file.data(), count);
  if (count == 0) {
    Allocate(0, 0, false);
    Changed();
    return;
  }
  BitmapFileImage image = ParseBitmapFile(file);
  const bool indexed = image.bitCount <= 8;
  static constexpr TPixelFormat kFormats[] = {TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                              TPixelFormat::pf8bit, TPixelFormat::pf16bit,
                                              TPixelFormat::pf24bit, TPixelFormat::pf32bit};
  const int bits[] = {1, 4, 8, 16, 24, 32};
  Allocate(image.width, image.height, indexed);
  pixelFormat_ = indexed ? TPixelFormat::pf8bit : TPixelFormat::pf32bit;
  for (int i = 0; i < 6; ++i) {
    if (bits[i] == image.bitCount && !indexed) pixelFormat_ = kFormats[i];
  }
  if (indexed) {
    palette_ = std::move(image.palette);
    indices_ = std::move(image.indices);
    handleStale_ = true;
  } else {
    Surface& s = SurfaceOf(handle_);
    for (int y = 0; y < image.height; ++y) {
      std::memcpy(s.Row(y), &image.pixels[std::size_t(y) * image.width],
                  std::size_t(image.width) * 4);
    }
  }
  Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
  std::int64_t rest = stream.Size() - stream.Position();
  if (rest > std::numeric_limits<std::int32_t>::max()) throw EInvalidGraphic("Bitmap image is not valid");
  TMemoryStream counted;
  auto count = static_cast<std::int32_t>(rest);
  counted.WriteBuffer(&count, 4);
  counted.CopyFrom(stream, rest);
  counted.SetPosition(0);
  ReadStoredData(counted);
}

void TBitmap::Assign(TGraphic& source) {
  if (&source == this) return;
  if (auto* bitmap = dynamic_cast<TBitmap*>(&source)) {
    bitmap->Realise();
    const bool indexed = bitmap->Indexed();
    Allocate(bitmap->width_, bitmap->height_, indexed);
    pixelFormat_ = bitmap->pixelFormat_;
    palette_ = bitmap->palette_;
    indices_ = bitmap->indices_;
    if (handle_ != nullptr) {
      Surface& from = SurfaceOf(bitmap->handle_);
      Surface& to = SurfaceOf(handle_);
      for (int y = 0; y < height_; ++y) std::memcpy(to.Row(y), from.Row(y), std::size_t(width_) * 4);
    }
    transparentMode_ = bitmap->transparentMode_;
    transparentColor_ = bitmap->transparentColor_;
    SetTransparent(bitmap->Transparent());
    Changed();
    return;
  }
  Allocate(source.Width(), source.Height(), false);
  pixelFormat_ = TPixelFormat::pf24bit;
  if (!Empty()) Canvas().Draw(0, 0, &source);
  Changed();
}

void TBitmap::DeclareStoredProperties(TReader& reader) {
  reader.DeclareBinaryProperty("Data", [this](TStream& stream) { ReadStoredData(stream); });
}

namespace {

[[maybe_unused]] const auto kTBitmap =
    RegisterClass<TBitmap, TGraphic>("TBitmap")
        .Enum("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode,
              {"tmAuto", "tmFixed"});

}  // namespace
