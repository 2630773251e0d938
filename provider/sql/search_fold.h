// Search folding: the one table that makes letter variants a Persian reader cannot tell apart
// compare equal. LIKE applies it to both pattern and text; stored and shown text never changes.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace provider::sql {

// What a character folds to, or kIgnored when searching skips it (tatweel, harakat, ZWNJ, ZWJ).
constexpr char16_t kIgnored = 0;

// What every UTF-16 unit folds to, kIgnored for those searching skips: FoldChar as a table.
const std::array<char16_t, 0x10000>& FoldTable();

// The folded form of one UTF-16 unit. U+0000 is ignored too: Jet text never holds it, and a
// pattern cannot express it. Surrogates and unlisted characters fold to themselves.
char16_t FoldChar(char16_t c);

// Appends the folded form of text to out, dropping ignored characters. out is cleared first
// and its storage reused, so folding row after row into one buffer does not allocate.
void FoldText(std::u16string_view text, std::u16string& out);

// The folded form of text as a new string.
std::u16string Folded(std::u16string_view text);

}  // namespace provider::sql
