// Device-dependent bitmaps: colour bitmaps over surfaces, and monochrome ones.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/gdi_objects.h"
#include "platform/surface.h"
#include "platform/windef.h"

namespace platform {

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

// One plane of 1 or 32 bits per pixel. `bits` (may be null) are rows padded to 16 bits, as
// the original call takes them: for 1 bit per pixel a set bit is white, for 32 bits each
// pixel is B, G, R, unused. Other depths fail with null.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A colour bitmap for a window or colour memory device context, or a monochrome one when
// the device context has a monochrome bitmap selected. Its pixels start black.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

namespace gdi {

// Pixels live in an opaque ARGB surface either way; a monochrome bitmap holds only black
// (0 bits) and white (1 bits), so blits to and from it can map colours as the original does.
struct BitmapObject : Object {
  static constexpr Kind kKind = Kind::kBitmap;
  Kind kind() const override { return kKind; }
  BitmapObject(int width, int height, bool mono) : surface(width, height), monochrome(mono) {}
  Surface surface;
  bool monochrome;
};

}  // namespace gdi
}  // namespace platform
