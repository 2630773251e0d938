// The grid's side of in-place editing: when the editor shows, what it holds, where it sits.
#include "dbcontrols/custom_grid.h"
#include "dbcontrols/inplace_edit.h"

using namespace platform;

TInplaceEdit* TCustomGrid::CreateCellEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanShowCellEditor() const {
  return options_.Contains(TGridBaseOption::gbEditing) &&
         !options_.Contains(TGridBaseOption::gbRowSelect);
}

void TCustomGrid::ShowCellEditor() {
  editorShown_ = true;
  RefreshCellEditor();
}

void TCustomGrid::HideCellEditor() {
  editorShown_ = false;
  HideEditorWindow();
}

void TCustomGrid::HideEditorWindow() {
  if (!editor_) return;
  if (editorCell_.X >= 0) {
    TGridCoord cell = editorCell_;
    editorCell_ = {-1, -1};
    SetEditText(cell.X, cell.Y, editor_->Text());
  }
  editor_->HideWindow();
}

void TCustomGrid::SetEditorMode(bool value) {
  if (!value) {
    HideCellEditor();
    return;
  }
  ShowCellEditor();
  if (editor_ && editor_->Visible()) editor_->Deselect();
}

void TCustomGrid::RefreshCellEditor() {
  bool wanted = CanShowCellEditor() && editorShown_ && !Designing() && HandleAllocated() &&
                (options_.Contains(TGridBaseOption::gbAlwaysShowEditor) || IsActiveControl());
  if (!wanted) return;
  if (!editor_) {
    editor_ = CreateCellEditor();
    editor_->SetParent(this);
    LoadEditor();
  } else if (editorCell_ != current_) {
    LoadEditor();
  }
  UpdateEditorPlacement();
}

void TCustomGrid::LoadEditor() {
  editorCell_ = current_;
  editor_->UpdateContents();
}

void TCustomGrid::UpdateEditorPlacement() {
  if (!editor_ || !editorShown_ || editorCell_.X < 0) return;
  editor_->PlaceOn(CellPixels(current_.X, current_.Y));
}

void TCustomGrid::InvalidateCellEditor() {
  if (editor_) editor_->Invalidate();
}
