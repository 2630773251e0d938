// System metrics, the classic system colours, cursors, double-click time and the beep.
#include <array>

#include "platform/window_system.h"

namespace platform {
namespace {

// The classic silver palette, by COLOR_* index.
constexpr std::array<COLORREF, 31> kSysColors = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(223, 223, 223),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(181, 181, 181),  // (unused index 25)
    RGB(0, 0, 255),      // hot-tracked item
    RGB(16, 132, 208),   // active caption gradient
    RGB(181, 181, 181),  // inactive caption gradient
    RGB(0, 0, 128),      // menu highlight
    RGB(192, 192, 192),  // menu bar
};

constexpr WORD kCursorShapes[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                  32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};

}  // namespace

int GetSystemMetrics(int index) {
  SIZE screen = WindowSystem::Get().Screen().ScreenSize();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN:
      return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return screen.cy;
    case SM_CYFULLSCREEN:
      return screen.cy - 19;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_SWAPBUTTON:
    case SM_DBCSENABLED:
      return 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CMONITORS:
    case SM_MIDEASTENABLED:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return 27;
    default:
      return 0;
  }
}

DWORD GetSysColor(int index) {
  return index >= 0 && index < int(kSysColors.size()) ? kSysColors[std::size_t(index)] : 0;
}

UINT GetDoubleClickTime() {
  return WindowSystem::Get().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
  WindowSystem::Get().doubleClickTime = ms ? ms : 500;
  return TRUE;
}

BOOL MessageBeep(UINT) {
  WindowSystem::Get().Screen().Beep();
  return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;
  WORD shape = WORD(reinterpret_cast<UINT_PTR>(name));
  for (WORD known : kCursorShapes) {
    if (known == shape) return reinterpret_cast<HCURSOR>(UINT_PTR(shape));
  }
  return nullptr;
}

WORD CursorShape(HCURSOR cursor) {
  return WORD(reinterpret_cast<UINT_PTR>(cursor));
}

HCURSOR SetCursor(HCURSOR cursor) {
  WindowSystem& ws = WindowSystem::Get();
  HCURSOR old = ws.cursor;
  if (cursor != old) {
    ws.cursor = cursor;
    ws.Screen().SetCursorShape(CursorShape(cursor));
  }
  return old;
}

HCURSOR GetCursor() {
  return WindowSystem::Get().cursor;
}

DWORD GetCurrentThreadId() {
  // Any fixed non-zero number: the window system belongs to one thread.
  return 1;
}

}  // namespace platform
