// Graphic controls: windowless controls that paint on their parent's surface.
#pragma once

#include <memory>

#include "controls/control.h"
#include "controls/control_canvas.h"

// Paint is called with the canvas set to the parent's paint device context, its origin at the
// control's top-left and clipped to the control's rectangle, whenever that part of the parent
// is painted.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TCanvas* Canvas() const { return canvas_.get(); }

  void WndProc(TMessage& message) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
