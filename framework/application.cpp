// The application object: its window and title, the forms it makes and hosts, its window
// procedure, and the library's start-up and shutdown.
#include "framework/application.h"

#include <unistd.h>

#include <algorithm>

#include "core/classes.h"
#include "core/exceptions.h"
#include "framework/modal.h"
#include "framework/screen.h"
#include "platform/icons.h"

using namespace platform;

TApplication* Application = nullptr;

namespace {

constexpr const char* kWindowClass = "TApplication";
constexpr DWORD kWindowStyle =
    WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The title a program has until it sets its own: "velmora-shot" stays, "VELMORA" becomes
// "Velmora".
AnsiString DefaultTitle() {
  AnsiString name = ProgramFileName();
  std::size_t dot = name.rfind('.');
  if (dot != AnsiString::npos && dot > 0) name.erase(dot);
  for (std::size_t i = 1; i < name.size(); ++i) {
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  }
  return name;
}

}  // namespace

AnsiString ProgramFileName() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "velmora";
  AnsiString full(path, static_cast<std::size_t>(n));
  std::size_t slash = full.rfind('/');
  return slash == AnsiString::npos ? full : full.substr(slash + 1);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), pendingTitle_(DefaultTitle()) {
  // The program's own icon when it has one, the system's application icon otherwise.
  icon_ = LoadIconA(nullptr, "MAINICON");
  if (!icon_) icon_ = LoadIconA(nullptr, IDI_APPLICATION);
  CreateHandle();
  previousHooks_ = SetApplicationHooks(this);
  previousHost_ = SetFormHost(this);
}

TApplication::~TApplication() {
  Shutdown();
  SetFormHost(previousHost_);
  SetApplicationHooks(previousHooks_);
  if (handle_) {
    HWND window = handle_;
    handle_ = nullptr;
    DestroyWindow(window);
  }
}

void TApplication::CreateHandle() {
  WNDCLASSA existing{};
  if (!GetClassInfoA(nullptr, kWindowClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TApplication::AppWndProc;
    wc.lpszClassName = kWindowClass;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon_;
    if (!RegisterClassA(&wc)) throw EOutOfResources("Error creating window class");
  }
  // Never seen: only its task-bar presence matters, which every form's window shares.
  handle_ = CreateWindowExA(0, kWindowClass, pendingTitle_.c_str(), kWindowStyle,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, nullptr, this);
  if (!handle_) throw EOutOfResources("Error creating window class");
  SetPropA(handle_, kWindowClass, this);
}

void TApplication::Setup() {
  RunStartupSteps();
}

void TApplication::ChangeTitle(const AnsiString& title) {
  if (!handle_) {
    pendingTitle_ = title;
    return;
  }
  if (GetWindowString(handle_) != title) SetWindowTextA(handle_, title.c_str());
}

AnsiString TApplication::CurrentTitle() const {
  if (!handle_) return pendingTitle_;
  char text[256];
  GetWindowTextA(handle_, text, sizeof text);
  return text;
}

void TApplication::FormMade(TCustomForm* form) {
  if (mainForm_) return;
  form->HandleNeeded();
  mainForm_ = form;
}

void TApplication::RequestQuit() {
  PostQuitMessage(0);
}

void TApplication::FormCreated(TCustomForm* form) {
  if (Screen) Screen->AddForm(form);
}

void TApplication::FormDestroyed(TCustomForm* form) {
  if (Screen) Screen->RemoveForm(form);
  if (mainForm_ == form) mainForm_ = nullptr;
  if (mouseControl_ && form->ContainsControl(mouseControl_)) mouseControl_ = nullptr;
  FormVisibilityChanged();
}

void TApplication::FormVisibilityChanged() {
  if (!handle_ || !Screen) return;
  bool anyVisible = false;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Visible() && form->Showing()) anyVisible = true;
  }
  bool shown = IsWindowVisible(handle_);
  if (anyVisible != shown) ShowWindow(handle_, anyVisible ? SW_SHOWNA : SW_HIDE);
}

void TApplication::FormActivated(TCustomForm* form) {
  if (Screen) Screen->SetActiveForm(form);
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void TApplication::ComponentNotice(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == mouseControl_) mouseControl_ = nullptr;
}

LRESULT TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = static_cast<TApplication*>(GetPropA(hwnd, kWindowClass));
  if (!app) return DefWindowProcA(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    app->WndProc(message);
  } catch (...) {
    app->ReportHandlerFailure(app);
  }
  return message.Result;
}

void TApplication::WndProc(TMessage& message) {
  for (const TWindowHook& hook : windowHooks_) {
    if (hook(message)) return;
  }
  switch (message.Msg) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    case WM_ACTIVATEAPP:
      active_ = message.WParam != 0;
      PostMessageA(handle_, active_ ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
      break;
    case CM_ACTIVATE:
      if (OnActivate) OnActivate(this);
      return;
    case CM_DEACTIVATE:
      if (OnDeactivate) OnDeactivate(this);
      return;
    case WM_SYSCOMMAND:
      switch (message.WParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return;
        case SC_RESTORE:
          Restore();
          return;
        default:
          break;
      }
      break;
    case CM_DIALOGHANDLE:
      if (message.WParam == 1) {
        message.Result = reinterpret_cast<LRESULT>(dialogHandle_);
      } else {
        dialogHandle_ = reinterpret_cast<HWND>(message.LParam);
      }
      return;
    default:
      break;
  }
  message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TApplication::Shutdown() {
  // The popups the application window owns go first, then the forms with what they own.
  for (HWND w : TopLevelWindows()) {
    if (w != handle_ && GetWindow(w, GW_OWNER) == handle_ && IsWindowVisible(w)) {
      ShowWindow(w, SW_HIDE);
    }
  }
  showHint_ = false;
  SetComponentState(TComponentStateFlag::csDestroying, true);
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->BeforeDestruction();
  }
  DestroyComponents();
}

void StartApplicationObjects() {
  if (Application) return;
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
  Application->SetShowHint(true);
}

void StopApplicationObjects() {
  if (Application) Application->Shutdown();
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  RunExitSteps();
}

namespace {

[[maybe_unused]] const auto kTApplication = RegisterClass<TApplication, TComponent>("TApplication");
[[maybe_unused]] const auto kTScreen = RegisterClass<TScreen, TComponent>("TScreen");

}  // namespace
