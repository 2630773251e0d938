// Bit-block transfers between device contexts under ternary raster operations.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Raster operation: bits 16-23 are the truth table over (pattern, source, destination), indexed
// by pattern × 4 + source × 2 + destination, applied to every colour bit; every one of the 256
// operations works (for example 0x00B8074A, which paints the brush through a monochrome mask,
// and 0x00E20746, its inverse). The pattern is the destination's brush.
//
// Colours cross between monochrome and colour bitmaps as on the original: a monochrome source
// paints its 0 bits in the destination's text colour and its 1 bits in its background colour;
// a colour source becomes 1 where it equals the source's background colour and 0 elsewhere.
// The destination's mapping applies to the destination rectangle and the source's to the
// source rectangle: a mirrored mapping on either side mirrors the picture. Only the
// destination is clipped; source pixels outside the source leave the destination unchanged.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop);
// Nearest-pixel scaling; negative widths or heights mirror.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop);
// A raster operation of pattern and destination only.
BOOL PatBlt(HDC dest, int x, int y, int width, int height, DWORD rop);

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
// Recorded for the callers that ask; scaling always takes the nearest pixel.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

}  // namespace platform
