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
