// The pages of a Jet 4 file being written, held in memory and saved whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "provider/status.h"

namespace provider::jet {

constexpr std::size_t kWriterPageSize = 4096;

// Page type bytes written at offset 0.
constexpr std::uint8_t kPageHeader = 0x00;
constexpr std::uint8_t kPageData = 0x01;
constexpr std::uint8_t kPageTableDef = 0x02;
constexpr std::uint8_t kPageBitmap = 0x05;

// The global usage map is row 0 of page 1; a set bit there marks a free page.
constexpr std::uint32_t kGlobalUsageMap = 1u << 8;

// Every page the writer creates after the first two comes from Allocate, which also records it
// as used in the global usage map (page 1 must hold it by then), so the map stays exact as the
// file grows. Page spans stay valid until the next
// Allocate or AppendUntracked.
class PageStore {
 public:
  PageStore() = default;

  std::uint32_t page_count() const {
    return static_cast<std::uint32_t>(bytes_.size() / kWriterPageSize);
  }
  std::span<std::uint8_t> Page(std::uint32_t number);
  std::span<const std::uint8_t> Page(std::uint32_t number) const;

  // Appends a zeroed page with `type` and marks it used in the global usage map.
  Result<std::uint32_t> Allocate(std::uint8_t type);
  // Appends a zeroed page without touching the global map: for the map's own bitmap pages,
  // which the map records once it can address them.
  std::uint32_t AppendUntracked(std::uint8_t type);

  // The data page that new usage maps go to while it has room (0: none yet).
  std::uint32_t usage_map_page() const { return usageMapPage_; }
  void set_usage_map_page(std::uint32_t page) { usageMapPage_ = page; }

  Status Save(const std::string& path) const;
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t usageMapPage_ = 0;
};

}  // namespace provider::jet
