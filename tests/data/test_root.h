// A form-like root for the data tests: components read from a stream are owned by it, and it
// records the hooks and events they run, in order.
#pragma once

#include <exception>
#include <vector>

#include "core/apphooks.h"
#include "core/component.h"
#include "data/ado_connection.h"

namespace datatest {

class TDataTestRoot : public TComponent {
 public:
  explicit TDataTestRoot(TComponent* owner) : TComponent(owner) {}

  std::vector<AnsiString> Log;

  void BeforeConnect(TObject*) { Log.push_back("BeforeConnect"); }
  void AfterConnect(TObject*) { Log.push_back("AfterConnect"); }
  void BeforeDisconnect(TObject*) { Log.push_back("BeforeDisconnect"); }
  void AfterDisconnect(TObject*) { Log.push_back("AfterDisconnect"); }
  void WillConnect(TADOConnection*, WideString&, WideString&, WideString&, TConnectOption&,
                   TEventStatus&) {
    Log.push_back("OnWillConnect");
  }
  void Login(TObject*, WideString&, WideString&) { Log.push_back("OnLogin"); }
  void Disconnect(TADOConnection*, TEventStatus&) { Log.push_back("OnDisconnect"); }

  // Binds every hook and event of `connection` to the log above.
  void Watch(TADOConnection& connection);
};

// Application hooks that keep what they are asked to report, installed for their lifetime.
class RecordingApplication : public ApplicationHooks {
 public:
  RecordingApplication() : previous_(SetApplicationHooks(this)) {}
  ~RecordingApplication() override { SetApplicationHooks(previous_); }

  struct Report {
    TObject* sender;
    AnsiString message;
  };
  std::vector<Report> Reports;

  void HandleException(TObject* Sender, std::exception_ptr error) override;
  void ProcessMessages() override {}

 private:
  ApplicationHooks* previous_;
};

}  // namespace datatest
