// Push buttons over the system button.
#pragma once

#include "controls/button_control.h"

// A click (mouse, Space, or Enter on the default button and Escape on the cancel button of a
// form) raises OnClick.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};
