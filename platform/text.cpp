// Text out, extents and metrics over cached Pango layouts; one line drawn per call, never
// glyph by glyph.
#include "platform/text.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/display_text.h"
#include "platform/text_line.h"

namespace platform {
namespace gdi {

std::string ShapingText(const char* text, int count) {
  if (text == nullptr || count <= 0) return {};
  return AnsiToDisplayUtf8(std::string_view(text, std::size_t(count)));
}

void DrawLine(DeviceContext& dc, PangoLayoutLine* line, LineExtent extent, double left, double top,
              bool opaque, const RECT* clip) {
  RealisedFont& font = dc.Font();
  int height = font.ascent + font.descent;
  double x0 = dc.ToDeviceX(left), x1 = dc.ToDeviceX(left + extent.width);
  double y0 = dc.ToDeviceY(top), y1 = dc.ToDeviceY(top + height);
  POINT o = dc.Origin();
  double boxLeft = std::round(std::min(x0, x1)) + o.x;
  double boxTop = std::round(std::min(y0, y1)) + o.y;
  cairo_t* cr = dc.Cairo();
  if (clip != nullptr) {
    RECT c = dc.ToSurfaceRect(*clip);
    cairo_rectangle(cr, c.left, c.top, c.right - c.left, c.bottom - c.top);
    cairo_clip(cr);
  }
  if (opaque) {
    SetSourceColor(cr, dc.Attributes().bkColor);
    cairo_rectangle(cr, boxLeft, boxTop, extent.width, height);
    cairo_fill(cr);
  }
  SetSourceColor(cr, dc.Attributes().textColor);
  cairo_move_to(cr, boxLeft - extent.x, boxTop + font.ascent);
  pango_cairo_show_layout_line(cr, line);
}

}  // namespace gdi

namespace {

PangoLayout* SingleLine(gdi::DeviceContext& dc, const char* text, int count, bool rtl) {
  gdi::LayoutRequest request;
  request.font = &dc.Font();
  request.utf8 = gdi::ShapingText(text, count);
  // Text out is one line whatever it holds: line breaks would start new paragraphs.
  std::replace_if(
      request.utf8.begin(), request.utf8.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  request.rightToLeft = rtl;
  return gdi::CachedLayout(request);
}

}  // namespace

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                 const int* dx) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || dx != nullptr || (text == nullptr && count > 0)) return FALSE;
  if ((options & (ETO_OPAQUE | ETO_CLIPPED)) != 0 && rect == nullptr)
    options &= ~(ETO_OPAQUE | ETO_CLIPPED);
  gdi::DcAttributes& a = context->Attributes();
  if (options & ETO_OPAQUE) {
    RECT r = context->ToSurfaceRect(*rect);
    cairo_t* cr = context->Cairo();
    gdi::SetSourceColor(cr, a.bkColor);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
  }
  if (count == 0) return TRUE;
  bool rtl = (options & ETO_RTLREADING) || (a.textAlign & TA_RTLREADING);
  PangoLayout* layout = SingleLine(*context, text, int(count), rtl);
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
  gdi::LineExtent extent = gdi::LinePixelExtents(line);
  gdi::RealisedFont& font = context->Font();

  bool updateCP = a.textAlign & TA_UPDATECP;
  double refX = updateCP ? a.currentPos.x : x;
  double refY = updateCP ? a.currentPos.y : y;
  double left = refX;
  switch (a.textAlign & TA_CENTER) {
    case TA_RIGHT:
      left = refX - extent.width;
      break;
    case TA_CENTER:
      left = refX - extent.width / 2;
      break;
    default:
      break;
  }
  double top = refY;
  switch (a.textAlign & TA_BASELINE) {
    case TA_BOTTOM:
      top = refY - (font.ascent + font.descent);
      break;
    case TA_BASELINE:
      top = refY - font.ascent;
      break;
    default:
      break;
  }
  if (updateCP && (a.textAlign & TA_CENTER) == TA_LEFT) a.currentPos.x += extent.width;
  if (updateCP && (a.textAlign & TA_CENTER) == TA_RIGHT) a.currentPos.x -= extent.width;
  gdi::DrawLine(*context, line, extent, left, top, a.bkMode == OPAQUE,
                (options & ETO_CLIPPED) ? rect : nullptr);
  return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(dc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) {
    return FALSE;
  }
  gdi::RealisedFont& font = context->Font();
  int width = 0;
  if (count > 0) {
    PangoLayout* layout = SingleLine(*context, text, count, false);
    width = gdi::LinePixelExtents(pango_layout_get_line_readonly(layout, 0)).width;
  }
  *size = {width, font.ascent + font.descent};
  return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || metrics == nullptr) return FALSE;
  gdi::RealisedFont& font = context->Font();
  auto* object = gdi::Get<gdi::FontObject>(context->Attributes().font);
  const LOGFONTA* log = object != nullptr ? &object->logFont : nullptr;
  TEXTMETRICA m = {};
  m.tmAscent = font.ascent;
  m.tmDescent = font.descent;
  m.tmHeight = font.ascent + font.descent;
  m.tmInternalLeading = std::max<LONG>(0, m.tmHeight - LONG(std::lround(font.em)));
  m.tmAveCharWidth = font.aveCharWidth;
  m.tmMaxCharWidth = font.maxCharWidth;
  m.tmWeight = font.weight;
  m.tmDigitizedAspectX = 96;
  m.tmDigitizedAspectY = 96;
  m.tmFirstChar = 0x20;
  m.tmLastChar = 0xFF;
  m.tmDefaultChar = '?';
  m.tmBreakChar = ' ';
  m.tmItalic = log != nullptr && log->lfItalic ? 1 : 0;
  m.tmUnderlined = font.underline ? 1 : 0;
  m.tmStruckOut = font.strikeOut ? 1 : 0;
  m.tmPitchAndFamily = 0x01 | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS;
  m.tmCharSet = log != nullptr ? log->lfCharSet : DEFAULT_CHARSET;
  *metrics = m;
  return TRUE;
}

int GetTextFaceA(HDC dc, int count, char* face) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return 0;
  const std::string& name = context->Font().family;
  if (face == nullptr) return int(name.size()) + 1;
  if (count <= 0) return 0;
  std::size_t n = std::min(name.size(), std::size_t(count - 1));
  std::memcpy(face, name.data(), n);
  face[n] = '\0';
  return int(n);
}

}  // namespace platform
