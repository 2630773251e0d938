// Finding the rows of a folded column that match a LIKE pattern.
#include "provider/sql/like_scan.h"

#include <algorithm>

#include "provider/sql/text_search.h"

namespace provider::sql {
namespace {

// How much of the column is counted to tell which required character is rarest.
constexpr std::size_t kSampleSize = 1 << 16;

std::size_t CountIn(std::u16string_view text, char16_t c) {
  std::size_t count = 0;
  const char16_t* end = text.data() + text.size();
  for (const char16_t* at = FindCharacter(text.data(), end, c); at != end;
       at = FindCharacter(at + 1, end, c))
    ++count;
  return count;
}

// The required character seen least often in a sample of the text; 0 when there is none.
char16_t RarestRequired(const LikeMatcher& matcher, std::u16string_view text) {
  const std::u16string required = matcher.RequiredCharacters();
  if (required.empty()) return 0;
  const std::u16string_view sample = text.substr(0, kSampleSize);
  char16_t rarest = required.front();
  std::size_t fewest = CountIn(sample, rarest);
  for (char16_t c : required.substr(1)) {
    if (fewest == 0) break;
    const std::size_t count = CountIn(sample, c);
    if (count < fewest) {
      rarest = c;
      fewest = count;
    }
  }
  return rarest;
}

// The rows that match, each tested whole; rows without `anchor` anywhere are skipped unread.
void MatchingRows(const FoldedColumn& column, const LikeMatcher& matcher, char16_t anchor,
                  std::vector<std::uint32_t>& rows) {
  const std::uint32_t count = column.RowCount();
  if (anchor == 0) {
    for (std::uint32_t row = 0; row < count; ++row) {
      if (column.present[row] && matcher.Matches(column.Row(row))) rows.push_back(row);
    }
    return;
  }
  const char16_t* text = column.text.data();
  const char16_t* end = text + column.text.size();
  std::uint32_t row = 0;
  for (const char16_t* at = FindCharacter(text, end, anchor); at != end;) {
    const auto offset = static_cast<std::uint32_t>(at - text);
    // Rows are laid end to end, so the one holding the offset is found by moving forward; a
    // long gap is crossed by a binary search.
    if (column.starts[row + 1] <= offset) {
      if (column.starts[std::min(row + 8, count)] <= offset) {
        row = static_cast<std::uint32_t>(
            std::upper_bound(column.starts.begin() + row, column.starts.end() - 1, offset) -
            column.starts.begin() - 1);
      } else {
        while (column.starts[row + 1] <= offset) ++row;
      }
    }
    if (matcher.Matches(column.Row(row))) rows.push_back(row);
    at = FindCharacter(text + column.starts[row + 1], end, anchor);
  }
}

}  // namespace

void SelectMatching(const FoldedColumn& column, const LikeMatcher& matcher, bool negated,
                    std::vector<std::uint32_t>& rows) {
  const char16_t anchor = RarestRequired(matcher, column.text);
  if (!negated) {
    MatchingRows(column, matcher, anchor, rows);
    return;
  }
  std::vector<std::uint32_t> matching;
  MatchingRows(column, matcher, anchor, matching);
  auto next = matching.begin();
  for (std::uint32_t row = 0; row < column.RowCount(); ++row) {
    if (next != matching.end() && *next == row) {
      ++next;
    } else if (column.present[row]) {
      rows.push_back(row);
    }
  }
}

}  // namespace provider::sql
