// The control canvas: device contexts made over a control's window or its parent's.
#include "controls/control_canvas.h"

#include "controls/wincontrol.h"
#include "platform/dc.h"

using namespace platform;

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::CreateHandle() {
  auto* windowed = dynamic_cast<TWinControl*>(control_);
  TWinControl* holder = windowed ? windowed : control_->Parent();
  if (!holder) return;
  window_ = holder->Handle();
  dc_ = GetDC(window_);
  if (!dc_) return;
  if (!windowed) {
    SetViewportOrgEx(dc_, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(dc_, 0, 0, control_->Width(), control_->Height());
  }
  SetHandle(dc_);
}

void TControlCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
}
