// Outside text in the tools' messages: UTF-8 checked, control characters and stray bytes shown
// as escapes so a message stays one line.
#include "tools/message_text.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
  std::string text;
  bool valid;
  std::string printable;
};

TEST(MessageText, ValidUtf8IsKeptAndEverythingElseEscaped) {
  const TextCase cases[] = {
      {"", true, ""},
      {"tarsilo.mdb", true, "tarsilo.mdb"},
      {"\xDA\xA9\xD8\xAA\xD8\xA7\xD8\xA8", true, "\xDA\xA9\xD8\xAA\xD8\xA7\xD8\xA8"},  // Persian
      {"\xF0\x9F\x93\x96 book", true, "\xF0\x9F\x93\x96 book"},
      {"a\nb\rc\td\x7F", true, "a\\x0Ab\\x0Dc\\x09d\\x7F"},
      {"bad \xFF byte", false, "bad \\xFF byte"},
      {"stray \x80", false, "stray \\x80"},
      {"cut \xD8", false, "cut \\xD8"},
      {"overlong \xC0\xAF", false, "overlong \\xC0\\xAF"},
      {"overlong \xE0\x80\xAF", false, "overlong \\xE0\\x80\\xAF"},
      {"surrogate \xED\xA0\x80", false, "surrogate \\xED\\xA0\\x80"},
      {"too high \xF4\x90\x80\x80", false, "too high \\xF4\\x90\\x80\\x80"},
      {"\xE2\x82", false, "\\xE2\\x82"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(tools::IsValidUtf8(c.text), c.valid) << c.printable;
    EXPECT_EQ(tools::Printable(c.text), c.printable);
  }
}

}  // namespace
