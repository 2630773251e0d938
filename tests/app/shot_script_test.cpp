// The driver's script: every action parses to what it says, and a bad line is refused with its
// line number before anything runs.
#include <gtest/gtest.h>

#include <string>

#include "app/shot/script.h"
#include "platform/winuser.h"

namespace {

using shot::Action;
using shot::MouseButton;
using shot::ParseScript;
using shot::ScriptError;

Action One(const std::string& line) {
  std::vector<Action> actions = ParseScript(line);
  EXPECT_EQ(actions.size(), 1u) << line;
  return actions.empty() ? Action{} : actions[0];
}

TEST(ShotScript, MouseActions) {
  const struct {
    const char* line;
    Action::Kind kind;
    MouseButton button;
    int x, y;
  } cases[] = {
      {"move 10 20", Action::Kind::Move, MouseButton::Left, 10, 20},
      {"down right 5 6", Action::Kind::Down, MouseButton::Right, 5, 6},
      {"up middle -1 7", Action::Kind::Up, MouseButton::Middle, -1, 7},
      {"click left 826 15", Action::Kind::Click, MouseButton::Left, 826, 15},
      {"dblclick left 1 2", Action::Kind::DoubleClick, MouseButton::Left, 1, 2},
      {"  click   right\t3 4  ", Action::Kind::Click, MouseButton::Right, 3, 4},
  };
  for (const auto& c : cases) {
    Action a = One(c.line);
    EXPECT_EQ(a.kind, c.kind) << c.line;
    EXPECT_EQ(a.button, c.button) << c.line;
    EXPECT_EQ(a.x, c.x) << c.line;
    EXPECT_EQ(a.y, c.y) << c.line;
  }
  Action wheel = One("wheel -3 100 200");
  EXPECT_EQ(wheel.kind, Action::Kind::Wheel);
  EXPECT_EQ(wheel.amount, -3);
  EXPECT_EQ(wheel.x, 100);
  Action named = One("click Shape2");
  EXPECT_EQ(named.kind, Action::Kind::ClickControl);
  EXPECT_EQ(named.text, "Shape2");
}

TEST(ShotScript, KeyChords) {
  const struct {
    const char* line;
    int virtualKey;
    bool ctrl, shift, alt;
  } cases[] = {
      {"key Tab", platform::VK_TAB, false, false, false},
      {"key shift+Tab", platform::VK_TAB, false, true, false},
      {"key Return", platform::VK_RETURN, false, false, false},
      {"key Escape", platform::VK_ESCAPE, false, false, false},
      {"key Down", platform::VK_DOWN, false, false, false},
      {"key ctrl+c", 'C', true, false, false},
      {"key ctrl+shift+alt+End", platform::VK_END, true, true, true},
      {"key F3", platform::VK_F1 + 2, false, false, false},
      {"key F12", platform::VK_F12, false, false, false},
      {"key 7", '7', false, false, false},
      {"key Page_Down", platform::VK_NEXT, false, false, false},
  };
  for (const auto& c : cases) {
    Action a = One(c.line);
    EXPECT_EQ(a.kind, Action::Kind::Key) << c.line;
    EXPECT_EQ(a.chord.virtualKey, c.virtualKey) << c.line;
    EXPECT_EQ(a.chord.ctrl, c.ctrl) << c.line;
    EXPECT_EQ(a.chord.shift, c.shift) << c.line;
    EXPECT_EQ(a.chord.alt, c.alt) << c.line;
  }
}

TEST(ShotScript, TextActionsKeepTheirText) {
  EXPECT_EQ(One("type  سلام دنیا ").text, " سلام دنیا ") << "spaces after the separator are typed";
  EXPECT_EQ(One("target Find").text, "Find");
  EXPECT_EQ(One("target   Orvanta  ").text, "Orvanta");
  EXPECT_EQ(One("button Find Next").text, "Find Next");
  EXPECT_EQ(One("state out/state.json").kind, Action::Kind::State);
  EXPECT_EQ(One("png shot.png").text, "shot.png");
  Action wait = One("wait 600");
  EXPECT_EQ(wait.kind, Action::Kind::Wait);
  EXPECT_EQ(wait.amount, 600);
}

TEST(ShotScript, CommentsAndBlankLinesAreSkippedAndLinesNumbered) {
  std::vector<Action> actions = ParseScript("# start\n\nmove 1 2\r\n   # indented comment\nwait 5");
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0].line, 3);
  EXPECT_EQ(actions[1].line, 5);
}

TEST(ShotScript, BadLinesFailWithTheirLineNumber) {
  const struct {
    const char* script;
    int line;
    const char* message;
  } cases[] = {
      {"move 1 2\njump 3 4", 2, "unknown action \"jump\""},
      {"move 1", 1, "move takes 2 arguments, not 1"},
      {"\n\nclick left 1 x", 3, "\"x\" is not a whole number"},
      {"click left 1 2 3", 1, "click takes 3 arguments, not 4"},
      {"down sideways 1 2", 1, "unknown mouse button \"sideways\" (left, right or middle)"},
      {"key Hyper", 1, "unknown key \"Hyper\""},
      {"key meta+a", 1, "unknown modifier \"meta\" (ctrl, shift or alt)"},
      {"wait -5", 1, "wait needs a number of milliseconds, not a negative one"},
      {"wait 1.5", 1, "\"1.5\" is not a whole number"},
      {"type", 1, "type needs the text to type"},
      {"target", 1, "target needs a window title, or main"},
      {"button  ", 1, "button needs a caption"},
      {"png", 1, "png takes 1 argument, not 0"},
      {"move 99999999999 1", 1, "\"99999999999\" is not a whole number"},
  };
  for (const auto& c : cases) {
    try {
      ParseScript(c.script);
      ADD_FAILURE() << "accepted: " << c.script;
    } catch (const ScriptError& error) {
      EXPECT_EQ(error.Line(), c.line) << c.script;
      EXPECT_STREQ(error.what(), c.message) << c.script;
    }
  }
}

}  // namespace
