// The search folding table, one line per case, and what it means for text typed through
// code page 1256.
#include "provider/sql/search_fold.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace provider::sql {
namespace {

struct FoldCase {
  const char16_t* text;
  const char16_t* folded;
};

class SearchFold : public ::testing::TestWithParam<FoldCase> {};

TEST_P(SearchFold, FoldsToTheSearchForm) {
  EXPECT_EQ(Folded(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SearchFold,
    ::testing::Values(FoldCase{u"AbC xyZ", u"abc xyz"},              // ASCII case
                      FoldCase{u"\u00C9T\u00C9", u"\u00E9t\u00E9"},  // Latin-1 case
                      FoldCase{u"\u00D7\u00F7", u"\u00D7\u00F7"},    // signs, not letters
                      FoldCase{u"\u0394\u0416", u"\u03B4\u0436"},    // Greek, Cyrillic
                      FoldCase{u"\u064A", u"\u06CC"},                // Arabic yeh
                      FoldCase{u"\u0649", u"\u06CC"},                // alef maksura
                      FoldCase{u"\u0626", u"\u06CC"},                // yeh with hamza
                      FoldCase{u"\u06CC", u"\u06CC"},                // Farsi yeh stays
                      FoldCase{u"\u0643", u"\u06A9"},                // Arabic kaf
                      FoldCase{u"\u0623\u0625\u0622\u0671", u"\u0627\u0627\u0627\u0627"},  // alefs
                      FoldCase{u"\u0624", u"\u0648"},                  // waw with hamza
                      FoldCase{u"\u0629\u06C0", u"\u0647\u0647"},      // teh marbuta, heh-yeh
                      FoldCase{u"\u06F1\u06F3\u06F9\u06F0", u"1390"},  // Persian digits
                      FoldCase{u"\u0660\u0665\u0669", u"059"},         // Arabic-Indic digits
                      FoldCase{u"\u0639\u0640\u0644\u0640\u0645",
                               u"\u0639\u0644\u0645"},  // tatweel
                      FoldCase{u"\u0639\u064E\u0644\u0650\u0645\u064C", u"\u0639\u0644\u0645"},
                      FoldCase{u"\u0647\u0651\u0670\u065F", u"\u0647"},  // shadda, alef, last
                      FoldCase{u"\u0645\u06CC\u200C\u0634\u0648\u062F",
                               u"\u0645\u06CC\u0634\u0648\u062F"},                         // ZWNJ
                      FoldCase{u"a\u200Db", u"ab"},                                        // ZWJ
                      FoldCase{u"\u067E\u0686\u0698\u06AF", u"\u067E\u0686\u0698\u06AF"},  // kept
                      FoldCase{u"\U0001F600", u"\U0001F600"},  // surrogates kept
                      FoldCase{u"", u""}));

TEST(SearchFold, ReusesTheBufferItIsGiven) {
  std::u16string buffer;
  FoldText(u"\u0643\u062A\u0627\u0628 ABC", buffer);
  EXPECT_EQ(buffer, u"\u06A9\u062A\u0627\u0628 abc");
  FoldText(u"\u0640", buffer);
  EXPECT_EQ(buffer, u"");
}

// A Persian keyboard's yeh reaches the statement through code page 1256 as Arabic yeh (0xED);
// folded, it equals the Farsi yeh the text was stored with.
TEST(SearchFold, TextTypedThroughCodePage1256FoldsLikeStoredText) {
  std::u16string typed = platform::AnsiToWide(platform::WideToAnsi(u"\u06A9\u06CC"));
  ASSERT_EQ(typed, u"\u06A9\u064A");
  EXPECT_EQ(Folded(typed), Folded(u"\u06A9\u06CC"));
}

}  // namespace
}  // namespace provider::sql
