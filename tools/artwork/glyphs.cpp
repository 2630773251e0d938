// The speed buttons' glyphs: arrows for moving through the records, a gear, a magnifier.
#include <cmath>

#include "tools/artwork/artwork.h"
#include "tools/artwork/palette.h"

namespace artwork {
namespace {

namespace pal = palette;

// A solid triangle pointing left (dir -1) or right (dir 1), tip at x.
void Arrow(cairo_t* cr, double tipX, double dir, double height, double depth) {
  cairo_move_to(cr, tipX, 8);
  cairo_line_to(cr, tipX - dir * depth, 8 - height / 2);
  cairo_line_to(cr, tipX - dir * depth, 8 + height / 2);
  cairo_close_path(cr);
}

void InkArrows(cairo_t* cr) {
  cairo_pattern_t* ink = cairo_pattern_create_linear(0, 2, 0, 14);
  cairo_pattern_add_color_stop_rgb(ink, 0, pal::kPlateTop.r, pal::kPlateTop.g, pal::kPlateTop.b);
  cairo_pattern_add_color_stop_rgb(ink, 1, pal::kDeepGreen.r, pal::kDeepGreen.g, pal::kDeepGreen.b);
  cairo_set_source(cr, ink);
  cairo_fill(cr);
  cairo_pattern_destroy(ink);
}

void Gear(cairo_t* cr) {
  const double c = 8;
  const int teeth = 8;
  for (int i = 0; i < teeth; ++i) {
    double a = i * 2 * M_PI / teeth;
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, a);
    cairo_rectangle(cr, -1.6, -7.5, 3.2, 3.5);
    cairo_restore(cr);
  }
  cairo_arc(cr, c, c, 5.2, 0, 2 * M_PI);
  InkArrows(cr);
  cairo_arc(cr, c, c, 2.2, 0, 2 * M_PI);
  SetColor(cr, pal::kCream);
  cairo_fill(cr);
}

void Magnifier(cairo_t* cr) {
  cairo_arc(cr, 10, 10, 6.5, 0, 2 * M_PI);
  SetColor(cr, Hex(0xE4F7F5));
  cairo_fill_preserve(cr);
  SetColor(cr, pal::kGold);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 15, 15);
  cairo_line_to(cr, 21, 21);
  SetColor(cr, pal::kDeepGreen);
  cairo_set_line_width(cr, 3.5);
  cairo_stroke(cr);
  // A plus in the glass: searching with more than the titles.
  cairo_rectangle(cr, 7, 9.25, 6, 1.5);
  cairo_rectangle(cr, 9.25, 7, 1.5, 6);
  SetColor(cr, pal::kDeepGreen);
  cairo_fill(cr);
}

}  // namespace

int GlyphSize(Glyph glyph) {
  return glyph == Glyph::AdvancedSearch ? 24 : 16;
}

void DrawGlyph(Picture& picture, Glyph glyph) {
  cairo_t* cr = picture.Cr();
  // Reading runs right to left: "next" points left, "previous" right, "first" goes to the
  // right-hand end and "last" to the left-hand end.
  switch (glyph) {
    case Glyph::Next:
      Arrow(cr, 3, -1, 10, 9);
      InkArrows(cr);
      break;
    case Glyph::Previous:
      Arrow(cr, 13, 1, 10, 9);
      InkArrows(cr);
      break;
    case Glyph::First:
      Arrow(cr, 11, 1, 10, 8);
      cairo_rectangle(cr, 11.5, 3, 2, 10);
      InkArrows(cr);
      break;
    case Glyph::Last:
      Arrow(cr, 5, -1, 10, 8);
      cairo_rectangle(cr, 2.5, 3, 2, 10);
      InkArrows(cr);
      break;
    case Glyph::Settings:
      Gear(cr);
      break;
    case Glyph::AdvancedSearch:
      Magnifier(cr);
      break;
  }
}

}  // namespace artwork
