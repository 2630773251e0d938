// Windowed controls: the controls inside, bounds, showing and tab order.
#include "controls/wincontrol.h"

#include <algorithm>

#include "controls/form.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"

using namespace platform;

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  // Leave the container while still a windowed control, so it forgets the tab stop and focus.
  if (Parent()) Parent()->RemoveControl(this);
  DestroyHandle();
  // What this control owns goes while it is still a container; what it merely holds is let go.
  DestroyComponents();
  while (!controls_.empty()) RemoveControl(controls_.back());
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  controls_.push_back(control);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) tabList_.push_back(windowed);
  if (!control->IsReading()) {
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
    if (windowed) {
      windowed->UpdateControlState();
    } else {
      control->Invalidate();
    }
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->RemoveFocus(windowed);
    windowed->DestroyHandle();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
  } else {
    control->InvalidateControl(control->Visible(), false);
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
  while (control && control != this) control = control->Parent();
  return control == this;
}

TControl* TWinControl::ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls) const {
  // Windowed controls lie above the windowless ones, and later ones above earlier ones.
  auto hit = [&](TControl* c) {
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) return false;
    RECT r = c->BoundsRect();
    if (pos.x < r.left || pos.x >= r.right || pos.y < r.top || pos.y >= r.bottom) return false;
    POINT local{pos.x - r.left, pos.y - r.top};
    return c->Perform(CM_HITTEST, 0, LPARAM(MAKELONG(WORD(local.x), WORD(local.y)))) != 0;
  };
  if (allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      if (dynamic_cast<TWinControl*>(*it) && hit(*it)) return *it;
    }
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (!dynamic_cast<TWinControl*>(*it) && hit(*it)) return *it;
  }
  return nullptr;
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (toFront) {
    controls_.push_back(control);
  } else {
    controls_.insert(controls_.begin(), control);
  }
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (windowed->HandleAllocated()) windowed->PlaceWindowInZOrder();
  } else {
    control->Invalidate();
  }
}

void TWinControl::NotifyControls(UINT msg) {
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->Perform(msg);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
}

void TWinControl::UpdateBoundsRect(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_ && !settingBounds_ && !IsIconic(handle_)) {
    settingBounds_ = true;
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    settingBounds_ = false;
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_ || settingBounds_ || IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  HWND parent = GetParent(handle_);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  if (resized && !IsLoading()) Resize();
}

RECT TWinControl::ClientRect() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

POINT TWinControl::ClientToScreen(POINT pt) const {
  if (!handle_) return TControl::ClientToScreen(pt);
  platform::ClientToScreen(handle_, &pt);
  return pt;
}

POINT TWinControl::ScreenToClient(POINT pt) const {
  if (!handle_) return TControl::ScreenToClient(pt);
  platform::ScreenToClient(handle_, &pt);
  return pt;
}

void TWinControl::ChangeScale(int m, int d) {
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->ChangeScale(m, d);
  TControl::ChangeScale(m, d);
}

void TWinControl::SetParentWindow(HWND value) {
  if (parentWindow_ == value) return;
  DestroyHandle();
  parentWindow_ = value;
  UpdateControlState();
}

void TWinControl::UpdateControlState() {
  TWinControl* top = this;
  while (top->Parent()) {
    top = top->Parent();
    if (!top->Showing()) return;
  }
  if (top->IsTopContainer()) UpdateShowing();
}

void TWinControl::UpdateShowing(bool containerShowing) {
  bool show =
      containerShowing && Visible() && !controlState_.Contains(TControlStateFlag::csReadingState);
  if (show) {
    HandleNeeded();
    for (std::size_t i = 0; i < tabList_.size(); ++i) tabList_[i]->UpdateShowing(true);
  }
  if (handle_ && showing_ != show) {
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED);
    } catch (...) {
      showing_ = !showing_;
      throw;
    }
  }
  if (!show) {
    for (std::size_t i = 0; i < tabList_.size(); ++i) tabList_[i]->UpdateShowing(false);
  }
}

void TWinControl::ShowingChanged() {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

AnsiString TWinControl::GetText() const {
  return handle_ ? GetWindowString(handle_) : text_;
}

void TWinControl::SetTextBuffer(const AnsiString& value) {
  if (handle_) {
    SetWindowTextA(handle_, value.c_str());
  } else {
    text_ = value;
  }
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (IsReading()) {
    storedTabOrder_ = value;
    return;
  }
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  int count = static_cast<int>(list.size());
  int current = TabOrder();
  if (current < 0) return;
  value = std::clamp(value, 0, count - 1);
  if (value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList() {
  // Stored positions first, by their value; controls without one keep their order after them.
  std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
    int ka = a->storedTabOrder_ < 0 ? INT32_MAX : a->storedTabOrder_;
    int kb = b->storedTabOrder_ < 0 ? INT32_MAX : b->storedTabOrder_;
    return ka < kb;
  });
}

void TWinControl::SetTabStop(bool value) {
  if (tabStop_ == value) return;
  tabStop_ = value;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE,
                   value ? style | LONG(WS_TABSTOP) : style & ~LONG(WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start = found != list.end() ? static_cast<int>(found - list.begin())
              : forward           ? count - 1
                                  : 0;
  int i = start;
  do {
    i = forward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c->IsFocusable() && (!checkTabStop || c->TabStop()) &&
        (!checkParent || c->Parent() == this)) {
      return c;
    }
  } while (i != start);
  return nullptr;
}

bool TWinControl::Focused() const {
  return handle_ && GetFocus() == handle_;
}

bool TWinControl::IsFocusable() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c != form; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return form->Visible() && form->Enabled();
}

void TWinControl::TakeFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
    return;
  }
  if (parentWindow_) {
    platform::SetFocus(Handle());
    return;
  }
  throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
}

void TWinControl::AfterLoading() {
  TControl::AfterLoading();
  FixupTabList();
  if (Parent() || IsTopContainer()) UpdateControlState();
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

namespace {

[[maybe_unused]] const auto kTWinControl =
    RegisterClass<TWinControl, TControl>("TWinControl")
        .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp);

}  // namespace
