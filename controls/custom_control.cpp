// Custom controls: the window's painting goes to Paint.
#include "controls/custom_control.h"

#include "core/classes.h"
#include "platform/dc.h"

using namespace platform;

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  // The window goes before the canvas that may still hold a device context over it.
  canvas_->FreeHandle();
  DestroyHandle();
}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->FreeHandle();
  int saved = SaveDC(dc);
  canvas_->SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    RestoreDC(dc, saved);
    throw;
  }
  canvas_->SetHandle(nullptr);
  RestoreDC(dc, saved);
}

namespace {

[[maybe_unused]] const auto kTCustomControl =
    RegisterClass<TCustomControl, TWinControl>("TCustomControl");

}  // namespace
