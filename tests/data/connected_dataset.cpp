// The connection tests' dataset without rows.
#include "tests/data/connected_dataset.h"

#include "core/apphooks.h"

namespace datatest {

TConnectedTestDataSet::TConnectedTestDataSet(TComponent* owner)
    : TDataSet(owner), command_(new TADOCommand(this)) {
  command_->SetCommandTextAlias("SQL");
}

TConnectedTestDataSet::~TConnectedTestDataSet() {
  CloseForDestruction();
  SetConnection(nullptr);
}

void TConnectedTestDataSet::SetConnection(TADOConnection* value) {
  if (value == connection_) return;
  if (connection_) {
    connection_->RemoveClient(this);
    RemoveFreeNotification(connection_);
  }
  connection_ = value;
  if (connection_) {
    connection_->AddClient(this,
                           TConnectChangeEvent(this, &TConnectedTestDataSet::ConnectionChanged));
    FreeNotification(connection_);
  }
  command_->SetConnection(value);
}

void TConnectedTestDataSet::BroadcastDataEvent(DataNotice event, DataNoticeInfo info) {
  if (event == DataNotice::NoticeConnection) Heard.push_back(Format("notice %d", int(info)));
  TDataSet::BroadcastDataEvent(event, info);
}

void TConnectedTestDataSet::ComponentNotice(TComponent* component, TOperation operation) {
  TDataSet::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component == connection_) SetConnection(nullptr);
}

void TConnectedTestDataSet::CloseIfRecordsetClosed() {
  Heard.push_back(connection_ && connection_->Connected() ? "asked while open" : "asked closed");
}

void TConnectedTestDataSet::ProviderOpen() {
  command_->PrepareCommand(true);
  command_->SetConnectionUse(TConnectionUse::cuOpen, true);
  open_ = true;
}

void TConnectedTestDataSet::ProviderClose() {
  open_ = false;
  command_->SetConnectionUse(TConnectionUse::cuOpen, false);
}

void TConnectedTestDataSet::ProviderHandleException(TObject* Sender) {
  ApplicationHandleException(Sender);
}

void TConnectedTestDataSet::ConnectionChanged(TObject*, bool Connecting) {
  Heard.push_back(Format("callback %d", Connecting ? 1 : 0));
}

}  // namespace datatest
