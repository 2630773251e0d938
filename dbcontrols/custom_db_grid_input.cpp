// Data grid input: keys and moves through the dataset, columns, the mouse, the vertical scroll
// bar, leaving the grid and editing the current cell.
#include <algorithm>
#include <cstdlib>

#include "controls/form.h"
#include "data/custom_ado_dataset.h"
#include "data/dataset.h"
#include "data/field.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/inplace_edit.h"
#include "platform/codepage.h"

using namespace platform;

namespace {

constexpr int kF2 = VK_F1 + 1;

bool Has(TShiftState shift, TShiftStateFlag flag) { return shift.Contains(flag); }

bool IsNumeric(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd:
      return true;
    default:
      return false;
  }
}

// Binary and structured fields have no text to edit.
bool IsBinaryOrStructured(TFieldType type) {
  return type == TFieldType::ftBytes || type == TFieldType::ftVarBytes ||
         (type >= TFieldType::ftBlob && type <= TFieldType::ftCursor) ||
         (type >= TFieldType::ftADT && type <= TFieldType::ftDataSet);
}

}  // namespace

// --- Moving through the dataset -------------------------------------------------------------

void TCustomDBGrid::MoveBy(int distance) {
  ClearSelection();
  link_->LinkMoveBy(distance);
}

bool TCustomDBGrid::CanEditDataSet() const {
  TDataSet* dataset = link_->DataSet();
  return dataset && dataset->CanModifyData() && !readOnly_ &&
         options_.Contains(TDBGridOption::dgEditing);
}

bool TCustomDBGrid::InsertingUntouched() const {
  TDataSet* dataset = link_->DataSet();
  return dataset && dataset->State() == DataSetState::Inserting && !dataset->RecordTouched() &&
         !link_->CellModified();
}

void TCustomDBGrid::StepUp(bool extend) {
  TDataSet* dataset = link_->DataSet();
  if (InsertingUntouched() && link_->LinkAtEOF()) {
    dataset->CancelRecord();
    return;
  }
  MoveBy(-1);
}

void TCustomDBGrid::StepDown(bool extend) {
  TDataSet* dataset = link_->DataSet();
  if (InsertingUntouched()) {
    if (link_->LinkAtEOF()) return;
    dataset->CancelRecord();
  } else {
    MoveBy(1);
  }
  if (link_->LinkAtEOF() && CanEditDataSet()) dataset->AppendNewRecord();
}

void TCustomDBGrid::TabToColumn(bool forward) {
  BeginGridUpdate();
  try {
    int start = SelectedIndex();
    int column = start;
    int last = columns_->Count() - 1;
    for (;;) {
      column += forward ? 1 : -1;
      if (column > last) {
        StepDown(false);
        column = 0;
      } else if (column < 0) {
        StepUp(false);
        column = last;
      }
      if (column == start) break;
      if (TabStopAt(column + indicatorCols_)) {
        GoToColumn(column, 0);
        break;
      }
    }
  } catch (...) {
    EndGridUpdate();
    throw;
  }
  EndGridUpdate();
}

void TCustomDBGrid::StoreModifiedCell() { link_->StoreControlValues(); }

void TCustomDBGrid::GoToColumn(int column, int direction) {
  StoreModifiedCell();
  int count = columns_->Count();
  if (count == 0) return;
  column = std::clamp(column, 0, count - 1);
  if (direction != 0) {
    while (column >= 0 && column < count && ColumnWidth(column + indicatorCols_) <= 0) {
      column += direction;
    }
    if (column < 0 || column >= count) return;
  }
  if (column == SelectedIndex()) return;
  if (!inColumnExit_) {
    inColumnExit_ = true;
    int before = Col();
    try {
      if (OnColExit) OnColExit(this);
    } catch (...) {
      inColumnExit_ = false;
      throw;
    }
    inColumnExit_ = false;
    if (Col() != before) return;
  }
  if (!options_.Contains(TDBGridOption::dgAlwaysShowEditor)) HideCellEditor();
  MoveToColumn(column + indicatorCols_);
  ColumnEnter();
}

void TCustomDBGrid::ColumnEnter() {
  if (OnColEnter) OnColEnter(this);
}

bool TCustomDBGrid::TakeGridFocus() {
  if (!focusOnAction_ || !IsFocusable() || Designing()) return true;
  TakeFocus();
  HWND focus = GetFocus();
  return focus == Handle() || (CellEditor() && CellEditor()->HandleAllocated() &&
                               focus == CellEditor()->Handle());
}

// --- Keys -----------------------------------------------------------------------------------

void TCustomDBGrid::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0 || !link_->Active()) return;
  if (UseRightToLeftAlignment()) {
    if (key == VK_LEFT) {
      key = VK_RIGHT;
    } else if (key == VK_RIGHT) {
      key = VK_LEFT;
    }
  }
  bool ctrl = Has(shift, TShiftStateFlag::ssCtrl);
  bool rowSelect = options_.Contains(TDBGridOption::dgRowSelect);
  bool oneColumn = columns_->Count() <= 1 || rowSelect;
  TDataSet* dataset = link_->DataSet();
  switch (key) {
    case VK_UP:
      if (ctrl) {
        MoveBy(-link_->LinkActiveRecord());
      } else {
        StepUp(true);
      }
      break;
    case VK_DOWN:
      if (ctrl) {
        MoveBy(link_->BufferCount() - link_->LinkActiveRecord() - 1);
      } else {
        StepDown(true);
      }
      break;
    case VK_PRIOR:
      if (ctrl) {
        MoveBy(-link_->LinkActiveRecord());
      } else {
        MoveBy(-WholeVisibleRows());
      }
      break;
    case VK_NEXT:
      if (ctrl) {
        MoveBy(link_->BufferCount() - link_->LinkActiveRecord() - 1);
      } else {
        MoveBy(WholeVisibleRows());
      }
      break;
    case VK_HOME:
      if (ctrl || oneColumn) {
        ClearSelection();
        dataset->MoveToFirst();
      } else {
        GoToColumn(0, 1);
      }
      break;
    case VK_END:
      if (ctrl || oneColumn) {
        ClearSelection();
        dataset->MoveToLast();
      } else {
        GoToColumn(columns_->Count() - 1, -1);
      }
      break;
    case VK_LEFT:
      if (ctrl) {
        GoToColumn(0, 1);
      } else if (rowSelect) {
        StepUp(false);
      } else {
        GoToColumn(SelectedIndex() - 1, -1);
      }
      break;
    case VK_RIGHT:
      if (ctrl) {
        GoToColumn(columns_->Count() - 1, -1);
      } else if (rowSelect) {
        StepDown(false);
      } else {
        GoToColumn(SelectedIndex() + 1, 1);
      }
      break;
    case VK_TAB:
      if (!Has(shift, TShiftStateFlag::ssAlt)) TabToColumn(!Has(shift, TShiftStateFlag::ssShift));
      break;
    case VK_ESCAPE:
      link_->RevertRow();
      ClearSelection();
      if (!options_.Contains(TDBGridOption::dgAlwaysShowEditor)) HideCellEditor();
      break;
    case VK_INSERT:
      if (!ctrl && CanEditDataSet()) {
        ClearSelection();
        dataset->InsertNewRecord();
      }
      break;
    case VK_DELETE:
      if (ctrl && !readOnly_ && !dataset->IsEmptyWindow() && dataset->CanModifyData() &&
          ConfirmDelete()) {
        dataset->DeleteActiveRecord();
      }
      break;
    case kF2:
      if (!ctrl) SetEditorMode(true);
      break;
    default:
      break;
  }
}

void TCustomDBGrid::KeyPress(char& key) {
  if (static_cast<unsigned char>(key) == VK_RETURN &&
      !options_.Contains(TDBGridOption::dgAlwaysShowEditor)) {
    StoreModifiedCell();
  }
  TCustomGrid::KeyPress(key);
}

// --- Mouse ----------------------------------------------------------------------------------

void TCustomDBGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!TakeGridFocus()) return;
  if (button == TMouseButton::mbLeft && Has(shift, TShiftStateFlag::ssDouble)) {
    DblClick();
    return;
  }
  int index = 0;
  int position = 0;
  int offset = 0;
  bool sizing = ComputeSizingState(x, y, index, position, offset) == TGridMouseState::columnSizing;
  TGridCoord cell = CellAtPoint(x, y);
  if (sizing) {
    StoreModifiedCell();
    TCustomGrid::MouseDown(button, shift, x, y);
    return;
  }
  if (cell.X < 0) {
    TCustomGrid::MouseDown(button, shift, x, y);
    return;
  }
  if (cell.Y < titleRows_) {
    if (options_.Contains(TDBGridOption::dgColumnResize) || Designing()) {
      StoreModifiedCell();
      TCustomGrid::MouseDown(button, shift, x, y);
    }
    return;
  }
  if (!link_->Active()) return;
  BeginGridUpdate();
  try {
    StoreModifiedCell();
    bool wasCurrent = cell.X == Col() && cell.Y == Row();
    HideCellEditor();
    if (cell.Y != Row()) MoveBy(cell.Y - Row());
    if (cell.X >= indicatorCols_) GoToColumn(cell.X - indicatorCols_, 0);
    if (button == TMouseButton::mbLeft &&
        (wasCurrent || options_.Contains(TDBGridOption::dgAlwaysShowEditor))) {
      ShowCellEditor();
      if (CellEditor()) CellEditor()->ShownByClick(GetMessageTime());
    } else {
      InvalidateCellEditor();
    }
  } catch (...) {
    EndGridUpdate();
    throw;
  }
  EndGridUpdate();
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TCustomDBGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  bool sized = mouseState_ == TGridMouseState::columnSizing ||
               mouseState_ == TGridMouseState::rowSizing;
  TGridCoord cell = CellAtPoint(x, y);
  TCustomGrid::MouseUp(button, shift, x, y);
  if (sized || button != TMouseButton::mbLeft || cell.X < indicatorCols_) return;
  if (CellEditor() && CellEditor()->Visible()) {
    RECT editor = CellPixels(Col(), Row());
    if (x >= editor.left && x < editor.right && y >= editor.top && y < editor.bottom) return;
  }
  if (cell.Y < titleRows_) {
    if (OnTitleClick) OnTitleClick(ColumnAt(cell.X - indicatorCols_));
  } else if (OnCellClick) {
    OnCellClick(ColumnAt(SelectedIndex()));
  }
}

// --- The vertical scroll bar ----------------------------------------------------------------

void TCustomDBGrid::HandleVertScroll(int code) {
  if (!TakeGridFocus() || !link_->Active()) return;
  TDataSet* dataset = link_->DataSet();
  int visible = WholeVisibleRows();
  switch (code) {
    case SB_LINEUP: MoveBy(-(link_->LinkActiveRecord() + 1)); break;
    case SB_LINEDOWN: MoveBy(link_->LinkRecordCount() - link_->LinkActiveRecord()); break;
    case SB_PAGEUP: MoveBy(-visible); break;
    case SB_PAGEDOWN: MoveBy(visible); break;
    case SB_TOP: dataset->MoveToFirst(); break;
    case SB_BOTTOM: dataset->MoveToLast(); break;
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL | SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &info);
      int position = info.nTrackPos;
      std::int32_t total = dataset->TotalRecordCount();
      if (total >= 0) {
        if (position <= 1) {
          dataset->MoveToFirst();
        } else if (position < total) {
          std::int32_t current = dataset->CurrentRecordNumber();
          if (current < 1) {
            dataset->MoveToFirst();
            current = 1;
          }
          MoveBy(position - current);
        } else {
          dataset->MoveToLast();
        }
      } else if (position == 0) {
        dataset->MoveToFirst();
      } else if (position == 1) {
        MoveBy(-visible);
      } else if (position == 3) {
        MoveBy(visible);
      } else if (position == 4) {
        dataset->MoveToLast();
      }
      break;
    }
    default:
      break;
  }
}

// --- Leaving the grid -----------------------------------------------------------------------

void TCustomDBGrid::DoExit() {
  if (link_->Active()) {
    try {
      if (options_.Contains(TDBGridOption::dgCancelOnExit) && InsertingUntouched()) {
        link_->DataSet()->CancelRecord();
      } else {
        StoreModifiedCell();
      }
    } catch (...) {
      TakeFocus();
      throw;
    }
  }
  TCustomGrid::DoExit();
}

// --- Editing the current cell ---------------------------------------------------------------

bool TCustomDBGrid::CanShowCellEditor() const {
  return TCustomGrid::CanShowCellEditor() && layoutDepth_ == 0;
}

bool TCustomDBGrid::CanModifyCellEditor() {
  if (readOnly_ || !link_->Active() || link_->ReadOnly()) return false;
  TColumn* column = ColumnAt(SelectedIndex());
  TField* field = column ? column->Field() : nullptr;
  if (!column || column->ReadOnly() || !field) return false;
  TDataSet* dataset = field->DataSet();
  if (!dataset || field->ReadOnly() || field->Calculated() || !dataset->CanModifyData()) return false;
  if (IsBinaryOrStructured(field->DataType()) && !field->OnSetText) return false;
  link_->RequestLinkEdit();
  if (link_->Editing()) link_->SetCellModified(true);
  return link_->Editing();
}

bool TCustomDBGrid::EditorAcceptsKey(char key) {
  TField* field = SelectedField();
  if (!link_->Active() || !field) return false;
  if (!IsNumeric(field->DataType())) return true;
  return (key >= '0' && key <= '9') || key == '+' || key == '-' || key == '.' || key == 'e' ||
         key == 'E';
}

AnsiString TCustomDBGrid::GetEditText(int col, int row) {
  TColumn* column = ColumnAt(col - indicatorCols_);
  TField* field = link_->Active() && column ? column->Field() : nullptr;
  editorText_ = field ? field->TextForEditing() : AnsiString();
  if (column && CellEditor()) CellEditor()->Font()->Assign(*column->Font());
  return editorText_;
}

void TCustomDBGrid::SetEditText(int col, int row, const AnsiString& value) { editorText_ = value; }

AnsiString TCustomDBGrid::GetEditMask(int col, int row) {
  TColumn* column = ColumnAt(col - indicatorCols_);
  TField* field = link_->Active() && column ? column->Field() : nullptr;
  return field ? field->EditMask() : AnsiString();
}

int TCustomDBGrid::GetEditLimit() {
  TField* field = SelectedField();
  if (field && (field->DataType() == TFieldType::ftString ||
                field->DataType() == TFieldType::ftWideString)) {
    return field->Size();
  }
  return 0;
}

void TCustomDBGrid::StoreFieldText(TField* field, const AnsiString& text) {
  if (field->OnSetText) {
    field->OnSetText(field, text);
    return;
  }
  auto* dataset = dynamic_cast<TCustomADODataSet*>(field->DataSet());
  if (!dataset) {
    throw EInvalidGridOperation(Format("Field '%s' cannot be modified", field->FieldName().c_str()));
  }
  dataset->StoreFieldValue(field, text.empty() ? provider::Variant::Null()
                                               : provider::Variant::String(AnsiToWide(text)));
}
