// The ADO dataset base: fetching records into buffers, moving the recordset, reading field
// values in their native forms, blob streams and record counts.
#include <cmath>

#include "core/apphooks.h"
#include "data/ado_blob_stream.h"
#include "data/ado_record_buffer.h"
#include "data/custom_ado_dataset.h"
#include "data/database_error.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/field_value.h"
#include "data/fields.h"
#include "data/master_datalink.h"
#include "data/olecheck.h"
#include "platform/codepage.h"

namespace {

TADORecordBuffer& AsADO(TRecordBuffer& buffer) {
  return static_cast<TADORecordBuffer&>(buffer);
}

AnsiString AnsiTextOf(const provider::Variant& value) {
  if (auto* wide = std::get_if<std::u16string>(&value.value())) return platform::WideToAnsi(*wide);
  return VariantText(value);
}

[[noreturn]] void AccessError(TField* field, TDataSet* dataSet) {
  DatabaseError(Format("Cannot access field '%s' as type %s", field->ShownName().c_str(),
                       FieldTypeName(field->DataType())),
                dataSet);
}

}  // namespace

// ---- Moving the recordset

bool TCustomADODataSet::RecordsetAtBOF() {
  bool value = false;
  OleCheck(recordset_->get_BOF(&value));
  return value;
}

bool TCustomADODataSet::RecordsetAtEOF() {
  bool value = false;
  OleCheck(recordset_->get_EOF(&value));
  return value;
}

void TCustomADODataSet::ProviderFirst() {
  if (RecordsetAtBOF()) return;
  OleCheck(recordset_->MoveFirst());
  if (RecordsetSupports(provider::adMovePrevious) && !RecordsetAtBOF()) {
    OleCheck(recordset_->MovePrevious());
  }
}

void TCustomADODataSet::ProviderLast() {
  if (RecordsetAtEOF()) return;
  OleCheck(recordset_->MoveLast());
  if (!RecordsetAtEOF()) OleCheck(recordset_->MoveNext());
}

void TCustomADODataSet::ProviderSetToRecord(TRecordBuffer& base) {
  TADORecordBuffer& buffer = AsADO(base);
  if (buffer.Flag() != BookmarkFlag::Current && buffer.Flag() != BookmarkFlag::Inserted) return;
  // A record appended at the end has no record to stand on yet.
  if (buffer.bookmark.empty()) return;
  OleCheck(recordset_->put_Bookmark(buffer.bookmark));
}

void TCustomADODataSet::PositionRecordset(TADORecordBuffer& buffer) {
  if (bookmarkSize_ == 0 || State() == DataSetState::Calculating) return;
  if (!RecordsetAtBOF() && !RecordsetAtEOF()) {
    provider::Variant current;
    OleCheck(recordset_->get_Bookmark(&current));
    if (current == buffer.bookmark) return;
  }
  ProviderSetToRecord(buffer);
  SetProviderIndex(-1);
}

// ---- Fetching

bool TCustomADODataSet::MasterRestricts() {
  if (!masterLink_->Active()) return false;
  TDataSet* master = masterLink_->DataSet();
  return master != nullptr &&
         (master->IsEmptyWindow() || master->State() == DataSetState::Inserting);
}

void TCustomADODataSet::FillBuffer(TADORecordBuffer& buffer) {
  std::int32_t status = 0;
  OleCheck(recordset_->get_Status(&status));
  buffer.recordStatus = status;
  if (bookmarkSize_ == 0 || (status & provider::adRecDeleted) != 0) {
    buffer.SetFlag(BookmarkFlag::None);
    buffer.bookmark = provider::Variant();
    buffer.recordNumber = kRecordNumberNotRead;
  } else {
    buffer.SetFlag(BookmarkFlag::Current);
    OleCheck(recordset_->get_Bookmark(&buffer.bookmark));
    buffer.recordNumber = kRecordNumberNotRead;
    if (!ControlsSuspended()) OleCheck(recordset_->get_AbsolutePosition(&buffer.recordNumber));
  }
  buffer.values.assign(static_cast<std::size_t>(Fields().Count()), provider::Variant());
  // The recordset stands on this record, so the handler reads its values.
  FillCalcFields(&buffer);
}

FetchResult TCustomADODataSet::FetchOnce(TADORecordBuffer& buffer, FetchMode mode) {
  switch (mode) {
    case FetchMode::Current:
      if (RecordsetAtEOF()) return FetchResult::Eof;
      if (RecordsetAtBOF()) return FetchResult::Bof;
      break;
    case FetchMode::Next:
      // Right after opening a recordset without bookmarks the cursor is on the first record
      // already; with bookmarks it was put before it.
      if ((State() != DataSetState::Inactive || bookmarkSize_ > 0) && !RecordsetAtEOF()) {
        OleCheck(recordset_->MoveNext());
      }
      if (RecordsetAtEOF()) {
        if (bookmarkSize_ == 0) {
          if (auto* active = static_cast<TADORecordBuffer*>(CurrentBuffer())) active->ClearValues();
        }
        return FetchResult::Eof;
      }
      break;
    case FetchMode::Prior:
      if (!RecordsetAtBOF()) OleCheck(recordset_->MovePrevious());
      if (RecordsetAtBOF()) return FetchResult::Bof;
      break;
  }
  FillBuffer(buffer);
  return FetchResult::Ok;
}

FetchResult TCustomADODataSet::FetchFiltered(TADORecordBuffer& buffer, FetchMode mode) {
  FetchResult result = FetchOnce(buffer, mode);
  // A rejected current record is passed by in the forward direction.
  const FetchMode onward = mode == FetchMode::Current ? FetchMode::Next : mode;
  while (result == FetchResult::Ok) {
    bool accept = true;
    filterBuffer_ = &buffer;
    try {
      OnFilterRecord(this, accept);
    } catch (...) {
      filterBuffer_ = nullptr;
      ApplicationHandleException(this);
      return FetchResult::Error;
    }
    filterBuffer_ = nullptr;
    if (accept) break;
    result = FetchOnce(buffer, onward);
  }
  return result;
}

FetchResult TCustomADODataSet::ProviderFetch(TRecordBuffer& base, FetchMode mode, bool check) {
  TADORecordBuffer& buffer = AsADO(base);
  try {
    if (bookmarkSize_ == 0 && WindowSize() > 1) {
      DatabaseError(
          "Dataset does not support bookmarks, which are required for multi-record data controls",
          this);
    }
    if (MasterRestricts()) return FetchResult::Eof;
    if (Filtered() && OnFilterRecord) return FetchFiltered(buffer, mode);
    return FetchOnce(buffer, mode);
  } catch (...) {
    if (check) throw;
    return FetchResult::Error;
  }
}

void TCustomADODataSet::ProviderInitRecord(TRecordBuffer& base) {
  TADORecordBuffer& buffer = AsADO(base);
  buffer.bookmark = provider::Variant();
  buffer.recordStatus = 0;
  buffer.recordNumber = kRecordNumberNotRead;
  // A new record has no values of its own yet: Null, not "read it from the recordset".
  buffer.values.assign(static_cast<std::size_t>(Fields().Count()), provider::Variant::Null());
}

void TCustomADODataSet::ProviderCopyBookmark(const TRecordBuffer& from, TRecordBuffer& to) {
  AsADO(to).bookmark = static_cast<const TADORecordBuffer&>(from).bookmark;
}

// ---- Values

TADORecordBuffer* TCustomADODataSet::ReadingBuffer() {
  if (filterBuffer_) return filterBuffer_;
  auto* active = static_cast<TADORecordBuffer*>(CurrentBuffer());
  switch (State()) {
    case DataSetState::Browsing:
    case DataSetState::BlockReading:
      if (IsEmptyWindow()) return nullptr;
      if (bookmarkSize_ == 0 && RecordsetAtEOF()) return nullptr;
      return active;
    case DataSetState::Editing:
    case DataSetState::Inserting:
    case DataSetState::NewValueView:
      return active;
    case DataSetState::Calculating:
    case DataSetState::InternalCalculating:
      return static_cast<TADORecordBuffer*>(CalcBuffer());
    default:
      return nullptr;
  }
}

provider::Field* TCustomADODataSet::RecordsetField(std::int32_t index) {
  provider::Fields* fields = nullptr;
  OleCheck(recordset_->get_Fields(&fields));
  provider::Field* field = nullptr;
  OleCheck(fields->get_Item(index, &field));
  return field;
}

provider::Variant* TCustomADODataSet::ValueSlot(TADORecordBuffer* buffer, TField* field) {
  const int index = Fields().IndexOf(field);
  if (buffer == nullptr || index < 0) return nullptr;
  const auto at = static_cast<std::size_t>(index);
  if (at >= buffer->values.size()) buffer->values.resize(at + 1);
  return &buffer->values[at];
}

provider::Variant TCustomADODataSet::ReadFieldValue(TField* field) {
  if (!ProviderIsOpen()) return provider::Variant::Null();
  if (fieldListChecksum_ == 0) {
    fieldListChecksum_ = FieldListChecksum();
    SyncCursorToActive();
    RefillWindow(false, false);
  }
  TADORecordBuffer* buffer = ReadingBuffer();
  provider::Variant* slot = ValueSlot(buffer, field);
  if (slot == nullptr) return provider::Variant::Null();
  provider::Variant& cached = *slot;
  if (cached.empty() && field->FieldNo() > 0) {
    if ((buffer->recordStatus & provider::adRecDeleted) != 0) {
      cached = provider::Variant::Null();
    } else {
      PositionRecordset(*buffer);
      provider::Variant value;
      OleCheck(RecordsetField(field->FieldNo() - 1)->get_Value(&value));
      cached = value.empty() ? provider::Variant::Null() : value;
    }
  }
  return cached;
}

bool TCustomADODataSet::ReadFieldData(TField* field, TFieldData* destination) {
  const provider::Variant value = ReadFieldValue(field);
  if (value.null() || value.empty()) return false;
  if (destination == nullptr) return true;
  const TFieldData data = value;
  const TFieldType type = field->DataType();
  switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftGuid: {
      AnsiString text = AnsiTextOf(value);
      if (field->Size() > 0 && text.size() > static_cast<std::size_t>(field->Size())) {
        text.resize(static_cast<std::size_t>(field->Size()));
      }
      *destination = std::move(text);
      return true;
    }
    case TFieldType::ftWideString:
      if (auto* wide = std::get_if<std::u16string>(&value.value())) {
        *destination = *wide;
      } else {
        *destination = platform::AnsiToWide(VariantText(value));
      }
      return true;
    case TFieldType::ftSmallint:
    case TFieldType::ftWord:
      if (auto v = IntegerOfData(data)) {
        *destination = static_cast<std::int16_t>(*v);
        return true;
      }
      break;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
      if (auto v = IntegerOfData(data)) {
        *destination = static_cast<std::int32_t>(*v);
        return true;
      }
      break;
    case TFieldType::ftLargeint:
      if (auto v = IntegerOfData(data)) {
        *destination = *v;
        return true;
      }
      break;
    case TFieldType::ftBoolean:
      if (auto v = BooleanOfData(data)) {
        *destination = *v;
        return true;
      }
      break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
      if (auto v = FloatOfData(data)) {
        *destination = *v;
        return true;
      }
      break;
    case TFieldType::ftBCD:
      // Through currency: four decimal places.
      if (auto v = FloatOfData(data)) {
        *destination = std::round(*v * 10000) / 10000;
        return true;
      }
      break;
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
      if (auto v = BytesOfData(data)) {
        *destination = std::move(*v);
        return true;
      }
      break;
    case TFieldType::ftVariant:
    case TFieldType::ftInterface:
    case TFieldType::ftIDispatch:
      *destination = value;
      return true;
    default:
      if (IsBlobType(type)) {
        *destination = value;
        return true;
      }
      DatabaseError(Format("Unsupported field type (%s) in field %s", FieldTypeName(type),
                           field->ShownName().c_str()),
                    this);
  }
  AccessError(field, this);
}

std::unique_ptr<TStream> TCustomADODataSet::OpenBlobStream(TField* field, TBlobStreamMode mode) {
  return std::make_unique<TADOBlobStream>(field, mode);
}

// ---- Counts and positions

std::int32_t TCustomADODataSet::TotalRecordCount() {
  RequireActive();
  std::int32_t count = 0;
  OleCheck(recordset_->get_RecordCount(&count));
  return count;
}

std::int32_t TCustomADODataSet::CurrentRecordNumber() {
  RequireActive();
  if (IsEmptyWindow() || State() == DataSetState::Inserting) return -1;
  auto* buffer = static_cast<TADORecordBuffer*>(CurrentBuffer());
  if (buffer == nullptr) return -1;
  if (buffer->recordNumber == kRecordNumberNotRead) {
    PositionRecordset(*buffer);
    std::int32_t position = 0;
    OleCheck(recordset_->get_AbsolutePosition(&position));
    if (buffer->Flag() == BookmarkFlag::Current) buffer->recordNumber = position;
    return position;
  }
  return buffer->recordNumber;
}
