// The database file as an array of fixed-size pages, read-only, handed out as checked views.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "provider/jet/byte_view.h"
#include "provider/status.h"

namespace provider::jet {

// What the file looked like at one moment: equal stamps mean the file has not been written in
// between, provided the first was settled. A file last modified within the last few seconds is
// not settled, because a second write in the same tick of the file system's clock would leave
// its stamp unchanged; any later write moves an older modification time to the present.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds since the epoch
  std::int64_t changed = 0;
  bool settled = true;

  bool SameFile(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified == other.modified && changed == other.changed;
  }
};

// Owns the file's bytes: a read-only shared mapping of the file (other processes may open,
// read and write it meanwhile), or a buffer given by the caller. Page views stay valid as long as
// the PageFile lives.
class PageFile {
 public:
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  // Maps the file at `path`. Fails with notFound when it does not exist, io when it cannot be
  // read.
  static Result<std::unique_ptr<PageFile>> Open(const std::string& path);
  // Takes the bytes of a whole database file.
  static std::unique_ptr<PageFile> FromBuffer(std::vector<std::uint8_t> bytes);

  // All bytes of the file, for the header reader before the page size is known.
  ByteView Whole() const { return ByteView(data_, size_); }

  // Fixes the page size; a partial page at the end of a truncated file is not a page.
  void SetPageSize(std::size_t pageSize) { pageSize_ = pageSize; }
  std::size_t PageSize() const { return pageSize_; }
  std::uint32_t PageCount() const {
    return pageSize_ == 0 ? 0 : static_cast<std::uint32_t>(size_ / pageSize_);
  }

  // The page `number`, or a corruption status naming it and `where` (the structure that
  // pointed there) when it lies beyond the end of the file. Safe to call from several threads.
  Result<ByteView> Page(std::uint32_t number, const std::string& where) const;
  // The page `number` as Page gives it, but read into `buffer` (its storage reused) where the
  // file is mapped and plain: for a walk over pages read once each and spread across the file,
  // since mapping a page maps the pages around it too. Only the first `head` bytes are read
  // then: the rest of the view is not the page's. The view lasts until `buffer` changes.
  Result<ByteView> ReadPage(std::uint32_t number, std::vector<std::uint8_t>& buffer,
                            const std::string& where, std::size_t head = SIZE_MAX) const;
  // The corruption status for a reference to page `number`, which the file does not have.
  Status BeyondEnd(std::uint64_t number, const std::string& where) const;

  // From now on every page but the header is decrypted with its own key (database key XOR page
  // number) when it is first asked for, into a copy kept as long as the PageFile lives: a file
  // costs the memory and time of the pages read, not of its size.
  void DecryptPages(std::uint32_t databaseKey);

  // The file's stamp now, for telling whether it changed; a file read into a buffer has none
  // (its stamp is always the same and settled).
  FileStamp Stamp() const;

 private:
  PageFile() = default;

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;  // owned mmap region, or null
  int descriptor_ = -1;      // owned, kept for Stamp() while the mapping is the file's
  std::vector<std::uint8_t> buffer_;
  std::size_t pageSize_ = 0;
  std::uint32_t databaseKey_ = 0;  // 0: the pages are plain
  mutable std::mutex decryptedLock_;
  mutable std::unordered_map<std::uint32_t, std::unique_ptr<std::uint8_t[]>> decrypted_;
};

}  // namespace provider::jet
