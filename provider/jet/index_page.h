// One index page, leaf or intermediate: its links and its entries, decoded and encoded.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "provider/jet/index_format.h"
#include "provider/status.h"

namespace provider::jet {

// A leaf entry names a row by its key; an intermediate entry names the page below, with the
// key and row of that page's last entry.
struct IndexEntry {
  std::vector<std::uint8_t> key;  // the encoded key
  std::uint32_t row = 0;          // page << 8 | slot of the row
  std::uint32_t child = 0;        // intermediate entries: the page below

  bool operator==(const IndexEntry&) const = default;
};

// The order of entries on the pages: their key bytes followed by the row's page (3 bytes) and
// slot (1 byte), compared byte by byte.
std::vector<std::uint8_t> SortBytes(const IndexEntry& entry);
bool EntryBefore(const IndexEntry& a, const IndexEntry& b);

struct IndexPage {
  bool leaf = true;
  std::uint32_t previous = 0;  // the page before this one at its level, 0 for none
  std::uint32_t next = 0;
  std::uint32_t tail = 0;  // intermediate pages: the last leaf, which no entry names
  std::vector<IndexEntry> entries;
};

// Decodes index page `number` (for messages). corruption when it is not an index page or its
// entries do not add up.
Result<IndexPage> DecodeIndexPage(std::span<const std::uint8_t> bytes, const IndexFormat& format,
                                  std::uint32_t number);

// Whether `page`'s entries fit one page, prefix compression applied.
bool IndexPageFits(const IndexPage& page, const IndexFormat& format);

// Writes `page` over `bytes` (a whole page) as an index page of the table whose definition is
// at `owner`. The entries must fit (IndexPageFits).
void EncodeIndexPage(const IndexPage& page, const IndexFormat& format, std::uint32_t owner,
                     std::span<std::uint8_t> bytes);

}  // namespace provider::jet
