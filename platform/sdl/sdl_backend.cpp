// SDL2 windows for top-level windows. Our windows keep screen positions; an SDL window sits at
// the same place, and its events are turned back into screen coordinates.
#include "platform/sdl/sdl_backend.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <stdexcept>

#include "platform/codepage.h"

namespace platform {
namespace {

int VirtualKey(const SDL_Keysym& k) {
  // Letters and digits by their place on the keyboard, so that any layout gives the same keys.
  SDL_Scancode sc = k.scancode;
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK_F1 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) {
    return VK_NUMPAD0 + 1 + (sc - SDL_SCANCODE_KP_1);
  }
  switch (sc) {
    case SDL_SCANCODE_KP_0:
      return VK_NUMPAD0;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
      return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
      return VK_BACK;
    case SDL_SCANCODE_TAB:
      return VK_TAB;
    case SDL_SCANCODE_SPACE:
      return VK_SPACE;
    case SDL_SCANCODE_LSHIFT:
      return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT:
      return VK_RSHIFT;
    case SDL_SCANCODE_LCTRL:
      return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL:
      return VK_RCONTROL;
    case SDL_SCANCODE_LALT:
      return VK_LMENU;
    case SDL_SCANCODE_RALT:
      return VK_RMENU;
    case SDL_SCANCODE_CAPSLOCK:
      return VK_CAPITAL;
    case SDL_SCANCODE_LEFT:
      return VK_LEFT;
    case SDL_SCANCODE_RIGHT:
      return VK_RIGHT;
    case SDL_SCANCODE_UP:
      return VK_UP;
    case SDL_SCANCODE_DOWN:
      return VK_DOWN;
    case SDL_SCANCODE_HOME:
      return VK_HOME;
    case SDL_SCANCODE_END:
      return VK_END;
    case SDL_SCANCODE_PAGEUP:
      return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN:
      return VK_NEXT;
    case SDL_SCANCODE_INSERT:
      return VK_INSERT;
    case SDL_SCANCODE_DELETE:
      return VK_DELETE;
    case SDL_SCANCODE_PAUSE:
      return VK_PAUSE;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return VK_NUMLOCK;
    case SDL_SCANCODE_MINUS:
      return 0xBD;
    case SDL_SCANCODE_EQUALS:
      return 0xBB;
    case SDL_SCANCODE_LEFTBRACKET:
      return 0xDB;
    case SDL_SCANCODE_RIGHTBRACKET:
      return 0xDD;
    case SDL_SCANCODE_BACKSLASH:
      return 0xDC;
    case SDL_SCANCODE_SEMICOLON:
      return 0xBA;
    case SDL_SCANCODE_APOSTROPHE:
      return 0xDE;
    case SDL_SCANCODE_GRAVE:
      return 0xC0;
    case SDL_SCANCODE_COMMA:
      return 0xBC;
    case SDL_SCANCODE_PERIOD:
      return 0xBE;
    case SDL_SCANCODE_SLASH:
      return 0xBF;
    default:
      return 0;
  }
}

bool IsExtended(int vk) {
  return vk == VK_RCONTROL || vk == VK_RMENU || (vk >= VK_PRIOR && vk <= VK_DOWN) ||
         vk == VK_INSERT || vk == VK_DELETE;
}

SDL_SystemCursor SystemCursor(WORD shape) {
  switch (shape) {
    case 32513:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
      return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32644:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case 32642:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32646:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
      return SDL_SYSTEM_CURSOR_NO;
    case 32649:
      return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
      return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

SdlBackend::SdlBackend() {
  // A terminating signal ends the program as it would any other; SDL would swallow it.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    throw std::runtime_error(std::string("SDL video could not start: ") + SDL_GetError());
  }
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    screen_ = {mode.w, mode.h};
  } else {
    screen_ = {1024, 768};
  }
  SDL_StartTextInput();
}

SdlBackend::~SdlBackend() {
  for (auto& [hwnd, window] : windows_) SDL_DestroyWindow(window);
  for (auto& [shape, cursor] : cursors_) SDL_FreeCursor(cursor);
  SDL_Quit();
}

SIZE SdlBackend::ScreenSize() const {
  return screen_;
}

DWORD SdlBackend::Now() {
  return DWORD(SDL_GetTicks());
}

HWND SdlBackend::WindowOf(unsigned int sdlId) const {
  SDL_Window* w = SDL_GetWindowFromID(sdlId);
  for (auto& [hwnd, window] : windows_) {
    if (window == w) return hwnd;
  }
  return nullptr;
}

bool SdlBackend::Translate(const SDL_Event& e, InputEvent* out) {
  using Kind = InputEvent::Kind;
  auto screenPoint = [&](unsigned int id, int x, int y) {
    RECT r{0, 0, 0, 0};
    GetWindowRect(WindowOf(id), &r);
    return POINT{r.left + x, r.top + y};
  };
  switch (e.type) {
    case SDL_MOUSEMOTION:
      out->kind = Kind::MouseMove;
      out->pt = screenPoint(e.motion.windowID, e.motion.x, e.motion.y);
      return WindowOf(e.motion.windowID) != nullptr;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      out->kind = e.type == SDL_MOUSEBUTTONDOWN ? Kind::ButtonDown : Kind::ButtonUp;
      out->pt = screenPoint(e.button.windowID, e.button.x, e.button.y);
      out->button = e.button.button == SDL_BUTTON_RIGHT    ? 1
                    : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                           : 0;
      return WindowOf(e.button.windowID) != nullptr;
    case SDL_MOUSEWHEEL: {
      int x = 0, y = 0;
      SDL_GetMouseState(&x, &y);
      out->kind = Kind::Wheel;
      out->pt = screenPoint(e.wheel.windowID, x, y);
      out->wheelDelta = e.wheel.y * WHEEL_DELTA;
      return e.wheel.y != 0;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out->kind = e.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp;
      out->virtualKey = VirtualKey(e.key.keysym);
      out->scanCode = int(e.key.keysym.scancode);
      out->extended = IsExtended(out->virtualKey);
      return out->virtualKey != 0;
    case SDL_TEXTINPUT:
      out->kind = Kind::Text;
      out->text = e.text.text;
      return true;
    case SDL_WINDOWEVENT:
      out->window = WindowOf(e.window.windowID);
      if (!out->window) return false;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          out->kind = Kind::CloseRequest;
          return true;
        case SDL_WINDOWEVENT_EXPOSED:
          out->kind = Kind::Expose;
          return true;
        case SDL_WINDOWEVENT_MINIMIZED:
          out->kind = Kind::Minimized;
          return true;
        case SDL_WINDOWEVENT_RESTORED:
          out->kind = Kind::Restored;
          return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          out->kind = Kind::FocusGained;
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          out->kind = Kind::FocusLost;
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

bool SdlBackend::NextEvent(InputEvent* event) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    InputEvent translated;
    if (Translate(e, &translated)) {
      *event = std::move(translated);
      return true;
    }
  }
  return false;
}

bool SdlBackend::Wait(DWORD timeoutMs) {
  int limit = timeoutMs == kInfinite ? -1 : int(std::min<DWORD>(timeoutMs, 0x7FFFFFFF));
  if (limit < 0) {
    SDL_WaitEvent(nullptr);
  } else {
    SDL_WaitEventTimeout(nullptr, limit);
  }
  return true;
}

void SdlBackend::WindowChanged(HWND hwnd) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  bool visible = (style & WS_VISIBLE) != 0;
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) {
    if (!visible) return;
    // The frame and caption are drawn by the window system itself into the surface.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    SDL_Window* w = SDL_CreateWindow(AnsiToUtf8(GetWindowString(hwnd)).c_str(), r.left, r.top,
                                     std::max(1, int(r.right - r.left)),
                                     std::max(1, int(r.bottom - r.top)), flags);
    if (!w) return;
    it = windows_.emplace(hwnd, w).first;
  }
  SDL_Window* w = it->second;
  SDL_SetWindowTitle(w, AnsiToUtf8(GetWindowString(hwnd)).c_str());
  int x, y, cx, cy;
  SDL_GetWindowPosition(w, &x, &y);
  SDL_GetWindowSize(w, &cx, &cy);
  if (x != r.left || y != r.top) SDL_SetWindowPosition(w, r.left, r.top);
  if (cx != r.right - r.left || cy != r.bottom - r.top) {
    SDL_SetWindowSize(w, std::max(1, int(r.right - r.left)), std::max(1, int(r.bottom - r.top)));
  }
  Uint32 flags = SDL_GetWindowFlags(w);
  if (!visible) {
    if (flags & SDL_WINDOW_SHOWN) SDL_HideWindow(w);
    return;
  }
  if (!(flags & SDL_WINDOW_SHOWN)) SDL_ShowWindow(w);
  if ((style & WS_MINIMIZE) && !(flags & SDL_WINDOW_MINIMIZED)) SDL_MinimizeWindow(w);
  if (!(style & WS_MINIMIZE) && (flags & SDL_WINDOW_MINIMIZED)) SDL_RestoreWindow(w);
}

void SdlBackend::WindowDestroyed(HWND hwnd) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return;
  SDL_DestroyWindow(it->second);
  windows_.erase(it);
}

void SdlBackend::Present(HWND hwnd, const PixelView& view) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end() || !view.pixels) return;
  SDL_Surface* target = SDL_GetWindowSurface(it->second);
  if (!target) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(view.pixels), view.width, view.height, 32, view.stride * 4,
      SDL_PIXELFORMAT_ARGB8888);
  if (!source) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(it->second);
}

void SdlBackend::SetCursorShape(WORD shape) {
  auto it = cursors_.find(shape);
  if (it == cursors_.end()) {
    SDL_Cursor* c = SDL_CreateSystemCursor(SystemCursor(shape));
    if (!c) return;
    it = cursors_.emplace(shape, c).first;
  }
  SDL_SetCursor(it->second);
}

// SDL has no sound of its own for this; the terminal bell is the closest thing.
void SdlBackend::Beep() {
  std::fputc('\a', stderr);
  std::fflush(stderr);
}

void SdlBackend::SetClipboardText(const std::string& utf8) {
  SDL_SetClipboardText(utf8.c_str());
}

std::string SdlBackend::ClipboardText() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

}  // namespace platform
