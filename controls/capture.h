// Which control holds the mouse: a windowed control through its own window, a graphic control
// through its parent's.
#pragma once

class TControl;

// The control that receives the mouse messages while a button is held, or null. A graphic
// control holds the capture only while its parent's window does.
TControl* GetCaptureControl();
// Captures the mouse for the control (null releases it).
void SetCaptureControl(TControl* control);
// A control being freed stops being the capture control.
void ForgetCaptureControl(TControl* control);
// The window of holder lost the capture: a graphic control inside it no longer holds it.
void CaptureLost(TControl* holder);
