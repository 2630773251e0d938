// The pages of a Jet file being written: a new (Jet 4) file held in memory and saved whole, or an
// existing Jet 3 or Jet 4 file whose pages are read on first use and whose changes are kept until
// written back.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The page size of the files the writer creates (Jet 4).
constexpr std::size_t kWriterPageSize = 4096;

// Page type bytes written at offset 0.
constexpr std::uint8_t kPageHeader = 0x00;
constexpr std::uint8_t kPageData = 0x01;
constexpr std::uint8_t kPageTableDef = 0x02;
constexpr std::uint8_t kPageBitmap = 0x05;

// The global usage map is row 0 of page 1; a set bit there marks a free page.
constexpr std::uint32_t kGlobalUsageMap = 1u << 8;

// A page whose stored bytes differ from what the file holds: what the file holds now
// (`original`, empty for a page beyond the end of the file) and what it is to hold (`stored`,
// encrypted when the file's pages are).
struct ChangedPage {
  std::uint32_t number = 0;
  std::vector<std::uint8_t> original;
  std::vector<std::uint8_t> stored;
};

// Every page the writer creates after the first two comes from Allocate, which also records it
// as used in the global usage map (page 1 must hold it by then), so the map stays exact as the
// file grows. Each page has its own buffer: page spans stay valid as long as the store.
//
// A store over a file reads each page when it is first asked for. A page that cannot be read
// (an I/O error) reads as zeros and the store's ReadStatus() keeps the error, which Changes() and
// every later use report: a change never goes out based on a page the store did not see.
class PageStore {
 public:
  // An empty store for a new file.
  PageStore() = default;
  // The `pageCount` pages of the open file `descriptor` (not owned; it must outlive the store),
  // laid out as `format` says. Pages other than page 0 are RC4-encrypted under (databaseKey XOR
  // page number) when `databaseKey` is not 0.
  static std::unique_ptr<PageStore> OverFile(int descriptor, std::uint32_t pageCount,
                                             std::uint32_t databaseKey,
                                             const Format& format = Format::Jet4());

  // The file's version and offsets; every page span the store hands out is PageSize() long.
  const Format& JetFormat() const { return *format_; }
  std::size_t PageSize() const { return format_->pageSize; }
  std::uint32_t PageCount() const { return pageCount_; }
  std::span<std::uint8_t> Page(std::uint32_t number);
  std::span<const std::uint8_t> Page(std::uint32_t number) const;

  // Appends a zeroed page with `type` and marks it used in the global usage map.
  Result<std::uint32_t> Allocate(std::uint8_t type);
  // Appends a zeroed page without touching the global map: for the map's own bitmap pages,
  // which the map records once it can address them.
  std::uint32_t AppendUntracked(std::uint8_t type);

  // The data page that new usage maps go to while it has room (0: none yet).
  std::uint32_t UsageMapPage() const { return usageMapPage_; }
  void SetUsageMapPage(std::uint32_t page) { usageMapPage_ = page; }

  // A change that must happen whole or not at all: BeginChange() remembers every page as it is
  // when first handed out for writing, UndoChange() puts them back and drops the pages added
  // since, EndChange() keeps what was done.
  void BeginChange();
  void UndoChange();
  void EndChange();

  // The first failed page read, or ok.
  const Status& ReadStatus() const { return status_; }
  // The pages that differ from the file (or are new), in page order, in the file's form.
  Result<std::vector<ChangedPage>> Changes() const;
  // The number of pages the file had when the store was made over it.
  std::uint32_t FilePageCount() const { return filePageCount_; }

  // Writes a store made for a new file.
  Status Save(const std::string& path) const;
  // The whole file.
  std::vector<std::uint8_t> Bytes() const;

 private:
  using Buffer = std::unique_ptr<std::uint8_t[]>;
  // A page handed out: its bytes, and those the file held when it was read (none for a new one).
  struct Held {
    Buffer bytes;
    Buffer original;
  };

  Held& Load(std::uint32_t number) const;
  // `page` as the file stores it: encrypted when the file's pages are.
  void Encrypt(std::uint32_t number, std::span<std::uint8_t> page) const;

  // Only the pages handed out are held, so a transaction costs what it touches, not the file.
  mutable std::map<std::uint32_t, Held> pages_;
  std::uint32_t pageCount_ = 0;
  mutable Status status_;
  bool changing_ = false;
  std::uint32_t changePageCount_ = 0;
  std::uint32_t changeUsageMapPage_ = 0;
  std::vector<std::pair<std::uint32_t, Buffer>> before_;  // pages as they were at BeginChange
  int descriptor_ = -1;
  std::uint32_t filePageCount_ = 0;
  std::uint32_t databaseKey_ = 0;
  std::uint32_t usageMapPage_ = 0;
  const Format* format_ = &Format::Jet4();
};

}  // namespace provider::jet
