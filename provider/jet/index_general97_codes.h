// The sort codes of the Jet 3 "General" sort order, for the characters of code page 1252 whose
// codes the files Access made establish.
#pragma once

#include <array>
#include <cstdint>

namespace provider::jet {

// What one character adds to the accent list of a Jet 3 text key.
constexpr std::uint8_t kGeneral97NoEntry = 0x00;   // nothing: not a letter with accented forms
constexpr std::uint8_t kGeneral97NoAccent = 0x02;  // a letter with accented forms, bare
// A letter the files show adding no accent but not how many "no accent" entries (Æ, Œ, Ð, Þ,
// Ø): a key is known only while no accented letter follows it, as its entries are then dropped
// as trailing.
constexpr std::uint8_t kGeneral97EntryUnknown = 0xFF;

// One character's code. It adds its primary bytes to the key and, unless its accent is
// kGeneral97NoEntry, one accent entry per primary byte (ß adds two, as "ss").
struct General97Code {
  char16_t character;
  std::uint8_t size;  // primary bytes used
  std::array<std::uint8_t, 2> primary;
  std::uint8_t accent;  // kGeneral97NoAccent, an accent (0x03 to 0x0A), or one of the above
};

// The code of `character`, or null when it is not established.
const General97Code* FindGeneral97Code(char16_t character);

}  // namespace provider::jet
