// The state behind a device context handle, shared by the drawing, text and blit code.
#pragma once

#include <cairo.h>

#include <optional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/dc.h"
#include "platform/fonts.h"
#include "platform/gdi_objects.h"
#include "platform/pens_brushes.h"
#include "platform/region.h"
#include "platform/rop2.h"
#include "platform/surface.h"

namespace platform::gdi {

// Everything SaveDC keeps.
struct DcAttributes {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = 0;
  int mapMode = MM_TEXT;
  POINT windowOrg = {0, 0};
  SIZE windowExt = {1, 1};
  POINT viewportOrg = {0, 0};
  SIZE viewportExt = {1, 1};
  POINT brushOrg = {0, 0};
  POINT currentPos = {0, 0};
  int stretchMode = 1;
  int polyFillMode = 1;        // ALTERNATE
  std::optional<Region> clip;  // device coordinates
};

class DeviceContext : public Object {
 public:
  static constexpr Kind kKind = Kind::kDC;
  Kind kind() const override { return kKind; }
  DWORD ObjectType() const override { return memory_ ? OBJ_MEMDC : OBJ_DC; }

  DeviceContext(Surface* surface, POINT origin, std::optional<Region> visible, bool memory);
  ~DeviceContext() override;

  bool IsMemory() const { return memory_; }
  Surface& Target() { return *surface_; }
  POINT Origin() const { return origin_; }
  // The bitmap of a memory device context.
  HBITMAP Bitmap() const { return bitmap_; }
  bool IsMonochrome() const;
  void SelectBitmap(HBITMAP bitmap, BitmapObject* object);

  DcAttributes& Attributes() { return attributes_; }
  std::vector<DcAttributes>& Saved() { return saved_; }

  // The selected objects, falling back to stock ones when a selection has gone stale.
  PenObject& Pen();
  BrushObject& Brush();
  RealisedFont& Font();

  // Logical to device (client) coordinates, and on to the surface.
  double ScaleX() const;
  double ScaleY() const;
  double ToDeviceX(double x) const;
  double ToDeviceY(double y) const;
  POINT ToDevice(POINT p) const;
  POINT ToLogical(POINT p) const;
  // A logical rectangle in surface coordinates, normalised (left <= right).
  RECT ToSurfaceRect(const RECT& logical) const;
  POINT ToSurface(POINT logical) const;

  // What may be drawn, in surface coordinates.
  const Region& Clip();
  void ClipChanged() { clipValid_ = false; }

  // A Cairo context on the target with the clip applied, in surface coordinates. Each call
  // starts from a saved state, so callers may set source and path freely.
  cairo_t* Cairo();
  // Flushes Cairo before direct pixel access, and marks pixels written directly.
  void BeginDirect();
  void EndDirect();

 private:
  Surface* surface_;
  POINT origin_;
  std::optional<Region> visible_;
  bool memory_;
  HBITMAP bitmap_ = nullptr;
  DcAttributes attributes_;
  std::vector<DcAttributes> saved_;
  Region clip_;
  bool clipValid_ = false;
  cairo_t* cairo_ = nullptr;
  bool cairoClipValid_ = false;
  bool cairoSaved_ = false;
};

// Counts (delta +1) or releases (-1) the pen, brush and font of a set of attributes.
void AdjustSelections(const DcAttributes& attributes, int delta);
// The shared 1 × 1 monochrome bitmap every new memory device context starts with.
HBITMAP StockBitmap();

// The device context behind a handle, or null.
DeviceContext* DC(HDC dc);

// Packs a COLORREF as an opaque premultiplied surface pixel, and back.
inline std::uint32_t ToPixel(COLORREF c) {
  return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline COLORREF FromPixel(std::uint32_t p) {
  return RGB(BYTE((p >> 16) & 0xFF), BYTE((p >> 8) & 0xFF), BYTE(p & 0xFF));
}
void SetSourceColor(cairo_t* cr, COLORREF color);

}  // namespace platform::gdi
