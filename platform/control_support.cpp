// Fonts, colours, notices and text helpers shared by the system controls.
#include "platform/control_support.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/dc.h"
#include "platform/fonts.h"
#include "platform/pens_brushes.h"

namespace platform {

HFONT DialogFont(bool bold) {
  // Tahoma at 8 points: the dialog face, and one that also shows Persian.
  auto make = [](LONG weight) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return CreateFontIndirectA(&lf);
  };
  static HFONT normal = make(FW_NORMAL);
  static HFONT heavy = make(FW_BOLD);
  return bold ? heavy : normal;
}

HFONT ControlFont(HFONT chosen) {
  if (chosen && GetObjectType(chosen) == OBJ_FONT) return chosen;
  return DialogFont(false);
}

HBRUSH DefaultControlColors(UINT message, HDC dc) {
  bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
}

HBRUSH ControlColors(HWND hwnd, HDC dc, UINT message) {
  HWND parent = GetParent(hwnd);
  LRESULT brush = parent ? SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(hwnd))
                         : 0;
  if (brush && GetObjectType(reinterpret_cast<HGDIOBJ>(brush)) == OBJ_BRUSH) {
    return reinterpret_cast<HBRUSH>(brush);
  }
  return DefaultControlColors(message, dc);
}

void NotifyParent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  WORD id = WORD(GetWindowLongPtrA(hwnd, GWL_ID));
  SendMessageA(parent, WM_COMMAND, MAKELONG(id, code), reinterpret_cast<LPARAM>(hwnd));
}

bool ReadsRightToLeft(HWND hwnd) {
  return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

bool AlignedRight(HWND hwnd) {
  return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
}

std::string WithoutMnemonics(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "&x" shows x and "&&" shows one "&".
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return char(std::tolower(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

}  // namespace platform
