// The "BUTTON" control: pressing, checking, notices to the parent and the classic look.
#include "platform/button.h"

#include <algorithm>
#include <string>

#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/drawtext.h"
#include "platform/pens_brushes.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr int kBoxSize = 13;  // the check box; the radio circle is 12
constexpr int kTextGap = 4;   // between the box and the text

struct ButtonData : ControlData {
  HFONT font = nullptr;
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;     // drawn pressed
  bool tracking = false;   // the left button went down on it and is still held
  bool spaceDown = false;  // Space went down while it had the focus
  bool focused = false;
};

DWORD Kind(HWND hwnd) {
  return DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsCheck(DWORD kind) {
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
         kind == BS_AUTO3STATE;
}

bool IsRadio(DWORD kind) {
  return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

void Redraw(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool Inside(HWND hwnd, LPARAM lParam) {
  RECT r;
  GetClientRect(hwnd, &r);
  int x = short(LOWORD(DWORD(lParam))), y = short(HIWORD(DWORD(lParam)));
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Checks an automatic radio button and unchecks the automatic radio buttons of its group.
void CheckInGroup(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  for (HWND other : DialogGroupOf(parent, hwnd)) {
    if (other != hwnd && GetWindowLongA(other, GWL_STYLE) & WS_CHILD &&
        (DWORD(GetWindowLongA(other, GWL_STYLE)) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
        ControlDataOf<ButtonData>(other)) {
      SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

void Click(HWND hwnd) {
  ButtonData* data = ControlDataOf<ButtonData>(hwnd);
  if (!data) return;
  switch (Kind(hwnd)) {
    case BS_AUTOCHECKBOX:
      SendMessageA(hwnd, BM_SETCHECK, data->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageA(hwnd, BM_SETCHECK, (data->check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      CheckInGroup(hwnd);
      break;
    default:
      break;
  }
  NotifyParent(hwnd, BN_CLICKED);
}

void DrawLabel(HDC dc, const std::string& text, RECT r, UINT format, bool enabled) {
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) {
    // The classic engraved look: a highlight one pixel down and right, the shadow on top.
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = OffsetRectValue(r, 1, 1);
    DrawTextA(dc, text.c_str(), int(text.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
    SetTextColor(dc, old);
    return;
  }
  DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
}

UINT TextFormat(HWND hwnd, DWORD style, UINT horizontalDefault) {
  UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      break;
    case BS_RIGHT:
      format |= DT_RIGHT;
      break;
    case BS_CENTER:
      format |= DT_CENTER;
      break;
    default:
      format |= horizontalDefault;
      break;
  }
  if (ReadsRightToLeft(hwnd)) format |= DT_RTLREADING;
  return format;
}

void PaintPush(HWND hwnd, HDC dc, const ButtonData& data, RECT r) {
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  ControlColors(hwnd, dc, WM_CTLCOLORBTN);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = r;
  if (Kind(hwnd) == BS_DEFPUSHBUTTON || data.focused) {
    FrameRect(dc, &edge, GetSysColorBrush(COLOR_3DDKSHADOW));
    edge = {edge.left + 1, edge.top + 1, edge.right - 1, edge.bottom - 1};
  }
  bool down = data.pushed || ((style & BS_PUSHLIKE) && data.check == BST_CHECKED);
  if (down) {
    FrameRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    RECT bevel = edge;
    DrawEdge(dc, &bevel, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  RECT text{edge.left + 2, edge.top + 2, edge.right - 2, edge.bottom - 2};
  if (down) text = OffsetRectValue(text, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawLabel(dc, GetWindowString(hwnd), text, TextFormat(hwnd, style, DT_CENTER),
            IsWindowEnabled(hwnd));
  if (data.focused) {
    RECT focus{edge.left + 3, edge.top + 3, edge.right - 3, edge.bottom - 3};
    DrawFocusRect(dc, &focus);
  }
}

void Pixel(HDC dc, int x, int y, int colorIndex) {
  SetPixel(dc, x, y, GetSysColor(colorIndex));
}

void PaintRadioMark(HDC dc, RECT box, bool checked, bool enabled) {
  // An aliased circle in the classic four-colour bevel, drawn pixel by pixel so that it is the
  // same on every surface.
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      double dx = x - 5.5, dy = y - 5.5;
      double d = dx * dx + dy * dy;
      bool upperLeft = x + y < 11;
      int px = box.left + x, py = box.top + y;
      if (d > 36.5) continue;
      if (d > 24.5) {
        Pixel(dc, px, py, upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
      } else if (d > 15.5) {
        Pixel(dc, px, py, upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
      } else if (checked && d < 4.5) {
        Pixel(dc, px, py, enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
      } else {
        Pixel(dc, px, py, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
      }
    }
  }
}

void PaintCheckMark(HDC dc, RECT box, WPARAM check, bool enabled, bool pushed) {
  RECT frame = box;
  DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  bool grey = !enabled || pushed || check == BST_INDETERMINATE;
  FillRect(dc, &frame, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  if (check == BST_UNCHECKED) return;
  // The classic seven-by-seven tick, three pixels thick.
  COLORREF ink = GetSysColor(enabled && check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
  int x0 = frame.left + 1, y0 = frame.top + 1;
  for (int i = 0; i < 7; ++i) {
    int top = i < 3 ? y0 + 2 + i : y0 + 4 - (i - 2);
    for (int t = 0; t < 3; ++t) SetPixel(dc, x0 + i, top + t, ink);
  }
}

void PaintCheckOrRadio(HWND hwnd, HDC dc, const ButtonData& data, RECT r) {
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, background);
  bool boxOnRight = (style & BS_LEFTTEXT) || AlignedRight(hwnd);
  bool radio = IsRadio(Kind(hwnd));
  int size = radio ? 12 : kBoxSize;
  int top = r.top + (r.bottom - r.top - size) / 2;
  RECT box = boxOnRight ? RECT{r.right - size, top, r.right, top + size}
                        : RECT{r.left, top, r.left + size, top + size};
  bool enabled = IsWindowEnabled(hwnd);
  if (radio) {
    PaintRadioMark(dc, box, data.check == BST_CHECKED, enabled);
  } else {
    PaintCheckMark(dc, box, data.check, enabled, data.pushed);
  }
  RECT text = boxOnRight ? RECT{r.left, r.top, box.left - kTextGap, r.bottom}
                         : RECT{box.right + kTextGap, r.top, r.right, r.bottom};
  UINT format = TextFormat(hwnd, style, boxOnRight ? DT_RIGHT : DT_LEFT);
  std::string label = GetWindowString(hwnd);
  DrawLabel(dc, label, text, format, enabled);
  if (data.focused && !label.empty()) {
    // The focus rectangle hugs the text where it stands.
    RECT measured = text;
    DrawTextA(dc, label.c_str(), int(label.size()), &measured,
              (format & ~(DT_VCENTER | DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
    LONG width = std::min(measured.right - measured.left, text.right - text.left);
    LONG height = measured.bottom - measured.top;
    LONG left = (format & DT_RIGHT)    ? text.right - width
                : (format & DT_CENTER) ? text.left + (text.right - text.left - width) / 2
                                       : text.left;
    LONG y = (format & DT_VCENTER) ? text.top + (text.bottom - text.top - height) / 2 : text.top;
    RECT focus{left - 1, y - 1, left + width + 1, y + height + 1};
    focus = IntersectRectValue(focus, r);
    DrawFocusRect(dc, &focus);
  }
}

void PaintGroup(HWND hwnd, HDC dc, RECT r) {
  HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLORSTATIC);
  std::string label = GetWindowString(hwnd);
  SIZE extent{0, 0};
  std::string shown = WithoutMnemonics(label);
  GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &extent);
  RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (label.empty()) return;
  bool right = AlignedRight(hwnd) || ReadsRightToLeft(hwnd);
  LONG width = std::min<LONG>(extent.cx + 4, std::max<LONG>(0, r.right - r.left - 16));
  RECT caption = right ? RECT{r.right - 8 - width, r.top, r.right - 8, r.top + extent.cy}
                       : RECT{r.left + 8, r.top, r.left + 8 + width, r.top + extent.cy};
  FillRect(dc, &caption, background);
  RECT text{caption.left + 2, caption.top, caption.right - 2, caption.bottom};
  UINT format = DT_SINGLELINE | (right ? DT_RIGHT : DT_LEFT);
  if (ReadsRightToLeft(hwnd)) format |= DT_RTLREADING;
  DrawLabel(dc, label, text, format, IsWindowEnabled(hwnd));
}

void Paint(HWND hwnd, HDC dc) {
  ButtonData* data = ControlDataOf<ButtonData>(hwnd);
  if (!data) return;
  RECT r;
  GetClientRect(hwnd, &r);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(data->font));
  DWORD kind = Kind(hwnd);
  if (kind == BS_GROUPBOX) {
    PaintGroup(hwnd, dc, r);
  } else if (IsCheck(kind) || IsRadio(kind)) {
    PaintCheckOrRadio(hwnd, dc, *data, r);
  } else {
    PaintPush(hwnd, dc, *data, r);
  }
  SelectObject(dc, oldFont);
}

LRESULT DialogCode(DWORD kind) {
  if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (kind == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadio(kind)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (kind == BS_GROUPBOX) return DLGC_STATIC;
  return DLGC_BUTTON;
}

void Press(HWND hwnd, ButtonData& data) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!IsWindow(hwnd)) return;
  SetCapture(hwnd);
  data.tracking = true;
  data.pushed = true;
  Redraw(hwnd);
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    if (Window* w = WindowSystem::Get().Find(hwnd)) w->controlData = std::make_unique<ButtonData>();
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  ButtonData* data = ControlDataOf<ButtonData>(hwnd);
  if (!data) return DefWindowProcA(hwnd, msg, wParam, lParam);
  DWORD kind = Kind(hwnd);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      // A group box is a frame around other controls: the mouse goes through it.
      if (kind == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
      return DialogCode(kind);
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Redraw(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(data->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
      Redraw(hwnd);
      return r;
    }
    case WM_ENABLE:
      Redraw(hwnd);
      return 0;
    case WM_SETFOCUS:
      data->focused = true;
      Redraw(hwnd);
      if (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      data->focused = false;
      if (data->spaceDown) {
        data->spaceDown = false;
        data->pushed = false;
      }
      if (data->tracking && GetCapture() == hwnd) ReleaseCapture();
      Redraw(hwnd);
      if (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (IsRadio(kind) || (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY)) {
        NotifyParent(hwnd, BN_DOUBLECLICKED);
        return 0;
      }
      if (kind == BS_GROUPBOX) return 0;
      Press(hwnd, *data);
      return 0;
    case WM_LBUTTONDOWN:
      if (kind == BS_GROUPBOX) return 0;
      Press(hwnd, *data);
      return 0;
    case WM_MOUSEMOVE:
      if (data->tracking && data->pushed != Inside(hwnd, lParam)) {
        data->pushed = !data->pushed;
        Redraw(hwnd);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!data->tracking) return 0;
      data->tracking = false;
      bool inside = Inside(hwnd, lParam);
      data->pushed = false;
      ReleaseCapture();
      Redraw(hwnd);
      if (inside) Click(hwnd);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (data->tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
        data->tracking = false;
        data->pushed = false;
        Redraw(hwnd);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == WPARAM(VK_SPACE) && kind != BS_GROUPBOX && !data->tracking &&
          !(lParam & KF_REPEAT_BIT)) {
        data->spaceDown = true;
        data->pushed = true;
        Redraw(hwnd);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == WPARAM(VK_SPACE) && data->spaceDown) {
        data->spaceDown = false;
        data->pushed = false;
        Redraw(hwnd);
        Click(hwnd);
      }
      return 0;
    case BM_GETCHECK:
      return LRESULT(data->check);
    case BM_SETCHECK: {
      WPARAM check = wParam;
      if (!IsCheck(kind) && !IsRadio(kind) && !(GetWindowLongA(hwnd, GWL_STYLE) & BS_PUSHLIKE)) {
        return 0;
      }
      if (check == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE) {
        check = BST_CHECKED;
      }
      if (check > BST_INDETERMINATE) check = BST_CHECKED;
      if (data->check != check) {
        data->check = check;
        Redraw(hwnd);
      }
      return 0;
    }
    case BM_GETSTATE:
      return LRESULT(data->check) | (data->pushed ? BST_PUSHED : 0) |
             (data->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      if (data->pushed != (wParam != 0)) {
        data->pushed = wParam != 0;
        Redraw(hwnd);
      }
      return 0;
    case BM_SETSTYLE: {
      LONG style = GetWindowLongA(hwnd, GWL_STYLE);
      SetWindowLongA(hwnd, GWL_STYLE, LONG((DWORD(style) & ~0xFFFFu) | (DWORD(wParam) & 0xFFFF)));
      if (lParam) Redraw(hwnd);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(hwnd) && kind != BS_GROUPBOX) Click(hwnd);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform
