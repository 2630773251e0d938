// Clipboard ownership and text conversion between the system code page and the screen's UTF-8.
#include "platform/clipboard.h"

#include "platform/codepage.h"
#include "platform/window_system.h"

namespace platform {
namespace {

bool clipboardOpen = false;
HWND clipboardOwner = nullptr;

}  // namespace

BOOL OpenClipboard(HWND owner) {
  if (clipboardOpen) return FALSE;
  if (owner && !WindowSystem::Get().Valid(owner)) return FALSE;
  clipboardOpen = true;
  clipboardOwner = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!clipboardOpen) return FALSE;
  clipboardOpen = false;
  clipboardOwner = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!clipboardOpen) return FALSE;
  WindowSystem::Get().Screen().SetClipboardText("");
  return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (format != CF_TEXT && format != CF_UNICODETEXT) return FALSE;
  return WindowSystem::Get().Screen().ClipboardText().empty() ? FALSE : TRUE;
}

BOOL SetClipboardTextA(std::string_view text) {
  return SetClipboardTextW(AnsiToWide(text));
}

BOOL SetClipboardTextW(std::u16string_view text) {
  if (!clipboardOpen) return FALSE;
  std::u16string lf;
  lf.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    lf += text[i];
  }
  WindowSystem::Get().Screen().SetClipboardText(WideToUtf8(lf));
  return TRUE;
}

std::string GetClipboardTextA() {
  std::string ansi = Utf8ToAnsi(WindowSystem::Get().Screen().ClipboardText());
  std::string crlf;
  crlf.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    if (ansi[i] == '\n' && (i == 0 || ansi[i - 1] != '\r')) crlf += '\r';
    crlf += ansi[i];
  }
  return crlf;
}

}  // namespace platform
