// The lock a writer holds on a database file: an entry in the `.ldb` file beside it, as Access
// keeps one, locked for as long as the writer lives.
#pragma once

#include <memory>
#include <string>

#include "provider/status.h"

namespace provider::jet {

// `x.ldb` for `x.mdb` (any extension), `x.ldb` for `x`.
std::string LockFilePath(const std::string& path);

// Held by one writer of a file at a time, across processes and within one (each lock is its
// own open file). The `.ldb` file holds the holder's entry: 32 bytes of machine name and 32 of
// user name ("Admin"), each padded with zero bytes. It is removed when the lock is released.
class WriterLock {
 public:
  ~WriterLock();
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

  // Takes the lock of the database at `path`. Failures (io): "Could not update; currently
  // locked by user 'Admin' on machine 'm'." while another writer holds it; "Cannot update.
  // Database or object is read-only." when the lock file cannot be created (a read-only folder).
  static Result<std::unique_ptr<WriterLock>> Acquire(const std::string& path);

 private:
  WriterLock(std::string lockPath, int descriptor)
      : lockPath_(std::move(lockPath)), descriptor_(descriptor) {}

  std::string lockPath_;
  int descriptor_;
};

// Jet's message for a change refused because the file or its folder may not be written.
inline const char kReadOnlyMessage[] = "Cannot update. Database or object is read-only.";

}  // namespace provider::jet
