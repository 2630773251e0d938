// The "ComboBox" control: a list with a selection field, either always open beneath an edit
// (CBS_SIMPLE) or dropping down below an edit (CBS_DROPDOWN) or a plain field
// (CBS_DROPDOWNLIST).
#pragma once

#include "platform/winuser.h"

namespace platform {

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;

constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr LRESULT CB_ERR = -1;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;

// The CB_* messages act on the list as the LB_* ones do (CB_SETCURSEL also shows the item's
// text in the field); the field's text is the window text. The user's choices send
// CBN_SELCHANGE; typing into the edit sends CBN_EDITCHANGE and, in a simple combo box, selects
// the first item starting with the text typed. A drop-down opens with a click on its arrow
// button (or the field of a drop-down list), F4 or Alt+Down, and closes with a pick, Enter
// (CBN_SELENDOK) or Escape (CBN_SELENDCANCEL, the selection put back), each with
// CBN_CLOSEUP. While closed, Up and Down step through the items. The window's height given at
// creation is the dropped height; a drop-down keeps only its field's height. CBS_OWNERDRAWFIXED
// asks the parent to draw items and the field through WM_DRAWITEM.
LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
