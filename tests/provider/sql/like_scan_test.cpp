// Searching whole folded columns: the vectorised text search against the plain one at every
// length and place, and the column search against matching each row in turn.
#include "provider/sql/like_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codepage.h"
#include "provider/sql/search_fold.h"
#include "provider/sql/text_search.h"

namespace provider::sql {
namespace {

// Every text of two letters up to a length has every needle found where the plain search finds
// it: matches at the ends and across the places where the vector steps meet.
TEST(TextSearchTest, FindsWhatThePlainSearchFinds) {
  for (std::size_t length = 0; length <= 40; ++length) {
    for (unsigned seed = 0; seed < 24; ++seed) {
      std::u16string text;
      for (std::size_t i = 0; i < length; ++i)
        text.push_back((seed * 7 + i * i * 3 + i * seed) % 5 == 0 ? u'ب' : u'ا');
      for (std::size_t n = 1; n <= 9 && n <= length + 1; ++n) {
        for (std::size_t from = 0; from + n <= length; from += 3) {
          const std::u16string_view needle = std::u16string_view(text).substr(from, n);
          EXPECT_EQ(FindText(text, needle), std::u16string_view(text).find(needle))
              << "length " << length << ", needle at " << from << " of " << n;
        }
        const std::u16string absent(n, u'ب');
        EXPECT_EQ(FindText(text, absent), std::u16string_view(text).find(absent));
      }
      const char16_t* end = text.data() + text.size();
      const std::size_t plain = std::u16string_view(text).find(u'ب');
      EXPECT_EQ(FindCharacter(text.data(), end, u'ب'),
                plain == std::u16string_view::npos ? end : text.data() + plain);
    }
  }
  EXPECT_EQ(FindText(u"abc", u""), 0u);
  EXPECT_EQ(FindText(u"ab", u"abc"), std::u16string_view::npos);
}

FoldedColumn Column(const std::vector<const char16_t*>& rows) {
  FoldedColumn column;
  column.starts.push_back(0);
  for (const char16_t* row : rows) {
    if (row != nullptr) column.text += Folded(row);
    column.present.push_back(row != nullptr);
    column.starts.push_back(static_cast<std::uint32_t>(column.text.size()));
  }
  return column;
}

std::vector<std::uint32_t> RowByRow(const FoldedColumn& column, const LikeMatcher& matcher,
                                    bool negated) {
  std::vector<std::uint32_t> rows;
  for (std::uint32_t row = 0; row < column.RowCount(); ++row) {
    if (column.present[row] && matcher.Matches(column.Row(row)) != negated) rows.push_back(row);
  }
  return rows;
}

TEST(LikeScanTest, FindsTheRowsThatMatchingEachRowFinds) {
  std::vector<const char16_t*> rows = {
      u"معنای زندگی", nullptr, u"", u"كار و بار", u"مع", u"ع", u"زندگی انسان معاصر",
      u"abc", u"ABC‌d", u"x", nullptr, u"پایان"};
  // Long gaps between matches, crossed by a binary search.
  for (int i = 0; i < 40; ++i) rows.push_back(i % 13 == 0 ? u"آغاز مع" : u"راه");
  const FoldedColumn column = Column(rows);
  for (const char16_t* pattern :
       {u"%مع%", u"مع%", u"%مع", u"مع", u"%ع%", u"%کار%", u"%a_c%", u"%[ab]%", u"%", u"_%", u"",
        u"%abcd%", u"%ز%ی%", u"%غ%", u"%[!ا]%", u"%آغاز%"}) {
    const Result<LikeMatcher> matcher = LikeMatcher::Compile(pattern);
    ASSERT_TRUE(matcher.ok());
    for (bool negated : {false, true}) {
      std::vector<std::uint32_t> found;
      SelectMatching(column, matcher.value(), negated, found);
      EXPECT_EQ(found, RowByRow(column, matcher.value(), negated))
          << (negated ? "NOT LIKE " : "LIKE ") << platform::WideToUtf8(pattern);
    }
  }
}

}  // namespace
}  // namespace provider::sql
