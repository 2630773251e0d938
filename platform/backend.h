// The seam between the window system and a screen: raw input in, whole top-level windows out.
#pragma once

#include <memory>
#include <string>

#include "platform/winuser.h"

namespace platform {

// One piece of raw input or a screen event. Points are screen coordinates.
struct InputEvent {
  enum class Kind {
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    KeyDown,
    KeyUp,
    Text,          // typed text, UTF-8, from any keyboard layout
    CloseRequest,  // the user closed a top-level window from outside
    Expose,        // a top-level window's pixels were lost
    Minimized,
    Restored,
    FocusLost,  // another program became the foreground
    FocusGained,
  };
  Kind kind = Kind::MouseMove;
  HWND window = nullptr;  // for the window events
  POINT pt{0, 0};
  int button = 0;  // 0 left, 1 right, 2 middle
  int wheelDelta = 0;
  int virtualKey = 0;
  int scanCode = 0;
  bool extended = false;
  std::string text;
};

// A top-level window's pixels: 32-bit ARGB rows (premultiplied, as Cairo keeps them).
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // in pixels
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual SIZE ScreenSize() const = 0;
  // Milliseconds since an arbitrary start.
  virtual DWORD Now() = 0;
  // Takes the next raw event, if one is waiting.
  virtual bool NextEvent(InputEvent* event) = 0;
  // Waits until an event may be waiting or timeoutMs has passed (kInfinite: no limit).
  // Returns false when nothing can ever arrive.
  virtual bool Wait(DWORD timeoutMs) = 0;

  // A top-level window appeared, moved, changed size, caption, state or visibility.
  virtual void WindowChanged(HWND window) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  virtual void Present(HWND window, const PixelView& pixels) = 0;
  virtual void SetCursorShape(WORD shape) = 0;
  virtual void Beep() = 0;
  virtual void SetClipboardText(const std::string& utf8) = 0;
  virtual std::string ClipboardText() = 0;

  static constexpr DWORD kInfinite = 0xFFFFFFFF;
};

// Picks the backend, once, before the first window is made. A program that picks none gets a
// headless screen of 1024 x 768.
void SetBackend(std::unique_ptr<Backend> backend);
Backend& CurrentBackend();

}  // namespace platform
