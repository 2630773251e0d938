// The ADO command component: a provider Command with its text, type, parameters and the
// connection it runs over. Every ADO dataset owns one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "core/component.h"
#include "data/ado_types.h"
#include "data/parameters.h"
#include "provider/command.h"

class TADOConnection;

// Why the command needs its connection; while any use is held the command has an active
// connection.
enum class TConnectionUse : std::uint8_t { cuOpen = 1, cuParameters = 4 };

class TADOCommand : public TComponent {
 public:
  // Creates the provider Command with type cmdText; ParamCheck starts True.
  explicit TADOCommand(TComponent* owner);
  ~TADOCommand() override;

  std::shared_ptr<provider::Command> CommandObject() const { return commandObject_; }

  const WideString& CommandText() const { return commandText_; }
  // The published setter: ChangeCommandText when the text differs.
  void SetCommandText(const WideString& value);
  // Keeps the text, then StoreCommandText with the loading flag of the command or its owner.
  virtual void ChangeCommandText(const WideString& text);
  // With cmdText, a non-empty text and ParamCheck: ScanParameters. Otherwise the text goes
  // unchanged into the provider command and, unless loading, Parameters is cleared.
  void StoreCommandText(const WideString& text, bool loading);

  // cmdFile and cmdTableDirect are kept here and give the provider command cmdUnknown; the
  // others are held in the provider command (which refuses the kinds it cannot run).
  TCommandType CommandType() const;
  void SetCommandType(TCommandType value);
  std::int32_t CommandTimeout() const;
  void SetCommandTimeout(std::int32_t value);
  bool Prepared() const;
  void SetPrepared(bool value);
  TExecuteOptions ExecuteOptions() const { return executeOptions_; }
  void SetExecuteOptions(TExecuteOptions value) { executeOptions_ = value; }

  TADOConnection* Connection() const { return connection_; }
  // When different: clears ConnectionString, moves the registration from the old connection's
  // clients to the new one's and releases the provider command's active connection.
  void SetConnection(TADOConnection* value);
  const WideString& ConnectionString() const { return connectionString_; }
  // When different: drops Connection, keeps the string and releases the active connection.
  void SetConnectionString(const WideString& value);

  TParameters& Parameters() { return *parameters_; }
  const TParameters& Parameters() const { return *parameters_; }
  bool ParamCheck() const { return paramCheck_; }
  void SetParamCheck(bool value) { paramCheck_ = value; }

  // The property name the text is known by in messages: "SQL", "TableName" or "CommandText".
  const AnsiString& CommandTextAlias() const { return commandTextAlias_; }
  void SetCommandTextAlias(AnsiString value) { commandTextAlias_ = std::move(value); }

  // Holds (on) or drops a use. Holding the first use runs EnsureCommandConnection; dropping the
  // last lets the connection release itself if idle.
  virtual void SetConnectionUse(TConnectionUse use, bool on);
  // Gives the provider command an active connection if it has none: one opened on
  // ConnectionString, else Connection's object once Connection is active. Neither set raises
  // "Missing Connection or ConnectionString".
  virtual void EnsureCommandConnection();
  // Requires a text ("Missing %s property" with the alias). With append, puts the text into
  // the provider command, a table or procedure name bracket-quoted.
  virtual void PrepareCommand(bool append);

  // Parses the text for parameters (ScanSQLText), puts the parsed text into the provider
  // command and, when any were found, replaces Parameters by them, keeping the values of those
  // whose names were there before.
  void ScanParameters(const WideString& text);

  // Errors name the dataset that owns the command, or the command when it stands alone.
  const TComponent* ErrorComponent() const;

  void ComponentNotice(TComponent* component, TOperation operation) override;

  // The published form of Parameters: the stream reads into the collection; assigning copies
  // the source's parameters (none for null).
  TParameters* ParametersObject() const { return parameters_.get(); }
  void AssignParameters(TParameters* source);

 private:
  void ConnectionChanged(TObject* Sender, bool Connecting);
  void ClearActiveConnection();
  bool Loading() const;

  std::shared_ptr<provider::Command> commandObject_;
  WideString commandText_;
  AnsiString commandTextAlias_ = "CommandText";
  TADOConnection* connection_ = nullptr;
  WideString connectionString_;
  std::unique_ptr<TParameters> parameters_;
  bool paramCheck_ = true;
  TExecuteOptions executeOptions_;
  // cmdFile or cmdTableDirect, which the provider command cannot hold.
  std::optional<TCommandType> keptType_;
  std::uint8_t connectionUses_ = 0;
};
