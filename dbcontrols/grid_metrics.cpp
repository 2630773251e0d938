// Axis geometry of grids: edges, hit testing and the largest top-left.
#include "dbcontrols/grid_types.h"

#include <algorithm>

void ComputeAxisEdges(TAxisMetrics& axis) {
  axis.FixedEdge = 0;
  for (int i = 0; i < axis.FixedCells; ++i) axis.FixedEdge += axis.Extent(i) + axis.LineStep;
  axis.LastWholeCell = axis.FirstScrollCell;
  axis.WholeCellsEdge = axis.FixedEdge;
  axis.CellsEdge = axis.FixedEdge;
  int edge = axis.FixedEdge;
  for (int cell = axis.FirstScrollCell; cell < axis.CellTotal; ++cell) {
    edge += axis.Extent(cell) + axis.LineStep;
    if (edge > axis.ClientExtent + axis.LineStep) {
      axis.CellsEdge = axis.ClientExtent;
      break;
    }
    axis.LastWholeCell = cell;
    axis.WholeCellsEdge = edge;
    axis.CellsEdge = edge;
  }
}

int CellAtCoordinate(const TAxisMetrics& axis, int coordinate) {
  if (coordinate < 0) return -1;
  int first = 0;
  int last = axis.FixedCells;
  int edge = 0;
  if (coordinate >= axis.FixedEdge) {
    first = axis.FirstScrollCell;
    last = axis.CellTotal;
    edge = axis.FixedEdge;
  }
  for (int cell = first; cell < last; ++cell) {
    edge += axis.Extent(cell) + axis.LineStep;
    if (coordinate < edge) return cell;
  }
  return -1;
}

int CellNearEdge(const TAxisMetrics& axis, int cell) {
  if (cell < 0 || cell >= axis.CellTotal) return -1;
  int edge = 0;
  int first = 0;
  if (cell >= axis.FixedCells) {
    if (cell < axis.FirstScrollCell) return -1;
    edge = axis.FixedEdge;
    first = axis.FirstScrollCell;
  }
  for (int i = first; i < cell; ++i) {
    edge += axis.Extent(i) + axis.LineStep;
    if (edge > axis.ClientExtent) return -1;
  }
  return edge >= axis.ClientExtent ? -1 : edge;
}

int MaxTopLeftFor(const TAxisMetrics& axis, int lastCell) {
  int result = lastCell;
  int space = axis.ClientExtent + axis.LineStep;
  for (int cell = lastCell; cell >= axis.FixedCells; --cell) {
    int extent = axis.Extent(cell);
    if (extent <= 0) continue;
    space -= extent + axis.LineStep;
    if (space < axis.FixedEdge) break;
    result = cell;
  }
  return result;
}

TAxisRun FixedCellsRun(const TAxisMetrics& axis) {
  TAxisRun run;
  int edge = 0;
  for (int cell = 0; cell < axis.FixedCells; ++cell) {
    run.cells.push_back(cell);
    run.edges.push_back(edge);
    edge += axis.Extent(cell) + axis.LineStep;
  }
  run.end = std::min(edge, axis.ClientExtent);
  return run;
}

TAxisRun ScrollCellsRun(const TAxisMetrics& axis) {
  TAxisRun run;
  int edge = axis.FixedEdge;
  for (int cell = axis.FirstScrollCell; cell < axis.CellTotal && edge < axis.ClientExtent; ++cell) {
    run.cells.push_back(cell);
    run.edges.push_back(edge);
    edge += axis.Extent(cell) + axis.LineStep;
  }
  run.end = std::min(edge, axis.ClientExtent);
  return run;
}
