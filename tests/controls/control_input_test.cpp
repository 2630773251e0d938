// The mouse as a user moves and presses it over a shown form: which control hears it, with
// what coordinates, which cursor shows, and what hidden or disabled controls do.
#include "controls/capture.h"
#include "tests/controls/controls_fixture.h"

using namespace platform;

namespace controlstest {
namespace {

class ControlInput : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Log().clear();
  }

  // The log without the paints.
  static std::vector<AnsiString> Events() {
    std::vector<AnsiString> out;
    for (const AnsiString& s : Log()) {
      if (s.rfind("paint ", 0) != 0) out.push_back(s);
    }
    return out;
  }
};

TEST_F(ControlInput, ClickOnAWindowlessControlReachesItInItsOwnCoordinates) {
  POINT p = OnScreen(*form_->Hot, 5, 6);
  screen_->Click(p.x, p.y);
  Pump();

  EXPECT_EQ(Events(), (std::vector<AnsiString>{"move Hot 5 6", "down Hot 0 5 6", "click Hot"}));
  EXPECT_EQ(GetCaptureControl(), nullptr) << "released with the button";
}

TEST_F(ControlInput, EveryButtonRaisesMouseDownButOnlyTheLeftOneClicks) {
  POINT p = OnScreen(*form_->Hot, 1, 2);
  screen_->Click(p.x, p.y, 1);
  screen_->Click(p.x, p.y, 2);
  Pump();

  std::vector<AnsiString> presses;
  for (const AnsiString& e : Events()) {
    if (e.rfind("move ", 0) != 0) presses.push_back(e);
  }
  EXPECT_EQ(presses, (std::vector<AnsiString>{"down Hot 1 1 2", "down Hot 2 1 2"}));
}

TEST_F(ControlInput, ReleaseOutsideAfterDraggingOffRaisesNoClick) {
  POINT inside = OnScreen(*form_->Hot, 5, 5);
  POINT outside = OnScreen(*form_->Hot, 100, 100);
  screen_->Press(inside.x, inside.y);
  Pump();
  EXPECT_EQ(GetCaptureControl(), form_->Hot) << "held through the form's window";
  screen_->MoveMouse(outside.x, outside.y);
  screen_->Release(outside.x, outside.y);
  Pump();

  // The control holding the mouse hears the move outside it, in its own coordinates.
  EXPECT_EQ(Events(),
            (std::vector<AnsiString>{"move Hot 5 5", "down Hot 0 5 5", "move Hot 100 100"}));
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(ControlInput, WindowedControlsLieAboveWindowlessOnesStoredAfterThem) {
  // Late is stored after Panel1 and overlaps it; the panel is on top where both are.
  int clicks = 0;
  struct Counter : TObject {
    int* n;
    void Clicked(TObject*) { ++*n; }
  } counter;
  counter.n = &clicks;
  form_->Late->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
  form_->Panel1->OnClick = TNotifyEvent(&counter, &Counter::Clicked);

  POINT shared = OnScreen(*form_, 152, 117);
  screen_->Click(shared.x, shared.y);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(FindControl(WindowFromPoint(shared)), form_->Panel1);

  POINT lateOnly = OnScreen(*form_, 110, 95);
  screen_->Click(lateOnly.x, lateOnly.y);
  Pump();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form_->ControlAtPos({110, 95}, false), form_->Late);
}

TEST_F(ControlInput, HiddenAndDisabledControlsHearNothing) {
  POINT p = OnScreen(*form_->Hot, 5, 5);
  form_->Hot->SetEnabled(false);
  screen_->Click(p.x, p.y);
  Pump();
  form_->Hot->SetEnabled(true);
  form_->Hot->Hide();
  screen_->Click(p.x, p.y);
  Pump();
  EXPECT_TRUE(Events().empty());

  // A disabled control is still found when asked for, as the idle step's tracking asks.
  form_->Hot->Show();
  form_->Hot->SetEnabled(false);
  EXPECT_EQ(form_->ControlAtPos({25, 25}, true), form_->Hot);
  EXPECT_EQ(form_->ControlAtPos({25, 25}, false), form_->Back);
}

TEST_F(ControlInput, CursorIsTheOneOfTheControlUnderThePointer) {
  POINT hot = OnScreen(*form_->Hot, 5, 5);
  screen_->MoveMouse(hot.x, hot.y);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_HAND)));

  POINT back = OnScreen(*form_, 250, 30);
  screen_->MoveMouse(back.x, back.y);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_ARROW)));

  form_->Back->SetCursor(crIBeam);
  screen_->MoveMouse(back.x + 1, back.y);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_IBEAM)));
}

TEST_F(ControlInput, HidingAContainerHidesEverythingInsideIt) {
  ASSERT_TRUE(form_->Box->Showing());
  form_->Panel1->Hide();
  Pump();

  EXPECT_FALSE(form_->Panel1->Showing());
  EXPECT_FALSE(form_->Box->Showing());
  EXPECT_FALSE(IsWindowVisible(form_->Box->Handle()));
  EXPECT_FALSE(form_->Inner->IsShowing());
  EXPECT_TRUE(form_->Inner->Visible()) << "its own flag is unchanged";

  form_->Panel1->Show();
  EXPECT_TRUE(form_->Box->Showing());
  EXPECT_TRUE(form_->Inner->IsShowing());
}

}  // namespace
}  // namespace controlstest
