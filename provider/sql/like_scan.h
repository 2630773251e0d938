// LIKE over a whole folded column at once: the rows are found from where the pattern's rarest
// character occurs, not by matching every row.
#pragma once

#include <cstdint>
#include <vector>

#include "provider/sql/like_matcher.h"
#include "provider/sql/row_source.h"

namespace provider::sql {

// Appends to `rows`, in order, the rows of `column` whose value matches `matcher` (or, when
// `negated`, does not), Null rows never. The same rows as matching each row in turn.
void SelectMatching(const FoldedColumn& column, const LikeMatcher& matcher, bool negated,
                    std::vector<std::uint32_t>& rows);

}  // namespace provider::sql
