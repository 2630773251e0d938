// The ADO connection component over the provider's Connection object.
#include "data/ado_connection.h"

#include <algorithm>

#include "core/apphooks.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "data/ado_command.h"
#include "data/com_startup.h"
#include "data/dataset.h"
#include "data/olecheck.h"
#include "provider/error_info.h"

namespace {

// ADO's answer when a will-connect handler cancels the connection.
constexpr provider::HRESULT kOperationCancelled = static_cast<provider::HRESULT>(0x800A0E80);

// A connection needs COM started by the application's Setup.
[[maybe_unused]] const bool kNeedsComStartup = kComStartupRegistered;

bool Contains(const std::vector<TDataSet*>& list, TDataSet* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TADOConnection::TADOConnection(TComponent* owner)
    : TCustomConnection(owner),
      connectionObject_(CreateADOObjectAs<provider::Connection>(provider::CLSID_Connection)) {
  SetCursorLocation(TCursorLocation::clUseClient);
}

TADOConnection::~TADOConnection() {
  SetComponentState(TComponentStateFlag::csDestroying, true);
  try {
    SetConnected(false);
  } catch (...) {
    ApplicationHandleException(this);
  }
  // Each client drops its reference now, while it can still unregister from a whole connection.
  const std::vector<TObject*> clients = Clients();
  for (TObject* client : clients) {
    if (auto* component = dynamic_cast<TComponent*>(client)) {
      component->ComponentNotice(this, TOperation::opRemove);
    }
  }
}

WideString TADOConnection::ConnectionString() const {
  if (ComponentState().Contains(TComponentStateFlag::csWriting) && Connected()) {
    return connectionString_;
  }
  WideString value;
  OleCheck(connectionObject_->get_ConnectionString(&value));
  return value;
}

void TADOConnection::SetConnectionString(const WideString& value) {
  if (value == ConnectionString()) return;
  RequireClosed();
  OleCheck(connectionObject_->put_ConnectionString(value));
  connectionString_ = value;
}

TConnectMode TADOConnection::Mode() const {
  provider::ConnectModeEnum value;
  OleCheck(connectionObject_->get_Mode(&value));
  return FromADOValue<TConnectMode>(value);
}

void TADOConnection::SetMode(TConnectMode value) {
  if (value == Mode()) return;
  RequireClosed();
  OleCheck(connectionObject_->put_Mode(static_cast<provider::ConnectModeEnum>(ADOValue(value))));
}

WideString TADOConnection::Provider() const {
  WideString value;
  OleCheck(connectionObject_->get_Provider(&value));
  return value;
}

void TADOConnection::SetProvider(const WideString& value) {
  if (value == Provider()) return;
  RequireClosed();
  OleCheck(connectionObject_->put_Provider(value));
}

TCursorLocation TADOConnection::CursorLocation() const {
  provider::CursorLocationEnum value;
  OleCheck(connectionObject_->get_CursorLocation(&value));
  return FromADOValue<TCursorLocation>(value);
}

void TADOConnection::SetCursorLocation(TCursorLocation value) {
  OleCheck(connectionObject_->put_CursorLocation(
      static_cast<provider::CursorLocationEnum>(ADOValue(value))));
}

void TADOConnection::SetKeepConnection(bool value) {
  keepConnection_ = value;
  ReleaseIfIdle();
}

void TADOConnection::MakeActive() {
  if (!Connected()) SetConnected(true);
  WaitWhileConnecting();
}

void TADOConnection::WaitWhileConnecting() const {
  while ((ObjectState() & provider::adStateConnecting) != 0) ApplicationProcessMessages();
}

void TADOConnection::ReleaseIfIdle() {
  if (keepConnection_ || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  if (!Connected()) return;
  for (TDataSet* dataSet : DataSets()) {
    if (dataSet->State() != DataSetState::Inactive) return;
  }
  SetConnected(false);
}

void TADOConnection::RequireClosed() {
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) && Connected()) {
    SetConnected(false);
  }
}

void TADOConnection::AddClient(TObject* client, TConnectChangeEvent callback) {
  TCustomConnection::AddClient(client, callback);
  if (auto* command = dynamic_cast<TADOCommand*>(client)) {
    if (!dynamic_cast<TDataSet*>(command->Owner())) commands_.push_back(command);
  }
}

void TADOConnection::RemoveClient(TObject* client) {
  TCustomConnection::RemoveClient(client);
  commands_.erase(std::remove(commands_.begin(), commands_.end(), client), commands_.end());
}

void TADOConnection::ConnectObject() {
  WideString connectionString;
  OleCheck(connectionObject_->get_ConnectionString(&connectionString));
  WideString userName = userName_;
  WideString password = password_;
  TConnectOption options = connectOptions_;
  // Our provider raises no events, so what ADO's will-connect event would run happens here,
  // just before the open it would come from.
  WillConnect(connectionString, userName, password, options);
  OleCheck(connectionObject_->Open(connectionString, userName, password, ADOValue(options)));
}

void TADOConnection::WillConnect(WideString& connectionString, WideString& userName,
                                 WideString& password, TConnectOption& options) {
  TEventStatus status = TEventStatus::esOK;
  if (OnWillConnect) OnWillConnect(this, connectionString, userName, password, options, status);
  if (status == TEventStatus::esCancel) {
    throw EOleException("Operation has been cancelled by the user", kOperationCancelled,
                        provider::kConnectionSource, "", 0);
  }
  // With LoginPrompt on, the login dialog would ask for the user name and password here. There
  // is no login dialog yet, so the connection goes ahead with the name and password it has,
  // without asking; OnLogin, when assigned, still supplies them.
  if (OnLogin) OnLogin(this, userName, password);
}

void TADOConnection::DisconnectObject() {
  // The provider has no transactions, so there is no open level to roll back first.
  OleCheck(connectionObject_->Close());
  // As for connecting, what ADO's disconnect event would run happens here, just after the close.
  Disconnected();
}

void TADOConnection::Disconnected() {
  TEventStatus status = TEventStatus::esOK;
  if (OnDisconnect && !ComponentState().Contains(TComponentStateFlag::csDestroying)) {
    OnDisconnect(this, status);
  }
  const std::vector<TDataSet*> dataSets = DataSets();
  for (TDataSet* dataSet : dataSets) {
    if (!Contains(DataSets(), dataSet)) continue;
    if (auto* owner = dynamic_cast<IADORecordsetOwner*>(dataSet)) owner->CloseIfRecordsetClosed();
  }
}

bool TADOConnection::IsConnected() const {
  WaitWhileConnecting();
  return (ObjectState() & provider::adStateOpen) != 0;
}

std::int32_t TADOConnection::ObjectState() const {
  std::int32_t state = provider::adStateClosed;
  OleCheck(connectionObject_->get_State(&state));
  return state;
}

namespace {

[[maybe_unused]] const auto kTADOConnection =
    RegisterClass<TADOConnection, TCustomConnection>("TADOConnection")
        .Set("Attributes", &TADOConnection::Attributes, &TADOConnection::SetAttributes,
             {"xaCommitRetaining", "xaAbortRetaining"})
        .Property("CommandTimeout", &TADOConnection::CommandTimeout,
                  &TADOConnection::SetCommandTimeout)
        .Property("ConnectionString", &TADOConnection::ConnectionString,
                  &TADOConnection::SetConnectionString)
        .Property("ConnectionTimeout", &TADOConnection::ConnectionTimeout,
                  &TADOConnection::SetConnectionTimeout)
        .Enum("ConnectOptions", &TADOConnection::ConnectOptions, &TADOConnection::SetConnectOptions,
              {"coConnectUnspecified", "coAsyncConnect"})
        .Enum("CursorLocation", &TADOConnection::CursorLocation, &TADOConnection::SetCursorLocation,
              {"clUseServer", "clUseClient"})
        .Property("DefaultDatabase", &TADOConnection::DefaultDatabase,
                  &TADOConnection::SetDefaultDatabase)
        .Enum("IsolationLevel", &TADOConnection::IsolationLevel, &TADOConnection::SetIsolationLevel,
              {"ilUnspecified", "ilChaos", "ilReadUncommitted", "ilBrowse", "ilCursorStability",
               "ilReadCommitted", "ilRepeatableRead", "ilSerializable", "ilIsolated"})
        .Property("KeepConnection", &TADOConnection::KeepConnection,
                  &TADOConnection::SetKeepConnection)
        .Enum("Mode", &TADOConnection::Mode, &TADOConnection::SetMode,
              {"cmUnknown", "cmRead", "cmWrite", "cmReadWrite", "cmShareDenyRead",
               "cmShareDenyWrite", "cmShareExclusive", "cmShareDenyNone"})
        .Property("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider)
        .Event("OnDisconnect", &TADOConnection::OnDisconnect)
        .Event("OnLogin", &TADOConnection::OnLogin)
        .Event("OnWillConnect", &TADOConnection::OnWillConnect);

}  // namespace
