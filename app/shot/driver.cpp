// The scripted headless screen.
#include "app/shot/driver.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/codepage.h"
#include "platform/winuser.h"

namespace shot {

using namespace platform;

namespace {

int ButtonIndex(MouseButton button) {
  return button == MouseButton::Left ? 0 : button == MouseButton::Right ? 1 : 2;
}

BOOL CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Buttons (push buttons, check boxes, radio buttons) anywhere inside the window.
void FindButtons(HWND parent, std::vector<HWND>& found) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    std::string name = WindowClass(child);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    if (name == "BUTTON") found.push_back(child);
    FindButtons(child, found);
  }
}

std::string WithoutAccelerators(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

}  // namespace

ScriptDriver::ScriptDriver(int width, int height, std::vector<Action> actions, Hooks hooks)
    : HeadlessBackend(width, height), actions_(std::move(actions)), hooks_(std::move(hooks)) {}

bool ScriptDriver::Wait(DWORD timeoutMs) {
  if (HasPendingInput() || timeoutMs == 0) return true;
  if (waitUntil_) {
    DWORD now = Now();
    if (now < *waitUntil_) {
      DWORD left = *waitUntil_ - now;
      // The clock moves to the next timer or to the end of the wait, whichever is first, so
      // timers fire in order while the script waits.
      Advance(timeoutMs == kInfinite ? left : std::min(timeoutMs, left));
      return true;
    }
    waitUntil_.reset();
  }
  if (next_ < actions_.size()) {
    Run(actions_[next_++]);
    return true;
  }
  if (!finished_) {
    finished_ = true;
    hooks_.finish();
    return true;
  }
  return HeadlessBackend::Wait(timeoutMs);
}

HWND ScriptDriver::Target(const Action& action) const {
  if (targetTitle_.empty()) return hooks_.mainWindow ? hooks_.mainWindow() : nullptr;
  HWND window = FindVisibleWindow(targetTitle_);
  if (!window) {
    throw ActionError(action.line, "no visible window titled \"" + targetTitle_ + "\"");
  }
  return window;
}

POINT ScriptDriver::ToScreen(const Action& action) const {
  POINT pt{action.x, action.y};
  if (HWND target = Target(action)) ClientToScreen(target, &pt);
  return pt;
}

void ScriptDriver::PressChord(const KeyChord& chord) {
  if (chord.ctrl) KeyDown(VK_CONTROL);
  if (chord.shift) KeyDown(VK_SHIFT);
  if (chord.alt) KeyDown(VK_MENU);
  KeyDown(chord.virtualKey);
  KeyUp(chord.virtualKey);
  if (chord.alt) KeyUp(VK_MENU);
  if (chord.shift) KeyUp(VK_SHIFT);
  if (chord.ctrl) KeyUp(VK_CONTROL);
}

void ScriptDriver::Run(const Action& action) {
  using K = Action::Kind;
  try {
    switch (action.kind) {
      case K::Move:
        MoveMouse(ToScreen(action).x, ToScreen(action).y);
        break;
      case K::Down:
        Press(ToScreen(action).x, ToScreen(action).y, ButtonIndex(action.button));
        break;
      case K::Up:
        Release(ToScreen(action).x, ToScreen(action).y, ButtonIndex(action.button));
        break;
      case K::Click:
      case K::DoubleClick:
        for (int i = action.kind == K::Click ? 1 : 2; i > 0; --i) {
          Click(ToScreen(action).x, ToScreen(action).y, ButtonIndex(action.button));
        }
        break;
      case K::ClickControl: {
        std::optional<POINT> pt = hooks_.controlCentre(action.text);
        if (!pt) throw ActionError(action.line, "the main window has no control " + action.text);
        Click(pt->x, pt->y, 0);
        break;
      }
      case K::Wheel:
        Wheel(ToScreen(action).x, ToScreen(action).y, action.amount * 120);
        break;
      case K::Key:
        PressChord(action.chord);
        break;
      case K::Type:
        TypeText(action.text);
        break;
      case K::Wait:
        waitUntil_ = Now() + static_cast<DWORD>(action.amount);
        break;
      case K::Target:
        targetTitle_ = action.text == "main" ? std::string() : action.text;
        Target(action);
        break;
      case K::Button: {
        HWND target = Target(action);
        std::vector<HWND> buttons;
        if (target) FindButtons(target, buttons);
        auto found = std::find_if(buttons.begin(), buttons.end(), [&](HWND b) {
          return IsWindowVisible(b) && WithoutAccelerators(WindowCaption(b)) == action.text;
        });
        if (found == buttons.end()) {
          throw ActionError(action.line, "no button \"" + action.text + "\" in the target window");
        }
        RECT r{};
        GetWindowRect(*found, &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        // A person reaches a button behind another window by bringing its window forward.
        if (WindowFromPoint(centre) != *found) BringWindowToTop(target);
        Click(centre.x, centre.y, 0);
        break;
      }
      case K::State:
        hooks_.writeState(action.text);
        break;
      case K::Png:
        hooks_.writePng(action.text);
        break;
    }
  } catch (const ActionError& error) {
    hooks_.fail(error);
  }
}

}  // namespace shot
