// TFindDialog: the system's modeless find dialog as a component, reporting each Find Next.
#pragma once

#include "core/sets.h"
#include "framework/common_dialog.h"
#include "platform/commdlg.h"

enum class TFindOption {
  frDown,
  frFindNext,
  frHideMatchCase,
  frHideWholeWord,
  frHideUpDown,
  frMatchCase,
  frDisableMatchCase,
  frDisableUpDown,
  frDisableWholeWord,
  frReplace,
  frReplaceAll,
  frWholeWord,
  frShowHelp
};
using TFindOptions = SetOf<TFindOption>;

// The system flag of each option, in the order of TFindOption.
platform::DWORD FindOptionFlag(TFindOption option);
platform::DWORD FindOptionsToFlags(TFindOptions options);
TFindOptions FindOptionsFromFlags(platform::DWORD flags);

// Execute opens the modeless dialog with FindText and Options (the window belongs to the
// system; the main window stays usable) or, when it is open, only brings it to the top. The
// dialog opens centred horizontally at one third of the height of the active form's monitor
// the first time, and after it has been closed once at the place where it was closed.
//
// Each press of Find Next sets FindText to the text in the dialog and Options to its controls
// (with frFindNext) and then runs OnFind; the dialog stays open. While the dialog is the
// active window it is the application's dialog handle, so that the message loop gives it
// its keyboard navigation. The system dialog writes into a request record and a 256-byte text
// buffer inside the component, so the component must outlive the dialog: freeing the
// component closes an open dialog first.
class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* owner);
  ~TFindDialog() override;
  TFindDialog(const TFindDialog&) = delete;
  TFindDialog& operator=(const TFindDialog&) = delete;

  // True when the dialog is open afterwards; false when the system could not make it.
  bool Execute();

  // The text up to the buffer's first zero byte; setting keeps at most 255 bytes.
  AnsiString FindText() const;
  void SetFindText(const AnsiString& value);
  TFindOptions Options() const { return options_; }
  void SetOptions(TFindOptions value) { options_ = value; }
  // Where the dialog opens next (left, top in screen coordinates); (-1, -1) until it has been
  // closed once.
  platform::POINT Position() const { return position_; }
  // The open dialog's window, null while closed.
  platform::HWND FindHandle() const { return findHandle_; }

  TNotifyEvent OnFind;
  // Raised for the replace variant's buttons, which this program does not use.
  TNotifyEvent OnReplace;

 private:
  static platform::UINT_PTR FindDialogHook(platform::HWND dialog, platform::UINT msg,
                                           platform::WPARAM wParam, platform::LPARAM lParam);
  static platform::LRESULT RedirectorProc(platform::HWND hwnd, platform::UINT msg,
                                          platform::WPARAM wParam, platform::LPARAM lParam);
  // The notices the dialog sends its owner, the redirector; true when it was one of ours.
  bool HandleOwnerMessage(TMessage& message);
  platform::HWND CreateRedirector();
  // Cuts the redirector's link to this component and has it free itself after the current
  // message.
  void ReleaseRedirector();

  platform::FINDREPLACEA findReplace_{};
  char findText_[256] = {};
  char replaceText_[256] = {};
  TFindOptions options_ = {TFindOption::frDown};
  platform::POINT position_{-1, -1};
  platform::HWND findHandle_ = nullptr;
  platform::HWND redirector_ = nullptr;
};
