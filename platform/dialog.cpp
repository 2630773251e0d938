// The dialog class, its default procedure, dialog order and the dialog manager's keys.
#include "platform/dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/button.h"
#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/edit.h"
#include "platform/pens_brushes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

struct DialogData : ControlData {
  DLGPROC proc = nullptr;
  int defId = 0;  // 0: none set, IDOK stands in
  HWND lastFocus = nullptr;
  bool inProc = false;
};

DialogData* DataOf(HWND dialog) {
  return ControlDataOf<DialogData>(dialog);
}

DWORD StyleOf(HWND hwnd) {
  return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

bool Usable(HWND control) {
  return IsWindowVisible(control) && IsWindowEnabled(control);
}

bool IsPushButton(HWND control) {
  LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
  return code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

// The dialog's own child that holds `hwnd` (itself when it is one).
HWND DirectChild(HWND dialog, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != dialog) {
    if (!(StyleOf(hwnd) & WS_CHILD)) return nullptr;
    hwnd = GetParent(hwnd);
  }
  return hwnd;
}

int DefaultId(HWND dialog) {
  LRESULT r = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  return HIWORD(DWORD(r)) == DC_HASDEFID ? LOWORD(DWORD(r)) : IDOK;
}

// A focused push button looks like the default one; elsewhere the default button does.
void ShowDefaultFor(HWND dialog, HWND focus) {
  HWND def = GetDlgItem(dialog, DefaultId(dialog));
  HWND shown = focus && IsPushButton(focus) ? focus : def;
  for (HWND c : DialogControls(dialog)) {
    if (!IsPushButton(c)) continue;
    bool isDefault = (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
    if (isDefault != (c == shown)) {
      SendMessageA(c, BM_SETSTYLE, c == shown ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
  }
}

void FocusControl(HWND dialog, HWND control) {
  if (!control) return;
  if (GetActiveWindow() != dialog) {
    // Not active yet: the control takes the focus when the dialog is activated.
    if (DialogData* data = DataOf(dialog)) data->lastFocus = control;
    ShowDefaultFor(dialog, control);
    return;
  }
  if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageA(control, EM_SETSEL, 0, -1);
  }
  SetFocus(control);
  ShowDefaultFor(dialog, control);
}

void PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) {
    MessageBeep(MB_OK);
    return;
  }
  SendMessageA(dialog, WM_COMMAND, MAKELONG(WORD(id), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

// The control that a mnemonic letter names, searched from the one after the focus.
HWND MnemonicTarget(HWND dialog, HWND from, char letter) {
  std::vector<HWND> order = DialogControls(dialog);
  auto at = std::find(order.begin(), order.end(), from);
  std::size_t start = at == order.end() ? 0 : std::size_t(at - order.begin()) + 1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    HWND c = order[(start + k) % order.size()];
    if (!Usable(c) && !(IsWindowVisible(c) && (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_STATIC))) {
      continue;
    }
    if (MnemonicOf(GetWindowString(c)) == letter) return c;
  }
  return nullptr;
}

bool Mnemonic(HWND dialog, HWND focus, char letter) {
  HWND target = MnemonicTarget(dialog, focus, letter);
  if (!target) return false;
  LRESULT code = SendMessageA(target, WM_GETDLGCODE, 0, 0);
  if (code & DLGC_STATIC) {
    // A label hands on to the control that follows it.
    std::vector<HWND> order = DialogControls(dialog);
    auto at = std::find(order.begin(), order.end(), target);
    for (++at; at != order.end(); ++at) {
      if (Usable(*at) && !(SendMessageA(*at, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
        FocusControl(dialog, *at);
        return true;
      }
    }
    return true;
  }
  if (code & DLGC_BUTTON) {
    FocusControl(dialog, target);
    if (!(code & DLGC_RADIOBUTTON) || !(SendMessageA(target, BM_GETCHECK, 0, 0))) {
      SendMessageA(target, BM_CLICK, 0, 0);
    }
    return true;
  }
  FocusControl(dialog, target);
  return true;
}

}  // namespace

bool IsDialogWindow(HWND hwnd) {
  return DataOf(hwnd) != nullptr;
}

std::vector<HWND> DialogControls(HWND dialog) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  std::reverse(out.begin(), out.end());
  return out;
}

std::vector<HWND> DialogGroupOf(HWND dialog, HWND control) {
  std::vector<HWND> order = DialogControls(dialog);
  auto at = std::find(order.begin(), order.end(), control);
  if (at == order.end()) return {};
  auto first = at;
  while (first != order.begin() && !(StyleOf(*first) & WS_GROUP)) --first;
  auto last = at + 1;
  while (last != order.end() && !(StyleOf(*last) & WS_GROUP)) ++last;
  return std::vector<HWND>(first, last);
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> order = DialogControls(dialog);
  if (order.empty()) return nullptr;
  if (previous) std::reverse(order.begin(), order.end());
  control = DirectChild(dialog, control);
  auto at = std::find(order.begin(), order.end(), control);
  std::size_t start = at == order.end() ? 0 : std::size_t(at - order.begin()) + 1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    HWND c = order[(start + k) % order.size()];
    if ((StyleOf(c) & WS_TABSTOP) && Usable(c)) return c;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> group = DialogGroupOf(dialog, DirectChild(dialog, control));
  if (group.empty()) return nullptr;
  if (previous) std::reverse(group.begin(), group.end());
  auto at = std::find(group.begin(), group.end(), DirectChild(dialog, control));
  std::size_t start = std::size_t(at - group.begin()) + 1;
  for (std::size_t k = 0; k < group.size(); ++k) {
    HWND c = group[(start + k) % group.size()];
    if (Usable(c)) return c;
  }
  return control;
}

HWND GetDlgItem(HWND dialog, int id) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (GetWindowLongPtrA(c, GWL_ID) == id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND control) {
  return int(GetWindowLongPtrA(control, GWL_ID));
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SendMessageA(c, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SetWindowTextA(c, text) : FALSE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return UINT(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND c = GetDlgItem(dialog, id);
  if (!c) return FALSE;
  SendMessageA(c, BM_SETCHECK, check, 0);
  return TRUE;
}

HWND CreateDialogWindow(DWORD exStyle, LPCSTR caption, DWORD style, const RECT& bounds,
                        HWND owner, DLGPROC proc) {
  return CreateWindowExA(exStyle | WS_EX_CONTROLPARENT, WC_DIALOG, caption, style & ~WS_VISIBLE,
                         bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, owner, nullptr, nullptr,
                         reinterpret_cast<void*>(proc));
}

void InitDialog(HWND dialog, LPARAM param) {
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first &&
      IsWindow(first)) {
    if (DialogData* data = DataOf(dialog)) data->lastFocus = first;
    ShowDefaultFor(dialog, first);
  }
}

LONG_PTR DialogBoxLoop(HWND dialog) {
  if (!IsDialogWindow(dialog)) return -1;
  HWND previous = GetActiveWindow();
  ShowWindow(dialog, SW_SHOW);
  LONG_PTR result = RunModalLoop(dialog);
  if (previous != dialog && IsWindow(previous) && IsWindowVisible(previous)) {
    SetActiveWindow(previous);
  }
  return result;
}

BOOL EndDialog(HWND dialog, LONG_PTR result) {
  if (!IsDialogWindow(dialog)) return FALSE;
  EndModalLoop(dialog, result);
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (Window* w = WindowSystem::Get().Find(dialog); w && !w->controlData) {
      auto data = std::make_unique<DialogData>();
      data->proc = cs ? reinterpret_cast<DLGPROC>(cs->lpCreateParams) : nullptr;
      w->controlData = std::move(data);
    }
  }
  DialogData* data = DataOf(dialog);
  if (data && data->proc) {
    LONG_PTR handled = data->proc(dialog, msg, wParam, lParam);
    if (handled) return handled;
    data = DataOf(dialog);
  }
  switch (msg) {
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      if (!dc) return 0;
      LRESULT brush = SendMessageA(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog));
      if (!brush) brush = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      RECT r;
      GetClientRect(dialog, &r);
      FillRect(dc, &r, reinterpret_cast<HBRUSH>(brush));
      return 1;
    }
    case DM_GETDEFID:
      return data && data->defId ? LRESULT(MAKELONG(WORD(data->defId), DC_HASDEFID)) : 0;
    case DM_SETDEFID:
      if (!data) return FALSE;
      data->defId = int(wParam);
      ShowDefaultFor(dialog, GetFocus());
      return TRUE;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                           : GetNextDlgTabItem(dialog, GetFocus(), wParam ? TRUE : FALSE);
      FocusControl(dialog, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (!data) return 0;
      if (LOWORD(DWORD(wParam)) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) data->lastFocus = focus;
      } else if (!HIWORD(DWORD(wParam))) {
        SendMessageA(dialog, WM_SETFOCUS, 0, 0);
      }
      return 0;
    case WM_SETFOCUS: {
      if (!data) return 0;
      HWND target = IsWindow(data->lastFocus) && IsChild(dialog, data->lastFocus) &&
                            Usable(data->lastFocus)
                        ? data->lastFocus
                        : GetNextDlgTabItem(dialog, nullptr, FALSE);
      if (target) {
        FocusControl(dialog, target);
      }
      return 0;
    }
    case WM_CLOSE:
      PressButton(dialog, IDCANCEL);
      return 0;
    default:
      return DefWindowProcA(dialog, msg, wParam, lParam);
  }
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  HWND focus = msg->hwnd;
  LRESULT code = SendMessageA(focus, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
  if (code & DLGC_WANTMESSAGE) {
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
  }
  switch (msg->message) {
    case WM_KEYDOWN:
      switch (int(msg->wParam)) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          FocusControl(dialog,
                       GetNextDlgTabItem(dialog, focus, (GetKeyState(VK_SHIFT) & 0x8000) != 0));
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if (code & DLGC_WANTARROWS) break;
          bool back = msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_UP);
          HWND next = GetNextDlgGroupItem(dialog, focus, back ? TRUE : FALSE);
          if (!next || next == focus) return TRUE;
          FocusControl(dialog, next);
          LRESULT nextCode = SendMessageA(next, WM_GETDLGCODE, 0, 0);
          if ((nextCode & DLGC_RADIOBUTTON) &&
              (StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
            SendMessageA(next, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_RETURN: {
          if (IsPushButton(focus) && IsChild(dialog, focus)) {
            PressButton(dialog, GetDlgCtrlID(focus));
          } else {
            PressButton(dialog, DefaultId(dialog));
          }
          return TRUE;
        }
        case VK_ESCAPE:
          PressButton(dialog, IDCANCEL);
          return TRUE;
        case 'C':
          // Ctrl+C where no text is being edited asks the dialog to copy itself.
          if ((GetKeyState(VK_CONTROL) & 0x8000) && !(code & (DLGC_WANTCHARS | DLGC_HASSETSEL))) {
            SendMessageA(dialog, WM_COPY, 0, 0);
            return TRUE;
          }
          break;
        default:
          break;
      }
      break;
    case WM_CHAR:
      // Tab, Enter and Escape were handled as keys; their characters go nowhere.
      if (msg->wParam == WPARAM(VK_TAB) && !(code & DLGC_WANTTAB)) return TRUE;
      if ((msg->wParam == WPARAM(VK_RETURN) || msg->wParam == WPARAM(VK_ESCAPE)) &&
          !(code & DLGC_WANTALLKEYS)) {
        return TRUE;
      }
      if (!(code & (DLGC_WANTCHARS | DLGC_HASSETSEL)) && msg->wParam > 0x20 &&
          Mnemonic(dialog, DirectChild(dialog, focus),
                   char(std::tolower(int(msg->wParam & 0xFF))))) {
        return TRUE;
      }
      break;
    case WM_SYSCHAR:
      if (Mnemonic(dialog, DirectChild(dialog, focus), char(std::tolower(int(msg->wParam & 0xFF))))) {
        return TRUE;
      }
      MessageBeep(MB_OK);
      return TRUE;
    default:
      break;
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

void CenterWindow(HWND hwnd, HWND owner) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT ownerRect;
  if (owner && IsWindowVisible(owner) && GetWindowRect(owner, &ownerRect)) area = ownerRect;
  int width = r.right - r.left, height = r.bottom - r.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  x = std::clamp(x, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - width));
  y = std::clamp(y, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - height));
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
