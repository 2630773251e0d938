// Reading a whole physical index: every leaf entry, in the order of the leaf chain.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "provider/jet/index_format.h"
#include "provider/jet/index_page.h"
#include "provider/status.h"

namespace provider::jet {

// The bytes of page `number` as the file holds it (decrypted), or why it cannot be had.
using IndexPageSource = std::function<Result<std::span<const std::uint8_t>>(std::uint32_t number)>;

// The index page `number`, checked to be an index page of the table defined at page `owner`.
Result<IndexPage> ReadIndexPage(const IndexPageSource& source, const IndexFormat& format,
                                std::uint32_t number, std::uint32_t owner);

// The leaf entries of the index whose root is `root`: down the first entries (or, on an
// intermediate page without entries, its tail) to the first leaf, then along the leaves' next
// links, which reach the tail leaf too. corruption for a page that is not an index page of the
// table, a broken or looping chain, or a tree deeper than any file holds.
Result<std::vector<IndexEntry>> ReadIndexEntries(const IndexPageSource& source,
                                                 const IndexFormat& format, std::uint32_t root,
                                                 std::uint32_t owner);

}  // namespace provider::jet
