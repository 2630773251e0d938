// Timers: generated as WM_TIMER when due and nothing else is waiting, never queued up in bursts.
#include <algorithm>

#include "platform/window_system.h"

namespace platform {
namespace {

// Timers shorter than this run at this rate, as on the system the framework was written for.
constexpr UINT kMinimumElapse = 10;
UINT_PTR nextThreadTimer = 0x7F00;

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  WindowSystem& ws = WindowSystem::Get();
  if (hwnd && !ws.Valid(hwnd)) return 0;
  if (!hwnd) {
    auto it = std::find_if(ws.timers.begin(), ws.timers.end(),
                           [&](const Timer& t) { return !t.hwnd && t.id == id && id; });
    if (it == ws.timers.end()) id = ++nextThreadTimer;
  }
  elapse = std::max(elapse, kMinimumElapse);
  DWORD due = ws.Screen().Now() + elapse;
  for (Timer& t : ws.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t = Timer{hwnd, id, elapse, proc, due};
      return id ? id : 1;
    }
  }
  ws.timers.push_back(Timer{hwnd, id, elapse, proc, due});
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  WindowSystem& ws = WindowSystem::Get();
  auto n = std::erase_if(ws.timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  return n ? TRUE : FALSE;
}

void ForgetWindowTimers(HWND hwnd) {
  std::erase_if(WindowSystem::Get().timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

DWORD NextTimerDue() {
  WindowSystem& ws = WindowSystem::Get();
  DWORD due = Backend::kInfinite;
  for (const Timer& t : ws.timers) due = std::min(due, t.due);
  return due;
}

bool NextTimerMessage(HWND filter, bool remove, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  DWORD now = ws.Screen().Now();
  Timer* next = nullptr;
  for (Timer& t : ws.timers) {
    if (filter && t.hwnd != filter) continue;
    if (LONG(now - t.due) < 0) continue;
    if (!next || LONG(t.due - next->due) < 0) next = &t;
  }
  if (!next) return false;
  *msg =
      MSG{next->hwnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc), now, ws.cursorPos};
  if (remove) next->due = now + next->elapse;
  return true;
}

DWORD GetTickCount() {
  return WindowSystem::Get().Screen().Now();
}

}  // namespace platform
