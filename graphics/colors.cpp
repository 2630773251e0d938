// Colour values: system colours resolved to RGB.
#include "graphics/colors.h"

#include "platform/winuser.h"

platform::COLORREF ColorToRGB(TColor color) {
  if (color < 0) return platform::GetSysColor(color & 0xFF);
  return static_cast<platform::COLORREF>(color) & 0xFFFFFF;
}
