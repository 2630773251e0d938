// The button control base.
#include "controls/button_control.h"

#include "core/classes.h"

using namespace platform;

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

void TButtonControl::Changed() {
  if (Parent()) Parent()->Perform(CM_CHANGED, reinterpret_cast<WPARAM>(this));
}

void TButtonControl::WndProc(TMessage& message) {
  // The system button paints itself, from its own paint, and holds no graphic controls.
  if (message.Msg == WM_PAINT && message.WParam == 0) {
    DefaultHandler(message);
    return;
  }
  TWinControl::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTButtonControl =
    RegisterClass<TButtonControl, TWinControl>("TButtonControl");

}  // namespace
