// TDataSet: editing, inserting, appending, posting, cancelling and deleting records, with the
// error handlers that may retry or abort a provider operation.
#include "core/exceptions.h"
#include "data/database_error.h"
#include "data/dataset.h"

namespace {
bool InEditModes(DataSetState state) {
  return state == DataSetState::Editing || state == DataSetState::Inserting;
}
}  // namespace

void TDataSet::RunWithErrorHandler(const TDataSetErrorEvent& handler, ProviderOperation operation) {
  for (;;) {
    try {
      SyncCursorToActive();
      (this->*operation)();
      return;
    } catch (EDatabaseError& error) {
      TDataAction action = TDataAction::daFail;
      if (handler) handler(this, error, action);
      if (action == TDataAction::daFail) throw;
      if (action == TDataAction::daAbort) throw EAbort("Operation aborted");
    }
  }
}

void TDataSet::EnsureBrowseMode() {
  RequireActive();
  BroadcastDataEvent(DataNotice::NoticeBrowseCheck, 0);
  if (InEditModes(state_)) {
    StoreControlValues();
    if (recordTouched_) {
      PostRecord();
    } else {
      CancelRecord();
    }
  } else if (state_ == DataSetState::KeyEntry) {
    PostRecord();
  }
}

void TDataSet::StoreControlValues() {
  if (!InEditModes(state_) && state_ != DataSetState::KeyEntry) {
    DatabaseError("Dataset not in edit or insert mode", this);
  }
  BroadcastDataEvent(DataNotice::NoticeUpdateRecord, 0);
}

void TDataSet::BeginEdit() {
  if (InEditModes(state_)) return;
  if (FilledCount() == 0) {
    InsertNewRecord();
    return;
  }
  EnsureBrowseMode();
  RequireCanModify();
  FireBeforeEdit();
  RunWithErrorHandler(OnEditError, &TDataSet::ProviderEdit);
  FillCalcFields(CurrentBuffer());
  ChangeState(DataSetState::Editing);
  BroadcastDataEvent(DataNotice::NoticeRecord, 0);
  FireAfterEdit();
}

void TDataSet::PostRecord() {
  StoreControlValues();
  if (!InEditModes(state_)) return;
  BroadcastDataEvent(DataNotice::NoticeBrowseCheck, 0);
  FireBeforePost();
  RunWithErrorHandler(OnPostError, &TDataSet::ProviderPost);
  ReleaseFieldBuffers();
  ChangeState(DataSetState::Browsing);
  RefillWindow(false, false);
  FireAfterPost();
}

void TDataSet::CancelRecord() {
  if (!InEditModes(state_)) return;
  BroadcastDataEvent(DataNotice::NoticeBrowseCheck, 0);
  FireBeforeCancel();
  const bool wasInserting = state_ == DataSetState::Inserting;
  if (wasInserting) FireBeforeScroll();
  SyncCursorToActive();
  ProviderCancel();
  ReleaseFieldBuffers();
  ChangeState(DataSetState::Browsing);
  RefillWindow(false, false);
  FireAfterCancel();
  if (wasInserting) FireAfterScroll();
}

void TDataSet::PrepareNewRecord() {
  EnsureBrowseMode();
  RequireCanModify();
  FireBeforeInsert();
  FireBeforeScroll();
}

void TDataSet::InsertNewRecord() {
  PrepareNewRecord();
  const bool hadRecords = FilledCount() > 0;
  TRecordBuffer& buffer = window_.OpenGapAtActive();
  InitBuffer(buffer);
  if (hadRecords) {
    ProviderCopyBookmark(Buffer(ActiveIndex() + 1), buffer);
  } else {
    buffer.SetFlag(BookmarkFlag::Bof);
  }
  window_.KeepInserted();
  ProviderInsert();
  FinishNewRecord();
}

void TDataSet::AppendNewRecord() {
  PrepareNewRecord();
  EmptyWindow();
  TRecordBuffer& buffer = Buffer(0);
  InitBuffer(buffer);
  buffer.SetFlag(BookmarkFlag::Eof);
  window_.StartAppended();
  FillBackward();
  ProviderInsert();
  FinishNewRecord();
}

void TDataSet::FinishNewRecord() {
  ChangeState(DataSetState::Inserting);
  try {
    FireNewRecord();
  } catch (...) {
    SyncCursorToActive();
    ReleaseFieldBuffers();
    ChangeState(DataSetState::Browsing);
    RefillWindow(false, false);
    throw;
  }
  recordTouched_ = false;
  BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
  FireAfterInsert();
  FireAfterScroll();
}

void TDataSet::DeleteActiveRecord() {
  RequireActive();
  if (state_ == DataSetState::Inserting || state_ == DataSetState::KeyEntry) {
    CancelRecord();
    return;
  }
  if (FilledCount() == 0) DatabaseError("Cannot perform this operation on an empty dataset", this);
  BroadcastDataEvent(DataNotice::NoticeBrowseCheck, 0);
  FireBeforeDelete();
  FireBeforeScroll();
  RunWithErrorHandler(OnDeleteError, &TDataSet::ProviderDelete);
  ReleaseFieldBuffers();
  ChangeState(DataSetState::Browsing);
  RefillWindow(false, false);
  FireAfterDelete();
  FireAfterScroll();
}
