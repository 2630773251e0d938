// The field list: creation order, look-up by name and the name checks of a dataset.
#include "data/fields.h"

#include <algorithm>

#include "core/ansi_case.h"
#include "core/exceptions.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field.h"

TFields::TFields(TDataSet* dataset) : dataset_(dataset) {}

TFields::~TFields() {
  for (TField* field : fields_) {
    field->dataset_ = nullptr;
    field->fields_ = nullptr;
  }
}

TField* TFields::Fields(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  return fields_[static_cast<std::size_t>(index)];
}

int TFields::IndexOf(const TField* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

TField* TFields::FindField(std::string_view name) const {
  for (TField* field : fields_) {
    if (AnsiSameText(field->FieldName(), name)) return field;
  }
  return nullptr;
}

void TFields::CheckFieldName(std::string_view name) const {
  if (name.empty()) DatabaseError("Field name missing", dataset_);
  if (FindField(name)) {
    DatabaseError(Format("Duplicate field name '%.*s'", static_cast<int>(name.size()), name.data()),
                  dataset_);
  }
}

void TFields::Add(TField* field) {
  if (field->fields_) field->fields_->Remove(field);
  fields_.push_back(field);
  field->dataset_ = dataset_;
  field->fields_ = this;
  Changed();
}

void TFields::Remove(TField* field) {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  if (it == fields_.end()) return;
  fields_.erase(it);
  field->dataset_ = nullptr;
  field->fields_ = nullptr;
  field->fieldNo_ = 0;
  Changed();
}

void TFields::Changed() {
  // An open dataset keeps per-field state by position (value caches); it must hear that the
  // positions moved. Closed, it rebuilds that state at the next open anyway.
  if (dataset_ && dataset_->Active()) {
    dataset_->BroadcastDataEvent(DataNotice::NoticeFieldList, 0);
  }
}

void TFields::FreeFieldsOwnedBy(const TComponent* owner) {
  for (std::size_t i = fields_.size(); i-- > 0;) {
    if (i >= fields_.size()) continue;
    TField* field = fields_[i];
    if (field->Owner() == owner) delete field;
  }
}
