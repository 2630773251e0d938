// The window system's state for the one GUI thread: windows by handle, classes, the queue,
// timers, focus, activation and capture. Internal to the platform layer.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/surface.h"
#include "platform/update_area.h"
#include "platform/winuser.h"

namespace platform {

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HCURSOR cursor = nullptr;
  HANDLE background = nullptr;
};

struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
};

// The per-window data of a system control class (a button's check state, a list's items),
// owned by the window and freed with it.
struct ControlData {
  virtual ~ControlData() = default;
};

struct Window {
  HWND handle = nullptr;
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;       // children only
  HWND owner = nullptr;        // top-level only
  std::vector<HWND> children;  // topmost first
  RECT rect{};                 // in the parent's client coordinates, or the screen's
  RECT client{};               // in window coordinates
  std::string text;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::map<std::string, HANDLE> props;  // names in upper case
  UpdateArea update;                    // client coordinates
  bool erase = false;
  bool frame = false;
  bool internalPaint = false;
  ScrollBarState bars[2];
  bool destroying = false;
  std::unique_ptr<Surface> surface;  // top-level windows only
  bool dirty = false;                // the surface changed since it was presented
  std::unique_ptr<ControlData> controlData;
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  DWORD due;
};

// The state of a drag on a window scroll bar, from button down to button up.
struct ScrollTracking {
  HWND hwnd = nullptr;
  int bar = 0;
  int part = 0;  // the SB_* code of the part pressed
  int grabOffset = 0;
  UINT_PTR repeatTimer = 0;  // repeats an arrow or page part while the button is held
};

struct ModalFrame {
  HWND window;
  bool ended = false;
  LONG_PTR result = 0;
};

class WindowSystem {
 public:
  static WindowSystem& Get();

  Window* Find(HWND hwnd);
  bool Valid(HWND hwnd) { return Find(hwnd) != nullptr; }
  Backend& Screen();

  // The siblings list the window lives in (its parent's children or the top-level list).
  std::vector<HWND>& Siblings(Window& w);
  HWND Root(HWND hwnd);
  // Moves the top-level windows that hwnd owns, directly or through other owned windows, just
  // above it in topLevel, keeping their own order: a dialog stays above the window it belongs to.
  void KeepOwnedAbove(HWND hwnd);
  // The client area's top-left corner in screen coordinates.
  POINT ClientOrigin(HWND hwnd);
  bool IsVisible(HWND hwnd);

  std::map<std::string, std::unique_ptr<WindowClass>> classes;  // names in upper case
  std::map<UINT_PTR, std::unique_ptr<Window>> windows;
  std::vector<HWND> topLevel;  // topmost first
  std::deque<MSG> posted;
  std::deque<InputEvent> input;
  std::vector<Timer> timers;
  std::map<std::string, UINT> registered;
  bool quitPosted = false;
  int quitCode = 0;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  bool appActive = false;
  HWND lastActiveBeforeFocusLoss = nullptr;
  HCURSOR cursor = nullptr;
  POINT cursorPos{0, 0};
  BYTE keys[256] = {};  // bit 0x80 down, bit 0x01 toggled
  DWORD messageTime = 0;
  POINT messagePos{0, 0};
  int sendDepth = 0;
  UINT doubleClickTime = 500;
  ScrollTracking tracking;
  std::vector<ModalFrame> modal;
  // The last button press, for double clicks.
  struct {
    HWND hwnd = nullptr;
    UINT message = 0;
    DWORD time = 0;
    POINT pt{0, 0};
  } lastClick;

 private:
  UINT_PTR nextId_ = 0x10000;
  std::unique_ptr<Backend> backend_;

  friend HWND CreateWindowExA(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HANDLE,
                              HINSTANCE, void*);
  friend void SetBackend(std::unique_ptr<Backend>);
};

std::string UpperCase(std::string_view s);

// The control data of a window, made by the class procedure at WM_NCCREATE; null for a window
// of another class (or a handle no longer valid).
template <class T>
T* ControlDataOf(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w ? dynamic_cast<T*>(w->controlData.get()) : nullptr;
}

// Shared steps between the concept files.
void RecalcClient(HWND hwnd);
void InvalidateArea(HWND hwnd, const UpdateArea& area, UINT flags);
void ForgetWindowInput(HWND hwnd);
void ForgetWindowTimers(HWND hwnd);
// Called when a window is hidden, disabled or destroyed: focus, capture and activation move.
void LoseActivationAndFocus(HWND hwnd);
// Translates one raw event into a message; false when the event produced none.
bool InputToMessage(const InputEvent& event, MSG* msg);
bool NextTimerMessage(HWND filter, bool remove, MSG* msg);
DWORD NextTimerDue();
bool NextPaintMessage(HWND filter, MSG* msg);
void ScrollBarButtonDown(HWND hwnd, LRESULT hit, POINT screen);
void ScrollBarMouseMove(POINT screen);
void ScrollBarButtonUp(POINT screen);
// The rectangle of a window scroll bar in window coordinates (empty when not shown).
RECT ScrollBarRect(HWND hwnd, int bar);
LRESULT NonClientHitTest(HWND hwnd, POINT screen);
void NonClientCalcSize(HWND hwnd, RECT* rect);
LPARAM PointParam(POINT pt);
void ActivateWindow(HWND top, WORD how);
// Surfaces: each top-level window's picture, device contexts over it, and presenting.
void SizeSurface(HWND top);
// The part of the surface the window may draw on (client area or, with frame, the whole
// window), clipped by its ancestors, the siblings above them and, with WS_CLIPCHILDREN, its
// children; in surface coordinates.
UpdateArea VisibleArea(HWND hwnd, bool frame);
HDC MakeWindowDC(HWND hwnd, const UpdateArea* limit, bool frame);
void ReleaseWindowDC(HWND hwnd, HDC dc);
void PresentDirtyWindows();
void PaintNonClient(HWND hwnd);
// The caption bar and its close box in window coordinates (empty without WS_CAPTION or,
// for the close box, WS_SYSMENU), and the painting of both.
RECT CaptionRect(HWND hwnd);
RECT CloseBoxRect(HWND hwnd);
void PaintCaption(HWND hwnd, HDC dc);
void ScrollSurface(HWND hwnd, const RECT& source, const RECT& clip, int dx, int dy);

}  // namespace platform
