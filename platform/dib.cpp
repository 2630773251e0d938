// Conversions between DIB rows and bitmap surfaces.
#include "platform/dib.h"

#include <cstring>

#include "platform/bitblt.h"
#include "platform/dc_state.h"

namespace platform {
namespace {

constexpr LONG kMaxDimension = 32767;

bool ValidHeader(const BITMAPINFOHEADER& h) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biWidth > kMaxDimension ||
      h.biHeight == 0 || h.biHeight < -kMaxDimension || h.biHeight > kMaxDimension ||
      h.biPlanes != 1) {
    return false;
  }
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
      return h.biCompression == BI_RGB && h.biClrUsed <= (1u << h.biBitCount);
    case 24:
      return h.biCompression == BI_RGB;
    case 32:
      return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    default:
      return false;
  }
}

LONG Rows(const BITMAPINFOHEADER& h) {
  return h.biHeight < 0 ? -h.biHeight : h.biHeight;
}

const RGBQUAD* Palette(const BITMAPINFO* info) {
  return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(info) +
                                          info->bmiHeader.biSize);
}

unsigned PaletteSize(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return 0;
  return h.biClrUsed != 0 ? h.biClrUsed : 1u << h.biBitCount;
}

std::uint32_t Quad(const RGBQUAD& q) {
  return (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

// Pixel x of one DIB row as 0x00RRGGBB.
std::uint32_t DibPixel(const BITMAPINFOHEADER& h, const RGBQUAD* palette, unsigned paletteSize,
                       const std::uint8_t* row, LONG x) {
  unsigned index;
  switch (h.biBitCount) {
    case 1:
      index = (row[x / 8] >> (7 - x % 8)) & 1;
      break;
    case 4:
      index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
      break;
    case 8:
      index = row[x];
      break;
    case 24: {
      const std::uint8_t* p = row + x * 3;
      return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    default: {
      const std::uint8_t* p = row + x * 4;
      return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
  }
  return index < paletteSize ? Quad(palette[index]) : 0;
}

bool IsLight(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) >= 384;
}

// Copies DIB rows [start, start + lines) into the surface; returns the rows copied.
int WriteRows(Surface& surface, bool mono, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info) {
  const BITMAPINFOHEADER& h = info->bmiHeader;
  LONG rows = Rows(h);
  if (start >= UINT(rows)) return 0;
  lines = std::min<UINT>(lines, UINT(rows) - start);
  DWORD rowBytes = DibRowBytes(h.biWidth, h.biBitCount);
  const RGBQUAD* palette = Palette(info);
  unsigned paletteSize = PaletteSize(h);
  auto* data = static_cast<const std::uint8_t*>(bits);
  LONG width = std::min<LONG>(h.biWidth, surface.Width());
  cairo_surface_flush(surface.CairoSurface());
  for (UINT i = 0; i < lines; ++i) {
    LONG dibRow = LONG(start + i);  // counted from the bottom
    LONG y = h.biHeight > 0 ? rows - 1 - dibRow : dibRow;
    if (y >= surface.Height()) continue;
    const std::uint8_t* row = data + std::size_t(i) * rowBytes;
    std::uint32_t* out = surface.Row(y);
    for (LONG x = 0; x < width; ++x) {
      std::uint32_t rgb = DibPixel(h, palette, paletteSize, row, x);
      if (mono) rgb = IsLight(rgb) ? 0xFFFFFF : 0;
      out[x] = 0xFF000000u | rgb;
    }
  }
  surface.MarkDirty();
  return int(lines);
}

}  // namespace

DWORD DibImageBytes(const BITMAPINFOHEADER& header) {
  if (!ValidHeader(header)) return 0;
  return DibRowBytes(header.biWidth, header.biBitCount) * DWORD(Rows(header));
}

DWORD DibColorTableEntries(const BITMAPINFOHEADER& header) {
  return ValidHeader(header) ? PaletteSize(header) : 0;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
  auto* object = gdi::Get<gdi::BitmapObject>(bitmap);
  if (object == nullptr || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS ||
      !ValidHeader(info->bmiHeader) || object->selections > 0) {
    return 0;
  }
  return WriteRows(object->surface, object->monochrome, start, lines, bits, info);
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  auto* object = gdi::Get<gdi::BitmapObject>(bitmap);
  if (object == nullptr || info == nullptr || usage != DIB_RGB_COLORS) return 0;
  Surface& surface = object->surface;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (bits == nullptr) {
    h = {};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = surface.Width();
    h.biHeight = surface.Height();
    h.biPlanes = 1;
    h.biBitCount = object->monochrome ? 1 : 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = DibRowBytes(h.biWidth, h.biBitCount) * DWORD(h.biHeight);
    return surface.Height();
  }
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth != surface.Width() ||
      Rows(h) != surface.Height() || h.biCompression != BI_RGB ||
      (h.biBitCount != 24 && h.biBitCount != 32 && !(h.biBitCount == 1 && object->monochrome))) {
    return 0;
  }
  LONG rows = Rows(h);
  if (start >= UINT(rows)) return 0;
  lines = std::min<UINT>(lines, UINT(rows) - start);
  DWORD rowBytes = DibRowBytes(h.biWidth, h.biBitCount);
  auto* out = static_cast<std::uint8_t*>(bits);
  if (h.biBitCount == 1) {
    // The table follows the header; its second entry lies in the caller's allocation.
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<std::uint8_t*>(info) + h.biSize);
    table[0] = {0, 0, 0, 0};
    table[1] = {255, 255, 255, 0};
  }
  cairo_surface_flush(surface.CairoSurface());
  for (UINT i = 0; i < lines; ++i) {
    LONG dibRow = LONG(start + i);
    LONG y = h.biHeight > 0 ? rows - 1 - dibRow : dibRow;
    std::uint8_t* row = out + std::size_t(i) * rowBytes;
    std::memset(row, 0, rowBytes);
    const std::uint32_t* in = surface.Row(y);
    for (LONG x = 0; x < h.biWidth; ++x) {
      std::uint32_t p = in[x];
      if (h.biBitCount == 1) {
        if (p & 0xFFFFFF) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        continue;
      }
      std::uint8_t* q = row + x * (h.biBitCount / 8);
      q[0] = std::uint8_t(p);
      q[1] = std::uint8_t(p >> 8);
      q[2] = std::uint8_t(p >> 16);
    }
  }
  return int(lines);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (header == nullptr || header->biWidth <= 0 || header->biWidth > kMaxDimension ||
      header->biHeight == 0 || Rows(*header) > kMaxDimension) {
    return nullptr;
  }
  HBITMAP bitmap = CreateBitmap(header->biWidth, Rows(*header), 1, 32, nullptr);
  if (init & CBM_INIT) {
    if (info == nullptr || bits == nullptr ||
        SetDIBits(dc, bitmap, 0, UINT(Rows(info->bmiHeader)), bits, info, usage) == 0) {
      DeleteObject(bitmap);
      return nullptr;
    }
  }
  return bitmap;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSource, int ySource,
                  int widthSource, int heightSource, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop) {
  if (gdi::DC(dc) == nullptr || info == nullptr || bits == nullptr ||
      !ValidHeader(info->bmiHeader)) {
    return 0;
  }
  HBITMAP bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, bits, info, usage);
  if (bitmap == nullptr) return 0;
  // Source rows of a bottom-up DIB count from its bottom edge.
  if (info->bmiHeader.biHeight > 0) ySource = Rows(info->bmiHeader) - ySource - heightSource;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BOOL ok =
      StretchBlt(dc, x, y, width, height, memory, xSource, ySource, widthSource, heightSource, rop);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return ok ? int(Rows(info->bmiHeader)) : 0;
}

}  // namespace platform
