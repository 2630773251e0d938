// A 32-bit premultiplied ARGB pixel buffer with Cairo's stride: a top-level window's picture.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>

namespace platform {

// Pixels are 0xAARRGGBB words in native byte order, premultiplied by alpha, rows `Stride()`
// bytes apart: exactly Cairo's CAIRO_FORMAT_ARGB32, so Cairo draws into the buffer directly
// and a backend can present it as ARGB8888. A new or resized surface is opaque black.
// The surface owns its buffer; device contexts over it hold a non-owning reference and must
// be released before the surface is destroyed or resized.
class Surface {
 public:
  Surface(int width, int height);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  std::uint8_t* Data() { return data_.get(); }
  const std::uint8_t* Data() const { return data_.get(); }

  std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(data_.get() + y * stride_); }
  const std::uint32_t* Row(int y) const {
    return reinterpret_cast<const std::uint32_t*>(data_.get() + y * stride_);
  }
  // The pixel at (x, y); 0 outside the surface.
  std::uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t argb);
  void Fill(std::uint32_t argb);
  // Discards the content: the surface becomes width × height of opaque black.
  void Resize(int width, int height);

  // Cairo's view of the buffer, created on first use and kept until the next resize.
  // Anyone writing pixels directly must call cairo_surface_mark_dirty afterwards, which
  // MarkDirty does.
  cairo_surface_t* CairoSurface();
  void MarkDirty();

 private:
  void Allocate(int width, int height);

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::unique_ptr<std::uint8_t[]> data_;
  cairo_surface_t* cairo_ = nullptr;
};

}  // namespace platform
