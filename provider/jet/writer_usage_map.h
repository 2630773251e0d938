// Usage maps as the writer keeps them: which pages a table, a long-value column or the whole
// file owns or has free.
#pragma once

#include <cstdint>
#include <vector>

#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"

namespace provider::jet {

// Every map row the writer makes has this size: an inline map of 512 pages, or, once a page
// beyond that is added, a reference map of 17 bitmap pages in the same slot.
constexpr std::size_t kUsageMapRowSize = 69;

// What a page absent from the map means: for ownership maps "not ours", for the global map
// (whose set bits are free pages) "free".
enum class UsageMapKind { ownedPages, freePages };

// Places a new empty map on the file's usage-map page (allocating one when it is full) and
// returns its row pointer.
Result<std::uint32_t> AddUsageMap(PageStore& store, UsageMapKind kind);

// Adds the maps a new table of `layout` names: its owned and free-space maps, and the two of each
// of its long-value columns, in layout order.
Result<TableMaps> AddTableMaps(PageStore& store, const TableLayout& layout);

// Sets (`set`) or clears the bit of `page` in the map stored at row pointer `map`, converting
// the map to the reference form when the page lies beyond its inline range.
Status SetUsageMapBit(PageStore& store, std::uint32_t map, std::uint32_t page, bool set,
                      UsageMapKind kind);

// The pages whose bit is set, in ascending order, within the pages the map covers.
Result<std::vector<std::uint32_t>> UsageMapPages(PageStore& store, std::uint32_t map);

// The highest `count` pages whose bit is set, highest first: where a writer looks for room,
// without reading the whole map of a large table.
Result<std::vector<std::uint32_t>> LastUsageMapPages(PageStore& store, std::uint32_t map,
                                                     std::size_t count);

}  // namespace provider::jet
