// The scripted screen: actions reach the program one idle moment at a time, in the target
// window's client coordinates, waits let timers fire, and the end is announced once.
#include "app/shot/driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/winuser.h"

namespace {

using namespace platform;

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
};

std::vector<Seen>* gSeen = nullptr;

constexpr UINT kAsk = WM_USER + 1;
int gAnswer = 0;

LRESULT Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAsk) {
    gAnswer = MessageBoxA(hwnd, "Go on?", "Question", MB_OKCANCEL);
    return 0;
  }
  if (gSeen && (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONUP ||
                message == WM_KEYDOWN || message == WM_TIMER || message == WM_MOUSEWHEEL)) {
    gSeen->push_back({message, wParam, lParam, CurrentBackend().Now()});
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Driver : public ::testing::Test {
 protected:
  // Runs the script against one 200 x 100 window at (100, 50) until the driver finishes.
  void Run(const std::string& script) {
    gSeen = &seen_;
    shot::ScriptDriver::Hooks hooks;
    hooks.mainWindow = [this] { return window_; };
    hooks.controlCentre = [](const std::string&) { return std::optional<POINT>(); };
    hooks.writeState = [this](const std::string& file) { written_.push_back("state " + file); };
    hooks.writePng = [this](const std::string& file) { written_.push_back("png " + file); };
    hooks.finish = [this] {
      ++finished_;
      PostQuitMessage(0);
    };
    hooks.fail = [this](const shot::ActionError& error) {
      failures_.push_back(std::to_string(error.Line()) + ": " + error.what());
      PostQuitMessage(2);
    };
    SetBackend(std::make_unique<shot::ScriptDriver>(640, 480, shot::ParseScript(script), hooks));
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = Record;
      wc.lpszClassName = "DriverTestWindow";
      registered = RegisterClassA(&wc) != 0;
    }
    window_ = CreateWindowExA(0, "DriverTestWindow", "Driven", WS_POPUP | WS_VISIBLE, 100, 50, 200,
                              100, nullptr, nullptr, nullptr, nullptr);
    SetTimer(window_, 1, 250, nullptr);
    if (post_) PostMessageA(window_, post_, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(window_);
    gSeen = nullptr;
  }

  HWND window_ = nullptr;
  UINT post_ = 0;
  std::vector<Seen> seen_;
  std::vector<std::string> written_;
  std::vector<std::string> failures_;
  int finished_ = 0;
};

TEST_F(Driver, ActionsArriveInOrderInClientCoordinatesAndWaitsFireTimers) {
  Run("move 10 20\n"
      "click left 5 6\n"
      "# a comment between actions\n"
      "key Down\n"
      "wheel -1 1 1\n"
      "state s.json\n"
      "wait 600\n"
      "png p.png\n");
  EXPECT_EQ(finished_, 1);
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(written_, (std::vector<std::string>{"state s.json", "png p.png"}));
  std::vector<UINT> kinds;
  for (const Seen& s : seen_) kinds.push_back(s.message);
  EXPECT_EQ(kinds, (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN,
                                      WM_MOUSEWHEEL, WM_TIMER, WM_TIMER}));
  ASSERT_GE(seen_.size(), 3u);
  EXPECT_EQ(seen_[0].lParam, MAKELONG(10, 20)) << "client coordinates of the target";
  EXPECT_EQ(seen_[2].lParam, MAKELONG(5, 6));
  EXPECT_EQ(seen_[3].wParam, WPARAM(VK_DOWN));
  EXPECT_EQ(seen_[5].time - seen_[0].time, 250u) << "the clock moves only while the script waits";
  EXPECT_EQ(seen_[6].time - seen_[0].time, 500u);
}

TEST_F(Driver, AnActionThatCannotBeCarriedOutFailsWithItsLine) {
  Run("move 1 1\ntarget Nowhere\nclick left 1 1\n");
  EXPECT_EQ(failures_, (std::vector<std::string>{"2: no visible window titled \"Nowhere\""}));
  EXPECT_EQ(finished_, 0);
}

TEST_F(Driver, ActionsReachAModalMessageBoxThroughItsOwnLoop) {
  gAnswer = 0;
  post_ = kAsk;
  Run("target Question\nbutton Cancel\ntarget main\nmove 1 1\n");
  EXPECT_TRUE(failures_.empty()) << failures_.front();
  EXPECT_EQ(gAnswer, IDCANCEL);
  EXPECT_EQ(finished_, 1);
}

TEST_F(Driver, TargetChoosesAWindowByCaption) {
  Run("target Driven\nclick right 7 8\ntarget main\n");
  EXPECT_TRUE(failures_.empty());
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.back().message, WM_RBUTTONUP);
  EXPECT_EQ(seen_.back().lParam, MAKELONG(7, 8));
}

}  // namespace
