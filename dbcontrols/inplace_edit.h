// TInplaceEdit: the single-line editor a grid places over its current cell.
#pragma once

#include "controls/edit.h"

class TCustomGrid;

// The editor belongs to its grid (owner and parent). Navigation keys go to the grid; the
// grid decides what may be typed (EditorAcceptsKey, CanModifyCellEditor). Its window is a
// borderless multi-line edit so that the formatting rectangle can inset the text in the cell.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TComponent* owner);

  TCustomGrid* Grid() const { return grid_; }
  // Places the editor on a cell rectangle (client coordinates of the grid) and shows it; an
  // empty rectangle hides it.
  void PlaceOn(const platform::RECT& rect);
  // Hides the window, giving the focus back to the grid if the editor had it.
  void HideWindow();
  // Reloads the text, mask and length limit of the grid's editor cell and selects the text.
  void UpdateContents();
  void Deselect();
  // The editor was just shown by a click at this message time: a press within the
  // double-click time counts as a double click.
  void ShownByClick(platform::DWORD time) { clickTime_ = time; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  bool PassesToGrid(std::uint16_t key, TShiftState shift);

  TCustomGrid* grid_ = nullptr;
  platform::DWORD clickTime_ = 0;
};
