// The artwork's colours: the stored form and pane colours, and a few greens and a gold that go
// with them.
#pragma once

#include "tools/artwork/paint.h"

namespace artwork::palette {

constexpr Rgb kForm = FromStoredColor(0xD4F0D3);  // the window's stored colour
constexpr Rgb kPane = FromStoredColor(0xEEF0D2);  // the memos' stored colour
constexpr Rgb kEdit = FromStoredColor(0xECF8EC);  // the search boxes' stored colour
constexpr Rgb kColumn = Hex(0xE6F6E5);            // the right-hand column and the panel
constexpr Rgb kSlot = Hex(0xF3FBF2);
constexpr Rgb kSlotLine = Hex(0xA6D1AC);
constexpr Rgb kLine = Hex(0x7DB488);
constexpr Rgb kDeepGreen = Hex(0x2E6B3F);
constexpr Rgb kPlateTop = Hex(0x4F9460);
constexpr Rgb kPlateBottom = Hex(0x2E6B3F);
constexpr Rgb kCream = Hex(0xF7F3DF);
constexpr Rgb kGold = Hex(0xB8975A);
constexpr Rgb kSoftText = Hex(0x4B7A55);
constexpr Rgb kMaroon = FromStoredColor(0x000080);
constexpr Rgb kGlyphKey = Hex(0xFF00FF);  // a glyph's transparent colour, never drawn

}  // namespace artwork::palette
