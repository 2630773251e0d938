// The long values (memo and OLE) of one column, on the LVAL pages its usage maps own. Space a
// freed value leaves on those pages is taken again by the next values before a page is added, so
// editing one memo over and over does not grow the file without bound.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// Values up to this many bytes stay inside the row.
constexpr std::size_t kInlineLongValueLimit = 64;

// The bytes a memo (Jet text) or OLE (the data as it is) value of `column` stores;
// invalidArgument when the value is of another kind.
Result<std::vector<std::uint8_t>> LongValueBytes(const ColumnLayout& column, const Value& value);

class LongValueWriter {
 public:
  LongValueWriter(std::uint32_t ownedMap, std::uint32_t freeMap)
      : ownedMap_(ownedMap), freeMap_(freeMap) {}

  // The column's part of a row for `data`: its 12-byte header, followed by the data itself
  // when it is stored inline. Longer data goes to one LVAL row, or to a chain of them.
  Result<std::vector<std::uint8_t>> Store(PageStore& store, std::span<const std::uint8_t> data);

  // Pages to try first for the next rows (pages of the column whose values were just freed),
  // before the column's maps are searched.
  void OfferPages(std::vector<std::uint32_t> pages) { offered_ = std::move(pages); }

 private:
  // Adds one LVAL row, on the page in use while it has room; returns its row pointer.
  Result<std::uint32_t> AddRow(PageStore& store, std::span<const std::uint8_t> row);
  // A long-value page with room for a row of `size` bytes, once its deleted rows' space is taken
  // back: an offered page, one of the last pages of the column's free-space map or of its
  // owned map, else a new page added to both maps.
  Result<std::uint32_t> PageWithRoom(PageStore& store, std::size_t size);

  std::uint32_t ownedMap_;
  std::uint32_t freeMap_;
  std::uint32_t page_ = 0;
  std::vector<std::uint32_t> offered_;
};

}  // namespace provider::jet
