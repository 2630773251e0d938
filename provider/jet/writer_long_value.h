// The long values (memo and OLE) of one column, on the LVAL pages its usage maps own.
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

  // Adds the next rows to `page` (an LVAL page of the column) while it has room.
  void UsePage(std::uint32_t page) { page_ = page; }

 private:
  // Adds one LVAL row, on the page in use while it has room; returns its row pointer.
  Result<std::uint32_t> AddRow(PageStore& store, std::span<const std::uint8_t> row);

  std::uint32_t ownedMap_;
  std::uint32_t freeMap_;
  std::uint32_t page_ = 0;
};

}  // namespace provider::jet
