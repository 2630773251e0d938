// The recording window class and the per-test screen.
#include "tests/platform/window_fixture.h"

#include <algorithm>

namespace platform {
namespace {

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowTest::log.push_back({hwnd, msg, wParam, lParam});
  auto it = WindowTest::reactions.find({hwnd, msg});
  if (it != WindowTest::reactions.end()) {
    LRESULT result = 0;
    if (it->second(wParam, lParam, &result)) return result;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA plain{};
  plain.lpfnWndProc = RecordingProc;
  plain.lpszClassName = "Recorder";
  plain.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  RegisterClassA(&plain);
  WNDCLASSA dbl = plain;
  dbl.style = CS_DBLCLKS;
  dbl.lpszClassName = "DblRecorder";
  dbl.hCursor = LoadCursorA(nullptr, IDC_HAND);
  RegisterClassA(&dbl);
}

BOOL Collect(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::map<std::pair<HWND, UINT>, std::function<bool(WPARAM, LPARAM, LRESULT*)>>
    WindowTest::reactions;
std::vector<Logged> WindowTest::log;

void WindowTest::SetUp() {
  auto screen = std::make_unique<HeadlessBackend>(800, 600);
  screen_ = screen.get();
  SetBackend(std::move(screen));
  RegisterOnce();
  log.clear();
  reactions.clear();
}

void WindowTest::TearDown() {
  std::vector<HWND> tops;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&tops));
  for (HWND t : tops) DestroyWindow(t);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  reactions.clear();
  log.clear();
}

HWND WindowTest::Make(HWND parent, int x, int y, int w, int h, DWORD style, DWORD exStyle,
                      bool doubleClicks) {
  if (parent) style |= WS_CHILD;
  return CreateWindowExA(exStyle, doubleClicks ? "DblRecorder" : "Recorder", "", style, x, y, w, h,
                         parent, nullptr, nullptr, nullptr);
}

void WindowTest::Pump() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::vector<Logged> WindowTest::Messages(std::initializer_list<UINT> kinds) const {
  std::vector<Logged> out;
  std::copy_if(log.begin(), log.end(), std::back_inserter(out), [&](const Logged& l) {
    return std::find(kinds.begin(), kinds.end(), l.message) != kinds.end();
  });
  return out;
}

void WindowTest::ClearLog() {
  log.clear();
}

}  // namespace platform
