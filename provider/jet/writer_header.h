// The header page (page 0) of a new Jet 4 file.
#pragma once

#include <cstdint>
#include <vector>

#include "provider/value.h"

namespace provider::jet {

// Page 0 of a Jet 4 database created at `created`, with no password, unencrypted pages and
// the writer's sort order.
std::vector<std::uint8_t> EncodeHeaderPage(DateTime created);

}  // namespace provider::jet
