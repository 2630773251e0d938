// DrawText over cached layouts: the layer places every line itself, on the font's line box.
#include "platform/drawtext.h"

#include <pango/pango.h>

#include <algorithm>
#include <cstring>

#include "platform/display_text.h"
#include "platform/text_line.h"

namespace platform {
namespace {

struct Prepared {
  std::string ansi;
  int underlineAt = -1;  // byte position in `ansi`
};

// Prefix processing and the replacements single-line and tab settings call for.
Prepared Prepare(const char* text, int count, UINT format) {
  Prepared out;
  bool prefixes = !(format & DT_NOPREFIX);
  for (int i = 0; i < count; ++i) {
    char c = text[i];
    if (prefixes && c == '&') {
      if (i + 1 < count && text[i + 1] == '&') {
        out.ansi += '&';
        ++i;
      } else if (i + 1 < count) {
        if (out.underlineAt < 0 && !(format & DT_HIDEPREFIX))
          out.underlineAt = int(out.ansi.size());
      }
      continue;
    }
    if ((format & DT_SINGLELINE) && (c == '\r' || c == '\n')) c = ' ';
    if (c == '\t' && !(format & DT_EXPANDTABS)) c = ' ';
    out.ansi += c;
  }
  return out;
}

}  // namespace

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || rect == nullptr || (text == nullptr && count != 0)) return 0;
  if (count < 0) count = int(std::strlen(text));
  gdi::RealisedFont& font = context->Font();
  int lineHeight = font.ascent + font.descent;
  Prepared prepared = Prepare(text, count, format);
  if (prepared.ansi.empty()) {
    if (format & DT_CALCRECT) {
      rect->right = rect->left;
      rect->bottom = rect->top;
    }
    return 0;
  }

  gdi::LayoutRequest request;
  request.font = &font;
  request.rightToLeft = format & DT_RTLREADING;
  if (format & DT_EXPANDTABS) request.tabWidth = std::max(1, 8 * font.aveCharWidth);
  int boxWidth = std::max<LONG>(0, rect->right - rect->left);
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) request.wrapWidth = boxWidth;
  if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT)) {
    request.wrapWidth = boxWidth;
    request.ellipsize = true;
  }
  if (prepared.underlineAt >= 0) {
    // The underline covers the whole UTF-8 sequence of the marked character.
    request.underlineStart =
        int(AnsiToDisplayUtf8(prepared.ansi.substr(0, prepared.underlineAt)).size());
    request.underlineEnd =
        request.underlineStart +
        int(AnsiToDisplayUtf8(prepared.ansi.substr(std::size_t(prepared.underlineAt), 1)).size());
  }
  request.utf8 = AnsiToDisplayUtf8(prepared.ansi);
  PangoLayout* layout = gdi::CachedLayout(request);

  int lines = pango_layout_get_line_count(layout);
  int height = lines * lineHeight;
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (int i = 0; i < lines; ++i) {
      widest =
          std::max(widest, gdi::LinePixelExtents(pango_layout_get_line_readonly(layout, i)).width);
    }
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }

  int top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) {
      top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    } else if (format & DT_BOTTOM) {
      top = rect->bottom - lineHeight;
    }
  }
  bool opaque = context->Attributes().bkMode == OPAQUE;
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
  for (int i = 0; i < lines; ++i) {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, i);
    gdi::LineExtent extent = gdi::LinePixelExtents(line);
    int left = rect->left;
    if (format & DT_CENTER) {
      left = rect->left + (boxWidth - extent.width) / 2;
    } else if (format & DT_RIGHT) {
      left = rect->right - extent.width;
    }
    gdi::DrawLine(*context, line, extent, left, top + i * lineHeight, opaque, clip);
  }
  int bottom = top + height;
  return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? bottom - rect->top
                                                                         : height;
}

}  // namespace platform
