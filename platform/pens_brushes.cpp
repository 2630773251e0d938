// Pens, brushes, the stock objects and GetObject.
#include "platform/pens_brushes.h"

#include <cstring>

#include "platform/bitmap.h"
#include "platform/dc_state.h"
#include "platform/winuser.h"

namespace platform {
namespace {

HPEN InsertPen(std::unique_ptr<gdi::PenObject> pen, bool stock = false) {
  return static_cast<HPEN>(gdi::Insert(std::move(pen), stock));
}

HBRUSH InsertBrush(std::unique_ptr<gdi::BrushObject> brush, bool stock = false) {
  return static_cast<HBRUSH>(gdi::Insert(std::move(brush), stock));
}

std::unique_ptr<gdi::PenObject> MakePen(int style, int width, COLORREF color) {
  auto pen = std::make_unique<gdi::PenObject>();
  pen->style = style & PS_STYLE_MASK;
  pen->width = width < 1 ? 1 : width;
  pen->color = color & 0xFFFFFF;
  return pen;
}

std::unique_ptr<gdi::BrushObject> MakeBrush(UINT style, COLORREF color) {
  auto brush = std::make_unique<gdi::BrushObject>();
  brush->style = style;
  brush->color = color & 0xFFFFFF;
  return brush;
}

struct StockTable {
  HGDIOBJ objects[DEFAULT_GUI_FONT + 1] = {};
  StockTable() {
    const COLORREF grays[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                              RGB(64, 64, 64), RGB(0, 0, 0)};
    for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
      objects[i] = InsertBrush(MakeBrush(BS_SOLID, grays[i]), true);
    }
    objects[NULL_BRUSH] = InsertBrush(MakeBrush(BS_NULL, 0), true);
    objects[WHITE_PEN] = InsertPen(MakePen(PS_SOLID, 1, RGB(255, 255, 255)), true);
    objects[BLACK_PEN] = InsertPen(MakePen(PS_SOLID, 1, RGB(0, 0, 0)), true);
    objects[NULL_PEN] = InsertPen(MakePen(PS_NULL, 1, 0), true);
    // The classic dialog font stands in for the system and GUI fonts.
    LOGFONTA font = {};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    for (int i : {ANSI_VAR_FONT, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
      auto object = std::make_unique<gdi::FontObject>();
      object->logFont = font;
      objects[i] = gdi::Insert(std::move(object), true);
    }
  }
};

}  // namespace

HGDIOBJ GetStockObject(int index) {
  static StockTable table;
  if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
  return table.objects[index];
}

HBRUSH GetSysColorBrush(int index) {
  static HGDIOBJ brushes[COLOR_MENUBAR + 1] = {};
  if (index < 0 || index > COLOR_MENUBAR) return nullptr;
  if (!brushes[index]) brushes[index] = InsertBrush(MakeBrush(BS_SOLID, GetSysColor(index)), true);
  return static_cast<HBRUSH>(brushes[index]);
}

HPEN CreatePen(int style, int width, COLORREF color) {
  int kind = style & PS_STYLE_MASK;
  if (kind > PS_INSIDEFRAME) return nullptr;
  return InsertPen(MakePen(style, width, color));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr) return nullptr;
  return CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD, const DWORD*) {
  if (brush == nullptr || (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL)) {
    return nullptr;
  }
  int kind = int(style) & PS_STYLE_MASK;
  if (kind > PS_INSIDEFRAME) return nullptr;
  auto pen = MakePen(brush->lbStyle == BS_NULL ? PS_NULL : kind, int(width), brush->lbColor);
  pen->geometric = (style & PS_GEOMETRIC) != 0;
  pen->endCap = int(style) & PS_ENDCAP_MASK;
  pen->join = int(style) & PS_JOIN_MASK;
  return InsertPen(std::move(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return InsertBrush(MakeBrush(BS_SOLID, color));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto brush = MakeBrush(BS_HATCHED, color);
  brush->hatch = hatch;
  return InsertBrush(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto* source = gdi::Get<gdi::BitmapObject>(bitmap);
  if (source == nullptr || source->surface.Width() == 0 || source->surface.Height() == 0) {
    return nullptr;
  }
  auto brush = MakeBrush(BS_PATTERN, 0);
  brush->monochrome = source->monochrome;
  const Surface& s = source->surface;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      std::uint32_t p = s.Pixel(x % s.Width(), y % s.Height());
      brush->pattern[y * 8 + x] = gdi::FromPixel(p);
      brush->bits[y * 8 + x] = (p & 0xFFFFFF) != 0;
    }
  }
  return InsertBrush(std::move(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
      return InsertBrush(MakeBrush(BS_NULL, 0));
    case BS_HATCHED:
      return CreateHatchBrush(int(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
      return nullptr;
  }
}

int GetObjectA(HGDIOBJ object, int size, void* buffer) {
  gdi::Object* found = gdi::Lookup(object);
  if (found == nullptr) return 0;
  auto put = [&](const auto& value) -> int {
    int needed = int(sizeof(value));
    if (buffer == nullptr) return needed;
    if (size < needed) return 0;
    std::memcpy(buffer, &value, sizeof(value));
    return needed;
  };
  switch (found->kind()) {
    case gdi::Kind::kPen: {
      auto* pen = static_cast<gdi::PenObject*>(found);
      return put(LOGPEN{UINT(pen->style), POINT{pen->width, 0}, pen->color});
    }
    case gdi::Kind::kBrush: {
      auto* brush = static_cast<gdi::BrushObject*>(found);
      return put(LOGBRUSH{brush->style, brush->color, UINT_PTR(brush->hatch)});
    }
    case gdi::Kind::kFont:
      return put(static_cast<gdi::FontObject*>(found)->logFont);
    case gdi::Kind::kBitmap: {
      auto* bitmap = static_cast<gdi::BitmapObject*>(found);
      WORD bits = bitmap->monochrome ? 1 : 32;
      LONG width = bitmap->surface.Width();
      LONG widthBytes = ((width * bits + 15) / 16) * 2;
      return put(BITMAP{0, width, bitmap->surface.Height(), widthBytes, 1, bits, nullptr});
    }
    default:
      return 0;
  }
}

}  // namespace platform
