// Text index keys: the sort codes of a text under the file's "General" sort order.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The key bytes of `text` (after the column's flag byte, before any inversion) in a file of
// `version`; `codePage` is the one a Jet 3 file stores its text in (only 1252's codes are known).
// notSupported, naming the character, when `text` holds one whose code this engine has not
// established, or for a text whose key the files Access made do not show (a Jet 3 text of
// spaces only or ending in a tab, for one).
Result<std::vector<std::uint8_t>> EncodeTextKey(std::u16string_view text, JetVersion version,
                                                std::uint16_t codePage);

}  // namespace provider::jet
