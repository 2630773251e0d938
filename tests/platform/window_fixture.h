// Test fixture for the window system: a fresh headless screen per test, a class whose procedure
// records every message, and a pump that runs the queue until nothing is left.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/winuser.h"

namespace platform {

struct Logged {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A window of the recording class ("Recorder", or "DblRecorder" with CS_DBLCLKS).
  HWND Make(HWND parent, int x, int y, int w, int h, DWORD style = WS_VISIBLE, DWORD exStyle = 0,
            bool doubleClicks = false);
  HWND MakeTop(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
               bool doubleClicks = false) {
    return Make(nullptr, x, y, w, h, style, 0, doubleClicks);
  }
  // Dispatches queued messages until the queue is empty (time does not move).
  void Pump();
  // The logged messages of the given kinds, in order.
  std::vector<Logged> Messages(std::initializer_list<UINT> kinds) const;
  void ClearLog();

  HeadlessBackend* screen_ = nullptr;

 public:
  // Per-window reactions, run before the default procedure; return true to skip it.
  static std::map<std::pair<HWND, UINT>, std::function<bool(WPARAM, LPARAM, LRESULT*)>> reactions;
  static std::vector<Logged> log;
};

}  // namespace platform
