// LIKE patterns against folded text: wildcards, sets, folding, malformed patterns, and the
// shapes that would make a backtracking matcher take exponential time.
#include "provider/sql/like_matcher.h"

#include <gtest/gtest.h>

#include "provider/sql/search_fold.h"

namespace provider::sql {
namespace {

// A pattern, a text, and whether the pattern matches the text (for either wildcard set).
struct LikeCase {
  const char16_t* pattern;
  const char16_t* text;
  bool matches;
};

void ExpectLike(const LikeCase& c, Wildcards wildcards) {
  Result<LikeMatcher> m = LikeMatcher::Compile(c.pattern, wildcards);
  ASSERT_TRUE(m.ok()) << m.status().ToString();
  EXPECT_EQ(m.value().Matches(Folded(c.text)), c.matches);
}

class Like : public ::testing::TestWithParam<LikeCase> {};

TEST_P(Like, MatchesFoldedText) {
  ExpectLike(GetParam(), Wildcards::ansi);
}

// A pattern that begins and ends with '%' may be matched on a text read a part at a time, as
// long memos are: the beginnings of the text, every part size, agree with the whole text.
TEST_P(Like, GrowingBeginningsAgreeWithTheWholeText) {
  const std::u16string_view pattern = GetParam().pattern;
  Result<LikeMatcher> m = LikeMatcher::Compile(pattern);
  ASSERT_TRUE(m.ok()) << m.status().ToString();
  const bool unanchored = !pattern.empty() && pattern.front() == u'%' && pattern.back() == u'%';
  ASSERT_EQ(m.value().Unanchored(), unanchored);
  if (!unanchored) return;
  const std::u16string text = Folded(GetParam().text);
  for (std::size_t part : {1, 2, 3, 7}) {
    LikeMatcher::Progress progress;
    bool found = false;
    for (std::size_t seen = std::min(part, text.size());;
         seen = std::min(seen + part, text.size())) {
      found = m.value().FoundIn(std::u16string_view(text).substr(0, seen), progress);
      if (found || seen == text.size()) break;
    }
    EXPECT_EQ(found, GetParam().matches) << "parts of " << part;
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Wildcards, Like,
    ::testing::Values(
        LikeCase{u"abc", u"abc", true},
        LikeCase{u"abc", u"abcd", false},
        LikeCase{u"abc", u"ab", false},
        LikeCase{u"%ab%", u"xxabyy", true},
        LikeCase{u"%ab%", u"ab", true},
        LikeCase{u"%ab%", u"a b", false},
        LikeCase{u"ab%", u"abz", true},
        LikeCase{u"ab%", u"zab", false},
        LikeCase{u"%ab", u"zab", true},
        LikeCase{u"%ab", u"abz", false},
        LikeCase{u"a%b%c", u"a-b-c", true},
        LikeCase{u"a%b%c", u"a-c-b", false},
        LikeCase{u"a%a", u"a", false},  // head and tail may not overlap
        LikeCase{u"a%a", u"aa", true},
        LikeCase{u"%%%", u"", true},
        LikeCase{u"%", u"", true},
        LikeCase{u"%", u"anything", true},
        LikeCase{u"", u"", true},
        LikeCase{u"", u"a", false},
        LikeCase{u"_", u"a", true},
        LikeCase{u"_", u"", false},
        LikeCase{u"a_c", u"abc", true},
        LikeCase{u"a_c", u"ac", false},
        LikeCase{u"%a_c%", u"xxabcxx", true},
        LikeCase{u"%_%_%", u"x", false},
        LikeCase{u"%_%_%", u"xy", true},
        LikeCase{u"*", u"abc", false},  // ANSI mode: * ? # are literal
        LikeCase{u"a?c", u"a?c", true},
        LikeCase{u"#", u"5", false},
        LikeCase{u"%ab'c%", u"xab'cx", true},
        LikeCase{u"%abc%def%", u"xabcydefz", true},
        LikeCase{u"%abc%def%", u"xdefyabcz", false},
        LikeCase{u"%abc%cde%", u"abcde", false},  // pieces may not overlap
        LikeCase{u"%[ab]_c%", u"xxbzc", true}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sets, Like,
    ::testing::Values(
        LikeCase{u"[abc]", u"b", true},
        LikeCase{u"[abc]", u"d", false},
        LikeCase{u"[a-c]x", u"bx", true},
        LikeCase{u"[a-c]x", u"dx", false},
        LikeCase{u"[!abc]", u"d", true},
        LikeCase{u"[!abc]", u"a", false},
        LikeCase{u"[!a-c]%", u"zoo", true},
        LikeCase{u"[a-cx-z]", u"y", true},
        LikeCase{u"[-a]", u"-", true},  // '-' first or last is literal
        LikeCase{u"[a-]", u"-", true},
        LikeCase{u"[[]", u"[", true},
        LikeCase{u"[[]a]", u"[a]", true},  // ']' outside a set is literal
        LikeCase{u"[%]", u"%", true},
        LikeCase{u"[%]", u"x", false},
        LikeCase{u"[_]", u"_", true},
        LikeCase{u"[_]", u"x", false},
        LikeCase{u"100[%]", u"100%", true},
        LikeCase{u"[a!]", u"!", true},  // '!' not first is literal
        LikeCase{u"[A-C]", u"b", true},  // set ends are folded too
        LikeCase{u"[0-9]", u"\u06F5", true},  // Persian five
        LikeCase{u"%[\u06CC]%", u"\u0639\u0644\u064A", true}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Folding, Like,
    ::testing::Values(
        LikeCase{u"%ABC%", u"xabcx", true},
        LikeCase{u"%abc%", u"XABCX", true},
        // yeh: the Farsi and Arabic forms find each other
        LikeCase{u"%\u0639\u0644\u06CC%", u"\u0639\u0644\u064A", true},
        LikeCase{u"%\u0639\u0644\u064A%", u"\u0639\u0644\u06CC", true},
        LikeCase{u"%\u0645\u0648\u0633\u06CC%", u"\u0645\u0648\u0633\u0649", true},
        // kaf
        LikeCase{u"%\u06A9\u062A\u0627\u0628%", u"\u0643\u062A\u0627\u0628", true},
        LikeCase{u"%\u0643\u062A\u0627\u0628%", u"\u06A9\u062A\u0627\u0628", true},
        // digits typed either way
        LikeCase{u"%1390%", u"\u0633\u0627\u0644 \u06F1\u06F3\u06F9\u06F0", true},
        LikeCase{u"%\u06F1\u06F3%", u"13", true},
        LikeCase{u"%\u0661\u0663%", u"\u06F1\u06F3", true},
        // harakat and tatweel in the text or the pattern are ignored
        LikeCase{u"%\u0639\u0644\u0645%", u"\u0639\u0650\u0644\u0652\u0645", true},
        LikeCase{u"%\u0639\u0644\u0645%", u"\u0639\u0640\u0640\u0644\u0645", true},
        LikeCase{u"\u0639\u064E\u0644\u0645", u"\u0639\u0644\u0645", true},
        LikeCase{u"\u0639_\u0645", u"\u0639\u0640\u0644\u0645", true},
        LikeCase{u"%\u0640%", u"", true},  // nothing left between the '%'
        LikeCase{u"a%\u064E%b", u"ab", true},
        // ZWNJ
        LikeCase{u"%\u0645\u06CC\u0634\u0648\u062F%", u"\u0645\u06CC\u200C\u0634\u0648\u062F", true},
        LikeCase{u"\u0645\u06CC\u200C\u0634\u0648\u062F", u"\u0645\u06CC\u0634\u0648\u062F", true},
        // alef and heh forms
        LikeCase{u"%\u0627\u0645\u0627\u0645%", u"\u0625\u0645\u0627\u0645", true},
        LikeCase{u"%\u0647", u"\u0631\u0633\u0627\u0644\u0629", true},
        // letters a reader does tell apart stay apart
        LikeCase{u"%\u067E%", u"\u0628", false},
        LikeCase{u"%\u06AF%", u"\u06A9", false}));
// clang-format on

// Every one of these would take exponential time in a backtracking matcher.
INSTANTIATE_TEST_SUITE_P(
    NoBacktracking, Like,
    ::testing::Values(
        LikeCase{u"%a%a%a%a%a%a%a%a%a%a%a%a%a%b",
                 u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
                 false},
        LikeCase{u"%_%_%_%_%_%_%_%_%_%_%_%_%_%b",
                 u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
                 false},
        LikeCase{u"%a%a%a%a%a%a%a%a%a%a%a%a%a%a",
                 u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
                 true}));

class DesignerWildcards : public ::testing::TestWithParam<LikeCase> {};

TEST_P(DesignerWildcards, MatchAsSavedQueriesMeanThem) {
  ExpectLike(GetParam(), Wildcards::designer);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Patterns, DesignerWildcards,
    ::testing::Values(
        LikeCase{u"*ab*", u"xaby", true},
        LikeCase{u"a?c", u"abc", true},
        LikeCase{u"a#c", u"a7c", true},
        LikeCase{u"a#c", u"abc", false},
        LikeCase{u"100%", u"100%", true},
        LikeCase{u"100%", u"1000", false},
        LikeCase{u"a_c", u"abc", false},
        LikeCase{u"[*]*", u"*x", true}));
// clang-format on

TEST(Like, LongTextWithManyPiecesStaysFast) {
  std::u16string text(200000, u'a');
  std::u16string pattern;
  for (int i = 0; i < 200; ++i) pattern += u"%a_";
  pattern += u"%b";
  Result<LikeMatcher> m = LikeMatcher::Compile(pattern);
  ASSERT_TRUE(m.ok());
  EXPECT_FALSE(m.value().Matches(text));
  text.back() = u'b';
  EXPECT_TRUE(m.value().Matches(text));
}

class MalformedPattern : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(MalformedPattern, IsRefusedNotGuessed) {
  Result<LikeMatcher> m = LikeMatcher::Compile(GetParam());
  ASSERT_FALSE(m.ok());
  EXPECT_EQ(m.status().message(), "Invalid pattern string");
}

INSTANTIATE_TEST_SUITE_P(Patterns, MalformedPattern,
                         ::testing::Values(u"%[ab%", u"[", u"[!", u"[]", u"[!]", u"[z-a]",
                                           u"%[9-0]%", u"a[b-"));

}  // namespace
}  // namespace provider::sql
