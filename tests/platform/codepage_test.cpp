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
  const char16_t* wide;
  const char* ansi;
};

class BestFitTable : public ::testing::TestWithParam<BestFitCase> {};

TEST_P(BestFitTable, MapsToTheClosestCharacter) {
  EXPECT_EQ(WideToAnsi(GetParam().wide), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Persian, BestFitTable,
    ::testing::Values(BestFitCase{u"\u06CC", "\xED"},                    // Farsi yeh
                      BestFitCase{u"\u06F1\u06F3\u06F9\u06F0", "1390"},  // Persian digits
                      BestFitCase{u"\u0661\u0662", "12"},                // Arabic-Indic digits
                      BestFitCase{u"\u06C0", "\xE5"},                    // heh with yeh above
                      BestFitCase{u"\u0647\u0654", "\xE5"},              // heh + hamza above
                      BestFitCase{u"\u066A\u066B\u066C", "%.,"},         // Arabic punctuation
                      BestFitCase{u"\uFEFB", "\xE1\xC7"},                // lam-alef ligature
                      BestFitCase{u"\uFE8E", "\xC7"},                    // final alef
                      BestFitCase{u"\uFBFC", "\xED"},                    // isolated Farsi yeh
                      BestFitCase{u"\u2212", "-"}));

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
  EXPECT_EQ(Utf8ToWide("a\xC3"), u"a\uFFFD");                    // truncated
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(Utf8ToWide("\xFFz"), u"\uFFFDz");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xFF", 1, nullptr, 0), 0);
}

TEST(Utf8, UnpairedSurrogateIsReplaced) {
  EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace platform
