// The ADO query: a dataset whose command text is the SQL string list.
#pragma once

#include <memory>

#include "core/strings.h"
#include "data/custom_ado_dataset.h"

class TDataSource;

// Any change to SQL closes the query (unless it is being loaded) and makes the command text
// the list's text: every line followed by CR LF. DataSource is the master source: without
// parameters it only keeps the query empty while the master is empty.
class TADOQuery : public TCustomADODataSet {
 public:
  explicit TADOQuery(TComponent* owner);
  ~TADOQuery() override;

  TStringList* SQL() const { return sql_.get(); }
  // Copies the lines of `value`.
  void SetSQL(TStringList* value);

  TDataSource* DataSource() const { return MasterSource(); }
  void SetDataSource(TDataSource* value) { AssignMasterSource(value); }

 private:
  void ApplySQLChange(TObject* Sender);

  std::unique_ptr<TStringList> sql_;
};
