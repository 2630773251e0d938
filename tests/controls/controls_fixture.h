// The control tests' screen, pump, probe control and test form.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <vector>

#include "controls/form.h"
#include "controls/graphic_control.h"
#include "controls/groupbox.h"
#include "controls/panel.h"
#include "core/apphooks.h"
#include "platform/headless/headless_backend.h"

namespace controlstest {

// What the probes and the test form saw, in order: "paint Hot", "click Hot", "create" ...
std::vector<AnsiString>& Log();

// A graphic control that fills its rectangle with its colour and logs its paints.
class TProbe : public TGraphicControl {
 public:
  explicit TProbe(TComponent* owner);

 protected:
  void Paint() override;
};

// The form of tcontrolsform.txt with handlers that log.
class TControlsForm : public TForm {
 public:
  using TForm::TForm;

  TProbe* Back = nullptr;
  TProbe* Hot = nullptr;
  TPanel* Panel1 = nullptr;
  TProbe* Inner = nullptr;
  TGroupBox* Box = nullptr;
  TPanel* Panel2 = nullptr;
  TProbe* Late = nullptr;

  bool failOnCreate = false;

  void FormCreate(TObject* Sender);
  void HotClick(TObject* Sender);
  void HotMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void HotMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
};

// A form stored with a text height of 7: when the real one differs, positions and sizes scale
// by the real one over 7.
class TScaledForm : public TForm {
 public:
  using TForm::TForm;

  TProbe* Hot = nullptr;
  TPanel* Panel1 = nullptr;
};

// Application hooks that keep the messages of what they are asked to report.
class RecordingReports : public ApplicationHooks {
 public:
  RecordingReports() : previous_(SetApplicationHooks(this)) {}
  ~RecordingReports() override { SetApplicationHooks(previous_); }

  std::vector<AnsiString> Messages;

  void HandleException(TObject* Sender, std::exception_ptr error) override;
  void ProcessMessages() override {}

 private:
  ApplicationHooks* previous_;
};

// A fresh headless screen per test; forms made by the test are freed by it.
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the screen with one of the given size (before any window is made).
  void UseScreen(int width, int height);
  // Dispatches what is queued until the queue is empty; what was drawn reaches the screen.
  void Pump();
  // The colour (0xRRGGBB) at client point (x, y) of a top-level window as last presented.
  std::uint32_t PixelAt(platform::HWND window, int x, int y) const;
  // Screen coordinates of a control's client point.
  static platform::POINT OnScreen(const TControl& control, int x, int y);

  platform::HeadlessBackend* screen_ = nullptr;
};

// A test with the form of tcontrolsform.txt shown and painted, and the log cleared.
class ShownFormTest : public ControlsTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TControlsForm> form_;
};

}  // namespace controlstest
