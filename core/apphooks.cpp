// The installed application hooks and their fall-back when none are installed.
#include "core/apphooks.h"

#include <cstdio>
#include <vector>

#include "core/exceptions.h"

namespace {
ApplicationHooks* installed = nullptr;

std::vector<void (*)()>& StartupSteps() {
  static std::vector<void (*)()> steps;
  return steps;
}

std::vector<void (*)()>& ExitSteps() {
  static std::vector<void (*)()> steps;
  return steps;
}
}  // namespace

ApplicationHooks* SetApplicationHooks(ApplicationHooks* hooks) {
  ApplicationHooks* previous = installed;
  installed = hooks;
  return previous;
}

void ApplicationHandleException(TObject* Sender) {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return;
  } catch (...) {
  }
  if (installed) {
    installed->HandleException(Sender, error);
    return;
  }
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception\n");
  }
}

void ApplicationProcessMessages() {
  if (installed) installed->ProcessMessages();
}

void AddStartupStep(void (*step)()) {
  StartupSteps().push_back(step);
}

void RunStartupSteps() {
  for (auto step : StartupSteps()) step();
}

void AddExitStep(void (*step)()) {
  ExitSteps().push_back(step);
}

void RunExitSteps() {
  const auto& steps = ExitSteps();
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) (*it)();
}
