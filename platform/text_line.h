// Drawing one shaped line into its box: shared by text out and DrawText.
#pragma once

#include "platform/dc_state.h"
#include "platform/layout_cache.h"

namespace platform::gdi {

// Draws `line` (extent `extent`) in the logical box that starts at (left, top) and is as
// wide as the line and as high as the font's line box, baseline at top + ascent. The box is
// mapped to the surface (mirrored as a whole under a mirrored mapping) and the glyphs go left
// to right inside it, unmirrored. With `opaque` the box is first filled with the background
// colour. `clip`, when given, is a logical rectangle the glyphs are clipped to.
void DrawLine(DeviceContext& dc, PangoLayoutLine* line, LineExtent extent, double left, double top,
              bool opaque, const RECT* clip);

// Single-byte text as UTF-8 for shaping.
std::string ShapingText(const char* text, int count);

}  // namespace platform::gdi
