// Push buttons over the system button.
#pragma once

#include "controls/button_control.h"
#include "controls/form.h"

// A click (mouse, Space, or Enter on the default button and Escape on the cancel button of a
// form) raises OnClick, after giving the form the button's ModalResult when that is not
// mrNone. Enter presses the focused button, and the default one only while no button has the
// focus.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void DoClick() override;

 private:
  // Whether Enter presses this button: it has the focus, or it is the default one and no
  // button has.
  bool AnswersEnter() const;

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};
