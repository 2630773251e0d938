// Binary raster operations of pens and brushes: how a drawn colour mixes with the pixel under it.
#pragma once

#include <cstdint>

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// The mix mode applies to everything pens and brushes draw except FillRect and FrameRect,
// which always copy. Returns the previous mode, 0 for a bad handle or mode.
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);

// Mixes pen colour p into destination d, both 0x00RRGGBB words, bit by bit: mode − 1 is the
// truth table indexed by (pen bit × 2 + destination bit).
inline std::uint32_t ApplyRop2(int mode, std::uint32_t p, std::uint32_t d) {
  unsigned table = unsigned(mode - 1) & 0xF;
  std::uint32_t r = 0;
  if (table & 1) r |= ~p & ~d;
  if (table & 2) r |= ~p & d;
  if (table & 4) r |= p & ~d;
  if (table & 8) r |= p & d;
  return r & 0xFFFFFF;
}

}  // namespace platform
