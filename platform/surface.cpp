// The pixel surface: allocation with Cairo's stride and the Cairo view over it.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace platform {

Surface::Surface(int width, int height) {
  Allocate(width, height);
}

Surface::~Surface() {
  if (cairo_ != nullptr) cairo_surface_destroy(cairo_);
}

void Surface::Allocate(int width, int height) {
  if (width < 0 || height < 0 || width > 32767 || height > 32767) {
    throw std::invalid_argument("Surface size out of range");
  }
  if (cairo_ != nullptr) {
    cairo_surface_destroy(cairo_);
    cairo_ = nullptr;
  }
  width_ = width;
  height_ = height;
  stride_ = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, std::max(width, 1));
  data_ = std::make_unique<std::uint8_t[]>(std::size_t(stride_) * std::max(height, 1));
  Fill(0xFF000000);
}

std::uint32_t Surface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x];
}

void Surface::SetPixel(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (cairo_ != nullptr) cairo_surface_flush(cairo_);
  Row(y)[x] = argb;
  MarkDirty();
}

void Surface::Fill(std::uint32_t argb) {
  if (cairo_ != nullptr) cairo_surface_flush(cairo_);
  for (int y = 0; y < height_; ++y) std::fill_n(Row(y), width_, argb);
  MarkDirty();
}

void Surface::Resize(int width, int height) {
  Allocate(width, height);
}

cairo_surface_t* Surface::CairoSurface() {
  if (cairo_ == nullptr) {
    cairo_ = cairo_image_surface_create_for_data(data_.get(), CAIRO_FORMAT_ARGB32, width_, height_,
                                                 stride_);
  }
  return cairo_;
}

void Surface::MarkDirty() {
  if (cairo_ != nullptr) cairo_surface_mark_dirty(cairo_);
}

}  // namespace platform
