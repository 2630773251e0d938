// The common-dialog base: the creating component, the hook, placing and the window's messages.
#include "framework/common_dialog.h"

#include "core/apphooks.h"
#include "core/classes.h"
#include "framework/application.h"
#include "framework/screen.h"
#include "platform/commdlg.h"
#include "platform/monitor.h"

using namespace platform;

namespace {

// The property of a dialog window that names the component it belongs to.
constexpr const char* kComponentProp = "VelmoraCommonDialog";

// The component whose dialog window is being made, from just before the system call until the
// hook has taken the window over.
TCommonDialog* creatingDialog = nullptr;

TCommonDialog* ComponentOf(HWND hwnd) {
  return static_cast<TCommonDialog*>(GetPropA(hwnd, kComponentProp));
}

HMONITOR DialogMonitor() {
  TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
  if (!form && Application) form = Application->MainForm();
  if (form && form->HandleAllocated()) {
    return MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTONEAREST);
  }
  return MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

}  // namespace

void PlaceCommonDialog(HWND dialog) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT r;
  if (!GetMonitorInfoA(DialogMonitor(), &info) || !GetWindowRect(dialog, &r)) return;
  const RECT& m = info.rcMonitor;
  int left = m.left + ((m.right - m.left) - (r.right - r.left)) / 2;
  int top = m.top + ((m.bottom - m.top) - (r.bottom - r.top)) / 3;
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

TCommonDialog::~TCommonDialog() {
  if (creatingDialog == this) creatingDialog = nullptr;
  if (handle_ && IsWindow(handle_)) {
    RemovePropA(handle_, kComponentProp);
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
    DestroyWindow(handle_);
  }
}

UINT TCommonDialog::FindMessage() {
  static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
  return message;
}

UINT TCommonDialog::HelpMessage() {
  static const UINT message = RegisterWindowMessageA(HELPMSGSTRINGA);
  return message;
}

void TCommonDialog::BeginCreating() {
  creatingDialog = this;
}

void TCommonDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
  if (OnClose) OnClose(this);
}

void TCommonDialog::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_INITDIALOG:
      DoShow();
      message.Result = 0;
      return;
    case WM_DESTROY:
      DoClose();
      break;
    default:
      break;
  }
  DefaultHandler(message);
}

void TCommonDialog::DefaultHandler(TMessage& message) {
  if (!handle_ || !defWndProc_) return;
  message.Result =
      CallWindowProcA(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
}

UINT_PTR TCommonDialog::DialogHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_INITDIALOG || !creatingDialog) return 0;
  TCommonDialog* component = creatingDialog;
  PlaceCommonDialog(dialog);
  component->handle_ = dialog;
  SetPropA(dialog, kComponentProp, component);
  component->defWndProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogWndProc)));
  DialogWndProc(dialog, msg, wParam, lParam);
  creatingDialog = nullptr;
  return 0;
}

LRESULT TCommonDialog::DialogWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TCommonDialog* component = ComponentOf(hwnd);
  if (!component) return DefWindowProcA(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    component->WndProc(message);
  } catch (...) {
    ApplicationHandleException(component);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kComponentProp);
    component->handle_ = nullptr;
    component->defWndProc_ = nullptr;
  }
  return message.Result;
}

namespace {

[[maybe_unused]] const auto kTCommonDialog =
    RegisterClass<TCommonDialog, TComponent>("TCommonDialog")
        .Property("Ctl3D", &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D)
        .Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext)
        .Event("OnClose", &TCommonDialog::OnClose)
        .Event("OnShow", &TCommonDialog::OnShow);

}  // namespace
