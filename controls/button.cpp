// Push buttons.
#include "controls/button.h"

#include "core/classes.h"
#include "platform/button.h"

using namespace platform;

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  controlStyle_ = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  if (HandleAllocated()) {
    SendMessageA(handle_, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(DWORD(message.WParam)) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if ((message.WParam == VK_RETURN && AnswersEnter()) ||
          (message.WParam == VK_ESCAPE && cancel_)) {
        if (IsFocusable() || (Visible() && Enabled())) {
          Click();
          message.Result = 1;
          return;
        }
      }
      break;
    default:
      break;
  }
  TButtonControl::WndProc(message);
}

void TButton::DoClick() {
  if (modalResult_ != mrNone) {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  }
  TButtonControl::DoClick();
}

bool TButton::AnswersEnter() const {
  if (Focused()) return true;
  TCustomForm* form = GetParentForm(this);
  bool buttonFocused =
      form && dynamic_cast<TButton*>(form->ActiveControl()) && form->ActiveControl()->Focused();
  return default_ && !buttonFocused;
}

namespace {

[[maybe_unused]] const auto kTButton =
    RegisterClass<TButton, TButtonControl>("TButton")
        .Property("Caption", &TButton::Caption, &TButton::SetCaption)
        .Property("Default", &TButton::Default, &TButton::SetDefault)
        .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);

}  // namespace
