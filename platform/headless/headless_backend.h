// A screen in memory for tests and picture rendering: injected input, a clock that moves only
// when told (or when a wait would otherwise sleep), and the pixels each window last showed.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace platform {

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend(int width, int height);

  // Input, queued as raw events in the order given. Points are screen coordinates.
  void MoveMouse(int x, int y);
  void Press(int x, int y, int button = 0);
  void Release(int x, int y, int button = 0);
  void Click(int x, int y, int button = 0);
  void Wheel(int x, int y, int delta);
  void KeyDown(int virtualKey, int scanCode = 0);
  void KeyUp(int virtualKey, int scanCode = 0);
  // Down and up of one key.
  void Tap(int virtualKey);
  void TypeText(const std::string& utf8);
  void RequestClose(HWND window);
  void Expose(HWND window);
  void FocusLost();
  void FocusGained(HWND window);

  void Advance(DWORD ms) { now_ += ms; }
  // Whether injected input is still waiting to be taken by the window system.
  bool HasPendingInput() const { return !events_.empty(); }

  // What the screen saw.
  int Beeps() const { return beeps_; }
  WORD Cursor() const { return cursor_; }
  // The pixels last presented for a top-level window (empty when it never presented).
  const std::vector<std::uint32_t>& Pixels(HWND window, int* width, int* height) const;
  // Writes the last presented pixels of a window as PNG; false when there are none or the file
  // cannot be written.
  bool WritePng(HWND window, const std::string& path) const;

  SIZE ScreenSize() const override { return size_; }
  DWORD Now() override { return now_; }
  bool NextEvent(InputEvent* event) override;
  bool Wait(DWORD timeoutMs) override;
  void WindowChanged(HWND) override {}
  void WindowDestroyed(HWND window) override { frames_.erase(window); }
  void Present(HWND window, const PixelView& pixels) override;
  void SetCursorShape(WORD shape) override { cursor_ = shape; }
  void Beep() override { ++beeps_; }
  void SetClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
  std::string ClipboardText() override { return clipboard_; }

 private:
  struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
  };

  void Push(InputEvent event);
  void PushButton(InputEvent::Kind kind, int x, int y, int button);
  void PushKey(InputEvent::Kind kind, int virtualKey, int scanCode);

  SIZE size_;
  DWORD now_ = 1000;
  std::deque<InputEvent> events_;
  std::map<HWND, Frame> frames_;
  int beeps_ = 0;
  WORD cursor_ = 0;
  std::string clipboard_;
};

}  // namespace platform
