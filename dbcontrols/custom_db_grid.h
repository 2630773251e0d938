// TCustomDBGrid and TDBGrid: a grid whose rows are a window onto a dataset's records.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/event.h"
#include "dbcontrols/custom_grid.h"
#include "dbcontrols/db_grid_columns.h"
#include "dbcontrols/grid_data_link.h"

class TBitmap;
class TDataSource;
class TDataSet;

enum class TDBGridOption {
  dgEditing,
  dgAlwaysShowEditor,
  dgTitles,
  dgIndicator,
  dgColumnResize,
  dgColLines,
  dgRowLines,
  dgTabs,
  dgRowSelect,
  dgAlwaysShowSelection,
  dgConfirmDelete,
  dgCancelOnExit,
  dgMultiSelect,
};
using TDBGridOptions = SetOf<TDBGridOption>;

// The indicator glyphs, in the order the grid keeps them.
enum class TIndicatorGlyph { current, editing, inserting, selected, selectedCurrent };

using TDrawColumnCellEvent =
    TEvent<void(TObject* Sender, const platform::RECT& Rect, int DataCol, TColumn* Column,
                TGridDrawState State)>;
using TDrawDataCellEvent =
    TEvent<void(TObject* Sender, const platform::RECT& Rect, TField* Field, TGridDrawState State)>;
using TDBGridClickEvent = TEvent<void(TColumn* Column)>;
using TMovedEvent = TEvent<void(TObject* Sender, int FromIndex, int ToIndex)>;

// Row 0..TitleRows-1 are titles, column 0 the indicator (with dgIndicator); the data rows show
// the link's buffers, so the grid never holds more records than fit on screen. The current row
// follows the dataset's active record. Keys, clicks and the vertical scroll bar move the
// dataset; the grid base's key handling is not used.
//
// Layout work (mapping columns to fields, counting rows, measuring) happens in layout batches:
// only the outermost batch rebuilds. A layout requested while a batch is open is deferred by the
// message kDeferredLayoutMessage to the grid's window.
class TCustomDBGrid : public TCustomGrid {
 public:
  static constexpr platform::UINT kDeferredLayoutMessage = platform::WM_USER + 100;

  explicit TCustomDBGrid(TComponent* owner);
  ~TCustomDBGrid() override;

  TDBGridColumns* Columns() const { return columns_.get(); }
  void SetColumns(TDBGridColumns* value);
  TDataSource* DataSource() const;
  // A source whose dataset is unidirectional raises "Operation not allowed on a unidirectional
  // dataset".
  void SetDataSource(TDataSource* value);
  TGridDataLink& DataLink() const { return *link_; }
  TDBGridOptions Options() const { return options_; }
  void SetOptions(TDBGridOptions value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  TFont* TitleFont() const { return titleFont_.get(); }
  void SetTitleFont(TFont* value);
  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode value) { imeMode_ = value; }
  const AnsiString& ImeName() const { return imeName_; }
  void SetImeName(const AnsiString& value) { imeName_ = value; }
  bool FocusOnAction() const { return focusOnAction_; }
  void SetFocusOnAction(bool value) { focusOnAction_ = value; }

  int TitleRows() const { return titleRows_; }
  int IndicatorCols() const { return indicatorCols_; }
  int IndicatorRow() const { return indicatorRow_; }
  int UpdateDepth() const { return updateDepth_; }
  int LayoutDepth() const { return layoutDepth_; }
  const AnsiString& EditorText() const { return editorText_; }
  // The data column shown in the current grid column (0 is the first data column).
  int SelectedIndex() const { return Col() - indicatorCols_; }
  TField* SelectedField() const;
  // The columns that are showing, in order.
  const std::vector<TColumn*>& VisibleColumns() const { return visibleColumns_; }
  // The row height of data rows and of title rows as last measured.
  int DataRowHeight() const { return StandardRowHeight(); }
  // The grid takes its layout from the dataset (a layout notice is being handled).
  bool LayoutFromDataSet() const { return layoutFromDataSet_; }

  void OpenLayoutBatch();
  void CloseLayoutBatch();
  // Rebuilds now when no batch is open.
  void RequestLayout();
  // Leaves the rebuild to the deferred-layout message and releases one batch level.
  void DeferLayout();
  void RebuildLayout();
  void BeginGridUpdate() { ++updateDepth_; }
  void EndGridUpdate() { if (updateDepth_ > 0) --updateDepth_; }

  // What the link's notices do (also callable by tests of the grid's reactions).
  void LinkStateChanged(bool active);
  void DataRefresh();
  void RecordRefresh(TField* field);
  void ScrollRows(int distance);
  void EditingStateChanged();
  void StoreEditorText();
  void FocusField(TField** field);
  void SyncRowCount();
  void SyncCurrentRow();
  void SyncVertScrollBar();

  // Moves. StepDown on the last record of a modifiable dataset appends a record.
  void StepUp(bool extend);
  void StepDown(bool extend);
  void TabToColumn(bool forward);
  // direction: -1, 0 or 1; columns of no width are skipped in the direction given.
  void GoToColumn(int column, int direction);
  // Asks "Delete record?" with dgConfirmDelete; true when the deletion may go ahead.
  bool ConfirmDelete();
  bool TakeGridFocus();

  // The default width of a column measured in a font on the grid's canvas (a screen device
  // context without a window).
  platform::SIZE MeasureText(const TFont& font, const AnsiString& text, int* averageWidth,
                             int* overhang) const;
  // Draws a cell's text: clipped and filled when the brush is a pure colour, else through the
  // shared off-screen bitmap with word breaks.
  void DrawCellText(TCanvas& canvas, const platform::RECT& rect, int dx, int dy,
                    const AnsiString& text, TAlignment alignment, bool rightToLeft);
  bool GridFieldRightToLeft(const TField* field) const;
  virtual bool HighlightsCell(int col, int row, TGridDrawState state) const;

  // The column of the field's removal.
  void ComponentNotice(TComponent* component, TOperation operation) override;
  void AfterLoading() override;
  void WndProc(TMessage& message) override;

  TDrawColumnCellEvent OnDrawColumnCell;
  TDrawDataCellEvent OnDrawDataCell;
  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TMovedEvent OnColumnMoved;
  TNotifyEvent OnEditButtonClick;

 protected:
  virtual void BuildFieldMap();
  virtual void ApplyColumnAttributes();
  void BindColumnsToFields();
  void MeasureRowHeights();

  void PaintCell(int col, int row, const platform::RECT& rect, TGridDrawState state) override;
  bool FullRepaintOnSizeChange() const override { return true; }
  bool CanShowCellEditor() const override;
  bool CanModifyCellEditor() override;
  bool EditorAcceptsKey(char key) override;
  AnsiString GetEditText(int col, int row) override;
  void SetEditText(int col, int row, const AnsiString& value) override;
  AnsiString GetEditMask(int col, int row) override;
  int GetEditLimit() override;
  void TopLeftChanged() override;
  void ColumnMoved(int from, int to) override;
  void ColumnWidthsChanged() override;
  bool BeginColumnDrag(int& origin, int& destination, platform::POINT mouse) override;
  bool CheckColumnDrag(int& origin, int& destination, platform::POINT mouse) override;
  bool EndColumnDrag(int& origin, int& destination, platform::POINT mouse) override;

  void CreateWnd() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;
  void DoExit() override;

 private:
  friend class TGridDataLink;

  void TitleFontChanged(TObject* sender);
  void PaintTitleCell(int dataCol, const platform::RECT& rect);
  void PaintIndicatorCell(int dataRow, const platform::RECT& rect, int frameOffset);
  void DrawRaisedEdge(const platform::RECT& rect);
  TBitmap& Glyph(TIndicatorGlyph glyph);
  void LoadGlyphs();
  TColumn* ColumnAt(int dataCol) const;
  void HandleVertScroll(int code);
  void ClearSelection() {}
  void StoreModifiedCell();
  // The text the editor shows now (its window's while it is visible).
  AnsiString ShownEditorText() const;
  void ColumnEnter();
  bool InsertingUntouched() const;
  void RemoveDeferredLayout();
  void MoveBy(int distance);
  bool CanEditDataSet() const;
  // Writes an edited text into a field: through its OnSetText, else as the field's new value.
  void StoreFieldText(TField* field, const AnsiString& text);

  std::unique_ptr<TGridDataLink> link_;
  std::unique_ptr<TDBGridColumns> columns_;
  std::vector<TColumn*> visibleColumns_;
  std::unique_ptr<TFont> titleFont_;
  std::array<std::unique_ptr<TBitmap>, 5> glyphs_;
  TDBGridOptions options_;
  bool readOnly_ = false;
  int titleRows_ = 1;
  int indicatorCols_ = 1;
  int indicatorRow_ = -1;
  int updateDepth_ = 0;
  int layoutDepth_ = 0;
  bool inColumnExit_ = false;
  AnsiString editorText_;
  bool focusOnAction_ = true;
  bool layoutFromDataSet_ = false;
  bool layoutPosted_ = false;
  bool changingTitleFont_ = false;
  bool sizingColumns_ = false;
  TImeMode imeMode_ = TImeMode::imDontCare;
  AnsiString imeName_;
  int vertMin_ = -1;
  int vertMax_ = -1;
  int vertPage_ = -1;
  int vertPos_ = -1;
};

// The published face of TCustomDBGrid.
class TDBGrid : public TCustomDBGrid {
 public:
  explicit TDBGrid(TComponent* owner) : TCustomDBGrid(owner) {}
};
