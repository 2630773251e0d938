// Shared rasterisation: shapes filled with a brush and outlined with a pen under a mix mode.
#pragma once

#include <cairo.h>

#include <functional>

#include "platform/dc_state.h"

namespace platform::gdi {

// Builds a path on the given context, in surface coordinates.
using PathBuilder = std::function<void(cairo_t*)>;

// The colour a brush gives the surface pixel (x, y); false where it paints nothing (the gaps
// of a hatch on a transparent background).
bool BrushColorAt(const BrushObject& brush, DeviceContext& dc, int x, int y, COLORREF* color);

// Paints `fill` with the brush, then `stroke` with the pen (either may be null, as may the
// objects), each pixel mixed with `rop2` once: where the pen covers, the brush does not.
// Shapes are aliased, as the original draws them.
void PaintShape(DeviceContext& dc, const PathBuilder* fill, BrushObject* brush,
                const PathBuilder* stroke, PenObject* pen, int rop2);

// The pen's width on the device, at least one pixel.
int DevicePenWidth(DeviceContext& dc, const PenObject& pen);
// A null pen or brush draws nothing.
bool Draws(const PenObject& pen);
bool Draws(const BrushObject& brush);

}  // namespace platform::gdi
