// The ADO dataset base: construction, settings, the connection, opening the recordset and the
// field definitions it describes.
#include "data/custom_ado_dataset.h"

#include "core/apphooks.h"
#include "core/classes.h"
#include "data/ado_field_type.h"
#include "data/ado_record_buffer.h"
#include "data/database_error.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fielddefs.h"
#include "data/fields.h"
#include "data/master_datalink.h"
#include "data/olecheck.h"
#include "platform/codepage.h"
#include "provider/guid.h"

namespace {

bool UsesCommandObject(TCommandType type) {
  return type == TCommandType::cmdUnknown || type == TCommandType::cmdText ||
         type == TCommandType::cmdTable || type == TCommandType::cmdStoredProc;
}

bool IsAsync(TExecuteOptions options) {
  return options.Contains(TExecuteOption::eoAsyncExecute) ||
         options.Contains(TExecuteOption::eoAsyncFetch) ||
         options.Contains(TExecuteOption::eoAsyncFetchNonBlocking);
}

// The field definition name for a column: its own name, or with a "_n" suffix (or "COLUMNn"
// when it has none) the first that no earlier definition has.
AnsiString UniqueDefName(const TFieldDefs& defs, const AnsiString& name) {
  if (!name.empty() && defs.FindOrNone(name) == nullptr) return name;
  for (int counter = 1;; ++counter) {
    AnsiString candidate =
        name.empty() ? Format("COLUMN%d", counter) : Format("%s_%d", name.c_str(), counter);
    if (defs.FindOrNone(candidate) == nullptr) return candidate;
  }
}

// The column's ISAUTOINCREMENT property; null when the provider does not describe it.
provider::Property* AutoIncrementItem(provider::Field& field) {
  provider::Properties* properties = nullptr;
  OleCheck(field.get_Properties(&properties));
  provider::Property* property = nullptr;
  if (provider::FAILED(properties->get_Item(u"ISAUTOINCREMENT", &property))) return nullptr;
  return property;
}

bool AutoIncrementProperty(provider::Field& field) {
  provider::Property* property = AutoIncrementItem(field);
  if (property == nullptr) return false;
  provider::Variant value;
  OleCheck(property->get_Value(&value));
  return value == provider::Variant::Bool(true);
}

// The recordset's sort for index field names: the dataset separates them with semicolons, the
// recordset with commas.
std::u16string SortText(AnsiString indexFieldNames) {
  for (char& c : indexFieldNames) {
    if (c == ';') c = ',';
  }
  return platform::AnsiToWide(indexFieldNames);
}

provider::Variant FilterValue(const AnsiString& filter) {
  return provider::Variant::String(platform::AnsiToWide(filter));
}

}  // namespace

TCustomADODataSet::TCustomADODataSet(TComponent* owner)
    : TDataSet(owner),
      command_(new TADOCommand(this)),
      masterLink_(std::make_unique<TMasterDataLink>(this)) {
  masterLink_->OnMasterChange = TNotifyEvent(this, &TCustomADODataSet::MasterRecordChanged);
  masterLink_->OnMasterDisable = TNotifyEvent(this, &TCustomADODataSet::MasterLinkDisabled);
}

TCustomADODataSet::~TCustomADODataSet() {
  CloseForDestruction();
  masterLink_->AttachToSource(nullptr);
  AssignConnection(nullptr);
}

bool TCustomADODataSet::Loading() const {
  return ComponentState().Contains(TComponentStateFlag::csLoading);
}

// ---- Settings

WideString TCustomADODataSet::ConnectionString() const {
  return command_->ConnectionString();
}

void TCustomADODataSet::SetConnectionString(const WideString& value) {
  if (value == ConnectionString()) return;
  AssignConnection(nullptr);
  command_->SetConnectionString(value);
}

void TCustomADODataSet::SetCacheSize(std::int32_t value) {
  if (recordset_) OleCheck(recordset_->put_CacheSize(value));
  cacheSize_ = value;
}

void TCustomADODataSet::SetCursorLocation(TCursorLocation value) {
  RequireInactive();
  cursorLocation_ = value;
}

void TCustomADODataSet::SetCursorType(TCursorType value) {
  RequireInactive();
  cursorType_ = value;
}

void TCustomADODataSet::SetExecuteOptions(TExecuteOptions value) {
  RequireInactive();
  executeOptions_ = value;
  command_->SetExecuteOptions(value);
}

void TCustomADODataSet::SetLockType(TADOLockType value) {
  RequireInactive();
  lockType_ = value;
}

void TCustomADODataSet::SetMarshalOptions(TMarshalOption value) {
  marshalOptions_ = value;
}

void TCustomADODataSet::SetMaxRecords(std::int32_t value) {
  RequireInactive();
  maxRecords_ = value;
}

void TCustomADODataSet::SetFilter(const AnsiString& value) {
  if (recordset_ && filtered_) {
    OleCheck(recordset_->put_Filter(FilterValue(value)));
  }
  filter_ = value;
}

void TCustomADODataSet::SetFiltered(bool value) {
  if (value == filtered_) return;
  if (recordset_ && !filter_.empty()) {
    OleCheck(recordset_->put_Filter(value ? FilterValue(filter_) : provider::Variant()));
  }
  filtered_ = value;
}

void TCustomADODataSet::SetEnableBCD(bool value) {
  if (value == enableBCD_) return;
  RequireInactive();
  enableBCD_ = value;
  FieldDefs().SetUpdated(false);
}

void TCustomADODataSet::SetIndexName(const AnsiString& value) {
  if (value == indexName_) return;
  RequireInactive();
  indexName_ = value;
}

void TCustomADODataSet::SetIndexFieldNames(const AnsiString& value) {
  if (value == indexFieldNames_) return;
  if (recordset_) OleCheck(recordset_->put_Sort(SortText(value)));
  indexFieldNames_ = value;
}

void TCustomADODataSet::SetCommandType(TCommandType value) {
  if (value == CommandType()) return;
  RequireInactive();
  command_->SetCommandType(value);
  if (!ComponentState().Contains(TComponentStateFlag::csReading)) {
    BroadcastDataEvent(DataNotice::NoticeProperty, 0);
  }
}

void TCustomADODataSet::SetCommandTextOf(const WideString& text) {
  if (text == CommandText()) return;
  RequireInactive();
  command_->ChangeCommandText(text);
  if (!ComponentState().Contains(TComponentStateFlag::csReading)) {
    BroadcastDataEvent(DataNotice::NoticeProperty, 0);
  }
}

// ---- Connection

void TCustomADODataSet::AssignConnection(TADOConnection* value) {
  if (value == connection_) return;
  if (connection_) {
    connection_->RemoveClient(this);
    RemoveFreeNotification(connection_);
  }
  connection_ = value;
  command_->SetConnection(value);
  if (connection_) {
    connection_->AddClient(this, TConnectChangeEvent());
    FreeNotification(connection_);
  }
  // Rows already read stay readable; the recordset follows the new connection.
  if (recordset_) {
    OleCheck(recordset_->putref_ActiveConnection(value ? value->ConnectionObject() : nullptr));
  }
  if (!Loading() && !ComponentState().Contains(TComponentStateFlag::csDestroying)) {
    BroadcastDataEvent(DataNotice::NoticeProperty, 0);
  }
}

void TCustomADODataSet::ComponentNotice(TComponent* component, TOperation operation) {
  TDataSet::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component != nullptr && component == connection_) {
    AssignConnection(nullptr);
  }
}

void TCustomADODataSet::CloseIfRecordsetClosed() {
  if (Active() && !ProviderIsOpen()) CloseDataSet();
}

// ---- Opening

void TCustomADODataSet::PrepareSource() {
  if (IsAsync(executeOptions_) && connection_ == nullptr) {
    DatabaseError("A connection component is required for async ExecuteOptions", this);
  }
}

std::shared_ptr<provider::Recordset> TCustomADODataSet::CreateRecordset() {
  auto recordset = CreateADOObjectAs<provider::Recordset>(provider::CLSID_Recordset);
  OleCheck(recordset->put_CursorLocation(
      static_cast<provider::CursorLocationEnum>(ADOValue(cursorLocation_))));
  OleCheck(recordset->put_CacheSize(cacheSize_));
  OleCheck(recordset->put_MaxRecords(maxRecords_));
  // Opening by index needs an index-capable cursor; our provider's static cursor has none, and
  // ignoring the name would hand out the rows in the wrong order.
  if (!indexName_.empty()) {
    DatabaseError(Format("Index '%s' cannot be used: the recordset does not open by index",
                         indexName_.c_str()),
                  this);
  }
  return recordset;
}

void TCustomADODataSet::OpenRecordset() {
  PrepareSource();
  const TCommandType type = CommandType();
  const bool viaCommand = UsesCommandObject(type);
  std::shared_ptr<provider::Connection> activeConnection;
  if (viaCommand) {
    SetConnectionUse(TConnectionUse::cuOpen, true);
    command_->PrepareCommand(true);
    LinkMasterParameters();
  } else {
    if (connection_) {
      connection_->MakeActive();
      activeConnection = connection_->ConnectionObject();
    } else if (!ConnectionString().empty()) {
      activeConnection = CreateADOObjectAs<provider::Connection>(provider::CLSID_Connection);
      OleCheck(
          activeConnection->Open(ConnectionString(), u"", u"", provider::adConnectUnspecified));
    } else {
      DatabaseError("Missing Connection or ConnectionString", this);
    }
    command_->PrepareCommand(false);
  }

  std::shared_ptr<provider::Recordset> recordset = CreateRecordset();
  const auto cursorType = static_cast<provider::CursorTypeEnum>(ADOValue(cursorType_));
  const auto lockType = static_cast<provider::LockTypeEnum>(ADOValue(lockType_));
  const std::int32_t options = ADOValue(type) + ADOValue(executeOptions_);
  if (viaCommand) {
    OleCheck(recordset->Open(command_->CommandObject(), cursorType, lockType, options));
  } else {
    OleCheck(recordset->Open(CommandText(), activeConnection, cursorType, lockType, options));
  }
  // A command that yields no rows leaves the recordset closed. Our provider's commands have one
  // result each, so there is no further result to move to.
  std::int32_t state = provider::adStateClosed;
  OleCheck(recordset->get_State(&state));
  if ((state & provider::adStateOpen) == 0) {
    DatabaseError("CommandText does not return a result set", this);
  }
  recordset_ = std::move(recordset);
  if (executeOptions_.Contains(TExecuteOption::eoAsyncExecute) &&
      (state & provider::adStateExecuting) != 0) {
    ChangeState(DataSetState::OpeningAsync);
  }
}

void TCustomADODataSet::OpenCursorStep(bool infoOnly) {
  if (!recordset_) OpenRecordset();
  TDataSet::OpenCursorStep(infoOnly);
}

void TCustomADODataSet::ProviderOpen() {
  bookmarkSize_ = RecordsetSupports(provider::adBookmark) ? 16 : 0;
  FieldDefs().SetUpdated(false);
  FieldDefs().RefreshDefs();
  if (DefaultFields()) BuildDefaultFields();
  fieldListChecksum_ = FieldListChecksum();
  BindAllFields(true);
  PrepareOpenedCursor();
}

void TCustomADODataSet::PrepareOpenedCursor() {
  if (!indexFieldNames_.empty()) OleCheck(recordset_->put_Sort(SortText(indexFieldNames_)));
  if (masterLink_->Active() && Parameters()->Count() == 0) ApplyDetailFilter();
  if (filtered_ && !filter_.empty()) {
    OleCheck(recordset_->put_Filter(FilterValue(filter_)));
  }
  if (RecordsetSupports(provider::adMovePrevious | provider::adBookmark)) ProviderFirst();
}

std::uint32_t TCustomADODataSet::FieldListChecksum() {
  // Order-sensitive over the field objects; 0 is kept for "must be recomputed".
  std::uint32_t sum = 2166136261u;
  for (TField* field : Fields()) {
    sum = (sum ^ static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(field))) * 16777619u;
  }
  return sum == 0 ? 1 : sum;
}

void TCustomADODataSet::BroadcastDataEvent(DataNotice event, DataNoticeInfo info) {
  if (event == DataNotice::NoticeLayout || event == DataNotice::NoticeFieldList) {
    if (ProviderIsOpen() && fieldListChecksum_ != FieldListChecksum()) fieldListChecksum_ = 0;
  }
  TDataSet::BroadcastDataEvent(event, info);
}

void TCustomADODataSet::ProviderInitFieldDefs() {
  FieldDefs().Clear();
  provider::Fields* fields = nullptr;
  OleCheck(recordset_->get_Fields(&fields));
  std::int32_t count = 0;
  OleCheck(fields->get_Count(&count));
  bool hasAutoIncrement = false;
  if (count > 0) {
    provider::Field* first = nullptr;
    OleCheck(fields->get_Item(0, &first));
    hasAutoIncrement = AutoIncrementItem(*first) != nullptr;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    provider::Field* column = nullptr;
    OleCheck(fields->get_Item(i, &column));
    provider::DataTypeEnum adoType = provider::adEmpty;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
    std::int32_t definedSize = 0;
    std::int32_t attributes = 0;
    std::u16string name;
    OleCheck(column->get_Type(&adoType));
    OleCheck(column->get_Precision(&precision));
    OleCheck(column->get_NumericScale(&scale));
    OleCheck(column->get_DefinedSize(&definedSize));
    OleCheck(column->get_Attributes(&attributes));
    OleCheck(column->get_Name(&name));

    TFieldType type = FieldTypeForADOColumn(adoType, precision, scale, enableBCD_);
    if (type == TFieldType::ftUnknown) continue;
    if (type == TFieldType::ftInteger && hasAutoIncrement && AutoIncrementProperty(*column)) {
      type = TFieldType::ftAutoInc;
    }
    const AnsiString defName = UniqueDefName(FieldDefs(), platform::WideToAnsi(name));
    TFieldDef* def = FieldDefs().AddFieldDef();
    def->SetFieldNo(FieldDefs().Count());
    def->SetName(defName);
    def->SetDataType(type);
    switch (type) {
      case TFieldType::ftString:
      case TFieldType::ftBytes:
      case TFieldType::ftVarBytes:
      case TFieldType::ftFixedChar:
      case TFieldType::ftWideString:
        def->SetSize(definedSize);
        break;
      case TFieldType::ftBCD: {
        // The scale travels as a byte; a value past 127 is a negative scale.
        const auto signedScale = static_cast<std::int8_t>(scale);
        def->SetPrecision(precision);
        def->SetSize(signedScale < 0 ? 4 : signedScale);
        break;
      }
      case TFieldType::ftGuid:
        def->SetSize(38);
        break;
      default:
        break;
    }
    TFieldAttributes defAttributes;
    if (attributes & provider::adFldRowID) defAttributes.Include(TFieldAttribute::faHiddenCol);
    if (attributes & provider::adFldFixed) defAttributes.Include(TFieldAttribute::faFixed);
    if ((attributes & (provider::adFldUpdatable | provider::adFldUnknownUpdatable)) == 0 ||
        type == TFieldType::ftAutoInc) {
      defAttributes.Include(TFieldAttribute::faReadonly);
    }
    def->SetAttributes(defAttributes);
  }
}

bool TCustomADODataSet::ProviderIsOpen() {
  if (!recordset_) return false;
  std::int32_t state = provider::adStateClosed;
  OleCheck(recordset_->get_State(&state));
  return (state & provider::adStateOpen) != 0;
}

void TCustomADODataSet::ProviderClose() {
  BindAllFields(false);
  if (DefaultFields()) Fields().FreeFieldsOwnedBy(this);
  // Released, not closed: the recordset object goes when its last user lets go of it.
  recordset_.reset();
  bookmarkSize_ = 0;
  fieldListChecksum_ = 0;
  filterBuffer_ = nullptr;
  detailFilter_.clear();
  modifiedFields_.clear();
  SetConnectionUse(TConnectionUse::cuOpen, false);
}

void TCustomADODataSet::ProviderHandleException(TObject* Sender) {
  ApplicationHandleException(Sender);
}

void TCustomADODataSet::RequireActive() {
  while (State() == DataSetState::OpeningAsync) ApplicationProcessMessages();
  TDataSet::RequireActive();
}

void TCustomADODataSet::AfterLoading() {
  try {
    TDataSet::AfterLoading();
  } catch (...) {
    ApplicationHandleException(this);
  }
}

std::unique_ptr<TRecordBuffer> TCustomADODataSet::ProviderAllocBuffer() {
  return std::make_unique<TADORecordBuffer>(static_cast<std::size_t>(Fields().Count()));
}

bool TCustomADODataSet::CanModifyData() {
  return ProviderIsOpen() && RecordsetSupports(provider::adUpdate);
}

bool TCustomADODataSet::RecordsetSupports(std::int32_t options) {
  bool supported = false;
  OleCheck(recordset_->Supports(options, &supported));
  return supported;
}

namespace {

[[maybe_unused]] const auto kTCustomADODataSet =
    RegisterClass<TCustomADODataSet, TDataSet>("TCustomADODataSet")
        .Property("CacheSize", &TCustomADODataSet::CacheSize, &TCustomADODataSet::SetCacheSize)
        .Property("Connection", &TCustomADODataSet::Connection, &TCustomADODataSet::SetConnection)
        .Property("ConnectionString", &TCustomADODataSet::ConnectionString,
                  &TCustomADODataSet::SetConnectionString)
        .Enum("CursorLocation", &TCustomADODataSet::CursorLocation,
              &TCustomADODataSet::SetCursorLocation, {"clUseServer", "clUseClient"})
        .Enum("CursorType", &TCustomADODataSet::CursorType, &TCustomADODataSet::SetCursorType,
              {"ctUnspecified", "ctOpenForwardOnly", "ctKeyset", "ctDynamic", "ctStatic"})
        .Set("ExecuteOptions", &TCustomADODataSet::ExecuteOptions,
             &TCustomADODataSet::SetExecuteOptions,
             {"eoAsyncExecute", "eoAsyncFetch", "eoAsyncFetchNonBlocking", "eoExecuteNoRecords"})
        .Property("Filter", &TCustomADODataSet::Filter, &TCustomADODataSet::SetFilter)
        .Property("Filtered", &TCustomADODataSet::Filtered, &TCustomADODataSet::SetFiltered)
        .Enum("LockType", &TCustomADODataSet::LockType, &TCustomADODataSet::SetLockType,
              {"ltUnspecified", "ltReadOnly", "ltPessimistic", "ltOptimistic", "ltBatchOptimistic"})
        .Enum("MarshalOptions", &TCustomADODataSet::MarshalOptions,
              &TCustomADODataSet::SetMarshalOptions, {"moMarshalAll", "moMarshalModifiedOnly"})
        .Property("MaxRecords", &TCustomADODataSet::MaxRecords, &TCustomADODataSet::SetMaxRecords);

}  // namespace
