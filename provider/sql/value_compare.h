// Ordering and equality of values as statements compare them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "provider/sql/row_source.h"
#include "provider/value.h"

namespace provider::sql {

// What kinds of values can be compared with one another.
enum class ValueClass { null, number, text, date, binary, guid };

ValueClass ClassOf(ColumnKind kind);
ValueClass ClassOf(const Value& value);

// Whether values of the two classes can meet in a comparison (Null meets anything; numbers
// and dates meet, as dates are day counts).
bool Comparable(ValueClass a, ValueClass b);

// Text compares with the search folding applied (so "=" agrees with LIKE without wildcards:
// letter case, yeh and kaf forms, digits and ignored marks make no difference), in Persian
// alphabetical order for Persian letters and by code unit otherwise.
int CompareText(std::u16string_view a, std::u16string_view b);
// The same for text already folded with FoldText.
int CompareFoldedText(std::u16string_view a, std::u16string_view b);

// <0, 0, >0 for two non-Null values of comparable classes; nothing otherwise.
std::optional<int> CompareValues(const Value& a, const Value& b);

}  // namespace provider::sql
