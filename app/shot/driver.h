// The headless screen of velmora-shot, driven by a script: each action runs when the program is
// next idle (its queue empty), in whichever message loop is running, as a person's input would
// arrive; after the last one, at the next idle moment, the driver finishes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/shot/screen_state.h"
#include "app/shot/script.h"
#include "platform/headless/headless_backend.h"

namespace shot {

// A script action that cannot be carried out (no such window, control or button).
class ActionError : public ScriptError {
 public:
  using ScriptError::ScriptError;
};

class ScriptDriver : public platform::HeadlessBackend {
 public:
  struct Hooks {
    // The main window, once it exists (null before).
    std::function<platform::HWND()> mainWindow;
    // The screen point at the centre of the main form's control with that name, if any.
    std::function<std::optional<platform::POINT>(const std::string& name)> controlCentre;
    std::function<void(const std::string& file)> writeState;
    std::function<void(const std::string& file)> writePng;
    // Called once, at the first idle moment after the last action; afterwards the driver is
    // a plain headless screen.
    std::function<void()> finish;
    // Called with an action that cannot be carried out; does not return.
    std::function<void(const ActionError& error)> fail;
  };

  ScriptDriver(int width, int height, std::vector<Action> actions, Hooks hooks);

  bool Wait(platform::DWORD timeoutMs) override;

 private:
  void Run(const Action& action);
  platform::HWND Target(const Action& action) const;
  platform::POINT ToScreen(const Action& action) const;
  void PressChord(const KeyChord& chord);

  std::vector<Action> actions_;
  Hooks hooks_;
  std::size_t next_ = 0;
  bool finished_ = false;
  std::optional<platform::DWORD> waitUntil_;
  std::string targetTitle_;  // empty: the main window
};

}  // namespace shot
