// The driver's script parser.
#include "app/shot/script.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "platform/winuser.h"

namespace shot {
namespace {

struct NamedKey {
  std::string_view name;
  int virtualKey;
};

// X keysym names of the keys the program's controls react to.
constexpr NamedKey kNamedKeys[] = {
    {"Return", platform::VK_RETURN},  {"KP_Enter", platform::VK_RETURN},
    {"Tab", platform::VK_TAB},        {"ISO_Left_Tab", platform::VK_TAB},
    {"Escape", platform::VK_ESCAPE},  {"BackSpace", platform::VK_BACK},
    {"Delete", platform::VK_DELETE},  {"Insert", platform::VK_INSERT},
    {"space", platform::VK_SPACE},    {"Home", platform::VK_HOME},
    {"End", platform::VK_END},        {"Prior", platform::VK_PRIOR},
    {"Page_Up", platform::VK_PRIOR},  {"Next", platform::VK_NEXT},
    {"Page_Down", platform::VK_NEXT}, {"Left", platform::VK_LEFT},
    {"Right", platform::VK_RIGHT},    {"Up", platform::VK_UP},
    {"Down", platform::VK_DOWN},
};

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
    std::size_t start = at;
    while (at < line.size() && !std::isspace(static_cast<unsigned char>(line[at]))) ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

class LineParser {
 public:
  LineParser(int number, std::string_view line)
      : number_(number), line_(line), words_(Words(line)) {}

  Action Parse() {
    action_.line = number_;
    std::string_view verb = words_[0];
    using K = Action::Kind;
    if (verb == "move") return Point(K::Move, 1);
    if (verb == "down") return Button(K::Down);
    if (verb == "up") return Button(K::Up);
    if (verb == "dblclick") return Button(K::DoubleClick);
    if (verb == "click") {
      if (words_.size() == 2) {
        action_.kind = K::ClickControl;
        action_.text = std::string(words_[1]);
        return action_;
      }
      return Button(K::Click);
    }
    if (verb == "wheel") {
      Count(4);
      action_.kind = K::Wheel;
      action_.amount = Integer(1);
      action_.x = Integer(2);
      action_.y = Integer(3);
      return action_;
    }
    if (verb == "key") {
      Count(2);
      action_.kind = K::Key;
      action_.chord = Chord(words_[1]);
      return action_;
    }
    if (verb == "wait") {
      Count(2);
      action_.kind = K::Wait;
      action_.amount = Integer(1);
      if (action_.amount < 0) Fail("wait needs a number of milliseconds, not a negative one");
      return action_;
    }
    if (verb == "type") return Typed();
    if (verb == "target") return Rest(K::Target, "target needs a window title, or main");
    if (verb == "button") return Rest(K::Button, "button needs a caption");
    if (verb == "state") return File(K::State);
    if (verb == "png") return File(K::Png);
    Fail("unknown action \"" + std::string(verb) + "\"");
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const { throw ScriptError(number_, message); }

  void Count(std::size_t words) const {
    if (words_.size() != words) {
      Fail(std::string(words_[0]) + " takes " + std::to_string(words - 1) + " argument" +
           (words == 2 ? "" : "s") + ", not " + std::to_string(words_.size() - 1));
    }
  }

  int Integer(std::size_t index) const {
    std::string_view word = words_[index];
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
      Fail("\"" + std::string(word) + "\" is not a whole number");
    }
    return value;
  }

  Action Point(Action::Kind kind, std::size_t first) {
    Count(first + 2);
    action_.kind = kind;
    action_.x = Integer(first);
    action_.y = Integer(first + 1);
    return action_;
  }

  Action Button(Action::Kind kind) {
    Count(4);
    std::string_view name = words_[1];
    if (name == "left") {
      action_.button = MouseButton::Left;
    } else if (name == "right") {
      action_.button = MouseButton::Right;
    } else if (name == "middle") {
      action_.button = MouseButton::Middle;
    } else {
      Fail("unknown mouse button \"" + std::string(name) + "\" (left, right or middle)");
    }
    return Point(kind, 2);
  }

  // The text after the verb, as written (inner spaces kept), for titles, captions and typing.
  Action Rest(Action::Kind kind, const char* missing) {
    std::string_view rest = Trim(line_);
    rest = Trim(rest.substr(words_[0].size()));
    if (rest.empty()) Fail(missing);
    action_.kind = kind;
    action_.text = std::string(rest);
    return action_;
  }

  // Typed text is everything after the one space that follows the verb, spaces included.
  Action Typed() {
    std::string_view rest = line_.substr(line_.find(words_[0]) + words_[0].size());
    if (rest.size() < 2) Fail("type needs the text to type");
    action_.kind = Action::Kind::Type;
    action_.text = std::string(rest.substr(1));
    return action_;
  }

  Action File(Action::Kind kind) {
    Count(2);
    action_.kind = kind;
    action_.text = std::string(words_[1]);
    return action_;
  }

  KeyChord Chord(std::string_view text) const {
    KeyChord chord;
    std::string_view rest = text;
    for (;;) {
      std::size_t plus = rest.find('+');
      if (plus == std::string_view::npos || plus + 1 == rest.size()) break;
      std::string_view modifier = rest.substr(0, plus);
      if (modifier == "ctrl") {
        chord.ctrl = true;
      } else if (modifier == "shift") {
        chord.shift = true;
      } else if (modifier == "alt") {
        chord.alt = true;
      } else {
        Fail("unknown modifier \"" + std::string(modifier) + "\" (ctrl, shift or alt)");
      }
      rest.remove_prefix(plus + 1);
    }
    chord.virtualKey = VirtualKeyOfKeysym(rest);
    if (chord.virtualKey == 0) Fail("unknown key \"" + std::string(rest) + "\"");
    return chord;
  }

  int number_;
  std::string_view line_;
  std::vector<std::string_view> words_;
  Action action_;
};

}  // namespace

int VirtualKeyOfKeysym(std::string_view name) {
  if (name.size() == 1) {
    unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) return std::toupper(c);
    if (std::isdigit(c)) return c;
    return 0;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == name) return key.virtualKey;
  }
  if (name.size() >= 2 && name[0] == 'F') {
    int number = 0;
    auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && number >= 1 && number <= 24) {
      return platform::VK_F1 + number - 1;
    }
  }
  return 0;
}

std::vector<Action> ParseScript(std::string_view text) {
  std::vector<Action> actions;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    actions.push_back(LineParser(number, line).Parse());
  }
  return actions;
}

}  // namespace shot
