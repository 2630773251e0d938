// The ADO connection component: one provider Connection shared by every dataset and command
// that names it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/event.h"
#include "data/ado_types.h"
#include "data/custom_connection.h"
#include "provider/connection.h"

class TADOCommand;
class TADOConnection;

// What an event handler answers the connection with.
enum class TEventStatus : std::uint8_t {
  esOK,
  esErrorsOccured,
  esCantDeny,
  esCancel,
  esUnwantedEvent,
};

// Run just before the database is opened: the handler may change what Open is given, or set
// esCancel to refuse the connection.
using TWillConnectEvent =
    TEvent<void(TADOConnection* Connection, WideString& ConnectionString, WideString& UserID,
                WideString& Password, TConnectOption& ConnectOptions, TEventStatus& EventStatus)>;
// Run before the database is opened, after OnWillConnect: the handler may supply the user name
// and password.
using TLoginEvent = TEvent<void(TObject* Sender, WideString& UserName, WideString& Password)>;
// Run just after the database is closed.
using TDisconnectEvent = TEvent<void(TADOConnection* Connection, TEventStatus& EventStatus)>;

// The ADO dataset implements this: after closing the database the connection asks each of its
// datasets to close if its recordset went with it.
class IADORecordsetOwner {
 public:
  virtual ~IADORecordsetOwner() = default;
  virtual void CloseIfRecordsetClosed() = 0;
};

// Settings that ADO keeps in its Connection object live in the provider object (ConnectionString,
// Mode, Provider, CursorLocation); our provider has no place for the others (timeouts,
// default database, isolation level, attributes), so the component keeps them.
class TADOConnection : public TCustomConnection {
 public:
  // Creates the provider Connection; LoginPrompt and KeepConnection start True, IsolationLevel
  // ilCursorStability (kept here), CursorLocation clUseClient (written to the object).
  explicit TADOConnection(TComponent* owner);
  // Marks itself destroying and disconnects (clients are told, no hooks or events run), then
  // tells every client (ComponentNotice with opRemove) while still whole so each drops its
  // reference, then releases the provider object.
  ~TADOConnection() override;

  std::shared_ptr<provider::Connection> ConnectionObject() const { return connectionObject_; }

  // While written to a stream and connected, the string as assigned; otherwise the object's,
  // which the provider may have completed on connecting.
  WideString ConnectionString() const;
  // Mode and Provider and ConnectionString write only a changed value, after RequireClosed;
  // an open provider object refuses a change (EOleException).
  void SetConnectionString(const WideString& value);
  TConnectMode Mode() const;
  void SetMode(TConnectMode value);
  WideString Provider() const;
  void SetProvider(const WideString& value);
  TCursorLocation CursorLocation() const;
  void SetCursorLocation(TCursorLocation value);

  TConnectOption ConnectOptions() const { return connectOptions_; }
  void SetConnectOptions(TConnectOption value) { connectOptions_ = value; }
  TIsolationLevel IsolationLevel() const { return isolationLevel_; }
  void SetIsolationLevel(TIsolationLevel value) { isolationLevel_ = value; }
  TXactAttributes Attributes() const { return attributes_; }
  void SetAttributes(TXactAttributes value) { attributes_ = value; }
  std::int32_t CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(std::int32_t value) { commandTimeout_ = value; }
  std::int32_t ConnectionTimeout() const { return connectionTimeout_; }
  void SetConnectionTimeout(std::int32_t value) { connectionTimeout_ = value; }
  const WideString& DefaultDatabase() const { return defaultDatabase_; }
  void SetDefaultDatabase(const WideString& value) { defaultDatabase_ = value; }
  const WideString& UserName() const { return userName_; }
  void SetUserName(const WideString& value) { userName_ = value; }
  const WideString& Password() const { return password_; }
  void SetPassword(const WideString& value) { password_ = value; }

  bool KeepConnection() const { return keepConnection_; }
  // Stores the value, then ReleaseIfIdle.
  void SetKeepConnection(bool value);

  // Connects if not connected, then waits while connecting. Used by datasets and commands
  // before they use the connection.
  void MakeActive();
  // Pumps the application's messages while the object is connecting.
  void WaitWhileConnecting() const;
  // Closes the connection when it is open, KeepConnection is off, the component is not being
  // loaded and no registered dataset is active.
  void ReleaseIfIdle();
  // At design time closes an open connection; at run time does nothing (the provider object
  // then refuses changes made while open).
  void RequireClosed();

  // Stand-alone commands: those not owned by a dataset.
  const std::vector<TADOCommand*>& Commands() const { return commands_; }
  void AddClient(TObject* client, TConnectChangeEvent callback) override;
  void RemoveClient(TObject* client) override;

  TWillConnectEvent OnWillConnect;
  TLoginEvent OnLogin;
  TDisconnectEvent OnDisconnect;

 protected:
  // Runs the will-connect handling, then opens the object with its connection string, the
  // user name, password and ConnectOptions. (DefaultDatabase has nowhere to go: a Jet file is
  // one database.)
  void ConnectObject() override;
  // Closes the object, then runs the disconnect handling.
  void DisconnectObject() override;
  bool IsConnected() const override;

 private:
  void WillConnect(WideString& connectionString, WideString& userName, WideString& password,
                   TConnectOption& options);
  void Disconnected();
  std::int32_t ObjectState() const;

  std::shared_ptr<provider::Connection> connectionObject_;
  WideString connectionString_;
  WideString userName_;
  WideString password_;
  WideString defaultDatabase_;
  TConnectOption connectOptions_ = TConnectOption::coConnectUnspecified;
  TIsolationLevel isolationLevel_ = TIsolationLevel::ilCursorStability;
  TXactAttributes attributes_;
  std::int32_t commandTimeout_ = 30;
  std::int32_t connectionTimeout_ = 15;
  bool keepConnection_ = true;
  std::vector<TADOCommand*> commands_;
};
