// The way lower layers reach the application object, which lives above them.
#pragma once

#include <exception>

class TObject;

class ApplicationHooks {
 public:
  virtual ~ApplicationHooks() = default;
  // Shows an exception to the user (the data layer reports after-load failures here).
  virtual void HandleException(TObject* Sender, std::exception_ptr error) = 0;
  // Handles the messages waiting in the queue and returns.
  virtual void ProcessMessages() = 0;
};

// Installs the hooks (null removes them) and returns the previous ones.
ApplicationHooks* SetApplicationHooks(ApplicationHooks* hooks);

// Reports the exception being handled: call from inside a catch block. Without hooks the
// message goes to stderr; EAbort is never reported.
void ApplicationHandleException(TObject* Sender);
void ApplicationProcessMessages();

// Start-up steps of the linked units (the data layer's COM start-up), run in registration order
// by the application's Setup, and their exit steps, run last first at the library's shutdown.
void AddStartupStep(void (*step)());
void RunStartupSteps();
void AddExitStep(void (*step)());
void RunExitSteps();
