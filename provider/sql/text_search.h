// Finding characters and short texts in long UTF-16 texts, sixteen or eight places a step.
#pragma once

#include <string_view>

namespace provider::sql {

// The first place in [begin, end) holding `c`, or end.
const char16_t* FindCharacter(const char16_t* begin, const char16_t* end, char16_t c);

// The first place where `needle` occurs in `text`, or npos; an empty needle is found at 0.
// Candidates are the places where the needle's first and last characters both fit, tested
// eight at a time, so that a common first letter costs little.
std::size_t FindText(std::u16string_view text, std::u16string_view needle);

}  // namespace provider::sql
