// The data grid's state and layout: options, layout batches, the field map, row counts and the
// reactions to the dataset's notices.
#include "dbcontrols/custom_db_grid.h"

#include <algorithm>
#include <cstdlib>

#include "controls/control_messages.h"
#include "core/classes.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fields.h"
#include "dbcontrols/field_datalink.h"
#include "dbcontrols/inplace_edit.h"
#include "graphics/bitmap.h"
#include "platform/dc.h"
#include "platform/text.h"

using namespace platform;

namespace {

constexpr TDBGridOptions kDefaultOptions = {
    TDBGridOption::dgEditing,     TDBGridOption::dgTitles,        TDBGridOption::dgIndicator,
    TDBGridOption::dgColumnResize, TDBGridOption::dgColLines,     TDBGridOption::dgRowLines,
    TDBGridOption::dgTabs,        TDBGridOption::dgConfirmDelete, TDBGridOption::dgCancelOnExit};

// The options whose change needs a new layout.
constexpr TDBGridOptions kLayoutOptions = {
    TDBGridOption::dgEditing,  TDBGridOption::dgAlwaysShowEditor, TDBGridOption::dgTitles,
    TDBGridOption::dgIndicator, TDBGridOption::dgColLines,        TDBGridOption::dgRowLines,
    TDBGridOption::dgRowSelect, TDBGridOption::dgAlwaysShowSelection};

TGridBaseOptions BaseOptionsFor(TDBGridOptions options) {
  TGridBaseOptions base;
  if (options.Contains(TDBGridOption::dgColLines)) {
    base.Include(TGridBaseOption::gbFixedVertLine);
    base.Include(TGridBaseOption::gbVertLine);
  }
  if (options.Contains(TDBGridOption::dgRowLines)) {
    base.Include(TGridBaseOption::gbFixedHorzLine);
    base.Include(TGridBaseOption::gbHorzLine);
  }
  if (options.Contains(TDBGridOption::dgColumnResize)) {
    base.Include(TGridBaseOption::gbColSizing);
    base.Include(TGridBaseOption::gbColMoving);
  }
  if (options.Contains(TDBGridOption::dgTabs)) base.Include(TGridBaseOption::gbTabs);
  if (options.Contains(TDBGridOption::dgEditing)) base.Include(TGridBaseOption::gbEditing);
  if (options.Contains(TDBGridOption::dgAlwaysShowEditor)) {
    base.Include(TGridBaseOption::gbAlwaysShowEditor);
  }
  if (options.Contains(TDBGridOption::dgRowSelect)) base.Include(TGridBaseOption::gbRowSelect);
  return base;
}

}  // namespace

TCustomDBGrid::TCustomDBGrid(TComponent* owner)
    : TCustomGrid(owner),
      link_(std::make_unique<TGridDataLink>(this)),
      columns_(std::make_unique<TDBGridColumns>(this)),
      titleFont_(std::make_unique<TFont>()) {
  SetDefaultDrawing(true);
  LoadGlyphs();
  options_ = kDefaultOptions;
  SetScrollBarStyle(TScrollStyle::ssHorizontal);
  SetBaseOptions(BaseOptionsFor(options_));
  SetRowTotal(2);
  SetColumnTotal(2);
  titleFont_->Assign(*Font());
  titleFont_->OnChange = TNotifyEvent(this, &TCustomDBGrid::TitleFontChanged);
}

TCustomDBGrid::~TCustomDBGrid() {
  SetComponentState(TComponentStateFlag::csDestroying, true);
  columns_.reset();
  visibleColumns_.clear();
  link_->AttachToSource(nullptr);
}

// --- Properties -----------------------------------------------------------------------------

void TCustomDBGrid::SetColumns(TDBGridColumns* value) {
  if (!value || value == columns_.get()) return;
  OpenLayoutBatch();
  try {
    columns_->Clear();
    for (int i = 0; i < value->Count(); ++i) {
      TColumn* source = value->Items(i);
      TColumn* column = columns_->Add();
      column->SetFieldName(source->FieldName());
      column->SetVisible(source->Visible());
      if (source->ExplicitValues().Contains(TColumnValue::cvWidth)) column->SetWidth(source->Width());
      column->SetTitle(source->Title());
    }
  } catch (...) {
    CloseLayoutBatch();
    throw;
  }
  CloseLayoutBatch();
}

TDataSource* TCustomDBGrid::DataSource() const { return link_->Source(); }

void TCustomDBGrid::SetDataSource(TDataSource* value) {
  if (value == link_->Source()) return;
  if (value && value->DataSet() && value->DataSet()->UniDirectional()) {
    DatabaseError("Operation not allowed on a unidirectional dataset", this);
  }
  ClearSelection();
  if (TDataSource* old = link_->Source()) old->RemoveFreeNotification(this);
  link_->AttachToSource(value);
  if (value) value->FreeNotification(this);
}

void TCustomDBGrid::SetOptions(TDBGridOptions value) {
  if (value.Contains(TDBGridOption::dgRowSelect)) {
    value.Exclude(TDBGridOption::dgEditing);
    value.Exclude(TDBGridOption::dgAlwaysShowEditor);
  }
  if (value == options_) return;
  TDBGridOptions old = options_;
  options_ = value;
  SetBaseOptions(BaseOptionsFor(value));
  if (old.Contains(TDBGridOption::dgMultiSelect) && !value.Contains(TDBGridOption::dgMultiSelect)) {
    ClearSelection();
  }
  if ((TDBGridOptions::FromBits(old.Bits() ^ value.Bits()).Bits() & kLayoutOptions.Bits()) != 0) {
    RequestLayout();
  }
}

void TCustomDBGrid::SetTitleFont(TFont* value) {
  if (value) titleFont_->Assign(*value);
}

void TCustomDBGrid::TitleFontChanged(TObject*) {
  if (!IsLoading() && !changingTitleFont_) SetParentFont(false);
  if (options_.Contains(TDBGridOption::dgTitles)) RequestLayout();
}

TField* TCustomDBGrid::SelectedField() const {
  TColumn* column = ColumnAt(SelectedIndex());
  return column ? column->Field() : nullptr;
}

TColumn* TCustomDBGrid::ColumnAt(int dataCol) const {
  if (!columns_ || dataCol < 0 || dataCol >= columns_->Count()) return nullptr;
  return columns_->Items(dataCol);
}

SIZE TCustomDBGrid::MeasureText(const TFont& font, const AnsiString& text, int* averageWidth,
                                int* overhang) const {
  // A memory context measures as the screen does and needs no window.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, const_cast<TFont&>(font).Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  if (averageWidth || overhang) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    if (averageWidth) *averageWidth = metrics.tmAveCharWidth;
    if (overhang) *overhang = metrics.tmOverhang;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return size;
}

// --- Layout ---------------------------------------------------------------------------------

void TCustomDBGrid::OpenLayoutBatch() {
  ++updateDepth_;
  // The columns are gone while the grid is destroyed.
  if (layoutDepth_ == 0 && columns_) columns_->BeginUpdate();
  ++layoutDepth_;
}

void TCustomDBGrid::CloseLayoutBatch() {
  if (layoutDepth_ == 0) return;
  auto release = [this] {
    --layoutDepth_;
    if (updateDepth_ > 0) --updateDepth_;
  };
  if (layoutDepth_ == 1 && columns_) {
    try {
      RebuildLayout();
    } catch (...) {
      columns_->EndUpdate();
      release();
      throw;
    }
    columns_->EndUpdate();
  }
  release();
}

void TCustomDBGrid::RequestLayout() {
  if (layoutDepth_ != 0 || updateDepth_ != 0) return;
  OpenLayoutBatch();
  CloseLayoutBatch();
}

void TCustomDBGrid::DeferLayout() {
  if (HandleAllocated() && !layoutPosted_) {
    layoutPosted_ = PostMessageA(Handle(), kDeferredLayoutMessage, 0, 0) != FALSE;
  }
  if (layoutDepth_ == 0) return;
  // The update depth drops last, so the collection's notice at the end of its update finds a
  // batch still open and does not rebuild.
  if (--layoutDepth_ == 0 && columns_) columns_->EndUpdate();
  if (updateDepth_ > 0) --updateDepth_;
}

void TCustomDBGrid::RemoveDeferredLayout() {
  if (!HandleAllocated()) return;
  MSG msg;
  while (PeekMessageA(&msg, Handle(), kDeferredLayoutMessage, kDeferredLayoutMessage, PM_REMOVE)) {
  }
  layoutPosted_ = false;
}

void TCustomDBGrid::RebuildLayout() {
  if (IsLoading() || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  RemoveDeferredLayout();
  // Columns the grid made from fields give way once a persistent column follows one of them.
  bool sawInternal = false;
  bool mixed = false;
  for (int i = 0; i < columns_->Count(); ++i) {
    if (!columns_->Items(i)->IsPersistent()) {
      sawInternal = true;
    } else if (sawInternal) {
      mixed = true;
    }
  }
  if (mixed) {
    for (int i = columns_->Count() - 1; i >= 0; --i) {
      if (!columns_->Items(i)->IsPersistent()) columns_->Delete(i);
    }
  }
  indicatorCols_ = options_.Contains(TDBGridOption::dgIndicator) ? 1 : 0;
  link_->ClearMapping();
  if (link_->Active()) BuildFieldMap();
  BindColumnsToFields();
  visibleColumns_.clear();
  for (int i = 0; i < columns_->Count(); ++i) {
    if (columns_->Items(i)->Showing()) visibleColumns_.push_back(columns_->Items(i));
  }
  SetColumnTotal(columns_->Count() + indicatorCols_);
  if (FixedColumnTotal() != indicatorCols_ && indicatorCols_ < ColumnTotal()) {
    SetFixedColumnTotal(indicatorCols_);
  }
  titleRows_ = options_.Contains(TDBGridOption::dgTitles) ? 1 : 0;
  MeasureRowHeights();
  SyncRowCount();
  ApplyColumnAttributes();
  SyncCurrentRow();
  InvalidateGrid();
}

void TCustomDBGrid::BuildFieldMap() {
  TDataSet* dataset = link_->DataSet();
  if (columns_->State() == TDBGridColumnsState::csCustomized) {
    link_->SetPartialMap(true);
    for (int i = 0; i < columns_->Count(); ++i) link_->MapField(columns_->Items(i)->FieldName());
    return;
  }
  link_->SetPartialMap(false);
  if (!dataset) return;
  for (TField* field : dataset->Fields()) {
    if (field->Visible()) link_->MapField(field->FieldName());
  }
}

void TCustomDBGrid::BindColumnsToFields() {
  if (columns_->State() == TDBGridColumnsState::csCustomized) {
    for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->SetField(nullptr);
    return;
  }
  TDataSet* dataset = link_->DataSet();
  if (link_->Active() || (dataset && !dataset->DefaultFields())) {
    for (int i = columns_->Count() - 1; i >= 0; --i) {
      TField* field = columns_->Items(i)->BoundField();
      bool mapped = false;
      for (int m = 0; field && !mapped && m < link_->MappedFieldCount(); ++m) {
        mapped = link_->MappedField(m) == field;
      }
      if (!mapped) columns_->Delete(i);
    }
  } else {
    columns_->Clear();
  }
  int positions = link_->MappedFieldCount();
  if (positions == 0 && columns_->Count() == 0) positions = 1;
  for (int i = 0; i < positions; ++i) {
    TField* field = link_->MappedField(i);
    TColumn* column = nullptr;
    for (int j = i; !column && j < columns_->Count(); ++j) {
      if (columns_->Items(j)->BoundField() == field) column = columns_->Items(j);
    }
    if (!column) {
      column = columns_->AddInternal();
      column->SetField(field);
    }
    column->SetIndex(i);
  }
}

void TCustomDBGrid::ApplyColumnAttributes() {
  for (int i = 0; i < columns_->Count(); ++i) {
    TColumn* column = columns_->Items(i);
    int gridColumn = i + indicatorCols_;
    if (gridColumn >= ColumnTotal()) break;
    TField* field = column->Field();
    bool tabStop = column->Showing() && !column->ReadOnly() && link_->Active() && field &&
                   !field->Calculated() && !field->ReadOnly() && !field->Lookup();
    AssignTabStop(gridColumn, tabStop);
    AssignColumnWidth(gridColumn, column->Width());
  }
  if (indicatorCols_ > 0) AssignColumnWidth(0, 11);
}

void TCustomDBGrid::MeasureRowHeights() {
  int lines = options_.Contains(TDBGridOption::dgRowLines) ? LineWidth() : 0;
  SetStandardRowHeight(MeasureText(*Font(), "Wg", nullptr, nullptr).cy + 3 + lines);
  if (titleRows_ == 0) return;
  if (RowTotal() <= titleRows_) SetRowTotal(titleRows_ + 1);
  int height = 0;
  for (int i = 0; i < columns_->Count(); ++i) {
    TColumn* column = columns_->Items(i);
    if (!column->Showing()) continue;
    height = std::max(height, MeasureText(*column->Title()->Font(), "Wg", nullptr, nullptr).cy + 4);
  }
  if (height == 0) height = MeasureText(*titleFont_, "Wg", nullptr, nullptr).cy + 4;
  AssignRowHeight(0, height);
}

void TCustomDBGrid::SyncRowCount() {
  int oldRows = RowTotal();
  if (RowTotal() <= titleRows_) SetRowTotal(titleRows_ + 1);
  if (FixedRowTotal() != titleRows_) SetFixedRowTotal(titleRows_);
  if (link_->Active() && link_->LinkRecordCount() > 0 && HandleAllocated()) {
    // The rows that fit are counted on a grid of many rows.
    SetRowTotal(1000);
    link_->SetLinkBufferCount(std::max(WholeVisibleRows(), 1));
    SetRowTotal(link_->LinkRecordCount() + titleRows_);
    if (options_.Contains(TDBGridOption::dgRowSelect)) SetTopLeft(TopLeftCell().X, titleRows_);
    SyncCurrentRow();
  } else {
    SetRowTotal(titleRows_ + 1);
  }
  if (RowTotal() != oldRows) InvalidateGrid();
}

void TCustomDBGrid::SyncCurrentRow() {
  if (!link_->Active() || !HandleAllocated() || IsLoading()) return;
  int row = link_->LinkActiveRecord() + titleRows_;
  if (row != Row() && row < RowTotal()) {
    if (!options_.Contains(TDBGridOption::dgAlwaysShowEditor)) HideCellEditor();
    SetCurrentCell(std::max(Col(), indicatorCols_), row, false, false);
    InvalidateCellEditor();
  }
  TField* field = SelectedField();
  if (field && field->TextForEditing() != ShownEditorText()) InvalidateCellEditor();
}

AnsiString TCustomDBGrid::ShownEditorText() const {
  // Typing changes only the editor's own text until the cell is stored.
  return CellEditor() && CellEditor()->Visible() ? CellEditor()->Text() : editorText_;
}

// --- Reactions to the dataset ----------------------------------------------------------------

void TCustomDBGrid::LinkStateChanged(bool active) {
  if (!active) HideCellEditor();
  ClearSelection();
  RequestLayout();
  SyncVertScrollBar();
  if (active && options_.Contains(TDBGridOption::dgAlwaysShowEditor)) ShowCellEditor();
}

void TCustomDBGrid::DataRefresh() {
  if (!HandleAllocated()) return;
  SyncRowCount();
  SyncVertScrollBar();
  SyncCurrentRow();
  InvalidateCellEditor();
  ValidateRect(Handle(), nullptr);
  InvalidateGrid();
}

void TCustomDBGrid::RecordRefresh(TField* field) {
  if (!HandleAllocated()) return;
  if (field) {
    for (int i = 0; i < columns_->Count(); ++i) {
      if (columns_->Items(i)->BoundField() == field) InvalidateColumn(i + indicatorCols_);
    }
  } else {
    InvalidateGrid();
  }
  TField* selected = SelectedField();
  if (selected && (!field || field == selected) && selected->TextForEditing() != ShownEditorText()) {
    // The editor shows the field's value again (after Escape, or a change made elsewhere).
    if (CellEditor() && CellEditor()->Visible()) {
      CellEditor()->UpdateContents();
      CellEditor()->Deselect();
    }
    InvalidateCellEditor();
  }
}

void TCustomDBGrid::ScrollRows(int distance) {
  if (!HandleAllocated()) return;
  RECT oldRow = CellsRect({0, Row(), ColumnTotal() - 1, Row()});
  if (link_->LinkActiveRecord() >= RowTotal() - titleRows_) SyncRowCount();
  SyncVertScrollBar();
  SyncCurrentRow();
  RECT newRow = CellsRect({0, Row(), ColumnTotal() - 1, Row()});
  ValidateRect(Handle(), &oldRow);
  ::platform::InvalidateRect(Handle(), &oldRow, FALSE);
  ::platform::InvalidateRect(Handle(), &newRow, FALSE);
  if (distance != 0) {
    HideCellEditor();
    if (std::abs(distance) > WholeVisibleRows()) {
      InvalidateGrid();
    } else {
      bool indicator = options_.Contains(TDBGridOption::dgIndicator);
      if (indicator && indicatorRow_ >= 0 && indicatorRow_ < RowTotal()) InvalidateCell(0, indicatorRow_);
      int lines = options_.Contains(TDBGridOption::dgRowLines) ? LineWidth() : 0;
      RECT area{0, ComputeMetrics().Vert.FixedEdge, ClientWidth(), ClientHeight()};
      ScrollWindowEx(Handle(), 0, -distance * (StandardRowHeight() + lines), &area, &area, nullptr,
                     SW_INVALIDATE);
      if (indicator) InvalidateCell(0, Row());
    }
    if (options_.Contains(TDBGridOption::dgAlwaysShowEditor)) ShowCellEditor();
  }
  if (updateDepth_ == 0) UpdateWindow(Handle());
}

void TCustomDBGrid::EditingStateChanged() {
  if (options_.Contains(TDBGridOption::dgIndicator) && indicatorRow_ >= 0 &&
      indicatorRow_ < RowTotal()) {
    InvalidateCell(0, indicatorRow_);
  }
}

void TCustomDBGrid::SyncVertScrollBar() {
  if (!link_->Active() || !HandleAllocated()) return;
  TDataSet* dataset = link_->DataSet();
  SCROLLINFO old{};
  old.cbSize = sizeof old;
  old.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, &old);
  SCROLLINFO info = old;
  info.fMask = SIF_ALL;
  std::int32_t total = dataset->TotalRecordCount();
  if (total >= 0) {
    info.nMin = 1;
    info.nPage = static_cast<UINT>(std::max(WholeVisibleRows(), 1));
    info.nMax = total + static_cast<int>(info.nPage) - 1;
    DataSetState state = dataset->State();
    if (state == DataSetState::Inactive || state == DataSetState::Browsing ||
        state == DataSetState::Editing) {
      info.nPos = dataset->CurrentRecordNumber();
    }
  } else {
    info.nMin = 0;
    info.nMax = 4;
    info.nPage = 0;
    info.nPos = dataset->AtBOF() ? 0 : dataset->AtEOF() ? 4 : 2;
  }
  if (info.nMin != old.nMin || info.nMax != old.nMax || info.nPage != old.nPage ||
      info.nPos != old.nPos) {
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  }
}

void TCustomDBGrid::StoreEditorText() {
  TField* field = SelectedField();
  if (!field) return;
  if (CellEditor() && CellEditor()->Visible()) editorText_ = CellEditor()->Text();
  StoreFieldText(field, editorText_);
}

void TCustomDBGrid::FocusField(TField** field) {
  if (!field || !*field) return;
  for (int i = 0; i < columns_->Count(); ++i) {
    if (columns_->Items(i)->BoundField() == *field) GoToColumn(i, 0);
  }
  if (SelectedField() == *field && TakeGridFocus()) {
    *field = nullptr;
    ShowCellEditor();
  }
}

// --- Component life -------------------------------------------------------------------------

void TCustomDBGrid::ComponentNotice(TComponent* component, TOperation operation) {
  TCustomGrid::ComponentNotice(component, operation);
  if (operation != TOperation::opRemove || !columns_) return;
  if (component == link_->Source()) {
    SetDataSource(nullptr);
    return;
  }
  auto* field = dynamic_cast<TField*>(component);
  if (!field) return;
  bool bound = false;
  for (int i = 0; i < columns_->Count(); ++i) bound = bound || columns_->Items(i)->BoundField() == field;
  if (!bound) return;
  OpenLayoutBatch();
  try {
    for (int i = 0; i < columns_->Count(); ++i) {
      if (columns_->Items(i)->BoundField() == field) columns_->Items(i)->SetField(nullptr);
    }
  } catch (...) {
    CloseLayoutBatch();
    throw;
  }
  TDataSet* dataset = link_->DataSet();
  if (!dataset || dataset->ComponentState().Contains(TComponentStateFlag::csDestroying) ||
      dataset->ControlsSuspended()) {
    DeferLayout();
  } else {
    CloseLayoutBatch();
  }
}

void TCustomDBGrid::AfterLoading() {
  TCustomGrid::AfterLoading();
  if (columns_->Count() > 0) SetColumnTotal(columns_->Count() + indicatorCols_);
  RequestLayout();
}

void TCustomDBGrid::CreateWnd() {
  TCustomGrid::CreateWnd();
  SyncRowCount();
  SyncCurrentRow();
  SyncVertScrollBar();
}

void TCustomDBGrid::Resize() {
  TCustomGrid::Resize();
  if (updateDepth_ == 0) SyncRowCount();
  if (options_.Contains(TDBGridOption::dgTitles) && HandleAllocated()) {
    RECT titles{0, 0, ClientWidth(), RowHeight(0) + LineWidth()};
    ::platform::InvalidateRect(Handle(), &titles, FALSE);
  }
}

void TCustomDBGrid::TopLeftChanged() {
  if (options_.Contains(TDBGridOption::dgTitles) && HandleAllocated()) {
    RECT titles{0, 0, ClientWidth(), RowHeight(0) + LineWidth()};
    ::platform::InvalidateRect(Handle(), &titles, FALSE);
  }
  TCustomGrid::TopLeftChanged();
}

void TCustomDBGrid::ColumnWidthsChanged() {
  TCustomGrid::ColumnWidthsChanged();
  bool customized = columns_->State() == TDBGridColumnsState::csCustomized;
  if (!(link_->Active() || customized) || layoutDepth_ != 0) return;
  OpenLayoutBatch();
  try {
    for (int i = 0; i < columns_->Count() && i + indicatorCols_ < ColumnTotal(); ++i) {
      columns_->Items(i)->SetWidth(ColumnWidth(i + indicatorCols_));
    }
  } catch (...) {
    CloseLayoutBatch();
    throw;
  }
  CloseLayoutBatch();
}

void TCustomDBGrid::ColumnMoved(int from, int to) {
  TCustomGrid::ColumnMoved(from, to);
  TColumn* column = ColumnAt(from - indicatorCols_);
  if (!column) return;
  OpenLayoutBatch();
  try {
    column->SetIndex(to - indicatorCols_);
  } catch (...) {
    CloseLayoutBatch();
    throw;
  }
  CloseLayoutBatch();
  if (OnColumnMoved) OnColumnMoved(this, from, to);
}

bool TCustomDBGrid::BeginColumnDrag(int& origin, int& destination, POINT) {
  // Default columns follow the field order, so only customized columns can be moved.
  return origin >= indicatorCols_ && columns_->State() == TDBGridColumnsState::csCustomized;
}

bool TCustomDBGrid::CheckColumnDrag(int& origin, int& destination, POINT) {
  return destination >= indicatorCols_;
}

bool TCustomDBGrid::EndColumnDrag(int& origin, int& destination, POINT) {
  return destination >= indicatorCols_;
}

void TCustomDBGrid::WndProc(TMessage& message) {
  switch (message.Msg) {
    case kDeferredLayoutMessage:
      layoutPosted_ = false;
      // Inside an open batch the batch's own close rebuilds.
      if (layoutDepth_ == 0) {
        OpenLayoutBatch();
        CloseLayoutBatch();
      }
      return;
    case WM_VSCROLL:
      HandleVertScroll(LOWORD(DWORD(message.WParam)));
      message.Result = 0;
      return;
    case CM_FONTCHANGED:
      TCustomGrid::WndProc(message);
      OpenLayoutBatch();
      CloseLayoutBatch();
      return;
    case CM_PARENTFONTCHANGED:
      TCustomGrid::WndProc(message);
      if (ParentFont()) {
        changingTitleFont_ = true;
        titleFont_->Assign(*Font());
        changingTitleFont_ = false;
        RequestLayout();
      }
      return;
    default:
      break;
  }
  TCustomGrid::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTCustomDBGrid =
    RegisterClass<TCustomDBGrid, TCustomGrid>("TCustomDBGrid")
        .Event("OnCellClick", &TCustomDBGrid::OnCellClick)
        .Event("OnColEnter", &TCustomDBGrid::OnColEnter)
        .Event("OnColExit", &TCustomDBGrid::OnColExit)
        .Event("OnColumnMoved", &TCustomDBGrid::OnColumnMoved)
        .Event("OnDrawColumnCell", &TCustomDBGrid::OnDrawColumnCell)
        .Event("OnDrawDataCell", &TCustomDBGrid::OnDrawDataCell)
        .Event("OnEditButtonClick", &TCustomDBGrid::OnEditButtonClick)
        .Event("OnTitleClick", &TCustomDBGrid::OnTitleClick);

[[maybe_unused]] const auto kTDBGrid =
    RegisterClass<TDBGrid, TCustomDBGrid>("TDBGrid")
        .Property("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns)
        .Property("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource)
        .Set("Options", &TDBGrid::Options, &TDBGrid::SetOptions,
             {"dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize",
              "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection",
              "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect"})
        .Property("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly)
        .Property("TitleFont", &TDBGrid::TitleFont, &TDBGrid::SetTitleFont)
        .Property("DefaultDrawing", &TDBGrid::DefaultDrawing, &TDBGrid::SetDefaultDrawing)
        .Enum("ImeMode", &TDBGrid::ImeMode, &TDBGrid::SetImeMode, kImeModeNames)
        .Property("ImeName", &TDBGrid::ImeName, &TDBGrid::SetImeName);

}  // namespace
