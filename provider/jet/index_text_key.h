// Text index keys: the sort codes of a text under the file's "General" sort order.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The key bytes of `text` (after the column's flag byte, before any inversion). notSupported,
// naming the character, when `text` holds one whose code this engine has not established.
Result<std::vector<std::uint8_t>> EncodeTextKey(std::u16string_view text, JetVersion version);

}  // namespace provider::jet
