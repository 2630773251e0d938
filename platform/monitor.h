// Monitors: the screen the headless and SDL backends show is the one, primary monitor.
#pragma once

#include "platform/winuser.h"

namespace platform {

struct HMONITOR__;
using HMONITOR = HMONITOR__*;

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};

// The monitor a window or point is on; off the screen, the flag decides between none and the
// primary monitor (the nearest, there being one).
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
// The monitor's rectangle and work area (the whole screen: there is no task bar) in screen
// coordinates; cbSize must be set.
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);

}  // namespace platform
