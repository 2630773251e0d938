// Mouse capture for controls, on top of the window system's capture.
#include "controls/capture.h"

#include "controls/wincontrol.h"

using namespace platform;

namespace {
// The graphic control that holds the capture through its parent's window.
TControl* graphicCapture = nullptr;
}  // namespace

TControl* GetCaptureControl() {
  TWinControl* holder = FindControl(GetCapture());
  if (!holder) return nullptr;
  if (graphicCapture && graphicCapture->Parent() == holder) return graphicCapture;
  return holder;
}

void SetCaptureControl(TControl* control) {
  graphicCapture = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) {
    if (!control->Parent()) {
      ReleaseCapture();
      return;
    }
    windowed = control->Parent();
  }
  SetCapture(windowed->Handle());
  if (windowed != control) graphicCapture = control;
}

void ForgetCaptureControl(TControl* control) {
  if (graphicCapture == control) {
    graphicCapture = nullptr;
    ReleaseCapture();
  }
}

void CaptureLost(TControl* holder) {
  if (graphicCapture && graphicCapture->Parent() == holder) graphicCapture = nullptr;
}
