// Rasterisation of shapes: Cairo draws directly for plain copies, and through coverage masks
// mixed pixel by pixel for every other raster operation.
#include "platform/raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rop2.h"

namespace platform::gdi {
namespace {

bool HatchBit(int hatch, int x, int y) {
  bool horizontal = y == 7, vertical = x == 7, forward = x == y, backward = x + y == 7;
  switch (hatch) {
    case HS_HORIZONTAL:
      return horizontal;
    case HS_VERTICAL:
      return vertical;
    case HS_FDIAGONAL:
      return forward;
    case HS_BDIAGONAL:
      return backward;
    case HS_CROSS:
      return horizontal || vertical;
    case HS_DIAGCROSS:
      return forward || backward;
    default:
      return false;
  }
}

void SetupPen(cairo_t* cr, DeviceContext& dc, const PenObject& pen) {
  int width = DevicePenWidth(dc, pen);
  cairo_set_line_width(cr, width);
  if (width == 1) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    static const double kDot[] = {3, 3}, kDash[] = {18, 6}, kDashDot[] = {9, 6, 3, 6},
                        kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (pen.style) {
      case PS_DOT:
        cairo_set_dash(cr, kDot, 2, 0);
        break;
      case PS_DASH:
        cairo_set_dash(cr, kDash, 2, 0);
        break;
      case PS_DASHDOT:
        cairo_set_dash(cr, kDashDot, 4, 0);
        break;
      case PS_DASHDOTDOT:
        cairo_set_dash(cr, kDashDotDot, 6, 0);
        break;
      default:
        break;
    }
    return;
  }
  switch (pen.endCap) {
    case PS_ENDCAP_FLAT:
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
      break;
    case PS_ENDCAP_SQUARE:
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
      break;
    default:
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      break;
  }
  switch (pen.join) {
    case PS_JOIN_MITER:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
      break;
    case PS_JOIN_BEVEL:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
      break;
    default:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      break;
  }
}

void ClipTo(cairo_t* cr, const Region& clip) {
  for (const RECT& r : clip.Rects()) {
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  cairo_clip(cr);
}

// An 8-bit coverage mask of one path over `box`, clipped like the device context.
struct Mask {
  Mask(const RECT& box, const Region& clip, const PathBuilder& path, bool stroke, DeviceContext& dc,
       const PenObject* pen)
      : box_(box) {
    surface_ =
        cairo_image_surface_create(CAIRO_FORMAT_A8, box.right - box.left, box.bottom - box.top);
    cairo_t* cr = cairo_create(surface_);
    cairo_translate(cr, -box.left, -box.top);
    ClipTo(cr, clip);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    path(cr);
    if (stroke) {
      SetupPen(cr, dc, *pen);
      cairo_stroke(cr);
    } else {
      cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
    data_ = cairo_image_surface_get_data(surface_);
    stride_ = cairo_image_surface_get_stride(surface_);
  }
  ~Mask() { cairo_surface_destroy(surface_); }
  Mask(const Mask&) = delete;
  Mask& operator=(const Mask&) = delete;

  bool Covers(int x, int y) const {
    return data_[(y - box_.top) * stride_ + (x - box_.left)] >= 128;
  }

 private:
  RECT box_;
  cairo_surface_t* surface_;
  unsigned char* data_;
  int stride_;
};

RECT Extents(cairo_t* cr, bool stroke) {
  double x0, y0, x1, y1;
  if (stroke) {
    cairo_stroke_extents(cr, &x0, &y0, &x1, &y1);
  } else {
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
  }
  cairo_new_path(cr);
  return {LONG(std::floor(x0)) - 1, LONG(std::floor(y0)) - 1, LONG(std::ceil(x1)) + 1,
          LONG(std::ceil(y1)) + 1};
}

}  // namespace

bool Draws(const PenObject& pen) {
  return pen.style != PS_NULL;
}
bool Draws(const BrushObject& brush) {
  return brush.style != BS_NULL;
}

int DevicePenWidth(DeviceContext& dc, const PenObject& pen) {
  if (pen.width <= 1) return 1;
  return std::max(1, int(std::lround(pen.width * std::fabs(dc.ScaleX()))));
}

bool BrushColorAt(const BrushObject& brush, DeviceContext& dc, int x, int y, COLORREF* color) {
  const DcAttributes& a = dc.Attributes();
  int px = ((x - dc.Origin().x - a.brushOrg.x) % 8 + 8) % 8;
  int py = ((y - dc.Origin().y - a.brushOrg.y) % 8 + 8) % 8;
  switch (brush.style) {
    case BS_SOLID:
      *color = brush.color;
      return true;
    case BS_HATCHED:
      if (HatchBit(brush.hatch, px, py)) {
        *color = brush.color;
        return true;
      }
      if (a.bkMode != OPAQUE) return false;
      *color = a.bkColor;
      return true;
    case BS_PATTERN:
      if (brush.monochrome) {
        *color = brush.bits[py * 8 + px] ? a.bkColor : a.textColor;
      } else {
        *color = brush.pattern[py * 8 + px];
      }
      return true;
    default:
      return false;
  }
}

void PaintShape(DeviceContext& dc, const PathBuilder* fill, BrushObject* brush,
                const PathBuilder* stroke, PenObject* pen, int rop2) {
  if (rop2 == R2_NOP) return;
  if (brush == nullptr || !Draws(*brush)) fill = nullptr;
  if (pen == nullptr || !Draws(*pen)) stroke = nullptr;
  if (fill == nullptr && stroke == nullptr) return;

  if (rop2 == R2_COPYPEN && (fill == nullptr || brush->style == BS_SOLID)) {
    cairo_t* cr = dc.Cairo();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (fill != nullptr) {
      SetSourceColor(cr, brush->color);
      (*fill)(cr);
      cairo_fill(cr);
    }
    if (stroke != nullptr) {
      SetupPen(cr, dc, *pen);
      SetSourceColor(cr, pen->color);
      (*stroke)(cr);
      cairo_stroke(cr);
    }
    return;
  }

  cairo_t* cr = dc.Cairo();
  RECT box = {0, 0, 0, 0};
  bool first = true;
  auto grow = [&](const RECT& r) {
    if (first) {
      box = r;
      first = false;
    } else {
      box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
             std::max(box.bottom, r.bottom)};
    }
  };
  if (fill != nullptr) {
    (*fill)(cr);
    grow(Extents(cr, false));
  }
  if (stroke != nullptr) {
    SetupPen(cr, dc, *pen);
    (*stroke)(cr);
    grow(Extents(cr, true));
  }
  const Region& clip = dc.Clip();
  RECT limit = clip.Box();
  box = {std::max(box.left, limit.left), std::max(box.top, limit.top),
         std::min(box.right, limit.right), std::min(box.bottom, limit.bottom)};
  if (box.right <= box.left || box.bottom <= box.top) return;

  std::unique_ptr<Mask> fillMask, strokeMask;
  if (fill != nullptr) fillMask = std::make_unique<Mask>(box, clip, *fill, false, dc, pen);
  if (stroke != nullptr) strokeMask = std::make_unique<Mask>(box, clip, *stroke, true, dc, pen);
  std::uint32_t penColor = pen != nullptr ? ToPixel(pen->color) & 0xFFFFFF : 0;
  Surface& target = dc.Target();
  dc.BeginDirect();
  for (int y = box.top; y < box.bottom; ++y) {
    std::uint32_t* row = target.Row(y);
    for (int x = box.left; x < box.right; ++x) {
      std::uint32_t source;
      if (strokeMask && strokeMask->Covers(x, y)) {
        source = penColor;
      } else if (fillMask && fillMask->Covers(x, y)) {
        COLORREF c;
        if (!BrushColorAt(*brush, dc, x, y, &c)) continue;
        source = ToPixel(c) & 0xFFFFFF;
      } else {
        continue;
      }
      row[x] = 0xFF000000u | ApplyRop2(rop2, source, row[x] & 0xFFFFFF);
    }
  }
  dc.EndDirect();
}

}  // namespace platform::gdi
