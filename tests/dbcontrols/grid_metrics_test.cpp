// Axis geometry of grids, one line per case: edges, hit testing, cell positions and the
// largest top-left, for uniform and uneven cells.
#include <gtest/gtest.h>

#include <vector>

#include "dbcontrols/grid_types.h"

namespace {

// An axis of cells with the given extents, `fixed` of them fixed, scrolled to `first`.
TAxisMetrics Axis(std::vector<int> extents, int fixed, int first, int client, int line = 1) {
  TAxisMetrics axis;
  axis.LineStep = line;
  axis.ClientExtent = client;
  axis.FixedCells = fixed;
  axis.FirstScrollCell = first;
  axis.CellTotal = static_cast<int>(extents.size());
  axis.Extent = [extents](int i) { return extents[static_cast<std::size_t>(i)]; };
  ComputeAxisEdges(axis);
  return axis;
}

struct EdgesCase {
  std::vector<int> extents;
  int fixed, first, client, line;
  int fixedEdge, cellsEdge, lastWhole, wholeEdge;
};

TEST(GridAxis, Edges) {
  const EdgesCase cases[] = {
      {{10, 20, 20, 20, 20}, 1, 1, 100, 1, 11, 95, 4, 95},   // everything fits
      {{10, 20, 20, 20, 20}, 1, 1, 60, 1, 11, 60, 2, 53},    // the fourth cell is cut off
      {{10, 20, 20, 20, 20}, 1, 3, 60, 1, 11, 53, 4, 53},    // scrolled: the rest fits
      {{10, 20, 20}, 1, 1, 52, 1, 11, 53, 2, 53},            // a line may hang past the edge
      {{10, 20, 20}, 1, 1, 50, 0, 10, 50, 2, 50},            // no lines
      {{10}, 1, 1, 50, 1, 11, 11, 1, 11},                    // no scrollable cell
      {{10, 100, 20}, 1, 1, 50, 1, 11, 50, 1, 11},           // first scrollable wider than client
      {{10, 0, 20}, 1, 1, 50, 1, 11, 33, 2, 33},             // a hidden cell keeps its line
  };
  for (const EdgesCase& c : cases) {
    TAxisMetrics axis = Axis(c.extents, c.fixed, c.first, c.client, c.line);
    EXPECT_EQ(axis.FixedEdge, c.fixedEdge);
    EXPECT_EQ(axis.CellsEdge, c.cellsEdge) << "client " << c.client;
    EXPECT_EQ(axis.LastWholeCell, c.lastWhole) << "client " << c.client;
    EXPECT_EQ(axis.WholeCellsEdge, c.wholeEdge) << "client " << c.client;
  }
}

TEST(GridAxis, CellAtCoordinate) {
  TAxisMetrics axis = Axis({10, 20, 20, 20, 20}, 1, 2, 60);  // cell 1 scrolled away
  const std::pair<int, int> cases[] = {
      {0, 0}, {10, 0}, {11, 2}, {31, 2}, {32, 3}, {52, 3}, {53, 4}, {73, 4}, {74, -1}, {-1, -1},
  };
  for (auto [at, cell] : cases) EXPECT_EQ(CellAtCoordinate(axis, at), cell) << "at " << at;
}

TEST(GridAxis, CellNearEdge) {
  TAxisMetrics axis = Axis({10, 20, 20, 20, 20}, 1, 2, 60);
  const std::pair<int, int> cases[] = {{0, 0}, {1, -1}, {2, 11}, {3, 32}, {4, 53}, {5, -1}};
  for (auto [cell, edge] : cases) EXPECT_EQ(CellNearEdge(axis, cell), edge) << "cell " << cell;
}

struct MaxTopLeftCase {
  std::vector<int> extents;
  int client, lastCell, expected;
};

TEST(GridAxis, MaxTopLeft) {
  const MaxTopLeftCase cases[] = {
      {{10, 20, 20, 20, 20}, 100, 4, 1},  // all fit: no scrolling
      {{10, 20, 20, 20, 20}, 60, 4, 3},   // two whole cells at the end
      {{10, 20, 20, 20, 20}, 60, 2, 1},   // for an earlier cell
      {{10, 100, 20}, 50, 1, 1},          // one scrollable column wider than the client
      {{10, 20, 0, 20}, 52, 3, 1},        // a hidden cell is passed over
      {{10, 20, 20, 20, 100}, 60, 4, 4},  // even the last cell does not fit
  };
  for (const MaxTopLeftCase& c : cases) {
    TAxisMetrics axis = Axis(c.extents, 1, 1, c.client);
    EXPECT_EQ(MaxTopLeftFor(axis, c.lastCell), c.expected) << "client " << c.client;
  }
}

}  // namespace
