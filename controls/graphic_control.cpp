// Graphic controls: painting through the parent's paint message.
#include "controls/graphic_control.h"

#include "core/classes.h"

using namespace platform;

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam) {
    canvas_->FreeHandle();
    canvas_->SetHandle(reinterpret_cast<HDC>(message.WParam));
    try {
      Paint();
    } catch (...) {
      canvas_->SetHandle(nullptr);
      throw;
    }
    canvas_->SetHandle(nullptr);
    return;
  }
  TControl::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTGraphicControl =
    RegisterClass<TGraphicControl, TControl>("TGraphicControl");

}  // namespace
