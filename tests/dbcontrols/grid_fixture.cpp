// The grid tests' screen, test grid and form.
#include "tests/dbcontrols/grid_fixture.h"

#include "core/sysutils.h"
#include "platform/dc.h"

using namespace platform;

namespace dbcontrolstest {

void TTestGrid::PaintCell(int col, int row, const RECT& rect, TGridDrawState state) {
  painted[{col, row}] = rect;
  states[{col, row}] = state;
  Canvas()->Brush().SetStyle(TBrushStyle::bsClear);
  Canvas()->TextOut(rect.left + 2, rect.top + 2, Format("%d,%d", col, row));
}

void GridTest::SetUp() {
  auto screen = std::make_unique<HeadlessBackend>(800, 600);
  screen_ = screen.get();
  SetBackend(std::move(screen));
}

void GridTest::TearDown() {
  form_.reset();
  Pump();
}

void GridTest::MakeGrid(bool rightToLeft, int width, int height) {
  form_.reset(NewForm<TForm>(nullptr));
  form_->SetBorderStyle(TFormBorderStyle::bsNone);
  form_->SetBounds(100, 100, width + 40, height + 40);
  if (rightToLeft) form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
  grid_ = new TTestGrid(form_.get());
  grid_->SetParent(form_.get());
  grid_->SetBorderStyle(TBorderStyle::bsNone);
  grid_->SetBounds(10, 10, width, height);
  form_->Show();
  Pump();
}

void GridTest::Pump() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

POINT GridTest::OnScreen(int x, int y) const { return grid_->ClientToScreen(POINT{x, y}); }

std::uint32_t GridTest::PixelAt(int x, int y) const {
  int width = 0;
  int height = 0;
  const auto& pixels = screen_->Pixels(form_->Handle(), &width, &height);
  POINT at = grid_->ClientToScreen(POINT{x, y});
  RECT frame{};
  GetWindowRect(form_->Handle(), &frame);
  int fx = at.x - frame.left;
  int fy = at.y - frame.top;
  if (fx < 0 || fy < 0 || fx >= width || fy >= height) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(fy * width + fx)] & 0xFFFFFF;
}

void GridTest::Press(int virtualKey, std::vector<int> modifiers) {
  for (int m : modifiers) screen_->KeyDown(m);
  screen_->Tap(virtualKey);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) screen_->KeyUp(*it);
  Pump();
}

}  // namespace dbcontrolstest
