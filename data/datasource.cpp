// TDataSource: attaching to a dataset, the state copy, and forwarding notices to the links.
#include "data/datasource.h"

#include <algorithm>
#include <unordered_set>

#include "core/classes.h"
#include "data/database_error.h"
#include "data/datalink.h"
#include "data/dataset.h"

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  SetComponentState(TComponentStateFlag::csDestroying, true);
  OnStateChange = TNotifyEvent();
  SetDataSet(nullptr);
  while (!links_.empty()) RemoveLink(links_.back());
}

void TDataSource::SetDataSet(TDataSet* value) {
  if (value == dataSet_) return;
  if (value && LeadsBackTo(value)) DatabaseError("Circular datalinks are not allowed", this);
  if (dataSet_) dataSet_->DetachDataSource(this);
  if (value) value->AttachDataSource(this);
}

void TDataSource::SetEnabled(bool value) {
  enabled_ = value;
  RefreshState();
}

void TDataSource::RequestEdit() {
  if (autoEdit_ && state_ == DataSetState::Browsing) dataSet_->BeginEdit();
}

void TDataSource::AddLink(TDataLink* link) {
  links_.push_back(link);
  link->source_ = this;
  if (dataSet_) dataSet_->RecomputeWindowSize();
  link->RefreshLinkState();
}

void TDataSource::RemoveLink(TDataLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  link->source_ = nullptr;
  links_.erase(it);
  link->RefreshLinkState();
  if (dataSet_) dataSet_->RecomputeWindowSize();
}

bool TDataSource::LeadsBackTo(TDataSet* dataSet) const {
  // A chain that already loops elsewhere must not keep this walk going for ever.
  std::unordered_set<const TDataSet*> seen;
  while (dataSet && seen.insert(dataSet).second) {
    TDataSource* master = dataSet->LinkedDataSource();
    if (!master) return false;
    if (master == this) return true;
    dataSet = master->DataSet();
  }
  return false;
}

void TDataSource::ReceiveDataEvent(DataNotice event, DataNoticeInfo info) {
  if (event == DataNotice::NoticeState) {
    RefreshState();
    return;
  }
  if (state_ == DataSetState::Inactive) return;
  NotifyLinks(event, info);
  switch (event) {
    case DataNotice::NoticeFieldValue:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(info));
      break;
    case DataNotice::NoticeRecord:
    case DataNotice::NoticeDataSet:
    case DataNotice::NoticeScroll:
    case DataNotice::NoticeLayout:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case DataNotice::NoticeUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::RefreshState() {
  const DataSetState state = enabled_ && dataSet_ ? dataSet_->State() : DataSetState::Inactive;
  if (state == state_) return;
  const DataSetState old = state_;
  state_ = state;
  NotifyLinks(DataNotice::NoticeState, 0);
  if (ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  if (OnStateChange) OnStateChange(this);
  if (old == DataSetState::Inactive && OnDataChange) OnDataChange(this, nullptr);
}

void TDataSource::NotifyLinks(DataNotice event, DataNoticeInfo info) {
  NotifyLinkPass(false, event, info);
  NotifyLinkPass(true, event, info);
}

void TDataSource::NotifyNonVisualLinks(DataNotice event, DataNoticeInfo info) {
  NotifyLinkPass(false, event, info);
}

void TDataSource::NotifyLinkPass(bool visual, DataNotice event, DataNoticeInfo info) {
  // A link may leave (or make another leave) while it is notified; only those still listed
  // hear the notice.
  const std::vector<TDataLink*> snapshot = links_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TDataLink* link = *it;
    if (link->VisualControl() != visual) continue;
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    link->LinkDataEvent(event, info);
  }
}

void TDataSource::ComponentNotice(TComponent* component, TOperation operation) {
  TComponent::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component == dataSet_) {
    dataSet_ = nullptr;
    RefreshState();
  }
}

namespace {
[[maybe_unused]] const auto kTDataSource =
    RegisterClass<TDataSource, TComponent>("TDataSource")
        .Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit)
        .Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
        .Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled)
        .Event("OnStateChange", &TDataSource::OnStateChange)
        .Event("OnDataChange", &TDataSource::OnDataChange)
        .Event("OnUpdateData", &TDataSource::OnUpdateData);
}  // namespace
