// The data tests' root component and recording application hooks.
#include "tests/data/test_root.h"

#include "core/classes.h"

namespace datatest {

void TDataTestRoot::Watch(TADOConnection& connection) {
  connection.BeforeConnect = TNotifyEvent(this, &TDataTestRoot::BeforeConnect);
  connection.AfterConnect = TNotifyEvent(this, &TDataTestRoot::AfterConnect);
  connection.BeforeDisconnect = TNotifyEvent(this, &TDataTestRoot::BeforeDisconnect);
  connection.AfterDisconnect = TNotifyEvent(this, &TDataTestRoot::AfterDisconnect);
  connection.OnWillConnect = TWillConnectEvent(this, &TDataTestRoot::WillConnect);
  connection.OnLogin = TLoginEvent(this, &TDataTestRoot::Login);
  connection.OnDisconnect = TDisconnectEvent(this, &TDataTestRoot::Disconnect);
}

void RecordingApplication::HandleException(TObject* Sender, std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    Reports.push_back({Sender, e.what()});
  }
}

namespace {

[[maybe_unused]] const auto kTDataTestRoot =
    RegisterClass<TDataTestRoot, TComponent>("TDataTestRoot")
        .Method("BeforeConnect", &TDataTestRoot::BeforeConnect)
        .Method("AfterConnect", &TDataTestRoot::AfterConnect);

}  // namespace

}  // namespace datatest
