// Text as Jet files store it: Jet 4 UCS-2, or the compressed form where that is shorter; Jet 3
// one byte a character in the file's code page.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "provider/status.h"

namespace provider::jet {

// The stored bytes of `text`. The compressed form (marker FF FE, then one byte per character
// of U+0001-U+00FF, with a 0x00 byte switching to and from two-byte characters) is chosen when
// it is shorter. A value the plain form would misread (one that starts with U+FEFF) is always
// compressed; invalidArgument if that cannot be done either.
Result<std::vector<std::uint8_t>> EncodeJetText(std::u16string_view text);

// The bytes of `text` in the single-byte code page `codePage` (1252 or 1256, the two the reader
// knows), as Jet 3 stores text. A character the code page lacks is stored as its best fit, as
// the program's own conversions do: Farsi yeh as the yeh of 1256, Persian digits as ASCII digits,
// a Latin letter with a mark 1252 lacks as the bare letter. A character with no close equivalent
// is invalidArgument rather than a silent '?'; another code page is notSupported.
Result<std::vector<std::uint8_t>> EncodeCodePageText(std::u16string_view text,
                                                     std::uint16_t codePage);

}  // namespace provider::jet
