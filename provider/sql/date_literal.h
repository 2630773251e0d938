// Date literals as statements write them between hashes: #2024-03-21#, #3/21/2024 14:30#.
#pragma once

#include <optional>
#include <string_view>

#include "provider/value.h"

namespace provider::sql {

// The date and time of a literal: year-month-day ("2024-03-21", "2024/3/21") or, as Jet SQL
// reads dates, month/day/year ("3/21/2024", two-digit years 00-29 in this century), either
// optionally followed by a time "h:mm[:ss]" with an optional AM or PM; or a time alone.
// Nothing when the text is not a valid date.
std::optional<DateTime> ParseDateLiteral(std::u16string_view text);

}  // namespace provider::sql
