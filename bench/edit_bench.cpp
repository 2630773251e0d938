// The edit control on long Persian text: one keystroke in the middle of a 20,000-character
// memo with the repaint it causes, against laying the whole text out again for the same
// keystroke; and opening a 1 MB text in a memo to its first painted screen.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/edit.h"
#include "platform/fonts.h"
#include "platform/headless/headless_backend.h"
#include "platform/pens_brushes.h"

namespace {

using namespace platform;

const char kParagraph[] =
    "اين متن نمونه براي سنجش سرعت کادر متني است و چند سطر را پر مي‌کند تا شکستن سطرها، "
    "شکل‌دهي حروف فارسي و چيدمان راست به چپ همه با هم سنجيده شوند. در اين برنامه هر پرسش و "
    "پاسخ در سه کادر متني نشان داده مي‌شود و کاربر مي‌تواند ميان رکوردها حرکت کند، متن را "
    "جستجو کند و قلم کادر پاسخ را تغيير دهد؛ نسخه Velmora 2 همه اين کارها را انجام مي‌دهد.";

// Paragraphs of the sample answer, separated by line breaks, up to `size` bytes.
std::string PersianText(std::size_t size) {
  std::string paragraph = Utf8ToAnsi(kParagraph);
  std::string text;
  while (text.size() < size) {
    if (!text.empty()) text += "\r\n";
    text += paragraph;
  }
  text.resize(size);
  return text;
}

LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A window holding a memo as the reader's answer pane: 513 pixels wide, Tahoma, right to left.
struct Pane {
  Pane() {
    SetBackend(std::make_unique<HeadlessBackend>(1024, 768));
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ParentProc;
      wc.lpszClassName = "BenchParent";
      RegisterClassA(&wc);
      registered = true;
    }
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lf.lfCharSet = ARABIC_CHARSET;
    std::strcpy(lf.lfFaceName, "Tahoma");
    font = CreateFontIndirectA(&lf);
    parent = CreateWindowExA(0, "BenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500, nullptr,
                             nullptr, nullptr, nullptr);
    memo = CreateWindowExA(WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR, "EDIT", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_RIGHT, 10, 10,
                           513, 400, parent, nullptr, nullptr, nullptr);
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetFocus(memo);
    Settle();
  }
  ~Pane() {
    DestroyWindow(parent);
    DeleteObject(font);
  }
  // Paints what is pending, as the message loop does when the queue empties.
  void Settle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  HFONT font;
  HWND parent;
  HWND memo;
};

void TypeInTheMiddle(benchmark::State& state) {
  Pane pane;
  std::string text = PersianText(20000);
  SetWindowTextA(pane.memo, text.c_str());
  SendMessageA(pane.memo, EM_SETSEL, 10000, 10000);
  SendMessageA(pane.memo, EM_SCROLLCARET, 0, 0);
  pane.Settle();
  const char letter = Utf8ToAnsi("س")[0];
  for (auto _ : state) {
    SendMessageA(pane.memo, WM_CHAR, static_cast<unsigned char>(letter), 1);
    UpdateWindow(pane.parent);
    pane.Settle();
  }
  state.SetLabel("incremental");
}

// The same keystroke where the whole text is set and laid out again, as a control without
// per-paragraph layout would do.
void TypeInTheMiddleRelayingAll(benchmark::State& state) {
  Pane pane;
  std::string text = PersianText(20000);
  SetWindowTextA(pane.memo, text.c_str());
  const char letter = Utf8ToAnsi("س")[0];
  std::size_t at = 10000;
  for (auto _ : state) {
    text.insert(at++, 1, letter);
    SetWindowTextA(pane.memo, text.c_str());
    SendMessageA(pane.memo, EM_SETSEL, WPARAM(at), LPARAM(at));
    SendMessageA(pane.memo, EM_SCROLLCARET, 0, 0);
    SendMessageA(pane.memo, EM_GETLINECOUNT, 0, 0);  // the whole text's layout
    UpdateWindow(pane.parent);
    pane.Settle();
  }
  state.SetLabel("whole text");
}

void OpenMegabyte(benchmark::State& state) {
  Pane pane;
  std::string text = PersianText(1 << 20);
  for (auto _ : state) {
    SetWindowTextA(pane.memo, text.c_str());
    UpdateWindow(pane.parent);
    pane.Settle();
    state.PauseTiming();
    SetWindowTextA(pane.memo, "");
    pane.Settle();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

BENCHMARK(TypeInTheMiddle)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(TypeInTheMiddleRelayingAll)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(OpenMegabyte)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
