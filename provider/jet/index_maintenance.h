// A table's indexes as one row change keeps them: the row's entries worked out from its stored
// fields, checked against the unique and required indexes, then added or removed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "provider/jet/index_format.h"
#include "provider/jet/index_page.h"
#include "provider/jet/table_def.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_row.h"
#include "provider/status.h"

namespace provider::jet {

// A row's entry in one physical index: none where the index leaves the row out (an
// ignore-nulls index and a key of nulls only) or where it was not asked for.
struct RowEntry {
  std::optional<IndexEntry> entry;
  bool hasNull = false;  // a column of the key is null
};
// One per physical index of the table, in definition order.
using RowEntries = std::vector<RowEntry>;

class IndexMaintenance {
 public:
  // `format` gives the file's version; Jet 3 text is read in `codePage`.
  IndexMaintenance(PageStore& store, const TableDef& definition, const IndexFormat& format,
                   std::uint16_t codePage = 1252)
      : store_(&store), definition_(&definition), format_(&format), codePage_(codePage) {}

  // Whether the table has indexes to keep.
  bool Any() const { return !definition_->indexes.empty(); }
  // Whether index `index`'s key reads a column whose field differs between `a` and `b`.
  bool Touches(std::size_t index, const std::vector<StoredField>& a,
               const std::vector<StoredField>& b) const;
  // The entries of the row with `fields` (one per column, in definition order) named by
  // `location`, for the indexes `wanted` says (all when empty). notSupported, naming the index
  // and the value, for a key this engine cannot encode; corruption for unreadable stored text.
  Result<RowEntries> Entries(const std::vector<StoredField>& fields, std::uint32_t location,
                             const std::vector<bool>& wanted = {}) const;
  // Refuses entries that the indexes may not take: a key a unique index holds already, a null
  // in a required key (invalidArgument, with Jet's messages). Reads only.
  Status Check(const RowEntries& entries);
  Status Add(const RowEntries& entries);
  Status Remove(const RowEntries& entries);

 private:
  std::string Where(std::size_t index) const;

  PageStore* store_;
  const TableDef* definition_;
  const IndexFormat* format_;
  std::uint16_t codePage_;
};

}  // namespace provider::jet
