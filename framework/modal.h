// Task-modal runs: the rest of the program disabled while a form or a system dialog has the
// user, and the modal loop of a form.
#pragma once

#include <vector>

#include "controls/form.h"
#include "platform/winuser.h"

// The program's top-level windows, topmost first.
std::vector<platform::HWND> TopLevelWindows();

// While it lives, every other visible, enabled top-level window of the program is disabled
// (all but `keep`); when it ends they are enabled again, the window that was active is
// activated again and the focus goes back where it was.
class TaskModalScope {
 public:
  explicit TaskModalScope(platform::HWND keep);
  ~TaskModalScope();
  TaskModalScope(const TaskModalScope&) = delete;
  TaskModalScope& operator=(const TaskModalScope&) = delete;

 private:
  platform::HWND active_;
  platform::HWND focus_;
  std::vector<platform::HWND> disabled_;
};

// Shows the form and handles the application's messages, with the other windows disabled,
// until the form's ModalResult is set (by a button with a modal result, for instance) or the
// form is closed or hidden (mrCancel) or the application ends (mrCancel); then hides it and
// returns the result. Exceptions from handlers meanwhile are reported and the loop goes on.
// EInvalidOperation "Cannot make a visible window modal" for a form already showing.
TModalResult ShowModal(TCustomForm& form);
