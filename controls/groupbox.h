// Group boxes: a framed container with its caption in the top border.
#pragma once

#include "controls/custom_control.h"

// Defaults: 185 x 105, colour clBtnFace. The frame is an etched line (shadow over highlight)
// whose top runs through the middle of the caption's line; the caption stands 8 pixels in from
// the left edge, or from the right one when the control is right to left, on a band of Color.
// The controls inside are placed in the client area as stored.
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* owner);

 protected:
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};
