// The ADO command component over the provider's Command object.
#include "data/ado_command.h"

#include "core/classes.h"
#include "data/ado_connection.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/olecheck.h"
#include "data/sql_text_scan.h"
#include "data/table_name_quote.h"

TADOCommand::TADOCommand(TComponent* owner)
    : TComponent(owner),
      commandObject_(CreateADOObjectAs<provider::Command>(provider::CLSID_Command)),
      parameters_(std::make_unique<TParameters>(this)) {
  OleCheck(commandObject_->put_CommandType(provider::adCmdText));
}

TADOCommand::~TADOCommand() {
  SetConnection(nullptr);
}

void TADOCommand::SetCommandText(const WideString& value) {
  if (value != commandText_) ChangeCommandText(value);
}

void TADOCommand::ChangeCommandText(const WideString& text) {
  commandText_ = text;
  StoreCommandText(text, Loading());
}

void TADOCommand::StoreCommandText(const WideString& text, bool loading) {
  if (CommandType() == TCommandType::cmdText && !text.empty() && paramCheck_) {
    ScanParameters(text);
    return;
  }
  OleCheck(commandObject_->put_CommandText(text));
  if (!loading) parameters_->Clear();
}

void TADOCommand::ScanParameters(const WideString& text) {
  TScannedWideSQL scanned = ScanSQLText(text);
  TParameters parsed(nullptr);
  for (const WideString& name : scanned.Parameters) parsed.CreateParameter(name);
  parsed.AssignValues(*parameters_);
  OleCheck(commandObject_->put_CommandText(scanned.Text));
  // ADO would now be asked for its own descriptions of the parameters (types, sizes,
  // directions) to copy onto the parsed ones. Our provider's Command has no parameters at all,
  // so there is nothing to ask and the connection is not opened for it: the parsed parameters
  // keep an unknown data type and the input direction until their user sets them.
  if (parsed.Count() > 0) parameters_->Assign(parsed);
}

TCommandType TADOCommand::CommandType() const {
  if (keptType_) return *keptType_;
  provider::CommandTypeEnum value;
  OleCheck(commandObject_->get_CommandType(&value));
  return FromADOValue<TCommandType>(value);
}

void TADOCommand::SetCommandType(TCommandType value) {
  const bool kept = value == TCommandType::cmdFile || value == TCommandType::cmdTableDirect;
  const auto adoValue =
      static_cast<provider::CommandTypeEnum>(ADOValue(kept ? TCommandType::cmdUnknown : value));
  OleCheck(commandObject_->put_CommandType(adoValue));
  if (kept) {
    keptType_ = value;
  } else {
    keptType_.reset();
  }
}

std::int32_t TADOCommand::CommandTimeout() const {
  std::int32_t value = 0;
  OleCheck(commandObject_->get_CommandTimeout(&value));
  return value;
}

void TADOCommand::SetCommandTimeout(std::int32_t value) {
  OleCheck(commandObject_->put_CommandTimeout(value));
}

bool TADOCommand::Prepared() const {
  bool value = false;
  OleCheck(commandObject_->get_Prepared(&value));
  return value;
}

void TADOCommand::SetPrepared(bool value) {
  OleCheck(commandObject_->put_Prepared(value));
}

void TADOCommand::SetConnection(TADOConnection* value) {
  if (value == connection_) return;
  connectionString_.clear();
  if (connection_) {
    connection_->RemoveClient(this);
    RemoveFreeNotification(connection_);
  }
  connection_ = value;
  if (connection_) {
    connection_->AddClient(this, TConnectChangeEvent(this, &TADOCommand::ConnectionChanged));
    FreeNotification(connection_);
  }
  ClearActiveConnection();
}

void TADOCommand::SetConnectionString(const WideString& value) {
  if (value == connectionString_) return;
  SetConnection(nullptr);
  connectionString_ = value;
  ClearActiveConnection();
}

void TADOCommand::SetConnectionUse(TConnectionUse use, bool on) {
  const auto bit = static_cast<std::uint8_t>(use);
  if (on) {
    if (connectionUses_ == 0) EnsureCommandConnection();
    connectionUses_ |= bit;
    return;
  }
  connectionUses_ &= static_cast<std::uint8_t>(~bit);
  if (connectionUses_ == 0 && connection_) connection_->ReleaseIfIdle();
}

void TADOCommand::EnsureCommandConnection() {
  std::shared_ptr<provider::Connection> active;
  OleCheck(commandObject_->get_ActiveConnection(&active));
  if (active) return;
  if (!connectionString_.empty()) {
    // ADO opens a connection of the command's own for a string; so do we, held by the command.
    auto own = CreateADOObjectAs<provider::Connection>(provider::CLSID_Connection);
    OleCheck(own->Open(connectionString_, u"", u"", provider::adConnectUnspecified));
    OleCheck(commandObject_->putref_ActiveConnection(std::move(own)));
    return;
  }
  if (!connection_) DatabaseError("Missing Connection or ConnectionString", ErrorComponent());
  connection_->MakeActive();
  OleCheck(commandObject_->putref_ActiveConnection(connection_->ConnectionObject()));
}

void TADOCommand::PrepareCommand(bool append) {
  if (commandText_.empty()) {
    DatabaseError(Format("Missing %s property", commandTextAlias_.c_str()), ErrorComponent());
  }
  if (!append) return;
  const TCommandType type = CommandType();
  if (type == TCommandType::cmdTable || type == TCommandType::cmdStoredProc) {
    OleCheck(commandObject_->put_CommandText(BracketQuotedName(commandText_)));
  }
  // The parameters would be appended to the provider command here; our provider's Command has
  // no parameter collection to append them to.
}

void TADOCommand::AssignParameters(TParameters* source) {
  if (source == parameters_.get()) return;
  if (source) {
    parameters_->Assign(*source);
  } else {
    parameters_->Clear();
  }
}

const TComponent* TADOCommand::ErrorComponent() const {
  if (auto* dataSet = dynamic_cast<const TDataSet*>(Owner())) return dataSet;
  return this;
}

void TADOCommand::ComponentNotice(TComponent* component, TOperation operation) {
  TComponent::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component == connection_) SetConnection(nullptr);
}

void TADOCommand::ConnectionChanged(TObject*, bool Connecting) {
  if (!Connecting) ClearActiveConnection();
}

void TADOCommand::ClearActiveConnection() {
  OleCheck(commandObject_->putref_ActiveConnection(nullptr));
}

bool TADOCommand::Loading() const {
  auto loading = [](const TComponent* c) {
    return c && c->ComponentState().Contains(TComponentStateFlag::csLoading);
  };
  return loading(this) || loading(Owner());
}

namespace {

[[maybe_unused]] const auto kTADOCommand =
    RegisterClass<TADOCommand, TComponent>("TADOCommand")
        .Property("CommandText", &TADOCommand::CommandText, &TADOCommand::SetCommandText)
        .Property("CommandTimeout", &TADOCommand::CommandTimeout, &TADOCommand::SetCommandTimeout)
        .Enum("CommandType", &TADOCommand::CommandType, &TADOCommand::SetCommandType,
              {"cmdUnknown", "cmdText", "cmdTable", "cmdStoredProc", "cmdFile", "cmdTableDirect"})
        .Property("Connection", &TADOCommand::Connection, &TADOCommand::SetConnection)
        .Property("ConnectionString", &TADOCommand::ConnectionString,
                  &TADOCommand::SetConnectionString)
        .Set("ExecuteOptions", &TADOCommand::ExecuteOptions, &TADOCommand::SetExecuteOptions,
             {"eoAsyncExecute", "eoAsyncFetch", "eoAsyncFetchNonBlocking", "eoExecuteNoRecords"})
        .Property("Parameters", &TADOCommand::ParametersObject, &TADOCommand::AssignParameters)
        .Property("ParamCheck", &TADOCommand::ParamCheck, &TADOCommand::SetParamCheck)
        .Property("Prepared", &TADOCommand::Prepared, &TADOCommand::SetPrepared);

}  // namespace
