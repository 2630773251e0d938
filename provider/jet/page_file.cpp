// The database file as an array of fixed-size pages.
#include "provider/jet/page_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "provider/jet/rc4.h"

namespace provider::jet {
namespace {

// File systems keep modification times in ticks of up to two seconds (FAT); within one tick of
// the last write, a further write may leave the time unchanged.
constexpr std::int64_t kTimestampTick = 2'000'000'000;

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

PageFile::~PageFile() {
  if (mapping_ != nullptr) munmap(mapping_, size_);
  if (descriptor_ >= 0) ::close(descriptor_);
}

Result<std::unique_ptr<PageFile>> PageFile::Open(const std::string& path) {
  // Opened without waiting, so a named pipe with no writer is refused rather than waited on.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
  file->descriptor_ = fd;
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
  if (number >= PageCount()) return BeyondEnd(number, where);
  const std::uint8_t* stored = data_ + static_cast<std::size_t>(number) * pageSize_;
  if (databaseKey_ == 0 || number == 0) return ByteView(stored, pageSize_);
  std::lock_guard<std::mutex> hold(decryptedLock_);
  std::unique_ptr<std::uint8_t[]>& page = decrypted_[number];
  if (!page) {
    page = std::make_unique<std::uint8_t[]>(pageSize_);
    std::memcpy(page.get(), stored, pageSize_);
    const std::uint32_t key = databaseKey_ ^ number;
    const std::uint8_t keyBytes[4] = {
        static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
        static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
    Rc4Apply(keyBytes, std::span<std::uint8_t>(page.get(), pageSize_));
  }
  return ByteView(page.get(), pageSize_);
}

Result<ByteView> PageFile::ReadPage(std::uint32_t number, std::vector<std::uint8_t>& buffer,
                                    const std::string& where, std::size_t head) const {
  if (mapping_ == nullptr || databaseKey_ != 0 || number >= PageCount()) return Page(number, where);
  const std::size_t wanted = std::min(head, pageSize_);
  buffer.resize(pageSize_);
  const auto at = static_cast<off_t>(std::size_t{number} * pageSize_);
  const ssize_t read = pread(descriptor_, buffer.data(), wanted, at);
  // A file cut short since it was opened: the mapping would fault on the lost pages.
  if (read != static_cast<ssize_t>(wanted))
    return Status::IoError("Cannot read page " + std::to_string(number) + " of the file.", where);
  return ByteView(buffer.data(), pageSize_);
}

Status PageFile::BeyondEnd(std::uint64_t number, const std::string& where) const {
  return Status::Corruption("The database refers to page " + std::to_string(number) +
                                ", beyond the end of the file (" + std::to_string(PageCount()) +
                                " pages).",
                            where);
}

FileStamp PageFile::Stamp() const {
  struct stat info {};
  if (descriptor_ < 0 || fstat(descriptor_, &info) != 0) return FileStamp{};
  FileStamp stamp;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified = Nanoseconds(info.st_mtim);
  stamp.changed = Nanoseconds(info.st_ctim);
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  stamp.settled = Nanoseconds(now) - stamp.modified > kTimestampTick;
  return stamp;
}

void PageFile::DecryptPages(std::uint32_t databaseKey) {
  databaseKey_ = databaseKey;
}

}  // namespace provider::jet
