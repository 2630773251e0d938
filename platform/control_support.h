// What the system controls share: their font, their colours asked of the parent, their
// notices to the parent and their reading direction. Internal to the platform layer.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/winuser.h"

namespace platform {

// Tahoma at 8 points, plain or bold, shared by every control and caption and never freed.
HFONT DialogFont(bool bold);
// The font a control draws with: the one WM_SETFONT gave it, else the dialog font (Tahoma,
// 8 points).
HFONT ControlFont(HFONT chosen);

// Asks the parent for the control's colours with `message` (one of WM_CTLCOLOR*), which sets
// them on `dc`; returns the background brush. A parent that answers nothing gets the defaults
// of DefaultControlColors.
HBRUSH ControlColors(HWND hwnd, HDC dc, UINT message);
// The system's answer to WM_CTLCOLOR*: window colours for edits and lists, button face for
// the rest, with the matching text colour.
HBRUSH DefaultControlColors(UINT message, HDC dc);

// WM_COMMAND to the parent: the control's id and `code`, and the control's handle.
void NotifyParent(HWND hwnd, WORD code);

// The control reads right to left (WS_EX_RTLREADING), or stands aligned to the right
// (WS_EX_RIGHT), as right-to-left layouts make it.
bool ReadsRightToLeft(HWND hwnd);
bool AlignedRight(HWND hwnd);

// The window's text without the "&" mnemonic markers ("&&" stays one "&").
std::string WithoutMnemonics(const std::string& text);
// The lower-cased mnemonic character of a text ("&Find" gives 'f'), 0 when it has none.
char MnemonicOf(const std::string& text);

}  // namespace platform
