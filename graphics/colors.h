// Colour values: system colours resolved to RGB, and the colour helpers graphics share.
#pragma once

#include "core/identtables.h"
#include "platform/windef.h"

// A system colour (top byte 0xFF) becomes the system's current RGB for its index; any other
// value keeps its low three bytes.
platform::COLORREF ColorToRGB(TColor color);

// No colour, and the colour a control chooses for itself.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
