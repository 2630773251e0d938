// The connected flag, its hooks and the client lists of a connection.
#include "data/custom_connection.h"

#include <algorithm>

#include "core/apphooks.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "data/dataset.h"

TCustomConnection::TCustomConnection(TComponent* owner) : TComponent(owner) {}

TCustomConnection::~TCustomConnection() = default;

void TCustomConnection::SetConnectedFlag(bool value) {
  if (ComponentState().Contains(TComponentStateFlag::csReading) && value) {
    connectedOnLoad_ = true;
    return;
  }
  if (value == Connected()) return;
  // While the connection is being freed its owner may be half gone; its handlers are not run.
  const bool hooks = !ComponentState().Contains(TComponentStateFlag::csDestroying);
  if (value) {
    if (hooks && BeforeConnect) BeforeConnect(this);
    ConnectObject();
    NotifyClients(true);
    if (hooks && AfterConnect) AfterConnect(this);
  } else {
    if (hooks && BeforeDisconnect) BeforeDisconnect(this);
    NotifyClients(false);
    DisconnectObject();
    if (hooks && AfterDisconnect) AfterDisconnect(this);
  }
}

void TCustomConnection::NotifyClients(bool connecting) {
  // A client told of the change may close and unregister itself; work on a copy and skip those
  // that are gone by their turn.
  const std::vector<TObject*> clients = clients_;
  const std::vector<TConnectChangeEvent> callbacks = clientCallbacks_;
  for (std::size_t i = 0; i < clients.size(); ++i) {
    TObject* client = clients[i];
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) continue;
    if (callbacks[i]) callbacks[i](this, connecting);
    if (auto* dataSet = dynamic_cast<TDataSet*>(client)) {
      dataSet->BroadcastDataEvent(DataNotice::NoticeConnection, connecting ? 1 : 0);
    }
  }
}

void TCustomConnection::AddClient(TObject* client, TConnectChangeEvent callback) {
  clients_.push_back(client);
  clientCallbacks_.push_back(callback);
  if (auto* dataSet = dynamic_cast<TDataSet*>(client)) dataSets_.push_back(dataSet);
}

void TCustomConnection::RemoveClient(TObject* client) {
  auto found = std::find(clients_.begin(), clients_.end(), client);
  if (found != clients_.end()) {
    clientCallbacks_.erase(clientCallbacks_.begin() + (found - clients_.begin()));
    clients_.erase(found);
  }
  dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), client), dataSets_.end());
}

TDataSet* TCustomConnection::DataSetAt(int index) const {
  if (index < 0 || index >= DataSetCount()) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  return dataSets_[static_cast<std::size_t>(index)];
}

int TCustomConnection::DataSetCount() const {
  return static_cast<int>(dataSets_.size());
}

void TCustomConnection::AfterLoading() {
  TComponent::AfterLoading();
  if (!connectedOnLoad_) return;
  try {
    SetConnected(true);
  } catch (...) {
    ApplicationHandleException(this);
  }
}

namespace {

[[maybe_unused]] const auto kTCustomConnection =
    RegisterClass<TCustomConnection, TComponent>("TCustomConnection")
        .Property("Connected", &TCustomConnection::Connected, &TCustomConnection::SetConnected)
        .Property("LoginPrompt", &TCustomConnection::LoginPrompt,
                  &TCustomConnection::SetLoginPrompt)
        .Event("AfterConnect", &TCustomConnection::AfterConnect)
        .Event("BeforeConnect", &TCustomConnection::BeforeConnect)
        .Event("AfterDisconnect", &TCustomConnection::AfterDisconnect)
        .Event("BeforeDisconnect", &TCustomConnection::BeforeDisconnect);

}  // namespace
