// Usage maps as the writer keeps them: which pages a table, a long-value column or the whole
// file owns or has free.
//
// A map is one row on a data page (kUsageMapRowSize bytes in the maps this writer makes; maps
// other programs made may be longer, and the whole row counts).
//   Inline (type 0):     0: 0x00 | 1: first page covered (4) | 5: bitmap, LSB first, bit i for
//                        page first + i (64 bytes, 512 pages, in a row of 69)
//   Reference (type 1):  0: 0x01 | 1: page numbers (4 each) of bitmap pages, 0 = none yet;
//                        list entry k covers pages k * B ... (k + 1) * B - 1, B = 32736
//                        [Jet 3: 16352]
//   Bitmap page:         0: 0x05 | 1: 0x01 | 2: 0 (2) | 4: bitmap of the rest of the page
// Maps of Jet 3 files keep 128 bitmap bytes inline; the whole row counts either way.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_usage_map.h"

#include <algorithm>
#include <utility>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_data_page.h"

namespace provider::jet {

namespace {

constexpr std::uint8_t kInlineMap = 0x00;
constexpr std::uint8_t kReferenceMap = 0x01;
constexpr std::size_t kInlineBitmapStart = 5;
constexpr std::size_t kBitmapPageStart = 4;
std::uint32_t PagesPerBitmapPage(const PageStore& store) {
  return static_cast<std::uint32_t>((store.PageSize() - kBitmapPageStart) * 8);
}

Result<std::span<std::uint8_t>> MapRow(PageStore& store, std::uint32_t map) {
  const std::uint32_t page = map >> 8;
  if (page >= store.PageCount())
    return Status::Corruption("Usage map outside the file.", "page " + std::to_string(page));
  auto row = DataRowBytes(store.Page(page), map & 0xFF);
  VELMORA_RETURN_IF_ERROR(row);
  if (row.value().size() <= kInlineBitmapStart)
    return Status::Corruption("Usage map row too short.", "page " + std::to_string(page));
  return row.value();
}

// Pages an inline map of this row covers, and bitmap pages a reference map of it names.
std::uint32_t InlinePages(std::span<const std::uint8_t> row) {
  return static_cast<std::uint32_t>((row.size() - kInlineBitmapStart) * 8);
}
std::size_t ReferenceSlots(std::span<const std::uint8_t> row) {
  return (row.size() - 1) / 4;
}

void SetBit(std::span<std::uint8_t> bitmap, std::uint32_t index, bool set) {
  const std::uint8_t mask = static_cast<std::uint8_t>(1u << (index % 8));
  if (set)
    bitmap[index / 8] |= mask;
  else
    bitmap[index / 8] &= static_cast<std::uint8_t>(~mask);
}

bool GetBit(std::span<const std::uint8_t> bitmap, std::uint32_t index) {
  return (bitmap[index / 8] >> (index % 8)) & 1;
}

// Rewrites an inline map as a reference map with the same pages set. Pages the inline map did
// not cover keep the meaning of absence.
Status ConvertToReference(PageStore& store, std::uint32_t map, UsageMapKind kind) {
  auto pages = UsageMapPages(store, map);
  VELMORA_RETURN_IF_ERROR(pages);
  std::vector<std::uint32_t> cleared;
  {
    auto row = MapRow(store, map);
    VELMORA_RETURN_IF_ERROR(row);
    const std::uint32_t first = Load32(row.value(), 1);
    if (kind == UsageMapKind::freePages) {
      for (std::uint32_t i = 0; i < InlinePages(row.value()); ++i)
        if (!GetBit(row.value().subspan(kInlineBitmapStart), i)) cleared.push_back(first + i);
    }
    std::fill(row.value().begin(), row.value().end(), 0);
    row.value()[0] = kReferenceMap;
  }
  if (kind == UsageMapKind::freePages) {
    for (std::uint32_t page : cleared) {
      Status status = SetUsageMapBit(store, map, page, false, kind);
      VELMORA_RETURN_IF_ERROR(status);
    }
    return Status::Ok();
  }
  for (std::uint32_t page : pages.value()) {
    Status status = SetUsageMapBit(store, map, page, true, kind);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return Status::Ok();
}

}  // namespace

Result<std::uint32_t> AddUsageMap(PageStore& store, UsageMapKind kind) {
  std::vector<std::uint8_t> row(kUsageMapRowSize, 0);
  row[0] = kInlineMap;
  if (kind == UsageMapKind::freePages) std::fill(row.begin() + kInlineBitmapStart, row.end(), 0xFF);
  std::uint32_t page = store.UsageMapPage();
  if (page == 0 || !DataPageHasRoom(store.Page(page), row.size())) {
    auto fresh = store.Allocate(kPageData);
    VELMORA_RETURN_IF_ERROR(fresh);
    page = fresh.value();
    InitDataPage(store.Page(page), 0);
    store.SetUsageMapPage(page);
  }
  auto slot = AddDataRow(store.Page(page), row);
  VELMORA_RETURN_IF_ERROR(slot);
  return PageRow(page, slot.value());
}

Result<TableMaps> AddTableMaps(PageStore& store, const TableLayout& layout) {
  TableMaps maps;
  for (std::uint32_t* map : {&maps.owned, &maps.free}) {
    auto added = AddUsageMap(store, UsageMapKind::ownedPages);
    VELMORA_RETURN_IF_ERROR(added);
    *map = added.value();
  }
  for (const ColumnLayout& column : layout.columns) {
    if (!column.IsLongValue()) continue;
    for (auto* list : {&maps.longValueOwned, &maps.longValueFree}) {
      auto added = AddUsageMap(store, UsageMapKind::ownedPages);
      VELMORA_RETURN_IF_ERROR(added);
      list->push_back(added.value());
    }
  }
  return maps;
}

Status SetUsageMapBit(PageStore& store, std::uint32_t map, std::uint32_t page, bool set,
                      UsageMapKind kind) {
  auto row = MapRow(store, map);
  VELMORA_RETURN_IF_ERROR(row);
  if (row.value()[0] == kInlineMap) {
    const std::uint32_t first = Load32(row.value(), 1);
    if (page >= first && page - first < InlinePages(row.value())) {
      SetBit(row.value().subspan(kInlineBitmapStart), page - first, set);
      return Status::Ok();
    }
    const bool absentSet = kind == UsageMapKind::freePages;
    if (set == absentSet) return Status::Ok();
    Status status = ConvertToReference(store, map, kind);
    VELMORA_RETURN_IF_ERROR(status);
    return SetUsageMapBit(store, map, page, set, kind);
  }
  if (row.value()[0] != kReferenceMap)
    return Status::Corruption("Unknown usage map type.", "row " + std::to_string(map));
  const std::uint32_t perBitmap = PagesPerBitmapPage(store);
  const std::size_t slot = page / perBitmap;
  if (slot >= ReferenceSlots(row.value()))
    return Status::NotSupported("The database has grown beyond its usage maps.",
                                "page " + std::to_string(page));
  std::uint32_t bitmap = Load32(row.value(), 1 + 4 * slot);
  bool fresh = false;
  if (bitmap == 0) {
    const bool absentSet = kind == UsageMapKind::freePages;
    if (set == absentSet) return Status::Ok();
    bitmap = store.AppendUntracked(kPageBitmap);
    auto pageBytes = store.Page(bitmap);
    pageBytes[1] = 0x01;
    if (absentSet) std::fill(pageBytes.begin() + kBitmapPageStart, pageBytes.end(), 0xFF);
    // The append moved the pages: find the map row again.
    row = MapRow(store, map);
    VELMORA_RETURN_IF_ERROR(row);
    Store32(row.value(), 1 + 4 * slot, bitmap);
    fresh = true;
  } else if (bitmap >= store.PageCount()) {
    return Status::Corruption("Bitmap page outside the file.", "row " + std::to_string(map));
  }
  SetBit(store.Page(bitmap).subspan(kBitmapPageStart), page % perBitmap, set);
  if (fresh) return SetUsageMapBit(store, kGlobalUsageMap, bitmap, false, UsageMapKind::freePages);
  return Status::Ok();
}

Result<std::vector<std::uint32_t>> UsageMapPages(PageStore& store, std::uint32_t map) {
  auto row = MapRow(store, map);
  VELMORA_RETURN_IF_ERROR(row);
  std::vector<std::uint32_t> pages;
  if (row.value()[0] == kInlineMap) {
    const std::uint32_t first = Load32(row.value(), 1);
    for (std::uint32_t i = 0; i < InlinePages(row.value()); ++i)
      if (GetBit(row.value().subspan(kInlineBitmapStart), i)) pages.push_back(first + i);
    return pages;
  }
  if (row.value()[0] != kReferenceMap)
    return Status::Corruption("Unknown usage map type.", "row " + std::to_string(map));
  for (std::size_t slot = 0; slot < ReferenceSlots(row.value()); ++slot) {
    const std::uint32_t bitmap = Load32(row.value(), 1 + 4 * slot);
    if (bitmap == 0) continue;
    if (bitmap >= store.PageCount())
      return Status::Corruption("Bitmap page outside the file.", "row " + std::to_string(map));
    auto bits = store.Page(bitmap).subspan(kBitmapPageStart);
    const std::uint32_t perBitmap = PagesPerBitmapPage(store);
    for (std::uint32_t i = 0; i < perBitmap; ++i)
      if (GetBit(bits, i)) pages.push_back(static_cast<std::uint32_t>(slot) * perBitmap + i);
  }
  return pages;
}

Result<std::vector<std::uint32_t>> LastUsageMapPages(PageStore& store, std::uint32_t map,
                                                     std::size_t count) {
  auto row = MapRow(store, map);
  VELMORA_RETURN_IF_ERROR(row);
  std::vector<std::uint32_t> pages;
  // Adds the set bits of `bitmap` (covering pages from `first`), highest first.
  auto collect = [&](std::span<const std::uint8_t> bitmap, std::uint32_t first) {
    for (std::size_t byte = bitmap.size(); byte > 0 && pages.size() < count; --byte) {
      if (bitmap[byte - 1] == 0) continue;
      for (int bit = 7; bit >= 0 && pages.size() < count; --bit)
        if ((bitmap[byte - 1] >> bit) & 1)
          pages.push_back(first + static_cast<std::uint32_t>((byte - 1) * 8 + static_cast<std::size_t>(bit)));
    }
  };
  if (row.value()[0] == kInlineMap) {
    collect(row.value().subspan(kInlineBitmapStart), Load32(row.value(), 1));
    return pages;
  }
  if (row.value()[0] != kReferenceMap)
    return Status::Corruption("Unknown usage map type.", "row " + std::to_string(map));
  for (std::size_t slot = ReferenceSlots(row.value()); slot > 0 && pages.size() < count; --slot) {
    const std::uint32_t bitmap = Load32(row.value(), 1 + 4 * (slot - 1));
    if (bitmap == 0) continue;
    if (bitmap >= store.PageCount())
      return Status::Corruption("Bitmap page outside the file.", "row " + std::to_string(map));
    collect(std::as_const(store).Page(bitmap).subspan(kBitmapPageStart),
            static_cast<std::uint32_t>(slot - 1) * PagesPerBitmapPage(store));
  }
  return pages;
}

}  // namespace provider::jet
