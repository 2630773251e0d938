// Drawing helpers of the artwork tool.
#include "tools/artwork/paint.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace artwork {

Picture::Picture(int width, int height, bool alpha)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width,
                                          height)),
      cr_(cairo_create(surface_)) {
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a picture");
  // Fixed font options: the pictures must come out byte for byte the same on every machine
  // that has the same fonts, whatever the desktop's settings say.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Picture::~Picture() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::uint32_t Picture::Pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  std::uint32_t argb;
  std::memcpy(&argb, data + y * stride + x * 4, 4);
  return argb & 0xFFFFFF;
}

int Picture::Alpha(int x, int y) const {
  if (cairo_image_surface_get_format(surface_) != CAIRO_FORMAT_ARGB32) return 255;
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  std::uint32_t argb;
  std::memcpy(&argb, data + y * cairo_image_surface_get_stride(surface_) + x * 4, 4);
  return static_cast<int>(argb >> 24);
}

void Picture::SetPixel(int x, int y, std::uint32_t rgb) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  std::uint32_t argb = 0xFF000000u | rgb;
  std::memcpy(data + y * cairo_image_surface_get_stride(surface_) + x * 4, &argb, 4);
  cairo_surface_mark_dirty(surface_);
}

void SetColor(cairo_t* cr, Rgb colour, double alpha) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void RoundedPath(cairo_t* cr, Rect r, double radius) {
  radius = std::min({radius, r.w / 2, r.h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.Right() - radius, r.y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, r.Right() - radius, r.Bottom() - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, r.x + radius, r.Bottom() - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, r.x + radius, r.y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void FillRounded(cairo_t* cr, Rect r, double radius, Rgb colour, double alpha) {
  RoundedPath(cr, r, radius);
  SetColor(cr, colour, alpha);
  cairo_fill(cr);
}

void StrokeRounded(cairo_t* cr, Rect r, double radius, Rgb colour, double width) {
  // Half-pixel inset puts a one-pixel line exactly on a pixel row.
  RoundedPath(cr, {r.x + width / 2, r.y + width / 2, r.w - width, r.h - width}, radius);
  SetColor(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void FillGradient(cairo_t* cr, Rect r, double radius, Rgb top, Rgb bottom) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, r.y, 0, r.Bottom());
  cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
  RoundedPath(cr, r, radius);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

void Diamond(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
  cairo_move_to(cr, cx, cy - size);
  cairo_line_to(cr, cx + size, cy);
  cairo_line_to(cr, cx, cy + size);
  cairo_line_to(cr, cx - size, cy);
  cairo_close_path(cr);
  SetColor(cr, colour);
  cairo_fill(cr);
}

double DrawText(cairo_t* cr, const std::string& utf8, const TextStyle& style, Rect box,
                Align align) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, style.family.c_str());
  pango_font_description_set_absolute_size(font, style.pixels * PANGO_SCALE);
  pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, utf8.c_str(), -1);

  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  double x = box.x;
  if (align == Align::Right) x = box.Right() - logical.width;
  if (align == Align::Center) x = box.CenterX() - logical.width / 2.0;
  // Centre on the ink, not the line box: Arabic-script faces carry tall ascents that would
  // otherwise push the letters visibly low.
  double y = box.CenterY() - (ink.y + ink.height / 2.0);
  cairo_move_to(cr, std::round(x), std::round(y));
  SetColor(cr, style.colour);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
  return logical.width;
}

}  // namespace artwork
