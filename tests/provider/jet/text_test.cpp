// Decoding stored text: compressed and plain UCS-2, also straight to UTF-8, and single-byte
// code pages.
#include "provider/jet/text.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/codepage.h"

namespace {

using provider::jet::AppendJet4TextAsUtf8;
using provider::jet::ByteView;
using provider::jet::CharacterMap;
using provider::jet::DecodeCodePageText;
using provider::jet::DecodeJet4Text;
using provider::jet::Jet4TextReader;

std::u16string Jet4(const std::vector<std::uint8_t>& bytes) {
  auto text = DecodeJet4Text(ByteView(bytes.data(), bytes.size()));
  EXPECT_TRUE(text.ok()) << text.status().ToString();
  return text.ok() ? text.value() : u"<error>";
}

struct Jet4Case {
  std::vector<std::uint8_t> bytes;
  std::u16string text;
};

const Jet4Case kJet4Cases[] = {
    {{}, u""},
    {{'a', 0, 'b', 0}, u"ab"},
    {{0xFF, 0xFE}, u""},
    {{0xFF, 0xFE, 'a', 'b', 0xE4}, u"ab\u00E4"},
    // Persian between Latin: compressed, switch, two-byte letters, switch back.
    {{0xFF, 0xFE, 'A', ' ', 0, 0x33, 0x06, 0x44, 0x06, 0, ' ', '1'}, u"A \u0633\u0644 1"},
    // The value may end in two-byte mode.
    {{0xFF, 0xFE, 'x', 0, 0xCC, 0x06}, u"x\u06CC"},
    // Starting in two-byte mode right away.
    {{0xFF, 0xFE, 0, 0x27, 0x06}, u"\u0627"},
    // Plain text that is not compressed keeps U+0600-range letters whole.
    {{0x33, 0x06, 0x20, 0x00}, u"\u0633 "},
};

const std::vector<std::vector<std::uint8_t>> kDamaged = {
    {'a', 0, 'b'},               // odd length, plain
    {0xFF, 0xFE, 'a', 0, 0x33},  // ends inside a two-byte character
};

TEST(JetText, CompressedAndPlainForms) {
  for (const Jet4Case& c : kJet4Cases) EXPECT_EQ(Jet4(c.bytes), c.text);
}

// What a search reads of a memo a part at a time: every part size gives the whole text, mapped
// (here 'A' to 'a', ' ' dropped), and a damaged value fails on the way.
TEST(JetText, ReadAPartAtATimeAsAWhole) {
  static CharacterMap map;
  for (std::size_t c = 0; c < map.size(); ++c) map[c] = static_cast<char16_t>(c);
  map[u'A'] = u'a';
  map[u' '] = 0;
  for (const Jet4Case& c : kJet4Cases) {
    std::u16string whole;
    ASSERT_TRUE(DecodeJet4Text(ByteView(c.bytes.data(), c.bytes.size()), whole, map).ok());
    for (std::size_t part = 1; part <= 5; ++part) {
      Jet4TextReader reader(ByteView(c.bytes.data(), c.bytes.size()), map);
      std::u16string read;
      while (!reader.done()) ASSERT_TRUE(reader.Next(part, read).ok());
      EXPECT_EQ(read, whole) << "parts of " << part;
    }
  }
  for (const auto& bytes : kDamaged) {
    for (std::size_t part = 1; part <= 5; ++part) {
      Jet4TextReader reader(ByteView(bytes.data(), bytes.size()), map);
      std::u16string read;
      bool failed = false;
      while (!failed && !reader.done()) failed = !reader.Next(part, read).ok();
      EXPECT_TRUE(failed) << "parts of " << part;
    }
  }
}

TEST(JetText, DamagedTextIsAnError) {
  for (const auto& bytes : kDamaged) {
    EXPECT_FALSE(DecodeJet4Text(ByteView(bytes.data(), bytes.size())).ok());
    std::string utf8 = "kept";
    EXPECT_FALSE(AppendJet4TextAsUtf8(ByteView(bytes.data(), bytes.size()), utf8).ok());
    EXPECT_EQ(utf8, "kept");
  }
}

// Text written straight as UTF-8 is byte for byte the decoded text converted: surrogates paired
// across a switch of modes, lone ones replaced, in both forms; then on random values.
TEST(JetText, Utf8StraightFromTheStoredBytes) {
  const auto same = [](const std::vector<std::uint8_t>& bytes) {
    std::u16string text;
    const bool decoded = DecodeJet4Text(ByteView(bytes.data(), bytes.size()), text).ok();
    std::string utf8 = "x";
    EXPECT_EQ(AppendJet4TextAsUtf8(ByteView(bytes.data(), bytes.size()), utf8).ok(), decoded);
    return !decoded || utf8 == "x" + platform::WideToUtf8(text);
  };
  for (const Jet4Case& c : kJet4Cases) EXPECT_TRUE(same(c.bytes));
  // clang-format off
  const std::vector<std::vector<std::uint8_t>> surrogates = {
      {0x3D, 0xD8, 0x00, 0xDE},                        // a pair
      {0x3D, 0xD8, 'a', 0},                            // a high one alone
      {'a', 0, 0x00, 0xDE},                            // a low one alone
      {'a', 0, 0x3D, 0xD8},                            // a high one at the end
      {0xFF, 0xFE, 0, 0x3D, 0xD8, 0, 0, 0x01, 0xDE},   // a pair across two switches
      {0xFF, 0xFE, 0, 0x3D, 0xD8, 0, 'a', 0, 0x01, 0xDE},  // a narrow character between
      {0xFF, 0xFE, 0, 0x3D, 0xD8},                     // a high one ending a packed value
      {0xFF, 0xFE, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x01, 0xDE},  // U+00E9, U+20AC, a pair
  };
  // clang-format on
  for (const auto& bytes : surrogates) EXPECT_TRUE(same(bytes)) << ::testing::PrintToString(bytes);
  std::mt19937 random(15);
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint8_t> bytes(random() % 24);
    if (round % 2 == 0 && bytes.size() >= 2) {
      bytes[0] = 0xFF;
      bytes[1] = 0xFE;
    }
    for (std::size_t i = round % 2 == 0 ? 2 : 0; i < bytes.size(); ++i) {
      // Mostly the bytes that matter: mode switches, surrogate halves, Arabic, ASCII.
      static const std::uint8_t kBytes[] = {0x00, 0xD8, 0xDB, 0xDC, 0xDF, 0x06, 0x20, 0x80, 0xFF};
      bytes[i] = random() % 3 == 0 ? static_cast<std::uint8_t>(random())
                                   : kBytes[random() % std::size(kBytes)];
    }
    ASSERT_TRUE(same(bytes)) << ::testing::PrintToString(bytes);
  }
}

TEST(JetText, SingleByteCodePages) {
  const std::vector<std::uint8_t> bytes = {'a', 0x80, 0xE4, 0x81, 0xED};
  auto western = DecodeCodePageText(ByteView(bytes.data(), bytes.size()), 1252);
  ASSERT_TRUE(western.ok());
  // 0x81 is undefined in 1252 and keeps its value, as Windows does.
  EXPECT_EQ(western.value(), u"a\u20AC\u00E4\u0081\u00ED");
  auto arabic = DecodeCodePageText(ByteView(bytes.data(), bytes.size()), 1256);
  ASSERT_TRUE(arabic.ok());
  EXPECT_EQ(arabic.value(), u"a\u20AC\u0646\u067E\u064A");
  auto unknown = DecodeCodePageText(ByteView(bytes.data(), bytes.size()), 936);
  EXPECT_EQ(unknown.status().kind(), provider::StatusKind::notSupported);
  const std::vector<std::uint8_t> ascii = {'o', 'k'};
  EXPECT_TRUE(DecodeCodePageText(ByteView(ascii.data(), ascii.size()), 936).ok());
}

}  // namespace
