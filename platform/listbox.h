// The "ListBox" control: a scrolled list of text items with one selected, chosen by mouse,
// arrow keys or by typing the start of an item.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/winuser.h"

namespace platform {

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_WANTKEYBOARDINPUT = 0x0400;
constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMRECT = 0x0198;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr LRESULT LB_ERR = -1;

constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

// Owner drawing: WM_DRAWITEM to the parent with this record, for LBS_OWNERDRAWFIXED lists
// (and CBS_OWNERDRAWFIXED combo boxes).
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;  // (UINT)-1 for an empty list
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  UINT_PTR itemData;
};

// Items keep their order unless LBS_SORT sorts them (letter case ignored). Searches
// (LB_FINDSTRING for a prefix, LB_FINDSTRINGEXACT for a whole text) ignore letter case, start
// after the index in wParam (-1: from the first) and wrap round. Selecting an item, by message
// or by user, scrolls it into view; only the user's changes send LBN_SELCHANGE (with
// LBN_NOTIFY). Keys: Up, Down, Page Up, Page Down, Home and End; typed characters select the
// next item starting with what was typed within the last second. WS_EX_RTLREADING (or
// WS_EX_RIGHT) right-aligns and reads the items right to left. Colours come from the
// parent's WM_CTLCOLORLISTBOX answer.
LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
