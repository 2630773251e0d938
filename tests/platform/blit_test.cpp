// Memory device contexts, bit-block transfers and device-independent bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "paint_fixture.h"
#include "platform/bitblt.h"
#include "platform/bitmap.h"
#include "platform/dib.h"
#include "platform/draw.h"
#include "platform/pens_brushes.h"

namespace platform {
namespace {

using platformtest::Canvas;
using platformtest::SameRect;

// A memory device context with its own bitmap.
struct Memory {
  Memory(HDC like, int w, int h, bool mono = false)
      : dc(CreateCompatibleDC(like)),
        bitmap(mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(like, w, h)),
        old(SelectObject(dc, bitmap)) {}
  ~Memory() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

void Fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

TEST(BlitTest, CopyBetweenMemoryAndWindow) {
  Canvas canvas(40, 40);
  Memory memory(canvas.dc, 10, 10);
  EXPECT_EQ(GetPixel(memory.dc, 0, 0), RGB(0, 0, 0));  // a new bitmap is black
  Fill(memory.dc, {0, 0, 10, 10}, RGB(255, 0, 0));
  Fill(memory.dc, {0, 0, 5, 5}, RGB(0, 0, 255));
  ASSERT_TRUE(BitBlt(canvas.dc, 20, 10, 10, 10, memory.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(SameRect(canvas.Ink(), RECT{20, 10, 30, 20}));
  EXPECT_EQ(canvas.At(21, 11), 0x0000FFu);
  EXPECT_EQ(canvas.At(28, 18), 0xFF0000u);
  // Overlapping copy within one surface moves the block intact.
  ASSERT_TRUE(BitBlt(canvas.dc, 22, 12, 10, 10, canvas.dc, 20, 10, SRCCOPY));
  EXPECT_EQ(canvas.At(23, 13), 0x0000FFu);
  EXPECT_EQ(canvas.At(26, 16), 0x0000FFu);
  EXPECT_EQ(canvas.At(31, 21), 0xFF0000u);
}

TEST(BlitTest, MemoryContextsGuardTheirBitmaps) {
  Canvas canvas(4, 4);
  Memory a(canvas.dc, 4, 4);
  HDC other = CreateCompatibleDC(canvas.dc);
  EXPECT_EQ(SelectObject(other, a.bitmap), nullptr);  // already selected into a
  EXPECT_FALSE(DeleteObject(a.bitmap));
  EXPECT_EQ(SelectObject(canvas.dc, a.bitmap), nullptr);  // not into a window
  EXPECT_EQ(GetObjectType(other), OBJ_MEMDC);
  EXPECT_EQ(GetObjectType(canvas.dc), OBJ_DC);
  BITMAP info;
  ASSERT_EQ(GetObjectA(a.bitmap, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteDC(other);
  EXPECT_FALSE(DeleteDC(other));
}

TEST(BlitTest, MonochromeSourcesTakeTheDestinationsColours) {
  Canvas canvas(8, 2);
  // One row: bits 1010 0000; rows are padded to 16 bits.
  const std::uint8_t bits[] = {0xA0, 0x00, 0xA0, 0x00};
  HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
  HDC memory = CreateCompatibleDC(canvas.dc);
  HGDIOBJ old = SelectObject(memory, mono);
  SetTextColor(canvas.dc, RGB(255, 0, 0));  // 0 bits
  SetBkColor(canvas.dc, RGB(0, 0, 255));    // 1 bits
  BitBlt(canvas.dc, 0, 0, 8, 2, memory, 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.At(0, 0), 0x0000FFu);
  EXPECT_EQ(canvas.At(1, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(2, 1), 0x0000FFu);
  EXPECT_EQ(canvas.At(7, 1), 0xFF0000u);

  // Colour to monochrome: the source's background colour becomes white, the rest black.
  Canvas source(8, 1);
  Fill(source.dc, {0, 0, 3, 1}, RGB(10, 20, 30));
  SetBkColor(source.dc, RGB(255, 255, 255));
  BitBlt(memory, 0, 0, 8, 1, source.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(memory, 5, 0), RGB(255, 255, 255));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(mono);
}

TEST(BlitTest, TransparentGlyphThroughAMask) {
  // The classic two-pass transparent draw: AND the mask, then OR (paint) the masked image.
  Canvas canvas(4, 1);
  Fill(canvas.dc, {0, 0, 4, 1}, RGB(0, 128, 0));
  const std::uint8_t maskBits[] = {0x50, 0x00};  // 0101: glyph where 0, background where 1
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
  Memory image(canvas.dc, 4, 1);
  Fill(image.dc, {0, 0, 4, 1}, RGB(0, 0, 0));
  SetPixel(image.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(image.dc, 2, 0, RGB(255, 0, 0));
  HDC maskDC = CreateCompatibleDC(canvas.dc);
  HGDIOBJ old = SelectObject(maskDC, mask);
  SetTextColor(canvas.dc, RGB(0, 0, 0));
  SetBkColor(canvas.dc, RGB(255, 255, 255));
  BitBlt(canvas.dc, 0, 0, 4, 1, maskDC, 0, 0, SRCAND);
  BitBlt(canvas.dc, 0, 0, 4, 1, image.dc, 0, 0, SRCPAINT);
  EXPECT_EQ(canvas.At(0, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(1, 0), 0x008000u);
  EXPECT_EQ(canvas.At(2, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(3, 0), 0x008000u);

  // One pass with the brush through the mask (PSDPxax): brush where the mask is 0.
  Fill(canvas.dc, {0, 0, 4, 1}, RGB(0, 128, 0));
  HBRUSH brush = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ oldBrush = SelectObject(canvas.dc, brush);
  BitBlt(canvas.dc, 0, 0, 4, 1, maskDC, 0, 0, 0x00B8074A);
  EXPECT_EQ(canvas.At(0, 0), 0x808080u);
  EXPECT_EQ(canvas.At(1, 0), 0x008000u);
  SelectObject(canvas.dc, oldBrush);
  DeleteObject(brush);
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
  DeleteObject(mask);
}

TEST(BlitTest, StretchScalesAndMirrors) {
  Canvas canvas(20, 4);
  Memory memory(canvas.dc, 2, 1);
  SetPixel(memory.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(memory.dc, 1, 0, RGB(0, 0, 255));
  StretchBlt(canvas.dc, 0, 0, 8, 2, memory.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_TRUE(SameRect(canvas.Bounds(0xFF0000), RECT{0, 0, 4, 2}));
  EXPECT_TRUE(SameRect(canvas.Bounds(0x0000FF), RECT{4, 0, 8, 2}));
  // A negative destination width mirrors the picture.
  StretchBlt(canvas.dc, 19, 2, -4, 2, memory.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(canvas.At(18, 3), 0xFF0000u);
  EXPECT_EQ(canvas.At(15, 3), 0x0000FFu);
  EXPECT_FALSE(StretchBlt(canvas.dc, 0, 0, 4, 4, memory.dc, 0, 0, 0, 1, SRCCOPY));
}

TEST(BlitTest, PatBltOperations) {
  Canvas canvas(4, 4);
  EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 2, 4, BLACKNESS));
  EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 4, 2, DSTINVERT));
  EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(3, 0), 0x000000u);
  EXPECT_EQ(canvas.At(0, 3), 0x000000u);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(canvas.dc, red);
  PatBlt(canvas.dc, 0, 0, 4, 4, PATCOPY);
  EXPECT_EQ(canvas.Count(0xFF0000), 16);
  EXPECT_FALSE(PatBlt(canvas.dc, 0, 0, 4, 4, SRCCOPY));  // needs a source
  SelectObject(canvas.dc, old);
  DeleteObject(red);
}

// A DIB with room for a 256-entry colour table.
struct Dib {
  Dib(LONG width, LONG height, WORD bits) : storage(sizeof(BITMAPINFOHEADER) + 256 * 4) {
    header() = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(DibRowBytes(width, bits) * DWORD(height < 0 ? -height : height));
  }
  BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(storage.data()); }
  BITMAPINFOHEADER& header() { return info()->bmiHeader; }
  RGBQUAD* colors() {
    return reinterpret_cast<RGBQUAD*>(storage.data() + sizeof(BITMAPINFOHEADER));
  }
  std::vector<std::uint8_t> storage;
  std::vector<std::uint8_t> pixels;
};

TEST(DibTest, RoundTripsAt24And32Bits) {
  for (WORD bits : {WORD(24), WORD(32)}) {
    Dib in(3, 2, bits);
    int step = bits / 8;
    DWORD row = DibRowBytes(3, bits);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        std::uint8_t* p = in.pixels.data() + y * row + x * step;
        p[0] = std::uint8_t(10 * x + y);  // blue
        p[1] = std::uint8_t(100 + x);     // green
        p[2] = std::uint8_t(200 + y);     // red
      }
    }
    Canvas canvas(1, 1);
    HBITMAP bitmap = CreateDIBitmap(canvas.dc, &in.header(), CBM_INIT, in.pixels.data(), in.info(),
                                    DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    // Bottom-up: the first DIB row is the bitmap's last.
    HDC memory = CreateCompatibleDC(canvas.dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_EQ(GetPixel(memory, 2, 1), RGB(200, 102, 20));
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(201, 100, 1));
    SelectObject(memory, old);
    DeleteDC(memory);
    Dib out(3, 2, bits);
    EXPECT_EQ(GetDIBits(canvas.dc, bitmap, 0, 2, out.pixels.data(), out.info(), DIB_RGB_COLORS), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        for (int c = 0; c < 3; ++c) {
          EXPECT_EQ(out.pixels[y * row + x * step + c], in.pixels[y * row + x * step + c]);
        }
      }
    }
    DeleteObject(bitmap);
  }
}

TEST(DibTest, PaletteDepthsAndTopDownRows) {
  Dib in(4, -2, 8);  // top-down
  in.header().biClrUsed = 3;
  in.colors()[0] = {0, 0, 255, 0};                          // red
  in.colors()[1] = {0, 255, 0, 0};                          // green
  in.colors()[2] = {255, 0, 0, 0};                          // blue
  const std::uint8_t indexes[] = {0, 1, 2, 1, 2, 2, 0, 7};  // 7 is past the table: black
  std::memcpy(in.pixels.data(), indexes, 4);
  std::memcpy(in.pixels.data() + 4, indexes + 4, 4);
  Canvas canvas(4, 2);
  EXPECT_EQ(StretchDIBits(canvas.dc, 0, 0, 4, 2, 0, 0, 4, 2, in.pixels.data(), in.info(),
                          DIB_RGB_COLORS, SRCCOPY),
            2);
  EXPECT_EQ(canvas.At(0, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(1, 0), 0x00FF00u);
  EXPECT_EQ(canvas.At(2, 0), 0x0000FFu);
  EXPECT_EQ(canvas.At(2, 1), 0xFF0000u);
  EXPECT_EQ(canvas.At(3, 1), 0x000000u);

  Dib nibbles(2, 1, 4);
  nibbles.header().biClrUsed = 2;
  nibbles.colors()[0] = {0, 0, 0, 0};
  nibbles.colors()[1] = {255, 255, 255, 0};
  nibbles.pixels[0] = 0x10;  // white, black
  Canvas small(2, 1);
  StretchDIBits(small.dc, 0, 0, 2, 1, 0, 0, 2, 1, nibbles.pixels.data(), nibbles.info(),
                DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(small.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(small.At(1, 0), 0x000000u);
}

TEST(DibTest, SizesForCheckingBuffers) {
  struct Case {
    LONG width, height;
    WORD bits;
    DWORD colors;
    DWORD bytes, entries;
  };
  const Case cases[] = {
      {3, 2, 24, 0, 24, 0}, {3, -2, 32, 0, 24, 0}, {9, 1, 1, 0, 4, 2},
      {9, 3, 4, 0, 24, 16}, {5, 2, 8, 0, 16, 256}, {5, 2, 8, 20, 16, 20},
  };
  for (const Case& c : cases) {
    Dib dib(c.width, c.height, c.bits);
    dib.header().biClrUsed = c.colors;
    EXPECT_EQ(DibImageBytes(dib.header()), c.bytes) << c.width << "x" << c.height;
    EXPECT_EQ(DibColorTableEntries(dib.header()), c.entries) << c.bits;
  }
}

TEST(DibTest, BadHeadersAreRefused) {
  Canvas canvas(2, 2);
  HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc, 2, 2);
  struct Case {
    LONG width, height;
    WORD bits;
    DWORD compression, colors;
  };
  const Case cases[] = {{0, 2, 24, BI_RGB, 0}, {2, 0, 24, BI_RGB, 0},  {2, 2, 16, BI_RGB, 0},
                        {2, 2, 24, 1, 0},      {2, 2, 8, BI_RGB, 300}, {100000, 2, 24, BI_RGB, 0}};
  for (const Case& c : cases) {
    Dib dib(2, 2, 32);
    dib.header().biWidth = c.width;
    dib.header().biHeight = c.height;
    dib.header().biBitCount = c.bits;
    dib.header().biCompression = c.compression;
    dib.header().biClrUsed = c.colors;
    EXPECT_EQ(SetDIBits(canvas.dc, bitmap, 0, 2, dib.pixels.data(), dib.info(), DIB_RGB_COLORS), 0);
  }
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace platform
