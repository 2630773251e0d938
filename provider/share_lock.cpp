// Advisory file locks for the connection's sharing mode.
#include "provider/share_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace provider {

Status ShareLock::Acquire(const std::string& path, ConnectModeEnum mode) {
  Release();
  const std::string inUse = "The Microsoft Jet database engine cannot open the file '" + path +
                            "'.  It is already opened exclusively by another user, or you need "
                            "permission to view its data.";
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::IoError(inUse, "open");
  const int shareBits = mode & 0x1C;
  const bool exclusive = shareBits == adModeShareDenyRead || shareBits == adModeShareDenyWrite ||
                         shareBits == adModeShareExclusive;
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    ::close(fd);
    return Status::IoError(inUse, "file lock");
  }
  fd_ = fd;
  return Status::Ok();
}

void ShareLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace provider
