// TGridDataLink: the data grid's link to its dataset, with the map of grid columns to fields.
#pragma once

#include <cstdint>
#include <vector>

#include "core/sysutils.h"
#include "data/datalink.h"

class TCustomDBGrid;
class TField;

// The map holds, per grid column, the index of its field in the dataset's field list, or -1 for
// a field that was not found (allowed only with a partial map, when the columns are
// customized). The link passes every data notice on to its grid.
class TGridDataLink : public TDataLink {
 public:
  // The map's capacity bound.
  static constexpr int kMaxMappedFields = 0x0FFFFFFF;

  explicit TGridDataLink(TCustomDBGrid* grid);

  TCustomDBGrid* Grid() const { return grid_; }
  int MappedFieldCount() const { return static_cast<int>(fieldIndexMap_.size()); }
  bool PartialMap() const { return partialMap_; }
  void SetPartialMap(bool value) { partialMap_ = value; }
  void ClearMapping() { fieldIndexMap_.clear(); }
  // Maps one more column to the field of the name; false when it was not found. Raises
  // "Grid requested to display more than 256 columns" at the capacity bound; without a partial
  // map a missing field raises the dataset's field-not-found error.
  bool MapField(const AnsiString& fieldName);
  // The field at a map position; null out of range or for a field not found.
  TField* MappedField(int position) const;
  // The dataset uses default fields and every mapped field was found.
  bool DefaultFields() const;
  bool CellModified() const { return cellModified_; }
  void SetCellModified(bool value) { cellModified_ = value; }
  bool StoringData() const { return storingData_; }
  // The link's reset: the editor shows the field again, or the dataset's edit is cancelled.
  void RevertRow();
  // Whether a row is a summary row; grids here have none.
  virtual bool IsAggregateRow(int row) const { return false; }

  void LinkActiveChanged() override;
  void LinkDataSetChanged() override;
  void LinkDataSetScrolled(std::int32_t distance) override;
  void LinkLayoutChanged() override;
  void LinkRecordChanged(TField* field) override;
  void LinkEditingChanged() override;
  void LinkUpdateData() override;
  void LinkFocusControl(TField** field) override;

 private:
  TCustomDBGrid* grid_;
  std::vector<int> fieldIndexMap_;
  bool cellModified_ = false;
  bool storingData_ = false;
  bool partialMap_ = false;
};
