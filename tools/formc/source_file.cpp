// Opening and reading formc's input files with their checks.
#include "tools/formc/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace formc {

SourceFile::SourceFile(const std::filesystem::path& path) : path_(path) {
  // Opened without waiting, so a named pipe with no writer is refused rather than waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) Fail(std::strerror(errno));
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = errno;
    ::close(fd);
    if (S_ISDIR(info.st_mode)) Fail("it is a directory");
    Fail(S_ISREG(info.st_mode) ? std::strerror(error) : "it is not a regular file");
  }
  file_.reset(fdopen(fd, "rb"));
  if (!file_) {
    ::close(fd);
    Fail(std::strerror(errno));
  }
  size_ = static_cast<std::uintmax_t>(info.st_size);
  if (size_ > kMaxSourceFileSize) {
    Fail("it is larger than " + std::to_string(kMaxSourceFileSize >> 20) + " MB");
  }
}

void SourceFile::Read(std::size_t count, std::string* out) {
  const std::size_t start = out->size();
  out->resize(start + count);
  const std::size_t got = std::fread(out->data() + start, 1, count, file_.get());
  out->resize(start + got);
  if (got < count && std::ferror(file_.get())) Fail(std::strerror(errno));
}

void SourceFile::Fail(const std::string& reason) const {
  throw FileError("cannot read " + path_.string() + ": " + reason);
}

}  // namespace formc
