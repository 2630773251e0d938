// The clipboard: opened by one window at a time, holding text, shared with other programs
// through the screen.
#pragma once

#include <string>
#include <string_view>

#include "platform/winuser.h"

namespace platform {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

// Fails while another window has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Only while open.
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);

// Text in the system code page with CR LF line breaks, as controls keep it; other programs see
// UTF-8 with LF. Setting needs the clipboard open; an empty text is "no text".
BOOL SetClipboardTextA(std::string_view text);
// The same for Unicode text, which reaches other programs as it stands (no code page between).
BOOL SetClipboardTextW(std::u16string_view text);
std::string GetClipboardTextA();

}  // namespace platform
