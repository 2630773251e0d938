// The rollback journal: written and synced before a commit touches the file, removed after.
//
// Journal file, all numbers little-endian:
//   0    16   "VELMORA-JOURNAL" and a zero byte
//   16   4    page size
//   20   4    number of pages the file had before the commit (it is cut back to this)
//   24   4    number of saved pages n
//   28   ...  n entries: page number (4), then the page's old bytes as the file held them
//   end  8    FNV-1a hash of every byte before it; a journal whose hash does not match was
//             not finished, so the file was not touched yet
// An empty journal is one whose commit finished.
#include "provider/jet/writer_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_lock.h"

namespace provider::jet {

namespace {

constexpr char kMagic[16] = "VELMORA-JOURNAL";
constexpr std::size_t kHeaderSize = 28;
constexpr std::size_t kHashSize = 8;

std::uint64_t Hash(const std::uint8_t* data, std::size_t size) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

Status WriteAll(int descriptor, const std::uint8_t* data, std::size_t size, off_t at,
                const std::string& where) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t wrote = ::pwrite(descriptor, data + done, size - done, at + static_cast<off_t>(done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0)
      return Status::IoError("The database file could not be written.",
                             where + ": " + std::strerror(errno));
    done += static_cast<std::size_t>(wrote);
  }
  return Status::Ok();
}

Result<std::vector<std::uint8_t>> ReadWhole(const std::string& path, bool& missing) {
  missing = false;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    missing = errno == ENOENT;
    return Status::IoError("The journal of the database could not be read.", path);
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(descriptor);
      return Status::IoError("The journal of the database could not be read.", path);
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  ::close(descriptor);
  return bytes;
}

}  // namespace

std::string JournalPath(const std::string& path) {
  return path + "-journal";
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

Status SyncFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return Status::IoError("The database folder could not be synced.", folder);
  const int synced = ::fsync(descriptor);
  ::close(descriptor);
  if (synced != 0) return Status::IoError("The database folder could not be synced.", folder);
  return Status::Ok();
}

Status WriteJournal(const std::string& path, std::size_t pageSize, std::uint32_t filePageCount,
                    const std::vector<ChangedPage>& changes) {
  std::vector<std::uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
  Append32(bytes, static_cast<std::uint32_t>(pageSize));
  Append32(bytes, filePageCount);
  std::uint32_t saved = 0;
  for (const ChangedPage& change : changes) saved += change.original.empty() ? 0 : 1;
  Append32(bytes, saved);
  for (const ChangedPage& change : changes) {
    if (change.original.empty()) continue;
    Append32(bytes, change.number);
    bytes.insert(bytes.end(), change.original.begin(), change.original.end());
  }
  const std::uint64_t hash = Hash(bytes.data(), bytes.size());
  Append32(bytes, static_cast<std::uint32_t>(hash));
  Append32(bytes, static_cast<std::uint32_t>(hash >> 32));

  const std::string journal = JournalPath(path);
  struct stat info {};
  const bool created = ::stat(journal.c_str(), &info) != 0;
  const int descriptor = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) return Status::IoError(kReadOnlyMessage, journal);
  Status status = WriteAll(descriptor, bytes.data(), bytes.size(), 0, journal);
  if (status.ok() && ::fdatasync(descriptor) != 0)
    status = Status::IoError("The journal of the database could not be synced.", journal);
  ::close(descriptor);
  if (status.ok() && created) status = SyncFolder(journal);
  if (!status.ok()) ::unlink(journal.c_str());
  return status;
}

Status EmptyJournal(const std::string& path) {
  const std::string journal = JournalPath(path);
  const int descriptor = ::open(journal.c_str(), O_WRONLY | O_CLOEXEC);
  if (descriptor < 0) return Status::IoError("The journal of the database could not be emptied.", journal);
  const bool emptied = ::ftruncate(descriptor, 0) == 0 && ::fdatasync(descriptor) == 0;
  ::close(descriptor);
  if (!emptied) return Status::IoError("The journal of the database could not be emptied.", journal);
  return Status::Ok();
}

Status RemoveJournal(const std::string& path) {
  const std::string journal = JournalPath(path);
  if (::unlink(journal.c_str()) != 0 && errno != ENOENT)
    return Status::IoError("The journal of the database could not be removed.", journal);
  return SyncFolder(journal);
}

Result<std::optional<JournalContents>> ReadJournal(const std::string& path) {
  const std::string journal = JournalPath(path);
  bool missing = false;
  auto bytes = ReadWhole(journal, missing);
  if (missing) return std::optional<JournalContents>();
  VELMORA_RETURN_IF_ERROR(bytes);
  const std::vector<std::uint8_t>& data = bytes.value();
  if (data.size() < kHeaderSize + kHashSize ||
      std::memcmp(data.data(), kMagic, sizeof kMagic) != 0)
    return std::optional<JournalContents>();
  const std::size_t body = data.size() - kHashSize;
  const std::uint64_t stored =
      Load32(data, body) | static_cast<std::uint64_t>(Load32(data, body + 4)) << 32;
  if (stored != Hash(data.data(), body)) return std::optional<JournalContents>();
  JournalContents contents;
  contents.pageSize = Load32(data, 16);
  contents.filePageCount = Load32(data, 20);
  const std::uint32_t count = Load32(data, 24);
  if (contents.pageSize == 0 || body != kHeaderSize + count * (4 + contents.pageSize))
    return Status::Corruption("The journal of the database is damaged.", journal);
  std::size_t at = kHeaderSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t number = Load32(data, at);
    at += 4;
    contents.pages.emplace_back(
        number, std::vector<std::uint8_t>(data.begin() + static_cast<std::ptrdiff_t>(at),
                                          data.begin() + static_cast<std::ptrdiff_t>(at + contents.pageSize)));
    at += contents.pageSize;
  }
  return std::optional<JournalContents>(std::move(contents));
}

Status RestorePages(int descriptor, const JournalContents& journal) {
  for (const auto& [number, bytes] : journal.pages) {
    Status status = WriteAll(descriptor, bytes.data(), bytes.size(),
                             static_cast<off_t>(number) * static_cast<off_t>(journal.pageSize),
                             "page " + std::to_string(number));
    VELMORA_RETURN_IF_ERROR(status);
  }
  if (::ftruncate(descriptor, static_cast<off_t>(journal.filePageCount) *
                                  static_cast<off_t>(journal.pageSize)) != 0 ||
      ::fsync(descriptor) != 0)
    return Status::IoError("The database file could not be restored.", "rollback");
  return Status::Ok();
}

void RestorePages(std::vector<std::uint8_t>& file, const JournalContents& journal) {
  file.resize(std::size_t{journal.filePageCount} * journal.pageSize, 0);
  for (const auto& [number, bytes] : journal.pages) {
    const std::size_t at = std::size_t{number} * journal.pageSize;
    if (at + bytes.size() > file.size()) continue;
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
  }
}

Status RollBackJournal(const std::string& path) {
  auto journal = ReadJournal(path);
  VELMORA_RETURN_IF_ERROR(journal);
  if (journal.value().has_value()) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) return Status::IoError(kReadOnlyMessage, path);
    Status status = RestorePages(descriptor, *journal.value());
    ::close(descriptor);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return RemoveJournal(path);
}

Result<std::optional<std::vector<std::uint8_t>>> RecoverFile(const std::string& path) {
  using Bytes = std::optional<std::vector<std::uint8_t>>;
  struct stat info {};
  if (::stat(JournalPath(path).c_str(), &info) != 0 || info.st_size == 0) return Bytes();
  {
    auto lock = WriterLock::Acquire(path);
    if (lock.ok() && RollBackJournal(path).ok()) return Bytes();
  }
  // A live writer's commit, or a file this process may not restore: read the old state.
  auto journal = ReadJournal(path);
  VELMORA_RETURN_IF_ERROR(journal);
  if (!journal.value().has_value()) return Bytes();
  bool missing = false;
  auto file = ReadWhole(path, missing);
  if (missing) return Bytes();
  VELMORA_RETURN_IF_ERROR(file);
  RestorePages(file.value(), *journal.value());
  return Bytes(file.take());
}

}  // namespace provider::jet
