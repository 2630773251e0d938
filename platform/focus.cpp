// Keyboard focus, window activation and mouse capture with their messages, and modal loops.
#include <algorithm>

#include "platform/dialog.h"
#include "platform/window_system.h"

namespace platform {
namespace {

bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) {
  return hwnd && (hwnd == ancestor || IsChild(ancestor, hwnd));
}

void SendActivateApp(bool active) {
  WindowSystem& ws = WindowSystem::Get();
  ws.appActive = active;
  std::vector<HWND> tops = ws.topLevel;
  for (HWND t : tops) SendMessageA(t, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

// The window that takes over activation when the active one goes: its owner if it can, else
// the topmost visible, enabled top-level window.
HWND Successor(HWND leaving) {
  WindowSystem& ws = WindowSystem::Get();
  auto usable = [&](HWND h) {
    Window* w = ws.Find(h);
    return w && h != leaving && !w->destroying && (w->style & WS_VISIBLE) &&
           !(w->style & (WS_DISABLED | WS_MINIMIZE));
  };
  if (Window* w = ws.Find(leaving); w && usable(w->owner)) return w->owner;
  for (HWND t : ws.topLevel) {
    if (usable(t)) return t;
  }
  return nullptr;
}

void Deactivate(HWND newActive) {
  WindowSystem& ws = WindowSystem::Get();
  HWND old = ws.active;
  if (!old) return;
  ws.active = nullptr;
  SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
  SendMessageA(old, WM_ACTIVATE, MAKELONG(WA_INACTIVE, IsIconic(old) ? 1 : 0),
               reinterpret_cast<LPARAM>(newActive));
}

}  // namespace

void ActivateWindow(HWND hwnd, WORD how) {
  WindowSystem& ws = WindowSystem::Get();
  HWND top = ws.Root(hwnd);
  if (!top || top == ws.active) return;
  HWND old = ws.active;
  if (!ws.appActive) SendActivateApp(true);
  Deactivate(top);
  if (!ws.Valid(top)) return;
  ws.active = top;
  auto& list = ws.topLevel;
  list.erase(std::remove(list.begin(), list.end(), top), list.end());
  list.insert(list.begin(), top);
  ws.KeepOwnedAbove(top);
  SendMessageA(top, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(top, WM_ACTIVATE, MAKELONG(how, IsIconic(top) ? 1 : 0),
               reinterpret_cast<LPARAM>(old));
  if (ws.Valid(top) && ws.active == top) ws.Screen().WindowChanged(top);
}

HWND SetActiveWindow(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  HWND old = ws.active;
  if (!ws.Valid(hwnd)) return nullptr;
  ActivateWindow(hwnd, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() {
  return WindowSystem::Get().active;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!WindowSystem::Get().Valid(hwnd)) return FALSE;
  ActivateWindow(hwnd, WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow() {
  return WindowSystem::Get().active;
}

HWND SetFocus(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  HWND old = ws.focus;
  if (hwnd && !ws.Valid(hwnd)) return nullptr;
  if (hwnd) {
    HWND top = ws.Root(hwnd);
    if (IsIconic(top)) return nullptr;
    if (top != ws.active) ActivateWindow(top, WA_ACTIVE);
    if (!ws.Valid(hwnd)) return nullptr;
  }
  if (ws.focus == hwnd) return old;
  HWND leaving = ws.focus;
  if (leaving) SendMessageA(leaving, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  // The procedure that lost the focus may have moved it elsewhere; that choice stands.
  if (ws.focus != leaving) return old;
  ws.focus = hwnd;
  if (hwnd) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(leaving), 0);
  return old;
}

HWND GetFocus() {
  return WindowSystem::Get().focus;
}

void LoseActivationAndFocus(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  if (IsSelfOrDescendant(hwnd, ws.capture)) ReleaseCapture();
  if (IsSelfOrDescendant(hwnd, ws.focus)) {
    HWND parent = ws.Find(hwnd)->parent;
    Window* p = ws.Find(parent);
    SetFocus(p && !p->destroying && ws.IsVisible(parent) ? parent : nullptr);
    if (IsSelfOrDescendant(hwnd, ws.focus)) ws.focus = nullptr;
  }
  if (ws.active == hwnd) {
    HWND next = Successor(hwnd);
    if (next) {
      ActivateWindow(next, WA_ACTIVE);
    } else {
      Deactivate(nullptr);
      if (ws.focus && ws.Root(ws.focus) == hwnd) SetFocus(nullptr);
    }
  }
}

HWND SetCapture(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  if (!ws.Valid(hwnd)) return nullptr;
  HWND old = ws.capture;
  ws.capture = hwnd;
  if (old && old != hwnd) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  }
  return old;
}

BOOL ReleaseCapture() {
  WindowSystem& ws = WindowSystem::Get();
  HWND old = ws.capture;
  ws.capture = nullptr;
  if (old) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  return WindowSystem::Get().capture;
}

short GetKeyState(int virtualKey) {
  BYTE k = WindowSystem::Get().keys[virtualKey & 0xFF];
  return short(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

short GetAsyncKeyState(int virtualKey) {
  return GetKeyState(virtualKey);
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = WindowSystem::Get().cursorPos;
  return TRUE;
}

LONG_PTR RunModalLoop(HWND window) {
  WindowSystem& ws = WindowSystem::Get();
  if (!ws.Valid(window)) return 0;
  HWND top = ws.Root(window);
  HWND previous = ws.active;
  std::vector<HWND> disabled;
  for (HWND t : ws.topLevel) {
    Window* w = ws.Find(t);
    if (t == top || !w || (w->style & WS_DISABLED) || w->owner == top) continue;
    disabled.push_back(t);
  }
  for (HWND t : disabled) EnableWindow(t, FALSE);
  ws.modal.push_back(ModalFrame{window});
  std::size_t frame = ws.modal.size() - 1;
  if (ws.IsVisible(top)) SetActiveWindow(top);
  MSG msg;
  while (!ws.modal[frame].ended && ws.Valid(window)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (IsDialogWindow(window) && IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  LONG_PTR result = ws.modal[frame].result;
  ws.modal.resize(frame);
  for (HWND t : disabled) EnableWindow(t, TRUE);
  if (ws.Valid(previous) && ws.IsVisible(previous)) SetActiveWindow(previous);
  return result;
}

BOOL EndModalLoop(HWND window, LONG_PTR result) {
  WindowSystem& ws = WindowSystem::Get();
  for (auto it = ws.modal.rbegin(); it != ws.modal.rend(); ++it) {
    if (it->window == window) {
      it->ended = true;
      it->result = result;
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace platform
