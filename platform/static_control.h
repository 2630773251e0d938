// The "STATIC" control: text, icons, rectangles, frames and etched lines that take no input.
#pragma once

#include "platform/winuser.h"

namespace platform {

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_BLACKRECT = 0x0004;
constexpr DWORD SS_GRAYRECT = 0x0005;
constexpr DWORD SS_WHITERECT = 0x0006;
constexpr DWORD SS_BLACKFRAME = 0x0007;
constexpr DWORD SS_GRAYFRAME = 0x0008;
constexpr DWORD SS_WHITEFRAME = 0x0009;
constexpr DWORD SS_SIMPLE = 0x000B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
constexpr DWORD SS_ETCHEDHORZ = 0x0010;
constexpr DWORD SS_ETCHEDVERT = 0x0011;
constexpr DWORD SS_ETCHEDFRAME = 0x0012;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD SS_NOTIFY = 0x0100;
constexpr DWORD SS_CENTERIMAGE = 0x0200;
constexpr DWORD SS_SUNKEN = 0x1000;

constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;

constexpr WORD STN_CLICKED = 0;
constexpr WORD STN_DBLCLK = 1;

// Text kinds draw the window text with "&" prefixes (unless SS_NOPREFIX), word-wrapped except
// SS_SIMPLE and SS_LEFTNOWORDWRAP; WS_EX_RIGHT right-aligns SS_LEFT text and WS_EX_RTLREADING
// reads it right to left. SS_ICON shows the icon given by STM_SETICON (or named by the window
// text as an integer resource). Colours come from the parent's WM_CTLCOLORSTATIC answer. A
// static is transparent to the mouse (HTTRANSPARENT) unless it has SS_NOTIFY, which sends
// STN_CLICKED and STN_DBLCLK.
LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
