// The one monitor: the backend's screen.
#include "platform/monitor.h"

namespace platform {
namespace {

HMONITOR Primary() {
  return reinterpret_cast<HMONITOR>(UINT_PTR(1));
}

RECT ScreenRect() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  RECT screen = ScreenRect();
  bool on = pt.x >= screen.left && pt.x < screen.right && pt.y >= screen.top && pt.y < screen.bottom;
  return on || flags != MONITOR_DEFAULTTONULL ? Primary() : nullptr;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags != MONITOR_DEFAULTTONULL ? Primary() : nullptr;
  return Overlaps(r, ScreenRect()) || flags != MONITOR_DEFAULTTONULL ? Primary() : nullptr;
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != Primary() || !info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  info->rcMonitor = ScreenRect();
  info->rcWork = info->rcMonitor;
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

}  // namespace platform
