// Drawing helpers of the artwork tool: colours, rounded frames and shaped Persian text on Cairo.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace artwork {

struct Rgb {
  double r, g, b;
};

// A colour written 0xRRGGBB, the order a designer reads.
constexpr Rgb Hex(std::uint32_t rrggbb) {
  return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0, (rrggbb & 0xFF) / 255.0};
}

// A colour given as the program's stored colour value 0xBBGGRR, so the artwork matches the
// controls painted over it exactly.
constexpr Rgb FromStoredColor(std::uint32_t bbggrr) {
  return {(bbggrr & 0xFF) / 255.0, ((bbggrr >> 8) & 0xFF) / 255.0, ((bbggrr >> 16) & 0xFF) / 255.0};
}

struct Rect {
  double x, y, w, h;
  double Right() const { return x + w; }
  double Bottom() const { return y + h; }
  double CenterX() const { return x + w / 2; }
  double CenterY() const { return y + h / 2; }
  Rect Inflated(double d) const { return {x - d, y - d, w + 2 * d, h + 2 * d}; }
};

// An opaque RGB picture being drawn; owns its Cairo surface and context.
class Picture {
 public:
  // An opaque picture; with `alpha`, one that starts fully transparent.
  Picture(int width, int height, bool alpha = false);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_t* Cr() const { return cr_; }
  // The pixel at (x, y) as 0xRRGGBB; the surface is flushed first.
  std::uint32_t Pixel(int x, int y) const;
  // The coverage 0..255 at (x, y); 255 everywhere on an opaque picture.
  int Alpha(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t rgb);
  cairo_surface_t* Surface() const { return surface_; }

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void SetColor(cairo_t* cr, Rgb colour, double alpha = 1.0);
void RoundedPath(cairo_t* cr, Rect r, double radius);
void FillRounded(cairo_t* cr, Rect r, double radius, Rgb colour, double alpha = 1.0);
// A one-line frame drawn on the pixel grid, so thin lines stay crisp.
void StrokeRounded(cairo_t* cr, Rect r, double radius, Rgb colour, double width = 1.0);
void FillGradient(cairo_t* cr, Rect r, double radius, Rgb top, Rgb bottom);
// A small filled lozenge, the ornament that closes lines and bars.
void Diamond(cairo_t* cr, double cx, double cy, double size, Rgb colour);

enum class Align { Right, Center, Left };

struct TextStyle {
  std::string family = "Noto Naskh Arabic";
  double pixels = 15;  // character height in pixels
  bool bold = false;
  Rgb colour{0, 0, 0};
};

// Shapes `utf8` with Pango (joined letters, right-to-left runs) and draws it inside `box`,
// centred vertically on its ink and aligned horizontally. Returns the logical width drawn.
double DrawText(cairo_t* cr, const std::string& utf8, const TextStyle& style, Rect box,
                Align align);

}  // namespace artwork
