// TCustomGrid: a windowed table of cells with fixed rows and columns, scrolling, sizing by mouse,
// right-to-left mirroring and an in-place editor; subclasses paint the cells.
#pragma once

#include <memory>
#include <vector>

#include "controls/custom_control.h"
#include "dbcontrols/grid_types.h"

class TInplaceEdit;

// The grid knows nothing of cell contents: PaintCell draws one cell, GetEditText and
// SetEditText carry the editor's text. Column and row 0.. FixedColumnTotal-1 and
// 0..FixedRowTotal-1 never scroll; the others scroll from TopLeft on.
//
// Geometry needs no per-item storage until a width or height differs from the standard one.
// On a right-to-left grid (UseRightToLeftAlignment) the canvas is mirrored while painting, so
// subclasses draw in unmirrored coordinates; CellRect gives screen (unmirrored client)
// coordinates.
class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  int ColumnTotal() const { return columnTotal_; }
  void SetColumnTotal(int value);
  int RowTotal() const { return rowTotal_; }
  void SetRowTotal(int value);
  int FixedColumnTotal() const { return fixedColumnTotal_; }
  void SetFixedColumnTotal(int value);
  int FixedRowTotal() const { return fixedRowTotal_; }
  void SetFixedRowTotal(int value);
  int LineWidth() const { return lineWidth_; }
  void SetLineWidth(int value);
  TGridBaseOptions BaseOptions() const { return options_; }
  void SetBaseOptions(TGridBaseOptions value);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor value);
  TScrollStyle ScrollBarStyle() const { return scrollBars_; }
  void SetScrollBarStyle(TScrollStyle value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  // The grid keeps its own 3-D look rather than following its container's.
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool value) { parentCtl3D_ = value; }
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }

  int StandardColWidth() const { return standardColWidth_; }
  void SetStandardColWidth(int value);
  int StandardRowHeight() const { return standardRowHeight_; }
  void SetStandardRowHeight(int value);
  int ColumnWidth(int index) const;
  void AssignColumnWidth(int index, int width);
  int RowHeight(int index) const;
  void AssignRowHeight(int index, int height);
  bool TabStopAt(int index) const;
  void AssignTabStop(int index, bool value);

  TGridCoord TopLeftCell() const { return topLeft_; }
  void SetTopLeft(int col, int row);
  TGridCoord CurrentCell() const { return current_; }
  TGridCoord AnchorCell() const { return anchor_; }
  TGridRect Selection() const;
  int Col() const { return current_.X; }
  int Row() const { return current_.Y; }
  void SetCurrentCell(int col, int row, bool scrollIntoView, bool moveAnchor);
  void MoveToColumn(int col);
  void MoveToRow(int row);
  int PixelOffset() const { return pixelOffset_; }

  TGridMetrics ComputeMetrics() const;
  TGridMetrics ComputeMetricsFor(int width, int height) const;
  // The cell under a client point; (-1, -1) when outside every cell.
  TGridCoord CellAtPoint(int x, int y) const;
  // The pixel rectangle of a range of cells, in client coordinates; all zero when the range
  // is reversed or starts beyond the visible cells.
  platform::RECT CellsRect(TGridRect range) const;
  platform::RECT CellPixels(int col, int row) const { return CellsRect({col, row, col, row}); }
  int WholeVisibleColumns() const;
  int WholeVisibleRows() const;
  // The largest top-left cell on each axis: the last cells shown whole.
  TGridCoord MaxTopLeft() const;

  bool EditorShown() const { return editorShown_; }
  void ShowCellEditor();
  void HideCellEditor();
  void RefreshCellEditor();
  void InvalidateCellEditor();
  bool EditorMode() const { return editorShown_; }
  void SetEditorMode(bool value);
  TInplaceEdit* CellEditor() const { return editor_; }

  void InvalidateCell(int col, int row);
  void InvalidateColumn(int col);
  void InvalidateRow(int row);
  void InvalidateRange(TGridRect range);
  void InvalidateGrid();

  void MoveColumnTo(int from, int to);
  void MoveRowTo(int from, int to);
  virtual void RemoveColumn(int index);
  virtual void RemoveRow(int index);

  // The mouse state and the line being sized (for tests and the sizing display).
  TGridMouseState MouseState() const { return mouseState_; }

  TNotifyEvent OnTopLeftChanged;

  void WndProc(TMessage& message) override;

 protected:
  friend class TInplaceEdit;

  virtual TGridMouseState ComputeSizingState(int x, int y, int& index, int& sizingPos,
                                             int& sizingOffset) const;
  virtual TInplaceEdit* CreateCellEditor();
  virtual bool CanShowCellEditor() const;
  virtual void PaintCell(int col, int row, const platform::RECT& rect, TGridDrawState state) = 0;
  virtual bool CanSelectCell(int col, int row) { return true; }

  virtual void ColumnMoved(int from, int to) {}
  virtual void RowMoved(int from, int to) {}
  virtual void TopLeftChanged();
  virtual void SizeChanged(int oldColumnTotal, int oldRowTotal) {}
  virtual void ColumnWidthsChanged();
  virtual void RowHeightsChanged();
  virtual bool CanModifyCellEditor() { return true; }
  virtual bool EditorAcceptsKey(char key) { return true; }
  virtual bool GridAcceptsKey(std::uint16_t key, TShiftState shift) { return true; }
  virtual AnsiString GetEditText(int col, int row) { return {}; }
  virtual void SetEditText(int col, int row, const AnsiString& value) {}
  virtual AnsiString GetEditMask(int col, int row) { return {}; }
  virtual int GetEditLimit() { return 0; }
  virtual bool BeginColumnDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  virtual bool CheckColumnDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  virtual bool EndColumnDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  virtual bool BeginRowDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  virtual bool CheckRowDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  virtual bool EndRowDrag(int& origin, int& destination, platform::POINT mouse) { return true; }
  // Called every 60 ms while selecting or moving with the mouse beyond the grid's edge.
  virtual void TimedScroll(int directionX, int directionY);
  virtual bool DoMouseWheelDown(TShiftState shift, platform::POINT mouse);
  virtual bool DoMouseWheelUp(TShiftState shift, platform::POINT mouse);
  // Whether a count change repaints the whole grid rather than the rows and columns it adds
  // or removes.
  virtual bool FullRepaintOnSizeChange() const { return false; }

  void Paint() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;

  // The top-left-moved handling: scroll positions, then moving the screen or repainting,
  // then TopLeftChanged.
  void TopLeftMoved(TGridCoord oldTopLeft);
  void UpdateScrollPos();
  void UpdateScrollRange();
  void ScrollScreen(int dx, int dy);
  void ScrollCellIntoView(int col, int row);
  // Scrolls one axis by a scroll-bar request (SB_* code and thumb position).
  void ModifyScrollBar(int bar, int code, int position, bool useRightToLeft);
  bool Designing() const;
  bool IsActiveControl() const;
  // The grid's own font on the canvas, and the canvas mirrored on a right-to-left grid.
  void BeginMirroredPaint();
  void EndMirroredPaint();
  bool CanvasMirrored() const { return canvasMirrored_; }
  void DrawSizingLine(const TGridMetrics& metrics);
  void DrawMoveMark();

  TGridMouseState mouseState_ = TGridMouseState::idle;

 private:
  TAxisMetrics AxisFor(bool horizontal, int clientExtent) const;
  void ChangeSize(int newColumnTotal, int newRowTotal);
  void ResizeTable(std::vector<int>& table, int count, int standard);
  void InvalidateRect(const platform::RECT& rect);
  void SelectionMoved(TGridRect oldSelection);
  void ClampTopLeftToMax();
  void PaintLines(const TGridMetrics& metrics);
  void DrawLineSet(const TAxisRun& run, bool vertical, int spanStart, int spanEnd, TColor color,
                   const TAxisMetrics& axis);
  void PaintArea(const TAxisRun& cols, const TAxisRun& rows, bool fixed);
  void PaintFixedEdge(const platform::RECT& rect);
  void UpdateEditorPlacement();
  // Writes the editor's text back and hides its window, leaving EditorShown as it is.
  void HideEditorWindow();
  void LoadEditor();
  void DrawInsertionMark(bool show);
  void HandleScrollMessage(int bar, TMessage& message);
  void HandleTimer();
  void ResetSizingAndMoving();
  int PageStep(const TAxisMetrics& axis) const;
  int StepOverHidden(bool horizontal, int from, int step) const;
  void TabToNextCell(bool forward);
  bool ShowEditorWithChar(unsigned char code);
  void MovePixelOffset(int code, int position);
  void CommitSizing();
  void CommitMove(platform::POINT mouse);
  // Shows the sizing cursor over a line that a press would grab; false elsewhere.
  bool SetSizingCursor();
  void MoveTableEntry(std::vector<int>& table, int from, int to);

  int columnTotal_ = 5;
  int rowTotal_ = 5;
  int fixedColumnTotal_ = 1;
  int fixedRowTotal_ = 1;
  int lineWidth_ = 1;
  TGridBaseOptions options_ = {TGridBaseOption::gbFixedVertLine, TGridBaseOption::gbFixedHorzLine,
                               TGridBaseOption::gbVertLine, TGridBaseOption::gbHorzLine,
                               TGridBaseOption::gbRangeSelect};
  TColor fixedColor_;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  bool defaultDrawing_ = true;
  int standardColWidth_ = 64;
  int standardRowHeight_ = 24;
  // Per-item tables, empty until the first per-item assignment.
  std::vector<int> columnWidths_;
  std::vector<int> rowHeights_;
  std::vector<int> tabStops_;
  TGridCoord topLeft_{1, 1};
  TGridCoord current_{1, 1};
  TGridCoord anchor_{1, 1};
  bool editorShown_ = false;
  TInplaceEdit* editor_ = nullptr;  // owned by the grid as a component
  TGridCoord editorCell_{-1, -1};
  int pixelOffset_ = 0;
  int sizingIndex_ = 0;
  int sizingPos_ = 0;
  int sizingOffset_ = 0;
  int moveIndex_ = 0;
  int movePos_ = 0;
  bool moveMarkShown_ = false;
  bool canvasMirrored_ = false;
  bool timerRunning_ = false;
  bool inSizeChange_ = false;
};
