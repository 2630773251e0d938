// The base of the components that wrap the system's common dialogs: their published basics,
// the hook that places and takes over a dialog window, and the dialog window's messages.
#pragma once

#include "controls/control_messages.h"
#include "core/component.h"
#include "core/event.h"
#include "platform/winuser.h"

// A common-dialog component is non-visual. While its system dialog is open, Handle() is the
// dialog's window and the component sees every message of that window first (WndProc); what
// it does not handle goes on to the dialog's own procedure. OnShow runs when the dialog is
// initialised and OnClose when its window is destroyed; an exception from either, or from any
// handler run from the dialog's messages, is reported through the application and the dialog
// stays usable.
class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* owner);
  // A dialog still open is destroyed with the component.
  ~TCommonDialog() override;

  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value) { ctl3D_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  // The dialog template's name; empty for the system's own layout.
  const AnsiString& Template() const { return template_; }
  void SetTemplate(const AnsiString& value) { template_ = value; }
  // The open dialog's window, null while closed.
  platform::HWND Handle() const { return handle_; }

  TNotifyEvent OnClose;
  TNotifyEvent OnShow;

  // The registered messages of the find dialog's notices and of its help button.
  static platform::UINT FindMessage();
  static platform::UINT HelpMessage();

 protected:
  // WM_INITDIALOG runs DoShow and goes no further; WM_DESTROY runs DoClose; WM_NCDESTROY
  // forgets the window. Everything else goes to DefaultHandler.
  virtual void WndProc(TMessage& message);
  // Passes the message to the dialog window's previous procedure.
  void DefaultHandler(TMessage& message);
  virtual void DoShow();
  virtual void DoClose();

  // Marks this component as the one whose dialog window is being made; the hook consumes it.
  void BeginCreating();
  // The hook both dialogs install. At WM_INITDIALOG it places the dialog on the monitor of the
  // active form (else the main form, else the first monitor), centred horizontally and at one
  // third of the height, records the window on the creating component, subclasses the window
  // for it and delivers WM_INITDIALOG to it. It lets every message through (returns 0).
  static platform::UINT_PTR DialogHook(platform::HWND dialog, platform::UINT msg,
                                       platform::WPARAM wParam, platform::LPARAM lParam);

 private:
  static platform::LRESULT DialogWndProc(platform::HWND hwnd, platform::UINT msg,
                                         platform::WPARAM wParam, platform::LPARAM lParam);

  bool ctl3D_ = true;
  int helpContext_ = 0;
  AnsiString template_;
  platform::HWND handle_ = nullptr;
  platform::WNDPROC defWndProc_ = nullptr;
};

// Places a dialog window centred horizontally and at one third of the height of the monitor of
// the active form, else of the main form, else of the first monitor.
void PlaceCommonDialog(platform::HWND dialog);
