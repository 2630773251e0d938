// The control base: bounds, visibility, inherited font, colour and bidi mode, and the mouse.
#include "controls/control.h"

#include "controls/capture.h"
#include "controls/wincontrol.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"
#include "platform/drawtext.h"
#include "platform/locale.h"
#include "platform/muldiv.h"

using namespace platform;

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
  ForgetCaptureControl(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  // A container cannot go inside itself, directly or through what it contains.
  auto* self = dynamic_cast<TWinControl*>(this);
  if (parent && self && self->ContainsControl(parent)) {
    throw EInvalidOperation("A control cannot have itself as its parent");
  }
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::AttachToParent(TComponent* parent) {
  SetParent(dynamic_cast<TWinControl*>(parent));
}

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (IsReading()) {
    if (left != left_) scalingFlags_.Include(TScalingFlag::sfLeft);
    if (top != top_) scalingFlags_.Include(TScalingFlag::sfTop);
    if (width != width_) scalingFlags_.Include(TScalingFlag::sfWidth);
    if (height != height_) scalingFlags_.Include(TScalingFlag::sfHeight);
  }
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool resized = width != width_ || height != height_;
  UpdateBoundsRect(left, top, width, height);
  if (resized && !IsLoading()) Resize();
}

void TControl::UpdateBoundsRect(int left, int top, int width, int height) {
  InvalidateControl(visible_, false);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  InvalidateControl(visible_, controlStyle_.Contains(TControlStyleFlag::csOpaque));
}

int TControl::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientWidth(int value) {
  SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value) {
  SetHeight(height_ - ClientHeight() + value);
}

POINT TControl::ClientToScreen(POINT pt) const {
  if (!parent_) return pt;
  return parent_->ClientToScreen(ClientToParent(pt));
}

POINT TControl::ScreenToClient(POINT pt) const {
  if (!parent_) return pt;
  POINT p = parent_->ScreenToClient(pt);
  return {p.x - left_, p.y - top_};
}

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  VisibleChanging();
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
}

bool TControl::IsShowing() const {
  return visible_ && (!parent_ || parent_->IsShowing());
}

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetCursor(TCursor value) {
  if (cursor_ == value) return;
  cursor_ = value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetText(const AnsiString& value) {
  if (GetText() == value) return;
  SetTextBuffer(value);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor value) {
  if (color_ == value && !parentColor_) return;
  bool changed = color_ != value;
  color_ = value;
  parentColor_ = false;
  if (changed) Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (parent_ && !IsReading()) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* value) {
  if (value) font_->Assign(*value);
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (parent_ && !IsReading()) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  parentFont_ = false;
  if (IsReading()) scalingFlags_.Include(TScalingFlag::sfFont);
  Perform(CM_FONTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
  if (bidiMode_ == value && !parentBiDiMode_) return;
  bool changed = bidiMode_ != value;
  bidiMode_ = value;
  parentBiDiMode_ = false;
  if (changed) Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
  if (parentBiDiMode_ == value) return;
  parentBiDiMode_ = value;
  if (parent_ && !IsReading()) Perform(CM_PARENTBIDIMODECHANGED);
}

bool TControl::IsRightToLeft() const {
  return SysLocale().middleEast && bidiMode_ != TBiDiMode::bdLeftToRight;
}

bool TControl::UseRightToLeftReading() const {
  return IsRightToLeft();
}

bool TControl::UseRightToLeftAlignment() const {
  return SysLocale().middleEast && bidiMode_ == TBiDiMode::bdRightToLeft;
}

bool TControl::UseRightToLeftScrollBar() const {
  return SysLocale().middleEast &&
         (bidiMode_ == TBiDiMode::bdRightToLeft || bidiMode_ == TBiDiMode::bdRightToLeftNoAlign);
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
  if (UseRightToLeftAlignment()) {
    if (flags & DT_RIGHT) {
      flags &= ~DT_RIGHT;
    } else if (!(flags & DT_CENTER)) {
      flags |= DT_RIGHT;
    }
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const {
  return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

TAlignment TControl::MirroredAlignment(TAlignment alignment) const {
  if (!UseRightToLeftAlignment()) return alignment;
  switch (alignment) {
    case TAlignment::taLeftJustify:
      return TAlignment::taRightJustify;
    case TAlignment::taRightJustify:
      return TAlignment::taLeftJustify;
    case TAlignment::taCenter:
      break;
  }
  return alignment;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg)) {
    HandleMouse(message);
    return;
  }
  switch (message.Msg) {
    case CM_VISIBLECHANGED:
      InvalidateControl(true, visible_ && controlStyle_.Contains(TControlStyleFlag::csOpaque));
      return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      return;
    case CM_COLORCHANGED:
      ColorChanged();
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        SetColor(parent_->Color());
        parentColor_ = true;
      }
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        font_->Assign(*parent_->Font());
        parentFont_ = true;
      }
      return;
    case CM_PARENTBIDIMODECHANGED:
      if (parentBiDiMode_ && parent_) {
        SetBiDiMode(parent_->BiDiMode());
        parentBiDiMode_ = true;
      }
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      // The container hears of its controls too (LParam names the control); the control's own
      // event fires for the notice about itself.
      bool enter = message.Msg == CM_MOUSEENTER;
      if (parent_) parent_->Perform(message.Msg, 0, message.LParam ? message.LParam : LPARAM(this));
      if (message.LParam == 0) {
        if (enter && OnMouseEnter) OnMouseEnter(this);
        if (!enter && OnMouseLeave) OnMouseLeave(this);
      }
      return;
    }
    case CM_HITTEST:
      message.Result = 1;
      return;
    case WM_CANCELMODE:
      // A press cut short ends as a release outside the control: no click.
      if (controlState_.Contains(TControlStateFlag::csLButtonDown)) {
        Perform(WM_LBUTTONUP, 0, LPARAM(MAKELONG(0xFFFF, 0xFFFF)));
      } else if (MouseCapture()) {
        SetMouseCapture(false);
      }
      return;
    default:
      DefaultHandler(message);
  }
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(TShiftStateFlag::ssShift);
  if (keys & MK_CONTROL) shift.Include(TShiftStateFlag::ssCtrl);
  if (keys & MK_LBUTTON) shift.Include(TShiftStateFlag::ssLeft);
  if (keys & MK_RBUTTON) shift.Include(TShiftStateFlag::ssRight);
  if (keys & MK_MBUTTON) shift.Include(TShiftStateFlag::ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateFlag::ssAlt);
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(TShiftStateFlag::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateFlag::ssAlt);
  return shift;
}

namespace {

TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

}  // namespace

void TControl::HandleMouse(TMessage& message) {
  int x = short(LOWORD(DWORD(message.LParam)));
  int y = short(HIWORD(DWORD(message.LParam)));
  TShiftState shift = MouseShiftState(message.WParam);
  TMouseButton button = ButtonOf(message.Msg);
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      bool dbl = message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK ||
                 message.Msg == WM_MBUTTONDBLCLK;
      if (button == TMouseButton::mbLeft) {
        if (controlStyle_.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
        if (controlStyle_.Contains(TControlStyleFlag::csClickEvents)) {
          controlState_.Include(TControlStateFlag::csClicked);
        }
        controlState_.Include(TControlStateFlag::csLButtonDown);
      }
      if (dbl) {
        shift.Include(TShiftStateFlag::ssDouble);
        if (button == TMouseButton::mbLeft &&
            controlStyle_.Contains(TControlStyleFlag::csDoubleClicks)) {
          DblClick();
        }
      }
      MouseDown(button, shift, x, y);
      return;
    }
    default: {
      if (button == TMouseButton::mbLeft) {
        if (controlStyle_.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(false);
        bool clicked = controlState_.Contains(TControlStateFlag::csClicked);
        controlState_.Exclude(TControlStateFlag::csClicked);
        controlState_.Exclude(TControlStateFlag::csLButtonDown);
        RECT r = ClientRect();
        if (clicked && x >= r.left && x < r.right && y >= r.top && y < r.bottom) DoClick();
      }
      MouseUp(button, shift, x, y);
    }
  }
}

void TControl::DoClick() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::MouseCapture() const {
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  if (!isVisible || !parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, isOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() {
  InvalidateControl(visible_, controlStyle_.Contains(TControlStyleFlag::csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  Invalidate();
  parent_->Update();
}

void TControl::BringToFront() {
  if (parent_) parent_->MoveControl(this, true);
}

void TControl::SendToBack() {
  if (parent_) parent_->MoveControl(this, false);
}

void TControl::ChangeScale(int m, int d) {
  if (m != d) {
    TScalingFlags flags = IsLoading() ? scalingFlags_
                                      : TScalingFlags{TScalingFlag::sfLeft, TScalingFlag::sfTop,
                                                      TScalingFlag::sfWidth, TScalingFlag::sfHeight,
                                                      TScalingFlag::sfFont};
    int x = flags.Contains(TScalingFlag::sfLeft) ? MulDiv(left_, m, d) : left_;
    int y = flags.Contains(TScalingFlag::sfTop) ? MulDiv(top_, m, d) : top_;
    int w = width_;
    if (flags.Contains(TScalingFlag::sfWidth)) {
      w = flags.Contains(TScalingFlag::sfLeft) ? MulDiv(left_ + width_, m, d) - x
                                               : MulDiv(width_, m, d);
    }
    int h = height_;
    if (flags.Contains(TScalingFlag::sfHeight)) {
      h = flags.Contains(TScalingFlag::sfTop) ? MulDiv(top_ + height_, m, d) - y
                                              : MulDiv(height_, m, d);
    }
    SetBounds(x, y, w, h);
    if (!parentFont_ && flags.Contains(TScalingFlag::sfFont)) {
      font_->SetSize(MulDiv(font_->Size(), m, d));
    }
  }
  scalingFlags_ = {};
}

void TControl::LoadState(TReader& reader) {
  controlState_.Include(TControlStateFlag::csReadingState);
  if (auto* parent = dynamic_cast<TWinControl*>(reader.Parent())) SetParent(parent);
  try {
    TComponent::LoadState(reader);
  } catch (...) {
    controlState_.Exclude(TControlStateFlag::csReadingState);
    throw;
  }
  controlState_.Exclude(TControlStateFlag::csReadingState);
  if (parent_) {
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTBIDIMODECHANGED);
  }
}

namespace {

[[maybe_unused]] const auto kTControl =
    RegisterClass<TControl, TComponent>("TControl")
        .Property("Left", &TControl::Left, &TControl::SetLeft)
        .Property("Top", &TControl::Top, &TControl::SetTop)
        .Property("Width", &TControl::Width, &TControl::SetWidth)
        .Property("Height", &TControl::Height, &TControl::SetHeight)
        .Property("Visible", &TControl::Visible, &TControl::SetVisible)
        .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Property("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorIdents)
        .Property("Hint", &TControl::Hint, &TControl::SetHint)
        .Property("Color", &TControl::Color, &TControl::SetColor, ColorIdents)
        .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Property("Font", &TControl::Font, &TControl::SetFont)
        .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, kBiDiModeNames)
        .Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnResize", &TControl::OnResize);

}  // namespace
