// Sending, posting and retrieving messages. The queue returns posted messages first, then input,
// then WM_QUIT, then WM_PAINT for windows with an invalid area, then due timers, as programs
// written for this order expect.
#include <algorithm>

#include "platform/headless/headless_backend.h"
#include "platform/window_system.h"

namespace platform {
namespace {

bool Matches(const MSG& m, HWND filter, UINT lo, UINT hi) {
  if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
}

void Stamp(MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  msg->time = ws.Screen().Now();
  msg->pt = ws.cursorPos;
}

// Turns waiting raw input into messages. Each event is translated only when it is its turn:
// hit testing and activation depend on the windows as they are then.
bool TakeInput(HWND filter, UINT lo, UINT hi, UINT remove, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  InputEvent raw;
  while (ws.Screen().NextEvent(&raw)) ws.input.push_back(raw);
  while (!ws.input.empty()) {
    InputEvent event = ws.input.front();
    ws.input.pop_front();
    MSG m{};
    if (!InputToMessage(event, &m)) continue;
    if (!Matches(m, filter, lo, hi) || !(remove & PM_REMOVE)) {
      // Not taken now: it waits as a posted message, in its order.
      ws.posted.push_back(m);
      if (Matches(m, filter, lo, hi)) {
        *msg = m;
        return true;
      }
      continue;
    }
    *msg = m;
    return true;
  }
  return false;
}

}  // namespace

Backend& WindowSystem::Screen() {
  if (!backend_) backend_ = std::make_unique<HeadlessBackend>(1024, 768);
  return *backend_;
}

void SetBackend(std::unique_ptr<Backend> backend) {
  WindowSystem& ws = WindowSystem::Get();
  if (backend) ws.backend_ = std::move(backend);
}

Backend& CurrentBackend() {
  return WindowSystem::Get().Screen();
}

LPARAM PointParam(POINT pt) {
  return LPARAM(MAKELONG(WORD(pt.x), WORD(pt.y)));
}

void ForgetWindowInput(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  std::erase_if(ws.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
  if (ws.lastClick.hwnd == hwnd) ws.lastClick = {};
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return 0;
  WNDPROC proc = w->proc;
  ++ws.sendDepth;
  struct Leave {
    WindowSystem& ws;
    ~Leave() { --ws.sendDepth; }
  } leave{ws};
  return proc(hwnd, msg, wParam, lParam);
}

BOOL InSendMessage() {
  return FALSE;
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Get();
  if (hwnd && !ws.Valid(hwnd)) return FALSE;
  MSG m{hwnd, msg, wParam, lParam, 0, {0, 0}};
  Stamp(&m);
  ws.posted.push_back(m);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  WindowSystem& ws = WindowSystem::Get();
  ws.quitPosted = true;
  ws.quitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
  WindowSystem& ws = WindowSystem::Get();
  if (!msg) return FALSE;
  auto it = std::find_if(ws.posted.begin(), ws.posted.end(),
                         [&](const MSG& m) { return Matches(m, hwnd, filterMin, filterMax); });
  MSG found{};
  bool have = false;
  if (it != ws.posted.end()) {
    found = *it;
    if (remove & PM_REMOVE) ws.posted.erase(it);
    have = true;
  } else if (TakeInput(hwnd, filterMin, filterMax, remove, &found)) {
    have = true;
  } else if (ws.quitPosted &&
             Matches(MSG{nullptr, WM_QUIT, 0, 0, 0, {}}, nullptr, filterMin, filterMax)) {
    found = MSG{nullptr, WM_QUIT, WPARAM(ws.quitCode), 0, 0, {}};
    Stamp(&found);
    if (remove & PM_REMOVE) ws.quitPosted = false;
    have = true;
  } else if (Matches(MSG{hwnd, WM_PAINT, 0, 0, 0, {}}, hwnd, filterMin, filterMax) &&
             NextPaintMessage(hwnd, &found)) {
    Stamp(&found);
    have = true;
  } else if (Matches(MSG{hwnd, WM_TIMER, 0, 0, 0, {}}, hwnd, filterMin, filterMax) &&
             NextTimerMessage(hwnd, remove & PM_REMOVE, &found)) {
    have = true;
  }
  if (!have) {
    // Nothing left to do: what was drawn goes to the screen.
    PresentDirtyWindows();
    return FALSE;
  }
  *msg = found;
  if (remove & PM_REMOVE) {
    ws.messageTime = found.time;
    ws.messagePos = found.pt;
  }
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  WindowSystem& ws = WindowSystem::Get();
  if (!msg) return -1;
  while (!PeekMessageA(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
    DWORD now = ws.Screen().Now();
    DWORD due = NextTimerDue();
    DWORD wait = due == Backend::kInfinite ? Backend::kInfinite : (due > now ? due - now : 0);
    if (!ws.Screen().Wait(wait)) return -1;
  }
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  WindowSystem& ws = WindowSystem::Get();
  MSG m;
  if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  DWORD now = ws.Screen().Now();
  DWORD due = NextTimerDue();
  return ws.Screen().Wait(due == Backend::kInfinite ? due : (due > now ? due - now : 0)) ? TRUE
                                                                                         : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  WindowSystem& ws = WindowSystem::Get();
  // Printable characters arrive as typed text from the keyboard layout; keys give only the
  // control characters and the Alt letters that no layout types.
  int vk = int(msg->wParam);
  bool ctrl = ws.keys[VK_CONTROL] & 0x80;
  bool alt = ws.keys[VK_MENU] & 0x80;
  int ch = 0;
  if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
    ch = vk;
  } else if (ctrl && !alt && vk >= 'A' && vk <= 'Z') {
    ch = vk - 'A' + 1;
  } else if (alt && !ctrl && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) {
    ch = (vk >= 'A' && vk <= 'Z') ? vk - 'A' + 'a' : vk;
  }
  if (!ch) return FALSE;
  UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  ws.posted.push_front(MSG{msg->hwnd, message, WPARAM(ch), msg->lParam, msg->time, msg->pt});
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  LRESULT r = SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_PAINT) {
    // A procedure that does not validate would be asked again at once, for ever.
    if (Window* w = WindowSystem::Get().Find(msg->hwnd)) {
      w->update.Clear();
      w->erase = w->frame = w->internalPaint = false;
    }
  }
  return r;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  WindowSystem& ws = WindowSystem::Get();
  if (!name || IS_INTRESOURCE(name) || !*name) return 0;
  std::string key = UpperCase(name);
  auto it = ws.registered.find(key);
  if (it != ws.registered.end()) return it->second;
  UINT id = 0xC000 + UINT(ws.registered.size());
  if (id > 0xFFFF) return 0;
  ws.registered[key] = id;
  return id;
}

DWORD GetMessageTime() {
  return WindowSystem::Get().messageTime;
}

DWORD GetMessagePos() {
  return DWORD(PointParam(WindowSystem::Get().messagePos));
}

}  // namespace platform
