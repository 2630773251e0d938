// Encoders of the artwork tool: the file formats the program stores its pictures in.
#pragma once

#include <string>

#include "tools/artwork/paint.h"

namespace artwork {

// A baseline (sequential, Huffman) JPEG file with three colour components, no chroma
// subsampling so the thin coloured lines and letters stay sharp.
std::string EncodeBaselineJpeg(const Picture& picture, int quality);

// A bitmap file ("BM") of 16 bits per pixel: 5-6-5 bit fields, rows bottom-up. The bottom-left
// pixel is what a glyph's transparent colour is taken from.
std::string EncodeBitmap16(const Picture& picture);

// A graphic's own stored data, as a bitmap property (a glyph) stores it: a little-endian
// 32-bit byte count and the file itself.
std::string StoredGraphicData(const std::string& file);

// A picture's stored data: one byte of class-name length, the class name, and the graphic's
// own stored data.
std::string StoredPictureData(const std::string& className, const std::string& file);

}  // namespace artwork
