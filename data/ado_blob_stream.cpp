// The blob stream of ADO datasets: the field's value as bytes, and back.
#include "data/ado_blob_stream.h"

#include "core/apphooks.h"
#include "data/custom_ado_dataset.h"
#include "data/database_error.h"
#include "data/field.h"
#include "data/field_value.h"
#include "platform/codepage.h"

namespace {

// Binary types store the content as bytes; every other type as text, converted from the
// system code page.
bool HoldsText(TFieldType type) {
  switch (type) {
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftOraBlob:
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
      return false;
    default:
      return true;
  }
}

}  // namespace

TADOBlobStream::TADOBlobStream(TField* field, TBlobStreamMode mode)
    : field_(field), dataSet_(nullptr), mode_(mode) {
  if (field_ == nullptr || field_->DataSet() == nullptr) {
    DatabaseError(Format("Field '%s' has no dataset", field_ ? field_->ShownName().c_str() : ""));
  }
  dataSet_ = dynamic_cast<TCustomADODataSet*>(field_->DataSet());
  if (dataSet_ == nullptr) {
    DatabaseError(
        Format("Field '%s' is not a field of an ADO dataset", field_->ShownName().c_str()));
  }
  if (mode_ != TBlobStreamMode::bmRead) {
    if (field_->ReadOnly()) {
      DatabaseError(Format("Field '%s' cannot be modified", field_->ShownName().c_str()), dataSet_);
    }
    const DataSetState state = dataSet_->State();
    if (state != DataSetState::Editing && state != DataSetState::Inserting) {
      DatabaseError("Dataset not in edit or insert mode", dataSet_);
    }
  }
  if (mode_ != TBlobStreamMode::bmWrite) Load();
}

TADOBlobStream::~TADOBlobStream() {
  if (!modified_) return;
  // A destructor cannot pass the failure on; it is reported rather than lost in silence.
  try {
    Store();
  } catch (...) {
    ApplicationHandleException(dataSet_);
  }
}

void TADOBlobStream::Load() {
  const provider::Variant value = dataSet_->ReadFieldValue(field_);
  if (value.null() || value.empty()) return;
  AnsiString bytes;
  if (auto* wide = std::get_if<std::u16string>(&value.value())) {
    bytes = platform::WideToAnsi(*wide);
  } else if (auto* array = std::get_if<provider::Bytes>(&value.value())) {
    bytes.assign(array->begin(), array->end());
  } else {
    bytes = VariantText(value);
  }
  TMemoryStream::Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  SetPosition(0);
}

std::int64_t TADOBlobStream::Write(const void* buffer, std::int64_t count) {
  if (mode_ == TBlobStreamMode::bmRead) return 0;
  const std::int64_t written = TMemoryStream::Write(buffer, count);
  if (written > 0) modified_ = true;
  return written;
}

void TADOBlobStream::Truncate() {
  if (mode_ == TBlobStreamMode::bmRead) return;
  SetSize(Position());
  modified_ = true;
}

void TADOBlobStream::Store() {
  const auto* data = Memory();
  const auto size = static_cast<std::size_t>(Size());
  if (HoldsText(field_->DataType())) {
    dataSet_->StoreFieldText(field_, AnsiString(reinterpret_cast<const char*>(data), size));
  } else {
    dataSet_->StoreFieldValue(
        field_, size == 0 ? provider::Variant::Null()
                          : provider::Variant::Array(provider::Bytes(data, data + size)));
  }
  modified_ = false;
}
