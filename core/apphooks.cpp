// The installed application hooks and their fall-back when none are installed.
#include "core/apphooks.h"

#include <cstdio>

#include "core/exceptions.h"

namespace {
ApplicationHooks* installed = nullptr;
}

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
