// The grid tests' screen, a test grid that names its cells, and a form to hold it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/form.h"
#include "dbcontrols/custom_grid.h"
#include "platform/headless/headless_backend.h"

namespace dbcontrolstest {

// Paints each cell with its coordinates ("2,3") and remembers the last paint of each cell;
// keeps editor texts per cell.
class TTestGrid : public TCustomGrid {
 public:
  explicit TTestGrid(TComponent* owner) : TCustomGrid(owner) {}

  std::map<std::pair<int, int>, platform::RECT> painted;
  std::map<std::pair<int, int>, TGridDrawState> states;
  std::map<std::pair<int, int>, AnsiString> texts;
  bool selectable = true;

  using TCustomGrid::KeyDown;

 protected:
  void PaintCell(int col, int row, const platform::RECT& rect, TGridDrawState state) override;
  bool CanSelectCell(int, int) override { return selectable; }
  AnsiString GetEditText(int col, int row) override { return texts[{col, row}]; }
  void SetEditText(int col, int row, const AnsiString& value) override {
    texts[{col, row}] = value;
  }
};

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the form and the grid (left to right or right to left) and shows them; by default
  // the five standard columns and rows fit without scroll bars.
  void MakeGrid(bool rightToLeft, int width = 340, int height = 140);
  // Dispatches what is queued; what was drawn reaches the screen.
  void Pump();
  // Screen coordinates of a grid client point.
  platform::POINT OnScreen(int x, int y) const;
  // The colour (0xRRGGBB) of a grid client point as last presented.
  std::uint32_t PixelAt(int x, int y) const;
  // A key pressed and released on the focused window, with modifiers held around it.
  void Press(int virtualKey, std::vector<int> modifiers = {});

  platform::HeadlessBackend* screen_ = nullptr;
  std::unique_ptr<TForm> form_;
  TTestGrid* grid_ = nullptr;
};

}  // namespace dbcontrolstest
