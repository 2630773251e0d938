// Real JPEG files for the graphics tests, made and decoded by the libjpeg command-line tools.
#include "tests/graphics/jpeg_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/fixtures/scratch_folder.h"

namespace graphicstest {
namespace {

std::string TempPath(const std::string& name) {
  static int counter = 0;
  return (fixtures::ProcessScratchFolder() / (std::to_string(counter++) + "_" + name)).string();
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> PnmBytes(const Pnm& p) {
  std::string header = (p.channels == 1 ? "P5\n" : "P6\n") + std::to_string(p.width) + " " +
                       std::to_string(p.height) + "\n255\n";
  std::vector<std::uint8_t> bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), p.pixels.begin(), p.pixels.end());
  return bytes;
}

Pnm ParsePnm(const std::vector<std::uint8_t>& bytes) {
  Pnm p;
  std::string text(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 64));
  std::istringstream in(text);
  std::string magic;
  int max = 0;
  in >> magic >> p.width >> p.height >> max;
  p.channels = magic == "P5" ? 1 : 3;
  std::size_t offset = static_cast<std::size_t>(in.tellg()) + 1;
  p.pixels.assign(bytes.begin() + std::ptrdiff_t(offset), bytes.end());
  return p;
}

int Run(const std::string& command) {
  return std::system(command.c_str());
}

}  // namespace

std::uint32_t Pnm::Rgb(int x, int y) const {
  const std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * channels];
  if (channels == 1) return p[0] * 0x010101u;
  return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

Pnm TestPicture(int width, int height, int channels) {
  Pnm p{width, height, channels, {}};
  p.pixels.resize(std::size_t(width) * height * channels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double dx = x - width / 2.0, dy = y - height / 2.0;
      bool ring = std::fabs(std::sqrt(dx * dx + dy * dy) - height / 3.0) < 2.0;
      int r = ring ? 20 : 255 * x / std::max(1, width - 1);
      int g = ((x / 8 + y / 8) % 2) ? 200 : 60;
      int b = ring ? 240 : 255 * y / std::max(1, height - 1);
      std::uint8_t* px = &p.pixels[(std::size_t(y) * width + x) * channels];
      if (channels == 1) {
        px[0] = static_cast<std::uint8_t>((r + g + b) / 3);
      } else {
        px[0] = static_cast<std::uint8_t>(r);
        px[1] = static_cast<std::uint8_t>(g);
        px[2] = static_cast<std::uint8_t>(b);
      }
    }
  }
  return p;
}

bool JpegToolsAvailable(std::string* why) {
  if (Run("command -v cjpeg >/dev/null 2>&1 && command -v djpeg >/dev/null 2>&1") == 0) {
    return true;
  }
  *why = "cjpeg and djpeg (Debian package libjpeg-turbo-progs) are missing: run tools/setup.sh";
  return false;
}

std::vector<std::uint8_t> Compress(const Pnm& picture, const std::string& options) {
  std::string in = TempPath("in.pnm"), out = TempPath("out.jpg");
  WriteFile(in, PnmBytes(picture));
  EXPECT_EQ(Run("cjpeg " + options + " -outfile " + out + " " + in), 0) << options;
  std::vector<std::uint8_t> bytes = ReadFile(out);
  std::remove(in.c_str());
  std::remove(out.c_str());
  return bytes;
}

Pnm Decompress(const std::vector<std::uint8_t>& jpeg, const std::string& options) {
  std::string in = TempPath("in.jpg"), out = TempPath("out.pnm");
  WriteFile(in, jpeg);
  Run("djpeg -pnm " + options + " -outfile " + out + " " + in + " 2>/dev/null");
  Pnm p = ParsePnm(ReadFile(out));
  std::remove(in.c_str());
  std::remove(out.c_str());
  return p;
}

std::string WriteTemporary(const Pnm& picture) {
  std::string path = TempPath("picture.pnm");
  WriteFile(path, PnmBytes(picture));
  return path;
}

std::vector<std::uint8_t> Bitmap16(const Pnm& picture) {
  const int rowBytes = (picture.width * 2 + 3) / 4 * 4;
  const std::uint32_t size = 14 + 40 + 12 + std::uint32_t(rowBytes) * picture.height;
  std::vector<std::uint8_t> b;
  auto le = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  b.push_back('B');
  b.push_back('M');
  le(size, 4);
  le(0, 4);
  le(66, 4);
  le(40, 4);
  le(std::uint32_t(picture.width), 4);
  le(std::uint32_t(picture.height), 4);
  le(1, 2);
  le(16, 2);
  le(3, 4);  // BI_BITFIELDS
  le(std::uint32_t(rowBytes) * picture.height, 4);
  le(0, 4);
  le(0, 4);
  le(0, 4);
  le(0, 4);
  le(0xF800, 4);
  le(0x07E0, 4);
  le(0x001F, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      std::uint32_t rgb = picture.Rgb(x, y);
      std::uint32_t v =
          ((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F);
      le(v, 2);
    }
    for (int pad = picture.width * 2; pad < rowBytes; ++pad) b.push_back(0);
  }
  return b;
}

}  // namespace graphicstest
