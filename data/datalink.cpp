// TDataLink: attaching to a source, its active and editing flags, its view of the window and
// the base dispatch of notices.
#include "data/datalink.h"

#include <algorithm>

#include "data/database_error.h"
#include "data/dataset.h"
#include "data/datasource.h"

TDataLink::~TDataLink() {
  // The subclass is gone: clearing the flags first keeps the detach from calling into it.
  active_ = false;
  editing_ = false;
  sourceFixed_ = false;
  AttachToSource(nullptr);
}

void TDataLink::AttachToSource(TDataSource* source) {
  if (source == source_) return;
  if (sourceFixed_) DatabaseError("DataSource cannot be changed", source_);
  if (source_) source_->RemoveLink(this);
  if (source) source->AddLink(this);
}

TDataSet* TDataLink::DataSet() const {
  return source_ ? source_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  RefreshLinkState();
}

void TDataLink::RefreshLinkState() {
  SetLinkActive(source_ && source_->State() != DataSetState::Inactive);
  const DataSetState state = source_ ? source_->State() : DataSetState::Inactive;
  SetLinkEditing(source_ &&
                 (state == DataSetState::Editing || state == DataSetState::Inserting ||
                  state == DataSetState::KeyEntry) &&
                 !readOnly_);
}

void TDataLink::SetLinkActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    ClampRange();
  } else {
    firstRecord_ = 0;
  }
  LinkActiveChanged();
}

void TDataLink::SetLinkEditing(bool value) {
  if (value == editing_) return;
  editing_ = value;
  LinkEditingChanged();
}

bool TDataLink::RequestLinkEdit() {
  if (!readOnly_ && source_) source_->RequestEdit();
  return editing_;
}

void TDataLink::StoreControlValues() {
  storingValues_ = true;
  try {
    LinkUpdateData();
  } catch (...) {
    storingValues_ = false;
    throw;
  }
  storingValues_ = false;
}

bool TDataLink::InKeyEntry() const {
  return source_ && source_->State() == DataSetState::KeyEntry;
}

void TDataLink::ClampRange() {
  TDataSet* dataSet = DataSet();
  if (!dataSet) return;
  const std::int32_t active = dataSet->ActiveIndex();
  const std::int32_t lo = std::max(0, active - bufferCount_ + 1);
  std::int32_t hi = std::max(0, dataSet->FilledCount() - bufferCount_);
  hi = std::min(hi, active);
  firstRecord_ = std::max(firstRecord_, lo);
  firstRecord_ = std::min(firstRecord_, hi);
  if (firstRecord_ != 0 && active - firstRecord_ < bufferCount_ - 1) --firstRecord_;
}

void TDataLink::LinkDataEvent(DataNotice event, DataNoticeInfo info) {
  if (event == DataNotice::NoticeState) {
    RefreshLinkState();
    return;
  }
  if (!active_) return;
  switch (event) {
    case DataNotice::NoticeFieldValue:
    case DataNotice::NoticeRecord:
      if (!storingValues_) LinkRecordChanged(reinterpret_cast<TField*>(info));
      break;
    case DataNotice::NoticeDataSet:
    case DataNotice::NoticeScroll:
    case DataNotice::NoticeLayout: {
      std::int32_t slide = 0;
      TDataSet* dataSet = DataSet();
      if (!InKeyEntry() && dataSet) {
        const std::int32_t active = dataSet->ActiveIndex();
        const std::int32_t first = firstRecord_ + static_cast<std::int32_t>(info);
        const std::int32_t last = first + bufferCount_ - 1;
        if (active > last) {
          slide = active - last;
        } else if (active < first) {
          slide = active - first;
        }
        firstRecord_ = first + slide;
      }
      if (event == DataNotice::NoticeDataSet) {
        LinkDataSetChanged();
      } else if (event == DataNotice::NoticeScroll) {
        LinkDataSetScrolled(slide);
      } else {
        LinkLayoutChanged();
      }
      break;
    }
    case DataNotice::NoticeUpdateRecord:
      StoreControlValues();
      break;
    case DataNotice::NoticeBrowseCheck:
      LinkCheckBrowseMode();
      break;
    case DataNotice::NoticeFocus:
      LinkFocusControl(reinterpret_cast<TField**>(info));
      break;
    default:
      break;
  }
}

std::int32_t TDataLink::LinkActiveRecord() const {
  if (InKeyEntry()) return 0;
  TDataSet* dataSet = DataSet();
  return dataSet ? dataSet->ActiveIndex() - firstRecord_ : 0;
}

bool TDataLink::LinkAtBOF() const {
  TDataSet* dataSet = DataSet();
  return !dataSet || dataSet->AtBOF();
}

bool TDataLink::LinkAtEOF() const {
  TDataSet* dataSet = DataSet();
  return !dataSet || dataSet->AtEOF();
}

std::int32_t TDataLink::LinkRecordCount() const {
  if (InKeyEntry()) return 1;
  TDataSet* dataSet = DataSet();
  return dataSet ? std::min(dataSet->FilledCount(), bufferCount_) : 0;
}

std::int32_t TDataLink::LinkMoveBy(std::int32_t distance) {
  TDataSet* dataSet = DataSet();
  if (!dataSet) DatabaseError("Cannot perform this operation on a closed dataset", source_);
  return dataSet->MoveByDistance(distance);
}

void TDataLink::SetLinkActiveRecord(std::int32_t index) {
  if (InKeyEntry()) return;
  if (TDataSet* dataSet = DataSet()) dataSet->SetActiveIndex(index + firstRecord_);
}

void TDataLink::SetLinkBufferCount(std::int32_t count) {
  if (count == bufferCount_) return;
  bufferCount_ = count;
  if (!active_) return;
  ClampRange();
  if (TDataSet* dataSet = DataSet()) dataSet->RecomputeWindowSize();
  ClampRange();
}
