// The system dialogs' window sizing and mirrored control placement.
#include "platform/dialog_layout.h"

#include <cstring>

namespace platform {

HWND MakeSizedDialog(DWORD exStyle, LPCSTR caption, int width, int height, HWND owner,
                     DLGPROC proc) {
  HWND dialog = CreateDialogWindow(exStyle, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   RECT{0, 0, width, height}, owner, proc);
  if (!dialog) return nullptr;
  RECT window, client;
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  SetWindowPos(dialog, nullptr, 0, 0, width + (window.right - window.left) - client.right,
               height + (window.bottom - window.top) - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return dialog;
}

bool OwnerLaidOutRightToLeft(HWND owner) {
  HWND root = GetAncestor(owner, GA_ROOT);
  return root && (GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

HWND DialogBuilder::Add(LPCSTR cls, LPCSTR text, DWORD style, DWORD exStyle, RECT r, int id) const {
  if (mirrored_) {
    r = {clientWidth_ - r.right, r.top, clientWidth_ - r.left, r.bottom};
    // Labels and buttons stand at the right; typed text keeps its own direction. Scroll bars
    // and drop-down buttons change sides with the layout.
    if (std::strcmp(cls, "EDIT") != 0) exStyle |= WS_EX_RIGHT;
    exStyle |= WS_EX_LEFTSCROLLBAR;
  }
  HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, dialog_,
                                 reinterpret_cast<HANDLE>(LONG_PTR(id)), nullptr, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

}  // namespace platform
