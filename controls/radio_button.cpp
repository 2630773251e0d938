// Radio buttons over the system button.
#include "controls/radio_button.h"

#include "core/classes.h"
#include "platform/button.h"

using namespace platform;

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  controlStyle_ = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(Left(), Top(), 113, 17);
}

void TRadioButton::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  SetTabStop(value);
  if (HandleAllocated()) SendMessageA(handle_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  TurnSiblingsOff();
  Changed();
  if (!ClicksDisabled()) Click();
}

void TRadioButton::TurnSiblingsOff() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
    if (sibling && sibling != this) sibling->SetChecked(false);
  }
}

void TRadioButton::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_RADIOBUTTON;
  // Under right-to-left alignment the circle stands on the right; only BS_LEFTTEXT puts it
  // there in a left-to-right control.
  params.ExStyle &= ~WS_EX_RIGHT;
  if (MirroredAlignment(alignment_) == TAlignment::taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    switch (HIWORD(DWORD(message.WParam))) {
      case BN_CLICKED:
        SetChecked(true);
        break;
      case BN_DOUBLECLICKED:
        DblClick();
        break;
      default:
        break;
    }
    return;
  }
  TButtonControl::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTRadioButton =
    RegisterClass<TRadioButton, TButtonControl>("TRadioButton")
        .Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
        .Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
        .Enum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, kAlignmentNames);

}  // namespace
