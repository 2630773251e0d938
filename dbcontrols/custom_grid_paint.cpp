// Grid painting: the mirrored canvas, lines in four areas, cells, edges and focus rectangles.
#include <algorithm>
#include <vector>

#include "dbcontrols/custom_grid.h"
#include "dbcontrols/inplace_edit.h"
#include "platform/dc.h"
#include "platform/drawedge.h"

using namespace platform;

namespace {

bool Intersects(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

void TCustomGrid::BeginMirroredPaint() {
  if (!UseRightToLeftAlignment()) return;
  HDC dc = Canvas()->Handle();
  int width = ClientWidth();
  int height = ClientHeight();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, width, 0, nullptr);
  SetWindowExtEx(dc, -width, height, nullptr);
  SetViewportExtEx(dc, width, height, nullptr);
  canvasMirrored_ = true;
}

void TCustomGrid::EndMirroredPaint() {
  if (!canvasMirrored_) return;
  HDC dc = Canvas()->Handle();
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetMapMode(dc, MM_TEXT);
  canvasMirrored_ = false;
}

void TCustomGrid::Paint() {
  BeginMirroredPaint();
  try {
    TGridMetrics metrics = ComputeMetrics();
    if (metrics.Horz.LineStep > 0 || metrics.Vert.LineStep > 0) PaintLines(metrics);
    TAxisRun fixedCols = FixedCellsRun(metrics.Horz);
    TAxisRun fixedRows = FixedCellsRun(metrics.Vert);
    TAxisRun scrollCols = ScrollCellsRun(metrics.Horz);
    TAxisRun scrollRows = ScrollCellsRun(metrics.Vert);
    PaintArea(fixedCols, fixedRows, true);
    PaintArea(scrollCols, fixedRows, true);
    PaintArea(fixedCols, scrollRows, true);
    PaintArea(scrollCols, scrollRows, false);

    TCanvas& canvas = *Canvas();
    if (options_.Contains(TGridBaseOption::gbRowSelect) && defaultDrawing_ && Focused() &&
        !Designing()) {
      RECT rows = CellsRect({fixedColumnTotal_, Selection().Top, columnTotal_ - 1, Selection().Bottom});
      if (canvasMirrored_) std::swap(rows.left, rows.right);
      canvas.DrawFocusRect(rows);
    }
    // What lies beyond the last cells shows the grid's colour.
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    int width = ClientWidth();
    int height = ClientHeight();
    if (metrics.Horz.CellsEdge < width) canvas.FillRect({metrics.Horz.CellsEdge, 0, width, height});
    if (metrics.Vert.CellsEdge < height) {
      canvas.FillRect({0, metrics.Vert.CellsEdge, metrics.Horz.CellsEdge, height});
    }
  } catch (...) {
    EndMirroredPaint();
    throw;
  }
  EndMirroredPaint();
}

// One set of parallel lines of an area, as one poly-polyline: a line after every cell of the
// run that has an extent, across the span from spanStart to spanEnd.
void TCustomGrid::DrawLineSet(const TAxisRun& run, bool vertical, int spanStart, int spanEnd,
                              TColor color, const TAxisMetrics& axis) {
  std::vector<POINT> points;
  std::vector<DWORD> counts;
  int shift = lineWidth_ / 2 + (vertical && canvasMirrored_ ? 1 : 0);
  for (std::size_t i = 0; i < run.cells.size(); ++i) {
    int extent = axis.Extent(run.cells[i]);
    if (extent <= 0) continue;
    int at = run.edges[i] + extent + shift;
    if (vertical) {
      points.push_back({at, spanStart});
      points.push_back({at, spanEnd});
    } else {
      points.push_back({spanStart, at});
      points.push_back({spanEnd, at});
    }
    counts.push_back(2);
  }
  if (counts.empty()) return;
  TCanvas& canvas = *Canvas();
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  canvas.Pen().SetWidth(lineWidth_);
  canvas.Pen().SetColor(color);
  canvas.PolyPolyline(points, counts);
}

void TCustomGrid::PaintLines(const TGridMetrics& metrics) {
  TAxisRun fixedCols = FixedCellsRun(metrics.Horz);
  TAxisRun fixedRows = FixedCellsRun(metrics.Vert);
  TAxisRun scrollCols = ScrollCellsRun(metrics.Horz);
  TAxisRun scrollRows = ScrollCellsRun(metrics.Vert);
  TColor scrollLine = Color() == clSilver ? clGray : clSilver;
  struct Area {
    const TAxisRun& cols;
    const TAxisRun& rows;
    bool fixed;
  };
  const Area areas[] = {{fixedCols, fixedRows, true},
                        {scrollCols, fixedRows, true},
                        {fixedCols, scrollRows, true},
                        {scrollCols, scrollRows, false}};
  for (const Area& area : areas) {
    if (area.cols.cells.empty() || area.rows.cells.empty()) continue;
    bool vertOn = options_.Contains(area.fixed ? TGridBaseOption::gbFixedVertLine
                                               : TGridBaseOption::gbVertLine);
    bool horzOn = options_.Contains(area.fixed ? TGridBaseOption::gbFixedHorzLine
                                               : TGridBaseOption::gbHorzLine);
    TColor on = area.fixed ? clBlack : scrollLine;
    TColor off = area.fixed ? fixedColor_ : Color();
    int left = area.cols.edges.front();
    int top = area.rows.edges.front();
    auto vertical = [&] {
      if (metrics.Horz.LineStep > 0) {
        DrawLineSet(area.cols, true, top, area.rows.end, vertOn ? on : off, metrics.Horz);
      }
    };
    auto horizontal = [&] {
      if (metrics.Vert.LineStep > 0) {
        DrawLineSet(area.rows, false, left, area.cols.end, horzOn ? on : off, metrics.Vert);
      }
    };
    if (horzOn) {
      vertical();
      horizontal();
    } else {
      horizontal();
      vertical();
    }
  }
}

void TCustomGrid::PaintArea(const TAxisRun& cols,
                            const TAxisRun& rows, bool fixed) {
  TCanvas& canvas = *Canvas();
  RECT clip = canvas.ClipRect();
  if (canvasMirrored_) clip = {ClientWidth() - clip.right, clip.top, ClientWidth() - clip.left, clip.bottom};
  bool active = IsActiveControl();
  TGridRect selection = Selection();
  if (options_.Contains(TGridBaseOption::gbRowSelect)) {
    selection.Left = 0;
    selection.Right = columnTotal_ - 1;
  }
  bool editorOver = options_.Contains(TGridBaseOption::gbEditing) && editorShown_ && !Designing() &&
                    editor_ && editor_->Visible();
  for (std::size_t r = 0; r < rows.cells.size(); ++r) {
    int row = rows.cells[r];
    int height = RowHeight(row);
    if (height <= 0) continue;
    for (std::size_t c = 0; c < cols.cells.size(); ++c) {
      int col = cols.cells[c];
      int width = ColumnWidth(col);
      if (width <= 0) continue;
      RECT rect{cols.edges[c], rows.edges[r], cols.edges[c] + width, rows.edges[r] + height};
      if (!Intersects(rect, clip)) continue;
      bool current = col == current_.X && row == current_.Y;
      if (current && editorOver) continue;
      TGridDrawState state;
      if (fixed) state.Include(TGridDrawStateFlag::gdFixed);
      if (active && current) state.Include(TGridDrawStateFlag::gdFocused);
      if (!fixed && col >= selection.Left && col <= selection.Right && row >= selection.Top &&
          row <= selection.Bottom) {
        state.Include(TGridDrawStateFlag::gdSelected);
      }
      bool focused = state.Contains(TGridDrawStateFlag::gdFocused);
      if (defaultDrawing_ || Designing()) {
        canvas.SetFont(*Font());
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        if (state.Contains(TGridDrawStateFlag::gdSelected) &&
            (!focused || options_.Contains(TGridBaseOption::gbDrawFocusSelected) ||
             options_.Contains(TGridBaseOption::gbRowSelect))) {
          canvas.Brush().SetColor(clHighlight);
          canvas.Font().SetColor(clHighlightText);
        } else {
          canvas.Brush().SetColor(fixed ? fixedColor_ : Color());
        }
        canvas.FillRect(rect);
      }
      PaintCell(col, row, rect, state);
      if (defaultDrawing_ && fixed && ctl3D_) PaintFixedEdge(rect);
      if (defaultDrawing_ && !Designing() && focused &&
          !(options_.Contains(TGridBaseOption::gbEditing) &&
            options_.Contains(TGridBaseOption::gbAlwaysShowEditor)) &&
          !options_.Contains(TGridBaseOption::gbRowSelect)) {
        RECT focus = rect;
        if (canvasMirrored_) std::swap(focus.left, focus.right);
        canvas.DrawFocusRect(focus);
      }
    }
  }
}

void TCustomGrid::PaintFixedEdge(const RECT& cell) {
  RECT rect = cell;
  UINT sides = 0;
  bool vert = options_.Contains(TGridBaseOption::gbFixedVertLine);
  bool horz = options_.Contains(TGridBaseOption::gbFixedHorzLine);
  if (vert) sides |= BF_RIGHT | BF_LEFT;
  if (horz) sides |= BF_BOTTOM | BF_TOP;
  if (!vert) {
    rect.right += lineWidth_;
  } else if (!horz) {
    rect.bottom += lineWidth_;
  }
  if (sides) DrawEdge(Canvas()->Handle(), &rect, BDR_RAISEDINNER, sides);
}
