// The base of controls over the system button: clicks that can be held back while a value is
// set from code, and the changed notice.
#pragma once

#include "controls/wincontrol.h"

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);

 protected:
  // While set, changing a check from code raises no OnClick.
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool value) { clicksDisabled_ = value; }
  // Tells the parent (CM_CHANGED) that the control's value changed.
  void Changed();
  void WndProc(TMessage& message) override;

 private:
  bool clicksDisabled_ = false;
};
