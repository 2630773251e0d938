// Exact bytes of small descriptions, written out by hand from the stream layout.
#include <gtest/gtest.h>

#include <string>

#include "tools/formc/binary.h"
#include "tools/formc/text.h"

namespace {

std::string Compile(const std::string& text) {
  return formc::EncodeStream(formc::ParseText(text, "."));
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

// "TPF0", the root record "Tmain" "main", then the given entry bytes and both end bytes.
std::string RootWith(const std::string& entry) {
  return std::string("TPF0\x05Tmain\x04main", 15) + entry + std::string("\0\0", 2);
}

struct EntryCase {
  const char* source;
  std::string bytes;
};

TEST(FormLayout, EachValueEncodesAsLaidOut) {
  const EntryCase cases[] = {
      {"Left = 134", Bytes({4, 'L', 'e', 'f', 't', 3, 0x86, 0x00})},
      {"Tag = -1", Bytes({3, 'T', 'a', 'g', 2, 0xFF})},
      {"W = 100000", Bytes({1, 'W', 4, 0xA0, 0x86, 0x01, 0x00})},
      {"W = -2147483649", Bytes({1, 'W', 19, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"W = int32 1", Bytes({1, 'W', 4, 1, 0, 0, 0})},
      {"X = 1.5", Bytes({1, 'X', 5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
      {"X = single 1.5", Bytes({1, 'X', 15, 0x00, 0x00, 0xC0, 0x3F})},
      {"X = date 2.5", Bytes({1, 'X', 17, 0, 0, 0, 0, 0, 0, 0x04, 0x40})},
      {"X = currency 1.25", Bytes({1, 'X', 16, 0xD4, 0x30, 0, 0, 0, 0, 0, 0})},
      {"X = currency -0.0001", Bytes({1, 'X', 16, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"B = true", Bytes({1, 'B', 9})},
      {"B = False", Bytes({1, 'B', 8})},
      {"P = nil", Bytes({1, 'P', 13})},
      {"P = null", Bytes({1, 'P', 0})},
      {"OnCreate = FormCreate", std::string("\x08OnCreate\x07\x0A") + "FormCreate"},
      {"I = ident\"nil\"", Bytes({1, 'I', 7, 3, 'n', 'i', 'l'})},
      {"Font.Style = []", std::string("\x0A") + "Font.Style" + Bytes({11, 0})},
      {"S = [fsBold, fsItalic]", Bytes({1, 'S', 11,  6,   'f', 's', 'B', 'o', 'l', 'd',
                                        8, 'f', 's', 'I', 't', 'a', 'l', 'i', 'c', 0})},
      // Code page 1256: keheh 0x98, lam 0xE1, Arabic yeh 0xED, alef 0xC7, teh 0xCA.
      {"C = \".: کليات :.\"",
       Bytes({1, 'C', 6, 11, '.', ':', ' ', 0x98, 0xE1, 0xED, 0xC7, 0xCA, ' ', ':', '.'})},
      {"C = long\"ab\"", Bytes({1, 'C', 12, 2, 0, 0, 0, 'a', 'b'})},
      {"C = wide\"سلام\"",
       Bytes({1, 'C', 18, 4, 0, 0, 0, 0x33, 0x06, 0x44, 0x06, 0x27, 0x06, 0x45, 0x06})},
      {"C = utf8\"سلام\"",
       Bytes({1, 'C', 20, 8, 0, 0, 0, 0xD8, 0xB3, 0xD9, 0x84, 0xD8, 0xA7, 0xD9, 0x85})},
      {"C = \"\\x81\\u{67E}\\t\"", Bytes({1, 'C', 6, 3, 0x81, 0x81, 0x09})},
      {"D = {00 ff\n 7f}", Bytes({1, 'D', 10, 3, 0, 0, 0, 0x00, 0xFF, 0x7F})},
      {"L = (1 \"a\" ())", Bytes({1, 'L', 1, 2, 1, 6, 1, 'a', 1, 0, 0})},
      {"Q = <>", Bytes({1, 'Q', 14, 0})},
      {"Q = <item A = 1 end item int16 3 end>",
       Bytes({1, 'Q', 14, 1, 1, 'A', 2, 1, 0, 3, 3, 0, 1, 0, 0})},
      {"\"odd name\" = 1", std::string("\x08odd name\x02\x01", 11)},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(Compile(std::string("object main: Tmain\n") + c.source + "\nend\n"),
              RootWith(c.bytes));
  }
}

TEST(FormLayout, LongTextsBecomeLongStringsByDefault) {
  std::string text(300, 'x');
  std::string bytes = Compile("object main: Tmain\nS = \"" + text + "\"\nend\n");
  EXPECT_EQ(bytes, RootWith(Bytes({1, 'S', 12, 0x2C, 0x01, 0, 0}) + text));
}

TEST(FormLayout, PrefixFlagsAndChildren) {
  std::string bytes = Compile(
      "object main: Tmain\n"
      "  object A: TLabel\n  end\n"
      "  inherited object B: TX at 3\n    object C: TY\n    end\n  end\n"
      "  inline object D: TF\n  end\n"
      "  prefix 0xF8 object E: TZ\n  end\n"
      "end\n");
  std::string expected = std::string("TPF0\x05Tmain\x04main", 15) + Bytes({0}) +
                         Bytes({6, 'T', 'L', 'a', 'b', 'e', 'l', 1, 'A', 0, 0}) +
                         Bytes({0xF3, 2, 3, 2, 'T', 'X', 1, 'B', 0}) +
                         Bytes({2, 'T', 'Y', 1, 'C', 0, 0}) + Bytes({0}) +
                         Bytes({0xF4, 2, 'T', 'F', 1, 'D', 0, 0}) +
                         Bytes({0xF8, 2, 'T', 'Z', 1, 'E', 0, 0}) + Bytes({0});
  EXPECT_EQ(bytes, expected);
}

}  // namespace
