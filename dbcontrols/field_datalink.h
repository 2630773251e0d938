// TFieldDataLink: a data link bound to one field by name, for controls that show one field.
#pragma once

#include <functional>

#include "core/component.h"
#include "data/datalink.h"

class TField;

// The link resolves BoundFieldName to a field whenever its dataset opens or changes layout,
// and forwards what it hears to the owning control's handlers. BoundField is null while the
// link is inactive, the name is empty or the dataset's controls are disabled.
class TFieldDataLink : public TDataLink {
 public:
  TFieldDataLink();

  TField* BoundField() const { return boundField_; }
  const AnsiString& BoundFieldName() const { return boundFieldName_; }
  // A new name (compared case-sensitively) is resolved at once.
  void SetBoundFieldName(const AnsiString& name);
  TComponent* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TComponent* control) { ownerControl_ = control; }
  bool InEditMode() const { return inEditMode_; }
  // Moves the link to another source; the owning control hears of the source's removal.
  void ChangeSource(TDataSource* source);

  // A field is bound, the link is not read-only and the field can be written.
  bool CanModifyField() const;
  // Asks the dataset to start editing when the field can be modified; returns InEditMode.
  bool BeginFieldEdit();
  void MarkModified() { pendingChange_ = true; }
  // Shows the field's value again and forgets the pending change.
  void RevertDisplay() { LinkRecordChanged(nullptr); }

  std::function<void()> DataChangeHandler;
  std::function<void()> EditingChangeHandler;
  std::function<void()> UpdateDataHandler;
  std::function<void()> ActiveChangeHandler;

  void LinkActiveChanged() override;
  void LinkEditingChanged() override;
  void LinkRecordChanged(TField* field) override;
  void LinkLayoutChanged() override { ResolveField(); }
  void LinkUpdateData() override;
  void LinkFocusControl(TField** field) override;
  void LinkDataEvent(DataNotice event, DataNoticeInfo info) override;

 private:
  void ResolveField();
  void BindField(TField* field);
  void SetInEditMode(bool value);
  void SyncRightToLeft();

  TField* boundField_ = nullptr;
  AnsiString boundFieldName_;
  TComponent* ownerControl_ = nullptr;
  bool inEditMode_ = false;
  bool pendingChange_ = false;
};

// The right-to-left alignment rule of data-aware controls: the locale reads right to left, the
// control's mode is exactly bdRightToLeft, and the field (if any) lets its alignment change,
// which numeric, date and time fields do not.
bool DataAwareRightToLeftAlignment(const TComponent* control, const TField* field);
