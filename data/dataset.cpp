// TDataSet: construction, opening and closing, states, hooks, data sources and the notices
// sent to them.
#include "data/dataset.h"

#include <algorithm>
#include <exception>

#include "core/classes.h"
#include "core/scoped_value.h"
#include "core/stream.h"
#include "data/database_error.h"
#include "data/datalink.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fielddefs.h"
#include "data/fields.h"

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner),
      fieldDefs_(std::make_unique<TFieldDefs>(this, this)),
      fields_(std::make_unique<TFields>(this)) {}

TDataSet::~TDataSet() {
  SetComponentState(TComponentStateFlag::csDestroying, true);
  if (state_ != DataSetState::Inactive) {
    // The concrete dataset did not close (see the class comment): its provider operations are
    // gone, so the links are told and the window dropped without them.
    ChangeState(DataSetState::Inactive);
    openCompleted_ = false;
    window_.Close();
  }
  while (!dataSources_.empty()) DetachDataSource(dataSources_.back());
  // The field objects leave the field list as they are freed, so they go while it exists.
  DestroyComponents();
}

void TDataSet::CloseForDestruction() {
  SetComponentState(TComponentStateFlag::csDestroying, true);
  if (state_ != DataSetState::Inactive) CloseNow();
  while (!dataSources_.empty()) DetachDataSource(dataSources_.back());
}

bool TDataSet::Destroying() const {
  return ComponentState().Contains(TComponentStateFlag::csDestroying);
}

bool TDataSet::Active() const {
  return state_ != DataSetState::Inactive && state_ != DataSetState::OpeningAsync;
}

void TDataSet::SetActive(bool value) {
  // Only the stream's own value waits for the after-load step; code that runs once reading is
  // over (another component's after-load step) opens at once, as it does for the connection.
  if (ComponentState().Contains(TComponentStateFlag::csReading)) {
    activeOnLoad_ = value;
    return;
  }
  if (value == Active()) return;
  if (value) {
    OpenNow();
  } else {
    CloseNow();
  }
}

void TDataSet::OpenNow() {
  FireBeforeOpen();
  try {
    OpenCursorStep(false);
  } catch (...) {
    if (state_ != DataSetState::OpeningAsync) {
      // The open did not complete: FinishOpen closes the cursor again.
      openCompleted_ = false;
      FinishOpen();
    }
    throw;
  }
  if (state_ != DataSetState::OpeningAsync) FinishOpen();
}

void TDataSet::CloseNow() {
  const bool destroying = Destroying();
  if (!destroying) FireBeforeClose();
  // Links hear of the close while the cursor is still intact.
  ChangeState(DataSetState::Inactive);
  CloseCursorStep();
  if (!destroying) FireAfterClose();
}

void TDataSet::OpenCursorStep(bool infoOnly) {
  if (infoOnly) {
    ProviderInitFieldDefs();
  } else if (state_ != DataSetState::OpeningAsync) {
    RunProviderOpen();
  }
}

void TDataSet::RunProviderOpen() {
  defaultFields_ = fields_->Count() == 0;
  ProviderOpen();
  openCompleted_ = true;
  RecomputeWindowSize();
  window_.SetAtBOF(true);
}

void TDataSet::FinishOpen() {
  std::exception_ptr error;
  if (state_ == DataSetState::OpeningAsync) {
    try {
      RunProviderOpen();
    } catch (...) {
      error = std::current_exception();
    }
  }
  // An open whose window could not be filled is a failed open, not an open dataset with an
  // error beside it.
  if (openCompleted_ && !error) {
    ChangeState(DataSetState::Browsing);
    FireAfterOpen();
  } else {
    openCompleted_ = false;
    ChangeState(DataSetState::Inactive);
    CloseCursorStep();
  }
  if (error) std::rethrow_exception(error);
}

void TDataSet::CloseCursorStep() {
  blockReadSize_ = 0;
  openCompleted_ = false;
  ReleaseFieldBuffers();
  window_.Close();
  ProviderClose();
  defaultFields_ = false;
}

void TDataSet::LoadFieldDefs() {
  if (ProviderIsOpen()) {
    ProviderInitFieldDefs();
    return;
  }
  try {
    OpenCursorStep(true);
  } catch (...) {
    CloseCursorStep();
    throw;
  }
  CloseCursorStep();
}

void TDataSet::AfterLoading() {
  TComponent::AfterLoading();
  try {
    if (activeOnLoad_) SetActive(true);
  } catch (...) {
    if (!ComponentState().Contains(TComponentStateFlag::csDesigning)) throw;
    ProviderHandleException(this);
  }
}

void TDataSet::SetBlockReadSize(std::int32_t value) {
  ChangeBlockReadSize(value);
}

void TDataSet::ChangeBlockReadSize(std::int32_t value) {
  if (value > 0) {
    RequireActive();
    ChangeState(DataSetState::BlockReading);
  } else if (state_ == DataSetState::BlockReading) {
    ChangeState(DataSetState::Browsing);
    // The controls heard nothing of the moves made while block reading: they catch up now.
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
  }
  blockReadSize_ = std::max(value, 0);
}

void TDataSet::ChangeState(DataSetState value) {
  if (value == state_) return;
  state_ = value;
  recordTouched_ = false;
  BroadcastDataEvent(DataNotice::NoticeState, 0);
}

void TDataSet::RequireActive() {
  if (state_ == DataSetState::Inactive) {
    DatabaseError("Cannot perform this operation on a closed dataset", this);
  }
}

void TDataSet::RequireInactive() {
  if (state_ == DataSetState::Inactive) return;
  if (ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    SetActive(false);
    return;
  }
  DatabaseError("Cannot perform this operation on an open dataset", this);
}

void TDataSet::RequireCanModify() {
  if (!CanModifyData()) DatabaseError("Cannot modify a read-only dataset", this);
}

void TDataSet::RequireBidirectional() {
  if (uniDirectional_) DatabaseError("Operation not allowed on a unidirectional dataset", this);
}

void TDataSet::SetBoundFieldCounts(int calc, int internalCalc, int blob) {
  calcFieldCount_ = calc;
  internalCalcFieldCount_ = internalCalc;
  blobFieldCount_ = blob;
}

bool TDataSet::ReadFieldData(TField* field, TFieldData* destination) {
  return false;
}

std::unique_ptr<TStream> TDataSet::OpenBlobStream(TField* field, TBlobStreamMode mode) {
  DatabaseError(Format("Field '%s' has no blob data", field ? field->ShownName().c_str() : ""),
                this);
}

std::unique_ptr<TRecordBuffer> TDataSet::ProviderAllocBuffer() {
  return std::make_unique<TRecordBuffer>();
}

// ---- Data sources and notices

void TDataSet::AttachDataSource(TDataSource* source) {
  if (!source || std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
    return;
  dataSources_.push_back(source);
  source->dataSet_ = this;
  FreeNotification(source);
  RecomputeWindowSize();
  source->RefreshState();
}

void TDataSet::DetachDataSource(TDataSource* source) {
  auto it = std::find(dataSources_.begin(), dataSources_.end(), source);
  if (it == dataSources_.end()) return;
  source->dataSet_ = nullptr;
  dataSources_.erase(it);
  RemoveFreeNotification(source);
  source->RefreshState();
  RecomputeWindowSize();
}

void TDataSet::ComponentNotice(TComponent* component, TOperation operation) {
  TComponent::ComponentNotice(component, operation);
  if (operation != TOperation::opRemove) return;
  // A source detaches itself in its destructor; the removal notice keeps the list clean should
  // one be freed without that.
  auto it = std::find(dataSources_.begin(), dataSources_.end(), component);
  if (it != dataSources_.end()) {
    dataSources_.erase(it);
    RecomputeWindowSize();
  }
}

void TDataSet::BroadcastDataEvent(DataNotice event, DataNoticeInfo info) {
  bool notify = !(ControlsSuspended() || state_ == DataSetState::BlockReading);
  switch (event) {
    case DataNotice::NoticeFieldValue: {
      auto* field = reinterpret_cast<TField*>(info);
      if (!field) break;
      if (field->FieldKind() == TFieldKind::fkData ||
          field->FieldKind() == TFieldKind::fkInternalCalc) {
        recordTouched_ = true;
      }
      if (state_ != DataSetState::KeyEntry) {
        if (internalCalcFieldCount_ > 0 || (autoCalcFields_ && calcFieldCount_ > 0)) {
          FillCalcFields(CurrentBuffer());
        }
        field->FireChange();
      }
      break;
    }
    case DataNotice::NoticeDataSet:
    case DataNotice::NoticeScroll:
      if (state_ == DataSetState::BlockReading && !ControlsSuspended()) {
        std::vector<TDataSource*> sources = dataSources_;
        for (TDataSource* source : sources) source->NotifyNonVisualLinks(event, info);
      }
      break;
    case DataNotice::NoticeLayout:
      flatFieldsStale_ = true;
      if (ControlsSuspended()) pendingEvent_ = DataNotice::NoticeLayout;
      break;
    case DataNotice::NoticeState:
      if (ControlsSuspended()) {
        notify = true;
        event = DataNotice::NoticeSuspendedState;
        info = state_ != DataSetState::Inactive ? 1 : 0;
      }
      break;
    case DataNotice::NoticeProperty:
      fieldDefs_->SetUpdated(false);
      break;
    case DataNotice::NoticeFieldList:
      flatFieldsStale_ = true;
      break;
    default:
      break;
  }
  if (!notify) return;
  // A source may be detached by a handler on the way; those still attached hear it.
  std::vector<TDataSource*> sources = dataSources_;
  for (TDataSource* source : sources) {
    if (std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end()) {
      source->ReceiveDataEvent(event, info);
    }
  }
}

void TDataSet::SuspendControls() {
  if (disableCount_ == 0) {
    stateWhenDisabled_ = state_;
    pendingEvent_ = DataNotice::NoticeDataSet;
  }
  ++disableCount_;
}

void TDataSet::ResumeControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ != 0) return;
  if (stateWhenDisabled_ != state_) BroadcastDataEvent(DataNotice::NoticeState, 0);
  if (stateWhenDisabled_ != DataSetState::Inactive && state_ != DataSetState::Inactive) {
    BroadcastDataEvent(pendingEvent_, 0);
  }
}

void TDataSet::FillCalcFields(TRecordBuffer* buffer) {
  if (calcFieldCount_ == 0 && internalCalcFieldCount_ == 0) return;
  // Calculating is a reading state, not a change the links are told about.
  ScopedValue state(state_, DataSetState::Calculating);
  ScopedValue target(calcBuffer_, buffer);
  FireCalcFields();
}

// ---- Hooks

void TDataSet::RunHook(const TDataSetNotifyEvent& hook) {
  if (hook) hook(this);
}

void TDataSet::FireBeforeOpen() {
  RunHook(BeforeOpen);
}
void TDataSet::FireAfterOpen() {
  RunHook(AfterOpen);
  if (!IsEmptyWindow()) FireAfterScroll();
}
void TDataSet::FireBeforeClose() {
  RunHook(BeforeClose);
}
void TDataSet::FireAfterClose() {
  RunHook(AfterClose);
}
void TDataSet::FireBeforeInsert() {
  RunHook(BeforeInsert);
}
void TDataSet::FireAfterInsert() {
  RunHook(AfterInsert);
}
void TDataSet::FireBeforeEdit() {
  RunHook(BeforeEdit);
}
void TDataSet::FireAfterEdit() {
  RunHook(AfterEdit);
}
void TDataSet::FireBeforePost() {
  RunHook(BeforePost);
}
void TDataSet::FireAfterPost() {
  RunHook(AfterPost);
}
void TDataSet::FireBeforeCancel() {
  RunHook(BeforeCancel);
}
void TDataSet::FireAfterCancel() {
  RunHook(AfterCancel);
}
void TDataSet::FireBeforeDelete() {
  RunHook(BeforeDelete);
}
void TDataSet::FireAfterDelete() {
  RunHook(AfterDelete);
}
void TDataSet::FireBeforeScroll() {
  RunHook(BeforeScroll);
}
void TDataSet::FireAfterScroll() {
  RunHook(AfterScroll);
}
void TDataSet::FireBeforeRefresh() {
  RunHook(BeforeRefresh);
}
void TDataSet::FireAfterRefresh() {
  RunHook(AfterRefresh);
}
void TDataSet::FireCalcFields() {
  RunHook(OnCalcFields);
}
void TDataSet::FireNewRecord() {
  RunHook(OnNewRecord);
}

namespace {
[[maybe_unused]] const auto kTDataSet =
    RegisterClass<TDataSet, TComponent>("TDataSet")
        .Property("Active", &TDataSet::Active, &TDataSet::SetActive)
        .Property("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields)
        .Event("BeforeOpen", &TDataSet::BeforeOpen)
        .Event("AfterOpen", &TDataSet::AfterOpen)
        .Event("BeforeClose", &TDataSet::BeforeClose)
        .Event("AfterClose", &TDataSet::AfterClose)
        .Event("BeforeInsert", &TDataSet::BeforeInsert)
        .Event("AfterInsert", &TDataSet::AfterInsert)
        .Event("BeforeEdit", &TDataSet::BeforeEdit)
        .Event("AfterEdit", &TDataSet::AfterEdit)
        .Event("BeforePost", &TDataSet::BeforePost)
        .Event("AfterPost", &TDataSet::AfterPost)
        .Event("BeforeCancel", &TDataSet::BeforeCancel)
        .Event("AfterCancel", &TDataSet::AfterCancel)
        .Event("BeforeDelete", &TDataSet::BeforeDelete)
        .Event("AfterDelete", &TDataSet::AfterDelete)
        .Event("BeforeScroll", &TDataSet::BeforeScroll)
        .Event("AfterScroll", &TDataSet::AfterScroll)
        .Event("BeforeRefresh", &TDataSet::BeforeRefresh)
        .Event("AfterRefresh", &TDataSet::AfterRefresh)
        .Event("OnCalcFields", &TDataSet::OnCalcFields)
        .Event("OnNewRecord", &TDataSet::OnNewRecord)
        .Event("OnEditError", &TDataSet::OnEditError)
        .Event("OnPostError", &TDataSet::OnPostError)
        .Event("OnDeleteError", &TDataSet::OnDeleteError)
        .Event("OnFilterRecord", &TDataSet::OnFilterRecord);
}  // namespace
