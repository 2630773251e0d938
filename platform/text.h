// Text out, extents and metrics, with Persian shaped and ordered by Pango.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
constexpr UINT ETO_RTLREADING = 0x0080;

// Text is single-byte text in the system code page. The reference point and the text align
// flags place the text's box (its extent by the line box of the font); under a mirrored
// mapping the box is mirrored as a whole and the text is drawn unmirrored inside it. With the
// OPAQUE background mode the box is filled with the background colour first. ETO_OPAQUE
// fills `rect` with the background colour; ETO_CLIPPED clips the text to it. Custom character
// spacing is not supported: a non-null `dx` fails with FALSE.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                 const int* dx);
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);

// Width of the shaped text and the height of the font's line box.
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);

struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;

// Height = ascent + descent from the face's own line metrics; overhang is 0 (outline fonts).
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
// The face actually used (after fallback); returns its length.
int GetTextFaceA(HDC dc, int count, char* face);

}  // namespace platform
