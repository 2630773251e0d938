// The ADO table: a dataset whose command text names a table or a saved query.
#pragma once

#include "data/custom_ado_dataset.h"

class TDataSource;

// Opens with command type cmdTable (cmdTableDirect with TableDirect). ReadOnly is the lock
// type: ltReadOnly when set, ltOptimistic when cleared.
class TADOTable : public TCustomADODataSet {
 public:
  explicit TADOTable(TComponent* owner);

  WideString TableName() const { return CommandText(); }
  void SetTableName(const WideString& value) { SetCommandTextOf(value); }
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  bool TableDirect() const;
  void SetTableDirect(bool value);

  TDataSource* MasterSource() const { return TCustomADODataSet::MasterSource(); }
  void SetMasterSource(TDataSource* value) { AssignMasterSource(value); }
  const AnsiString& MasterFields() const;
  void SetMasterFields(const AnsiString& value);

  using TCustomADODataSet::IndexFieldNames;
  using TCustomADODataSet::IndexName;
  using TCustomADODataSet::SetIndexFieldNames;
  using TCustomADODataSet::SetIndexName;
};
