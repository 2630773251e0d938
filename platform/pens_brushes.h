// Pens, brushes and the stock objects.
#pragma once

#include <memory>

#include "platform/gdi_handles.h"
#include "platform/gdi_objects.h"
#include "platform/windef.h"

namespace platform {

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_STYLE_MASK = 0x0000000F;
constexpr int PS_ENDCAP_ROUND = 0x00000000;
constexpr int PS_ENDCAP_SQUARE = 0x00000100;
constexpr int PS_ENDCAP_FLAT = 0x00000200;
constexpr int PS_ENDCAP_MASK = 0x00000F00;
constexpr int PS_JOIN_ROUND = 0x00000000;
constexpr int PS_JOIN_BEVEL = 0x00001000;
constexpr int PS_JOIN_MITER = 0x00002000;
constexpr int PS_JOIN_MASK = 0x0000F000;
constexpr int PS_COSMETIC = 0x00000000;
constexpr int PS_GEOMETRIC = 0x00010000;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
};

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  UINT_PTR lbHatch;  // hatch style, or the HBITMAP of a pattern brush
};

// A width of 0 or 1 is a one-pixel cosmetic pen. Dotted and dashed styles are drawn only at
// width one, as wider pens are solid.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
// Geometric pens carry their end cap and join; the brush must be solid.
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The brush keeps its own copy of the bitmap's top-left 8 × 8 pixels (a monochrome bitmap
// paints its 0 bits in the text colour and its 1 bits in the background colour).
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;
HGDIOBJ GetStockObject(int index);
// A solid brush of the system colour, shared and never freed (DeleteObject leaves it); null
// for an index outside the palette.
HBRUSH GetSysColorBrush(int index);

// Fills `buffer` with a LOGPEN, LOGBRUSH, LOGFONTA or BITMAP and returns the bytes written;
// with a null buffer returns the size needed. 0 for a bad handle or a short buffer.
int GetObjectA(HGDIOBJ object, int size, void* buffer);

namespace gdi {

struct PenObject : Object {
  static constexpr Kind kKind = Kind::kPen;
  Kind kind() const override { return kKind; }
  int style = PS_SOLID;  // PS_* style bits
  int width = 1;
  COLORREF color = 0;
  bool geometric = false;
  int endCap = PS_ENDCAP_ROUND;
  int join = PS_JOIN_ROUND;
};

struct BrushObject : Object {
  static constexpr Kind kKind = Kind::kBrush;
  Kind kind() const override { return kKind; }
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  // Pattern: 8 × 8 pixels; for a monochrome pattern, true marks a 1 (background) bit.
  bool monochrome = false;
  COLORREF pattern[64] = {};
  bool bits[64] = {};
};

}  // namespace gdi
}  // namespace platform
