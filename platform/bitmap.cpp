// Creating device-dependent bitmaps.
#include "platform/bitmap.h"

#include "platform/dc_state.h"

namespace platform {
namespace {

HBITMAP InsertBitmap(int width, int height, bool mono, bool stock = false) {
  auto object = std::make_unique<gdi::BitmapObject>(width, height, mono);
  return static_cast<HBITMAP>(gdi::Insert(std::move(object), stock));
}

}  // namespace

namespace gdi {

HBITMAP StockBitmap() {
  static HBITMAP bitmap = InsertBitmap(1, 1, true, true);
  return bitmap;
}

}  // namespace gdi

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0 || width > 32767 || height > 32767 || planes != 1 ||
      (bitsPerPixel != 1 && bitsPerPixel != 32)) {
    return nullptr;
  }
  bool mono = bitsPerPixel == 1;
  HBITMAP handle = InsertBitmap(width, height, mono);
  Surface& surface = gdi::Get<gdi::BitmapObject>(handle)->surface;
  if (bits != nullptr) {
    auto* bytes = static_cast<const std::uint8_t*>(bits);
    int rowBytes = ((width * int(bitsPerPixel) + 15) / 16) * 2;
    cairo_surface_flush(surface.CairoSurface());
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = bytes + std::size_t(y) * rowBytes;
      std::uint32_t* out = surface.Row(y);
      for (int x = 0; x < width; ++x) {
        if (mono) {
          bool set = (row[x / 8] >> (7 - x % 8)) & 1;
          out[x] = set ? 0xFFFFFFFFu : 0xFF000000u;
        } else {
          const std::uint8_t* p = row + x * 4;
          out[x] = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
        }
      }
    }
    surface.MarkDirty();
  }
  return handle;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return nullptr;
  return CreateBitmap(width, height, 1, context->IsMonochrome() ? 1 : 32, nullptr);
}

}  // namespace platform
