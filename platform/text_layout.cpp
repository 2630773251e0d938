// Editor text layouts over Pango, with the layer's own line boxes.
#include "platform/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "platform/display_text.h"
#include "platform/drawtext.h"
#include "platform/text_line.h"

namespace platform {

TextLayout::TextLayout(HDC dc, std::string_view text, int wrapWidth, bool rightToLeft,
                       UINT alignment)
    : text_(text) {
  gdi::DeviceContext* context = gdi::DC(dc);
  auto* object =
      context != nullptr ? gdi::Get<gdi::FontObject>(context->Attributes().font) : nullptr;
  if (object == nullptr) object = gdi::Get<gdi::FontObject>(GetStockObject(SYSTEM_FONT));
  if (!object->realised) object->realised = gdi::Realise(object->logFont);
  font_ = object->realised;
  lineHeight_ = font_->ascent + font_->descent;
  ascent_ = font_->ascent;

  std::string utf8;
  for (char c : text_) {
    utf8Offsets_.push_back(int(utf8.size()));
    utf8 += AnsiToDisplayUtf8(std::string_view(&c, 1));
  }
  utf8Offsets_.push_back(int(utf8.size()));

  layout_ = pango_layout_new(gdi::SharedPangoContext(rightToLeft));
  pango_layout_set_auto_dir(layout_, FALSE);
  pango_layout_set_font_description(layout_, font_->description);
  pango_layout_set_text(layout_, utf8.data(), int(utf8.size()));
  if (wrapWidth >= 0) {
    pango_layout_set_width(layout_, wrapWidth * PANGO_SCALE);
    pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
    PangoAlignment align = PANGO_ALIGN_LEFT;
    if (alignment & DT_CENTER) {
      align = PANGO_ALIGN_CENTER;
    } else if (alignment & DT_RIGHT) {
      align = PANGO_ALIGN_RIGHT;
    }
    // With automatic direction off, Pango takes the alignment as on screen.
    pango_layout_set_alignment(layout_, align);
  }
}

TextLayout::~TextLayout() {
  g_object_unref(layout_);
}

int TextLayout::ToUtf8(int index) const {
  index = std::clamp(index, 0, int(text_.size()));
  return utf8Offsets_[std::size_t(index)];
}

int TextLayout::FromUtf8(int offset) const {
  auto at = std::lower_bound(utf8Offsets_.begin(), utf8Offsets_.end(), offset);
  return int(std::min(at - utf8Offsets_.begin(), std::ptrdiff_t(text_.size())));
}

int TextLayout::LineCount() const {
  return pango_layout_get_line_count(layout_);
}

int TextLayout::LineStart(int line) const {
  PangoLayoutLine* l =
      pango_layout_get_line_readonly(layout_, std::clamp(line, 0, LineCount() - 1));
  return FromUtf8(l->start_index);
}

int TextLayout::LineOf(int index) const {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(layout_, ToUtf8(index), FALSE, &line, &x);
  return line;
}

int TextLayout::LineWidth(int line) const {
  return gdi::LinePixelExtents(pango_layout_get_line_readonly(layout_, line)).width;
}

int TextLayout::Width() const {
  int widest = 0;
  for (int i = 0; i < LineCount(); ++i) widest = std::max(widest, LineWidth(i));
  return widest;
}

int TextLayout::LineOffset(int line) const {
  PangoLayoutIter* iter = pango_layout_get_iter(layout_);
  for (int i = 0; i < line && pango_layout_iter_next_line(iter); ++i) {
  }
  PangoRectangle logical;
  pango_layout_iter_get_line_extents(iter, nullptr, &logical);
  pango_layout_iter_free(iter);
  pango_extents_to_pixels(&logical, nullptr);
  gdi::LineExtent own = gdi::LinePixelExtents(pango_layout_get_line_readonly(layout_, line));
  return logical.x - own.x;
}

POINT TextLayout::CaretPoint(int index) const {
  PangoRectangle strong;
  pango_layout_get_cursor_pos(layout_, ToUtf8(index), &strong, nullptr);
  return {LONG(PANGO_PIXELS(strong.x)), LONG(LineOf(index) * lineHeight_)};
}

POINT TextLayout::SecondCaretPoint(int index) const {
  PangoRectangle weak;
  pango_layout_get_cursor_pos(layout_, ToUtf8(index), nullptr, &weak);
  return {LONG(PANGO_PIXELS(weak.x)), LONG(LineOf(index) * lineHeight_)};
}

int TextLayout::IndexAt(POINT point) const {
  int line = std::clamp(int(point.y) / std::max(1, lineHeight_), 0, LineCount() - 1);
  if (point.y < 0) line = 0;
  PangoLayoutLine* l = pango_layout_get_line_readonly(layout_, line);
  int index = 0, trailing = 0;
  pango_layout_line_x_to_index(l, (point.x - LineOffset(line)) * PANGO_SCALE, &index, &trailing);
  // A trailing hit moves past the character: count its UTF-8 sequence by characters.
  const char* text = pango_layout_get_text(layout_);
  for (int i = 0; i < trailing; ++i) index = int(g_utf8_next_char(text + index) - text);
  return FromUtf8(index);
}

bool TextLayout::IsCaretPosition(int index) const {
  if (index <= 0 || index >= int(text_.size())) return true;
  const char* text = pango_layout_get_text(layout_);
  int offset = ToUtf8(index);
  int n_attrs = 0;
  const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(layout_, &n_attrs);
  int character = int(g_utf8_pointer_to_offset(text, text + offset));
  return character >= n_attrs || attrs[character].is_cursor_position;
}

POINT TextLayout::LineEndPoint(int line) const {
  line = std::clamp(line, 0, LineCount() - 1);
  PangoLayoutLine* l = pango_layout_get_line_readonly(layout_, line);
  if (l->length == 0)
    return {LONG(CaretPoint(FromUtf8(l->start_index)).x), LONG(line * lineHeight_)};
  const char* text = pango_layout_get_text(layout_);
  const char* last = g_utf8_prev_char(text + l->start_index + l->length);
  PangoRectangle box;
  pango_layout_index_to_pos(layout_, int(last - text), &box);
  // A right-to-left character's box has a negative width: its trailing edge is on the left.
  return {LONG(PANGO_PIXELS(box.x + box.width)), LONG(line * lineHeight_)};
}

int TextLayout::MoveVisually(int index, int direction) const {
  bool beyond = false;
  return MoveVisually(index, direction, &beyond);
}

int TextLayout::MoveVisually(int index, int direction, bool* beyond) const {
  int newIndex = 0, trailing = 0;
  pango_layout_move_cursor_visually(layout_, TRUE, ToUtf8(index), 0, direction > 0 ? 1 : -1,
                                    &newIndex, &trailing);
  *beyond = newIndex < 0 || newIndex == G_MAXINT;
  if (newIndex < 0) return 0;
  if (newIndex == G_MAXINT) return int(text_.size());
  const char* text = pango_layout_get_text(layout_);
  for (int i = 0; i < trailing; ++i) newIndex = int(g_utf8_next_char(text + newIndex) - text);
  return FromUtf8(newIndex);
}

void TextLayout::Draw(HDC dc, int x, int y, int selStart, int selEnd, COLORREF selText,
                      COLORREF selBack) const {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr) return;
  int from = ToUtf8(std::min(selStart, selEnd)), to = ToUtf8(std::max(selStart, selEnd));
  POINT origin = context->Origin();
  for (int i = 0; i < LineCount(); ++i) {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout_, i);
    double left = context->ToDeviceX(x) + origin.x;
    double top = context->ToDeviceY(y + i * lineHeight_) + origin.y;
    double lineX = left + LineOffset(i);
    cairo_t* cr = context->Cairo();
    gdi::SetSourceColor(cr, context->Attributes().textColor);
    cairo_move_to(cr, lineX, top + ascent_);
    pango_cairo_show_layout_line(cr, line);
    int start = std::max(from, line->start_index);
    int end = std::min(to, line->start_index + line->length);
    if (start >= end) continue;
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(line, start, end, &ranges, &count);
    for (int r = 0; r < count; ++r) {
      double x0 = left + PANGO_PIXELS(ranges[2 * r]), x1 = left + PANGO_PIXELS(ranges[2 * r + 1]);
      cairo_save(cr);
      cairo_rectangle(cr, x0, top, x1 - x0, lineHeight_);
      cairo_clip(cr);
      gdi::SetSourceColor(cr, selBack);
      cairo_paint(cr);
      gdi::SetSourceColor(cr, selText);
      cairo_move_to(cr, lineX, top + ascent_);
      pango_cairo_show_layout_line(cr, line);
      cairo_restore(cr);
    }
    g_free(ranges);
  }
}

}  // namespace platform
