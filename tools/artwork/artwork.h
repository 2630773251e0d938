// The main window's pictures, drawn from code: the same output on every run.
#pragma once

#include "tools/artwork/paint.h"

namespace artwork {

// The window's whole chrome, 865 x 682: frames and titles of the panes, the category list
// with six slots, the search slot, the close and minimise marks, the maker's logo and address.
void DrawBackground(Picture& picture);

// The selected category's bar, 165 x 28, drawn to replace one slot of the background.
void DrawHighlight(Picture& picture);

// The advanced-search panel, 255 x 368: its heading and the slots of its controls.
void DrawPanel(Picture& picture);

enum class Glyph { Previous, Next, First, Last, Settings, AdvancedSearch };

// The glyph's side in pixels: 16, or 24 for the advanced search.
int GlyphSize(Glyph glyph);

// Draws a glyph on a transparent picture of GlyphSize(glyph) pixels.
void DrawGlyph(Picture& picture, Glyph glyph);

// The maker's web address, drawn under the logo's hot spot and opened by the program.
inline constexpr const char* kMakerAddress = "www.nashr-orvanta.ir";

}  // namespace artwork
