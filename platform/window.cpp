// Window classes, creation and destruction, relations, z-order, placement, text, longs and
// properties.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/atoms.h"
#include "platform/system_classes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

HWND HandleOf(UINT_PTR id) {
  return reinterpret_cast<HWND>(id);
}

bool IsChildStyle(DWORD style) {
  return (style & WS_CHILD) != 0;
}

void SendPosChanged(HWND hwnd, WINDOWPOS& pos) {
  SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

// A property's key: its name in upper case, or an atom's name; empty for no usable name.
std::string PropertyKey(LPCSTR name) {
  if (!name) return {};
  if (!IS_INTRESOURCE(name)) return UpperCase(name);
  char atomName[256];
  if (!GlobalGetAtomNameA(ATOM(reinterpret_cast<UINT_PTR>(name)), atomName, sizeof atomName)) {
    return {};
  }
  return UpperCase(atomName);
}

void Unlink(Window& w) {
  auto& list = WindowSystem::Get().Siblings(w);
  list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

// Destroys owned windows and children first, as the owner's destruction implies theirs.
void DestroyTree(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  std::vector<HWND> owned;
  for (HWND top : ws.topLevel) {
    if (Window* t = ws.Find(top); t && t->owner == hwnd) owned.push_back(top);
  }
  for (HWND o : owned) DestroyWindow(o);
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  Window* w = ws.Find(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND c : children) {
    if (Window* cw = ws.Find(c); cw && !cw->destroying) {
      cw->destroying = true;
      DestroyTree(c);
    }
  }
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  w = ws.Find(hwnd);
  if (!w) return;
  if (ws.tracking.hwnd == hwnd) ws.tracking = {};
  ForgetWindowInput(hwnd);
  ForgetWindowTimers(hwnd);
  Unlink(*w);
  ws.windows.erase(reinterpret_cast<UINT_PTR>(hwnd));
}

}  // namespace

WindowSystem& WindowSystem::Get() {
  static WindowSystem instance;
  return instance;
}

Window* WindowSystem::Find(HWND hwnd) {
  auto it = windows.find(reinterpret_cast<UINT_PTR>(hwnd));
  return it == windows.end() ? nullptr : it->second.get();
}

std::vector<HWND>& WindowSystem::Siblings(Window& w) {
  if (w.parent) return Find(w.parent)->children;
  return topLevel;
}

HWND WindowSystem::Root(HWND hwnd) {
  Window* w = Find(hwnd);
  while (w && w->parent) {
    hwnd = w->parent;
    w = Find(hwnd);
  }
  return w ? hwnd : nullptr;
}

void WindowSystem::KeepOwnedAbove(HWND hwnd) {
  auto ownedByIt = [&](HWND top) {
    for (Window* t = Find(top); t && t->owner; t = Find(t->owner)) {
      if (t->owner == hwnd) return true;
    }
    return false;
  };
  std::vector<HWND> owned;
  std::copy_if(topLevel.begin(), topLevel.end(), std::back_inserter(owned), ownedByIt);
  if (owned.empty()) return;
  topLevel.erase(std::remove_if(topLevel.begin(), topLevel.end(), ownedByIt), topLevel.end());
  topLevel.insert(std::find(topLevel.begin(), topLevel.end(), hwnd), owned.begin(), owned.end());
}

POINT WindowSystem::ClientOrigin(HWND hwnd) {
  POINT p{0, 0};
  for (Window* w = Find(hwnd); w; w = Find(w->parent)) {
    p.x += w->rect.left + w->client.left;
    p.y += w->rect.top + w->client.top;
    if (!w->parent) break;
  }
  return p;
}

bool WindowSystem::IsVisible(HWND hwnd) {
  for (Window* w = Find(hwnd); w; w = Find(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!w->parent) return true;
  }
  return false;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  WindowSystem& ws = WindowSystem::Get();
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || IS_INTRESOURCE(wc->lpszClassName)) return 0;
  std::string key = UpperCase(wc->lpszClassName);
  if (ws.classes.count(key)) return 0;
  auto cls = std::make_unique<WindowClass>();
  cls->name = wc->lpszClassName;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc;
  cls->instance = wc->hInstance;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  ws.classes[key] = std::move(cls);
  return static_cast<ATOM>(0xC000 + ws.classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  WindowSystem& ws = WindowSystem::Get();
  if (!className || IS_INTRESOURCE(className)) return FALSE;
  auto it = ws.classes.find(UpperCase(className));
  if (it == ws.classes.end()) return FALSE;
  for (auto& [id, w] : ws.windows) {
    if (w->cls == it->second.get()) return FALSE;
  }
  ws.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* wc) {
  WindowSystem& ws = WindowSystem::Get();
  if (!className || IS_INTRESOURCE(className) || !wc) return FALSE;
  EnsureSystemClass(className);
  auto it = ws.classes.find(UpperCase(className));
  if (it == ws.classes.end()) return FALSE;
  const WindowClass& c = *it->second;
  *wc = WNDCLASSA{c.style,  c.proc,       0,       0,        c.instance, nullptr,
                  c.cursor, c.background, nullptr, className};
  return TRUE;
}

int GetClassNameA(HWND hwnd, char* name, int maxCount) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w || !name || maxCount <= 0) return 0;
  int n = std::min<int>(maxCount - 1, static_cast<int>(w->cls->name.size()));
  std::memcpy(name, w->cls->name.data(), n);
  name[n] = '\0';
  return n;
}

DWORD GetClassStyle(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w ? w->cls->style : 0;
}

HCURSOR SetClassCursor(HWND hwnd, HCURSOR cursor) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return nullptr;
  return std::exchange(w->cls->cursor, cursor);
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HANDLE menu, HINSTANCE instance,
                     void* param) {
  WindowSystem& ws = WindowSystem::Get();
  if (!className || IS_INTRESOURCE(className)) return nullptr;
  EnsureSystemClass(className);
  auto cls = ws.classes.find(UpperCase(className));
  if (cls == ws.classes.end()) return nullptr;
  if (parent && !ws.Valid(parent)) return nullptr;
  if (IsChildStyle(style) && !parent) return nullptr;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  ws.Screen();

  auto owned = std::make_unique<Window>();
  Window& w = *owned;
  w.handle = HandleOf(ws.nextId_);
  ws.nextId_ += 4;
  w.cls = cls->second.get();
  w.proc = w.cls->proc;
  w.style = style & ~WS_VISIBLE;
  w.exStyle = exStyle;
  w.instance = instance;
  w.rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (IsChildStyle(style)) {
    w.parent = parent;
    w.id = reinterpret_cast<LONG_PTR>(menu);
  } else {
    w.owner = parent ? ws.Root(parent) : nullptr;
  }
  HWND hwnd = w.handle;
  ws.windows[reinterpret_cast<UINT_PTR>(hwnd)] = std::move(owned);
  auto& siblings = ws.Siblings(w);
  siblings.insert(siblings.begin(), hwnd);
  SizeSurface(hwnd);

  CREATESTRUCTA cs{param, instance, menu,        parent,     height,    width,
                   y,     x,        LONG(style), windowName, className, exStyle};
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (ws.Valid(hwnd)) {
      Window* f = ws.Find(hwnd);
      f->destroying = true;
      SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
      if ((f = ws.Find(hwnd))) {
        Unlink(*f);
        ws.windows.erase(reinterpret_cast<UINT_PTR>(hwnd));
      }
    }
    return nullptr;
  }
  RecalcClient(hwnd);
  if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!ws.Valid(hwnd)) return nullptr;
  Window* made = ws.Find(hwnd);
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELONG(WORD(made->client.right - made->client.left),
                        WORD(made->client.bottom - made->client.top)));
  made = ws.Find(hwnd);
  if (!made) return nullptr;
  POINT origin{made->rect.left + made->client.left, made->rect.top + made->client.top};
  SendMessageA(hwnd, WM_MOVE, 0, PointParam(origin));
  if ((style & WS_VISIBLE) && ws.Valid(hwnd)) {
    ShowWindow(hwnd, (style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                     : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                             : SW_SHOW);
  }
  return ws.Valid(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return FALSE;
  bool topLevel = !w->parent;
  if (w->style & WS_VISIBLE) {
    if (w->parent) {
      RECT r = w->rect;
      HWND parent = w->parent;
      w->style &= ~WS_VISIBLE;
      InvalidateArea(parent, UpdateArea(r), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
      w->style &= ~WS_VISIBLE;
    }
  }
  w->destroying = true;
  LoseActivationAndFocus(hwnd);
  DestroyTree(hwnd);
  if (topLevel) ws.Screen().WindowDestroyed(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  return WindowSystem::Get().Valid(hwnd) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return nullptr;
  return w->parent ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND newParent) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(child);
  if (!w || (newParent && !ws.Valid(newParent))) return nullptr;
  for (HWND p = newParent; p; p = GetParent(p)) {
    if (p == child) return nullptr;
  }
  HWND old = w->parent;
  bool visible = ws.IsVisible(child);
  if (visible && old) InvalidateArea(old, UpdateArea(w->rect), RDW_INVALIDATE | RDW_ERASE);
  Unlink(*w);
  w->parent = newParent;
  if (newParent) {
    w->style |= WS_CHILD;
    w->owner = nullptr;
  }
  auto& siblings = ws.Siblings(*w);
  siblings.insert(siblings.begin(), child);
  if (ws.IsVisible(child)) {
    RedrawWindow(child, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return old ? old : GetDesktopWindow();
}

HWND GetAncestor(HWND hwnd, UINT kind) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return nullptr;
  switch (kind) {
    case GA_PARENT:
      return w->parent ? w->parent : GetDesktopWindow();
    case GA_ROOT:
      return ws.Root(hwnd);
    case GA_ROOTOWNER: {
      HWND h = ws.Root(hwnd);
      while (Window* t = ws.Find(h)) {
        if (!t->owner) break;
        h = t->owner;
      }
      return h;
    }
    default:
      return nullptr;
  }
}

HWND GetWindow(HWND hwnd, UINT relation) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return nullptr;
  if (relation == GW_OWNER) return w->owner;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  auto& list = ws.Siblings(*w);
  auto it = std::find(list.begin(), list.end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST:
      return list.front();
    case GW_HWNDLAST:
      return list.back();
    case GW_HWNDNEXT:
      return it + 1 == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return it == list.begin() ? nullptr : *(it - 1);
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  if (!hwnd) return ws.topLevel.empty() ? nullptr : ws.topLevel.front();
  return GetWindow(hwnd, GW_CHILD);
}

// The desktop is not a window of ours; its handle is a fixed value that no window gets.
HWND GetDesktopWindow() {
  return reinterpret_cast<HWND>(UINT_PTR(0x0010));
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  for (Window* w = ws.Find(hwnd); w && w->parent; w = ws.Find(w->parent)) {
    if (w->parent == parent) return TRUE;
  }
  return FALSE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(parent);
  if (!w || !proc) return FALSE;
  std::vector<HWND> children = w->children;
  for (HWND c : children) {
    if (!ws.Valid(c)) continue;
    if (!proc(c, param)) return FALSE;
    if (!EnumChildWindows(c, proc, param) && ws.Valid(c) && !ws.Find(c)->children.empty()) {
      return FALSE;
    }
  }
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  WindowSystem& ws = WindowSystem::Get();
  if (!proc) return FALSE;
  std::vector<HWND> tops = ws.topLevel;
  for (HWND t : tops) {
    if (ws.Valid(t) && !proc(t, param)) return FALSE;
  }
  return TRUE;
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hwnd, int command) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  bool show = command != SW_HIDE;
  bool activate = !w->parent && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                  command != SW_SHOWMINNOACTIVE && command != SW_HIDE && command != SW_MINIMIZE &&
                  command != SW_SHOWMINIMIZED;
  bool minimize =
      command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
  bool maximize = command == SW_SHOWMAXIMIZED;
  bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL;

  if (show != bool(wasVisible)) SendMessageA(hwnd, WM_SHOWWINDOW, show, 0);
  if (!(w = ws.Find(hwnd))) return wasVisible;
  DWORD oldStyle = w->style;
  if (minimize) {
    w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
  } else if (maximize) {
    w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
  } else if (restore) {
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  }
  if (show) {
    w->style |= WS_VISIBLE;
  } else {
    w->style &= ~WS_VISIBLE;
  }
  if (maximize && !w->parent && !(oldStyle & WS_MAXIMIZE)) {
    SIZE s = ws.Screen().ScreenSize();
    SetWindowPos(hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!(w = ws.Find(hwnd))) return wasVisible;
  if (show && !wasVisible) {
    RedrawWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  } else if (!show && wasVisible && w->parent) {
    InvalidateArea(w->parent, UpdateArea(w->rect), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  if (!show || minimize) LoseActivationAndFocus(hwnd);
  if (!ws.Valid(hwnd)) return wasVisible;
  if ((oldStyle & WS_MINIMIZE) != (ws.Find(hwnd)->style & WS_MINIMIZE) ||
      (maximize && (oldStyle & WS_MAXIMIZE))) {
    Window* now = ws.Find(hwnd);
    WPARAM kind = (now->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                  : (now->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                               : SIZE_RESTORED;
    SendMessageA(hwnd, WM_SIZE, kind,
                 MAKELONG(WORD(now->client.right - now->client.left),
                          WORD(now->client.bottom - now->client.top)));
  }
  if (show != bool(wasVisible) && ws.Valid(hwnd)) {
    Window* now = ws.Find(hwnd);
    WINDOWPOS pos{
        hwnd,
        nullptr,
        int(now->rect.left),
        int(now->rect.top),
        int(now->rect.right - now->rect.left),
        int(now->rect.bottom - now->rect.top),
        UINT(SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW))};
    SendPosChanged(hwnd, pos);
  }
  if (activate && ws.Valid(hwnd)) SetActiveWindow(hwnd);
  if (ws.Valid(hwnd) && !ws.Find(hwnd)->parent) ws.Screen().WindowChanged(hwnd);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  return WindowSystem::Get().IsVisible(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (bool(enable) == !wasDisabled) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (ws.capture == hwnd || IsChild(hwnd, ws.capture)) ReleaseCapture();
    if (ws.focus == hwnd || IsChild(hwnd, ws.focus)) SetFocus(nullptr);
  }
  SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return FALSE;
  WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    pos.x = w->rect.left;
    pos.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = w->rect.right - w->rect.left;
    pos.cy = w->rect.bottom - w->rect.top;
  }
  SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(w = ws.Find(hwnd))) return FALSE;
  pos.cx = std::max(pos.cx, 0);
  pos.cy = std::max(pos.cy, 0);
  RECT old = w->rect;
  RECT now{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized =
      now.right - now.left != old.right - old.left || now.bottom - now.top != old.bottom - old.top;
  bool visible = ws.IsVisible(hwnd);
  w->rect = now;
  if (sized || (pos.flags & SWP_FRAMECHANGED)) RecalcClient(hwnd);
  if (sized) SizeSurface(hwnd);
  if (!(pos.flags & SWP_NOZORDER)) {
    auto& list = ws.Siblings(*w);
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    if (pos.hwndInsertAfter == HWND_BOTTOM) {
      list.push_back(hwnd);
    } else if (pos.hwndInsertAfter == HWND_TOP || pos.hwndInsertAfter == HWND_TOPMOST ||
               pos.hwndInsertAfter == HWND_NOTOPMOST) {
      list.insert(list.begin(), hwnd);
    } else {
      auto it = std::find(list.begin(), list.end(), pos.hwndInsertAfter);
      list.insert(it == list.end() ? list.begin() : it + 1, hwnd);
    }
    if (!w->parent) ws.KeepOwnedAbove(hwnd);
    if (visible && w->parent) {
      RedrawWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
  if (visible && !(pos.flags & SWP_NOREDRAW) &&
      (moved || sized || (pos.flags & SWP_FRAMECHANGED))) {
    if (w->parent) {
      UpdateArea uncovered(old);
      uncovered.Subtract(now);
      InvalidateArea(w->parent, uncovered, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (w->parent ? (moved || sized) : sized) {
      RedrawWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (pos.flags & SWP_FRAMECHANGED) {
      RedrawWindow(hwnd, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
  }
  if (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) {
    ShowWindow(hwnd, (pos.flags & SWP_SHOWWINDOW)
                         ? ((pos.flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW)
                         : SW_HIDE);
  }
  if (!ws.Valid(hwnd)) return TRUE;
  if (moved || sized || !(pos.flags & SWP_NOZORDER) || (pos.flags & SWP_FRAMECHANGED)) {
    if (!moved) pos.flags |= SWP_NOMOVE;
    if (!sized) pos.flags |= SWP_NOSIZE;
    SendPosChanged(hwnd, pos);
  }
  if (ws.Valid(hwnd) && !ws.Find(hwnd)->parent) ws.Screen().WindowChanged(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !rect) return FALSE;
  *rect = w->rect;
  if (w->parent) {
    POINT o = ws.ClientOrigin(w->parent);
    *rect = OffsetRectValue(*rect, o.x, o.y);
  }
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  WindowSystem& ws = WindowSystem::Get();
  if (!ws.Valid(hwnd) || !pt) return FALSE;
  POINT o = ws.ClientOrigin(hwnd);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  WindowSystem& ws = WindowSystem::Get();
  if (!ws.Valid(hwnd) || !pt) return FALSE;
  POINT o = ws.ClientOrigin(hwnd);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  WindowSystem& ws = WindowSystem::Get();
  if ((from && !ws.Valid(from)) || (to && !ws.Valid(to))) return 0;
  POINT a = from ? ws.ClientOrigin(from) : POINT{0, 0};
  POINT b = to ? ws.ClientOrigin(to) : POINT{0, 0};
  LONG dx = a.x - b.x;
  LONG dy = a.y - b.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return int(MAKELONG(WORD(dx), WORD(dy)));
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE
                                                                                       : FALSE;
}

int GetWindowTextA(HWND hwnd, char* text, int maxCount) {
  if (!text || maxCount <= 0) return 0;
  text[0] = '\0';
  return int(SendMessageA(hwnd, WM_GETTEXT, WPARAM(maxCount), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND hwnd) {
  return int(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowString(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(std::size_t(n) + 1, '\0');
  s.resize(std::size_t(GetWindowTextA(hwnd, s.data(), n + 1)));
  return s;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWL_STYLE:
      return LONG_PTR(w->style);
    case GWL_EXSTYLE:
      return LONG_PTR(w->exStyle);
    case GWL_USERDATA:
      return w->userData;
    case GWL_ID:
      return w->id;
    default:
      return 0;
  }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWL_WNDPROC:
      if (!value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_HWNDPARENT:
      if (w->parent) return 0;
      w->owner = ws.Root(reinterpret_cast<HWND>(value));
      break;
    case GWL_STYLE:
      // Visibility changes go through ShowWindow; the frame follows the new style at once.
      w->style = (DWORD(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
      RecalcClient(hwnd);
      break;
    case GWL_EXSTYLE:
      w->exStyle = DWORD(value);
      RecalcClient(hwnd);
      break;
    case GWL_USERDATA:
      w->userData = value;
      break;
    case GWL_ID:
      w->id = value;
      break;
    default:
      return 0;
  }
  return old;
}

LONG GetWindowLongA(HWND hwnd, int index) {
  return LONG(GetWindowLongPtrA(hwnd, index));
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
  return LONG(SetWindowLongPtrA(hwnd, index, value));
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
  Window* w = WindowSystem::Get().Find(hwnd);
  std::string key = PropertyKey(name);
  if (!w || key.empty()) return FALSE;
  w->props[key] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hwnd, LPCSTR name) {
  Window* w = WindowSystem::Get().Find(hwnd);
  std::string key = PropertyKey(name);
  if (!w || key.empty()) return nullptr;
  auto it = w->props.find(key);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
  Window* w = WindowSystem::Get().Find(hwnd);
  std::string key = PropertyKey(name);
  if (!w || key.empty()) return nullptr;
  auto it = w->props.find(key);
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  return data;
}

}  // namespace platform
