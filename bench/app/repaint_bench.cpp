// A full repaint of the reader's main window on the in-memory screen: every control painted and
// the window composed and presented, beside drawing the background picture alone, the floor
// under every repaint.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/unit1.h"
#include "bench/app/main_window_bench.h"
#include "controls/image.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "platform/winuser.h"

namespace {

using namespace platform;

using benchapp::Pump;

// The main window, made once as the program makes it, shown and painted.
Tmain& MainWindow() {
  static Tmain& window =
      benchapp::OpenMainWindow(std::filesystem::path(SAMPLE_DATABASE).parent_path());
  return window;
}

void BM_RepaintMainWindow(benchmark::State& state) {
  HWND window = MainWindow().Handle();
  for (auto _ : state) {
    RedrawWindow(window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Pump();
  }
}

void BM_DrawBackgroundPictureAlone(benchmark::State& state) {
  TGraphic* background = MainWindow().Image1->Picture()->Graphic();
  TBitmap target;
  target.SetSize(865, 682);
  for (auto _ : state) {
    target.Canvas().Draw(0, 0, background);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBackgroundPictureAlone)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
