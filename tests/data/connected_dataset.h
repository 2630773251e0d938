// A dataset without rows for the connection tests: it uses a connection the way an ADO
// dataset does (registered as a client, its own command holding the open use while it is
// open) and records what the connection tells it.
#pragma once

#include <utility>
#include <vector>

#include "data/ado_command.h"
#include "data/ado_connection.h"
#include "data/dataset.h"

namespace datatest {

class TConnectedTestDataSet : public TDataSet, public IADORecordsetOwner {
 public:
  explicit TConnectedTestDataSet(TComponent* owner);
  ~TConnectedTestDataSet() override;

  TADOConnection* Connection() const { return connection_; }
  // Registers with the connection (and gives the command the same one).
  void SetConnection(TADOConnection* value);
  TADOCommand& Command() { return *command_; }

  void BroadcastDataEvent(DataNotice event, DataNoticeInfo info) override;
  void ComponentNotice(TComponent* component, TOperation operation) override;
  void CloseIfRecordsetClosed() override;

  // What the connection told the dataset, in order: "callback 1", "notice 0", "asked closed".
  std::vector<AnsiString> Heard;

 protected:
  void ProviderOpen() override;
  void ProviderClose() override;
  bool ProviderIsOpen() override { return open_; }
  void ProviderInitFieldDefs() override {}
  void ProviderHandleException(TObject* Sender) override;
  FetchResult ProviderFetch(TRecordBuffer&, FetchMode, bool) override { return FetchResult::Eof; }

 private:
  void ConnectionChanged(TObject* Sender, bool Connecting);

  TADOConnection* connection_ = nullptr;
  TADOCommand* command_;  // owned as a component
  bool open_ = false;
};

}  // namespace datatest
