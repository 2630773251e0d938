// TBitmap: a picture of pixels held in memory, with its own canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/graphic.h"
#include "platform/dib.h"

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

// Pixels are held one of two ways. Indexed (pf8bit, and the 1- and 4-bit files, which are
// widened to one index byte per pixel): rows of palette indices beside the palette, turned
// into colour pixels when the bitmap is drawn. Every other format: rows of 32-bit pixels,
// bytes blue, green, red, 0xFF, the layout a 24-bit row has with a fourth byte, drawn directly.
// ScanLine rows are top-down and can be written in place; call Changed() afterwards.
//
// The transparent colour is, in tmAuto mode, the colour of the bottom-left pixel. A
// transparent bitmap draws every pixel of that colour as see-through.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  bool Empty() override { return width_ == 0 || height_ == 0; }
  int Width() override { return width_; }
  int Height() override { return height_; }
  void SetWidth(int width) override { SetSize(width, height_); }
  void SetHeight(int height) override { SetSize(width_, height); }
  // Keeps the pixels that still fit; new pixels are black. EOutOfResources "Out of system
  // resources" beyond the largest bitmap the program makes.
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  // Switching between indexed and direct formats converts the pixels (to the nearest palette
  // entry when indexing).
  void SetPixelFormat(TPixelFormat format);
  bool Indexed() const { return pixelFormat_ == TPixelFormat::pf8bit; }
  const std::vector<platform::RGBQUAD>& Palette() const { return palette_; }
  void SetPalette(std::vector<platform::RGBQUAD> palette);

  // The row's first byte; rows of an indexed bitmap hold one byte per pixel, others four.
  std::uint8_t* ScanLine(int row);
  // The colour of one pixel as 0x00BBGGRR.
  platform::COLORREF PixelColor(int x, int y);

  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);
  TColor TransparentColor();
  void SetTransparentColor(TColor color);

  // A canvas drawing into the bitmap (an indexed bitmap becomes pf32bit first).
  TCanvas& Canvas();
  // The platform bitmap with the current pixels.
  platform::HBITMAP Handle();

  void Draw(TCanvas& canvas, const platform::RECT& rect) override;
  // A 4-byte count and that many bytes of a bitmap file.
  void ReadStoredData(TStream& stream) override;
  void LoadFromStream(TStream& stream) override;
  // Copies a bitmap; any other graphic is drawn into a bitmap of its size.
  void Assign(TGraphic& source) override;
  AnsiString GraphicClassName() const override { return "TBitmap"; }
  std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TBitmap>(); }

  void Changed() override;
  void DeclareStoredProperties(TReader& reader) override;

 private:
  friend class TBitmapCanvas;

  void Realise();
  void ReleaseCanvas();
  TBitmapCanvas& ContextCanvas();
  void CanvasChanged(TObject* sender);
  void Allocate(int width, int height, bool indexed);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat pixelFormat_ = TPixelFormat::pfDevice;
  std::vector<platform::RGBQUAD> palette_;
  std::vector<std::uint8_t> indices_;
  // The colour pixels; for an indexed bitmap, made from the indices when stale.
  platform::HBITMAP handle_ = nullptr;
  bool handleStale_ = false;
  TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
  TColor transparentColor_ = 0;
  std::unique_ptr<TBitmapCanvas> canvas_;
};
