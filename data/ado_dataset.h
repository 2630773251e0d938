// The plain ADO dataset: any command text and command type, published as they are.
#pragma once

#include "data/custom_ado_dataset.h"

class TADODataSet : public TCustomADODataSet {
 public:
  explicit TADODataSet(TComponent* AOwner);

  TDataSource* DataSource() const { return MasterSource(); }
  void SetDataSource(TDataSource* value) { AssignMasterSource(value); }
};
