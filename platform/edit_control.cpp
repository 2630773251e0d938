// The edit control's window procedure: messages, layout, scrolling, painting and notices.
#include "platform/edit_control.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/caret.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/pens_brushes.h"
#include "platform/system_classes.h"
#include "platform/update_area.h"

namespace platform {
namespace {

// The gap between the client edge and the text on the left and right.
constexpr int kMargin = 2;

std::map<HWND, std::unique_ptr<EditControl>>& Controls() {
  static std::map<HWND, std::unique_ptr<EditControl>> controls;
  return controls;
}

int SignedParam(WPARAM value) {
  return int(static_cast<std::intptr_t>(value));
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& controls = Controls();
  if (msg == WM_NCCREATE) controls[hwnd] = std::make_unique<EditControl>(hwnd);
  auto it = controls.find(hwnd);
  if (it == controls.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    std::unique_ptr<EditControl> gone = std::move(it->second);
    controls.erase(it);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return it->second->Handle(msg, wParam, lParam);
}

EditControl::EditControl(HWND hwnd) : hwnd_(hwnd) {}

DWORD EditControl::Style() const {
  return DWORD(GetWindowLongA(hwnd_, GWL_STYLE));
}

DWORD EditControl::ExStyle() const {
  return DWORD(GetWindowLongA(hwnd_, GWL_EXSTYLE));
}

bool EditControl::MultiLine() const {
  return (Style() & ES_MULTILINE) != 0;
}

bool EditControl::ReadOnly() const {
  return (Style() & ES_READONLY) != 0;
}

void EditControl::UpdateFormat() {
  if (!customRect_) {
    GetClientRect(hwnd_, &rect_);
    rect_.left += kMargin;
    rect_.right = std::max(rect_.left, rect_.right - kMargin);
  }
  DWORD style = Style();
  DWORD exStyle = ExStyle();
  EditDocument::Format f;
  f.font = font_;
  int width = int(rect_.right - rect_.left);
  f.wrapWidth = MultiLine() && !(style & ES_AUTOHSCROLL) ? std::max(width, 1) : -1;
  f.viewWidth = width;
  f.rightToLeft = (exStyle & WS_EX_RTLREADING) != 0;
  if ((style & 3) == ES_CENTER) {
    f.alignment = DT_CENTER;
  } else if ((style & 3) == ES_RIGHT || (exStyle & WS_EX_RIGHT)) {
    f.alignment = DT_RIGHT;
  } else {
    f.alignment = DT_LEFT;
  }
  f.singleLine = !MultiLine();
  f.passwordChar = (style & ES_PASSWORD) && !MultiLine() ? passwordChar_ : 0;
  doc_.SetFormat(f);
  topLine_ = std::clamp(topLine_, 0, std::max(0, doc_.EstimatedLineCount() - 1));
  UpdateScrollBars();
}

int EditControl::VisibleLines() {
  return std::max(1, int(rect_.bottom - rect_.top) / doc_.LineHeight());
}

void EditControl::UpdateScrollBars() {
  // The bars asked for at creation stay, disabled when there is nothing to scroll: a bar that
  // came and went would change the width the text wraps in.
  if (ownsScrollBar_) {
    SCROLLINFO si{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    si.nMax = std::max(0, doc_.EstimatedLineCount() - 1);
    si.nPage = UINT(VisibleLines());
    si.nPos = topLine_;
    SetBar(SB_VERT, si);
  }
  if (ownsHorizontalBar_) {
    // The range covers the lines in view at least, so they are shaped now.
    doc_.LineStart(topLine_ + VisibleLines());
    int width = std::max(1, int(rect_.right - rect_.left));
    auto [left, right] = doc_.GetFormat().wrapWidth < 0 ? doc_.ShapedSpan() : std::pair{0, 0};
    SCROLLINFO si{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    si.nMin = std::min(left, scrollX_);
    si.nMax = std::max({right, scrollX_ + width, si.nMin + width}) - 1;
    si.nPage = UINT(width);
    si.nPos = scrollX_;
    SetBar(SB_HORZ, si);
  }
}

void EditControl::SetBar(int bar, const SCROLLINFO& info) {
  // A bar is redrawn only when it changes: most keystrokes leave it as it is.
  SCROLLINFO now{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd_, bar, &now);
  if (now.nMin == info.nMin && now.nMax == info.nMax && now.nPage == info.nPage &&
      now.nPos == info.nPos) {
    return;
  }
  SetScrollInfo(hwnd_, bar, &info, TRUE);
}

void EditControl::ScrollSideways(int x) {
  if (doc_.GetFormat().wrapWidth >= 0) return;
  int width = std::max(1, int(rect_.right - rect_.left));
  auto [left, right] = doc_.ShapedSpan();
  x = std::clamp(x, std::min(0, left), std::max(0, right + 1 - width));
  if (x == scrollX_) return;
  scrollX_ = x;
  UpdateScrollBars();
  Invalidate();
  PlaceCaret();
}

void EditControl::ScrollLines(int delta) {
  if (!MultiLine()) return;
  int total = doc_.EstimatedLineCount();
  int top = std::clamp(topLine_ + delta, 0, std::max(0, total - VisibleLines()));
  if (top == topLine_) return;
  topLine_ = top;
  UpdateScrollBars();
  Invalidate();
  PlaceCaret();
}

POINT EditControl::ToClient(POINT text) {
  return {rect_.left + text.x - scrollX_, rect_.top + text.y - topLine_ * doc_.LineHeight()};
}

int EditControl::HitTest(POINT client, bool* atLineEnd) {
  POINT text{client.x - rect_.left + scrollX_, client.y - rect_.top + topLine_ * doc_.LineHeight()};
  return doc_.PositionAt(text, atLineEnd);
}

void EditControl::ScrollCaret() {
  bool changed = false;
  if (MultiLine()) {
    int line = doc_.LineOf(caret_, atLineEnd_);
    int visible = VisibleLines();
    int top = topLine_;
    if (line < top) top = line;
    if (line >= top + visible) top = line - visible + 1;
    if (top != topLine_) {
      topLine_ = top;
      changed = true;
    }
  }
  if (doc_.GetFormat().wrapWidth < 0) {
    // Unwrapped text scrolls sideways by a quarter of the view when the caret leaves it, and
    // never further than its paragraph needs.
    int width = std::max(1, int(rect_.right - rect_.left));
    int x = doc_.CaretPoint(caret_, atLineEnd_).x;
    int scroll = scrollX_;
    if (x < scroll) scroll = x - width / 4;
    if (x >= scroll + width) scroll = x - width + width / 4;
    auto [left, right] = doc_.ParagraphSpan(caret_);
    scroll = std::clamp(scroll, std::min(0, left), std::max(0, right + 1 - width));
    if (scroll != scrollX_) {
      scrollX_ = scroll;
      changed = true;
    }
  }
  if (changed) {
    UpdateScrollBars();
    Invalidate();
  }
  PlaceCaret();
}

void EditControl::PlaceCaret() {
  if (!focused_) return;
  POINT at = ToClient(doc_.CaretPoint(caret_, atLineEnd_));
  at.x = std::clamp<LONG>(at.x, rect_.left, std::max(rect_.left, rect_.right - 1));
  SetCaretPos(at.x, at.y);
}

void EditControl::Invalidate() {
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void EditControl::InvalidateLines(int firstLine, int lastLine) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!MultiLine()) {
    InvalidateRect(hwnd_, &client, FALSE);
    return;
  }
  int lineHeight = doc_.LineHeight();
  RECT band = client;
  band.top = std::max<LONG>(client.top, rect_.top + (firstLine - topLine_) * lineHeight);
  if (lastLine >= 0) {
    band.bottom = std::min<LONG>(client.bottom, rect_.top + (lastLine + 1 - topLine_) * lineHeight);
  }
  if (band.top < band.bottom) InvalidateRect(hwnd_, &band, FALSE);
}

int EditControl::SelStart() const {
  return std::min(anchor_, caret_);
}

int EditControl::SelEnd() const {
  return std::max(anchor_, caret_);
}

void EditControl::Select(int anchor, int caret, bool atLineEnd) {
  anchor = doc_.Clamp(anchor);
  caret = doc_.Clamp(caret);
  if (anchor != anchor_ || caret != caret_) {
    if (anchor != caret || anchor_ != caret_) Invalidate();
    anchor_ = anchor;
    caret_ = caret;
  }
  atLineEnd_ = atLineEnd;
  PlaceCaret();
}

void EditControl::MoveCaret(int pos, bool extend, bool atLineEnd) {
  Select(extend ? anchor_ : pos, pos, atLineEnd);
  ScrollCaret();
}

bool EditControl::Notify(WORD code) {
  HWND self = hwnd_;
  HWND parent = (Style() & WS_CHILD) ? GetParent(self) : nullptr;
  if (!parent) return true;
  SendMessageA(parent, WM_COMMAND, MAKELONG(WORD(GetWindowLongA(self, GWL_ID)), code),
               reinterpret_cast<LPARAM>(self));
  return Controls().count(self) != 0;
}

bool EditControl::SetText(std::string_view text) {
  doc_.SetText(text);
  undo_ = Undo{};
  modified_ = false;
  anchor_ = caret_ = 0;
  atLineEnd_ = false;
  goalX_ = -1;
  topLine_ = 0;
  scrollX_ = 0;
  UpdateScrollBars();
  ScrollCaret();
  Invalidate();
  if (MultiLine()) return true;
  return Notify(EN_UPDATE) && Notify(EN_CHANGE);
}

void EditControl::OnScroll(WORD code, int thumb) {
  int visible = VisibleLines();
  switch (code) {
    case SB_LINEUP:
      ScrollLines(-1);
      break;
    case SB_LINEDOWN:
      ScrollLines(1);
      break;
    case SB_PAGEUP:
      ScrollLines(-visible);
      break;
    case SB_PAGEDOWN:
      ScrollLines(visible);
      break;
    case SB_TOP:
      ScrollLines(-topLine_);
      break;
    case SB_BOTTOM:
      ScrollLines(doc_.LineCount());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      ScrollLines(thumb - topLine_);
      break;
    default:
      break;
  }
}

void EditControl::OnHorizontalScroll(WORD code, int thumb) {
  int width = std::max(1, int(rect_.right - rect_.left));
  int step = doc_.AverageCharWidth();
  switch (code) {
    case SB_LINELEFT:
      ScrollSideways(scrollX_ - step);
      break;
    case SB_LINERIGHT:
      ScrollSideways(scrollX_ + step);
      break;
    case SB_PAGELEFT:
      ScrollSideways(scrollX_ - width);
      break;
    case SB_PAGERIGHT:
      ScrollSideways(scrollX_ + width);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      ScrollSideways(thumb);
      break;
    default:
      break;
  }
}

void EditControl::Paint(HDC given) {
  // A subclassing window may have begun the paint and pass its device context.
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(hwnd_, &ps);
  if (!dc) return;
  if (given) GetClipBox(dc, &ps.rcPaint);
  HWND self = hwnd_;
  bool disabled = !IsWindowEnabled(hwnd_);
  bool asStatic = disabled || ReadOnly();
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(asStatic ? COLOR_BTNFACE : COLOR_WINDOW));
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(hwnd_)) {
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, asStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(self)));
  }
  if (!Controls().count(self)) {
    if (!given) EndPaint(self, &ps);
    return;
  }
  HBRUSH own = nullptr;
  if (!brush) brush = own = CreateSolidBrush(GetBkColor(dc));
  if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, brush);
  if (own) DeleteObject(own);

  int lineHeight = doc_.LineHeight();
  int first = topLine_ + std::max(0, int(ps.rcPaint.top - rect_.top)) / lineHeight;
  int last = topLine_ + std::max(0, int(ps.rcPaint.bottom - rect_.top)) / lineHeight;
  if (!MultiLine()) first = last = 0;
  bool showSelection = focused_ || (Style() & ES_NOHIDESEL);
  int selStart = showSelection ? SelStart() : 0;
  int selEnd = showSelection ? SelEnd() : 0;
  SaveDC(dc);
  IntersectClipRect(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
  SetBkMode(dc, TRANSPARENT);
  doc_.Draw(dc, rect_.left - scrollX_, rect_.top + (first - topLine_) * lineHeight, first, last,
            selStart, selEnd, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
  RestoreDC(dc, -1);
  if (!given) EndPaint(hwnd_, &ps);
}

LRESULT EditControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      ownsScrollBar_ = (Style() & WS_VSCROLL) != 0 && MultiLine();
      ownsHorizontalBar_ = (Style() & WS_HSCROLL) != 0 && MultiLine();
      UpdateFormat();
      auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) && *cs->lpszName) {
        if (!SetText(cs->lpszName)) return -1;
      }
      return 0;
    }
    case WM_SIZE:
      customRect_ = false;
      UpdateFormat();
      ScrollCaret();
      Invalidate();
      return 0;
    case WM_SETTEXT:
      return SetText(lParam ? reinterpret_cast<LPCSTR>(lParam) : "") ? TRUE : FALSE;
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      std::size_t n = std::min<std::size_t>(wParam - 1, doc_.Text().size());
      std::memcpy(reinterpret_cast<char*>(lParam), doc_.Text().data(), n);
      reinterpret_cast<char*>(lParam)[n] = '\0';
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
      return doc_.Length();
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      UpdateFormat();
      if (focused_) {
        CreateCaret(hwnd_, nullptr, 1, doc_.LineHeight());
        ShowCaret(hwnd_);
      }
      ScrollCaret();
      if (LOWORD(DWORD(lParam))) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ENABLE:
      Invalidate();
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(hwnd_, nullptr, 1, doc_.LineHeight());
      PlaceCaret();
      ShowCaret(hwnd_);
      if (SelStart() != SelEnd()) Invalidate();
      Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      if (dragging_) EndDrag();
      DestroyCaret();
      if (SelStart() != SelEnd()) Invalidate();
      Notify(EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (MultiLine()) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR:
      OnChar(static_cast<unsigned char>(wParam));
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(int(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown({short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))},
                   (wParam & MK_SHIFT) != 0, msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnDrag({short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))});
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) EndDrag();
      return 0;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd_) EndDrag();
      return 0;
    case WM_TIMER:
      if (dragging_) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        OnDrag(p);
      }
      return 0;
    case WM_MOUSEWHEEL:
      if (!MultiLine()) return DefWindowProcA(hwnd_, msg, wParam, lParam);
      ScrollLines(-3 * short(HIWORD(DWORD(wParam))) / WHEEL_DELTA);
      return 0;
    case WM_VSCROLL:
      OnScroll(LOWORD(DWORD(wParam)), short(HIWORD(DWORD(wParam))));
      return 0;
    case WM_HSCROLL:
      // The thumb's position may lie below zero, where right-aligned text starts.
      OnHorizontalScroll(LOWORD(DWORD(wParam)), short(HIWORD(DWORD(wParam))));
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      if (ReadOnly()) {
        MessageBeep(MB_OK);
      } else {
        ReplaceSelection("", UndoKind::kOther, true);
      }
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return UndoLast() ? TRUE : FALSE;
    case EM_CANUNDO:
      return undo_.available ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
      undo_ = Undo{};
      return 0;
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = DWORD(SelStart());
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = DWORD(SelEnd());
      return LRESULT(
          MAKELONG(WORD(std::min(SelStart(), 0xFFFF)), WORD(std::min(SelEnd(), 0xFFFF))));
    case EM_SETSEL: {
      int start = SignedParam(wParam);
      int end = int(lParam);
      if (start == -1) {
        Select(caret_, caret_);
        return 0;
      }
      if (end < 0) end = doc_.Length();
      if (start < 0) start = doc_.Length();
      Select(start, end);
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(lParam ? reinterpret_cast<LPCSTR>(lParam) : "", UndoKind::kOther, false,
                       wParam != 0);
      return 0;
    case EM_SCROLLCARET:
      ScrollCaret();
      return TRUE;
    case EM_GETMODIFY:
      return modified_ ? TRUE : FALSE;
    case EM_SETMODIFY:
      modified_ = wParam != 0;
      return 0;
    case EM_SETREADONLY: {
      DWORD style = Style();
      SetWindowLongA(hwnd_, GWL_STYLE, LONG(wParam ? style | ES_READONLY : style & ~ES_READONLY));
      Invalidate();
      return TRUE;
    }
    case EM_LIMITTEXT:
      limit_ = wParam == 0 ? kLargestEditLimit : int(std::min<WPARAM>(wParam, kLargestEditLimit));
      return 0;
    case EM_GETLIMITTEXT:
      return limit_;
    case EM_SETPASSWORDCHAR: {
      passwordChar_ = char(wParam);
      DWORD style = Style();
      SetWindowLongA(hwnd_, GWL_STYLE, LONG(wParam ? style | ES_PASSWORD : style & ~ES_PASSWORD));
      UpdateFormat();
      ScrollCaret();
      Invalidate();
      return 0;
    }
    case EM_GETPASSWORDCHAR:
      return (Style() & ES_PASSWORD) ? static_cast<unsigned char>(passwordChar_) : 0;
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = rect_;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP: {
      if (!lParam) {
        customRect_ = false;
      } else {
        RECT client;
        GetClientRect(hwnd_, &client);
        rect_ = IntersectRectValue(*reinterpret_cast<const RECT*>(lParam), client);
        customRect_ = true;
      }
      UpdateFormat();
      ScrollCaret();
      if (msg == EM_SETRECT) Invalidate();
      return 0;
    }
    case EM_GETLINECOUNT:
      return MultiLine() ? doc_.LineCount() : 1;
    case EM_GETFIRSTVISIBLELINE:
      return MultiLine() ? topLine_ : 0;
    case EM_LINEFROMCHAR: {
      int pos = SignedParam(wParam);
      if (pos < 0) return doc_.LineOf(SelStart() != SelEnd() ? SelStart() : caret_, atLineEnd_);
      return MultiLine() ? doc_.LineOf(pos) : 0;
    }
    case EM_LINEINDEX: {
      int line = SignedParam(wParam);
      if (line < 0) line = doc_.LineOf(caret_, atLineEnd_);
      return doc_.LineStart(line);
    }
    case EM_LINELENGTH: {
      int pos = SignedParam(wParam);
      int line = doc_.LineOf(pos < 0 ? caret_ : pos);
      return doc_.LineEnd(line) - doc_.LineStart(line);
    }
    case EM_GETLINE: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      int start = doc_.LineStart(SignedParam(wParam));
      if (!buffer || start < 0) return 0;
      WORD room = 0;
      std::memcpy(&room, buffer, sizeof(room));
      int n = std::min<int>(room, doc_.LineEnd(SignedParam(wParam)) - start);
      std::memcpy(buffer, doc_.Text().data() + start, std::size_t(n));
      return n;
    }
    case EM_LINESCROLL:
      ScrollLines(int(lParam));
      return TRUE;
    case EM_SCROLL: {
      int before = topLine_;
      OnScroll(WORD(wParam), 0);
      return LRESULT(MAKELONG(WORD(topLine_ - before), TRUE));
    }
    case EM_POSFROMCHAR: {
      int pos = SignedParam(wParam);
      if (pos < 0 || pos > doc_.Length()) return -1;
      POINT at = ToClient(doc_.CaretPoint(pos, false));
      return LRESULT(MAKELONG(WORD(at.x), WORD(at.y)));
    }
    case EM_CHARFROMPOS: {
      POINT at{short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))};
      int pos = HitTest(at, nullptr);
      return LRESULT(MAKELONG(WORD(pos), WORD(doc_.LineOf(pos))));
    }
    default:
      return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace platform
