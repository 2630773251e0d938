// The task-modal scope and the modal loop of a form.
#include "framework/modal.h"

#include "core/exceptions.h"
#include "framework/application.h"

using namespace platform;

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> tops;
  EnumWindows(
      [](HWND w, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tops));
  return tops;
}

TaskModalScope::TaskModalScope(HWND keep) : active_(GetActiveWindow()), focus_(GetFocus()) {
  for (HWND w : TopLevelWindows()) {
    if (w != keep && IsWindowVisible(w) && IsWindowEnabled(w)) {
      EnableWindow(w, FALSE);
      disabled_.push_back(w);
    }
  }
}

TaskModalScope::~TaskModalScope() {
  for (HWND w : disabled_) {
    if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

TModalResult ShowModal(TCustomForm& form) {
  if (form.Visible() || !form.Enabled()) {
    throw EInvalidOperation("Cannot make a visible window modal");
  }
  TaskModalScope scope(nullptr);
  form.SetModalResult(mrNone);
  form.Show();
  while (form.ModalResult() == mrNone) {
    if (!Application || Application->Terminated() || !form.Visible()) {
      form.SetModalResult(mrCancel);
      break;
    }
    try {
      Application->HandleMessage();
    } catch (...) {
      Application->ReportHandlerFailure(Application);
    }
  }
  TModalResult result = form.ModalResult();
  form.Hide();
  return result;
}
