// DrawText: formatted text in a rectangle (alignment, word wrap, tabs, prefixes, measuring).
#pragma once

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;

// Lines are as high as the font's line box and placed one under another from the top (or,
// with DT_SINGLELINE, centred or bottom-aligned by DT_VCENTER/DT_BOTTOM); each line is
// aligned by DT_LEFT/DT_CENTER/DT_RIGHT within the rectangle. DT_WORDBREAK wraps at word
// boundaries to the rectangle's width (a word wider than that stays whole); CR LF and LF
// break lines unless DT_SINGLELINE, which shows them as spaces. DT_EXPANDTABS sets tab stops
// every eight average character widths. Unless DT_NOPREFIX, "&" underlines the next
// character and "&&" shows one "&" (DT_HIDEPREFIX: no underline). DT_RTLREADING lays the
// paragraph out right to left. DT_CALCRECT draws nothing and sets the rectangle's right and
// bottom to the text's width and height. A count of -1 means a zero-terminated text.
// Returns the text's height (with DT_VCENTER/DT_BOTTOM, from the rectangle's top to the
// bottom of the text); 0 on failure or for empty text.
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);

}  // namespace platform
