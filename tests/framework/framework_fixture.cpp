// The framework tests' application objects and test window.
#include "tests/framework/framework_fixture.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "platform/message_box.h"

using namespace platform;

namespace frameworktest {

std::vector<AnsiString>& Log() {
  static std::vector<AnsiString> log;
  return log;
}

void TAppForm::FormCreate(TObject*) {
  Log().push_back("create");
  if (failOnCreate) throw Exception("The categories are missing");
}

void TAppForm::SpotClick(TObject*) {
  Log().push_back("click Spot");
}

void TAppForm::SpotDown(TObject*, TMouseButton, TShiftState, int, int) {
  Log().push_back("down Spot");
  if (failOnSpotDown) throw Exception("Busy");
}

void TAppForm::SpotEnter(TObject*) {
  Log().push_back("enter Spot");
}

void TAppForm::SpotLeave(TObject*) {
  Log().push_back("leave Spot");
}

void TAppForm::FailClick(TObject*) {
  Log().push_back("click Fail");
  if (failure.empty()) throw EAbort("");
  throw EDatabaseError(failure);
}

void TAppForm::QuitClick(TObject*) {
  Log().push_back("click Quit");
  Close();
}

void TDialogForm::PressClick(TObject*) {
  ++presses;
}

void TDialogForm::FindDialog1Find(TObject*) {
  found.push_back({FindDialog1->FindText(), FindDialog1->Options()});
  if (!findFailure.empty()) throw Exception(findFailure);
}

void FrameworkTest::SetUp() {
  auto screen = std::make_unique<HeadlessBackend>(1024, 768);
  screen_ = screen.get();
  SetBackend(std::move(screen));
  StartApplicationObjects();
  Log().clear();
  boxesBefore_ = MessageBoxesShown().size();
}

void FrameworkTest::TearDown() {
  StopApplicationObjects();
}

void FrameworkTest::ClickOn(const TControl& control, int x, int y) {
  POINT p = control.ClientToScreen({x, y});
  screen_->Click(p.x, p.y);
}

void FrameworkTest::MoveTo(const TControl& control, int x, int y) {
  POINT p = control.ClientToScreen({x, y});
  screen_->MoveMouse(p.x, p.y);
}

void FrameworkTest::WhenOpen(std::function<void(HWND)> whileOpen) {
  static std::function<void(HWND)> pending;
  pending = std::move(whileOpen);
  SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (pending) pending(GetActiveWindow());
  });
}

void FrameworkTest::Chord(int modifier, int key) {
  screen_->KeyDown(modifier);
  screen_->Tap(key);
  screen_->KeyUp(modifier);
}

std::vector<MessageBoxRecord> FrameworkTest::Boxes() const {
  const auto& all = MessageBoxesShown();
  return {all.begin() + static_cast<std::ptrdiff_t>(boxesBefore_), all.end()};
}

namespace {

[[maybe_unused]] const auto kTSpot = RegisterClass<TSpot, TGraphicControl>("TSpot");

[[maybe_unused]] const auto kTAppForm = RegisterClass<TAppForm, TForm>("TAppForm")
                                            .Field("Spot", &TAppForm::Spot)
                                            .Field("Fail", &TAppForm::Fail)
                                            .Field("Quit", &TAppForm::Quit)
                                            .Field("First", &TAppForm::First)
                                            .Field("Second", &TAppForm::Second)
                                            .Method("FormCreate", &TAppForm::FormCreate)
                                            .Method("SpotClick", &TAppForm::SpotClick)
                                            .Method("SpotDown", &TAppForm::SpotDown)
                                            .Method("SpotEnter", &TAppForm::SpotEnter)
                                            .Method("SpotLeave", &TAppForm::SpotLeave)
                                            .Method("FailClick", &TAppForm::FailClick)
                                            .Method("QuitClick", &TAppForm::QuitClick);

[[maybe_unused]] const auto kTDialogForm =
    RegisterClass<TDialogForm, TForm>("TDialogForm")
        .Field("Press", &TDialogForm::Press)
        .Field("FindDialog1", &TDialogForm::FindDialog1)
        .Field("FontDialog1", &TDialogForm::FontDialog1)
        .Method("PressClick", &TDialogForm::PressClick)
        .Method("FindDialog1Find", &TDialogForm::FindDialog1Find);
[[maybe_unused]] const auto kTBrokenForm = RegisterClass<TBrokenForm, TForm>("TBrokenForm");

}  // namespace

}  // namespace frameworktest
