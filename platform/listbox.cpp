// The "ListBox" control: items, selection, scrolling, keyboard, type-ahead and painting.
#include "platform/listbox.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/combobox.h"
#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/list_in_combo.h"
#include "platform/pens_brushes.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr DWORD kTypeAheadMs = 1000;
constexpr int kWheelLines = 3;

struct Item {
  std::string text;
  LPARAM data = 0;
};

struct ListData : ControlData {
  HFONT font = nullptr;
  std::vector<Item> items;
  int selected = -1;
  int top = 0;
  int itemHeight = 13;
  bool focused = false;
  bool tracking = false;
  int selectedAtPress = -1;
  std::string typed;
  DWORD typedAt = 0;
  HWND combo = nullptr;  // the combo box holding it, which hears its notices
  bool popup = false;
};

ListData* DataOf(HWND hwnd) {
  return ControlDataOf<ListData>(hwnd);
}

DWORD StyleOf(HWND hwnd) {
  return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

int MeasureItemHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ControlFont(font));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return std::max<int>(1, tm.tmHeight);
}

int VisibleCount(HWND hwnd, const ListData& data) {
  RECT r;
  GetClientRect(hwnd, &r);
  return std::max(1, int(r.bottom - r.top) / data.itemHeight);
}

void UpdateScrollBar(HWND hwnd, ListData& data) {
  int visible = VisibleCount(hwnd, data);
  int count = int(data.items.size());
  data.top = std::clamp(data.top, 0, std::max(0, count - visible));
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count - 1),
                UINT(visible), data.top, 0};
  if (StyleOf(hwnd) & LBS_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void Redraw(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
}

void ScrollTo(HWND hwnd, ListData& data, int top) {
  int old = data.top;
  data.top = top;
  UpdateScrollBar(hwnd, data);
  if (data.top != old) Redraw(hwnd);
}

void ShowItem(HWND hwnd, ListData& data, int index) {
  if (index < 0) return;
  int visible = VisibleCount(hwnd, data);
  if (index < data.top) {
    ScrollTo(hwnd, data, index);
  } else if (index >= data.top + visible) {
    ScrollTo(hwnd, data, index - visible + 1);
  }
}

void Notify(HWND hwnd, const ListData& data, WORD code) {
  if (data.combo) {
    SendMessageA(data.combo, WM_COMMAND, MAKELONG(WORD(GetWindowLongPtrA(hwnd, GWL_ID)), code),
                 reinterpret_cast<LPARAM>(hwnd));
    return;
  }
  if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, code);
}

// Selects an item (or none with -1) and brings it into view; true when the selection changed.
bool Select(HWND hwnd, ListData& data, int index) {
  index = std::clamp(index, -1, int(data.items.size()) - 1);
  bool changed = data.selected != index;
  data.selected = index;
  ShowItem(hwnd, data, index);
  if (changed) Redraw(hwnd);
  return changed;
}

void UserSelect(HWND hwnd, ListData& data, int index) {
  if (Select(hwnd, data, index)) Notify(hwnd, data, LBN_SELCHANGE);
}

int Find(const ListData& data, int after, const std::string& text, bool exact) {
  int count = int(data.items.size());
  if (count == 0) return int(LB_ERR);
  int start = after < 0 || after >= count ? 0 : after + 1;
  for (int k = 0; k < count; ++k) {
    int i = (start + k) % count;
    const std::string& item = data.items[std::size_t(i)].text;
    bool match = exact ? item.size() == text.size() && StartsWithNoCase(item, text)
                       : StartsWithNoCase(item, text);
    if (match) return i;
  }
  return int(LB_ERR);
}

int ItemAt(HWND hwnd, const ListData& data, int y) {
  int index = data.top + (y < 0 ? -1 : y / data.itemHeight);
  return std::clamp(index, 0, int(data.items.size()) - 1);
}

RECT ItemRect(HWND hwnd, const ListData& data, int index) {
  RECT r;
  GetClientRect(hwnd, &r);
  int y = (index - data.top) * data.itemHeight;
  return {r.left, y, r.right, y + data.itemHeight};
}

void PaintItem(HWND hwnd, HDC dc, const ListData& data, int index, RECT r) {
  bool selected = index == data.selected;
  // A list inside a combo box is drawn by the combo box's owner when the combo box asks.
  HWND control = data.combo ? data.combo : hwnd;
  if (StyleOf(control) & (data.combo ? CBS_OWNERDRAWFIXED : LBS_OWNERDRAWFIXED)) {
    DRAWITEMSTRUCT di{data.combo ? ODT_COMBOBOX : ODT_LISTBOX,
                      UINT(GetWindowLongPtrA(control, GWL_ID)),
                      UINT(index),
                      ODA_DRAWENTIRE,
                      UINT((selected ? ODS_SELECTED : 0) |
                           (selected && data.focused ? ODS_FOCUS : 0)),
                      control,
                      dc,
                      r,
                      UINT_PTR(data.items[std::size_t(index)].data)};
    SendMessageA(GetParent(control), WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    return;
  }
  if (selected) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  bool rtl = ReadsRightToLeft(hwnd) || AlignedRight(hwnd);
  RECT text{r.left + 2, r.top, r.right - 2, r.bottom};
  const std::string& s = data.items[std::size_t(index)].text;
  DrawTextA(dc, s.c_str(), int(s.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (rtl ? DT_RIGHT : DT_LEFT) |
                (ReadsRightToLeft(hwnd) ? DT_RTLREADING : 0));
  if (selected && data.focused) DrawFocusRect(dc, &r);
}

void Paint(HWND hwnd, HDC dc, const ListData& data) {
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLORLISTBOX);
  FillRect(dc, &client, background);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(data.font));
  SetBkMode(dc, TRANSPARENT);
  COLORREF text = GetTextColor(dc);
  if (!IsWindowEnabled(hwnd)) text = GetSysColor(COLOR_GRAYTEXT);
  int visible = VisibleCount(hwnd, data) + 1;
  for (int i = data.top; i < int(data.items.size()) && i < data.top + visible; ++i) {
    SetTextColor(dc, text);
    PaintItem(hwnd, dc, data, i, ItemRect(hwnd, data, i));
  }
  SelectObject(dc, oldFont);
}

int Insert(HWND hwnd, ListData& data, int index, const char* text) {
  Item item{text ? text : "", 0};
  int count = int(data.items.size());
  if (index < 0 || index > count) index = count;
  if (StyleOf(hwnd) & LBS_SORT) {
    auto at = std::upper_bound(data.items.begin(), data.items.end(), item,
                               [](const Item& a, const Item& b) { return LessNoCase(a.text, b.text); });
    index = int(at - data.items.begin());
  }
  data.items.insert(data.items.begin() + index, item);
  if (data.selected >= index) ++data.selected;
  UpdateScrollBar(hwnd, data);
  Redraw(hwnd);
  return index;
}

bool Valid(const ListData& data, WPARAM index) {
  return index < data.items.size();
}

bool Navigate(HWND hwnd, ListData& data, int key) {
  int count = int(data.items.size());
  if (count == 0) return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                          key == VK_HOME || key == VK_END;
  int page = std::max(1, VisibleCount(hwnd, data) - 1);
  int at = data.selected < 0 ? 0 : data.selected;
  int target;
  switch (key) {
    case VK_UP:
      target = data.selected < 0 ? 0 : at - 1;
      break;
    case VK_DOWN:
      target = data.selected < 0 ? 0 : at + 1;
      break;
    case VK_PRIOR:
      target = at - page;
      break;
    case VK_NEXT:
      target = at + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    default:
      return false;
  }
  UserSelect(hwnd, data, std::clamp(target, 0, count - 1));
  return true;
}

void TypeAhead(HWND hwnd, ListData& data, char c) {
  DWORD now = GetMessageTime();
  if (now - data.typedAt > kTypeAheadMs) data.typed.clear();
  data.typedAt = now;
  data.typed += c;
  // One character steps through the items that start with it; more narrow the search.
  int from = data.typed.size() == 1 ? data.selected : data.selected - 1;
  int found = Find(data, from, data.typed, false);
  if (found == LB_ERR && data.typed.size() > 1) {
    data.typed = std::string(1, c);
    found = Find(data, data.selected, data.typed, false);
  }
  if (found != LB_ERR) UserSelect(hwnd, data, found);
}

LRESULT Scroll(HWND hwnd, ListData& data, WORD code, int thumb) {
  int page = std::max(1, VisibleCount(hwnd, data) - 1);
  int top = data.top;
  switch (code) {
    case SB_LINEUP:
      --top;
      break;
    case SB_LINEDOWN:
      ++top;
      break;
    case SB_PAGEUP:
      top -= page;
      break;
    case SB_PAGEDOWN:
      top += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      top = thumb;
      break;
    case SB_TOP:
      top = 0;
      break;
    case SB_BOTTOM:
      top = int(data.items.size());
      break;
    default:
      return 0;
  }
  ScrollTo(hwnd, data, top);
  return 0;
}

}  // namespace

void AttachListToCombo(HWND list, HWND combo, bool popup) {
  if (ListData* data = DataOf(list)) {
    data->combo = combo;
    data->popup = popup;
  }
}

bool ListNavigate(HWND list, int key) {
  ListData* data = DataOf(list);
  return data && Navigate(list, *data, key);
}

void ListTypeAhead(HWND list, char c) {
  if (ListData* data = DataOf(list)) TypeAhead(list, *data, c);
}

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    if (Window* w = WindowSystem::Get().Find(hwnd)) {
      auto data = std::make_unique<ListData>();
      data->itemHeight = MeasureItemHeight(nullptr);
      w->controlData = std::move(data);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  ListData* data = DataOf(hwnd);
  if (!data) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE:
    case WM_SIZE:
      UpdateScrollBar(hwnd, *data);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(hwnd, dc, *data);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      data->itemHeight = MeasureItemHeight(data->font);
      UpdateScrollBar(hwnd, *data);
      if (lParam) Redraw(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(data->font);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      data->focused = true;
      Redraw(hwnd);
      Notify(hwnd, *data, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      data->focused = false;
      Redraw(hwnd);
      Notify(hwnd, *data, LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      Redraw(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      if (data->popup) return MA_NOACTIVATE;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN: {
      if (!data->popup && GetFocus() != hwnd) SetFocus(hwnd);
      if (!IsWindow(hwnd) || data->items.empty()) return 0;
      data->tracking = true;
      data->selectedAtPress = data->selected;
      SetCapture(hwnd);
      Select(hwnd, *data, ItemAt(hwnd, *data, short(HIWORD(DWORD(lParam)))));
      return 0;
    }
    case WM_MOUSEMOVE:
      if (data->tracking || data->popup) {
        if (!data->items.empty()) Select(hwnd, *data, ItemAt(hwnd, *data, short(HIWORD(DWORD(lParam)))));
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!data->tracking) return 0;
      data->tracking = false;
      ReleaseCapture();
      // A dropped-down list reports the pick; its combo box compares it with its field.
      if (data->popup) {
        Notify(hwnd, *data, kListPicked);
      } else if (data->selected != data->selectedAtPress) {
        Notify(hwnd, *data, LBN_SELCHANGE);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      Notify(hwnd, *data, LBN_DBLCLK);
      return 0;
    case WM_MOUSEWHEEL: {
      int lines = short(HIWORD(DWORD(wParam))) / WHEEL_DELTA * kWheelLines;
      ScrollTo(hwnd, *data, data->top - lines);
      return 0;
    }
    case WM_VSCROLL:
      return Scroll(hwnd, *data, LOWORD(DWORD(wParam)), short(HIWORD(DWORD(wParam))));
    case WM_KEYDOWN:
      Navigate(hwnd, *data, int(wParam));
      return 0;
    case WM_CHAR:
      if (wParam >= 0x20) TypeAhead(hwnd, *data, char(wParam));
      return 0;
    case LB_ADDSTRING:
      return Insert(hwnd, *data, -1, reinterpret_cast<const char*>(lParam));
    case LB_INSERTSTRING:
      if (LONG_PTR(wParam) > LONG_PTR(data->items.size())) return LB_ERR;
      return Insert(hwnd, *data, int(LONG_PTR(wParam)), reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING: {
      if (!Valid(*data, wParam)) return LB_ERR;
      int index = int(wParam);
      data->items.erase(data->items.begin() + index);
      if (data->selected == index) {
        data->selected = -1;
      } else if (data->selected > index) {
        --data->selected;
      }
      UpdateScrollBar(hwnd, *data);
      Redraw(hwnd);
      return LRESULT(data->items.size());
    }
    case LB_RESETCONTENT:
      data->items.clear();
      data->selected = -1;
      data->top = 0;
      UpdateScrollBar(hwnd, *data);
      Redraw(hwnd);
      return 0;
    case LB_SETCURSEL:
      if (LONG_PTR(wParam) == -1) {
        Select(hwnd, *data, -1);
        return LB_ERR;
      }
      if (!Valid(*data, wParam)) return LB_ERR;
      Select(hwnd, *data, int(wParam));
      return LRESULT(wParam);
    case LB_GETCURSEL:
      return data->selected;
    case LB_GETTEXT: {
      if (!Valid(*data, wParam) || !lParam) return LB_ERR;
      const std::string& s = data->items[wParam].text;
      char* out = reinterpret_cast<char*>(lParam);
      std::copy(s.begin(), s.end(), out);
      out[s.size()] = '\0';
      return LRESULT(s.size());
    }
    case LB_GETTEXTLEN:
      return Valid(*data, wParam) ? LRESULT(data->items[wParam].text.size()) : LB_ERR;
    case LB_GETCOUNT:
      return LRESULT(data->items.size());
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      if (!lParam) return LB_ERR;
      return Find(*data, int(LONG_PTR(wParam)), reinterpret_cast<const char*>(lParam),
                  msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      if (!lParam) return LB_ERR;
      int found = Find(*data, int(LONG_PTR(wParam)), reinterpret_cast<const char*>(lParam), false);
      if (found != LB_ERR) Select(hwnd, *data, found);
      return found;
    }
    case LB_GETTOPINDEX:
      return data->top;
    case LB_SETTOPINDEX:
      if (!Valid(*data, wParam)) return LB_ERR;
      ScrollTo(hwnd, *data, int(wParam));
      return 0;
    case LB_GETITEMRECT:
      if (!Valid(*data, wParam) || !lParam) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = ItemRect(hwnd, *data, int(wParam));
      return 1;
    case LB_GETITEMDATA:
      return Valid(*data, wParam) ? data->items[wParam].data : LB_ERR;
    case LB_SETITEMDATA:
      if (!Valid(*data, wParam)) return LB_ERR;
      data->items[wParam].data = lParam;
      return 1;
    case LB_GETITEMHEIGHT:
      return data->itemHeight;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform
