// The application object: the hidden application window, the forms it makes, the message loop
// with its idle work, and the report of exceptions that escape event handlers.
#pragma once

#include <exception>
#include <functional>
#include <mutex>
#include <vector>

#include "controls/control.h"
#include "controls/form.h"
#include "controls/form_host.h"
#include "core/apphooks.h"
#include "core/component.h"
#include "core/exceptions.h"
#include "platform/winuser.h"

using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TMessageEvent = TEvent<void(platform::MSG& Msg, bool& Handled)>;
// A hook on the application window's procedure; true ends the message's processing.
using TWindowHook = std::function<bool(TMessage& message)>;

// Posted to the application window: register (any WParam but 1, the window in LParam) or ask
// for (WParam 1) the modeless dialog whose keys the loop routes to the dialog manager.
constexpr platform::UINT CM_DIALOGHANDLE = CM_BASE + 49;

// One per process (Application), made by StartApplicationObjects before the program block and
// freed by StopApplicationObjects after it. It owns every form MakeForm makes; the first becomes
// the main form, and closing it ends RunLoop. While it exists it is the installed application
// hooks (exceptions reported by lower layers reach ReportHandlerFailure) and the form host.
class TApplication : public TComponent, public ApplicationHooks, public FormHost {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Runs the start-up steps of the linked units (the data layer starts COM here).
  void Setup();

  // The title is the application window's caption; set before the window exists it is kept
  // until then. The default is the program file's name without directory and extension, every
  // character after the first in lower case.
  void ChangeTitle(const AnsiString& title);
  AnsiString CurrentTitle() const;
  platform::HWND Handle() const { return handle_; }
  // The icon of the application window's class (and so of its task-bar button).
  platform::HANDLE Icon() const { return icon_; }

  // Makes a form of class F owned by the application, storing it in reference first; if
  // reading its description fails the reference is cleared and the error propagates. The first
  // form made gets its window at once and becomes the main form.
  template <class F>
  void MakeForm(F*& reference) {
    reference = new F(this);
    try {
      reference->AfterConstruction();
    } catch (...) {
      delete reference;
      reference = nullptr;
      throw;
    }
    FormMade(reference);
  }
  TCustomForm* MainForm() override { return mainForm_; }

  // Shows the main form and handles messages until the quit message arrives; returns at once
  // without a main form. Exceptions from handling a message are reported and the loop goes on.
  void RunLoop();
  // Handles one waiting message, or does the idle step when none waits.
  void HandleMessage();
  // Handles every waiting message, without the idle step.
  void ProcessMessages() override;
  // Posts the quit message that ends RunLoop.
  void RequestQuit() override;
  bool Terminated() const { return terminated_; }
  bool Running() const { return running_; }

  // The central report of an exception being handled (call it inside a catch block): a window
  // holding the mouse gets the cancel-mode message; EAbort shows nothing; otherwise
  // OnException if set, else ShowError.
  void ReportHandlerFailure(TObject* sender);
  // The message with "." appended when its last character sorts after "." (bytes above 0x2E),
  // in a message box with the title as caption, an OK button and the stop icon.
  void ShowError(const Exception& error);
  // Shows a system message box owned by the application window, with the other windows
  // disabled meanwhile and the active window and focus given back afterwards.
  int AppMessageBox(const AnsiString& text, const AnsiString& caption, platform::UINT flags);

  void Minimize();
  void Restore();
  bool Active() const { return active_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool value) { showMainForm_ = value; }
  TBiDiMode BiDiMode() const { return bidiMode_; }
  void SetBiDiMode(TBiDiMode value) { bidiMode_ = value; }
  // The control under the mouse at the last idle step.
  TControl* MouseControl() const { return mouseControl_; }
  // The long part of the hint of the control under the mouse.
  const AnsiString& Hint() const { return hint_; }
  platform::HWND DialogHandle() const { return dialogHandle_; }

  // Hint settings (no control of the program has a hint text, so none is ever shown).
  TColor HintColor() const { return hintColor_; }
  int HintPause() const { return hintPause_; }
  int HintShortPause() const { return hintShortPause_; }
  int HintHidePause() const { return hintHidePause_; }
  bool HintShortCuts() const { return hintShortCuts_; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }

  // Queues a call to run on the GUI thread at its next idle step; any thread may call it. A
  // call queued while that thread waits for a message runs after the next message.
  void QueueForMainThread(std::function<void()> call);

  // Runs first for every message of the application window.
  void AddWindowHook(TWindowHook hook) { windowHooks_.push_back(std::move(hook)); }

  // Frees the forms at the end of the program: hides the owned popups, switches hints off and
  // frees every form (each form's OnDestroy first). The library's shutdown runs it.
  void Shutdown();

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TNotifyEvent OnHint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  void ComponentNotice(TComponent* component, TOperation operation) override;

  // ApplicationHooks.
  void HandleException(TObject* Sender, std::exception_ptr error) override;
  // FormHost.
  platform::HWND ApplicationWindow() override { return handle_; }
  void FormCreated(TCustomForm* form) override;
  void FormDestroyed(TCustomForm* form) override;
  void FormVisibilityChanged() override;
  void FormActivated(TCustomForm* form) override;

 private:
  static platform::LRESULT AppWndProc(platform::HWND hwnd, platform::UINT msg,
                                      platform::WPARAM wParam, platform::LPARAM lParam);
  void WndProc(TMessage& message);
  void CreateHandle();
  void FormMade(TCustomForm* form);
  bool ProcessMessage(platform::MSG& msg);
  bool IsKeyMsg(platform::MSG& msg);
  bool IsDlgMsg(platform::MSG& msg);
  void Idle();
  void TrackMouse();
  void SetMouseControl(TControl* control);

  platform::HWND handle_ = nullptr;
  platform::HANDLE icon_ = nullptr;
  AnsiString pendingTitle_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
  bool showMainForm_ = true;
  bool active_ = true;
  platform::HWND dialogHandle_ = nullptr;
  TControl* mouseControl_ = nullptr;
  AnsiString hint_;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintShortPause_ = 0;
  int hintHidePause_ = 2500;
  bool hintShortCuts_ = true;
  bool showHint_ = false;
  TBiDiMode bidiMode_ = TBiDiMode::bdLeftToRight;
  bool allowTesting_ = true;
  std::vector<TWindowHook> windowHooks_;
  std::mutex queuedMutex_;
  std::vector<std::function<void()>> queued_;
  ApplicationHooks* previousHooks_ = nullptr;
  FormHost* previousHost_ = nullptr;
};

// The process-wide application object.
extern TApplication* Application;

// The control library's start-up: makes the screen object and then the application object
// (whose hints are then switched on). Pick the screen backend before calling it.
void StartApplicationObjects();
// The library's shutdown: runs the application's Shutdown, frees the application and then the
// screen object, and runs the units' exit steps.
void StopApplicationObjects();

// The last-chance report for an exception that escaped the program block (reading the main
// form, for instance): a task-modal box with the stop icon, caption "Application Error" and
// "Exception <class> in module <program> at <address>.\r\n<message>[.]\r\n". Returns the exit
// code, 1. Call it inside a catch block.
int LastChanceReport();

// The program file's name without its directory.
AnsiString ProgramFileName();
