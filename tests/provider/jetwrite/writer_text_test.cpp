// The stored form of text: compressed only where it is shorter and reads back the same.
#include "provider/jet/writer_text.h"

#include <gtest/gtest.h>

#include "provider/jet/text.h"

namespace {

using provider::jet::DecodeJet4Text;
using provider::jet::EncodeJetText;

struct Case {
  const char* what;
  std::u16string text;
  std::vector<std::uint8_t> stored;  // empty: only the size below is checked
  std::size_t size;
};

TEST(WriterTextTest, ChoosesTheShorterFormAndReadsBack) {
  const Case cases[] = {
      {"empty", u"", {}, 0},
      {"Latin only", u"abc", {0xFF, 0xFE, 'a', 'b', 'c'}, 5},
      {"two Latin letters are no shorter compressed", u"ab", {'a', 0x00, 'b', 0x00}, 4},
      {"one Latin letter is no shorter compressed", u"a", {'a', 0x00}, 2},
      {"Persian only stays plain", u"\u06CC\u06A9", {0xCC, 0x06, 0xA9, 0x06}, 4},
      {"Latin then Persian", u"abcd\u06CC", {0xFF, 0xFE, 'a', 'b', 'c', 'd', 0x00, 0xCC, 0x06}, 9},
      {"Persian then digits",
       u"\u06CC\u06CC 2026",
       {0xFF, 0xFE, 0x00, 0xCC, 0x06, 0xCC, 0x06, 0x00, ' ', '2', '0', '2', '6'},
       13},
      {"a short Latin run inside Persian stays wide", u"\u06CC\u06CC a \u06CC\u06CC", {}, 14},
      {"U+0600 cannot be written compressed", u"abcdef\u0600", {}, 14},
      {"a leading U+FEFF is always compressed", u"\uFEFF", {0xFF, 0xFE, 0x00, 0xFF, 0xFE}, 5},
      {"CR LF and quotes", u"'\"%\r\n", {0xFF, 0xFE, '\'', '"', '%', '\r', '\n'}, 7},
  };
  for (const Case& c : cases) {
    auto stored = EncodeJetText(c.text);
    ASSERT_TRUE(stored.ok()) << c.what;
    if (!c.stored.empty()) {
      EXPECT_EQ(stored.value(), c.stored) << c.what;
    }
    EXPECT_EQ(stored.value().size(), c.size) << c.what;
    auto decoded =
        DecodeJet4Text(provider::jet::ByteView(stored.value().data(), stored.value().size()));
    ASSERT_TRUE(decoded.ok()) << c.what;
    EXPECT_EQ(decoded.value(), c.text) << c.what;
  }
}

TEST(WriterTextTest, RefusesWhatNoFormCanHold) {
  auto stored = EncodeJetText(u"\uFEFF\u0600");
  ASSERT_FALSE(stored.ok());
  EXPECT_EQ(stored.status().kind(), provider::StatusKind::invalidArgument);
}

}  // namespace

// Jet 3 text: the code page's own bytes, a best fit where there is a close one, refused otherwise.
TEST(WriterTextTest, CodePageTextKeepsWhatItCanAndRefusesTheRest) {
  using provider::StatusKind;
  struct CodePageCase {
    const char* what;
    std::uint16_t codePage;
    std::u16string text;
    std::string stored;  // when `refused` is ok
    StatusKind refused;
    std::u16string readBack;  // what the reader then shows
  };
  // clang-format off
  const CodePageCase cases[] = {
      {"ASCII", 1252, u"abc 12", "abc 12", StatusKind::ok, u"abc 12"},
      {"Latin-1 and the euro sign", 1252, u"\u00E9\u20AC\u0153", "\xE9\x80\x9C", StatusKind::ok, u"\u00E9\u20AC\u0153"},
      {"a letter with a mark 1252 lacks becomes the bare letter", 1252, u"\u0101\u0141\u017C", "aLz", StatusKind::ok, u"aLz"},
      {"Persian has no equivalent in 1252", 1252, u"\u0633\u0644\u0627\u0645", "", StatusKind::invalidArgument, u""},
      {"Arabic letters of 1256", 1256, u"\u0633\u0644\u0627\u0645", "\xD3\xE1\xC7\xE3", StatusKind::ok, u"\u0633\u0644\u0627\u0645"},
      {"Farsi yeh and Persian digits through their best fit", 1256, u"\u06CC\u06F1\u06F3", "\xED" "13", StatusKind::ok, u"\u064A13"},
      {"Chinese has no equivalent in 1256", 1256, u"\u4E2D", "", StatusKind::invalidArgument, u""},
      {"another code page", 936, u"abc", "", StatusKind::notSupported, u""},
  };
  // clang-format on
  for (const CodePageCase& c : cases) {
    auto stored = provider::jet::EncodeCodePageText(c.text, c.codePage);
    if (c.refused != StatusKind::ok) {
      ASSERT_FALSE(stored.ok()) << c.what;
      EXPECT_EQ(stored.status().kind(), c.refused) << c.what;
      continue;
    }
    ASSERT_TRUE(stored.ok()) << c.what << ": " << stored.status().ToString();
    EXPECT_EQ(std::string(stored.value().begin(), stored.value().end()), c.stored) << c.what;
    auto decoded = provider::jet::DecodeCodePageText(
        provider::jet::ByteView(stored.value().data(), stored.value().size()), c.codePage);
    ASSERT_TRUE(decoded.ok()) << c.what;
    EXPECT_EQ(decoded.value(), c.readBack) << c.what;
  }
}
