// The "ComboBox" control: a field (an edit or a drawn selection) over a list box that is
// always open or drops down as a popup.
#include "platform/combobox.h"

#include <algorithm>
#include <string>

#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/drawtext.h"
#include "platform/edit.h"
#include "platform/list_in_combo.h"
#include "platform/listbox.h"
#include "platform/pens_brushes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr int kEditId = 1001;
constexpr int kListId = 1000;
constexpr const char* kEditProcProperty = "ComboEditProc";

struct ComboData : ControlData {
  HFONT font = nullptr;
  HWND edit = nullptr;
  HWND list = nullptr;
  bool dropped = false;
  bool focused = false;
  bool settingText = false;  // the field changes by the combo's own hand
  int droppedHeight = 0;
  int fieldHeight = 21;
  int selectedBeforeDrop = -1;
  int shown = -1;  // the item the field shows
};

ComboData* DataOf(HWND hwnd) {
  return ControlDataOf<ComboData>(hwnd);
}

DWORD Kind(HWND hwnd) {
  return DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & 0x3;
}

RECT ButtonRect(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  bool left = GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  return left ? RECT{2, 2, 2 + width, r.bottom - 2}
              : RECT{r.right - 2 - width, 2, r.right - 2, r.bottom - 2};
}

RECT FieldRect(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  RECT button = ButtonRect(hwnd);
  bool left = GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  return left ? RECT{button.right, 2, r.right - 2, r.bottom - 2}
              : RECT{2, 2, button.left, r.bottom - 2};
}

std::string ItemText(const ComboData& data, int index) {
  LRESULT length = SendMessageA(data.list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length < 0) return {};
  std::string text(std::size_t(length) + 1, '\0');
  SendMessageA(data.list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::size_t(length));
  return text;
}

// Shows the selected item in the field.
void SetField(HWND hwnd, ComboData& data) {
  int selected = int(SendMessageA(data.list, LB_GETCURSEL, 0, 0));
  std::string text = selected >= 0 ? ItemText(data, selected) : std::string();
  data.shown = selected;
  data.settingText = true;
  if (data.edit) {
    SetWindowTextA(data.edit, text.c_str());
    if (GetFocus() == data.edit) SendMessageA(data.edit, EM_SETSEL, 0, -1);
  }
  DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  data.settingText = false;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Notify(HWND hwnd, WORD code) {
  NotifyParent(hwnd, code);
}

void CloseUp(HWND hwnd, ComboData& data, bool accept) {
  if (!data.dropped) return;
  data.dropped = false;
  ShowWindow(data.list, SW_HIDE);
  if (accept && SendMessageA(data.list, LB_GETCURSEL, 0, 0) != data.shown) {
    // The pointer moved the highlight in the open list: the field takes it now.
    SetField(hwnd, data);
    Notify(hwnd, CBN_SELCHANGE);
  }
  if (!accept) {
    int now = int(SendMessageA(data.list, LB_GETCURSEL, 0, 0));
    if (now != data.selectedBeforeDrop) {
      SendMessageA(data.list, LB_SETCURSEL, WPARAM(data.selectedBeforeDrop), 0);
      SetField(hwnd, data);
      Notify(hwnd, CBN_SELCHANGE);
    }
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  Notify(hwnd, CBN_CLOSEUP);
}

void DropDown(HWND hwnd, ComboData& data) {
  if (data.dropped || Kind(hwnd) == CBS_SIMPLE) return;
  Notify(hwnd, CBN_DROPDOWN);
  if (!IsWindow(hwnd)) return;
  data.selectedBeforeDrop = int(SendMessageA(data.list, LB_GETCURSEL, 0, 0));
  RECT r;
  GetWindowRect(hwnd, &r);
  int itemHeight = int(SendMessageA(data.list, LB_GETITEMHEIGHT, 0, 0));
  int count = int(SendMessageA(data.list, LB_GETCOUNT, 0, 0));
  int rows = std::clamp((data.droppedHeight - data.fieldHeight - 2) / std::max(1, itemHeight), 1,
                        std::max(1, count));
  int height = rows * itemHeight + 2;
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int top = r.bottom + height <= screenHeight ? r.bottom : std::max(0, int(r.top) - height);
  SetWindowPos(data.list, HWND_TOP, r.left, top, r.right - r.left, height, SWP_NOACTIVATE);
  if (data.selectedBeforeDrop >= 0) {
    SendMessageA(data.list, LB_SETCURSEL, WPARAM(data.selectedBeforeDrop), 0);
  }
  ShowWindow(data.list, SW_SHOWNA);
  data.dropped = true;
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The keys a combo box takes for itself, from its field or its edit; false for the rest.
bool Key(HWND hwnd, ComboData& data, int key, bool alt) {
  if ((key == VK_DOWN || key == VK_UP) && alt) {
    if (data.dropped) {
      CloseUp(hwnd, data, true);
    } else {
      DropDown(hwnd, data);
    }
    return true;
  }
  switch (key) {
    case VK_F4:
      if (data.dropped) {
        CloseUp(hwnd, data, true);
      } else {
        DropDown(hwnd, data);
      }
      return true;
    case VK_RETURN:
      if (!data.dropped) return false;
      CloseUp(hwnd, data, true);
      return true;
    case VK_ESCAPE:
      if (!data.dropped) return false;
      CloseUp(hwnd, data, false);
      return true;
    default:
      return ListNavigate(data.list, key);
  }
}

LRESULT EditSubclassProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(edit, kEditProcProperty));
  HWND combo = GetParent(edit);
  ComboData* data = DataOf(combo);
  if (!original) return DefWindowProcA(edit, msg, wParam, lParam);
  if (!data) return CallWindowProcA(original, edit, msg, wParam, lParam);
  switch (msg) {
    case WM_GETDLGCODE:
      return CallWindowProcA(original, edit, msg, wParam, lParam) | DLGC_WANTARROWS |
             (data->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_KEYDOWN:
      if (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_DOWN) || wParam == WPARAM(VK_PRIOR) ||
          wParam == WPARAM(VK_NEXT) || wParam == WPARAM(VK_F4) ||
          ((wParam == WPARAM(VK_RETURN) || wParam == WPARAM(VK_ESCAPE)) && data->dropped)) {
        Key(combo, *data, int(wParam), false);
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      if (wParam == WPARAM(VK_DOWN) || wParam == WPARAM(VK_UP)) {
        Key(combo, *data, int(wParam), true);
        return 0;
      }
      break;
    case WM_CHAR:
      // Enter and Escape close an open list; their characters would only beep in the edit.
      if ((wParam == WPARAM(VK_RETURN) || wParam == WPARAM(VK_ESCAPE)) && !data->dropped) break;
      if (wParam == WPARAM(VK_RETURN) || wParam == WPARAM(VK_ESCAPE)) return 0;
      break;
    case WM_SETFOCUS:
      Notify(combo, CBN_SETFOCUS);
      break;
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProcA(original, edit, msg, wParam, lParam);
      if (data->dropped) CloseUp(combo, *data, true);
      Notify(combo, CBN_KILLFOCUS);
      return r;
    }
    case WM_NCDESTROY:
      RemovePropA(edit, kEditProcProperty);
      SetWindowLongPtrA(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      return CallWindowProcA(original, edit, msg, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcA(original, edit, msg, wParam, lParam);
}

void Create(HWND hwnd, ComboData& data) {
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  DWORD exStyle = DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)) &
                  (WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR);
  RECT r;
  GetClientRect(hwnd, &r);
  data.droppedHeight = r.bottom;
  HINSTANCE none = nullptr;
  DWORD listStyle = LBS_NOTIFY | WS_VSCROLL | ((style & CBS_SORT) ? LBS_SORT : 0) |
                    ((style & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
  data.list = Kind(hwnd) == CBS_SIMPLE
                  ? CreateWindowExA(WS_EX_CLIENTEDGE | exStyle, "ListBox", nullptr,
                                    WS_CHILD | WS_VISIBLE | listStyle, 0, data.fieldHeight, r.right,
                                    std::max<int>(0, r.bottom - data.fieldHeight), hwnd,
                                    reinterpret_cast<HANDLE>(LONG_PTR(kListId)), none, nullptr)
                  : CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | exStyle, "ListBox", nullptr,
                                    WS_POPUP | WS_BORDER | listStyle, 0, 0, r.right, 100, hwnd,
                                    nullptr, none, nullptr);
  AttachListToCombo(data.list, hwnd, Kind(hwnd) != CBS_SIMPLE);
  int itemHeight = int(SendMessageA(data.list, LB_GETITEMHEIGHT, 0, 0));
  data.fieldHeight = itemHeight + 8;
  if (Kind(hwnd) == CBS_SIMPLE) {
    MoveWindow(data.list, 0, data.fieldHeight, r.right,
               std::max<int>(0, r.bottom - data.fieldHeight), FALSE);
  }
  if (Kind(hwnd) != CBS_DROPDOWNLIST) {
    bool simple = Kind(hwnd) == CBS_SIMPLE;
    RECT field = simple ? RECT{0, 0, r.right, data.fieldHeight} : RECT{0, 0, 0, 0};
    data.edit = CreateWindowExA(simple ? WS_EX_CLIENTEDGE | exStyle : exStyle, "EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, field.left, field.top,
                                field.right - field.left, field.bottom - field.top, hwnd,
                                reinterpret_cast<HANDLE>(LONG_PTR(kEditId)), none, nullptr);
    SetPropA(data.edit, kEditProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(data.edit, GWL_WNDPROC)));
    SetWindowLongPtrA(data.edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclassProc));
  }
  // The children draw in the combo box's font until it is given another.
  HFONT font = ControlFont(nullptr);
  SendMessageA(data.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (data.edit) SendMessageA(data.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (Kind(hwnd) != CBS_SIMPLE) {
    RECT window;
    GetWindowRect(hwnd, &window);
    SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, data.fieldHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (data.edit) {
      RECT f = FieldRect(hwnd);
      MoveWindow(data.edit, f.left + 1, f.top + 1, f.right - f.left - 2, f.bottom - f.top - 2,
                 FALSE);
    }
  }
}

void PaintField(HWND hwnd, HDC dc, ComboData& data) {
  RECT r;
  GetClientRect(hwnd, &r);
  if (Kind(hwnd) == CBS_SIMPLE) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  RECT field = FieldRect(hwnd);
  bool enabled = IsWindowEnabled(hwnd);
  HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLOREDIT);
  FillRect(dc, &field, enabled ? background : GetSysColorBrush(COLOR_BTNFACE));
  RECT button = ButtonRect(hwnd);
  FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
  RECT bevel = button;
  if (data.dropped) {
    FrameRect(dc, &bevel, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawEdge(dc, &bevel, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  // The arrow: a small solid triangle pointing down.
  COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  int cx = (button.left + button.right) / 2 + (data.dropped ? 1 : 0);
  int cy = (button.top + button.bottom) / 2 - 1 + (data.dropped ? 1 : 0);
  for (int row = 0; row < 4; ++row) {
    for (int x = cx - 3 + row; x <= cx + 3 - row; ++x) SetPixel(dc, x, cy + row - 1, ink);
  }
  if (data.edit) return;
  int selected = int(SendMessageA(data.list, LB_GETCURSEL, 0, 0));
  RECT item{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
  bool highlight = data.focused && !data.dropped && enabled;
  if (GetWindowLongA(hwnd, GWL_STYLE) & CBS_OWNERDRAWFIXED) {
    DRAWITEMSTRUCT di{
        ODT_COMBOBOX,
        UINT(GetWindowLongPtrA(hwnd, GWL_ID)),
        UINT(selected),
        ODA_DRAWENTIRE,
        UINT((highlight ? ODS_SELECTED | ODS_FOCUS : 0) | ODS_COMBOBOXEDIT |
             (enabled ? 0 : ODS_DISABLED)),
        hwnd,
        dc,
        item,
        UINT_PTR(selected >= 0 ? SendMessageA(data.list, LB_GETITEMDATA, WPARAM(selected), 0) : 0)};
    SendMessageA(GetParent(hwnd), WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    return;
  }
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(data.font));
  SetBkMode(dc, TRANSPARENT);
  if (highlight) {
    FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else if (!enabled) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  std::string text = selected >= 0 ? ItemText(data, selected) : std::string();
  RECT textRect{item.left + 2, item.top, item.right - 2, item.bottom};
  bool rtl = ReadsRightToLeft(hwnd);
  DrawTextA(dc, text.c_str(), int(text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                (rtl || AlignedRight(hwnd) ? DT_RIGHT : DT_LEFT) | (rtl ? DT_RTLREADING : 0));
  if (highlight) DrawFocusRect(dc, &item);
  SelectObject(dc, oldFont);
}

// A CB_* message that is the matching LB_* message to the list.
UINT ListMessage(UINT msg) {
  switch (msg) {
    case CB_ADDSTRING:
      return LB_ADDSTRING;
    case CB_DELETESTRING:
      return LB_DELETESTRING;
    case CB_GETCOUNT:
      return LB_GETCOUNT;
    case CB_GETCURSEL:
      return LB_GETCURSEL;
    case CB_GETLBTEXT:
      return LB_GETTEXT;
    case CB_GETLBTEXTLEN:
      return LB_GETTEXTLEN;
    case CB_INSERTSTRING:
      return LB_INSERTSTRING;
    case CB_FINDSTRING:
      return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT:
      return LB_FINDSTRINGEXACT;
    case CB_GETITEMDATA:
      return LB_GETITEMDATA;
    case CB_SETITEMDATA:
      return LB_SETITEMDATA;
    default:
      return 0;
  }
}

}  // namespace

LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    if (Window* w = WindowSystem::Get().Find(hwnd)) w->controlData = std::make_unique<ComboData>();
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  ComboData* data = DataOf(hwnd);
  if (!data) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (UINT forward = ListMessage(msg); forward && data->list) {
    return SendMessageA(data->list, forward, wParam, lParam);
  }
  switch (msg) {
    case WM_CREATE:
      Create(hwnd, *data);
      return 0;
    case WM_DESTROY:
      if (Kind(hwnd) != CBS_SIMPLE && IsWindow(data->list)) DestroyWindow(data->list);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintField(hwnd, dc, *data);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      if (data->edit) SendMessageA(data->edit, WM_SETFONT, wParam, lParam);
      SendMessageA(data->list, WM_SETFONT, wParam, lParam);
      if (lParam) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(data->font);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (data->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
      if (data->edit) {
        SetFocus(data->edit);
        SendMessageA(data->edit, EM_SETSEL, 0, -1);
        return 0;
      }
      data->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      Notify(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (data->edit) return 0;
      data->focused = false;
      CloseUp(hwnd, *data, true);
      InvalidateRect(hwnd, nullptr, FALSE);
      Notify(hwnd, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (data->edit) EnableWindow(data->edit, BOOL(wParam));
      EnableWindow(data->list, BOOL(wParam));
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      HWND target = data->edit ? data->edit : hwnd;
      if (GetFocus() != target) SetFocus(target);
      POINT p{short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))};
      RECT button = ButtonRect(hwnd);
      bool onButton = p.x >= button.left && p.x < button.right;
      if (Kind(hwnd) == CBS_DROPDOWNLIST || (Kind(hwnd) == CBS_DROPDOWN && onButton)) {
        if (data->dropped) {
          CloseUp(hwnd, *data, true);
        } else {
          DropDown(hwnd, *data);
        }
      }
      return 0;
    }
    case WM_KEYDOWN:
      Key(hwnd, *data, int(wParam), false);
      return 0;
    case WM_SYSKEYDOWN:
      if (!Key(hwnd, *data, int(wParam), true)) return DefWindowProcA(hwnd, msg, wParam, lParam);
      return 0;
    case WM_CHAR:
      if (wParam >= 0x20) ListTypeAhead(data->list, char(wParam));
      return 0;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      WORD code = HIWORD(DWORD(wParam));
      if (from == data->list) {
        if (code == LBN_SELCHANGE) {
          SetField(hwnd, *data);
          Notify(hwnd, CBN_SELCHANGE);
          // A closed drop-down list has nothing left to confirm: the step is the choice.
          if (!data->dropped && Kind(hwnd) != CBS_SIMPLE) Notify(hwnd, CBN_SELENDOK);
        } else if (code == kListPicked) {
          CloseUp(hwnd, *data, true);
        } else if (code == LBN_DBLCLK) {
          Notify(hwnd, CBN_DBLCLK);
        }
      } else if (from == data->edit && code == EN_CHANGE && !data->settingText) {
        if (Kind(hwnd) == CBS_SIMPLE) {
          // Typing in a simple combo box shows the first item that starts with the text.
          std::string typed = GetWindowString(data->edit);
          LRESULT found = typed.empty() ? LB_ERR
                                        : SendMessageA(data->list, LB_FINDSTRING, WPARAM(-1),
                                                       reinterpret_cast<LPARAM>(typed.c_str()));
          if (found != LB_ERR) {
            SendMessageA(data->list, LB_SETCURSEL, WPARAM(found), 0);
          }
        }
        Notify(hwnd, CBN_EDITCHANGE);
      }
      return 0;
    }
    case WM_SETTEXT: {
      if (data->edit) {
        data->settingText = true;
        SetWindowTextA(data->edit, reinterpret_cast<LPCSTR>(lParam));
        data->settingText = false;
      } else if (lParam) {
        LRESULT found = SendMessageA(data->list, LB_FINDSTRINGEXACT, WPARAM(-1), lParam);
        SendMessageA(data->list, LB_SETCURSEL, WPARAM(found), 0);
      }
      LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (data->edit) return SendMessageA(data->edit, msg, wParam, lParam);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case CB_RESETCONTENT:
      SendMessageA(data->list, LB_RESETCONTENT, 0, 0);
      SetField(hwnd, *data);
      return 0;
    case CB_SETCURSEL: {
      LRESULT r = SendMessageA(data->list, LB_SETCURSEL, wParam, 0);
      SetField(hwnd, *data);
      return r;
    }
    case CB_SELECTSTRING: {
      LRESULT r = SendMessageA(data->list, LB_SELECTSTRING, wParam, lParam);
      if (r != LB_ERR) SetField(hwnd, *data);
      return r;
    }
    case CB_SHOWDROPDOWN:
      if (wParam) {
        DropDown(hwnd, *data);
      } else {
        CloseUp(hwnd, *data, true);
      }
      return 1;
    case CB_GETDROPPEDSTATE:
      return data->dropped ? 1 : 0;
    case CB_LIMITTEXT:
      return data->edit ? SendMessageA(data->edit, EM_LIMITTEXT, wParam, 0) : CB_ERR;
    case CB_SETEDITSEL:
      if (!data->edit) return CB_ERR;
      SendMessageA(data->edit, EM_SETSEL, LOWORD(DWORD(lParam)), short(HIWORD(DWORD(lParam))));
      return 1;
    case CB_GETEDITSEL:
      return data->edit ? SendMessageA(data->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform
