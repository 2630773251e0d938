// The plain ADO dataset: any command text and command type, published as they are.
#pragma once

#include "data/custom_ado_dataset.h"

class TDataSource;

class TADODataSet : public TCustomADODataSet {
 public:
  explicit TADODataSet(TComponent* owner);

  TDataSource* DataSource() const { return MasterSource(); }
  void SetDataSource(TDataSource* value) { AssignMasterSource(value); }
  const AnsiString& MasterFields() const;
  void SetMasterFields(const AnsiString& value);

  using TCustomADODataSet::IndexFieldNames;
  using TCustomADODataSet::IndexName;
  using TCustomADODataSet::SetIndexFieldNames;
  using TCustomADODataSet::SetIndexName;
};
