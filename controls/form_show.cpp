// Forms at run time: showing and placing, window state, activation and focus, closing.
#include <algorithm>

#include "controls/form.h"
#include "controls/form_host.h"
#include "core/apphooks.h"
#include "core/exceptions.h"

using namespace platform;

namespace {

// Offers a dialog key to every control inside the container, depth first, until one takes it.
LRESULT OfferDialogKey(const TWinControl& container, const TMessage& message) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* control = container.Controls(i);
    if (control->Perform(CM_DIALOGKEY, message.WParam, message.LParam)) return 1;
    if (auto* inner = dynamic_cast<TWinControl*>(control)) {
      if (OfferDialogKey(*inner, message)) return 1;
    }
  }
  return 0;
}

}  // namespace

void TCustomForm::SetVisible(bool value) {
  // While the description is read the wish is only remembered.
  if (creating_) {
    visibleRequested_ = value;
    return;
  }
  TWinControl::SetVisible(value);
}

void TCustomForm::VisibleChanging() {
  if (inShowHandler_) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
}

void TCustomForm::ShowingChanged() {
  FormHost* host = CurrentFormHost();
  inShowHandler_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inShowHandler_};
  if (Showing()) {
    if (host) host->FormVisibilityChanged();
    Guarded(OnShow);
    PlaceByPosition();
    int command = windowState_ == TWindowState::wsMinimized   ? SW_MINIMIZE
                  : windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                                                              : SW_SHOWNORMAL;
    ShowWindow(handle_, command);
  } else {
    Guarded(OnHide);
    ShowWindow(handle_, SW_HIDE);
    if (host) host->FormVisibilityChanged();
  }
}

void TCustomForm::PlaceByPosition() {
  if (position_ == TPosition::poDesigned) return;
  int x = Left();
  int y = Top();
  switch (position_) {
    case TPosition::poScreenCenter:
      x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      break;
    case TPosition::poDesktopCenter:
      // The virtual desktop's size, without its origin: a desktop starting left of or above
      // the primary screen is not allowed for.
      x = (GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2;
      y = (GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2;
      break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
      FormHost* host = CurrentFormHost();
      TCustomForm* centre = host ? host->MainForm() : nullptr;
      if (position_ == TPosition::poOwnerFormCenter) {
        if (auto* owner = dynamic_cast<TCustomForm*>(Owner())) centre = owner;
      }
      if (centre && centre != this) {
        x = (centre->Width() - Width()) / 2 + centre->Left();
        y = (centre->Height() - Height()) / 2 + centre->Top();
      } else {
        x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      }
      break;
    }
    default:
      break;
  }
  SetBounds(std::max(x, 0), std::max(y, 0), Width(), Height());
  // Later shows keep the place the form has then.
  position_ = TPosition::poDesigned;
}

void TCustomForm::SetWindowState(TWindowState value) {
  if (windowState_ == value) return;
  windowState_ = value;
  if (HandleAllocated() && Showing()) {
    ShowWindow(handle_, value == TWindowState::wsMinimized   ? SW_MINIMIZE
                        : value == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                                                             : SW_SHOWNORMAL);
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (activeControl_ == control) return;
  if (IsLoading() || IsReading()) {
    activeControl_ = control;
    return;
  }
  if (control && (control == this || GetParentForm(control) != this || !control->IsFocusable())) {
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  activeControl_ = control;
  if (active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  bool wasActive = active_;
  SetActiveControl(control);
  if (wasActive) {
    SetWindowFocus();
  } else if (HandleAllocated() && Showing()) {
    SetActiveWindow(handle_);
  }
}

void TCustomForm::SetWindowFocus() {
  if (!HandleAllocated() || IsIconic(handle_)) return;
  if (activeControl_ && activeControl_->IsFocusable()) {
    platform::SetFocus(activeControl_->Handle());
  } else {
    platform::SetFocus(handle_);
  }
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (focusedControl_ == control) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = control;
  if (control != this) activeControl_ = control;
  // Leave the old control and its containers up to the one both lie in, then enter the new
  // one's containers from the outside in.
  for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->Parent()) {
    c->Perform(CM_EXIT);
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old));
       c = c->Parent()) {
    entered.push_back(c);
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) (*it)->Perform(CM_ENTER);
}

void TCustomForm::RemoveFocus(TWinControl* control) {
  if (activeControl_ && control->ContainsControl(activeControl_)) activeControl_ = nullptr;
  if (focusedControl_ && control->ContainsControl(focusedControl_)) {
    bool hadFocus = focusedControl_->Focused();
    focusedControl_ = nullptr;
    if (hadFocus && HandleAllocated() && control != this) platform::SetFocus(handle_);
  }
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  TWinControl* next = FindNextControl(current, forward, checkTabStop, false);
  if (next) FocusControl(next);
}

void TCustomForm::Activated(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (active) {
    if (FormHost* host = CurrentFormHost()) host->FormActivated(this);
    // On first activation the focus goes to the first control in tab order.
    if (!activeControl_) activeControl_ = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
    Guarded(OnActivate);
  } else {
    Guarded(OnDeactivate);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  FormHost* host = CurrentFormHost();
  if (host && host->MainForm() == this) {
    host->RequestQuit();
    return;
  }
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      SetWindowState(TWindowState::wsMinimized);
      break;
    case TCloseAction::caFree:
      Release();
      break;
    case TCloseAction::caNone:
      break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) {
    PostMessageA(handle_, CM_RELEASE, 0, 0);
  } else {
    BeforeDestruction();
    delete this;
  }
}

void TCustomForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      Activated(LOWORD(DWORD(message.WParam)) != WA_INACTIVE);
      return;
    case WM_SIZE:
      if (!IsDestroying()) {
        if (message.WParam == SIZE_MINIMIZED) {
          windowState_ = TWindowState::wsMinimized;
        } else if (message.WParam == SIZE_MAXIMIZED) {
          windowState_ = TWindowState::wsMaximized;
        } else {
          windowState_ = TWindowState::wsNormal;
        }
      }
      break;
    case CM_RELEASE:
      BeforeDestruction();
      delete this;
      return;
    case CM_DIALOGKEY:
      switch (message.WParam) {
        case VK_TAB:
          if (GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            message.Result = 1;
            return;
          }
          break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
          if (activeControl_ && activeControl_->Parent()) {
            if (TCustomForm* form = GetParentForm(activeControl_)) {
              TWinControl* next = activeControl_->Parent()->FindNextControl(
                  activeControl_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false,
                  true);
              if (next) form->FocusControl(next);
            }
            message.Result = 1;
            return;
          }
          break;
        case VK_RETURN:
        case VK_ESCAPE:
          // The default and cancel buttons answer Enter and Escape wherever they lie.
          message.Result = OfferDialogKey(*this, message);
          return;
        default:
          break;
      }
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}
