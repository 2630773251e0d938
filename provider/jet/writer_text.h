// Text as Jet 4 stores it: UCS-2, or the compressed form where that is shorter.
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

}  // namespace provider::jet
