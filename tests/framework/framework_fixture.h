// The framework tests' screen and application objects, and the test main window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "controls/button.h"
#include "controls/graphic_control.h"
#include "controls/panel.h"
#include "framework/application.h"
#include "framework/find_dialog.h"
#include "framework/font_dialog.h"
#include "framework/screen.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_box.h"

namespace frameworktest {

// What the test window's handlers saw, in order.
std::vector<AnsiString>& Log();

// A windowless spot, as the main window's hot spots and labels are.
class TSpot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

// The window of tappform.txt.
class TAppForm : public TForm {
 public:
  using TForm::TForm;

  TSpot* Spot = nullptr;
  TPanel* Fail = nullptr;
  TPanel* Quit = nullptr;
  TPanel* First = nullptr;
  TPanel* Second = nullptr;

  // What FailClick raises; an empty text raises the silent EAbort.
  AnsiString failure = "Not found";
  bool failOnCreate = false;
  // Whether a press on the spot fails.
  bool failOnSpotDown = false;

  void FormCreate(TObject* Sender);
  void SpotClick(TObject* Sender);
  void SpotDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SpotEnter(TObject* Sender);
  void SpotLeave(TObject* Sender);
  void FailClick(TObject* Sender);
  void QuitClick(TObject* Sender);
};

// The window of tdialogform.txt: a button and the two dialogs, with what their events saw.
class TDialogForm : public TForm {
 public:
  using TForm::TForm;

  TButton* Press = nullptr;
  TFindDialog* FindDialog1 = nullptr;
  TFontDialog* FontDialog1 = nullptr;

  // The text and options each Find Next reported.
  struct Found {
    AnsiString text;
    TFindOptions options;
  };
  std::vector<Found> found;
  // What FindDialog1Find raises; empty for nothing.
  AnsiString findFailure;
  int presses = 0;

  void PressClick(TObject* Sender);
  void FindDialog1Find(TObject* Sender);
};

// A form whose description cannot be read.
class TBrokenForm : public TForm {
 public:
  using TForm::TForm;
};

// A fresh screen and fresh application objects per test.
class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A click at a control's client point, queued as the user's input.
  void ClickOn(const TControl& control, int x, int y);
  void MoveTo(const TControl& control, int x, int y);
  // Runs `whileOpen` with the active window from a timer, that is once the modal dialog the
  // test is about to run shows and its loop is idle.
  void WhenOpen(std::function<void(platform::HWND)> whileOpen);
  // Presses a key with a modifier held (VK_CONTROL, VK_MENU ...).
  void Chord(int modifier, int key);
  // The message boxes shown since the test began.
  std::vector<platform::MessageBoxRecord> Boxes() const;

  platform::HeadlessBackend* screen_ = nullptr;
  std::size_t boxesBefore_ = 0;
};

}  // namespace frameworktest
