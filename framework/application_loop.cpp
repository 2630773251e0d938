// The application's message loop: one message at a time through the key and dialog checks,
// and the idle step with its mouse tracking.
#include "controls/capture.h"
#include "controls/wincontrol.h"
#include "framework/application.h"
#include "platform/dialog.h"

using namespace platform;

void TApplication::RunLoop() {
  running_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{running_};
  if (!mainForm_) return;
  if (showMainForm_) {
    if (mainForm_->WindowState() == TWindowState::wsMinimized) {
      mainForm_->Show();
      Minimize();
    } else {
      mainForm_->Show();
    }
  }
  do {
    try {
      HandleMessage();
    } catch (...) {
      ReportHandlerFailure(this);
    }
  } while (!terminated_);
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (!handled && !IsKeyMsg(msg) && !IsDlgMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // The control that should see the key first: the one holding the mouse, or the nearest
  // control at or above the message's window within its top-level window (a dialog's keys
  // never go to the form that owns it).
  HWND target = GetCapture();
  if (!target) {
    target = msg.hwnd;
    while (target && !FindControl(target)) {
      target = (GetWindowLongA(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
    }
    if (!target) target = msg.hwnd;
  } else if (!FindControl(target)) {
    return false;
  }
  return SendMessageA(target, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsDlgMsg(MSG& msg) {
  return dialogHandle_ && IsDialogMessageA(dialogHandle_, &msg);
}

void TApplication::Idle() {
  TrackMouse();
  // The long part of the hint: what follows "|", or all of it.
  AnsiString hint;
  if (mouseControl_) {
    const AnsiString& text = mouseControl_->Hint();
    std::size_t bar = text.find('|');
    hint = bar == AnsiString::npos ? text : text.substr(bar + 1);
  }
  if (hint != hint_) {
    hint_ = hint;
    try {
      if (OnHint) OnHint(this);
    } catch (...) {
      ReportHandlerFailure(this);
    }
  }
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
  } catch (...) {
    ReportHandlerFailure(this);
  }
  // Calls queued for this thread run now, and the loop comes straight back for more.
  std::vector<std::function<void()>> calls;
  {
    std::lock_guard<std::mutex> lock(queuedMutex_);
    calls.swap(queued_);
  }
  if (!calls.empty()) {
    for (auto& call : calls) call();
    return;
  }
  // A screen that can never deliver anything more ends the loop rather than waiting forever.
  if (done && !terminated_ && !WaitMessage()) terminated_ = true;
}

void TApplication::QueueForMainThread(std::function<void()> call) {
  std::lock_guard<std::mutex> lock(queuedMutex_);
  queued_.push_back(std::move(call));
}

void TApplication::TrackMouse() {
  POINT pt;
  GetCursorPos(&pt);
  TControl* target = nullptr;
  HWND window = WindowFromPoint(pt);
  TWinControl* windowed = nullptr;
  for (HWND w = window; w && !windowed; w = GetParent(w)) windowed = FindControl(w);
  if (windowed) {
    TControl* inside = windowed->ControlAtPos(windowed->ScreenToClient(pt), true);
    target = inside ? inside : windowed;
  }
  if (target == mouseControl_) return;
  TControl* capture = GetCaptureControl();
  if (mouseControl_ && (!capture || capture == mouseControl_)) {
    mouseControl_->Perform(CM_MOUSELEAVE);
  }
  SetMouseControl(target);
  if (mouseControl_ && (!capture || capture == mouseControl_)) {
    mouseControl_->Perform(CM_MOUSEENTER);
  }
}

void TApplication::SetMouseControl(TControl* control) {
  if (mouseControl_) mouseControl_->RemoveFreeNotification(this);
  mouseControl_ = control;
  if (mouseControl_) mouseControl_->FreeNotification(this);
}
