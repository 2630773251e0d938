// Device-independent bitmaps: reading and writing bitmap pixels in the standard row formats.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD CBM_INIT = 4;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows bottom-up; negative: top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

// The colour table follows the header: 2, 16 or 256 entries (or biClrUsed) for 1, 4 and 8
// bits per pixel; callers allocate it past the declared one entry, as usual.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

// Bytes per row of a DIB: rows are padded to whole 32-bit words.
inline DWORD DibRowBytes(LONG width, WORD bitCount) {
  return ((DWORD(width) * bitCount + 31) / 32) * 4;
}

// The calls below cannot know how long the caller's buffers are; a caller holding a DIB from a
// file checks its lengths with these first. Both answer 0 for a header the calls refuse.
DWORD DibImageBytes(const BITMAPINFOHEADER& header);
// Entries in the colour table that follows the header (0 for 24 and 32 bits per pixel, and
// for a refused header).
DWORD DibColorTableEntries(const BITMAPINFOHEADER& header);

// Writes `lines` rows starting at row `start` (counted from the bottom, as DIB rows are) of a
// 1, 4, 8 (palette), 24 or 32 bits-per-pixel BI_RGB DIB into the bitmap. A bitmap selected
// into a device context may not be written. Returns the rows written, 0 for a bad header
// (unsupported depth or compression, zero or oversized dimensions, a palette longer than the
// depth allows) or handle.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);
// Reads rows as 24 or 32 bits per pixel (or 1 bit for a monochrome bitmap, with a black and
// white table). With null `bits`, fills in the header (size, depth 32, image size) and
// returns the height.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
// A colour bitmap of the header's size, initialised from the DIB with CBM_INIT.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
// Draws a DIB's source rectangle (its y counted from the bottom row for a bottom-up DIB, from
// the top for a top-down one) stretched into the
// destination rectangle under a raster operation. Returns the rows drawn, 0 on failure.
int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSource, int ySource,
                  int widthSource, int heightSource, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop);

}  // namespace platform
