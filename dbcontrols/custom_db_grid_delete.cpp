// The data grid's question before a record is deleted.
#include "dbcontrols/custom_db_grid.h"
#include "framework/message_dialog.h"

bool TCustomDBGrid::ConfirmDelete() {
  // Rows are never multi-selected here, so the question is always about one record.
  if (!options_.Contains(TDBGridOption::dgConfirmDelete)) return true;
  TModalResult result = RunMessageDialog("Delete record?", TMsgDlgType::mtConfirmation,
                                         {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}, 0);
  return result != mrCancel;
}
