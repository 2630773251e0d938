// Row slots on data pages (table rows, long values and usage maps): add, find, delete. A page's
// size tells its version: the 2048-byte pages of Jet 3 keep their slot table 4 bytes earlier.
#pragma once

#include <cstdint>
#include <span>

#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The owner field of long-value pages: the ASCII bytes "LVAL".
constexpr std::uint32_t kLongValueOwner = 0x4C41564C;
// Largest row a Jet 4 data page takes (Access's limit; leaves room for the page header and slot).
constexpr std::size_t kMaxRowSize = 4060;
// Largest Jet 4 long-value row: a whole page less header and one slot, as the readers bound it.
constexpr std::size_t kMaxLongValueRow = 4076;

// The same limits for the version of `format` (Jet 3: 2012 and 2032).
std::size_t MaxRowSize(const Format& format);
std::size_t MaxLongValueRow(const Format& format);

// The format of a page the writer holds, known by its size.
const Format& PageFormat(std::span<const std::uint8_t> page);

// Makes `page` an empty data page owned by the table definition at page `owner` (or by long
// values, kLongValueOwner).
void InitDataPage(std::span<std::uint8_t> page, std::uint32_t owner);

// Bytes left between the offset table and the lowest row.
std::size_t DataPageFreeSpace(std::span<const std::uint8_t> page);

// Whether a row of `size` bytes and its offset entry fit.
bool DataPageHasRoom(std::span<const std::uint8_t> page, std::size_t size);

// Copies `row` below the lowest row and returns its slot number. invalidArgument when it does
// not fit (check DataPageHasRoom first).
Result<std::uint32_t> AddDataRow(std::span<std::uint8_t> page, std::span<const std::uint8_t> row);

// The bytes of slot `slot`, flags ignored; corruption when the slot does not exist or its
// offsets are inconsistent.
Result<std::span<std::uint8_t>> DataRowBytes(std::span<std::uint8_t> page, std::uint32_t slot);

// Adds `flags` (kRowDeleted, kRowMoved) to slot `slot`'s entry.
Status FlagDataRow(std::span<std::uint8_t> page, std::uint32_t slot, std::uint16_t flags);

// The flags of slot `slot`'s entry (0 when the slot does not exist).
std::uint16_t DataRowFlags(std::span<const std::uint8_t> page, std::uint32_t slot);

// The number of slots on the page.
std::uint32_t DataRowCount(std::span<const std::uint8_t> page);

// Marks slot `slot` deleted (both flag bits, which every reader honours); its bytes stay.
Status DeleteDataRow(std::span<std::uint8_t> page, std::uint32_t slot);

// Long-value pages only, where a deleted row is named by nothing: whether a row of `size` bytes
// fits once the space of the deleted rows is taken back, in a deleted slot or a new one. False
// for a page whose offsets are damaged.
bool LongValuePageHasRoom(std::span<const std::uint8_t> page, std::size_t size);

// Adds `row` to a long-value page: the deleted rows' bytes are dropped (their slots stay, empty,
// as Access leaves them), and the first deleted slot takes the row, else a new one. Live rows keep
// their slot numbers. Returns the slot; invalidArgument when LongValuePageHasRoom says no.
Result<std::uint32_t> AddLongValueRow(std::span<std::uint8_t> page,
                                      std::span<const std::uint8_t> row);

// Deletes slot `slot` of a long-value page and drops its bytes at once: a deleted row that keeps
// its bytes ahead of a live one makes mdb-reader read the live one short. On a page whose offsets are damaged the bytes stay, as DeleteDataRow leaves
// them; notFound when there is no such slot.
Status DeleteLongValueRow(std::span<std::uint8_t> page, std::uint32_t slot);

}  // namespace provider::jet
