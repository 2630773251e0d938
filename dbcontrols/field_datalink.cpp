// The field data link: resolving the field by name, binding it and forwarding notices.
#include "dbcontrols/field_datalink.h"

#include "controls/wincontrol.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fields.h"
#include "platform/edit.h"
#include "platform/locale.h"

using namespace platform;

TFieldDataLink::TFieldDataLink() { SetVisualControl(true); }

void TFieldDataLink::SetBoundFieldName(const AnsiString& name) {
  if (name == boundFieldName_) return;
  boundFieldName_ = name;
  ResolveField();
}

void TFieldDataLink::ChangeSource(TDataSource* source) {
  if (TDataSource* old = Source()) old->RemoveFreeNotification(ownerControl_);
  AttachToSource(source);
  if (source) source->FreeNotification(ownerControl_);
}

void TFieldDataLink::ResolveField() {
  if (!Active() || boundFieldName_.empty()) {
    BindField(nullptr);
    return;
  }
  boundField_ = nullptr;
  TField* field = DataSet()->Fields().FindField(boundFieldName_);
  if (!field) {
    DatabaseError(Format("Field '%s' not found", boundFieldName_.c_str()), ownerControl_);
  }
  BindField(field);
}

void TFieldDataLink::BindField(TField* field) {
  if (field == boundField_) return;
  boundField_ = field;
  LinkEditingChanged();
  LinkRecordChanged(nullptr);
  SyncRightToLeft();
}

bool TFieldDataLink::CanModifyField() const {
  if (ReadOnly() || !boundField_) return false;
  TDataSet* dataset = boundField_->DataSet();
  // Blob fields are the ones the data layer writes (through their streams); the others are
  // shown only.
  return dataset && boundField_->IsBlob() && !boundField_->ReadOnly() &&
         !boundField_->Calculated() && dataset->CanModifyData();
}

bool TFieldDataLink::BeginFieldEdit() {
  if (CanModifyField()) RequestLinkEdit();
  return inEditMode_;
}

void TFieldDataLink::SetInEditMode(bool value) {
  if (value == inEditMode_) return;
  inEditMode_ = value;
  pendingChange_ = false;
  if (EditingChangeHandler) EditingChangeHandler();
}

void TFieldDataLink::LinkActiveChanged() {
  ResolveField();
  if (ActiveChangeHandler) ActiveChangeHandler();
}

void TFieldDataLink::LinkEditingChanged() { SetInEditMode(Editing() && CanModifyField()); }

void TFieldDataLink::LinkRecordChanged(TField* field) {
  if (field && field != boundField_) return;
  if (DataChangeHandler) DataChangeHandler();
  pendingChange_ = false;
}

void TFieldDataLink::LinkUpdateData() {
  if (pendingChange_ && boundField_ && UpdateDataHandler) UpdateDataHandler();
  pendingChange_ = false;
}

void TFieldDataLink::LinkFocusControl(TField** field) {
  if (!field || *field != boundField_ || !boundField_) return;
  auto* control = dynamic_cast<TWinControl*>(ownerControl_);
  if (!control || !control->IsFocusable()) return;
  *field = nullptr;
  control->TakeFocus();
}

void TFieldDataLink::LinkDataEvent(DataNotice event, DataNoticeInfo info) {
  TDataLink::LinkDataEvent(event, info);
  if (event != DataNotice::NoticeSuspendedState) return;
  if (info == 1) {
    ResolveField();
  } else {
    boundField_ = nullptr;
  }
}

void TFieldDataLink::SyncRightToLeft() {
  auto* control = dynamic_cast<TWinControl*>(ownerControl_);
  // A window made later takes its alignment from the rule when it is created.
  if (!control || !control->IsRightToLeft() || !control->HandleAllocated()) return;
  // Edit windows align with ES_RIGHT, others with WS_EX_RIGHT.
  bool rightAligned = (GetWindowLongPtrA(control->Handle(), GWL_EXSTYLE) & WS_EX_RIGHT) ||
                      (GetWindowLongPtrA(control->Handle(), GWL_STYLE) & ES_RIGHT);
  if (rightAligned != DataAwareRightToLeftAlignment(control, boundField_)) control->RecreateWnd();
}

bool DataAwareRightToLeftAlignment(const TComponent* component, const TField* field) {
  auto* control = dynamic_cast<const TControl*>(component);
  if (!SysLocale().middleEast || !control || control->BiDiMode() != TBiDiMode::bdRightToLeft) {
    return false;
  }
  if (!field) return true;
  switch (field->DataType()) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftAutoInc:
    case TFieldType::ftFMTBcd:
      return false;
    default:
      return true;
  }
}
