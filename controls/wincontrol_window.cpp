// Windowed controls and their windows: creation parameters, the window procedure, painting,
// mouse routing to graphic controls, cursors and keys.
#include <algorithm>

#include "controls/capture.h"
#include "controls/form.h"
#include "controls/wincontrol.h"
#include "core/apphooks.h"
#include "core/exceptions.h"
#include "graphics/colors.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/gdi_handles.h"
#include "platform/pens_brushes.h"
#include "platform/region.h"

using namespace platform;

namespace {

// The window property that leads from a window to its control.
constexpr const char* kControlProp = "VelmoraControl";

}  // namespace

TWinControl* FindControl(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<TWinControl*>(GetPropA(hwnd, kControlProp));
}

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR shape = IDC_ARROW;
  switch (cursor) {
    case crDefault:
      return nullptr;
    case crIBeam:
      shape = IDC_IBEAM;
      break;
    case crHourGlass:
      shape = IDC_WAIT;
      break;
    case crCross:
      shape = IDC_CROSS;
      break;
    case crSizeNS:
      shape = IDC_SIZENS;
      break;
    case crSizeWE:
      shape = IDC_SIZEWE;
      break;
    case crSizeAll:
      shape = IDC_SIZEALL;
      break;
    case crNo:
      shape = IDC_NO;
      break;
    case crHandPoint:
      shape = IDC_HAND;
      break;
    default:
      break;
  }
  return LoadCursorA(nullptr, shape);
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent()) Parent()->HandleNeeded();
    CreateHandle();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (UseRightToLeftReading()) params.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftScrollBar()) params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  if (UseRightToLeftAlignment()) params.ExStyle |= WS_EX_RIGHT;
  if (controlStyle_.Contains(TControlStyleFlag::csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, controlClassName, &wc)) return;
  params.WindowClass = wc;
  params.WindowClass.style &= ~UINT(CS_GLOBALCLASS);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  for (TWinControl* child : tabList_) {
    if (child->HandleAllocated()) child->PlaceWindowInZOrder();
  }
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  }
  defWndProc_ = params.WindowClass.lpfnWndProc;
  WNDCLASSA existing{};
  bool registered = GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing);
  if (!registered || existing.lpfnWndProc != &TWinControl::InitWndProc) {
    if (registered) UnregisterClassA(params.WinClassName.c_str(), nullptr);
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = &TWinControl::InitWndProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&wc)) throw EOutOfResources("Error creating window class");
  }
  CreateWindowHandle(params);
  if (!handle_) throw EOutOfResources(Format("Error creating window of '%s'", Name().c_str()));
  PlaceWindowInZOrder();
  text_.clear();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                  nullptr, this);
}

void TWinControl::PlaceWindowInZOrder() {
  if (!handle_ || !Parent()) return;
  // Just below the first later windowed sibling that has a window; topmost if there is none.
  const auto& siblings = Parent()->controls_;
  auto self = std::find(siblings.begin(), siblings.end(), this);
  HWND above = HWND_TOP;
  for (auto it = self == siblings.end() ? self : self + 1; it != siblings.end(); ++it) {
    auto* w = dynamic_cast<TWinControl*>(*it);
    if (w && w->handle_) {
      above = w->handle_;
      break;
    }
  }
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : tabList_) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  text_ = GetWindowString(handle_);
  controlState_.Include(TControlStateFlag::csDestroyingHandle);
  DestroyWindow(handle_);
  controlState_.Exclude(TControlStateFlag::csDestroyingHandle);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  UpdateControlState();
}

LRESULT TWinControl::InitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* control = static_cast<TWinControl*>(cs->lpCreateParams);
    control->handle_ = hwnd;
    SetPropA(hwnd, kControlProp, control);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::MainWndProc));
    return MainWndProc(hwnd, msg, wParam, lParam);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT TWinControl::MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(hwnd);
  if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WndProc(message);
  } catch (...) {
    ApplicationHandleException(control);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kControlProp);
    control->handle_ = nullptr;
    control->showing_ = false;
  }
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  WNDPROC proc = defWndProc_ ? defWndProc_ : DefWindowProcA;
  message.Result = CallWindowProcA(proc, handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg)) {
    if (IsControlMouseMsg(message)) return;
    TControl::WndProc(message);
    if (handle_) DefaultHandler(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT:
      HandlePaint(message);
      return;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_SETCURSOR:
      if (HandleSetCursor(message)) return;
      break;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(message);
      UpdateBoundsFromWindow();
      return;
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
      DefaultHandler(message);
      return;
    case WM_CAPTURECHANGED:
      CaptureLost(this);
      break;
    case WM_CANCELMODE: {
      // A failure report interrupts whatever the held mouse was doing, in the graphic control
      // holding it through this window or in this control itself.
      TControl* held = GetCaptureControl();
      if (held && held != this && held->Parent() == this) {
        held->Perform(WM_CANCELMODE);
      } else {
        TControl::WndProc(message);
      }
      if (handle_ && GetCapture() == handle_) ReleaseCapture();
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (DoKeyDown(message)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(message)) return;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (DoKeyUp(message)) return;
      break;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      // A child window's notice or colour question goes back to the child's control.
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam))) {
        message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
      }
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSCROLLBAR: {
      auto dc = reinterpret_cast<HDC>(message.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
      return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      message.Result = IsDialogKey(message) ? 1 : 0;
      return;
    case CM_VISIBLECHANGED:
      UpdateControlState();
      return;
    case CM_SHOWINGCHANGED:
      ShowingChanged();
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) {
        if (TCustomForm* form = GetParentForm(this)) form->RemoveFocus(this);
      }
      if (handle_) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
      Invalidate();
      return;
    case CM_FONTCHANGED:
      if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
      Invalidate();
      NotifyControls(CM_PARENTFONTCHANGED);
      return;
    case CM_BIDIMODECHANGED:
      RecreateWnd();
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      Invalidate();
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    default:
      break;
  }
  TControl::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
  TControl* target = nullptr;
  if (handle_ && GetCapture() == handle_) {
    TControl* held = GetCaptureControl();
    if (held && held != this && held->Parent() == this) target = held;
  } else {
    POINT pt{short(LOWORD(DWORD(message.LParam))), short(HIWORD(DWORD(message.LParam)))};
    target = ControlAtPos(pt, false);
  }
  if (!target) return false;
  POINT local{short(LOWORD(DWORD(message.LParam))) - target->Left(),
              short(HIWORD(DWORD(message.LParam))) - target->Top()};
  message.Result =
      target->Perform(message.Msg, message.WParam, LPARAM(MAKELONG(WORD(local.x), WORD(local.y))));
  return true;
}

bool TWinControl::HandleSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) != handle_ ||
      short(LOWORD(DWORD(message.LParam))) != HTCLIENT) {
    return false;
  }
  TControl* under = GetCaptureControl();
  if (!under || (under != this && under->Parent() != this)) {
    POINT pt;
    GetCursorPos(&pt);
    under = ControlAtPos(ScreenToClient(pt), false);
  }
  TCursor cursor = under ? under->Cursor() : crDefault;
  if (cursor == crDefault) cursor = Cursor();
  if (cursor == crDefault) return false;
  platform::SetCursor(CursorHandle(cursor));
  message.Result = 1;
  return true;
}

void TWinControl::HandlePaint(TMessage& message) {
  auto given = reinterpret_cast<HDC>(message.WParam);
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(handle_, &ps);
  bool graphic = std::any_of(controls_.begin(), controls_.end(),
                             [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
  if (!graphic) {
    PaintWindow(dc);
  } else {
    // Opaque graphic controls cover their rectangle: the window need not paint below them.
    int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : controls_) {
      if (dynamic_cast<TWinControl*>(c) || !c->Visible() ||
          !c->ControlStyle().Contains(TControlStyleFlag::csOpaque)) {
        continue;
      }
      RECT r = c->BoundsRect();
      clip = ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      if (clip == NULLREGION) break;
    }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
  }
  if (!given) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  if (defWndProc_ && defWndProc_ != DefWindowProcA) DefaultHandler(paint);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::EraseBackground(HDC dc) {
  if (!dc) return;
  RECT r = ClientRect();
  FillRect(dc, &r, brush_.Handle());
}

bool TWinControl::IsDialogKey(const TMessage& message) {
  // Tab, arrows, Enter and Escape move between controls or press the form's buttons, unless
  // the focused control asks for them itself.
  LRESULT mask = 0;
  switch (message.WParam) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
    default:
      return false;
  }
  if (Perform(WM_GETDLGCODE) & mask) return false;
  TCustomForm* form = GetParentForm(this);
  return form && form->Perform(CM_DIALOGKEY, message.WParam, message.LParam) != 0;
}

void TWinControl::Invalidate() {
  if (handle_) {
    InvalidateRect(handle_, nullptr,
                   controlStyle_.Contains(TControlStyleFlag::csOpaque) ? FALSE : TRUE);
  }
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

bool TWinControl::DoKeyDown(TMessage& message) {
  auto key = static_cast<std::uint16_t>(message.WParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyDown(key, KeyboardShiftState());
    if (key == 0) return true;
  }
  KeyDown(key, KeyboardShiftState());
  if (key == 0) return true;
  message.WParam = key;
  return false;
}

bool TWinControl::DoKeyPress(TMessage& message) {
  char key = static_cast<char>(message.WParam);
  KeyPress(key);
  if (key == 0) return true;
  message.WParam = static_cast<unsigned char>(key);
  return false;
}

bool TWinControl::DoKeyUp(TMessage& message) {
  auto key = static_cast<std::uint16_t>(message.WParam);
  KeyUp(key, KeyboardShiftState());
  if (key == 0) return true;
  message.WParam = key;
  return false;
}
