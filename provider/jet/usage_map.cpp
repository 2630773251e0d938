// Usage maps. The map is a row on a data page; its first byte says which kind it is.
//
// Inline map (kind 0):
//   offset  size  meaning
//   0       1     0
//   1       4     first page covered
//   5       ...   bitmap, least significant bit first: bit i set = page (first + i) is in the map
//
// Reference map (kind 1):
//   0       1     1
//   1       4×k   page numbers of bitmap pages (type 0x05), 0 = none; bitmap page j covers pages
//                 j × B ... (j + 1) × B − 1, where B = (page size − 4) × 8
// Bitmap page: 4-byte header (type 0x05 first), then the bitmap.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/usage_map.h"

#include "provider/jet/data_page.h"

namespace provider::jet {
namespace {

constexpr std::uint8_t kBitmapPage = 0x05;

// A page the map names that the file does not have is corruption (a file cut short, most
// likely): dropping it would show the table as a smaller one.
Status AddBits(const PageFile& file, ByteView bitmap, std::uint64_t firstPage,
               std::vector<std::uint32_t>& pages, const std::string& where) {
  for (std::size_t byte = 0; byte < bitmap.size(); ++byte) {
    const std::uint8_t bits = bitmap.data()[byte];
    if (bits == 0) continue;
    for (int bit = 0; bit < 8; ++bit) {
      if ((bits & (1u << bit)) == 0) continue;
      const std::uint64_t page = firstPage + byte * 8 + bit;
      if (page >= file.PageCount()) return file.BeyondEnd(page, where);
      pages.push_back(static_cast<std::uint32_t>(page));
    }
  }
  return Status::Ok();
}

}  // namespace

Result<std::vector<std::uint32_t>> ReadUsageMap(const PageFile& file, const Format& format,
                                                std::uint32_t pointer, const std::string& where) {
  const std::string here = where + ", usage map";
  Result<RowSlot> slot = ReadPointedSlot(file, format, pointer, false, here);
  VELMORA_RETURN_IF_ERROR(slot);
  const ByteView map = slot.value().bytes;
  std::vector<std::uint32_t> pages;
  if (map.empty()) return Status::Corruption("A usage map is empty.", here);
  if (map.U8(0) == 0) {
    if (!map.Contains(1, 4)) return Status::Corruption("A usage map is cut short.", here);
    Status added = AddBits(file, *map.Slice(5, map.size() - 5), map.U32(1), pages, here);
    VELMORA_RETURN_IF_ERROR(added);
    return pages;
  }
  if (map.U8(0) != 1) return Status::Corruption("A usage map has an unknown kind.", here);
  const std::uint64_t pagesPerBitmap = (format.pageSize - format.bitmapPageStart) * 8;
  for (std::size_t entry = 0; 1 + entry * 4 + 4 <= map.size(); ++entry) {
    const std::uint32_t bitmapPage = map.U32(1 + entry * 4);
    if (bitmapPage == 0) continue;
    const std::string at = here + ", bitmap page " + std::to_string(bitmapPage);
    Result<ByteView> page = file.Page(bitmapPage, at);
    VELMORA_RETURN_IF_ERROR(page);
    if (page.value().U8(0) != kBitmapPage)
      return Status::Corruption("A usage map names a page that is not a bitmap page.", at);
    const ByteView bits = page.value();
    Status added =
        AddBits(file, *bits.Slice(format.bitmapPageStart, bits.size() - format.bitmapPageStart),
                entry * pagesPerBitmap, pages, at);
    VELMORA_RETURN_IF_ERROR(added);
  }
  return pages;
}

}  // namespace provider::jet
