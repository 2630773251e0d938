// Radio buttons: exclusive choices among the radio buttons of one container.
#pragma once

#include "controls/button_control.h"

// The window is the system button in radio style; the text stands on the side Alignment says
// (taRightJustify: right of the circle), mirrored under right-to-left alignment. Checking one
// radio button unchecks every other radio button with the same parent and raises OnClick;
// setting the value it already has does nothing. TabStop follows Checked.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void TurnSiblingsOff();

  bool checked_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};
