// What the data-aware control tests do with the in-memory screen: dispatching what is queued,
// pressing keys and reading the pixels a window last presented.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/wincontrol.h"
#include "platform/headless/headless_backend.h"

namespace dbcontrolstest {

// Dispatches every queued message (input included); what was drawn reaches the screen.
void PumpMessages();
// A key pressed and released on the focused window, with modifiers held around it, dispatched.
void PressKey(platform::HeadlessBackend& screen, int virtualKey, const std::vector<int>& modifiers);
// The colour (0xRRGGBB) of a control's client point as its top-level window last presented it;
// 0xDEADBEEF outside the window.
std::uint32_t PresentedPixel(const platform::HeadlessBackend& screen, TWinControl& window,
                             const TControl& control, int x, int y);
// How many pure black pixels a client rectangle of the control shows.
int BlackPixels(const platform::HeadlessBackend& screen, TWinControl& window,
                const TControl& control, const platform::RECT& rect);

}  // namespace dbcontrolstest
