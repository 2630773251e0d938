// TFindDialog: executing the system find dialog, its redirector window, its notices and the
// application's dialog handle.
#include "framework/find_dialog.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "controls/form.h"
#include "controls/wincontrol.h"
#include "core/apphooks.h"
#include "core/classes.h"
#include "framework/application.h"
#include "framework/modal.h"
#include "platform/atoms.h"

using namespace platform;

namespace {

constexpr std::array<DWORD, 13> kOptionFlags = {
    FR_DOWN,       FR_FINDNEXT,    FR_HIDEMATCHCASE, FR_HIDEWHOLEWORD, FR_HIDEUPDOWN,
    FR_MATCHCASE,  FR_NOMATCHCASE, FR_NOUPDOWN,      FR_NOWHOLEWORD,   FR_REPLACE,
    FR_REPLACEALL, FR_WHOLEWORD,   FR_SHOWHELP,
};

constexpr const char* kRedirectorClass = "TRedirectorWindow";

// The atom under which an open find dialog keeps the procedure that the dialog-handle
// procedure below replaced: "WndProcPtr" with the module instance and the thread id.
LPCSTR WndProcPtrAtom() {
  static const ATOM atom = [] {
    char name[32];
    std::snprintf(name, sizeof name, "WndProcPtr%.8X%.8X", 0u, unsigned(GetCurrentThreadId()));
    return GlobalAddAtomA(name);
  }();
  return MAKEINTATOM(atom);
}

HWND CurrentDialogHandle() {
  if (!Application) return nullptr;
  return reinterpret_cast<HWND>(SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 1, 0));
}

void SetDialogHandle(HWND dialog) {
  if (Application) {
    SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 0, reinterpret_cast<LPARAM>(dialog));
  }
}

// The second procedure of an open find dialog: it makes the dialog the application's dialog
// handle while its frame is active.
LRESULT DialogHandleProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(dialog, WndProcPtrAtom()));
  switch (msg) {
    case WM_NCACTIVATE:
      if (wParam) {
        if (!CurrentDialogHandle()) SetDialogHandle(dialog);
      } else if (CurrentDialogHandle() == dialog) {
        SetDialogHandle(nullptr);
      }
      break;
    case WM_DESTROY:
      if (CurrentDialogHandle() == dialog) SetDialogHandle(nullptr);
      break;
    case WM_NCDESTROY: {
      LRESULT result = previous ? CallWindowProcA(previous, dialog, msg, wParam, lParam) : 0;
      RemovePropA(dialog, WndProcPtrAtom());
      return result;
    }
    default:
      break;
  }
  return previous ? CallWindowProcA(previous, dialog, msg, wParam, lParam)
                  : DefWindowProcA(dialog, msg, wParam, lParam);
}

// The topmost top-level window of the program that is a form, else the application window.
HWND FirstFormWindow() {
  for (HWND w : TopLevelWindows()) {
    if (dynamic_cast<TCustomForm*>(FindControl(w))) return w;
  }
  return Application ? Application->Handle() : nullptr;
}

}  // namespace

DWORD FindOptionFlag(TFindOption option) {
  return kOptionFlags[static_cast<std::size_t>(option)];
}

DWORD FindOptionsToFlags(TFindOptions options) {
  DWORD flags = 0;
  for (std::size_t i = 0; i < kOptionFlags.size(); ++i) {
    if (options.Contains(static_cast<TFindOption>(i))) flags |= kOptionFlags[i];
  }
  return flags;
}

TFindOptions FindOptionsFromFlags(DWORD flags) {
  TFindOptions options;
  for (std::size_t i = 0; i < kOptionFlags.size(); ++i) {
    if (flags & kOptionFlags[i]) options.Include(static_cast<TFindOption>(i));
  }
  return options;
}

TFindDialog::TFindDialog(TComponent* owner) : TCommonDialog(owner) {
  findReplace_.lStructSize = 40;
  findReplace_.lpstrFindWhat = findText_;
  findReplace_.lpstrReplaceWith = replaceText_;
  findReplace_.wFindWhatLen = sizeof findText_;
  findReplace_.wReplaceWithLen = sizeof replaceText_;
  findReplace_.lCustData = reinterpret_cast<LPARAM>(this);
  findReplace_.lpfnHook = &FindDialogHook;
}

TFindDialog::~TFindDialog() {
  if (findHandle_ && IsWindow(findHandle_)) SendMessageA(findHandle_, WM_CLOSE, 0, 0);
  if (redirector_) {
    SetWindowLongPtrA(redirector_, GWLP_USERDATA, 0);
    DestroyWindow(redirector_);
  }
}

AnsiString TFindDialog::FindText() const {
  return AnsiString(findText_, strnlen(findText_, sizeof findText_));
}

void TFindDialog::SetFindText(const AnsiString& value) {
  std::size_t n = std::min(value.size(), sizeof findText_ - 1);
  std::memcpy(findText_, value.data(), n);
  findText_[n] = '\0';
}

bool TFindDialog::Execute() {
  if (findHandle_) {
    BringWindowToTop(findHandle_);
    return true;
  }
  findReplace_.Flags = FR_ENABLEHOOK;
  redirector_ = CreateRedirector();
  findReplace_.hwndOwner = redirector_;
  findReplace_.Flags |= FindOptionsToFlags(options_);
  findReplace_.lpTemplateName = nullptr;
  if (!Template().empty()) {
    findReplace_.Flags |= FR_ENABLETEMPLATE;
    findReplace_.lpTemplateName = Template().c_str();
  }
  BeginCreating();
  findHandle_ = FindTextA(&findReplace_);
  if (!findHandle_) {
    // Nothing will ever report to the redirector: it goes now rather than lingering.
    SetWindowLongPtrA(redirector_, GWLP_USERDATA, 0);
    DestroyWindow(redirector_);
    redirector_ = nullptr;
  }
  return findHandle_ != nullptr;
}

HWND TFindDialog::CreateRedirector() {
  WNDCLASSA existing{};
  if (!GetClassInfoA(nullptr, kRedirectorClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &RedirectorProc;
    wc.lpszClassName = kRedirectorClass;
    RegisterClassA(&wc);
  }
  HWND redirector = CreateWindowExA(0, kRedirectorClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0,
                                    FirstFormWindow(), nullptr, nullptr, nullptr);
  SetWindowLongPtrA(redirector, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return redirector;
}

void TFindDialog::ReleaseRedirector() {
  if (!redirector_) return;
  SetWindowLongPtrA(redirector_, GWLP_USERDATA, 0);
  PostMessageA(redirector_, CM_RELEASE, 0, 0);
  redirector_ = nullptr;
}

LRESULT TFindDialog::RedirectorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == CM_RELEASE) {
    DestroyWindow(hwnd);
    return 0;
  }
  auto* dialog = reinterpret_cast<TFindDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (dialog) {
    TMessage message{msg, wParam, lParam, 0};
    try {
      if (dialog->HandleOwnerMessage(message)) return message.Result;
    } catch (...) {
      ApplicationHandleException(dialog);
      return 1;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool TFindDialog::HandleOwnerMessage(TMessage& message) {
  if (message.Msg != FindMessage() ||
      reinterpret_cast<FINDREPLACEA*>(message.LParam) != &findReplace_) {
    // The help message would show help for HelpContext; this system has no help viewer.
    return false;
  }
  message.Result = 1;
  DWORD flags = findReplace_.Flags;
  options_ = FindOptionsFromFlags(flags);
  if (flags & FR_FINDNEXT) {
    if (OnFind) OnFind(this);
  }
  if (flags & (FR_REPLACE | FR_REPLACEALL)) {
    if (OnReplace) OnReplace(this);
  }
  if (flags & FR_DIALOGTERM) {
    RECT r;
    if (GetWindowRect(findHandle_, &r)) position_ = {r.left, r.top};
    findHandle_ = nullptr;
    ReleaseRedirector();
  }
  return true;
}

UINT_PTR TFindDialog::FindDialogHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  UINT_PTR result = DialogHook(dialog, msg, wParam, lParam);
  if (msg == WM_INITDIALOG) {
    const auto* request = reinterpret_cast<const FINDREPLACEA*>(lParam);
    const auto* component = reinterpret_cast<const TFindDialog*>(request->lCustData);
    if (component->position_.x != -1 || component->position_.y != -1) {
      SetWindowPos(dialog, nullptr, component->position_.x, component->position_.y, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
    }
    LONG_PTR previous =
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogHandleProc));
    SetPropA(dialog, WndProcPtrAtom(), reinterpret_cast<HANDLE>(previous));
  }
  return result;
}

namespace {

[[maybe_unused]] const auto kTFindDialog =
    RegisterClass<TFindDialog, TCommonDialog>("TFindDialog")
        .Property("FindText", &TFindDialog::FindText, &TFindDialog::SetFindText)
        .Set("Options", &TFindDialog::Options, &TFindDialog::SetOptions,
             {"frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord", "frHideUpDown",
              "frMatchCase", "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord",
              "frReplace", "frReplaceAll", "frWholeWord", "frShowHelp"})
        .Event("OnFind", &TFindDialog::OnFind);

}  // namespace
