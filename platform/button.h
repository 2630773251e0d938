// The "BUTTON" control: push buttons, check boxes, radio buttons and group boxes.
#pragma once

#include "platform/winuser.h"

namespace platform {

// Button styles: the kind in the low four bits, the rest combine.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD BS_RIGHTBUTTON = BS_LEFTTEXT;
constexpr DWORD BS_LEFT = 0x0100;
constexpr DWORD BS_RIGHT = 0x0200;
constexpr DWORD BS_CENTER = 0x0300;
constexpr DWORD BS_TOP = 0x0400;
constexpr DWORD BS_BOTTOM = 0x0800;
constexpr DWORD BS_VCENTER = 0x0C00;
constexpr DWORD BS_PUSHLIKE = 0x1000;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD BS_NOTIFY = 0x4000;
constexpr DWORD BS_FLAT = 0x8000;

// Messages.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;

// Check and state values.
constexpr WPARAM BST_UNCHECKED = 0x0000;
constexpr WPARAM BST_CHECKED = 0x0001;
constexpr WPARAM BST_INDETERMINATE = 0x0002;
constexpr LRESULT BST_PUSHED = 0x0004;
constexpr LRESULT BST_FOCUS = 0x0008;

// Notifications, in the high word of WM_COMMAND's wParam, sent to the parent.
constexpr WORD BN_CLICKED = 0;
constexpr WORD BN_DOUBLECLICKED = 5;
constexpr WORD BN_SETFOCUS = 6;
constexpr WORD BN_KILLFOCUS = 7;

// A click on a button (left button pressed and released over it, Space pressed and released
// while it has the focus, or BM_CLICK) sends BN_CLICKED to the parent through WM_COMMAND,
// with the button's id in the low word and its handle in lParam. Automatic check boxes toggle
// (three-state ones cycle through the indeterminate state) and automatic radio buttons check
// themselves and uncheck the automatic radio buttons of their group before the notice. A
// double click on a radio button, or on any button with BS_NOTIFY, sends BN_DOUBLECLICKED.
// The box of a check box or radio button stands on the left with the text after it; with
// BS_LEFTTEXT or WS_EX_RIGHT it stands on the right with the text right-aligned before it,
// as right-to-left layouts ask. WS_EX_RTLREADING draws the text right to left. The parent's
// WM_CTLCOLORSTATIC (WM_CTLCOLORBTN for push buttons) answer chooses the colours.
LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
