// DrawEdge: bevels from one-pixel lines in the classic three-dimensional colours.
#include "platform/drawedge.h"

#include <algorithm>

#include "platform/raster.h"
#include "platform/rop2.h"

namespace platform {
namespace {

// The classic scheme's colours for edges; the window layer's system colours use the same.
constexpr COLORREF kHighlight = RGB(255, 255, 255);  // COLOR_BTNHIGHLIGHT
constexpr COLORREF kLight = RGB(192, 192, 192);      // COLOR_3DLIGHT
constexpr COLORREF kFace = RGB(192, 192, 192);       // COLOR_BTNFACE
constexpr COLORREF kShadow = RGB(128, 128, 128);     // COLOR_BTNSHADOW
constexpr COLORREF kDarkShadow = RGB(0, 0, 0);       // COLOR_3DDKSHADOW
constexpr COLORREF kWindow = RGB(255, 255, 255);     // COLOR_WINDOW
constexpr COLORREF kFrame = RGB(0, 0, 0);            // COLOR_WINDOWFRAME

struct BorderColors {
  COLORREF light;  // top and left
  COLORREF dark;   // bottom and right
};

BorderColors OuterColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {kFrame, kFrame};
  if (flags & BF_FLAT) return {kShadow, kShadow};
  if (edge & BDR_RAISEDOUTER) return {flags & BF_SOFT ? kHighlight : kLight, kDarkShadow};
  return {kShadow, kHighlight};
}

BorderColors InnerColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {kWindow, kWindow};
  if (flags & BF_FLAT) return {kFace, kFace};
  if (edge & BDR_RAISEDINNER) return {flags & BF_SOFT ? kLight : kHighlight, kShadow};
  return {flags & BF_SOFT ? kShadow : kDarkShadow, kLight};
}

// Borders are laid out in a frame whose x runs the logical way: on a mirrored mapping x is
// negated, so the logical left side (light) lands on the right of the device.
void FillSurfaceRect(gdi::DeviceContext& dc, RECT r, COLORREF color, bool mirror = false) {
  if (mirror) r = {-r.right, r.top, -r.left, r.bottom};
  if (r.right <= r.left || r.bottom <= r.top) return;
  gdi::BrushObject brush;
  brush.color = color;
  gdi::PathBuilder path = [&](cairo_t* cr) {
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  gdi::PaintShape(dc, &path, &brush, nullptr, nullptr, R2_COPYPEN);
}

// One border on the sides named by flags, in surface coordinates; shrinks `r` past it.
void DrawBorder(gdi::DeviceContext& dc, RECT& r, UINT flags, BorderColors colors, bool mirror) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  LONG topEnd = flags & BF_RIGHT ? r.right - 1 : r.right;
  LONG leftEnd = flags & BF_BOTTOM ? r.bottom - 1 : r.bottom;
  if (flags & BF_TOP) {
    FillSurfaceRect(dc, {r.left, r.top, topEnd, r.top + 1}, colors.light, mirror);
  }
  if (flags & BF_LEFT) {
    FillSurfaceRect(dc, {r.left, r.top, r.left + 1, leftEnd}, colors.light, mirror);
  }
  if (flags & BF_BOTTOM) {
    FillSurfaceRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colors.dark, mirror);
  }
  if (flags & BF_RIGHT) {
    FillSurfaceRect(dc, {r.right - 1, r.top, r.right, r.bottom}, colors.dark, mirror);
  }
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

void DrawDiagonal(gdi::DeviceContext& dc, const RECT& r, UINT flags, COLORREF color, int inset) {
  double l = r.left + 0.5 + inset, t = r.top + 0.5 + inset;
  double rr = r.right - 0.5 - inset, b = r.bottom - 0.5 - inset;
  if (rr < l || b < t) return;
  double x0, y0, x1, y1;
  bool top = flags & BF_TOP, right = flags & BF_RIGHT;
  if (top) {
    y0 = b;
    y1 = t;
  } else {
    y0 = t;
    y1 = b;
  }
  if (right) {
    x0 = l;
    x1 = rr;
  } else {
    x0 = rr;
    x1 = l;
  }
  gdi::PenObject pen;
  pen.color = color;
  gdi::PathBuilder path = [&](cairo_t* cr) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
  };
  gdi::PaintShape(dc, nullptr, nullptr, &path, &pen, R2_COPYPEN);
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  RECT r = context->ToSurfaceRect(*rect);
  bool mirror = context->ScaleX() < 0;
  if (mirror) r = {-r.right, r.top, -r.left, r.bottom};
  bool outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  if (flags & BF_DIAGONAL) {
    if (mirror) {
      r = {-r.right, r.top, -r.left, r.bottom};
      if ((flags & (BF_LEFT | BF_RIGHT)) != (BF_LEFT | BF_RIGHT)) flags ^= BF_LEFT | BF_RIGHT;
    }
    if (outer) DrawDiagonal(*context, r, flags, OuterColors(edge, flags).dark, 0);
    if (inner) DrawDiagonal(*context, r, flags, InnerColors(edge, flags).light, 1);
    return TRUE;
  }
  if (outer) DrawBorder(*context, r, flags, OuterColors(edge, flags), mirror);
  if (inner) DrawBorder(*context, r, flags, InnerColors(edge, flags), mirror);
  if (flags & BF_MIDDLE) FillSurfaceRect(*context, r, flags & BF_MONO ? kWindow : kFace, mirror);
  if (mirror) r = {-r.right, r.top, -r.left, r.bottom};
  if (flags & BF_ADJUST) {
    POINT o = context->Origin();
    POINT a = context->ToLogical({r.left - o.x, r.top - o.y});
    POINT b = context->ToLogical({r.right - o.x, r.bottom - o.y});
    *rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  }
  return TRUE;
}

}  // namespace platform
