// The system caret: one for the GUI thread, owned by one window, drawn over that window's
// painting, blinking while the user works and steady once the user pauses.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/winuser.h"

namespace platform {

// Makes the caret for `hwnd`, hidden, at (0, 0) of its client area; any previous caret is
// destroyed. The bitmap is not used: the caret is a solid block that inverts what is under it.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
// Shows and hides nest: a caret hidden twice shows again after two shows. A null window means
// the caret's own; another window fails.
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
// In the owner's client coordinates. Moving restarts the blink with the caret on.
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* pt);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT ms);

// For tests and pictures: whether the caret is shown and in its on phase now.
bool CaretDrawn();

// Draws the caret into a paint device context of `hwnd` when it belongs there and is on;
// called by EndPaint after the window has painted.
void PaintCaret(HWND hwnd, HDC dc);

}  // namespace platform
