// A full repaint of a main-window-sized surface: 40 one-line Persian labels and 3 wrapped
// paragraphs over a filled background, as the reader's window paints.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/pens_brushes.h"
#include "platform/surface.h"

namespace {

using namespace platform;

HFONT Tahoma(LONG height) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = ARABIC_CHARSET;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&lf);
}

const char* const kLabels[] = {
    "کليات",      "مقدمات نماز", "واجبات نماز",    "مبطلات نماز",
    "نماز مسافر", "نماز جماعت",  "جستجوي پيشرفته", "تعداد موارد يافت شده",
    "عنوان",      "پرسش",        "پاسخ",           "پاورقي",
};

const char kParagraph[] =
    "اين متن نمونه براي سنجش سرعت نقاشي است و چند سطر را پر مي‌کند تا شکستن "
    "سطرها، "
    "شکل‌دهي حروف فارسي و چيدمان راست به چپ همه با هم سنجيده شوند. در اين برنامه "
    "هر "
    "پرسش و پاسخ در سه کادر متني نشان داده مي‌شود و کاربر مي‌تواند ميان رکوردها حرکت "
    "کند، "
    "متن را جستجو کند و قلم کادر پاسخ را تغيير دهد؛ همه اين کارها به نقاشي دوباره نياز دارند.";

struct Scene {
  Scene() : surface(865, 682), dc(CreateSurfaceDC(surface, POINT{0, 0}, nullptr)) {
    labelFont = Tahoma(-15);
    textFont = Tahoma(-12);
    background = CreateSolidBrush(RGB(240, 236, 224));
    for (int i = 0; i < 40; ++i) {
      labels.push_back(Utf8ToAnsi(kLabels[i % 12]) + " " + std::to_string(i + 1));
    }
    paragraph = Utf8ToAnsi(kParagraph);
  }
  ~Scene() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    ReleaseSurfaceDC(dc);
    DeleteObject(labelFont);
    DeleteObject(textFont);
    DeleteObject(background);
  }

  // Paints with every text new to the layout cache, so each frame shapes everything.
  void PaintFresh(int frame) {
    std::string mark = " " + std::to_string(frame);
    for (auto& label : labels) label += mark;
    paragraph += mark;
    Paint();
    for (auto& label : labels) label.resize(label.size() - mark.size());
    paragraph.resize(paragraph.size() - mark.size());
  }

  void Paint() {
    RECT all = {0, 0, 865, 682};
    FillRect(dc, &all, background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 0, 0));
    SelectObject(dc, labelFont);
    for (int i = 0; i < 40; ++i) {
      int column = i / 20, row = i % 20;
      RECT r = {column == 0 ? 700 : 520, 20 + row * 22, column == 0 ? 850 : 690, 40 + row * 22};
      DrawTextA(dc, labels[i].data(), int(labels[i].size()), &r,
                DT_RIGHT | DT_RTLREADING | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    SelectObject(dc, textFont);
    for (int i = 0; i < 3; ++i) {
      RECT r = {20, 20 + i * 210, 500, 220 + i * 210};
      DrawTextA(dc, paragraph.data(), int(paragraph.size()), &r,
                DT_RIGHT | DT_RTLREADING | DT_WORDBREAK | DT_NOPREFIX);
    }
  }

  Surface surface;
  HDC dc;
  HFONT labelFont, textFont;
  HBRUSH background;
  std::vector<std::string> labels;
  std::string paragraph;
};

void BM_FullRepaint(benchmark::State& state) {
  Scene scene;
  scene.Paint();  // font set-up and first shaping happen once per process
  for (auto _ : state) {
    scene.Paint();
    benchmark::DoNotOptimize(scene.surface.Data());
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_FullRepaintShapingEverything(benchmark::State& state) {
  Scene scene;
  scene.Paint();
  int frame = 0;
  for (auto _ : state) {
    scene.PaintFresh(++frame);
    benchmark::DoNotOptimize(scene.surface.Data());
  }
}
BENCHMARK(BM_FullRepaintShapingEverything)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
