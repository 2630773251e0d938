// The system message box: a modal dialog with an icon, a text and a row of buttons.
#pragma once

#include <string>
#include <vector>

#include "platform/winuser.h"

namespace platform {

// Buttons (MB_OK and the icons are declared with MessageBeep).
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_CANCELTRYCONTINUE = 0x00000006;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFBUTTON4 = 0x00000300;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_HELP = 0x00004000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;
constexpr UINT MB_RIGHT = 0x00080000;
constexpr UINT MB_RTLREADING = 0x00100000;

// Shows `text` under `caption` (null: "Error") with the icon and buttons `type` asks for,
// and waits: every other top-level window is disabled until a button is pressed, then they
// are enabled again and the previously active window is reactivated. Returns the pressed
// button's ID* value. Enter presses the default button (MB_DEFBUTTONn, else the first);
// Escape and the close box answer IDCANCEL when there is a Cancel button and IDOK when OK is
// the only one, and do nothing otherwise. Ctrl+C copies the box as text: a line of 27 "-",
// the caption, the line, the text, the line, each button's caption without "&" followed by
// three blanks, and the line, every line ending in CR LF. MB_RTLREADING reads caption and
// text right to left and mirrors the box (icon on the right, buttons from the right);
// MB_RIGHT right-aligns the text. Returns 0 when the box cannot be shown or the loop ends
// without an answer (WM_QUIT, which is posted again for the outer loop).
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Every message box shown by this process, in order, for tools that report what a user saw.
// A box is open while IsWindow(window) holds.
struct MessageBoxRecord {
  HWND window;
  std::string caption;
  std::string text;
  UINT type;
};
const std::vector<MessageBoxRecord>& MessageBoxesShown();

}  // namespace platform
