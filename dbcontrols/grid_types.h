// The small types of grids: cell coordinates and ranges, options, draw states and axis metrics.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "controls/control_types.h"
#include "core/sets.h"

// A cell: X is the column, Y the row.
struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// A range of cells, both corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum class TGridBaseOption {
  gbFixedVertLine,
  gbFixedHorzLine,
  gbVertLine,
  gbHorzLine,
  gbRangeSelect,
  gbDrawFocusSelected,
  gbRowSizing,
  gbColSizing,
  gbRowMoving,
  gbColMoving,
  gbEditing,
  gbTabs,
  gbRowSelect,
  gbAlwaysShowEditor,
  gbThumbTracking,
};
using TGridBaseOptions = SetOf<TGridBaseOption>;
inline constexpr const char* kGridBaseOptionNames[] = {
    "gbFixedVertLine", "gbFixedHorzLine", "gbVertLine",      "gbHorzLine",
    "gbRangeSelect",   "gbDrawFocusSelected", "gbRowSizing", "gbColSizing",
    "gbRowMoving",     "gbColMoving",     "gbEditing",       "gbTabs",
    "gbRowSelect",     "gbAlwaysShowEditor", "gbThumbTracking"};

enum class TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = SetOf<TGridDrawStateFlag>;

// What a press-and-drag on the grid is doing.
enum class TGridMouseState { idle, selecting, rowSizing, columnSizing, rowMoving, columnMoving };

// The geometry of one axis (columns across, rows down) for one client size. Edges are pixel
// positions along the axis; each cell occupies its extent followed by LineStep pixels of line.
struct TAxisMetrics {
  int LineStep = 0;
  int FixedEdge = 0;       // where the fixed cells and their lines end
  int CellsEdge = 0;       // where the last drawn scrollable cell ends, within the client
  int ClientExtent = 0;
  int LastWholeCell = 0;   // the last cell that fits entirely
  int WholeCellsEdge = 0;  // the far edge of that cell, its line included
  int FixedCells = 0;
  int FirstScrollCell = 0;  // the top-left cell on this axis
  int CellTotal = 0;
  std::function<int(int)> Extent;  // the width or height of a cell
};

struct TGridMetrics {
  TAxisMetrics Horz;
  TAxisMetrics Vert;
};

// The cells of an axis that a paint visits, with their near edges.
struct TAxisRun {
  std::vector<int> cells;
  std::vector<int> edges;
  int end = 0;  // the edge after the last cell and its line, within the client
};

// The fixed cells from edge 0.
TAxisRun FixedCellsRun(const TAxisMetrics& axis);
// The scrollable cells from the top-left cell up to the first that starts beyond the client.
TAxisRun ScrollCellsRun(const TAxisMetrics& axis);

// Fills the edges and the last whole cell from the other fields.
void ComputeAxisEdges(TAxisMetrics& axis);
// The cell at a coordinate along the axis, or -1 outside every cell.
int CellAtCoordinate(const TAxisMetrics& axis, int coordinate);
// The near edge of a cell on screen, or -1 when it is scrolled away or starts beyond the
// client extent.
int CellNearEdge(const TAxisMetrics& axis, int cell);
// The largest top-left cell that still shows lastCell whole: from lastCell backwards, the
// earliest cell whose start stays at or after the fixed edge (lastCell itself if even it does
// not fit). Cells of no extent are passed over.
int MaxTopLeftFor(const TAxisMetrics& axis, int lastCell);
