// Building the system's own dialogs: a dialog window of a given client size and controls
// placed by left-to-right rectangles, mirrored for right-to-left layouts. Internal to the
// platform layer.
#pragma once

#include "platform/dialog.h"
#include "platform/gdi_handles.h"

namespace platform {

// A hidden dialog window with a caption and close box whose client area is width × height.
HWND MakeSizedDialog(DWORD exStyle, LPCSTR caption, int width, int height, HWND owner,
                     DLGPROC proc);

// True when the owner's top-level window is laid out right to left (WS_EX_LAYOUTRTL).
bool OwnerLaidOutRightToLeft(HWND owner);

class DialogBuilder {
 public:
  DialogBuilder(HWND dialog, int clientWidth, bool mirrored, HFONT font)
      : dialog_(dialog), clientWidth_(clientWidth), mirrored_(mirrored), font_(font) {}

  // Makes a visible child control at `r` (given for a left-to-right layout) with the
  // dialog's font; mirrored, the rectangle is flipped, text controls align right and scroll
  // bars stand at the left.
  HWND Add(LPCSTR cls, LPCSTR text, DWORD style, DWORD exStyle, RECT r, int id) const;

 private:
  HWND dialog_;
  int clientWidth_;
  bool mirrored_;
  HFONT font_;
};

}  // namespace platform
