// The ADO dataset base: new field values kept in the active buffer, and the edit, insert and
// delete of the record carried out on the recordset.
#include <algorithm>

#include "data/ado_record_buffer.h"
#include "data/ado_text_merge.h"
#include "data/custom_ado_dataset.h"
#include "data/database_error.h"
#include "data/field.h"
#include "data/fields.h"
#include "data/olecheck.h"
#include "platform/codepage.h"

namespace {

// Types whose values the provider keeps as wide text.
bool IsTextType(TFieldType type) {
  switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TCustomADODataSet::StoreFieldValue(TField* field, const provider::Variant& value) {
  if (State() == DataSetState::Calculating && (field->Calculated() || field->Lookup())) {
    StoreCalculatedValue(field, value);
    return;
  }
  if (State() != DataSetState::Editing && State() != DataSetState::Inserting) {
    DatabaseError("Dataset not in edit or insert mode", this);
  }
  provider::Variant* slot = ValueSlot(static_cast<TADORecordBuffer*>(CurrentBuffer()), field);
  if (slot == nullptr) {
    DatabaseError(Format("Field '%s' not found", field->ShownName().c_str()), this);
  }
  *slot = value.empty() ? provider::Variant::Null() : value;
  if (std::find(modifiedFields_.begin(), modifiedFields_.end(), field) == modifiedFields_.end()) {
    modifiedFields_.push_back(field);
  }
  BroadcastDataEvent(DataNotice::NoticeFieldValue, reinterpret_cast<DataNoticeInfo>(field));
}

void TCustomADODataSet::StoreFieldText(TField* field, const AnsiString& text) {
  if (!IsTextType(field->DataType())) {
    StoreFieldValue(field, text.empty() ? provider::Variant::Null()
                                        : provider::Variant::String(platform::AnsiToWide(text)));
    return;
  }
  const provider::Variant before = ReadFieldValue(field);
  const auto* stored = std::get_if<std::u16string>(&before.value());
  const std::u16string merged = MergeEditedText(stored ? *stored : std::u16string(), text);
  StoreFieldValue(field,
                  merged.empty() ? provider::Variant::Null() : provider::Variant::String(merged));
}

void TCustomADODataSet::StoreCalculatedValue(TField* field, const provider::Variant& value) {
  provider::Variant* slot = ValueSlot(static_cast<TADORecordBuffer*>(CalcBuffer()), field);
  if (slot == nullptr) {
    DatabaseError(Format("Field '%s' not found", field->ShownName().c_str()), this);
  }
  *slot = value.empty() ? provider::Variant::Null() : value;
}

// Pessimistic locking would lock the record here; the provider's client cursor keeps no locks.
void TCustomADODataSet::ProviderEdit() {
  modifiedFields_.clear();
}

void TCustomADODataSet::ProviderPost() {
  try {
    if (State() == DataSetState::Inserting) OleCheck(recordset_->AddNew());
    auto* buffer = static_cast<TADORecordBuffer*>(CurrentBuffer());
    for (TField* field : modifiedFields_) {
      const int index = Fields().IndexOf(field);
      if (index < 0 || field->FieldNo() <= 0) continue;
      OleCheck(RecordsetField(field->FieldNo() - 1)
                   ->put_Value(buffer->values[static_cast<std::size_t>(index)]));
    }
    OleCheck(recordset_->Update());
  } catch (const Exception& error) {
    // The values stay in the record buffer for another try; the recordset must not keep them,
    // or its next move would try to store them again behind the dataset's back.
    provider::EditModeEnum mode = provider::adEditNone;
    if (provider::SUCCEEDED(recordset_->get_EditMode(&mode)) && mode != provider::adEditNone) {
      recordset_->CancelUpdate();
    }
    if (dynamic_cast<const EDatabaseError*>(&error) != nullptr) throw;
    throw EDatabaseError(error.Message());
  }
  modifiedFields_.clear();
}

void TCustomADODataSet::ProviderCancel() {
  modifiedFields_.clear();
  provider::EditModeEnum mode = provider::adEditNone;
  OleCheck(recordset_->get_EditMode(&mode));
  if (mode != provider::adEditNone) OleCheck(recordset_->CancelUpdate());
}

void TCustomADODataSet::ProviderDelete() {
  try {
    OleCheck(recordset_->Delete(provider::adAffectCurrent));
  } catch (const EDatabaseError&) {
    throw;
  } catch (const Exception& error) {
    throw EDatabaseError(error.Message());
  }
}
