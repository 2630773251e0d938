// screen_compare: compares a rectangle of an X screenshot (xwd) with the same rectangle of a
// PNG, for the check that the real screen shows what velmora-shot draws.
//
//   screen_compare SHOT.xwd PICTURE.png X Y W H MAX_FRACTION
//   screen_compare --to-png SHOT.xwd OUT.png
//
// Two pixels differ when any channel differs by more than 40; the check passes (status 0)
// when at most MAX_FRACTION of the rectangle's pixels differ. Prints the fraction either way.
// The second form only turns a screenshot into a PNG, to keep it as a test artifact.
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0xRRGGBB, rows top-down
  std::uint32_t At(int x, int y) const {
    return rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
};

std::uint32_t Be32(const std::string& b, std::size_t at) {
  if (at + 4 > b.size()) throw std::runtime_error("xwd file cut short");
  return (std::uint32_t(std::uint8_t(b[at])) << 24) |
         (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
         (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

int Shift(std::uint32_t mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// The X window dump of a true-colour screen: a header of 25 big-endian words, the window
// name, the colour map (12 bytes an entry) and the pixel rows.
Image ReadXwd(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::uint32_t headerSize = Be32(b, 0);
  std::uint32_t format = Be32(b, 8);
  Image image;
  image.width = int(Be32(b, 16));
  image.height = int(Be32(b, 20));
  std::uint32_t byteOrder = Be32(b, 28);
  std::uint32_t bitsPerPixel = Be32(b, 44);
  std::uint32_t bytesPerLine = Be32(b, 48);
  std::uint32_t masks[3] = {Be32(b, 56), Be32(b, 60), Be32(b, 64)};
  std::uint32_t colours = Be32(b, 76);
  if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24)) {
    throw std::runtime_error("only true-colour ZPixmap dumps are read");
  }
  std::size_t at = headerSize + std::size_t(colours) * 12;
  if (at + std::size_t(bytesPerLine) * std::size_t(image.height) > b.size()) {
    throw std::runtime_error("xwd pixels cut short");
  }
  int bytes = int(bitsPerPixel / 8);
  image.rgb.resize(std::size_t(image.width) * std::size_t(image.height));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::size_t p = at + std::size_t(y) * bytesPerLine + std::size_t(x) * std::size_t(bytes);
      std::uint32_t v = 0;
      for (int i = 0; i < bytes; ++i) {
        std::uint32_t byte = std::uint8_t(b[p + std::size_t(i)]);
        v |= byteOrder == 0 ? byte << (8 * i) : byte << (8 * (bytes - 1 - i));
      }
      std::uint32_t rgb = 0;
      for (int c = 0; c < 3; ++c) rgb = (rgb << 8) | ((v & masks[c]) >> Shift(masks[c]));
      image.rgb[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] = rgb;
    }
  }
  return image;
}

Image ReadPng(const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::runtime_error("cannot read " + path);
  }
  Image image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < image.height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * std::size_t(stride));
    for (int x = 0; x < image.width; ++x) image.rgb.push_back(row[x] & 0xFFFFFF);
  }
  cairo_surface_destroy(surface);
  return image;
}

void WritePng(const Image& image, const std::string& path) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * std::size_t(stride));
    for (int x = 0; x < image.width; ++x) row[x] = image.At(x, y);
  }
  cairo_surface_mark_dirty(surface);
  cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path);
}

bool Differs(std::uint32_t a, std::uint32_t b) {
  for (int shift : {16, 8, 0}) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 40) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--to-png") {
    try {
      WritePng(ReadXwd(argv[2]), argv[3]);
      return 0;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "screen_compare: %s\n", error.what());
      return 2;
    }
  }
  if (argc != 8) {
    std::fprintf(stderr, "usage: screen_compare SHOT.xwd PICTURE.png X Y W H MAX_FRACTION\n");
    return 2;
  }
  try {
    Image shot = ReadXwd(argv[1]);
    Image picture = ReadPng(argv[2]);
    int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), w = std::atoi(argv[5]),
        h = std::atoi(argv[6]);
    double allowed = std::atof(argv[7]);
    if (x0 < 0 || y0 < 0 || w <= 0 || h <= 0 || x0 + w > shot.width || y0 + h > shot.height ||
        x0 + w > picture.width || y0 + h > picture.height) {
      std::fprintf(stderr, "screen_compare: the rectangle is not inside both pictures\n");
      return 2;
    }
    long differing = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) differing += Differs(shot.At(x, y), picture.At(x, y));
    }
    double fraction = double(differing) / (double(w) * double(h));
    std::printf("screen_compare: %ld of %d pixels differ (%.4f)\n", differing, w * h, fraction);
    return fraction <= allowed ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "screen_compare: %s\n", error.what());
    return 2;
  }
}
