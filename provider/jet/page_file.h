// The database file as an array of fixed-size pages, read-only, handed out as checked views.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
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
  ByteView whole() const { return ByteView(data_, size_); }

  // Fixes the page size; a partial page at the end of a truncated file is not a page.
  void SetPageSize(std::size_t pageSize) { pageSize_ = pageSize; }
  std::size_t page_size() const { return pageSize_; }
  std::uint32_t page_count() const {
    return pageSize_ == 0 ? 0 : static_cast<std::uint32_t>(size_ / pageSize_);
  }

  // The page `number`, or a corruption status naming it and `where` (the structure that
  // pointed there) when it lies beyond the end of the file.
  Result<ByteView> Page(std::uint32_t number, const std::string& where) const;

  // The file's stamp now. A buffer, or the private decrypted copy of an encrypted file, never
  // changes: its stamp is always the same and settled.
  FileStamp Stamp() const;

  // Decrypts every page but the header with the per-page key (database key XOR page number).
  // The mapping is replaced by a private decrypted copy.
  void DecryptPages(std::uint32_t databaseKey);

 private:
  PageFile() = default;

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;  // owned mmap region, or null
  int descriptor_ = -1;      // owned, kept for Stamp() while the mapping is the file's
  std::vector<std::uint8_t> buffer_;
  std::size_t pageSize_ = 0;
};

}  // namespace provider::jet
