// Dispatching, keys and presented pixels for the data-aware control tests.
#include "tests/dbcontrols/screen_probe.h"

using namespace platform;

namespace dbcontrolstest {

void PumpMessages() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void PressKey(HeadlessBackend& screen, int virtualKey, const std::vector<int>& modifiers) {
  for (int m : modifiers) screen.KeyDown(m);
  screen.Tap(virtualKey);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) screen.KeyUp(*it);
  PumpMessages();
}

std::uint32_t PresentedPixel(const HeadlessBackend& screen, TWinControl& window,
                             const TControl& control, int x, int y) {
  int width = 0;
  int height = 0;
  const auto& pixels = screen.Pixels(window.Handle(), &width, &height);
  POINT at = control.ClientToScreen(POINT{x, y});
  RECT frame{};
  GetWindowRect(window.Handle(), &frame);
  int fx = at.x - frame.left;
  int fy = at.y - frame.top;
  if (fx < 0 || fy < 0 || fx >= width || fy >= height) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(fy * width + fx)] & 0xFFFFFF;
}

int BlackPixels(const HeadlessBackend& screen, TWinControl& window, const TControl& control,
                const RECT& rect) {
  int ink = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      ink += PresentedPixel(screen, window, control, x, y) == 0 ? 1 : 0;
    }
  }
  return ink;
}

}  // namespace dbcontrolstest
