// The decode of a large JPEG file by TJPEGImage, against djpeg on the same file and against the
// library's plain scan-line loop (djpeg's own work without starting a process or writing).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/jpeg_image.h"
// Last: the library's header defines TRUE and FALSE as macros.
#include <jpeglib.h>

namespace {

constexpr int kWidth = 2560;
constexpr int kHeight = 1920;

// A photograph-like picture (gradients, waves, fine detail) compressed by cjpeg once.
const std::string& LargeJpegPath() {
  static const std::string path = [] {
    std::string dir = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    std::string base = dir + "/velmora_jpeg_bench_" + std::to_string(getpid());
    std::ofstream ppm(base + ".ppm", std::ios::binary);
    ppm << "P6\n" << kWidth << " " << kHeight << "\n255\n";
    std::vector<char> row(kWidth * 3);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        row[x * 3] = static_cast<char>(128 + 127 * std::sin(x / 37.0 + y / 91.0));
        row[x * 3 + 1] = static_cast<char>((x * 255) / kWidth ^ ((x * y) & 31));
        row[x * 3 + 2] = static_cast<char>(128 + 127 * std::cos(y / 23.0) * std::sin(x / 200.0));
      }
      ppm.write(row.data(), std::streamsize(row.size()));
    }
    ppm.close();
    std::string command = "cjpeg -quality 90 -outfile " + base + ".jpg " + base + ".ppm";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "cjpeg (libjpeg-turbo-progs) is needed: run tools/setup.sh\n");
      std::exit(1);
    }
    std::remove((base + ".ppm").c_str());
    return base + ".jpg";
  }();
  return path;
}

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_TJPEGImageDecode(benchmark::State& state) {
  std::vector<char> bytes = FileBytes(LargeJpegPath());
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  for (auto _ : state) {
    stream.SetPosition(0);
    TJPEGImage image;
    image.ReadWholeStream(stream);
    benchmark::DoNotOptimize(image.Bitmap().ScanLine(0));
  }
  state.counters["pixels"] = kWidth * kHeight;
}
BENCHMARK(BM_TJPEGImageDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DjpegProcess(benchmark::State& state) {
  std::string command = "djpeg -outfile /dev/null " + LargeJpegPath();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("djpeg failed");
  }
}
BENCHMARK(BM_DjpegProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibjpegScanlines(benchmark::State& state) {
  std::vector<char> bytes = FileBytes(LargeJpegPath());
  std::vector<JSAMPLE> row(kWidth * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(BM_LibjpegScanlines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
