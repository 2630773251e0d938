// Forms shown on the screen: placement, border style, window state, the show handlers, the
// first focus and closing.
#include "core/exceptions.h"
#include "tests/controls/controls_fixture.h"

using namespace platform;

namespace controlstest {
namespace {

using FormShow = ControlsTest;

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

TEST_F(FormShow, DesktopCentreIsClampedAtZeroWhereTheFormDoesNotFit) {
  struct Case {
    int screenWidth, screenHeight, left, top;
  };
  const Case cases[] = {
      {1280, 1024, 490, 412},  // (1280 - 300) / 2, (1024 - 200) / 2
      {301, 201, 0, 0},        // one pixel to spare: the halves round down
      {200, 150, 0, 0},        // smaller than the form on both axes
      {400, 150, 50, 0},       // too low only
  };
  for (const Case& c : cases) {
    UseScreen(c.screenWidth, c.screenHeight);
    std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
    form->Show();
    Pump();
    RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.left, c.left) << c.screenWidth << "x" << c.screenHeight;
    EXPECT_EQ(r.top, c.top) << c.screenWidth << "x" << c.screenHeight;
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(form->Position(), TPosition::poDesigned) << "placed once";
  }
}

TEST_F(FormShow, LaterShowsKeepThePlaceTheFormHasThen) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  form->SetBounds(7, 9, 300, 200);
  form->Hide();
  form->Show();
  Pump();
  RECT r = WindowRect(form->Handle());
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 9);
}

TEST_F(FormShow, BorderlessFormIsAPopupWithoutCaptionFrameOrSystemMenu) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  DWORD style = DWORD(GetWindowLongA(form->Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CHILD));
  EXPECT_TRUE(GetClassStyle(form->Handle()) & CS_DBLCLKS);

  std::unique_ptr<TForm> plain(NewForm<TForm>(nullptr));
  DWORD sizeable = DWORD(GetWindowLongA(plain->Handle(), GWL_STYLE));
  EXPECT_EQ(sizeable & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  EXPECT_LT(plain->ClientWidth(), plain->Width()) << "a sizeable frame takes room";
}

TEST_F(FormShow, WindowStateOfAShowingFormTakesEffectAtOnce) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  Pump();
  form->SetWindowState(TWindowState::wsMinimized);
  Pump();
  EXPECT_TRUE(IsIconic(form->Handle()));

  form->SetWindowState(TWindowState::wsNormal);
  Pump();
  EXPECT_FALSE(IsIconic(form->Handle()));

  // Minimised from outside (the task bar), the form knows it.
  ShowWindow(form->Handle(), SW_MINIMIZE);
  Pump();
  EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
}

TEST_F(FormShow, ChangingVisibleInTheShowHandlerFailsAndIsReported) {
  RecordingReports reports;
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  struct Meddler : TObject {
    TForm* form;
    void Shown(TObject*) { form->Hide(); }
  } meddler;
  meddler.form = form.get();
  form->OnShow = TNotifyEvent(&meddler, &Meddler::Shown);
  form->Show();
  Pump();

  EXPECT_EQ(reports.Messages, std::vector<AnsiString>{"Cannot change Visible in OnShow or OnHide"});
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(FormShow, FirstActivationFocusesTheFirstControlInTabOrder) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  Pump();

  EXPECT_TRUE(form->Active());
  EXPECT_EQ(form->ActiveControl(), form->Panel2);
  EXPECT_TRUE(form->Panel2->Focused());

  // Panel1 takes no tab stop: the next is the group box inside it.
  form->SelectNext(form->Panel2, true, true);
  EXPECT_TRUE(form->Box->Focused());
  form->SelectNext(form->Box, true, true);
  EXPECT_TRUE(form->Panel2->Focused()) << "wraps around";
}

TEST_F(FormShow, FreeingTheFocusedControlLeavesTheRestInTabOrder) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  Pump();
  ASSERT_TRUE(form->Panel2->Focused());

  delete form->Panel2;
  EXPECT_EQ(form->Panel2, nullptr) << "the form's field is cleared";
  EXPECT_EQ(form->ActiveControl(), nullptr);
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{form->Panel1, form->Box}));
  form->SelectNext(nullptr, true, true);
  EXPECT_TRUE(form->Box->Focused());
  Pump();
}

TEST_F(FormShow, FocusingAHiddenOrDisabledControlFails) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  Pump();
  form->Panel1->Hide();
  EXPECT_FALSE(form->Box->IsFocusable()) << "its container is hidden";
  EXPECT_THROW(form->Box->TakeFocus(), EInvalidOperation);
  form->Panel1->Show();
  form->Panel1->SetEnabled(false);
  try {
    form->Box->TakeFocus();
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
  }
  EXPECT_THROW(form->SetActiveControl(form.get()), EInvalidOperation);
}

TEST_F(FormShow, ClosingAFormThatIsNotTheMainOneHidesItUnlessTheHandlersSayOtherwise) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  form->Show();
  Pump();

  struct Handlers : TObject {
    bool allow = false;
    TCloseAction action = TCloseAction::caHide;
    void Query(TObject*, bool& canClose) { canClose = allow; }
    void Closing(TObject*, TCloseAction& a) { a = action; }
  } handlers;
  form->OnCloseQuery = TCloseQueryEvent(&handlers, &Handlers::Query);
  form->OnClose = TCloseEvent(&handlers, &Handlers::Closing);

  form->Close();
  EXPECT_TRUE(form->Visible()) << "the close query refused";
  handlers.allow = true;
  handlers.action = TCloseAction::caMinimize;
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(IsIconic(form->Handle()));
  handlers.action = TCloseAction::caHide;
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(FormShow, CloseWithTheFreeActionFreesTheFormAfterQueuedMessages) {
  auto* form = NewForm<TControlsForm>(nullptr);
  form->Show();
  Pump();
  bool destroyed = false;
  struct Handlers : TObject {
    bool* destroyed;
    void Closing(TObject*, TCloseAction& a) { a = TCloseAction::caFree; }
    void Gone(TObject*) { *destroyed = true; }
  } handlers;
  handlers.destroyed = &destroyed;
  form->OnClose = TCloseEvent(&handlers, &Handlers::Closing);
  form->OnDestroy = TNotifyEvent(&handlers, &Handlers::Gone);
  HWND window = form->Handle();

  form->Close();
  EXPECT_FALSE(destroyed);
  Pump();
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace controlstest
