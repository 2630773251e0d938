// Messages between controls: the message record, the control messages and the reflected
// notifications, numbered above the system's own.
#pragma once

#include "platform/winuser.h"

// One message as a control's window procedure sees it; Result is what the sender gets back.
struct TMessage {
  platform::UINT Msg = 0;
  platform::WPARAM WParam = 0;
  platform::LPARAM LParam = 0;
  platform::LRESULT Result = 0;
};

// A mouse move or a button press, release or double click in the client area.
constexpr bool IsMouseMessage(platform::UINT msg) {
  return msg >= platform::WM_MOUSEFIRST && msg <= platform::WM_MBUTTONDBLCLK;
}

// Control messages: sent between controls, never by the system.
constexpr platform::UINT CM_BASE = 0xB000;
constexpr platform::UINT CM_ACTIVATE = CM_BASE + 0;
constexpr platform::UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr platform::UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr platform::UINT CM_COLORCHANGED = CM_BASE + 4;
constexpr platform::UINT CM_FONTCHANGED = CM_BASE + 5;
constexpr platform::UINT CM_CURSORCHANGED = CM_BASE + 6;
constexpr platform::UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr platform::UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr platform::UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr platform::UINT CM_SHOWINGCHANGED = CM_BASE + 13;
constexpr platform::UINT CM_MOUSEENTER = CM_BASE + 14;
constexpr platform::UINT CM_MOUSELEAVE = CM_BASE + 15;
constexpr platform::UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr platform::UINT CM_DIALOGKEY = CM_BASE + 22;
constexpr platform::UINT CM_DIALOGCHAR = CM_BASE + 23;
constexpr platform::UINT CM_FOCUSCHANGED = CM_BASE + 24;
constexpr platform::UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 25;
constexpr platform::UINT CM_BIDIMODECHANGED = CM_BASE + 26;
constexpr platform::UINT CM_CONTROLCHANGE = CM_BASE + 31;
// Posted by a form to itself: free the form.
constexpr platform::UINT CM_RELEASE = CM_BASE + 33;
constexpr platform::UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr platform::UINT CM_CANCELMODE = CM_BASE + 36;
// WParam: the control whose value changed (TControl*); sent to its parent.
constexpr platform::UINT CM_CHANGED = CM_BASE + 37;
// WParam: the control that was entered or left (TControl*); sent to a container when the
// keyboard focus moves between its controls.
constexpr platform::UINT CM_ENTER = CM_BASE + 38;
constexpr platform::UINT CM_EXIT = CM_BASE + 39;
constexpr platform::UINT CM_HITTEST = CM_BASE + 44;
constexpr platform::UINT CM_TABSTOPCHANGED = CM_BASE + 47;

// Notifications reflected back to the control they concern: a key message seen first by the
// control (the application's key check) and the WM_COMMAND a child sends its parent.
constexpr platform::UINT CN_BASE = 0xBC00;
constexpr platform::UINT CN_COMMAND = CN_BASE + platform::WM_COMMAND;
constexpr platform::UINT CN_KEYDOWN = CN_BASE + platform::WM_KEYDOWN;
constexpr platform::UINT CN_KEYUP = CN_BASE + platform::WM_KEYUP;
constexpr platform::UINT CN_CHAR = CN_BASE + platform::WM_CHAR;
constexpr platform::UINT CN_SYSKEYDOWN = CN_BASE + platform::WM_SYSKEYDOWN;
constexpr platform::UINT CN_SYSCHAR = CN_BASE + platform::WM_SYSCHAR;
constexpr platform::UINT CN_CTLCOLOREDIT = CN_BASE + platform::WM_CTLCOLOREDIT;
constexpr platform::UINT CN_CTLCOLORBTN = CN_BASE + platform::WM_CTLCOLORBTN;
constexpr platform::UINT CN_CTLCOLORSTATIC = CN_BASE + platform::WM_CTLCOLORSTATIC;
constexpr platform::UINT CN_CTLCOLORLISTBOX = CN_BASE + platform::WM_CTLCOLORLISTBOX;
constexpr platform::UINT CN_CTLCOLORSCROLLBAR = CN_BASE + platform::WM_CTLCOLORSCROLLBAR;
