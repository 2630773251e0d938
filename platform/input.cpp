// Raw input to messages: the mouse by capture or hit test with activation, cursor and double
// clicks; keys with their shift state; typed text as WM_CHAR bytes of the system code page.
#include <cstdlib>

#include "platform/codepage.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr int kButtonKey[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The deepest visible window under a screen point; disabled children give way to their parent.
HWND WindowAt(POINT screen) {
  WindowSystem& ws = WindowSystem::Get();
  for (HWND t : ws.topLevel) {
    Window* w = ws.Find(t);
    if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || !Contains(w->rect, screen)) {
      continue;
    }
    if (SendMessageA(t, WM_NCHITTEST, 0, PointParam(screen)) == HTTRANSPARENT) continue;
    HWND found = t;
    bool descended = true;
    while (descended) {
      descended = false;
      Window* f = ws.Find(found);
      if (!f) return nullptr;
      POINT o = ws.ClientOrigin(found);
      POINT local{screen.x - o.x, screen.y - o.y};
      RECT client{0, 0, f->client.right - f->client.left, f->client.bottom - f->client.top};
      if (!Contains(client, local)) break;
      for (HWND c : f->children) {
        Window* cw = ws.Find(c);
        if (!cw || !(cw->style & WS_VISIBLE) || !Contains(cw->rect, local)) continue;
        if (cw->style & WS_DISABLED) break;
        if (SendMessageA(c, WM_NCHITTEST, 0, PointParam(screen)) == HTTRANSPARENT) continue;
        found = c;
        descended = true;
        break;
      }
    }
    return found;
  }
  return nullptr;
}

WPARAM MouseKeys() {
  WindowSystem& ws = WindowSystem::Get();
  WPARAM k = 0;
  if (ws.keys[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (ws.keys[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (ws.keys[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (ws.keys[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (ws.keys[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

void SetKey(int vk, bool down) {
  BYTE& k = WindowSystem::Get().keys[vk & 0xFF];
  if (down && !(k & 0x80)) k ^= 0x01;
  k = BYTE(down ? (k | 0x80) : (k & ~0x80));
}

void SetKeyWithGeneric(int vk, bool down) {
  SetKey(vk, down);
  WindowSystem& ws = WindowSystem::Get();
  auto either = [&](int a, int b) { return (ws.keys[a] & 0x80) || (ws.keys[b] & 0x80); };
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetKey(VK_SHIFT, either(VK_LSHIFT, VK_RSHIFT));
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) SetKey(VK_CONTROL, either(VK_LCONTROL, VK_RCONTROL));
  if (vk == VK_LMENU || vk == VK_RMENU) SetKey(VK_MENU, either(VK_LMENU, VK_RMENU));
}

// Turns a button press into a double click when the class asks for them and the press follows
// the last one closely in time and place on the same window.
UINT DoubleClick(HWND hwnd, UINT down, UINT doubleMessage, POINT screen, DWORD time) {
  WindowSystem& ws = WindowSystem::Get();
  auto& last = ws.lastClick;
  bool close = last.hwnd == hwnd && last.message == down &&
               time - last.time <= ws.doubleClickTime &&
               std::abs(screen.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(screen.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (close && (GetClassStyle(hwnd) & CS_DBLCLKS)) {
    last = {};
    return doubleMessage;
  }
  last = {hwnd, down, time, screen};
  return down;
}

bool MouseMessage(const InputEvent& e, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  DWORD time = ws.Screen().Now();
  ws.cursorPos = e.pt;
  int b = e.button < 0 || e.button > 2 ? 0 : e.button;
  bool down = e.kind == InputEvent::Kind::ButtonDown;
  bool up = e.kind == InputEvent::Kind::ButtonUp;
  if (down || up) SetKey(kButtonKey[b], down);

  if (ws.tracking.hwnd) {
    if (e.kind == InputEvent::Kind::MouseMove) ScrollBarMouseMove(e.pt);
    if (up && b == 0) ScrollBarButtonUp(e.pt);
    return false;
  }

  HWND target = ws.capture;
  LRESULT hit = HTCLIENT;
  if (!target) {
    target = WindowAt(e.pt);
    if (!target) return false;
    HWND top = ws.Root(target);
    if (!IsWindowEnabled(top)) {
      if (down) MessageBeep(MB_OK);
      return false;
    }
    hit = SendMessageA(target, WM_NCHITTEST, 0, PointParam(e.pt));
    if (!ws.Valid(target)) return false;
    if (down) {
      if (top != ws.active) {
        LRESULT how = SendMessageA(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                   MAKELONG(WORD(hit), WORD(kDown[b])));
        if (how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT) ActivateWindow(top, WA_CLICKACTIVE);
        if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT || !ws.Valid(target)) {
          return false;
        }
      }
    }
    UINT mouseMsg = e.kind == InputEvent::Kind::MouseMove ? WM_MOUSEMOVE : down ? kDown[b] : kUp[b];
    SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELONG(WORD(hit), WORD(mouseMsg)));
    if (!ws.Valid(target)) return false;
  }

  UINT message;
  if (e.kind == InputEvent::Kind::MouseMove) {
    message = WM_MOUSEMOVE;
  } else if (down) {
    message = DoubleClick(target, kDown[b], kDown[b] + 2, e.pt, time);
  } else {
    message = kUp[b];
  }
  POINT screen = e.pt;
  if (hit == HTCLIENT) {
    POINT o = ws.ClientOrigin(target);
    *msg = MSG{target, message, MouseKeys(), PointParam({screen.x - o.x, screen.y - o.y}),
               time,   screen};
  } else {
    *msg =
        MSG{target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), PointParam(screen), time,
            screen};
  }
  return true;
}

bool KeyMessage(const InputEvent& e, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  bool down = e.kind == InputEvent::Kind::KeyDown;
  int vk = e.virtualKey & 0xFF;
  bool wasDown = ws.keys[vk] & 0x80;
  SetKeyWithGeneric(vk, down);
  HWND target = ws.focus ? ws.focus : ws.active;
  if (!target) return false;
  bool alt = ws.keys[VK_MENU] & 0x80;
  bool ctrl = ws.keys[VK_CONTROL] & 0x80;
  // Alt alone (not with Ctrl, which is AltGr on many layouts), F10, and any key while nothing
  // has the focus go the system way.
  bool system = (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU || !ws.focus;
  if (vk == VK_MENU && !down) system = !ctrl;
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lp = 1 | (LPARAM(e.scanCode & 0xFF) << 16);
  if (e.extended) lp |= KF_EXTENDED_BIT;
  if (alt && !ctrl) lp |= KF_ALTDOWN_BIT;
  if (down ? wasDown : true) lp |= KF_REPEAT_BIT;
  if (!down) lp |= KF_UP_BIT;
  *msg = MSG{target, message, WPARAM(vk), lp, ws.Screen().Now(), ws.cursorPos};
  return true;
}

bool TextMessage(const InputEvent& e, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  HWND target = ws.focus;
  if (!target) return false;
  // Ctrl with a letter is a command (its control character comes from the key), even where a
  // keyboard layout also reports the letter as typed text; Ctrl with Alt is AltGr and types.
  if ((ws.keys[VK_CONTROL] & 0x80) && !(ws.keys[VK_MENU] & 0x80)) return false;
  std::string bytes = WideToAnsi(Utf8ToWide(e.text));
  if (bytes.empty()) return false;
  DWORD time = ws.Screen().Now();
  // The first character is this message; the rest follow ahead of anything queued later.
  for (std::size_t i = bytes.size() - 1; i > 0; --i) {
    ws.posted.push_front(
        MSG{target, WM_CHAR, WPARAM(static_cast<unsigned char>(bytes[i])), 1, time, ws.cursorPos});
  }
  *msg = MSG{target, WM_CHAR, WPARAM(static_cast<unsigned char>(bytes[0])), 1, time, ws.cursorPos};
  return true;
}

}  // namespace

HWND WindowFromPoint(POINT pt) {
  return WindowAt(pt);
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(parent);
  if (!w) return nullptr;
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (!Contains(client, pt)) return nullptr;
  for (HWND c : w->children) {
    if (Window* cw = ws.Find(c); cw && Contains(cw->rect, pt)) return c;
  }
  return parent;
}

bool InputToMessage(const InputEvent& e, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  using Kind = InputEvent::Kind;
  switch (e.kind) {
    case Kind::MouseMove:
    case Kind::ButtonDown:
    case Kind::ButtonUp:
      return MouseMessage(e, msg);
    case Kind::Wheel: {
      ws.cursorPos = e.pt;
      HWND target = ws.focus ? ws.focus : ws.active;
      if (!target) return false;
      *msg = MSG{target,
                 WM_MOUSEWHEEL,
                 MAKELONG(WORD(MouseKeys()), WORD(short(e.wheelDelta))),
                 PointParam(e.pt),
                 ws.Screen().Now(),
                 e.pt};
      return true;
    }
    case Kind::KeyDown:
    case Kind::KeyUp:
      return KeyMessage(e, msg);
    case Kind::Text:
      return TextMessage(e, msg);
    case Kind::CloseRequest:
      if (!ws.Valid(e.window)) return false;
      *msg = MSG{e.window, WM_SYSCOMMAND, SC_CLOSE, 0, ws.Screen().Now(), ws.cursorPos};
      return true;
    case Kind::Expose:
      RedrawWindow(e.window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return false;
    case Kind::Minimized:
      if (ws.Valid(e.window) && !IsIconic(e.window)) ShowWindow(e.window, SW_SHOWMINNOACTIVE);
      return false;
    case Kind::Restored:
      if (ws.Valid(e.window) && IsIconic(e.window)) ShowWindow(e.window, SW_RESTORE);
      return false;
    case Kind::FocusLost:
      if (ws.active) {
        HWND was = ws.active;
        SendMessageA(was, WM_NCACTIVATE, FALSE, 0);
        ws.active = nullptr;
        SendMessageA(was, WM_ACTIVATE, MAKELONG(WA_INACTIVE, 0), 0);
        SetFocus(nullptr);
        ws.lastActiveBeforeFocusLoss = was;
      }
      if (ws.appActive) {
        ws.appActive = false;
        for (HWND t : std::vector<HWND>(ws.topLevel)) SendMessageA(t, WM_ACTIVATEAPP, FALSE, 0);
      }
      return false;
    case Kind::FocusGained: {
      HWND back = ws.Valid(e.window) ? e.window : ws.lastActiveBeforeFocusLoss;
      if (ws.Valid(back) && ws.IsVisible(back)) ActivateWindow(back, WA_ACTIVE);
      return false;
    }
  }
  return false;
}

}  // namespace platform
