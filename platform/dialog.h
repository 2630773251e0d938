// Dialog boxes: the dialog class, its default procedure, and the dialog manager that gives
// their controls keyboard navigation.
#pragma once

#include <vector>

#include "platform/winuser.h"

namespace platform {

// The class of dialog windows ("#32770"), whose procedure is DefDlgProcA.
inline constexpr const char* WC_DIALOG = "#32770";

// A dialog procedure sees every message of its dialog first and returns non-zero when it
// handled it (that value is then the message's result); WM_INITDIALOG's non-zero answer asks
// for the focus on the first tab stop.
using DLGPROC = LONG_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Makes a dialog window of the dialog class (hidden until shown) at `bounds` in screen
// coordinates, with `proc` as its dialog procedure. The caller adds the controls and then
// calls InitDialog.
HWND CreateDialogWindow(DWORD exStyle, LPCSTR caption, DWORD style, const RECT& bounds,
                        HWND owner, DLGPROC proc);
// Sends WM_INITDIALOG (wParam: the first tab stop, lParam: `param`) and, when the procedure
// asks for it, puts the focus on the first tab stop.
void InitDialog(HWND dialog, LPARAM param);
// Runs the dialog modally (other top-level windows disabled, keys through the dialog manager)
// until EndDialog; returns EndDialog's result, or -1 for a bad handle.
LONG_PTR DialogBoxLoop(HWND dialog);
BOOL EndDialog(HWND dialog, LONG_PTR result);

// The default behaviour of a dialog window: the button-face background (WM_CTLCOLORDLG),
// the default button (DM_GETDEFID/DM_SETDEFID), WM_NEXTDLGCTL, the focus kept across
// deactivation and given to the first tab stop when the dialog itself gets it, and WM_CLOSE
// turned into WM_COMMAND IDCANCEL. Procedures of dialogs call it for what they do not handle.
LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// The dialog's controls in dialog order: the order they were made in (the layer keeps
// children topmost first, so this is the reverse of the z-order).
std::vector<HWND> DialogControls(HWND dialog);
// The controls of `control`'s group: from the nearest control at or before it with WS_GROUP
// up to the next control with WS_GROUP, in dialog order.
std::vector<HWND> DialogGroupOf(HWND dialog, HWND control);

// The next (or, with previous, the one before) visible, enabled control with WS_TABSTOP
// after `control`, wrapping round; `control` itself when it is the only one. A null control
// starts from the beginning (or the end).
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The same within the control's group, ignoring WS_TABSTOP.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);

// Handles `msg` as keyboard navigation of `dialog` when the message is for the dialog or
// one of its controls, and returns TRUE when it did (the caller must then not translate or
// dispatch it). Tab and Shift+Tab move among tab stops; arrow keys move within a group
// (checking an automatic radio button they land on); Enter presses the default button (the
// DM_GETDEFID answer, else IDOK); Escape sends WM_COMMAND IDCANCEL; Alt plus a letter, or the
// letter alone where the focused control takes no characters, moves to the control whose
// text marks that letter with "&" (a label hands on to the next control, a button is
// clicked). Keys the focused control asks for through WM_GETDLGCODE stay with it.
BOOL IsDialogMessageA(HWND dialog, MSG* msg);

// True for a window of the dialog class.
bool IsDialogWindow(HWND hwnd);

// Centres the window on the screen (or, with an owner, on the owner's window), kept on the
// screen.
void CenterWindow(HWND hwnd, HWND owner);

}  // namespace platform
