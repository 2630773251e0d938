// The driver's script: one user action a line, checked whole before anything runs.
//
//   move X Y · down B X Y · up B X Y · click B X Y · dblclick B X Y · click NAME · wheel N X Y
//   key CHORD · type TEXT · wait MS · target TITLE · button CAPTION · state FILE · png FILE
//
// B is left, right or middle; CHORD is an X keysym name with any of the prefixes ctrl+, shift+
// and alt+ (Tab, shift+Tab, Return, Escape, Down, ctrl+c, F3 ...). '#' starts a comment line;
// blank lines are ignored. Coordinates are client coordinates of the current target window.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace shot {

enum class MouseButton { Left, Right, Middle };

struct KeyChord {
  int virtualKey = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

struct Action {
  enum class Kind {
    Move,
    Down,
    Up,
    Click,
    DoubleClick,
    ClickControl,  // left click at the centre of a main-form control, by name
    Wheel,
    Key,
    Type,
    Wait,
    Target,
    Button,
    State,
    Png,
  };
  Kind kind = Kind::Move;
  int line = 0;
  MouseButton button = MouseButton::Left;
  int x = 0;
  int y = 0;
  int amount = 0;  // wheel notches (positive away from the user), or milliseconds to wait
  KeyChord chord;
  std::string text;  // control name, typed text, window title, button caption or file name
};

// A script line that is not an action, with its 1-based line number.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// Parses a whole script; throws ScriptError at the first bad line.
std::vector<Action> ParseScript(std::string_view text);

// The virtual key of an X keysym name (a letter, a digit, or a name such as Return, Tab, F3,
// Page_Down); 0 when it names no key the driver can press.
int VirtualKeyOfKeysym(std::string_view name);

}  // namespace shot
