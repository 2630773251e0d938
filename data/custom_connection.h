// The provider-neutral part of a database connection: the connected flag, its hooks and the
// registered clients.
#pragma once

#include <vector>

#include "core/component.h"
#include "core/event.h"

class TDataSet;

// Called on each registered client whose connection opens (true) or closes (false).
using TConnectChangeEvent = TEvent<void(TObject* Sender, bool Connecting)>;

class TCustomConnection : public TComponent {
 public:
  explicit TCustomConnection(TComponent* owner);
  ~TCustomConnection() override;

  bool Connected() const { return IsConnected(); }
  // While the component is read from a stream a True value is only remembered and acted on
  // after loading. Otherwise, when the value differs: connecting runs BeforeConnect,
  // ConnectObject, NotifyClients(true), AfterConnect; disconnecting runs BeforeDisconnect,
  // NotifyClients(false), DisconnectObject, AfterDisconnect. A failing step stops the sequence
  // and its exception propagates. While the component is being freed the hooks are skipped.
  void SetConnected(bool value) { SetConnectedFlag(value); }
  void OpenLink() { SetConnected(true); }
  void CloseLink() { SetConnected(false); }
  // The Connected value read from the stream, acted on by AfterLoading.
  bool ConnectedOnLoad() const { return connectedOnLoad_; }

  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool value) { loginPrompt_ = value; }

  // Clients are the datasets and commands that use this connection. A client registers when
  // its Connection is set to this one and removes itself when that changes or it is freed;
  // the lists hold no ownership. Datasets (found by dynamic_cast) are also kept in DataSets.
  virtual void AddClient(TObject* client, TConnectChangeEvent callback);
  virtual void RemoveClient(TObject* client);
  const std::vector<TObject*>& Clients() const { return clients_; }
  const std::vector<TDataSet*>& DataSets() const { return dataSets_; }
  virtual TDataSet* DataSetAt(int index) const;
  virtual int DataSetCount() const;

  // The after-load step: connects when Connected was stored True. A failure is handed to the
  // application's exception report and loading goes on with the connection closed.
  void AfterLoading() override;

  TNotifyEvent BeforeConnect;
  TNotifyEvent AfterConnect;
  TNotifyEvent BeforeDisconnect;
  TNotifyEvent AfterDisconnect;

 protected:
  virtual void ConnectObject() = 0;
  virtual void DisconnectObject() = 0;
  virtual bool IsConnected() const = 0;
  virtual void SetConnectedFlag(bool value);
  // Tells each client in order: its callback first, if it has one, then a dataset client gets
  // the data notice NoticeConnection with info 1 (connecting) or 0.
  void NotifyClients(bool connecting);

 private:
  bool connectedOnLoad_ = false;
  bool loginPrompt_ = true;
  std::vector<TObject*> clients_;
  std::vector<TConnectChangeEvent> clientCallbacks_;  // parallel to clients_
  std::vector<TDataSet*> dataSets_;
};
