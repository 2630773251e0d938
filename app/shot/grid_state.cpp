// The state entries of grids: the current and top rows, the row count, and for a data grid the
// text of every cell it holds (title row first, then one row per record of its buffer).
#include "app/shot/component_state.h"
#include "data/field.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/custom_grid.h"
#include "dbcontrols/db_grid_columns.h"
#include "dbcontrols/grid_data_link.h"

namespace shot {
namespace {

void GridEntries(TCustomGrid& grid, Json& entry) {
  entry.Set("row", grid.Row());
  entry.Set("col", grid.Col());
  entry.Set("topRow", grid.TopLeftCell().Y);
  entry.Set("rowCount", grid.RowTotal());
  entry.Set("colCount", grid.ColumnTotal());
  entry.Set("rowHeight", grid.StandardRowHeight());
}

// The texts as painting finds them: each record is made the link's active one in turn and its
// columns' fields read for display; the link's own active record is restored afterwards.
void DataGridCells(TCustomDBGrid& grid, Json& entry) {
  Json cells = Json::MakeArray();
  Json titles = Json::MakeArray();
  for (TColumn* column : grid.VisibleColumns()) titles.Push(Utf8(column->Title()->Caption()));
  cells.Push(titles);
  TGridDataLink& link = grid.DataLink();
  if (link.Active()) {
    int saved = link.LinkActiveRecord();
    for (int record = 0; record < link.LinkRecordCount(); ++record) {
      link.SetLinkActiveRecord(record);
      Json row = Json::MakeArray();
      for (TColumn* column : grid.VisibleColumns()) {
        TField* field = column->Field();
        row.Push(field ? Utf8(field->TextForDisplay()) : std::string());
      }
      cells.Push(row);
    }
    link.SetLinkActiveRecord(saved);
  }
  entry.Set("cells", cells);
}

}  // namespace

void AddGridEntries(StateRegistry& registry) {
  registry.Add<TCustomGrid>(GridEntries);
  registry.Add<TCustomDBGrid>(DataGridCells);
}

}  // namespace shot
