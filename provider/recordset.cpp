// The static cursor: opening, moving, positions, values and updates.
#include "provider/recordset.h"

#include <cmath>

#include "provider/error_info.h"
#include "provider/source.h"

namespace provider {

namespace {

const std::string kNoCurrentRecord =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.";
const std::string kBadArguments =
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
    "another.";
const std::string kNotCapable =
    "Object or provider is not capable of performing requested operation.";

HRESULT Closed() {
  return Fail(adErrObjectClosed, "Operation is not allowed when the object is closed.",
              kRecordsetSource);
}

HRESULT BadArguments() {
  return Fail(adErrInvalidArgument, kBadArguments, kRecordsetSource);
}

// What a client static cursor does whatever it runs over.
constexpr std::int32_t kCursorOptions =
    adHoldRecords | adMovePrevious | adBookmark | adApproxPosition | adResync;
constexpr std::int32_t kUpdateOptions = adUpdate | adAddNew | adDelete | adUpdateBatch;
// The execute options that may ride along with the command type; execution is synchronous
// whatever they ask.
constexpr std::int32_t kExecuteOptions = 0xF0;

// The code Jet gives a command that fails: a missing table or query, a statement it cannot
// read, or anything else.
HRESULT CommandFailure(const Status& status) {
  switch (status.kind()) {
    case StatusKind::notFound:
      return DB_E_NOTABLE;
    case StatusKind::invalidArgument:
      return DB_E_ERRORSINCOMMAND;
    default:
      return E_FAIL;
  }
}

}  // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

HRESULT Recordset::get_CursorLocation(CursorLocationEnum* value) const {
  *value = cursorLocation_;
  return S_OK;
}

HRESULT Recordset::put_CursorLocation(CursorLocationEnum value) {
  if (value != adUseServer && value != adUseClient) return BadArguments();
  cursorLocation_ = value;
  return S_OK;
}

HRESULT Recordset::get_CacheSize(std::int32_t* value) const {
  *value = cacheSize_;
  return S_OK;
}

HRESULT Recordset::put_CacheSize(std::int32_t value) {
  if (value < 1) return BadArguments();
  cacheSize_ = value;
  return S_OK;
}

HRESULT Recordset::get_MaxRecords(std::int32_t* value) const {
  *value = maxRecords_;
  return S_OK;
}

HRESULT Recordset::put_MaxRecords(std::int32_t value) {
  if (IsOpen()) {
    return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.",
                kRecordsetSource);
  }
  if (value < 0) return BadArguments();
  maxRecords_ = value;
  return S_OK;
}

HRESULT Recordset::get_CursorType(CursorTypeEnum* value) const {
  *value = cursorType_;
  return S_OK;
}

HRESULT Recordset::get_LockType(LockTypeEnum* value) const {
  *value = lockType_;
  return S_OK;
}

HRESULT Recordset::Open(std::shared_ptr<Command> command, CursorTypeEnum cursorType,
                        LockTypeEnum lockType, std::int32_t options) {
  if (!command) return BadArguments();
  std::u16string text;
  CommandTypeEnum type;
  std::shared_ptr<Connection> connection;
  command->get_CommandText(&text);
  command->get_CommandType(&type);
  command->get_ActiveConnection(&connection);
  if (options != adCmdUnspecified) type = static_cast<CommandTypeEnum>(options & ~kExecuteOptions);
  return Open(text, std::move(connection), cursorType, lockType, type);
}

HRESULT Recordset::Open(const std::u16string& source, std::shared_ptr<Connection> connection,
                        CursorTypeEnum cursorType, LockTypeEnum lockType, std::int32_t options) {
  if (IsOpen()) {
    return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.",
                kRecordsetSource);
  }
  if (!connection || !connection->Database()) {
    return Fail(adErrInvalidConnection,
                "The connection cannot be used to perform this operation. It is either closed "
                "or invalid in this context.",
                kRecordsetSource);
  }
  const std::int32_t kind = options == adCmdUnspecified ? options : options & ~kExecuteOptions;
  if (kind != adCmdText && kind != adCmdTable && kind != adCmdUnknown && kind != adCmdUnspecified) {
    return Fail(adErrFeatureNotAvailable, kNotCapable, kRecordsetSource);
  }
  if (source.empty()) {
    return Fail(adErrInvalidArgument, "Command text was not set for the command object.",
                kRecordsetSource);
  }
  CommandTypeEnum type = options == adCmdUnspecified
                             ? adCmdUnknown
                             : static_cast<CommandTypeEnum>(options & ~kExecuteOptions);
  auto rows = OpenSource(connection->Cache(), connection->Writer(), type, source);
  if (!rows.ok()) return Fail(CommandFailure(rows.status()), Describe(rows.status()), kJetSource);
  if (HRESULT hr = Open(rows.take(), lockType); FAILED(hr)) return hr;
  connection_ = std::move(connection);
  return S_OK;
}

HRESULT Recordset::Open(std::unique_ptr<RowSet> rows, LockTypeEnum lockType) {
  if (IsOpen()) {
    return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.",
                kRecordsetSource);
  }
  if (!rows) return BadArguments();
  rows_ = std::move(rows);
  // A client cursor is static whatever was asked for.
  cursorType_ = adOpenStatic;
  lockType_ = lockType == adLockUnspecified ? adLockReadOnly : lockType;
  fields_ = std::make_unique<Fields>(this, rows_->Columns());
  std::size_t kept = rows_->RowCount();
  if (maxRecords_ > 0 && kept > static_cast<std::size_t>(maxRecords_)) {
    kept = static_cast<std::size_t>(maxRecords_);
  }
  order_.resize(kept);
  for (std::size_t i = 0; i < kept; ++i) order_[i] = i;
  placeOf_.assign(rows_->RowCount(), -1);
  Renumber();
  status_.assign(rows_->RowCount(), adRecUnmodified);
  edit_.clear();
  adding_ = false;
  position_ = 0;
  return S_OK;
}

void Recordset::Renumber() {
  for (std::size_t i = 0; i < order_.size(); ++i) {
    placeOf_[order_[i]] = static_cast<std::ptrdiff_t>(i);
  }
}

HRESULT Recordset::Close() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  rows_.reset();
  edit_.clear();
  adding_ = false;
  order_.clear();
  placeOf_.clear();
  status_.clear();
  position_ = -1;
  return S_OK;
}

HRESULT Recordset::get_ActiveConnection(std::shared_ptr<Connection>* value) const {
  *value = connection_;
  return S_OK;
}

HRESULT Recordset::putref_ActiveConnection(std::shared_ptr<Connection> connection) {
  connection_ = std::move(connection);
  return S_OK;
}

HRESULT Recordset::get_State(std::int32_t* value) const {
  *value = IsOpen() ? adStateOpen : adStateClosed;
  return S_OK;
}

HRESULT Recordset::Supports(std::int32_t options, bool* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  std::int32_t supported = kCursorOptions;
  if (lockType_ != adLockReadOnly && rows_->CanUpdate()) supported |= kUpdateOptions;
  *value = (options & ~supported) == 0;
  return S_OK;
}

HRESULT Recordset::get_Fields(Fields** value) {
  if (!fields_) return Closed();
  *value = fields_.get();
  return S_OK;
}

bool Recordset::IsOnRow() const {
  return IsOpen() &&
         (adding_ || (position_ >= 0 && position_ < static_cast<std::ptrdiff_t>(Count())));
}

HRESULT Recordset::RequireOpen() const {
  return IsOpen() ? S_OK : Closed();
}

HRESULT Recordset::RequireRow() const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  if (!IsOnRow()) return Fail(adErrNoCurrentRecord, kNoCurrentRecord, kRecordsetSource);
  return S_OK;
}

HRESULT Recordset::RequireWritable() const {
  // Rows that cannot be written say why themselves when asked, in the engine's words.
  if (lockType_ != adLockReadOnly) return S_OK;
  return Fail(adErrFeatureNotAvailable,
              "Current Recordset does not support updating. This may be a limitation of the "
              "provider, or of the selected locktype.",
              kRecordsetSource);
}

HRESULT Recordset::MoveTo(std::ptrdiff_t position) {
  if (HRESULT hr = StorePending(); FAILED(hr)) return hr;
  position_ = position;
  return S_OK;
}

HRESULT Recordset::StorePending() {
  return editing() ? Update() : S_OK;
}

HRESULT Recordset::MoveFirst() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  return MoveTo(0);
}

HRESULT Recordset::MoveLast() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  if (HRESULT hr = StorePending(); FAILED(hr)) return hr;
  // On an empty result the last row is the end itself.
  return MoveTo(Count() == 0 ? 0 : static_cast<std::ptrdiff_t>(Count()) - 1);
}

HRESULT Recordset::MoveNext() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  bool atEnd = false;
  get_EOF(&atEnd);
  if (atEnd) return Fail(adErrNoCurrentRecord, kNoCurrentRecord, kRecordsetSource);
  if (HRESULT hr = StorePending(); FAILED(hr)) return hr;
  ++position_;
  return S_OK;
}

HRESULT Recordset::MovePrevious() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  bool atStart = false;
  get_BOF(&atStart);
  if (atStart) return Fail(adErrNoCurrentRecord, kNoCurrentRecord, kRecordsetSource);
  // A new row is stored first; the row before it is then the one before the last.
  if (HRESULT hr = StorePending(); FAILED(hr)) return hr;
  return MoveTo(position_ - 1);
}

HRESULT Recordset::get_BOF(bool* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  *value = !adding_ && (Count() == 0 || position_ < 0);
  return S_OK;
}

HRESULT Recordset::get_EOF(bool* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  *value = position_ >= static_cast<std::ptrdiff_t>(Count());
  // An empty result is at both ends.
  if (Count() == 0) *value = true;
  if (adding_) *value = false;
  return S_OK;
}

HRESULT Recordset::get_Status(std::int32_t* value) const {
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  *value = adding_ ? adRecNew : status_[order_[static_cast<std::size_t>(position_)]];
  return S_OK;
}

HRESULT Recordset::get_Bookmark(Variant* value) const {
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  // A row being added has no number yet.
  if (adding_) return Fail(adErrNoCurrentRecord, kNoCurrentRecord, kRecordsetSource);
  *value = Variant::Double(static_cast<double>(order_[static_cast<std::size_t>(position_)] + 1));
  return S_OK;
}

HRESULT Recordset::put_Bookmark(const Variant& value) {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  double number = 0;
  if (value.vt() == VT_R8 || value.vt() == VT_R4) {
    number = std::get<double>(value.value());
  } else if (value.vt() == VT_I4 || value.vt() == VT_I2 || value.vt() == VT_I8) {
    number = static_cast<double>(std::get<std::int64_t>(value.value()));
  } else {
    return BadArguments();
  }
  if (number != std::floor(number) || number < 1 || number > static_cast<double>(placeOf_.size())) {
    return BadArguments();
  }
  // A deleted row's bookmark leads nowhere.
  const std::ptrdiff_t place = placeOf_[static_cast<std::size_t>(number) - 1];
  if (place < 0) return BadArguments();
  return MoveTo(place);
}

HRESULT Recordset::get_AbsolutePosition(std::int32_t* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  bool atStart = false;
  bool atEnd = false;
  get_BOF(&atStart);
  get_EOF(&atEnd);
  if (adding_) {
    *value = adPosUnknown;
  } else if (atStart) {
    *value = adPosBOF;
  } else if (atEnd) {
    *value = adPosEOF;
  } else {
    *value = static_cast<std::int32_t>(position_ + 1);
  }
  return S_OK;
}

HRESULT Recordset::put_AbsolutePosition(std::int32_t value) {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  if (value < 1 || static_cast<std::size_t>(value) > Count()) return BadArguments();
  return MoveTo(value - 1);
}

HRESULT Recordset::get_RecordCount(std::int32_t* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  *value = static_cast<std::int32_t>(Count());
  return S_OK;
}

HRESULT Recordset::get_Filter(Variant* value) const {
  *value = Variant::Int32(0);
  return S_OK;
}

HRESULT Recordset::put_Filter(const Variant& value) {
  const bool none = value.empty() ||
                    (value.vt() == VT_I4 && std::get<std::int64_t>(value.value()) == 0) ||
                    (value.vt() == VT_BSTR && std::get<std::u16string>(value.value()).empty());
  if (!none) return Fail(adErrFeatureNotAvailable, kNotCapable, kRecordsetSource);
  return S_OK;
}

HRESULT Recordset::get_Sort(std::u16string* value) const {
  value->clear();
  return S_OK;
}

HRESULT Recordset::put_Sort(const std::u16string& value) {
  if (!value.empty()) return Fail(adErrFeatureNotAvailable, kNotCapable, kRecordsetSource);
  return S_OK;
}

HRESULT Recordset::get_EditMode(EditModeEnum* value) const {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  *value = adding_ ? adEditAdd : edit_.empty() ? adEditNone : adEditInProgress;
  return S_OK;
}

HRESULT Recordset::Update() {
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  if (!editing()) return S_OK;
  if (HRESULT hr = RequireWritable(); FAILED(hr)) return hr;
  if (adding_) {
    auto added = rows_->InsertRow(edit_);
    if (!added.ok()) return Fail(added.status(), kJetSource);
    const std::size_t row = added.value();
    if (row >= placeOf_.size()) {
      placeOf_.resize(row + 1, -1);
      status_.resize(row + 1, adRecUnmodified);
    }
    order_.push_back(row);
    placeOf_[row] = static_cast<std::ptrdiff_t>(order_.size()) - 1;
    status_[row] = adRecNew;
    position_ = placeOf_[row];
    adding_ = false;
    edit_.clear();
    return S_OK;
  }
  const std::size_t row = order_[static_cast<std::size_t>(position_)];
  if (Status stored = rows_->UpdateRow(row, edit_); !stored.ok()) {
    return Fail(stored, kJetSource);
  }
  edit_.clear();
  if (status_[row] != adRecNew) status_[row] = adRecModified;
  return S_OK;
}

HRESULT Recordset::CancelUpdate() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  edit_.clear();
  adding_ = false;
  return S_OK;
}

HRESULT Recordset::AddNew() {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  if (HRESULT hr = RequireWritable(); FAILED(hr)) return hr;
  if (editing()) {
    if (HRESULT hr = Update(); FAILED(hr)) return hr;
  }
  adding_ = true;
  return S_OK;
}

HRESULT Recordset::Delete(AffectEnum affectRecords) {
  if (HRESULT hr = RequireOpen(); FAILED(hr)) return hr;
  if (affectRecords != adAffectCurrent) {
    return Fail(adErrFeatureNotAvailable, kNotCapable, kRecordsetSource);
  }
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  if (HRESULT hr = RequireWritable(); FAILED(hr)) return hr;
  if (adding_) return CancelUpdate();
  const auto place = static_cast<std::size_t>(position_);
  const std::size_t row = order_[place];
  if (Status removed = rows_->DeleteRow(row); !removed.ok()) return Fail(removed, kJetSource);
  edit_.clear();
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(place));
  placeOf_[row] = -1;
  status_[row] = adRecDeleted;
  Renumber();
  return S_OK;
}

HRESULT Recordset::ReadValue(std::size_t column, Variant* value) const {
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  const ColumnInfo& info = rows_->Columns()[column];
  for (const ColumnChange& change : edit_) {
    if (change.first == column) {
      *value = Variant::FromValue(change.second, info.type);
      return S_OK;
    }
  }
  // A new row holds only what was put into it.
  if (adding_) {
    *value = Variant::Null();
    return S_OK;
  }
  auto decoded = rows_->GetValue(order_[static_cast<std::size_t>(position_)], column);
  if (!decoded.ok()) return Fail(decoded.status(), kJetSource);
  *value = Variant::FromValue(decoded.value(), info.type);
  return S_OK;
}

HRESULT Recordset::WriteValue(std::size_t column, const Variant& value) {
  if (HRESULT hr = RequireRow(); FAILED(hr)) return hr;
  const ColumnInfo& info = rows_->Columns()[column];
  if ((info.attributes & (adFldUpdatable | adFldUnknownUpdatable)) == 0) {
    return Fail(adErrFeatureNotAvailable,
                "Field cannot be updated: the column is read-only or the provider cannot write "
                "it.",
                kFieldSource);
  }
  Value stored;
  if (!value.ToValue(info.type, &stored)) {
    return Fail(adErrInvalidArgument, kBadArguments, kFieldSource);
  }
  if (const auto* text = std::get_if<std::u16string>(&stored);
      text != nullptr && info.type == adVarWChar &&
      text->size() > static_cast<std::size_t>(info.definedSize)) {
    return Fail(E_FAIL,
                "The field is too small to accept the amount of data you attempted to add.  Try "
                "inserting or pasting less data.",
                kJetSource);
  }
  if (IsNull(stored) && (info.attributes & adFldIsNullable) == 0) {
    return Fail(E_FAIL, "Field cannot be Null.", kJetSource);
  }
  for (ColumnChange& change : edit_) {
    if (change.first == column) {
      change.second = std::move(stored);
      return S_OK;
    }
  }
  edit_.emplace_back(column, std::move(stored));
  return S_OK;
}

}  // namespace provider
