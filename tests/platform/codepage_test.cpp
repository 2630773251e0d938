// Code page 1256 round trips, the best-fit table and UTF-8 decoding.
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePage, EveryByteRoundTripsThroughUtf16) {
  for (int b = 0; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(WideToAnsi(AnsiToWide(one)), one) << "byte " << b;
  }
}

TEST(CodePage, PersianLettersMapToTheirBytes) {
  EXPECT_EQ(WideToAnsi(u"\u067E\u0686\u0698\u06AF\u06A9"), "\x81\x8D\x8E\x90\x98");
  EXPECT_EQ(AnsiToWide("\xC7\xE1\xE1\xE5"), u"\u0627\u0644\u0644\u0647");
  EXPECT_EQ(WideToAnsi(u"\u200C"), "\x9D");
}

struct BestFitCase {
  const char* name;
  const char16_t* wide;
  const char* ansi;
};

class BestFitTable : public ::testing::TestWithParam<BestFitCase> {};

TEST_P(BestFitTable, MapsToTheClosestCharacter) {
  EXPECT_EQ(WideToAnsi(GetParam().wide), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Persian, BestFitTable,
    ::testing::Values(BestFitCase{"FarsiYeh", u"\u06CC", "\xED"},
                      BestFitCase{"PersianDigits", u"\u06F1\u06F3\u06F9\u06F0", "1390"},
                      BestFitCase{"ArabicIndicDigits", u"\u0661\u0662", "12"},
                      BestFitCase{"HehWithYehAbove", u"\u06C0", "\xE5"},
                      BestFitCase{"HehAndHamzaAbove", u"\u0647\u0654", "\xE5"},
                      BestFitCase{"ArabicPunctuation", u"\u066A\u066B\u066C", "%.,"},
                      BestFitCase{"LamAlefLigature", u"\uFEFB", "\xE1\xC7"},
                      BestFitCase{"FinalAlef", u"\uFE8E", "\xC7"},
                      BestFitCase{"IsolatedFarsiYeh", u"\uFBFC", "\xED"},
                      BestFitCase{"MinusSign", u"\u2212", "-"}),
    [](const ::testing::TestParamInfo<BestFitCase>& info) { return info.param.name; });

TEST(CodePage, UnmappableCharacterBecomesDefaultAndIsReported) {
  const char16_t text[] = u"a\u4E2Db";
  char out[8] = {};
  BOOL used = FALSE;
  int n = WideCharToMultiByte(CP_ACP, 0, text, 3, out, sizeof out, nullptr, &used);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(std::string(out, 3), "a?b");
  EXPECT_TRUE(used);
}

TEST(CodePage, NoBestFitFlagRefusesCloseCharacters) {
  const char16_t yeh[] = u"\u06CC";
  char out[4] = {};
  BOOL used = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, yeh, 1, out, sizeof out, nullptr, &used);
  EXPECT_EQ(out[0], '?');
  EXPECT_TRUE(used);
}

TEST(CodePage, SizeQueryAndTooSmallBuffer) {
  const char* text = "\xD3\xE1\xC7\xE3";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 4, nullptr, 0), 4);
  WCHAR small[2];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 4, small, 2), 0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, 4, nullptr, 0), 0);
}

TEST(Utf8, RoundTripsPersianAndSupplementaryCharacters) {
  std::u16string wide = u"\u0633\u0644\u0627\u0645 \U0001F600 abc";
  EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
  EXPECT_EQ(WideToUtf8(u"\u06CC"), "\xDB\x8C");
}

TEST(Utf8, MalformedSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xC3"), u"a\uFFFD");              // truncated
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");      // overlong
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(Utf8ToWide("\xFFz"), u"\uFFFDz");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xFF", 1, nullptr, 0), 0);
}

// Each width of encoding at its edges, alone and next to the others, after what is already there.
TEST(Utf8, AppendsEveryWidthAtItsEdges) {
  struct Case {
    std::u16string wide;
    std::string utf8;
  };
  const Case cases[] = {
      {u"\u007F", "\x7F"},
      {u"\u0080", "\xC2\x80"},
      {u"\u07FF", "\xDF\xBF"},
      {u"\u0800", "\xE0\xA0\x80"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"a\u0645 b\u06CC", "a\xD9\x85 b\xDB\x8C"},
      {u"\U0001F600\u0645", "\xF0\x9F\x98\x80\xD9\x85"},
      {u"", ""},
  };
  for (const Case& c : cases) {
    std::string out = "x,";
    AppendWideAsUtf8(c.wide, out);
    EXPECT_EQ(out, "x," + c.utf8);
  }
}

TEST(Utf8, UnpairedSurrogateIsReplaced) {
  EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace platform
