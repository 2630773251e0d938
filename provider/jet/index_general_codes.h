// The sort codes of the Jet 4 "General" sort order, for the characters whose codes the files
// Access made establish.
#pragma once

#include <array>
#include <cstdint>

namespace provider::jet {

// What one character adds to a text key. A character with primary bytes is a weighted
// character: it adds them, and one accent byte. One with a special weight adds nothing to the
// primary bytes but an entry to the list of specials. One with neither adds nothing at all.
struct GeneralCode {
  char16_t character;
  std::uint8_t size;  // primary bytes used
  std::array<std::uint8_t, 2> primary;
  std::uint8_t accent;   // 0x02: none
  std::uint8_t special;  // 0: not a special character
};

// The code of `character`, or null when it is not established.
const GeneralCode* FindGeneralCode(char16_t character);

// Whether `character` sorts as two letters (Æ as "AE", ß as "SS", Þ as "TH").
bool IsGeneralExpansion(char16_t character);

}  // namespace provider::jet
