// The sharing a connection asks for on its database file, held as an advisory lock while the
// connection is open, so that a connection wanting the file to itself and others exclude each
// other.
#pragma once

#include <string>

#include "provider/enums.h"
#include "provider/status.h"

namespace provider {

// Share Deny None (and an unspecified mode) takes a shared lock; Share Exclusive, Share Deny
// Read and Share Deny Write take an exclusive one, so they are refused while any connection
// holds the file and refuse every later one. Locks are advisory: they bind this provider only.
class ShareLock {
 public:
  ShareLock() = default;
  ShareLock(const ShareLock&) = delete;
  ShareLock& operator=(const ShareLock&) = delete;
  ~ShareLock() { Release(); }

  // Locks the file at `path` (which must exist) for `mode`. Failure: io with Jet's message for a
  // file in use, or for a file that cannot be opened at all.
  Status Acquire(const std::string& path, ConnectModeEnum mode);
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace provider
