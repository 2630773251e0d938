// The grid tests' screen, test grid and form.
#include "tests/dbcontrols/grid_fixture.h"

#include "core/sysutils.h"
#include "platform/dc.h"
#include "tests/dbcontrols/screen_probe.h"

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

void GridTest::Pump() { PumpMessages(); }

POINT GridTest::OnScreen(int x, int y) const { return grid_->ClientToScreen(POINT{x, y}); }

std::uint32_t GridTest::PixelAt(int x, int y) const {
  return PresentedPixel(*screen_, *form_, *grid_, x, y);
}

void GridTest::Press(int virtualKey, std::vector<int> modifiers) {
  PressKey(*screen_, virtualKey, modifiers);
}

}  // namespace dbcontrolstest
