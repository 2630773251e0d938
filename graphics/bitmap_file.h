// Bitmap files ("BM"): parsing the stored form of a bitmap into rows of pixels.
//
// | offset | size | content                                                        |
// |--------|------|----------------------------------------------------------------|
// | 0      | 2    | "BM"                                                           |
// | 2      | 4    | file size (not trusted)                                        |
// | 6      | 4    | reserved                                                       |
// | 10     | 4    | offset of the pixel rows from the start of the file            |
// | 14     | 4    | size of the info header: 12 (core), 40, 52, 56, 108 or 124     |
// | 18     | ...  | width, height (negative: rows top-down), planes 1, bit count,  |
// |        |      | compression (BI_RGB, or BI_BITFIELDS with 16 and 32 bits)      |
// | ...    | ...  | three colour masks after a 40-byte header for BI_BITFIELDS     |
// | ...    | ...  | colour table: 4 bytes per entry (3 after a core header)        |
//
// Rows are padded to 32 bits and stored bottom-up unless the height is negative. 16 bits per
// pixel are 5-5-5 without masks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/dib.h"

struct BitmapFileImage {
  int width = 0;
  int height = 0;
  int bitCount = 0;  // as stored
  // Palette images (1, 4, 8 bits): one index byte per pixel and the colour table.
  std::vector<platform::RGBQUAD> palette;
  std::vector<std::uint8_t> indices;
  // Direct-colour images: 0xFFRRGGBB per pixel.
  std::vector<std::uint32_t> pixels;
  // Rows are top-down in both vectors.
};

// The largest bitmap accepted, in pixels: a file cannot make the program allocate more.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 25;

// Raises EInvalidGraphic "Bitmap image is not valid" for anything malformed or unsupported
// (run-length compression, a truncated file, sizes out of range).
BitmapFileImage ParseBitmapFile(std::span<const std::uint8_t> file);
