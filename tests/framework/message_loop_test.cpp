// The message loop with the input a user gives: clicks, failing handlers, the pointer
// entering and leaving controls, Tab between controls, and the ways the loop ends.
#include <thread>

#include "platform/message_box.h"
#include "tests/framework/framework_fixture.h"

using namespace platform;

namespace frameworktest {
namespace {

class MessageLoop : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Application->ChangeTitle("Orvanta");
    Application->MakeForm(main_);
  }

  // Runs the loop; the headless screen ends it once every queued input has been handled.
  void Run() { Application->RunLoop(); }

  TAppForm* main_ = nullptr;
};

TEST_F(MessageLoop, RunLoopShowsTheMainFormCentredAndEndsWhenItCloses) {
  // The loop shows the form first; the click is queued at the place it will be.
  POINT quit{(1024 - 200) / 2 + 150 + 5, (768 - 100) / 2 + 10 + 5};
  screen_->Click(quit.x, quit.y);
  Run();

  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Log(), (std::vector<AnsiString>{"create", "click Quit"}));
  EXPECT_TRUE(main_->Visible()) << "the main form's close ends the program, not the form";
  EXPECT_FALSE(Application->Running());
}

TEST_F(MessageLoop, HandlerFailureIsShownWithTheTitleAndTheLoopGoesOn) {
  main_->Show();
  ClickOn(*main_->Fail, 5, 5);
  screen_->Tap(VK_RETURN);  // closes the message box
  ClickOn(*main_->Quit, 5, 5);
  Run();

  EXPECT_EQ(Log(), (std::vector<AnsiString>{"create", "click Fail", "click Quit"}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Orvanta");
  EXPECT_EQ(Boxes()[0].text, "Not found.");
  EXPECT_FALSE(IsWindow(Boxes()[0].window)) << "answered";
  EXPECT_TRUE(IsWindowEnabled(main_->Handle())) << "enabled again after the box";
}

TEST_F(MessageLoop, FailureWhileAControlHoldsTheMouseEndsThePressWithoutAClick) {
  main_->Show();
  ClickOn(*main_->Spot, 5, 5);
  Application->ProcessMessages();
  EXPECT_EQ(Log(), (std::vector<AnsiString>{"create", "down Spot", "click Spot"}));

  Log().clear();
  main_->failOnSpotDown = true;
  POINT p = main_->Spot->ClientToScreen({5, 5});
  screen_->Press(p.x, p.y);
  screen_->Tap(VK_RETURN);  // answers the report
  screen_->Release(p.x, p.y);
  Application->ProcessMessages();
  EXPECT_EQ(Log(), std::vector<AnsiString>{"down Spot"});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Busy.");
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MessageLoop, SilentAbortShowsNothing) {
  main_->failure.clear();
  main_->Show();
  ClickOn(*main_->Fail, 5, 5);
  ClickOn(*main_->Fail, 6, 6);
  Run();

  EXPECT_EQ(Log(), (std::vector<AnsiString>{"create", "click Fail", "click Fail"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MessageLoop, ExceptionHookReplacesTheMessageBox) {
  struct Hook : TObject {
    std::vector<AnsiString> seen;
    void Failed(TObject* sender, const Exception& e) { seen.push_back(e.Message()); }
  } hook;
  Application->OnException = TExceptionEvent(&hook, &Hook::Failed);
  main_->Show();
  ClickOn(*main_->Fail, 5, 5);
  Run();

  EXPECT_EQ(hook.seen, std::vector<AnsiString>{"Not found"});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MessageLoop, PointerLeavingIsNoticedAtTheNextIdleMoment) {
  main_->Show();
  MoveTo(*main_->Spot, 5, 5);
  Application->HandleMessage();  // the move
  Application->ProcessMessages();
  EXPECT_EQ(Log().back(), "create") << "nothing before the loop is idle";
  Application->HandleMessage();  // idle
  EXPECT_EQ(Log().back(), "enter Spot");
  EXPECT_EQ(Application->MouseControl(), main_->Spot);

  // Moving within the spot fires nothing; leaving it for the background fires the leave.
  MoveTo(*main_->Spot, 8, 9);
  Application->ProcessMessages();
  Application->HandleMessage();
  EXPECT_EQ(Log().size(), 2u);
  MoveTo(*main_, 60, 80);
  Application->ProcessMessages();
  Application->HandleMessage();
  EXPECT_EQ(Log(), (std::vector<AnsiString>{"create", "enter Spot", "leave Spot"}));
  EXPECT_EQ(Application->MouseControl(), main_);

  // Straight onto a windowed control also leaves.
  MoveTo(*main_->Spot, 1, 1);
  Application->ProcessMessages();
  Application->HandleMessage();
  MoveTo(*main_->First, 3, 3);
  Application->ProcessMessages();
  Application->HandleMessage();
  EXPECT_EQ(Log().back(), "leave Spot");
  EXPECT_EQ(Application->MouseControl(), main_->First);
}

TEST_F(MessageLoop, CallsQueuedByAnotherThreadRunAtTheNextIdleStep) {
  main_->Show();
  Application->ProcessMessages();
  std::thread worker([] { Application->QueueForMainThread([] { Log().push_back("queued"); }); });
  worker.join();
  EXPECT_EQ(Log().back(), "create");

  Application->HandleMessage();
  EXPECT_EQ(Log().back(), "queued");
  EXPECT_FALSE(Application->Terminated()) << "it came back without waiting";
}

TEST_F(MessageLoop, ApplicationHintIsTheLongPartOfTheHintUnderThePointer) {
  struct Hook : TObject {
    std::vector<AnsiString> seen;
    void Hinted(TObject*) { seen.push_back(Application->Hint()); }
  } hook;
  Application->OnHint = TNotifyEvent(&hook, &Hook::Hinted);
  main_->Spot->SetHint("Close|Closes the reader");
  main_->First->SetHint("Search");
  main_->Show();
  MoveTo(*main_->Spot, 5, 5);
  Application->ProcessMessages();
  Application->HandleMessage();
  MoveTo(*main_->First, 5, 5);
  Application->ProcessMessages();
  Application->HandleMessage();
  MoveTo(*main_, 60, 80);
  Application->ProcessMessages();
  Application->HandleMessage();

  EXPECT_EQ(hook.seen, (std::vector<AnsiString>{"Closes the reader", "Search", ""}));
}

TEST_F(MessageLoop, DisabledControlsAreTrackedToo) {
  main_->Show();
  main_->Spot->SetEnabled(false);
  MoveTo(*main_->Spot, 5, 5);
  Application->ProcessMessages();
  Application->HandleMessage();
  EXPECT_EQ(Log().back(), "enter Spot");
}

TEST_F(MessageLoop, TabMovesTheFocusInTabOrderThroughTheKeyCheck) {
  main_->Show();
  Application->ProcessMessages();
  ASSERT_TRUE(main_->First->Focused()) << "the first control in tab order on activation";

  screen_->Tap(VK_TAB);
  Application->ProcessMessages();
  EXPECT_TRUE(main_->Second->Focused());

  screen_->KeyDown(VK_SHIFT);
  screen_->Tap(VK_TAB);
  screen_->KeyUp(VK_SHIFT);
  Application->ProcessMessages();
  EXPECT_TRUE(main_->First->Focused());
}

TEST_F(MessageLoop, ClosingTheMainFormPostsTheQuitMessage) {
  main_->Show();
  Application->ProcessMessages();
  ASSERT_FALSE(Application->Terminated());

  // A close request to the application window closes the main form, which quits.
  PostMessageA(Application->Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(MessageLoop, SecondFormClosesWithoutEndingTheLoop) {
  TAppForm* second = nullptr;
  Application->MakeForm(second);
  main_->Show();
  second->Show();
  PostMessageA(second->Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();

  EXPECT_FALSE(Application->Terminated());
  EXPECT_FALSE(second->Visible());
  EXPECT_TRUE(main_->Visible());
}

TEST_F(MessageLoop, ModelessDialogRegisteredWithTheApplicationGetsItsKeys) {
  main_->Show();
  EXPECT_EQ(SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 1, 0), 0);
  SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 0,
               reinterpret_cast<LPARAM>(main_->Second->Handle()));
  EXPECT_EQ(Application->DialogHandle(), main_->Second->Handle());
  EXPECT_EQ(SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 1, 0),
            reinterpret_cast<LRESULT>(main_->Second->Handle()));
}

}  // namespace
}  // namespace frameworktest
