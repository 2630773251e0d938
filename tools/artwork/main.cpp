// artwork: draws the main window's pictures and writes them as files and as stored picture data.
//
//   artwork OUTDIR
//
// Writes background.jpg (865 x 682), highlight.jpg (165 x 28) and panel.jpg (255 x 368) as
// baseline JPEG, the six glyphs as 16-bit bitmaps (glyph-*.bmp), and for each the stored value
// the main window's description embeds (*.data: a picture's Data for the JPEG pictures, a
// bitmap's own Data for the glyphs), and a
// PNG of each picture (*.png) to look at.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/artwork/artwork.h"
#include "tools/artwork/encode.h"
#include "tools/artwork/layout.h"
#include "tools/artwork/palette.h"

namespace {

using namespace artwork;

constexpr int kJpegQuality = 92;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteJpeg(const std::filesystem::path& dir, const std::string& name, const Picture& picture) {
  std::string file = EncodeBaselineJpeg(picture, kJpegQuality);
  WriteFile(dir / (name + ".jpg"), file);
  WriteFile(dir / (name + ".data"), StoredPictureData("TJPEGImage", file));
  cairo_surface_write_to_png(picture.Surface(), (dir / (name + ".png")).c_str());
}

// Glyph edges are blended with the button row's colour; every untouched pixel becomes the
// transparent key, which the bottom-left pixel carries.
void WriteGlyph(const std::filesystem::path& dir, const std::string& name, Glyph glyph) {
  int size = GlyphSize(glyph);
  Picture ink(size, size, true);
  DrawGlyph(ink, glyph);
  Picture flat(size, size);
  const Rgb under = palette::kColumn;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int alpha = ink.Alpha(x, y);
      if (alpha == 0) {
        flat.SetPixel(x, y, 0xFF00FF);
        continue;
      }
      std::uint32_t premultiplied = ink.Pixel(x, y);
      std::uint32_t rgb = 0;
      for (int shift : {16, 8, 0}) {
        double base = shift == 16 ? under.r : shift == 8 ? under.g : under.b;
        double value = ((premultiplied >> shift) & 0xFF) + base * (255 - alpha);
        rgb |= static_cast<std::uint32_t>(value + 0.5) << shift;
      }
      flat.SetPixel(x, y, rgb);
    }
  }
  std::string file = EncodeBitmap16(flat);
  WriteFile(dir / (name + ".bmp"), file);
  WriteFile(dir / (name + ".data"), StoredGraphicData(file));
  cairo_surface_write_to_png(flat.Surface(), (dir / (name + ".png")).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: artwork OUTDIR\n";
    return 2;
  }
  try {
    std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    Picture background(layout::kWindowWidth, layout::kWindowHeight);
    DrawBackground(background);
    WriteJpeg(dir, "background", background);
    Picture highlight(static_cast<int>(layout::kSlotWidth), static_cast<int>(layout::kSlotHeight));
    DrawHighlight(highlight);
    WriteJpeg(dir, "highlight", highlight);
    Picture panel(static_cast<int>(layout::kPanel.w), static_cast<int>(layout::kPanel.h));
    DrawPanel(panel);
    WriteJpeg(dir, "panel", panel);
    WriteGlyph(dir, "glyph-previous", Glyph::Previous);
    WriteGlyph(dir, "glyph-next", Glyph::Next);
    WriteGlyph(dir, "glyph-first", Glyph::First);
    WriteGlyph(dir, "glyph-last", Glyph::Last);
    WriteGlyph(dir, "glyph-settings", Glyph::Settings);
    WriteGlyph(dir, "glyph-advanced-search", Glyph::AdvancedSearch);
  } catch (const std::exception& error) {
    std::cerr << "artwork: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
