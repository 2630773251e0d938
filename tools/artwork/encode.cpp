// Encoders of the artwork tool: baseline JPEG through libjpeg's compressor, 16-bit bitmaps.
#include "tools/artwork/encode.h"

#include <cstdio>
#include <cstdlib>
// libjpeg's header needs the standard definitions first.
#include <jpeglib.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace artwork {
namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

[[noreturn]] void JpegFailed(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  throw std::runtime_error(std::string("JPEG compression failed: ") + text);
}

}  // namespace

std::string EncodeBaselineJpeg(const Picture& picture, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = JpegFailed;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_create_compress(&info);
  try {
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width());
    info.image_height = static_cast<JDIMENSION>(picture.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < 3; ++c) {
      info.comp_info[c].h_samp_factor = 1;
      info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width()) * 3);
    while (info.next_scanline < info.image_height) {
      int y = static_cast<int>(info.next_scanline);
      for (int x = 0; x < picture.Width(); ++x) {
        std::uint32_t rgb = picture.Pixel(x, y);
        row[x * 3] = static_cast<JSAMPLE>(rgb >> 16);
        row[x * 3 + 1] = static_cast<JSAMPLE>(rgb >> 8);
        row[x * 3 + 2] = static_cast<JSAMPLE>(rgb);
      }
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
  } catch (...) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw;
  }
  jpeg_destroy_compress(&info);
  std::string file(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return file;
}

std::string EncodeBitmap16(const Picture& picture) {
  const std::uint32_t width = static_cast<std::uint32_t>(picture.Width());
  const std::uint32_t height = static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t rowBytes = (width * 16 + 31) / 32 * 4;
  const std::uint32_t headers = 14 + 40 + 12;  // file header, info header, three bit masks
  const std::uint32_t imageBytes = rowBytes * height;
  std::string out;
  out += "BM";
  PutLe(out, headers + imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, headers, 4);
  PutLe(out, 40, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);  // positive: bottom-up
  PutLe(out, 1, 2);
  PutLe(out, 16, 2);
  PutLe(out, 3, 4);  // BI_BITFIELDS
  PutLe(out, imageBytes, 4);
  PutLe(out, 3780, 4);  // 96 pixels per inch
  PutLe(out, 3780, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0xF800, 4);
  PutLe(out, 0x07E0, 4);
  PutLe(out, 0x001F, 4);
  for (std::uint32_t row = 0; row < height; ++row) {
    int y = static_cast<int>(height - 1 - row);
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint32_t rgb = picture.Pixel(static_cast<int>(x), y);
      std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
      // Rounded rather than truncated, so pure colours such as the magenta key survive.
      std::uint32_t r5 = (r * 31 + 127) / 255, g6 = (g * 63 + 127) / 255, b5 = (b * 31 + 127) / 255;
      PutLe(out, (r5 << 11) | (g6 << 5) | b5, 2);
    }
    for (std::uint32_t pad = width * 2; pad < rowBytes; ++pad) out.push_back('\0');
  }
  return out;
}

std::string StoredGraphicData(const std::string& file) {
  std::string out;
  PutLe(out, static_cast<std::uint32_t>(file.size()), 4);
  return out + file;
}

std::string StoredPictureData(const std::string& className, const std::string& file) {
  if (className.size() > 255) throw std::invalid_argument("class name longer than 255 bytes");
  std::string out;
  out.push_back(static_cast<char>(className.size()));
  out += className;
  return out + StoredGraphicData(file);
}

}  // namespace artwork
