// The system's predefined icons, drawn by the layer from shapes at 32 × 32 pixels.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/winuser.h"

namespace platform {

struct HICON__;
using HICON = HICON__*;

inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDI_HAND = MAKEINTRESOURCEA(32513);
inline const LPCSTR IDI_QUESTION = MAKEINTRESOURCEA(32514);
inline const LPCSTR IDI_EXCLAMATION = MAKEINTRESOURCEA(32515);
inline const LPCSTR IDI_ASTERISK = MAKEINTRESOURCEA(32516);
inline const LPCSTR IDI_ERROR = IDI_HAND;
inline const LPCSTR IDI_WARNING = IDI_EXCLAMATION;
inline const LPCSTR IDI_INFORMATION = IDI_ASTERISK;

// Only the predefined icons exist: a null instance and one of the IDI_* names; null otherwise.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// Draws the icon with its top-left corner at (x, y); pixels outside its shape are untouched.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// The IDI_* number of an icon handle, 0 for none.
WORD IconId(HICON icon);

}  // namespace platform
