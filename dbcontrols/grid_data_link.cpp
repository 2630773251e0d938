// The data grid's link: the column-to-field map and the notices passed on to the grid.
#include "dbcontrols/grid_data_link.h"

#include <algorithm>

#include "core/exceptions.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/fields.h"
#include "dbcontrols/custom_db_grid.h"

TGridDataLink::TGridDataLink(TCustomDBGrid* grid) : grid_(grid) { SetVisualControl(true); }

bool TGridDataLink::MapField(const AnsiString& fieldName) {
  if (MappedFieldCount() >= kMaxMappedFields) {
    throw EInvalidGridOperation("Grid requested to display more than 256 columns");
  }
  TDataSet* dataset = DataSet();
  TField* field = nullptr;
  if (dataset) {
    field = partialMap_ ? dataset->FieldNamedOrNone(fieldName) : dataset->FieldNamed(fieldName);
  }
  if (fieldIndexMap_.size() == fieldIndexMap_.capacity()) {
    std::size_t grown = fieldIndexMap_.empty() ? 8 : fieldIndexMap_.size() * 2;
    fieldIndexMap_.reserve(std::min<std::size_t>(grown, kMaxMappedFields));
  }
  fieldIndexMap_.push_back(field ? dataset->Fields().IndexOf(field) : -1);
  if (field) grid_->FreeNotification(field);
  return field != nullptr;
}

TField* TGridDataLink::MappedField(int position) const {
  if (position < 0 || position >= MappedFieldCount()) return nullptr;
  int index = fieldIndexMap_[static_cast<std::size_t>(position)];
  TDataSet* dataset = DataSet();
  if (index < 0 || !dataset || index >= dataset->Fields().Count()) return nullptr;
  return dataset->Fields().Fields(index);
}

bool TGridDataLink::DefaultFields() const {
  TDataSet* dataset = DataSet();
  if (!dataset || !dataset->DefaultFields()) return false;
  if (!partialMap_) return true;
  return std::none_of(fieldIndexMap_.begin(), fieldIndexMap_.end(), [](int i) { return i < 0; });
}

void TGridDataLink::RevertRow() {
  if (cellModified_) {
    LinkRecordChanged(nullptr);
    return;
  }
  if (TDataSet* dataset = DataSet()) dataset->CancelRecord();
}

void TGridDataLink::LinkActiveChanged() {
  TDataSet* dataset = DataSet();
  if (Active() && dataset && dataset->UniDirectional()) {
    DatabaseError("Operation not allowed on a unidirectional dataset", grid_);
  }
  grid_->LinkStateChanged(Active());
  cellModified_ = false;
}

void TGridDataLink::LinkDataSetChanged() {
  grid_->DataRefresh();
  cellModified_ = false;
}

void TGridDataLink::LinkDataSetScrolled(std::int32_t distance) { grid_->ScrollRows(distance); }

void TGridDataLink::LinkLayoutChanged() {
  grid_->layoutFromDataSet_ = true;
  try {
    grid_->RequestLayout();
  } catch (...) {
    grid_->layoutFromDataSet_ = false;
    throw;
  }
  grid_->layoutFromDataSet_ = false;
  TDataLink::LinkLayoutChanged();
}

void TGridDataLink::LinkRecordChanged(TField* field) {
  grid_->RecordRefresh(field);
  cellModified_ = false;
}

void TGridDataLink::LinkEditingChanged() { grid_->EditingStateChanged(); }

void TGridDataLink::LinkUpdateData() {
  storingData_ = true;
  try {
    if (cellModified_) grid_->StoreEditorText();
  } catch (...) {
    storingData_ = false;
    throw;
  }
  storingData_ = false;
  cellModified_ = false;
}

void TGridDataLink::LinkFocusControl(TField** field) { grid_->FocusField(field); }
