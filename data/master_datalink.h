// The link through which an ADO dataset follows its master dataset.
#pragma once

#include <vector>

#include "core/event.h"
#include "core/sysutils.h"
#include "data/datalink.h"

class TDataSet;
class TField;

// Held by the detail dataset, which owns it. MasterFields names the master's fields that drive
// the detail (";"-separated); they are looked up when the link becomes active. The change and
// disable callbacks are the detail's MasterRecordChanged and MasterLinkDisabled; they run only
// while the detail is open and not being freed.
class TMasterDataLink : public TDetailDataLink {
 public:
  explicit TMasterDataLink(TDataSet* detail);

  TDataSet* DetailDataSet() override { return detail_; }

  const AnsiString& FieldNames() const { return fieldNames_; }
  // Looks the fields up again when active.
  void SetFieldNames(const AnsiString& value);
  // The master's fields named by FieldNames, found when the link became active.
  const std::vector<TField*>& Fields() const { return fields_; }

  // Sender is the link.
  TNotifyEvent OnMasterChange;
  TNotifyEvent OnMasterDisable;

 protected:
  void LinkActiveChanged() override;
  void LinkCheckBrowseMode() override;
  void LinkLayoutChanged() override;
  void LinkRecordChanged(TField* field) override;

 private:
  bool DetailReady() const;
  void FindFields();
  void ReportChange();

  TDataSet* detail_;
  AnsiString fieldNames_;
  std::vector<TField*> fields_;
};
