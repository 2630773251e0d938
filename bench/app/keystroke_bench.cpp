// One keystroke in the search box to the repainted window: the summary search's statement, the
// query's re-query, the grid, memos, summary label and count redrawn. Run over the database
// named by VELMORA_BENCH_DATABASE (the sample collection when unset), which the program finds
// as tarsilo.mdb in its current folder. Where the time goes is measured beside it: the
// keystroke without the repaint, the repaint without the keystroke, and the re-query alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/unit1.h"
#include "bench/app/main_window_bench.h"
#include "controls/edit.h"
#include "core/strings.h"
#include "data/ado_query.h"
#include "platform/winuser.h"

namespace {

using namespace platform;

using benchapp::Pump;

std::filesystem::path Database() {
  const char* chosen = std::getenv("VELMORA_BENCH_DATABASE");
  return std::filesystem::absolute(chosen && *chosen ? chosen : SAMPLE_DATABASE);
}

// The main window made as the program makes it, in a folder of its own whose tarsilo.mdb is a
// link to the chosen database, shown and painted; the search box holds one letter, meem, with
// the caret after it.
Tmain& MainWindow() {
  static Tmain* window = [] {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "velmora-keystroke-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "tarsilo.mdb");
    std::filesystem::create_symlink(Database(), folder / "tarsilo.mdb");
    Tmain& main = benchapp::OpenMainWindow(folder);
    main.Edit1->SetText("\xE3");  // meem in code page 1256
    main.Edit1->SetSelStart(1);   // the caret after it, where typing goes on
    Pump();
    return &main;
  }();
  return *window;
}

// Ain (0xDA) typed after meem, and Backspace taking it away: two keystrokes that each search,
// for "مع" and for "م".
constexpr WPARAM kAin = 0xDA;

void Keystroke(HWND edit, WPARAM code) {
  if (code == VK_BACK) {
    SendMessageA(edit, WM_KEYDOWN, VK_BACK, 0);
    SendMessageA(edit, WM_CHAR, '\b', 0);
    SendMessageA(edit, WM_KEYUP, VK_BACK, 0);
  } else {
    SendMessageA(edit, WM_CHAR, code, 0);
  }
}

void BM_KeystrokeToRepaintedWindow(benchmark::State& state) {
  Tmain& window = MainWindow();
  HWND edit = window.Edit1->Handle();
  bool typed = false;
  for (auto _ : state) {
    Keystroke(edit, typed ? VK_BACK : kAin);
    Pump();
    typed = !typed;
  }
  state.counters["rows"] = window.Qkolliyat->Active() ? window.Qkolliyat->TotalRecordCount() : -1;
  state.counters["text"] = static_cast<double>(window.Edit1->Text().size());
}

void BM_KeystrokeWithoutRepaint(benchmark::State& state) {
  Tmain& window = MainWindow();
  HWND edit = window.Edit1->Handle();
  bool typed = false;
  for (auto _ : state) {
    Keystroke(edit, typed ? VK_BACK : kAin);
    state.PauseTiming();
    Pump();
    state.ResumeTiming();
    typed = !typed;
  }
}

void BM_RepaintAfterKeystroke(benchmark::State& state) {
  Tmain& window = MainWindow();
  HWND edit = window.Edit1->Handle();
  bool typed = false;
  for (auto _ : state) {
    state.PauseTiming();
    Keystroke(edit, typed ? VK_BACK : kAin);
    state.ResumeTiming();
    Pump();
    typed = !typed;
  }
}

// The statement and re-query as the handler does them, without the edit or the count label.
void BM_RequeryAlone(benchmark::State& state) {
  TADOQuery& query = *MainWindow().Qkolliyat;
  bool typed = false;
  for (auto _ : state) {
    query.SQL()->Clear();
    query.CloseDataSet();
    query.SQL()->Add(typed ? "SELECT * FROM kolliyat where kholase like '%\xE3%'"
                           : "SELECT * FROM kolliyat where kholase like '%\xE3\xDA%'");
    query.OpenDataSet();
    benchmark::DoNotOptimize(query.TotalRecordCount());
    state.PauseTiming();
    Pump();
    state.ResumeTiming();
    typed = !typed;
  }
}

}  // namespace

// A fixed count: the paused parts would otherwise be run thousands of times.
BENCHMARK(BM_KeystrokeToRepaintedWindow)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_KeystrokeWithoutRepaint)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_RepaintAfterKeystroke)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_RequeryAlone)->Unit(benchmark::kMillisecond)->Iterations(100);

BENCHMARK_MAIN();
