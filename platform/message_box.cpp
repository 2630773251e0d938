// MessageBoxA: the box laid out from its text, built from STATIC and BUTTON controls on a
// dialog, run modally through the dialog manager.
#include "platform/message_box.h"

#include <algorithm>
#include <memory>

#include "platform/button.h"
#include "platform/clipboard.h"
#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/dialog_layout.h"
#include "platform/drawtext.h"
#include "platform/icons.h"
#include "platform/static_control.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kTextToButtons = 16;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x0014;
constexpr const char* kRule = "---------------------------";

struct Button {
  int id;
  const char* caption;
};

std::vector<Button> ButtonsOf(UINT type) {
  std::vector<Button> out;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      out = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
      break;
    case MB_ABORTRETRYIGNORE:
      out = {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
      break;
    case MB_YESNOCANCEL:
      out = {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
      break;
    case MB_YESNO:
      out = {{IDYES, "&Yes"}, {IDNO, "&No"}};
      break;
    case MB_RETRYCANCEL:
      out = {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
      break;
    case MB_CANCELTRYCONTINUE:
      out = {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "&Try Again"}, {IDCONTINUE, "&Continue"}};
      break;
    default:
      out = {{IDOK, "OK"}};
      break;
  }
  if (type & MB_HELP) out.push_back({IDHELP, "Help"});
  return out;
}

LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return IDI_HAND;
    case MB_ICONQUESTION:
      return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
      return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
      return IDI_ASTERISK;
    default:
      return nullptr;
  }
}

// What a box needs while it runs: its texts for copying and the answer Escape gives.
struct BoxState {
  std::string caption;
  std::string text;
  std::vector<Button> buttons;
  int escapeAnswer = 0;  // 0: Escape and the close box do nothing
  HFONT font = nullptr;  // shared, not owned
};

std::vector<BoxState*>& OpenBoxes() {
  static std::vector<BoxState*> boxes;
  return boxes;
}

BoxState* StateOf(HWND box) {
  for (BoxState* s : OpenBoxes()) {
    if (GetPropA(box, "MessageBoxState") == s) return s;
  }
  return nullptr;
}

std::vector<MessageBoxRecord>& History() {
  static std::vector<MessageBoxRecord> history;
  return history;
}

void CopyToClipboard(HWND box, const BoxState& state) {
  std::string copy = std::string(kRule) + "\r\n" + state.caption + "\r\n" + kRule + "\r\n" +
                     state.text + "\r\n" + kRule + "\r\n";
  for (const Button& b : state.buttons) copy += WithoutMnemonics(b.caption) + "   ";
  copy += std::string("\r\n") + kRule + "\r\n";
  if (!OpenClipboard(box)) return;
  EmptyClipboard();
  SetClipboardTextA(copy);
  CloseClipboard();
}

LONG_PTR BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM) {
  BoxState* state = StateOf(box);
  if (!state) return 0;
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(DWORD(wParam));
      if (id == IDCANCEL) {
        if (state->escapeAnswer) EndDialog(box, state->escapeAnswer);
        return 1;
      }
      for (const Button& b : state->buttons) {
        if (b.id == id) {
          EndDialog(box, id);
          return 1;
        }
      }
      return 0;
    }
    case WM_COPY:
      CopyToClipboard(box, *state);
      return 1;
    case WM_INITDIALOG:
      return 1;
    default:
      return 0;
  }
}

// The text's size when wrapped at most `limit` pixels wide.
SIZE MeasureText(HFONT font, const std::string& text, int limit, bool rtl) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, limit, 0};
  DrawTextA(dc, text.c_str(), int(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | (rtl ? DT_RTLREADING : 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

HWND Child(HWND box, LPCSTR cls, LPCSTR text, DWORD style, DWORD exStyle, RECT r, int id,
           HFONT font) {
  HWND c = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, box,
                           reinterpret_cast<HANDLE>(UINT_PTR(id)), nullptr, nullptr);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

// Lays the box out and makes its controls; the window is still hidden.
HWND BuildBox(HWND owner, UINT type, BoxState& state) {
  bool rtl = type & MB_RTLREADING;
  LPCSTR icon = IconOf(type);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int textLimit =
      std::max(120, screenWidth * 5 / 8 - 2 * kMargin - (icon ? kIconSize + kIconGap : 0));
  SIZE text = MeasureText(state.font, state.text, textLimit, rtl);
  int blockWidth = text.cx + (icon ? kIconSize + kIconGap : 0);
  int blockHeight = std::max<int>(text.cy, icon ? kIconSize : 0);
  int count = int(state.buttons.size());
  int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  SIZE captionSize = MeasureText(state.font, state.caption, screenWidth, rtl);
  int clientWidth = std::max({blockWidth, rowWidth, int(captionSize.cx) + 40}) + 2 * kMargin;
  int clientHeight = kMargin + blockHeight + kTextToButtons + kButtonHeight + kMargin;

  DWORD exStyle =
      WS_EX_DLGMODALFRAME | (rtl ? WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LAYOUTRTL : 0);
  HWND box =
      MakeSizedDialog(exStyle, state.caption.c_str(), clientWidth, clientHeight, owner, BoxProc);
  if (!box) return nullptr;
  SetPropA(box, "MessageBoxState", &state);

  // Mirrored for right-to-left reading: x is measured from the right edge.
  auto place = [&](int left, int top, int width, int height) {
    int x = rtl ? clientWidth - left - width : left;
    return RECT{x, top, x + width, top + height};
  };
  int textTop = kMargin + (blockHeight - int(text.cy)) / 2;
  if (icon) {
    HWND image =
        Child(box, "Static", nullptr, SS_ICON, 0,
              place(kMargin, kMargin + (blockHeight - kIconSize) / 2, kIconSize, kIconSize),
              kIconId, state.font);
    SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
  int textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);
  DWORD align = (rtl || (type & MB_RIGHT)) ? SS_RIGHT : SS_LEFT;
  Child(box, "Static", state.text.c_str(), align | SS_NOPREFIX, rtl ? WS_EX_RTLREADING : 0,
        place(textLeft, textTop, int(text.cx), int(text.cy)), kTextId, state.font);

  int defIndex = std::min(int((type & MB_DEFMASK) >> 8), count - 1);
  int x = (clientWidth - rowWidth) / 2;
  int y = clientHeight - kMargin - kButtonHeight;
  for (int i = 0; i < count; ++i) {
    const Button& b = state.buttons[std::size_t(i)];
    DWORD kind = i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    Child(box, "Button", b.caption, kind | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
          rtl ? WS_EX_RTLREADING : 0, place(x, y, kButtonWidth, kButtonHeight), b.id, state.font);
    x += kButtonWidth + kButtonGap;
  }
  SendMessageA(box, DM_SETDEFID, WPARAM(state.buttons[std::size_t(defIndex)].id), 0);
  if (!state.escapeAnswer) {
    // Without an answer for Escape the close box cannot close the box either.
    SetWindowLongA(box, GWL_STYLE, LONG(DWORD(GetWindowLongA(box, GWL_STYLE)) & ~WS_SYSMENU));
  }
  return box;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner && !IsWindow(owner)) return 0;
  auto state = std::make_unique<BoxState>();
  state->caption = caption ? caption : "Error";
  state->text = text ? text : "";
  state->buttons = ButtonsOf(type);
  for (const Button& b : state->buttons) {
    if (b.id == IDCANCEL) state->escapeAnswer = IDCANCEL;
  }
  if (state->buttons.size() == 1 && state->buttons[0].id == IDOK) state->escapeAnswer = IDOK;
  state->font = DialogFont(false);
  OpenBoxes().push_back(state.get());
  struct Cleanup {
    BoxState* state;
    ~Cleanup() { std::erase(OpenBoxes(), state); }
  } cleanup{state.get()};

  HWND box = BuildBox(owner, type, *state);
  if (!box) return 0;
  History().push_back({box, state->caption, state->text, type});
  CenterWindow(box, owner);
  InitDialog(box, 0);
  // The default button has the focus at first, so that Enter presses it.
  if (HWND def = GetDlgItem(box, LOWORD(DWORD(SendMessageA(box, DM_GETDEFID, 0, 0))))) {
    SendMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(def), TRUE);
  }
  if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
  LONG_PTR result = DialogBoxLoop(box);
  if (IsWindow(box)) DestroyWindow(box);
  return int(result);
}

const std::vector<MessageBoxRecord>& MessageBoxesShown() {
  return History();
}

}  // namespace platform
