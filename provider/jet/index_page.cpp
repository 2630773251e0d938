// Index pages.
//
// Header, Jet 4 offsets [Jet 3]: 0 type (0x03 intermediate, 0x04 leaf), 1 0x01, 2 free space
// (2), 4 table definition page (4), 12 [8] previous page (4), 16 [12] next page (4), 20 [16]
// tail page (4), 24 [20] prefix length (2 [1]), 26 [21] 1 on intermediate pages, 27 [22] a
// bitmap in which bit p set means an entry ends at 0x1E0 [0xF8] + p, where the entries begin.
// The first entry is stored whole, the others without the first `prefix length` bytes, which
// they share with it. An entry is its key, the row's page (3 bytes, big-endian) and slot, and on
// intermediate pages the page below (4 bytes, big-endian).
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_page.h"

#include <algorithm>

#include "provider/jet/writer_bytes.h"

namespace provider::jet {

namespace {

constexpr std::size_t kRowBytes = 4;
constexpr std::size_t kChildBytes = 4;

std::size_t Tail(bool leaf) {
  return kRowBytes + (leaf ? 0 : kChildBytes);
}

std::uint32_t LoadBig32(std::span<const std::uint8_t> at, std::size_t offset) {
  return static_cast<std::uint32_t>(at[offset]) << 24 |
         static_cast<std::uint32_t>(at[offset + 1]) << 16 |
         static_cast<std::uint32_t>(at[offset + 2]) << 8 | at[offset + 3];
}

void AppendBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> Stored(const IndexEntry& entry, bool leaf) {
  std::vector<std::uint8_t> bytes = entry.key;
  AppendBig32(bytes, entry.row);  // the page (3 bytes) and the slot: the row pointer, big-endian
  if (!leaf) AppendBig32(bytes, entry.child);
  return bytes;
}

// The prefix the entries share, within the shortest key so that every entry keeps its row.
std::size_t SharedPrefix(const std::vector<IndexEntry>& entries) {
  if (entries.size() < 2) return 0;
  std::size_t shared = entries.front().key.size();
  for (const IndexEntry& entry : entries) {
    const auto [mine, theirs] =
        std::mismatch(entry.key.begin(), entry.key.end(), entries.front().key.begin(),
                      entries.front().key.begin() + static_cast<std::ptrdiff_t>(shared));
    shared = std::min<std::size_t>(shared, static_cast<std::size_t>(mine - entry.key.begin()));
    (void)theirs;
  }
  return shared;
}

// The prefix written for `page`: what its entries share, as far as the length field can say.
std::size_t PagePrefix(const IndexPage& page, const IndexFormat& format) {
  return std::min<std::size_t>(SharedPrefix(page.entries),
                               format.prefixLengthSize == 2 ? 0xFFFF : 0xFF);
}

std::size_t EntriesSize(const IndexPage& page, std::size_t prefix) {
  std::size_t size = 0;
  for (const IndexEntry& entry : page.entries) size += entry.key.size() + Tail(page.leaf);
  return page.entries.empty() ? 0 : size - prefix * (page.entries.size() - 1);
}

}  // namespace

std::vector<std::uint8_t> SortBytes(const IndexEntry& entry) {
  return Stored(entry, true);
}

bool EntryBefore(const IndexEntry& a, const IndexEntry& b) {
  return SortBytes(a) < SortBytes(b);
}

Result<IndexPage> DecodeIndexPage(std::span<const std::uint8_t> bytes, const IndexFormat& format,
                                  std::uint32_t number) {
  const std::string where = "index page " + std::to_string(number);
  auto damaged = [&](const std::string& what) {
    return Status::Corruption("An index page is damaged: " + what + ".", where);
  };
  if (bytes.size() != format.pageSize) return damaged("it is cut short");
  if (bytes[0] != kPageIndexNode && bytes[0] != kPageIndexLeaf)
    return damaged("it is not an index page");
  IndexPage page;
  page.leaf = bytes[0] == kPageIndexLeaf;
  page.previous = Load32(bytes, format.previousPage);
  page.next = Load32(bytes, format.nextPage);
  page.tail = Load32(bytes, format.tailPage);
  const std::size_t prefix = format.prefixLengthSize == 2 ? Load16(bytes, format.prefixLength)
                                                          : bytes[format.prefixLength];
  const std::size_t tail = Tail(page.leaf);
  std::span<const std::uint8_t> first;
  std::size_t start = format.firstEntry;
  for (std::size_t bit = 0; bit < (format.firstEntry - format.bitmap) * 8; ++bit) {
    if ((bytes[format.bitmap + bit / 8] >> (bit % 8) & 1) == 0) continue;
    const std::size_t end = format.firstEntry + bit;
    if (end > bytes.size()) return damaged("an entry runs past the page");
    std::vector<std::uint8_t> whole;
    if (first.empty()) {
      first = bytes.subspan(start, end - start);
      if (first.size() < prefix) return damaged("its shared prefix is longer than its first entry");
    } else {
      whole.assign(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(prefix));
    }
    whole.insert(whole.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start),
                 bytes.begin() + static_cast<std::ptrdiff_t>(end));
    if (whole.size() < tail) return damaged("an entry is shorter than its row pointer");
    IndexEntry entry;
    const std::size_t keySize = whole.size() - tail;
    entry.key.assign(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keySize));
    entry.row = LoadBig32(whole, keySize);
    if (!page.leaf) entry.child = LoadBig32(whole, keySize + kRowBytes);
    page.entries.push_back(std::move(entry));
    start = end;
  }
  return page;
}

bool IndexPageFits(const IndexPage& page, const IndexFormat& format) {
  return EntriesSize(page, PagePrefix(page, format)) <= format.EntrySpace();
}

void EncodeIndexPage(const IndexPage& page, const IndexFormat& format, std::uint32_t owner,
                     std::span<std::uint8_t> bytes) {
  std::fill(bytes.begin(), bytes.end(), 0);
  bytes[0] = page.leaf ? kPageIndexLeaf : kPageIndexNode;
  bytes[1] = 0x01;
  Store32(bytes, format.owner, owner);
  Store32(bytes, format.previousPage, page.previous);
  Store32(bytes, format.nextPage, page.next);
  Store32(bytes, format.tailPage, page.tail);
  bytes[format.nodeMark] = page.leaf ? 0 : 1;
  const std::size_t prefix = PagePrefix(page, format);
  if (format.prefixLengthSize == 2) {
    Store16(bytes, format.prefixLength, prefix);
  } else {
    bytes[format.prefixLength] = static_cast<std::uint8_t>(prefix);
  }
  std::size_t at = format.firstEntry;
  for (std::size_t i = 0; i < page.entries.size(); ++i) {
    const std::vector<std::uint8_t> stored = Stored(page.entries[i], page.leaf);
    const std::size_t skip = i == 0 ? 0 : prefix;
    std::copy(stored.begin() + static_cast<std::ptrdiff_t>(skip), stored.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(at));
    at += stored.size() - skip;
    const std::size_t bit = at - format.firstEntry;
    bytes[format.bitmap + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
  }
  Store16(bytes, format.freeSpace, format.pageSize - at);
}

}  // namespace provider::jet
