// The search form and its fixture.
#include "tests/controls/edit_controls_fixture.h"

#include "core/classes.h"

using namespace platform;

namespace controlstest {

void TSearchForm::Edit1Change(TObject*) {
  ++changes;
}

void TSearchForm::RadioClick(TObject*) {
  ++radioClicks;
}

void TSearchForm::Button1Click(TObject*) {
  ++buttonClicks;
}

void EditControlsTest::SetUp() {
  ControlsTest::SetUp();
  form_.reset(NewForm<TSearchForm>(nullptr));
  form_->Show();
  Pump();
}

void EditControlsTest::TearDown() {
  if (form_) form_->BeforeDestruction();
  form_.reset();
  ControlsTest::TearDown();
}

void EditControlsTest::Key(int vk, bool shift) {
  if (shift) screen_->KeyDown(VK_SHIFT);
  screen_->Tap(vk);
  if (shift) screen_->KeyUp(VK_SHIFT);
  // The application's loop lets the focused control's form use dialog keys first.
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_KEYDOWN) {
      TWinControl* control = FindControl(msg.hwnd);
      if (control && control->Perform(CN_KEYDOWN, msg.wParam, msg.lParam)) continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void EditControlsTest::Type(const std::string& utf8) {
  screen_->TypeText(utf8);
  Pump();
}

void EditControlsTest::ClickOn(const TControl& control, int x, int y) {
  POINT p = OnScreen(control, x, y);
  screen_->Advance(1000);
  screen_->Click(p.x, p.y);
  Pump();
}

namespace {

[[maybe_unused]] const auto kTSearchForm = RegisterClass<TSearchForm, TForm>("TSearchForm")
                                               .Field("Edit1", &TSearchForm::Edit1)
                                               .Field("ebarat", &TSearchForm::ebarat)
                                               .Field("Memo1", &TSearchForm::Memo1)
                                               .Field("GroupBox1", &TSearchForm::GroupBox1)
                                               .Field("RadioButton1", &TSearchForm::RadioButton1)
                                               .Field("RadioButton2", &TSearchForm::RadioButton2)
                                               .Field("Button1", &TSearchForm::Button1)
                                               .Method("Edit1Change", &TSearchForm::Edit1Change)
                                               .Method("RadioClick", &TSearchForm::RadioClick)
                                               .Method("Button1Click", &TSearchForm::Button1Click);

}  // namespace

}  // namespace controlstest
