// Custom controls: windowed controls that paint themselves on a canvas.
#pragma once

#include <memory>

#include "controls/control_canvas.h"
#include "controls/wincontrol.h"

// Paint is called with the canvas set to the window's paint device context, after the
// background has been erased with Color; graphic controls inside are painted after it.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(platform::HDC dc) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
