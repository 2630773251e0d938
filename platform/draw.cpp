// Shapes and lines: geometry in surface coordinates, handed to the shared rasteriser.
#include "platform/draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/raster.h"
#include "platform/region.h"
#include "platform/rop2.h"

namespace platform {
namespace {

using gdi::DeviceContext;
using gdi::PathBuilder;

void RectPath(cairo_t* cr, const RECT& r) {
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

BOOL FillWithBrush(HDC dc, const RECT* rect, HBRUSH brush, bool frame) {
  DeviceContext* context = gdi::DC(dc);
  auto* object = gdi::Get<gdi::BrushObject>(brush);
  if (context == nullptr || object == nullptr || rect == nullptr) return FALSE;
  RECT r = context->ToSurfaceRect(*rect);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  PathBuilder path = [&](cairo_t* cr) {
    RectPath(cr, r);
    if (frame) {
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      RECT inner = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
      if (inner.right > inner.left && inner.bottom > inner.top) RectPath(cr, inner);
    }
  };
  gdi::PaintShape(*context, &path, object, nullptr, nullptr, R2_COPYPEN);
  return TRUE;
}

// A shape given by its bounding box in logical coordinates.
template <class Outline>
BOOL BoxShape(HDC dc, int left, int top, int right, int bottom, Outline outline) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return FALSE;
  RECT box = context->ToSurfaceRect({left, top, right, bottom});
  gdi::PenObject& pen = context->Pen();
  bool hasPen = gdi::Draws(pen);
  // The pen is centred on the path through the border pixels' centres; without one, the
  // filled area ends a pixel before the right and bottom edges.
  PathBuilder outlined = [&](cairo_t* cr) {
    outline(cr, box.left + 0.5, box.top + 0.5, box.right - 0.5, box.bottom - 0.5);
  };
  PathBuilder filled = [&](cairo_t* cr) {
    outline(cr, box.left, box.top, box.right - 1, box.bottom - 1);
  };
  gdi::PaintShape(*context, hasPen ? &outlined : &filled, &context->Brush(),
                  hasPen ? &outlined : nullptr, &pen, context->Attributes().rop2);
  return TRUE;
}

void RectOutline(cairo_t* cr, double l, double t, double r, double b) {
  cairo_rectangle(cr, l, t, r - l, b - t);
}

void EllipseOutline(cairo_t* cr, double l, double t, double r, double b) {
  if (r <= l || b <= t) return;
  cairo_save(cr);
  cairo_translate(cr, (l + r) / 2, (t + b) / 2);
  cairo_scale(cr, (r - l) / 2, (b - t) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// Lines through pixel centres in surface coordinates.
BOOL StrokeLines(DeviceContext* context, const std::vector<std::vector<POINT>>& lines,
                 bool closed) {
  gdi::PenObject& pen = context->Pen();
  PathBuilder stroke = [&](cairo_t* cr) {
    for (const auto& line : lines) {
      if (line.size() < 2) continue;
      POINT first = context->ToSurface(line[0]);
      cairo_move_to(cr, first.x + 0.5, first.y + 0.5);
      for (std::size_t i = 1; i < line.size(); ++i) {
        POINT p = context->ToSurface(line[i]);
        cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
      }
      if (closed) cairo_close_path(cr);
    }
  };
  gdi::PaintShape(*context, nullptr, nullptr, &stroke, &pen, context->Attributes().rop2);
  return TRUE;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return FillWithBrush(dc, rect, brush, false);
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return FillWithBrush(dc, rect, brush, true);
}

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  DeviceContext* context = gdi::DC(dc);
  Region* region = RegionFromHandle(rgn);
  auto* object = gdi::Get<gdi::BrushObject>(brush);
  if (context == nullptr || region == nullptr || object == nullptr) return FALSE;
  PathBuilder path = [&](cairo_t* cr) {
    for (const RECT& r : region->Rects()) RectPath(cr, context->ToSurfaceRect(r));
  };
  gdi::PaintShape(*context, &path, object, nullptr, nullptr, R2_COPYPEN);
  return TRUE;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  RECT r = context->ToSurfaceRect(*rect);
  PathBuilder path = [&](cairo_t* cr) { RectPath(cr, r); };
  gdi::BrushObject any;
  gdi::PaintShape(*context, &path, &any, nullptr, nullptr, R2_NOT);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return BoxShape(dc, left, top, right, bottom, RectOutline);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return BoxShape(dc, left, top, right, bottom, EllipseOutline);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return FALSE;
  double rx = std::fabs(width * context->ScaleX()) / 2;
  double ry = std::fabs(height * context->ScaleY()) / 2;
  auto outline = [rx, ry](cairo_t* cr, double l, double t, double r, double b) {
    double ax = std::min(rx, (r - l) / 2), ay = std::min(ry, (b - t) / 2);
    if (ax <= 0 || ay <= 0) {
      RectOutline(cr, l, t, r, b);
      return;
    }
    cairo_new_sub_path(cr);
    const double pi = 3.14159265358979323846;
    auto corner = [&](double cx, double cy, double from) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, ax, ay);
      cairo_arc(cr, 0, 0, 1, from, from + pi / 2);
      cairo_restore(cr);
    };
    corner(r - ax, t + ay, -pi / 2);
    corner(r - ax, b - ay, 0);
    corner(l + ax, b - ay, pi / 2);
    corner(l + ax, t + ay, pi);
    cairo_close_path(cr);
  };
  return BoxShape(dc, left, top, right, bottom, outline);
}

int SetPolyFillMode(HDC dc, int mode) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || (mode != ALTERNATE && mode != WINDING)) return 0;
  int old = context->Attributes().polyFillMode;
  context->Attributes().polyFillMode = mode;
  return old;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || points == nullptr || count < 2) return FALSE;
  std::vector<POINT> line(points, points + count);
  PathBuilder fill = [&](cairo_t* cr) {
    cairo_set_fill_rule(cr, context->Attributes().polyFillMode == WINDING
                                ? CAIRO_FILL_RULE_WINDING
                                : CAIRO_FILL_RULE_EVEN_ODD);
    for (int i = 0; i < count; ++i) {
      POINT p = context->ToSurface(line[i]);
      cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
    }
    cairo_close_path(cr);
  };
  gdi::PenObject& pen = context->Pen();
  PathBuilder stroke = [&](cairo_t* cr) {
    for (int i = 0; i < count; ++i) {
      POINT p = context->ToSurface(line[i]);
      cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
    }
    cairo_close_path(cr);
  };
  gdi::PaintShape(*context, &fill, &context->Brush(), &stroke, &pen, context->Attributes().rop2);
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return FALSE;
  POINT& current = context->Attributes().currentPos;
  StrokeLines(context, {{current, POINT{x, y}}}, false);
  current = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || points == nullptr || count < 2) return FALSE;
  return StrokeLines(context, {std::vector<POINT>(points, points + count)}, false);
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD lines) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || points == nullptr || counts == nullptr) return FALSE;
  std::vector<std::vector<POINT>> all;
  for (DWORD i = 0; i < lines; ++i) {
    if (counts[i] < 2) return FALSE;
    all.emplace_back(points, points + counts[i]);
    points += counts[i];
  }
  return StrokeLines(context, all, false);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return CLR_INVALID;
  POINT p = context->ToSurface({x, y});
  if (!context->Clip().Contains(p.x, p.y)) return CLR_INVALID;
  context->BeginDirect();
  context->Target().Row(p.y)[p.x] = gdi::ToPixel(color);
  context->EndDirect();
  return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return CLR_INVALID;
  POINT p = context->ToSurface({x, y});
  Surface& s = context->Target();
  if (p.x < 0 || p.y < 0 || p.x >= s.Width() || p.y >= s.Height()) return CLR_INVALID;
  context->BeginDirect();
  return gdi::FromPixel(s.Row(p.y)[p.x]);
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  RECT r = context->ToSurfaceRect(*rect);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  const Region& clip = context->Clip();
  Surface& s = context->Target();
  context->BeginDirect();
  auto flip = [&](int x, int y) {
    if (((x + y) & 1) == 0 && clip.Contains(x, y)) s.Row(y)[x] ^= 0x00FFFFFF;
  };
  for (int x = r.left; x < r.right; ++x) {
    flip(x, r.top);
    if (r.bottom - 1 > r.top) flip(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    flip(r.left, y);
    if (r.right - 1 > r.left) flip(r.right - 1, y);
  }
  context->EndDirect();
  return TRUE;
}

}  // namespace platform
