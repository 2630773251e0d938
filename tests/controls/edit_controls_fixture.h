// The search form of tsearchform.txt, whose handlers count what they hear, and a fixture that
// shows it active on a fresh screen.
#pragma once

#include <memory>

#include "controls/button.h"
#include "controls/memo.h"
#include "controls/radio_button.h"
#include "tests/controls/controls_fixture.h"

namespace controlstest {

class TSearchForm : public TForm {
 public:
  using TForm::TForm;

  TEdit* Edit1 = nullptr;
  TEdit* ebarat = nullptr;
  TMemo* Memo1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TButton* Button1 = nullptr;

  int changes = 0;
  int radioClicks = 0;
  int buttonClicks = 0;

  void Edit1Change(TObject* Sender);
  void RadioClick(TObject* Sender);
  void Button1Click(TObject* Sender);
};

class EditControlsTest : public ControlsTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Key presses as the application's loop delivers them.
  void Key(int vk, bool shift = false);
  void Type(const std::string& utf8);
  void ClickOn(const TControl& control, int x, int y);

  std::unique_ptr<TSearchForm> form_;
};

}  // namespace controlstest
