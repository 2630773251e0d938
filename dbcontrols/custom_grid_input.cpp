// Grid input: keys, the mouse with sizing and moving, the wheel, scroll bars, focus and the window.
#include <algorithm>
#include "controls/form.h"
#include "core/exceptions.h"
#include "dbcontrols/custom_grid.h"
#include "dbcontrols/inplace_edit.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/pens_brushes.h"
#include "platform/rop2.h"
#include "platform/bitblt.h"
#include "platform/muldiv.h"

using namespace platform;

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollTimerMs = 60;
constexpr int kGrabZone = 7;
constexpr int kScrollRange = 127;
constexpr int kF2 = VK_F1 + 1;

bool Has(TShiftState shift, TShiftStateFlag flag) { return shift.Contains(flag); }

}  // namespace

bool TCustomGrid::IsActiveControl() const {
  TCustomForm* form = GetParentForm(this);
  if (form) return form->ActiveControl() == this;
  return HandleAllocated() && GetFocus() == handle_;
}

void TCustomGrid::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_TABSTOP;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) {
    params.Style |= WS_VSCROLL;
  }
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
    params.Style |= WS_HSCROLL;
  }
  params.WindowClass.style |= CS_DBLCLKS;
  if (borderStyle_ == TBorderStyle::bsSingle) {
    if (ctl3D_) {
      params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      params.Style |= WS_BORDER;
    }
  }
  if (UseRightToLeftScrollBar()) params.ExStyle |= WS_EX_LEFTSCROLLBAR;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::Resize() {
  UpdateScrollRange();
  if (UseRightToLeftAlignment()) InvalidateGrid();
  TCustomControl::Resize();
}

// --- Keys -----------------------------------------------------------------------------------

int TCustomGrid::PageStep(const TAxisMetrics& axis) const {
  return std::max(axis.LastWholeCell - axis.FirstScrollCell, 1);
}

// The first cell from `from` in the direction of step whose extent is not zero, or `from`
// when there is none before the end.
int TCustomGrid::StepOverHidden(bool horizontal, int from, int step) const {
  int total = horizontal ? columnTotal_ : rowTotal_;
  int fixed = horizontal ? fixedColumnTotal_ : fixedRowTotal_;
  int cell = from + step;
  while (cell >= fixed && cell < total) {
    if ((horizontal ? ColumnWidth(cell) : RowHeight(cell)) > 0) return cell;
    cell += step > 0 ? 1 : -1;
  }
  return from;
}

void TCustomGrid::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  if (!GridAcceptsKey(key, shift)) {
    key = 0;
    return;
  }
  bool mirrored = UseRightToLeftAlignment();
  if (mirrored && key == VK_LEFT) {
    key = VK_RIGHT;
  } else if (mirrored && key == VK_RIGHT) {
    key = VK_LEFT;
  }
  bool ctrl = Has(shift, TShiftStateFlag::ssCtrl);
  bool rowSelect = options_.Contains(TGridBaseOption::gbRowSelect);
  TGridMetrics metrics = ComputeMetrics();
  TGridCoord cell = current_;
  TGridCoord top = topLeft_;
  int pageRows = PageStep(metrics.Vert);
  int pageCols = PageStep(metrics.Horz);
  switch (key) {
    case VK_UP:
      if (ctrl) {
        top.Y = StepOverHidden(false, top.Y, -1);
      } else {
        cell.Y = StepOverHidden(false, cell.Y, -1);
      }
      break;
    case VK_DOWN:
      if (ctrl) {
        top.Y = StepOverHidden(false, top.Y, 1);
      } else {
        cell.Y = StepOverHidden(false, cell.Y, 1);
      }
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      int direction = key == VK_LEFT ? -1 : 1;
      if (ctrl) {
        if (!rowSelect) {
          cell.X += direction * pageCols;
          top.X += direction * pageCols;
        }
      } else if (rowSelect) {
        cell.Y = StepOverHidden(false, cell.Y, direction);
      } else {
        cell.X = StepOverHidden(true, cell.X, direction);
      }
      break;
    }
    case VK_PRIOR:
      if (ctrl) {
        cell.Y = topLeft_.Y;
      } else {
        cell.Y -= pageRows;
        top.Y -= pageRows;
      }
      break;
    case VK_NEXT:
      if (ctrl) {
        cell.Y = metrics.Vert.LastWholeCell;
      } else {
        cell.Y += pageRows;
        top.Y += pageRows;
      }
      break;
    case VK_HOME:
      if (ctrl) {
        cell = {fixedColumnTotal_, fixedRowTotal_};
        if (mirrored) InvalidateGrid();
      } else if (rowSelect) {
        cell.Y = fixedRowTotal_;
      } else {
        cell.X = fixedColumnTotal_;
      }
      break;
    case VK_END:
      if (ctrl) {
        cell = {columnTotal_ - 1, rowTotal_ - 1};
        if (mirrored) InvalidateGrid();
      } else if (rowSelect) {
        cell.Y = rowTotal_ - 1;
      } else {
        cell.X = columnTotal_ - 1;
      }
      break;
    case VK_TAB:
      if (!Has(shift, TShiftStateFlag::ssAlt)) TabToNextCell(!Has(shift, TShiftStateFlag::ssShift));
      return;
    case kF2:
      SetEditorMode(true);
      return;
    default:
      return;
  }
  TGridCoord maxTopLeft = MaxTopLeft();
  top.X = std::clamp(top.X, fixedColumnTotal_, std::max(maxTopLeft.X, fixedColumnTotal_));
  top.Y = std::clamp(top.Y, fixedRowTotal_, std::max(maxTopLeft.Y, fixedRowTotal_));
  cell.X = std::clamp(cell.X, fixedColumnTotal_, columnTotal_ - 1);
  cell.Y = std::clamp(cell.Y, fixedRowTotal_, rowTotal_ - 1);
  SetTopLeft(top.X, top.Y);
  if (cell != current_) {
    SetCurrentCell(cell.X, cell.Y, true, !Has(shift, TShiftStateFlag::ssShift));
    RefreshCellEditor();
    Click();
  }
}

void TCustomGrid::TabToNextCell(bool forward) {
  TGridCoord cell = current_;
  int step = forward ? 1 : -1;
  do {
    cell.X += step;
    if (cell.X >= columnTotal_) {
      cell.X = fixedColumnTotal_;
      cell.Y = cell.Y + 1 >= rowTotal_ ? fixedRowTotal_ : cell.Y + 1;
    } else if (cell.X < fixedColumnTotal_) {
      cell.X = columnTotal_ - 1;
      cell.Y = cell.Y - 1 < fixedRowTotal_ ? rowTotal_ - 1 : cell.Y - 1;
    }
    if (cell.X == current_.X) return;
  } while (!TabStopAt(cell.X) || ColumnWidth(cell.X) <= 0);
  SetCurrentCell(cell.X, cell.Y, true, true);
  RefreshCellEditor();
  Click();
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (static_cast<unsigned char>(key) == VK_RETURN &&
      !options_.Contains(TGridBaseOption::gbAlwaysShowEditor)) {
    SetEditorMode(!editorShown_);
    key = 0;
  }
}

// A character typed on the grid while it may edit opens the editor and goes into it.
bool TCustomGrid::ShowEditorWithChar(unsigned char code) {
  if (!options_.Contains(TGridBaseOption::gbEditing) || (code != VK_BACK && code < 32)) return false;
  ShowCellEditor();
  if (editor_ && editor_->Visible()) SendMessageA(editor_->Handle(), WM_CHAR, code, 0);
  return true;
}

// --- Mouse ----------------------------------------------------------------------------------

TGridMouseState TCustomGrid::ComputeSizingState(int x, int y, int& index, int& sizingPos,
                                                int& sizingOffset) const {
  TGridBaseOptions options = options_;
  TGridMetrics metrics = ComputeMetrics();
  if (UseRightToLeftAlignment()) x = ClientWidth() - x;
  auto grab = [&](const TAxisMetrics& axis, int at) -> int {
    // The line after a cell is grabbed within a zone around it; a cell cut off by the
    // client's far edge is grabbed at that edge.
    int low = lineWidth_ <= 6 ? (kGrabZone - lineWidth_) / 2 : 0;
    int high = lineWidth_ <= 6 ? kGrabZone - low : lineWidth_;
    TAxisRun runs[] = {FixedCellsRun(axis), ScrollCellsRun(axis)};
    for (const TAxisRun& run : runs) {
      for (std::size_t i = 0; i < run.cells.size(); ++i) {
        int farEdge = run.edges[i] + axis.Extent(run.cells[i]);
        if (at >= farEdge - low && at < farEdge + high) {
          index = run.cells[i];
          sizingPos = farEdge;
          sizingOffset = farEdge - at;
          return index;
        }
        if (farEdge > axis.ClientExtent && at >= axis.ClientExtent - low && at <= axis.ClientExtent) {
          index = run.cells[i];
          sizingPos = axis.ClientExtent;
          sizingOffset = axis.ClientExtent - at;
          return index;
        }
      }
    }
    return -1;
  };
  if (options.Contains(TGridBaseOption::gbColSizing) && y < metrics.Vert.FixedEdge) {
    if (grab(metrics.Horz, x) >= 0) return TGridMouseState::columnSizing;
  }
  if (options.Contains(TGridBaseOption::gbRowSizing) && x < metrics.Horz.FixedEdge) {
    if (grab(metrics.Vert, y) >= 0) return TGridMouseState::rowSizing;
  }
  return TGridMouseState::idle;
}

bool TCustomGrid::SetSizingCursor() {
  if (mouseState_ != TGridMouseState::idle || Designing()) return false;
  POINT pt;
  GetCursorPos(&pt);
  pt = ScreenToClient(pt);
  int index = 0;
  int pos = 0;
  int offset = 0;
  TGridMouseState state = ComputeSizingState(pt.x, pt.y, index, pos, offset);
  if (state == TGridMouseState::idle) return false;
  // The split cursors are the system's sizing arrows here.
  platform::SetCursor(CursorHandle(state == TGridMouseState::columnSizing ? crSizeWE : crSizeNS));
  return true;
}

void TCustomGrid::DrawSizingLine(const TGridMetrics& metrics) {
  HDC dc = GetDC(Handle());
  HPEN pen = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc, pen);
  int previous = SetROP2(dc, R2_XORPEN);
  if (mouseState_ == TGridMouseState::columnSizing) {
    int x = sizingPos_;
    if (UseRightToLeftAlignment()) x = ClientWidth() - x;
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, metrics.Vert.CellsEdge);
  } else {
    MoveToEx(dc, 0, sizingPos_, nullptr);
    LineTo(dc, metrics.Horz.CellsEdge, sizingPos_);
  }
  SetROP2(dc, previous);
  SelectObject(dc, old);
  DeleteObject(pen);
  ReleaseDC(Handle(), dc);
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  HideCellEditor();
  if (!Designing()) {
    TCustomForm* form = GetParentForm(this);
    if (IsFocusable() || !form) {
      if (!Focused()) TakeFocus();
      if (form && form->ActiveControl() != this) {
        TCustomControl::MouseDown(button, shift, x, y);
        return;
      }
    }
  }
  if (button == TMouseButton::mbLeft && Has(shift, TShiftStateFlag::ssDouble)) {
    DblClick();
  } else if (button == TMouseButton::mbLeft) {
    mouseState_ = ComputeSizingState(x, y, sizingIndex_, sizingPos_, sizingOffset_);
    if (mouseState_ != TGridMouseState::idle) {
      DrawSizingLine(ComputeMetrics());
    } else {
      TGridCoord cell = CellAtPoint(x, y);
      if (cell.X >= 0) {
        bool fixedCol = cell.X < fixedColumnTotal_;
        bool fixedRow = cell.Y < fixedRowTotal_;
        if (fixedCol || fixedRow) {
          POINT mouse{x, y};
          if (options_.Contains(TGridBaseOption::gbRowMoving) && fixedCol && !fixedRow) {
            moveIndex_ = movePos_ = cell.Y;
            if (BeginRowDrag(moveIndex_, movePos_, mouse)) mouseState_ = TGridMouseState::rowMoving;
          } else if (options_.Contains(TGridBaseOption::gbColMoving) && fixedRow && !fixedCol) {
            moveIndex_ = movePos_ = cell.X;
            if (BeginColumnDrag(moveIndex_, movePos_, mouse)) mouseState_ = TGridMouseState::columnMoving;
          }
          if (mouseState_ != TGridMouseState::idle) {
            DrawInsertionMark(true);
            SetTimer(Handle(), kScrollTimer, kScrollTimerMs, nullptr);
            timerRunning_ = true;
          }
        } else if (options_.Contains(TGridBaseOption::gbEditing)) {
          if (cell == current_) {
            ShowCellEditor();
            if (editor_) editor_->ShownByClick(GetMessageTime());
          } else {
            SetCurrentCell(cell.X, cell.Y, true, true);
            RefreshCellEditor();
          }
          Click();
        } else {
          mouseState_ = TGridMouseState::selecting;
          SetTimer(Handle(), kScrollTimer, kScrollTimerMs, nullptr);
          timerRunning_ = true;
          bool extend = Has(shift, TShiftStateFlag::ssShift);
          SetCurrentCell(cell.X, cell.Y, true, !extend);
          Click();
        }
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
  switch (mouseState_) {
    case TGridMouseState::selecting: {
      TGridCoord cell = CellAtPoint(x, y);
      if (cell.X >= fixedColumnTotal_ && cell.Y >= fixedRowTotal_ && cell != current_) {
        SetCurrentCell(cell.X, cell.Y, true, !options_.Contains(TGridBaseOption::gbRangeSelect));
      }
      break;
    }
    case TGridMouseState::columnSizing:
    case TGridMouseState::rowSizing: {
      TGridMetrics metrics = ComputeMetrics();
      DrawSizingLine(metrics);
      int at = mouseState_ == TGridMouseState::columnSizing
                   ? (UseRightToLeftAlignment() ? ClientWidth() - x : x)
                   : y;
      sizingPos_ = at + sizingOffset_;
      DrawSizingLine(metrics);
      break;
    }
    case TGridMouseState::columnMoving:
    case TGridMouseState::rowMoving: {
      TGridCoord cell = CellAtPoint(x, y);
      int target = mouseState_ == TGridMouseState::columnMoving ? cell.X : cell.Y;
      int fixed = mouseState_ == TGridMouseState::columnMoving ? fixedColumnTotal_ : fixedRowTotal_;
      POINT mouse{x, y};
      if (target >= fixed && target != movePos_) {
        int candidate = target;
        bool allowed = mouseState_ == TGridMouseState::columnMoving
                           ? CheckColumnDrag(moveIndex_, candidate, mouse)
                           : CheckRowDrag(moveIndex_, candidate, mouse);
        if (allowed) {
          DrawInsertionMark(false);
          movePos_ = candidate;
          DrawInsertionMark(true);
        }
      }
      break;
    }
    case TGridMouseState::idle:
      break;
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  switch (mouseState_) {
    case TGridMouseState::columnSizing:
    case TGridMouseState::rowSizing:
      DrawSizingLine(ComputeMetrics());
      CommitSizing();
      break;
    case TGridMouseState::columnMoving:
    case TGridMouseState::rowMoving:
      DrawInsertionMark(false);
      CommitMove(POINT{x, y});
      break;
    case TGridMouseState::selecting:
    case TGridMouseState::idle:
      break;
  }
  ResetSizingAndMoving();
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::CommitSizing() {
  TGridMetrics metrics = ComputeMetrics();
  bool columns = mouseState_ == TGridMouseState::columnSizing;
  const TAxisMetrics& axis = columns ? metrics.Horz : metrics.Vert;
  int nearEdge = CellNearEdge(axis, sizingIndex_);
  if (nearEdge < 0) return;
  int extent = sizingPos_ - nearEdge;
  if (extent <= 1) return;
  if (columns) {
    AssignColumnWidth(sizingIndex_, extent);
  } else {
    AssignRowHeight(sizingIndex_, extent);
  }
}

void TCustomGrid::CommitMove(POINT mouse) {
  int from = moveIndex_;
  int to = movePos_;
  if (mouseState_ == TGridMouseState::columnMoving) {
    if (EndColumnDrag(from, to, mouse) && from != to) MoveColumnTo(from, to);
  } else if (EndRowDrag(from, to, mouse) && from != to) {
    MoveRowTo(from, to);
  }
}

void TCustomGrid::ResetSizingAndMoving() {
  mouseState_ = TGridMouseState::idle;
  if (timerRunning_ && HandleAllocated()) KillTimer(Handle(), kScrollTimer);
  timerRunning_ = false;
}

// The insertion mark of a row or column being moved: a two-pixel XOR bar at the near edge
// of the target, drawn once to show it and again to hide it.
void TCustomGrid::DrawInsertionMark(bool show) {
  if (show == moveMarkShown_ || !HandleAllocated()) return;
  moveMarkShown_ = show;
  RECT cell = mouseState_ == TGridMouseState::columnMoving ? CellsRect({movePos_, 0, movePos_, 0})
                                                           : CellsRect({0, movePos_, 0, movePos_});
  HDC dc = GetDC(Handle());
  RECT bar = mouseState_ == TGridMouseState::columnMoving
                 ? RECT{cell.left, 0, cell.left + 2, ComputeMetrics().Vert.CellsEdge}
                 : RECT{0, cell.top, ComputeMetrics().Horz.CellsEdge, cell.top + 2};
  PatBlt(dc, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, DSTINVERT);
  ReleaseDC(Handle(), dc);
}

void TCustomGrid::HandleTimer() {
  if (mouseState_ != TGridMouseState::selecting && mouseState_ != TGridMouseState::rowMoving &&
      mouseState_ != TGridMouseState::columnMoving) {
    return;
  }
  POINT pt;
  GetCursorPos(&pt);
  pt = ScreenToClient(pt);
  TGridMetrics metrics = ComputeMetrics();
  int x = UseRightToLeftAlignment() ? ClientWidth() - pt.x : pt.x;
  int dx = x < metrics.Horz.FixedEdge ? -1 : x >= metrics.Horz.CellsEdge ? 1 : 0;
  int dy = pt.y < metrics.Vert.FixedEdge ? -1 : pt.y >= metrics.Vert.CellsEdge ? 1 : 0;
  if (dx != 0 || dy != 0) TimedScroll(dx, dy);
}

void TCustomGrid::TimedScroll(int directionX, int directionY) {
  TGridCoord maxTopLeft = MaxTopLeft();
  TGridCoord top = topLeft_;
  if (directionX < 0 && top.X > fixedColumnTotal_) --top.X;
  if (directionX > 0 && top.X < maxTopLeft.X) ++top.X;
  if (directionY < 0 && top.Y > fixedRowTotal_) --top.Y;
  if (directionY > 0 && top.Y < maxTopLeft.Y) ++top.Y;
  if (top == topLeft_) return;
  DrawInsertionMark(false);
  SetTopLeft(top.X, top.Y);
  if (mouseState_ == TGridMouseState::selecting) {
    TGridMetrics metrics = ComputeMetrics();
    TGridCoord cell = current_;
    if (directionX < 0) cell.X = topLeft_.X;
    if (directionX > 0) cell.X = metrics.Horz.LastWholeCell;
    if (directionY < 0) cell.Y = topLeft_.Y;
    if (directionY > 0) cell.Y = metrics.Vert.LastWholeCell;
    SetCurrentCell(cell.X, cell.Y, false, !options_.Contains(TGridBaseOption::gbRangeSelect));
  }
  DrawInsertionMark(true);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState shift, POINT mouse) {
  if (current_.Y < rowTotal_ - 1) MoveToRow(current_.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState shift, POINT mouse) {
  if (current_.Y > fixedRowTotal_) MoveToRow(current_.Y - 1);
  return true;
}

// --- Scroll bars ----------------------------------------------------------------------------

void TCustomGrid::MovePixelOffset(int code, int position) {
  int range = std::max(ColumnWidth(0) - ClientWidth(), 0);
  bool mirrored = UseRightToLeftAlignment();
  int line = Canvas()->TextWidth("0");
  int page = ClientWidth() - ComputeMetrics().Horz.FixedEdge;
  int offset = pixelOffset_;
  switch (code) {
    case SB_LINEUP: offset -= mirrored ? -line : line; break;
    case SB_LINEDOWN: offset += mirrored ? -line : line; break;
    case SB_PAGEUP: offset -= mirrored ? -page : page; break;
    case SB_PAGEDOWN: offset += mirrored ? -page : page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: offset = mirrored ? range - position : position; break;
    case SB_TOP: offset = 0; break;
    case SB_BOTTOM: offset = range; break;
    default: return;
  }
  offset = std::clamp(offset, 0, range);
  if (offset == pixelOffset_) return;
  int delta = pixelOffset_ - offset;
  pixelOffset_ = offset;
  ScrollWindowEx(Handle(), mirrored ? -delta : delta, 0, nullptr, nullptr, nullptr, SW_INVALIDATE);
  InvalidateRange({0, 0, columnTotal_ - 1, fixedRowTotal_ - 1});
  UpdateScrollPos();
}

void TCustomGrid::ModifyScrollBar(int bar, int code, int position, bool useRightToLeft) {
  bool horizontal = bar == SB_HORZ;
  if (horizontal && columnTotal_ == 1) {
    MovePixelOffset(code, position);
    return;
  }
  TGridMetrics metrics = ComputeMetrics();
  const TAxisMetrics& axis = horizontal ? metrics.Horz : metrics.Vert;
  int fixed = axis.FixedCells;
  int maxTop = MaxTopLeftFor(axis, axis.CellTotal - 1);
  int first = axis.FirstScrollCell;
  bool mirrored = horizontal && useRightToLeft;
  int target = first;
  switch (code) {
    case SB_LINEUP: target = StepOverHidden(horizontal, first, mirrored ? 1 : -1); break;
    case SB_LINEDOWN: target = StepOverHidden(horizontal, first, mirrored ? -1 : 1); break;
    case SB_PAGEUP: target = first - std::max(first - MaxTopLeftFor(axis, first), 1); break;
    case SB_PAGEDOWN: target = first + std::max(axis.LastWholeCell - first, 1); break;
    case SB_THUMBTRACK:
      if (!options_.Contains(TGridBaseOption::gbThumbTracking)) return;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      int at = mirrored ? kScrollRange - position : position;
      target = maxTop > fixed ? MulDiv(at, maxTop - fixed, kScrollRange) + fixed : fixed;
      break;
    }
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = maxTop; break;
    default: return;
  }
  target = std::clamp(target, fixed, std::max(maxTop, fixed));
  if (horizontal) {
    SetTopLeft(target, topLeft_.Y);
  } else {
    SetTopLeft(topLeft_.X, target);
  }
}

void TCustomGrid::HandleScrollMessage(int bar, TMessage& message) {
  if (IsShowing() && IsFocusable() && TabStop() && !Designing() && !Focused()) TakeFocus();
  int code = LOWORD(DWORD(message.WParam));
  int position = short(HIWORD(DWORD(message.WParam)));
  ModifyScrollBar(bar, code, position, UseRightToLeftAlignment());
  message.Result = 0;
}

// --- Messages -------------------------------------------------------------------------------

void TCustomGrid::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
      HandleScrollMessage(SB_HORZ, message);
      return;
    case WM_VSCROLL:
      HandleScrollMessage(SB_VERT, message);
      return;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS;
      if (!options_.Contains(TGridBaseOption::gbRowSelect)) {
        if (options_.Contains(TGridBaseOption::gbTabs)) code |= DLGC_WANTTAB;
        if (options_.Contains(TGridBaseOption::gbEditing)) code |= DLGC_WANTCHARS;
      }
      message.Result = code;
      return;
    }
    case CN_KEYDOWN:
      // Enter belongs to the grid while it edits, not to the form's default button.
      if (message.WParam == VK_RETURN && options_.Contains(TGridBaseOption::gbEditing)) {
        message.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS: {
      TCustomControl::WndProc(message);
      InvalidateRange(Selection());
      HWND from = reinterpret_cast<HWND>(message.WParam);
      if (!editor_ || !editor_->HandleAllocated() || from != editor_->Handle()) RefreshCellEditor();
      return;
    }
    case WM_KILLFOCUS: {
      TCustomControl::WndProc(message);
      InvalidateRange(Selection());
      HWND to = reinterpret_cast<HWND>(message.WParam);
      if (!editor_ || !editor_->HandleAllocated() || to != editor_->Handle()) HideEditorWindow();
      return;
    }
    case WM_TIMER:
      if (message.WParam == kScrollTimer) {
        HandleTimer();
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      auto delta = static_cast<short>(HIWORD(DWORD(message.WParam)));
      POINT mouse{short(LOWORD(DWORD(message.LParam))), short(HIWORD(DWORD(message.LParam)))};
      TShiftState shift = MouseShiftState(LOWORD(DWORD(message.WParam)));
      bool handled = delta < 0 ? DoMouseWheelDown(shift, mouse) : DoMouseWheelUp(shift, mouse);
      message.Result = handled ? 1 : 0;
      return;
    }
    case WM_CHAR:
      if (ShowEditorWithChar(static_cast<unsigned char>(message.WParam))) return;
      break;
    case WM_SETCURSOR:
      if (SetSizingCursor()) {
        message.Result = 1;
        return;
      }
      break;
    case WM_CANCELMODE:
      if (mouseState_ == TGridMouseState::columnSizing || mouseState_ == TGridMouseState::rowSizing) {
        DrawSizingLine(ComputeMetrics());
      }
      DrawInsertionMark(false);
      ResetSizingAndMoving();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}
