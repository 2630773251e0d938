// The master link: finding the master fields and telling the detail of master changes.
#include "data/master_datalink.h"

#include <algorithm>

#include "data/dataset.h"
#include "data/datasource.h"

TMasterDataLink::TMasterDataLink(TDataSet* detail) : detail_(detail) {}

void TMasterDataLink::SetFieldNames(const AnsiString& value) {
  if (value == fieldNames_) return;
  fieldNames_ = value;
  LinkActiveChanged();
}

void TMasterDataLink::FindFields() {
  fields_.clear();
  TDataSet* master = DataSet();
  if (master == nullptr) return;
  std::size_t start = 0;
  while (start <= fieldNames_.size()) {
    std::size_t end = fieldNames_.find(';', start);
    if (end == AnsiString::npos) end = fieldNames_.size();
    AnsiString name = fieldNames_.substr(start, end - start);
    const auto first = name.find_first_not_of(' ');
    if (first != AnsiString::npos) {
      name = name.substr(first, name.find_last_not_of(' ') - first + 1);
      fields_.push_back(master->FieldNamed(name));
    }
    start = end + 1;
  }
}

bool TMasterDataLink::DetailReady() const {
  return detail_ != nullptr && detail_->Active() &&
         !detail_->ComponentState().Contains(TComponentStateFlag::csDestroying);
}

void TMasterDataLink::ReportChange() {
  if (Active() && !fields_.empty()) {
    if (OnMasterChange) OnMasterChange(this);
  } else if (OnMasterDisable) {
    OnMasterDisable(this);
  }
}

void TMasterDataLink::LinkActiveChanged() {
  fields_.clear();
  if (Active()) {
    try {
      FindFields();
    } catch (...) {
      fields_.clear();
      throw;
    }
  }
  if (DetailReady()) ReportChange();
}

void TMasterDataLink::LinkLayoutChanged() {
  LinkActiveChanged();
}

void TMasterDataLink::LinkCheckBrowseMode() {
  if (detail_ != nullptr && detail_->Active()) detail_->EnsureBrowseMode();
}

void TMasterDataLink::LinkRecordChanged(TField* field) {
  if (Source() == nullptr || Source()->State() == DataSetState::KeyEntry) return;
  if (!DetailReady() || fields_.empty()) return;
  if (field != nullptr && std::find(fields_.begin(), fields_.end(), field) == fields_.end()) return;
  if (OnMasterChange) OnMasterChange(this);
}
