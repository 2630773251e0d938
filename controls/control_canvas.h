// A canvas over a control: the control's own window, or its rectangle of its parent's.
#pragma once

#include "graphics/canvas.h"
#include "platform/winuser.h"

class TControl;

// While painting, the control hands the canvas the paint device context (SetHandle). Outside
// painting the canvas makes its own on first use: for a graphic control one over its parent's
// window, moved to the control's origin and clipped to its rectangle. FreeHandle gives it back;
// the canvas does so itself when freed.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;

  TControl* Control() const { return control_; }
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  platform::HWND window_ = nullptr;
  platform::HDC dc_ = nullptr;
};
