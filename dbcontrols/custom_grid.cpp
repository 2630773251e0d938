// The grid's state: counts, extents, the current cell, the top-left cell and scrolling.
#include "dbcontrols/custom_grid.h"

#include <algorithm>

#include "core/classes.h"
#include "core/exceptions.h"
#include "dbcontrols/inplace_edit.h"
#include "platform/muldiv.h"

using namespace platform;

namespace {

constexpr int kMaxTableCount = 134'217'725;
constexpr int kScrollRange = 127;

[[noreturn]] void IndexOutOfRange() {
  throw EInvalidGridOperation("Grid index out of range");
}

// The pixels that cells first..last-1 occupy along an axis, their lines included.
int ExtentOfCells(const TAxisMetrics& axis, int first, int last) {
  int sum = 0;
  for (int cell = first; cell < last; ++cell) sum += axis.Extent(cell) + axis.LineStep;
  return sum;
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner), fixedColor_(clBtnFace) {
  controlStyle_ = {TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csOpaque,
                   TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csClickEvents};
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(Left(), Top(), 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// --- Geometry -------------------------------------------------------------------------------

TAxisMetrics TCustomGrid::AxisFor(bool horizontal, int clientExtent) const {
  TAxisMetrics axis;
  bool lines = horizontal ? options_.Contains(TGridBaseOption::gbFixedVertLine) ||
                                options_.Contains(TGridBaseOption::gbVertLine)
                          : options_.Contains(TGridBaseOption::gbFixedHorzLine) ||
                                options_.Contains(TGridBaseOption::gbHorzLine);
  axis.LineStep = lines ? lineWidth_ : 0;
  axis.ClientExtent = clientExtent;
  axis.FixedCells = horizontal ? fixedColumnTotal_ : fixedRowTotal_;
  axis.FirstScrollCell = horizontal ? topLeft_.X : topLeft_.Y;
  axis.CellTotal = horizontal ? columnTotal_ : rowTotal_;
  if (horizontal) {
    axis.Extent = [this](int i) { return ColumnWidth(i); };
  } else {
    axis.Extent = [this](int i) { return RowHeight(i); };
  }
  ComputeAxisEdges(axis);
  return axis;
}

TGridMetrics TCustomGrid::ComputeMetrics() const {
  return ComputeMetricsFor(ClientWidth(), ClientHeight());
}

TGridMetrics TCustomGrid::ComputeMetricsFor(int width, int height) const {
  return {AxisFor(true, width), AxisFor(false, height)};
}

TGridCoord TCustomGrid::CellAtPoint(int x, int y) const {
  if (UseRightToLeftAlignment()) x = ClientWidth() - x;
  TGridMetrics metrics = ComputeMetrics();
  TGridCoord cell{CellAtCoordinate(metrics.Horz, x), CellAtCoordinate(metrics.Vert, y)};
  if (cell.X < 0 || cell.Y < 0) return {-1, -1};
  return cell;
}

namespace {

// The pixel span of cells start..end along one axis; false when nothing of it shows.
bool AxisSpan(const TAxisMetrics& axis, int start, int end, int& nearEdge, int& farEdge) {
  if (start >= axis.FixedCells && start < axis.FirstScrollCell) {
    if (end < axis.FirstScrollCell) return false;
    start = axis.FirstScrollCell;
  }
  if (start > axis.LastWholeCell + 1) return false;
  if (end > axis.LastWholeCell) {
    end = axis.LastWholeCell + 1;
    if (CellNearEdge(axis, end) < 0) end = axis.LastWholeCell;
  }
  int first = CellNearEdge(axis, start);
  int last = CellNearEdge(axis, end);
  if (first < 0 || last < 0) return false;
  nearEdge = first;
  farEdge = std::min(last + axis.Extent(end), axis.ClientExtent);
  return true;
}

}  // namespace

RECT TCustomGrid::CellsRect(TGridRect range) const {
  if (range.Left > range.Right || range.Top > range.Bottom) return {};
  TGridMetrics metrics = ComputeMetrics();
  RECT rect{};
  if (!AxisSpan(metrics.Horz, range.Left, range.Right, rect.left, rect.right) ||
      !AxisSpan(metrics.Vert, range.Top, range.Bottom, rect.top, rect.bottom)) {
    return {};
  }
  if (UseRightToLeftAlignment() && !canvasMirrored_) {
    int width = ClientWidth();
    rect = {width - rect.right, rect.top, width - rect.left, rect.bottom};
  }
  return rect;
}

int TCustomGrid::WholeVisibleColumns() const {
  return ComputeMetrics().Horz.LastWholeCell - topLeft_.X + 1;
}

int TCustomGrid::WholeVisibleRows() const {
  return ComputeMetrics().Vert.LastWholeCell - topLeft_.Y + 1;
}

TGridCoord TCustomGrid::MaxTopLeft() const {
  TGridMetrics metrics = ComputeMetrics();
  return {MaxTopLeftFor(metrics.Horz, columnTotal_ - 1), MaxTopLeftFor(metrics.Vert, rowTotal_ - 1)};
}

// --- Counts and extents ---------------------------------------------------------------------

void TCustomGrid::SetColumnTotal(int value) {
  if (value <= 0) value = 1;
  if (value == columnTotal_) return;
  if (fixedColumnTotal_ >= value) fixedColumnTotal_ = value - 1;
  ChangeSize(value, rowTotal_);
}

void TCustomGrid::SetRowTotal(int value) {
  if (value <= 0) value = 1;
  if (value == rowTotal_) return;
  if (fixedRowTotal_ >= value) fixedRowTotal_ = value - 1;
  ChangeSize(columnTotal_, value);
}

void TCustomGrid::ResizeTable(std::vector<int>& table, int count, int standard) {
  if (table.empty()) return;
  if (count < 0) throw EInvalidGridOperation("Too many rows or columns deleted");
  if (count > kMaxTableCount) throw EInvalidGridOperation("Grid too large for operation");
  table.resize(static_cast<std::size_t>(count), standard);
}

void TCustomGrid::ChangeSize(int newColumnTotal, int newRowTotal) {
  int oldColumnTotal = columnTotal_;
  int oldRowTotal = rowTotal_;
  TGridMetrics oldMetrics = ComputeMetrics();
  TGridCoord oldTopLeft = topLeft_;
  try {
    columnTotal_ = newColumnTotal;
    rowTotal_ = newRowTotal;
    ResizeTable(columnWidths_, newColumnTotal, standardColWidth_);
    ResizeTable(tabStops_, newColumnTotal, 1);
    ResizeTable(rowHeights_, newRowTotal, standardRowHeight_);
    current_.X = std::min(current_.X, columnTotal_ - 1);
    current_.Y = std::min(current_.Y, rowTotal_ - 1);
    anchor_.X = std::min(anchor_.X, columnTotal_ - 1);
    anchor_.Y = std::min(anchor_.Y, rowTotal_ - 1);
    topLeft_.X = std::clamp(topLeft_.X, fixedColumnTotal_, std::max(columnTotal_ - 1, 0));
    topLeft_.Y = std::clamp(topLeft_.Y, fixedRowTotal_, std::max(rowTotal_ - 1, 0));
    if (topLeft_ == oldTopLeft && !FullRepaintOnSizeChange() && HandleAllocated()) {
      // Only what lies from the last cell the old and the new grid share onwards can change.
      TGridMetrics metrics = ComputeMetrics();
      int fromX = std::min(oldMetrics.Horz.LastWholeCell, metrics.Horz.LastWholeCell);
      int fromY = std::min(oldMetrics.Vert.LastWholeCell, metrics.Vert.LastWholeCell);
      if (newColumnTotal != oldColumnTotal) {
        int edge = std::max(CellNearEdge(metrics.Horz, fromX), 0);
        RECT rect{edge, 0, ClientWidth(), ClientHeight()};
        if (UseRightToLeftAlignment()) rect = {0, 0, ClientWidth() - edge, ClientHeight()};
        InvalidateRect(rect);
      }
      if (newRowTotal != oldRowTotal) {
        int edge = std::max(CellNearEdge(metrics.Vert, fromY), 0);
        InvalidateRect({0, edge, ClientWidth(), ClientHeight()});
      }
    } else {
      InvalidateGrid();
    }
    UpdateScrollRange();
    SizeChanged(oldColumnTotal, oldRowTotal);
  } catch (...) {
    columnTotal_ = oldColumnTotal;
    rowTotal_ = oldRowTotal;
    ResizeTable(columnWidths_, oldColumnTotal, standardColWidth_);
    ResizeTable(tabStops_, oldColumnTotal, 1);
    ResizeTable(rowHeights_, oldRowTotal, standardRowHeight_);
    UpdateScrollRange();
    InvalidateGrid();
    throw;
  }
}

void TCustomGrid::SetFixedColumnTotal(int value) {
  if (value < 0) IndexOutOfRange();
  if (value >= columnTotal_) {
    throw EInvalidGridOperation("Fixed column count must be less than column count");
  }
  fixedColumnTotal_ = value;
  topLeft_ = {fixedColumnTotal_, fixedRowTotal_};
  current_ = topLeft_;
  anchor_ = current_;
  InvalidateGrid();
  UpdateScrollRange();
}

void TCustomGrid::SetFixedRowTotal(int value) {
  if (value < 0) IndexOutOfRange();
  if (value >= rowTotal_) throw EInvalidGridOperation("Fixed row count must be less than row count");
  fixedRowTotal_ = value;
  topLeft_ = {fixedColumnTotal_, fixedRowTotal_};
  current_ = topLeft_;
  anchor_ = current_;
  InvalidateGrid();
  UpdateScrollRange();
}

void TCustomGrid::SetLineWidth(int value) {
  if (value == lineWidth_) return;
  lineWidth_ = std::max(value, 0);
  InvalidateGrid();
  UpdateScrollRange();
}

void TCustomGrid::SetBaseOptions(TGridBaseOptions value) {
  if (value.Contains(TGridBaseOption::gbRowSelect)) value.Exclude(TGridBaseOption::gbAlwaysShowEditor);
  if (value == options_) return;
  options_ = value;
  if (!options_.Contains(TGridBaseOption::gbEditing)) HideCellEditor();
  if (options_.Contains(TGridBaseOption::gbAlwaysShowEditor)) editorShown_ = true;
  InvalidateGrid();
  UpdateScrollRange();
  RefreshCellEditor();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (value == fixedColor_) return;
  fixedColor_ = value;
  InvalidateGrid();
}

void TCustomGrid::SetScrollBarStyle(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetStandardColWidth(int value) {
  columnWidths_.clear();
  standardColWidth_ = value;
  ColumnWidthsChanged();
  InvalidateGrid();
}

void TCustomGrid::SetStandardRowHeight(int value) {
  rowHeights_.clear();
  standardRowHeight_ = value;
  RowHeightsChanged();
  InvalidateGrid();
}

int TCustomGrid::ColumnWidth(int index) const {
  if (columnWidths_.empty() || index < 0 || index >= static_cast<int>(columnWidths_.size())) {
    return standardColWidth_;
  }
  return columnWidths_[static_cast<std::size_t>(index)];
}

int TCustomGrid::RowHeight(int index) const {
  if (rowHeights_.empty() || index < 0 || index >= static_cast<int>(rowHeights_.size())) {
    return standardRowHeight_;
  }
  return rowHeights_[static_cast<std::size_t>(index)];
}

bool TCustomGrid::TabStopAt(int index) const {
  if (tabStops_.empty() || index < 0 || index >= static_cast<int>(tabStops_.size())) return true;
  return tabStops_[static_cast<std::size_t>(index)] != 0;
}

void TCustomGrid::AssignColumnWidth(int index, int width) {
  if (index < 0 || index >= columnTotal_) IndexOutOfRange();
  if (columnWidths_.empty()) columnWidths_.assign(static_cast<std::size_t>(columnTotal_), standardColWidth_);
  int& slot = columnWidths_[static_cast<std::size_t>(index)];
  if (slot == width) return;
  InvalidateGrid();
  slot = width;
  ColumnWidthsChanged();
}

void TCustomGrid::AssignRowHeight(int index, int height) {
  if (index < 0 || index >= rowTotal_) IndexOutOfRange();
  if (rowHeights_.empty()) rowHeights_.assign(static_cast<std::size_t>(rowTotal_), standardRowHeight_);
  int& slot = rowHeights_[static_cast<std::size_t>(index)];
  if (slot == height) return;
  InvalidateGrid();
  slot = height;
  RowHeightsChanged();
}

void TCustomGrid::AssignTabStop(int index, bool value) {
  if (index < 0 || index >= columnTotal_) IndexOutOfRange();
  if (tabStops_.empty()) tabStops_.assign(static_cast<std::size_t>(columnTotal_), 1);
  tabStops_[static_cast<std::size_t>(index)] = value ? 1 : 0;
}

void TCustomGrid::ColumnWidthsChanged() {
  UpdateScrollRange();
  UpdateEditorPlacement();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  UpdateEditorPlacement();
}

void TCustomGrid::MoveTableEntry(std::vector<int>& table, int from, int to) {
  if (table.empty()) return;
  int value = table[static_cast<std::size_t>(from)];
  table.erase(table.begin() + from);
  table.insert(table.begin() + to, value);
}

namespace {

// Where an index lands when the item at from moves to to.
int Shifted(int index, int from, int to) {
  if (index == from) return to;
  if (from < to && index > from && index <= to) return index - 1;
  if (from > to && index >= to && index < from) return index + 1;
  return index;
}

}  // namespace

void TCustomGrid::MoveColumnTo(int from, int to) {
  if (from < 0 || from >= columnTotal_ || to < 0 || to >= columnTotal_) IndexOutOfRange();
  if (from == to) return;
  MoveTableEntry(columnWidths_, from, to);
  MoveTableEntry(tabStops_, from, to);
  current_.X = Shifted(current_.X, from, to);
  anchor_.X = Shifted(anchor_.X, from, to);
  if (editorCell_.X >= 0) editorCell_.X = Shifted(editorCell_.X, from, to);
  InvalidateRange({std::min(from, to), 0, std::max(from, to), rowTotal_ - 1});
  ColumnMoved(from, to);
  ColumnWidthsChanged();
}

void TCustomGrid::MoveRowTo(int from, int to) {
  if (from < 0 || from >= rowTotal_ || to < 0 || to >= rowTotal_) IndexOutOfRange();
  if (from == to) return;
  MoveTableEntry(rowHeights_, from, to);
  current_.Y = Shifted(current_.Y, from, to);
  anchor_.Y = Shifted(anchor_.Y, from, to);
  if (editorCell_.Y >= 0) editorCell_.Y = Shifted(editorCell_.Y, from, to);
  InvalidateRange({0, std::min(from, to), columnTotal_ - 1, std::max(from, to)});
  RowMoved(from, to);
  RowHeightsChanged();
}

void TCustomGrid::RemoveColumn(int index) {
  MoveColumnTo(index, columnTotal_ - 1);
  SetColumnTotal(columnTotal_ - 1);
}

void TCustomGrid::RemoveRow(int index) {
  MoveRowTo(index, rowTotal_ - 1);
  SetRowTotal(rowTotal_ - 1);
}

// --- The current cell and the top-left cell -------------------------------------------------

TGridRect TCustomGrid::Selection() const {
  return {std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y),
          std::max(current_.X, anchor_.X), std::max(current_.Y, anchor_.Y)};
}

void TCustomGrid::SetCurrentCell(int col, int row, bool scrollIntoView, bool moveAnchor) {
  if (col < 0 || col >= columnTotal_ || row < 0 || row >= rowTotal_) IndexOutOfRange();
  if (!CanSelectCell(col, row)) return;
  TGridRect oldSelection = Selection();
  TGridCoord oldCurrent = current_;
  current_ = {col, row};
  if (!options_.Contains(TGridBaseOption::gbAlwaysShowEditor)) HideEditorWindow();
  if (moveAnchor || !options_.Contains(TGridBaseOption::gbRangeSelect)) {
    anchor_ = current_;
    if (options_.Contains(TGridBaseOption::gbRowSelect)) anchor_.X = columnTotal_ - 1;
  }
  if (options_.Contains(TGridBaseOption::gbRowSelect)) current_.X = fixedColumnTotal_;
  if (scrollIntoView) ScrollCellIntoView(col, row);
  InvalidateRange(oldSelection);
  InvalidateRange(Selection());
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::MoveToColumn(int col) {
  SetCurrentCell(col, current_.Y, true, true);
  RefreshCellEditor();
  Click();
}

void TCustomGrid::MoveToRow(int row) {
  SetCurrentCell(current_.X, row, true, true);
  RefreshCellEditor();
  Click();
}

void TCustomGrid::ScrollCellIntoView(int col, int row) {
  if (!HandleAllocated()) return;
  TGridMetrics metrics = ComputeMetrics();
  bool colShown = col < fixedColumnTotal_ ||
                  (col >= topLeft_.X && col <= metrics.Horz.LastWholeCell);
  bool rowShown = row < fixedRowTotal_ || (row >= topLeft_.Y && row <= metrics.Vert.LastWholeCell);
  if (colShown && rowShown) return;
  TGridCoord oldTopLeft = topLeft_;
  if (col >= fixedColumnTotal_) {
    if (col < topLeft_.X) {
      topLeft_.X = col;
    } else if (col > metrics.Horz.LastWholeCell) {
      topLeft_.X = MaxTopLeftFor(metrics.Horz, col);
    }
  }
  if (row >= fixedRowTotal_) {
    if (row < topLeft_.Y) {
      topLeft_.Y = row;
    } else if (row > metrics.Vert.LastWholeCell) {
      topLeft_.Y = MaxTopLeftFor(metrics.Vert, row);
    }
  }
  if (topLeft_ != oldTopLeft) TopLeftMoved(oldTopLeft);
}

void TCustomGrid::SetTopLeft(int col, int row) {
  TGridCoord target{col, row};
  if (target == topLeft_) return;
  if (HandleAllocated()) Update();
  TGridCoord oldTopLeft = topLeft_;
  topLeft_ = target;
  TopLeftMoved(oldTopLeft);
}

void TCustomGrid::TopLeftMoved(TGridCoord oldTopLeft) {
  UpdateScrollPos();
  if (HandleAllocated()) {
    TGridMetrics metrics = ComputeMetrics();
    auto distance = [](const TAxisMetrics& axis, int from, int to) {
      return to >= from ? -ExtentOfCells(axis, from, to) : ExtentOfCells(axis, to, from);
    };
    int dx = distance(metrics.Horz, oldTopLeft.X, topLeft_.X);
    int dy = distance(metrics.Vert, oldTopLeft.Y, topLeft_.Y);
    if (std::abs(dx) > metrics.Horz.CellsEdge - metrics.Horz.FixedEdge ||
        std::abs(dy) > metrics.Vert.CellsEdge - metrics.Vert.FixedEdge) {
      InvalidateGrid();
    } else {
      ScrollScreen(dx, dy);
    }
  }
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  UpdateEditorPlacement();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::ScrollScreen(int dx, int dy) {
  if (!HandleAllocated() || (dx == 0 && dy == 0)) return;
  TGridMetrics metrics = ComputeMetrics();
  int width = ClientWidth();
  int height = ClientHeight();
  bool mirrored = UseRightToLeftAlignment();
  UINT flags = SW_INVALIDATE | (defaultDrawing_ ? 0 : SW_ERASE);
  auto columnsBand = [&](int top, int bottom) {
    RECT band{metrics.Horz.FixedEdge, top, metrics.Horz.CellsEdge, bottom};
    if (mirrored) band = {width - metrics.Horz.CellsEdge, top, width - metrics.Horz.FixedEdge, bottom};
    return band;
  };
  int hdx = mirrored ? -dx : dx;
  if (dy == 0) {
    RECT band = columnsBand(0, height);
    ScrollWindowEx(Handle(), hdx, 0, &band, &band, nullptr, flags);
  } else if (dx == 0) {
    RECT band{0, metrics.Vert.FixedEdge, width, metrics.Vert.CellsEdge};
    ScrollWindowEx(Handle(), 0, dy, &band, &band, nullptr, flags);
  } else {
    RECT titles = columnsBand(0, metrics.Vert.FixedEdge);
    ScrollWindowEx(Handle(), hdx, 0, &titles, &titles, nullptr, flags);
    RECT fixedColumns{0, metrics.Vert.FixedEdge, metrics.Horz.FixedEdge, metrics.Vert.CellsEdge};
    if (mirrored) fixedColumns = {width - metrics.Horz.FixedEdge, metrics.Vert.FixedEdge, width, metrics.Vert.CellsEdge};
    ScrollWindowEx(Handle(), 0, dy, &fixedColumns, &fixedColumns, nullptr, flags);
    RECT cells = columnsBand(metrics.Vert.FixedEdge, metrics.Vert.CellsEdge);
    ScrollWindowEx(Handle(), hdx, dy, &cells, &cells, nullptr, flags);
  }
  if (options_.Contains(TGridBaseOption::gbRowSelect)) InvalidateRange(Selection());
}

// --- Scroll bars ----------------------------------------------------------------------------

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated()) return;
  bool mirrored = UseRightToLeftAlignment();
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
    int position = 0;
    if (columnTotal_ == 1) {
      int range = std::max(ColumnWidth(0) - ClientWidth(), 0);
      position = mirrored ? range - pixelOffset_ : pixelOffset_;
    } else {
      int maxLeft = MaxTopLeft().X;
      if (maxLeft > fixedColumnTotal_) {
        position = MulDiv(topLeft_.X - fixedColumnTotal_, kScrollRange, maxLeft - fixedColumnTotal_);
        if (mirrored) position = kScrollRange - position;
      }
    }
    if (GetScrollPos(Handle(), SB_HORZ) != position) SetScrollPos(Handle(), SB_HORZ, position, TRUE);
  }
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) {
    int position = 0;
    int maxTop = MaxTopLeft().Y;
    if (maxTop > fixedRowTotal_) {
      position = MulDiv(topLeft_.Y - fixedRowTotal_, kScrollRange, maxTop - fixedRowTotal_);
    }
    if (GetScrollPos(Handle(), SB_VERT) != position) SetScrollPos(Handle(), SB_VERT, position, TRUE);
  }
}

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || inSizeChange_) return;
  inSizeChange_ = true;
  bool horizontal = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  bool vertical = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  auto horizontalRangeFor = [&](int width) {
    if (columnTotal_ == 1) return std::max(ColumnWidth(0) - width, 0);
    TAxisMetrics axis = AxisFor(true, width);
    return MaxTopLeftFor(axis, columnTotal_ - 1) > fixedColumnTotal_ ? kScrollRange : 0;
  };
  auto setRange = [&](int bar, int range) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar, &info);
    if (info.nMax != range || info.nMin != 0) SetScrollRange(Handle(), bar, 0, range, TRUE);
  };
  TGridCoord oldTopLeft = topLeft_;
  if (horizontal) {
    // The width the client would have without a vertical bar decides the horizontal range.
    int width = ClientWidth();
    if (GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_VSCROLL) width += GetSystemMetrics(SM_CXVSCROLL);
    setRange(SB_HORZ, horizontalRangeFor(width));
  }
  int widthBefore = ClientWidth();
  if (vertical) {
    TAxisMetrics axis = AxisFor(false, ClientHeight());
    setRange(SB_VERT, MaxTopLeftFor(axis, rowTotal_ - 1) > fixedRowTotal_ ? kScrollRange : 0);
  }
  if (horizontal && ClientWidth() != widthBefore) setRange(SB_HORZ, horizontalRangeFor(ClientWidth()));
  if (columnTotal_ == 1) pixelOffset_ = std::clamp(pixelOffset_, 0, std::max(ColumnWidth(0) - ClientWidth(), 0));
  TGridCoord maxTopLeft = MaxTopLeft();
  if (topLeft_.X > maxTopLeft.X || topLeft_.Y > maxTopLeft.Y) {
    Update();
    topLeft_.X = std::max(std::min(topLeft_.X, maxTopLeft.X), fixedColumnTotal_);
    topLeft_.Y = std::max(std::min(topLeft_.Y, maxTopLeft.Y), fixedRowTotal_);
  }
  inSizeChange_ = false;
  UpdateScrollPos();
  if (topLeft_ != oldTopLeft) TopLeftMoved(oldTopLeft);
}

// --- Invalidation ---------------------------------------------------------------------------

void TCustomGrid::InvalidateRect(const RECT& rect) {
  if (!HandleAllocated() || rect.left >= rect.right || rect.top >= rect.bottom) return;
  platform::InvalidateRect(Handle(), &rect, FALSE);
}

void TCustomGrid::InvalidateCell(int col, int row) { InvalidateRange({col, row, col, row}); }

void TCustomGrid::InvalidateColumn(int col) { InvalidateRange({col, 0, col, rowTotal_ - 1}); }

void TCustomGrid::InvalidateRow(int row) { InvalidateRange({0, row, columnTotal_ - 1, row}); }

void TCustomGrid::InvalidateRange(TGridRect range) {
  if (!HandleAllocated()) return;
  InvalidateRect(CellsRect(range));
}

void TCustomGrid::InvalidateGrid() { Invalidate(); }

bool TCustomGrid::Designing() const {
  return ComponentState().Contains(TComponentStateFlag::csDesigning);
}

namespace {

[[maybe_unused]] const auto kTCustomGrid =
    RegisterClass<TCustomGrid, TCustomControl>("TCustomGrid")
        .Property("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor)
        .Property("Ctl3D", &TCustomGrid::Ctl3D, &TCustomGrid::SetCtl3D)
        .Property("ParentCtl3D", &TCustomGrid::ParentCtl3D, &TCustomGrid::SetParentCtl3D)
        .Enum("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle, kBorderStyleNames);

}  // namespace
