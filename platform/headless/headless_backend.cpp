// The in-memory screen. Waiting never sleeps: a wait with a limit moves the clock to it, so
// timers fire at once and in order, and a wait without one reports that nothing can come.
#include "platform/headless/headless_backend.h"

#include <cairo.h>

namespace platform {

HeadlessBackend::HeadlessBackend(int width, int height) : size_{width, height} {}

void HeadlessBackend::Push(InputEvent event) {
  events_.push_back(std::move(event));
}

void HeadlessBackend::MoveMouse(int x, int y) {
  InputEvent e;
  e.kind = InputEvent::Kind::MouseMove;
  e.pt = {x, y};
  Push(e);
}

void HeadlessBackend::Press(int x, int y, int button) {
  MoveMouse(x, y);
  PushButton(InputEvent::Kind::ButtonDown, x, y, button);
}

void HeadlessBackend::Release(int x, int y, int button) {
  PushButton(InputEvent::Kind::ButtonUp, x, y, button);
}

void HeadlessBackend::PushButton(InputEvent::Kind kind, int x, int y, int button) {
  InputEvent e;
  e.kind = kind;
  e.pt = {x, y};
  e.button = button;
  Push(e);
}

void HeadlessBackend::Click(int x, int y, int button) {
  Press(x, y, button);
  Release(x, y, button);
}

void HeadlessBackend::Wheel(int x, int y, int delta) {
  InputEvent e;
  e.kind = InputEvent::Kind::Wheel;
  e.pt = {x, y};
  e.wheelDelta = delta;
  Push(e);
}

void HeadlessBackend::KeyDown(int virtualKey, int scanCode) {
  PushKey(InputEvent::Kind::KeyDown, virtualKey, scanCode);
}

void HeadlessBackend::KeyUp(int virtualKey, int scanCode) {
  PushKey(InputEvent::Kind::KeyUp, virtualKey, scanCode);
}

void HeadlessBackend::PushKey(InputEvent::Kind kind, int virtualKey, int scanCode) {
  InputEvent e;
  e.kind = kind;
  e.virtualKey = virtualKey;
  e.scanCode = scanCode;
  Push(e);
}

void HeadlessBackend::Tap(int virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void HeadlessBackend::TypeText(const std::string& utf8) {
  InputEvent e;
  e.kind = InputEvent::Kind::Text;
  e.text = utf8;
  Push(e);
}

void HeadlessBackend::RequestClose(HWND window) {
  InputEvent e;
  e.kind = InputEvent::Kind::CloseRequest;
  e.window = window;
  Push(e);
}

void HeadlessBackend::Expose(HWND window) {
  InputEvent e;
  e.kind = InputEvent::Kind::Expose;
  e.window = window;
  Push(e);
}

void HeadlessBackend::FocusLost() {
  InputEvent e;
  e.kind = InputEvent::Kind::FocusLost;
  Push(e);
}

void HeadlessBackend::FocusGained(HWND window) {
  InputEvent e;
  e.kind = InputEvent::Kind::FocusGained;
  e.window = window;
  Push(e);
}

bool HeadlessBackend::NextEvent(InputEvent* event) {
  if (events_.empty()) return false;
  *event = std::move(events_.front());
  events_.pop_front();
  return true;
}

bool HeadlessBackend::Wait(DWORD timeoutMs) {
  if (!events_.empty()) return true;
  if (timeoutMs == kInfinite) return false;
  now_ += timeoutMs;
  return true;
}

void HeadlessBackend::Present(HWND window, const PixelView& view) {
  if (!view.pixels || view.width <= 0 || view.height <= 0 || view.stride < view.width) return;
  Frame& f = frames_[window];
  f.width = view.width;
  f.height = view.height;
  f.pixels.resize(std::size_t(view.width) * std::size_t(view.height));
  for (int y = 0; y < view.height; ++y) {
    const std::uint32_t* row = view.pixels + std::size_t(y) * std::size_t(view.stride);
    std::copy(row, row + view.width, f.pixels.begin() + std::ptrdiff_t(y) * view.width);
  }
}

const std::vector<std::uint32_t>& HeadlessBackend::Pixels(HWND window, int* width,
                                                          int* height) const {
  static const std::vector<std::uint32_t> kNone;
  auto it = frames_.find(window);
  if (width) *width = it == frames_.end() ? 0 : it->second.width;
  if (height) *height = it == frames_.end() ? 0 : it->second.height;
  return it == frames_.end() ? kNone : it->second.pixels;
}

bool HeadlessBackend::WritePng(HWND window, const std::string& path) const {
  auto it = frames_.find(window);
  if (it == frames_.end()) return false;
  const Frame& f = it->second;
  int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, f.width);
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, f.width, f.height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return false;
  }
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  for (int y = 0; y < f.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
    std::copy(f.pixels.begin() + std::ptrdiff_t(y) * f.width,
              f.pixels.begin() + std::ptrdiff_t(y + 1) * f.width, row);
  }
  cairo_surface_mark_dirty(s);
  bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok;
}

}  // namespace platform
