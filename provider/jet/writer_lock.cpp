// The writer's lock entry in the `.ldb` file beside a database.
#include "provider/jet/writer_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace provider::jet {

namespace {

constexpr std::size_t kNameSize = 32;
constexpr std::size_t kEntrySize = 2 * kNameSize;
constexpr int kAttempts = 8;

std::array<char, kEntrySize> OwnEntry() {
  std::array<char, kEntrySize> entry{};
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0) std::strcpy(host, "localhost");
  std::strncpy(entry.data(), host, kNameSize - 1);
  std::strncpy(entry.data() + kNameSize, "Admin", kNameSize - 1);
  return entry;
}

// The machine named in the holder's entry.
std::string HolderMachine(int descriptor) {
  std::array<char, kNameSize + 1> name{};
  if (::pread(descriptor, name.data(), kNameSize, 0) <= 0) return "";
  return std::string(name.data());
}

}  // namespace

std::string LockFilePath(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    return path.substr(0, dot) + ".ldb";
  return path + ".ldb";
}

Result<std::unique_ptr<WriterLock>> WriterLock::Acquire(const std::string& path) {
  const std::string lockPath = LockFilePath(path);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
      if (errno == EACCES || errno == EROFS || errno == EPERM)
        return Status::IoError(kReadOnlyMessage, lockPath);
      return Status::IoError("Could not lock file.", lockPath + ": " + std::strerror(errno));
    }
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = kEntrySize;
    if (::fcntl(descriptor, F_OFD_SETLK, &range) != 0) {
      const std::string machine = HolderMachine(descriptor);
      ::close(descriptor);
      return Status::IoError(
          "Could not update; currently locked by user 'Admin' on machine '" + machine + "'.",
          lockPath);
    }
    // A holder that released the lock in the meantime removed the file this descriptor names;
    // the lock counts only on the file the path names now.
    struct stat opened {};
    struct stat named {};
    if (::fstat(descriptor, &opened) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
      const std::array<char, kEntrySize> entry = OwnEntry();
      if (::pwrite(descriptor, entry.data(), entry.size(), 0) != static_cast<ssize_t>(entry.size())) {
        ::close(descriptor);
        return Status::IoError("Could not lock file.", lockPath);
      }
      return std::unique_ptr<WriterLock>(new WriterLock(lockPath, descriptor));
    }
    ::close(descriptor);
  }
  return Status::IoError("Could not lock file.", lockPath);
}

WriterLock::~WriterLock() {
  // Removed while still locked, so no one takes a lock on a file about to disappear.
  ::unlink(lockPath_.c_str());
  ::close(descriptor_);
}

}  // namespace provider::jet
