// The database file as an array of fixed-size pages.
#include "provider/jet/page_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "provider/jet/rc4.h"

namespace provider::jet {

PageFile::~PageFile() {
  if (mapping_ != nullptr) munmap(mapping_, size_);
}

Result<std::unique_ptr<PageFile>> PageFile::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      return Status::NotFound("Could not find file '" + path + "'.", path);
    return Status::IoError("Cannot open file '" + path + "': " + std::strerror(errno) + ".", path);
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::IoError("Cannot open file '" + path + "': not a regular file.", path);
  }
  std::unique_ptr<PageFile> file(new PageFile());
  file->size_ = static_cast<std::size_t>(info.st_size);
  if (file->size_ > 0) {
    void* mapping = mmap(nullptr, file->size_, PROT_READ, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) {
      ::close(fd);
      return Status::IoError("Cannot read file '" + path + "': " + std::strerror(errno) + ".",
                             path);
    }
    file->mapping_ = mapping;
    file->data_ = static_cast<const std::uint8_t*>(mapping);
  }
  ::close(fd);
  return file;
}

std::unique_ptr<PageFile> PageFile::FromBuffer(std::vector<std::uint8_t> bytes) {
  std::unique_ptr<PageFile> file(new PageFile());
  file->buffer_ = std::move(bytes);
  file->data_ = file->buffer_.data();
  file->size_ = file->buffer_.size();
  return file;
}

Result<ByteView> PageFile::Page(std::uint32_t number, const std::string& where) const {
  if (number >= page_count()) return BeyondEnd(number, where);
  return ByteView(data_ + static_cast<std::size_t>(number) * pageSize_, pageSize_);
}

Status PageFile::BeyondEnd(std::uint64_t number, const std::string& where) const {
  return Status::Corruption("The database refers to page " + std::to_string(number) +
                                ", beyond the end of the file (" + std::to_string(page_count()) +
                                " pages).",
                            where);
}

void PageFile::DecryptPages(std::uint32_t databaseKey) {
  if (mapping_ != nullptr) {
    buffer_.assign(data_, data_ + size_);
    munmap(mapping_, size_);
    mapping_ = nullptr;
    data_ = buffer_.data();
  }
  for (std::uint32_t page = 1; page < page_count(); ++page) {
    std::uint32_t key = databaseKey ^ page;
    std::uint8_t keyBytes[4] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                                static_cast<std::uint8_t>(key >> 16),
                                static_cast<std::uint8_t>(key >> 24)};
    Rc4Apply(keyBytes, std::span<std::uint8_t>(buffer_.data() + page * pageSize_, pageSize_));
  }
}

}  // namespace provider::jet
