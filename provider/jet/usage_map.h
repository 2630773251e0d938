// Usage maps: the sets of pages a table (or a long-value column) owns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/status.h"

namespace provider::jet {

// The pages of the map stored in the row `pointer` (page << 8 | row), in ascending order. A map
// that names a page past the end of the file fails with corruption: the owner (a table or a
// long-value column) is then unreadable as a whole rather than shown short.
Result<std::vector<std::uint32_t>> ReadUsageMap(const PageFile& file, const Format& format,
                                                std::uint32_t pointer, const std::string& where);

}  // namespace provider::jet
