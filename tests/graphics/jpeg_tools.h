// Real JPEG files for the graphics tests: made by cjpeg from generated pictures, decoded for
// comparison by djpeg (both from libjpeg-turbo-progs).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace graphicstest {

// A decoded picture: rows top-down, one (gray) or three (red, green, blue) bytes per pixel.
struct Pnm {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<std::uint8_t> pixels;
  // 0xRRGGBB of one pixel.
  std::uint32_t Rgb(int x, int y) const;
};

// A picture of smooth gradients, edges and a ring, so that every decoding step shows; gray
// when `channels` is 1.
Pnm TestPicture(int width, int height, int channels = 3);

// True when cjpeg and djpeg can be run; otherwise `why` names the missing package.
bool JpegToolsAvailable(std::string* why);

// cjpeg with the given options over the picture; the JPEG file's bytes.
std::vector<std::uint8_t> Compress(const Pnm& picture, const std::string& options);
// djpeg with the given options over the JPEG bytes (it may warn about a damaged file).
Pnm Decompress(const std::vector<std::uint8_t>& jpeg, const std::string& options);

// Writes the picture as a PNM file in the test's temporary folder and returns its path.
std::string WriteTemporary(const Pnm& picture);

// The picture as a bitmap file with 16 bits per pixel (5-6-5 masks), as the glyphs are stored.
std::vector<std::uint8_t> Bitmap16(const Pnm& picture);

}  // namespace graphicstest
