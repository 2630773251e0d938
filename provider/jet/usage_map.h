// Usage maps: the sets of pages a table (or a long-value column) owns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/status.h"

namespace provider::jet {

// The pages of the map stored in the row `pointer` (page << 8 | row), in ascending order, limited
// to pages that exist in the file.
Result<std::vector<std::uint32_t>> ReadUsageMap(const PageFile& file, const Format& format,
                                                std::uint32_t pointer, const std::string& where);

}  // namespace provider::jet
