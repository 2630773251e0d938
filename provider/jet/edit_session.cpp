// The writer's session on one file: lock, transactions, commit through the rollback journal.
#include "provider/jet/edit_session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "provider/jet/object_name.h"
#include "provider/jet/writer_new_table.h"
#include "provider/jet/writer_journal.h"

namespace provider::jet {

namespace {

// A file or folder nobody may write is read-only for every user: the superuser, whom
// access() lets write anything, is refused like anyone else.
bool Writable(const std::string& path) {
  struct stat info {};
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & kAnyWrite) != 0 &&
         ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

bool EditSession::CanWrite(const std::string& path) {
  return Writable(path) && Writable(FolderOf(path));
}

EditSession::~EditSession() {
  store_.reset();
  if (descriptor_ >= 0) ::close(descriptor_);
  // Every commit left the journal empty; the lock is still held while it goes.
  struct stat info {};
  if (lock_ && ::stat(JournalPath(path_).c_str(), &info) == 0 && info.st_size == 0)
    (void)RemoveJournal(path_);
}

Result<std::unique_ptr<EditSession>> EditSession::Open(const std::string& path,
                                                       const OpenOptions& options) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return Status::NotFound("Could not find file '" + path + "'.", path);
  if (!CanWrite(path))
    return Status::IoError(kReadOnlyMessage, path);
  std::unique_ptr<EditSession> session(new EditSession(path, options));
  auto lock = WriterLock::Acquire(path);
  VELMORA_RETURN_IF_ERROR(lock);
  session->lock_ = lock.take();
  // A writer that died in a commit left its journal: the file goes back to before that commit.
  VELMORA_RETURN_IF_ERROR(RollBackJournal(path));
  session->descriptor_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (session->descriptor_ < 0) return Status::IoError(kReadOnlyMessage, path);
  auto database = provider::jet::Database::Open(path, options);
  VELMORA_RETURN_IF_ERROR(database);
  session->database_ = database.take();
  return session;
}

const Database& EditSession::Database() {
  if (databaseStale_) {
    auto reopened = provider::jet::Database::Open(path_, options_);
    // The file was just written and synced by this session, under its lock.
    if (reopened.ok()) {
      database_ = reopened.take();
      databaseStale_ = false;
    }
  }
  return *database_;
}

Status EditSession::Begin() {
  if (InTransaction())
    return Status::InvalidArgument("A transaction is open already.", path_);
  struct stat info {};
  if (::fstat(descriptor_, &info) != 0)
    return Status::IoError("The database file could not be read.", path_);
  const Format& format = database_->FileFormat();
  const auto pages =
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(info.st_size) / format.pageSize);
  store_ = PageStore::OverFile(descriptor_, pages, database_->FileHeader().databaseKey, format);
  return Status::Ok();
}

Result<const EditedTable*> EditSession::TableNamed(std::string_view name) {
  for (const auto& [known, table] : tables_)
    if (SameName(known, name)) return table.get();
  auto definition = Database().TableDefinition(name);
  VELMORA_RETURN_IF_ERROR(definition);
  const std::string stored = definition.value().name;
  const std::uint16_t codePage =
      options_.codePage != 0 ? options_.codePage : Database().FileHeader().codePage;
  auto table = EditedTable::Read(*store_, definition.take(), codePage);
  VELMORA_RETURN_IF_ERROR(table);
  auto& kept = tables_[stored];
  kept = std::make_unique<EditedTable>(table.take());
  return kept.get();
}

template <typename Change>
Result<std::uint32_t> EditSession::Run(std::string_view table, Change change) {
  const bool own = !InTransaction();
  if (own) VELMORA_RETURN_IF_ERROR(Begin());
  store_->BeginChange();
  Result<std::uint32_t> result = Status::Ok();
  auto edited = TableNamed(table);
  if (edited.ok()) {
    RowEdit rows(*store_, *edited.value());
    result = change(rows);
  } else {
    result = edited.status();
  }
  if (result.ok() && !store_->ReadStatus().ok()) result = store_->ReadStatus();
  if (!result.ok()) {
    store_->UndoChange();
    if (own) Rollback();
    return result;
  }
  store_->EndChange();
  if (own) VELMORA_RETURN_IF_ERROR(Commit());
  return result;
}

Result<std::uint32_t> EditSession::Insert(std::string_view table, const std::vector<Value>& values) {
  return Run(table, [&](RowEdit& rows) -> Result<std::uint32_t> {
    std::int64_t number = 0;
    auto location = rows.Insert(values, number);
    if (location.ok() && number != 0) lastAutoNumber_ = number;
    return location;
  });
}

Result<std::uint32_t> EditSession::Update(std::string_view table, std::uint32_t location,
                                          const std::vector<ColumnValue>& changes) {
  return Run(table, [&](RowEdit& rows) { return rows.Update(location, changes); });
}

Status EditSession::Delete(std::string_view table, std::uint32_t location) {
  return Run(table, [&](RowEdit& rows) -> Result<std::uint32_t> {
           VELMORA_RETURN_IF_ERROR(rows.Delete(location));
           return location;
         })
      .status();
}

Status EditSession::CreateTable(const TableSpec& design, DateTime created) {
  if (InTransaction())
    return Status::InvalidArgument("A table is added outside transactions; one is open.", path_);
  TableSpec table = design;
  table.system = false;
  table.sortOrder = Database().FileHeader().sortOrder;
  table.codePage = options_.codePage != 0 ? options_.codePage : Database().FileHeader().codePage;
  // The design is checked before the catalog is read, so that a bad name is named as such.
  VELMORA_RETURN_IF_ERROR(LayOutTable(table, Database().Version()).status());
  auto place = PlaceInCatalog(Database(), table.name);
  VELMORA_RETURN_IF_ERROR(place);
  VELMORA_RETURN_IF_ERROR(Begin());
  Status status = [&]() -> Status {
    auto objects = TableNamed("MSysObjects");
    VELMORA_RETURN_IF_ERROR(objects);
    CatalogTables catalog{objects.value(), nullptr};
    if (!place.value().permissions.empty()) {
      auto permissions = TableNamed("MSysACEs");
      VELMORA_RETURN_IF_ERROR(permissions);
      catalog.permissions = permissions.value();
    }
    auto added = AddUserTable(*store_, table, place.value(), catalog, created);
    VELMORA_RETURN_IF_ERROR(added);
    return store_->ReadStatus();
  }();
  if (!status.ok()) {
    Rollback();
    return status;
  }
  return Commit();
}

Status EditSession::WritePages(const std::vector<ChangedPage>& changes) {
  const off_t pageSize = static_cast<off_t>(database_->FileFormat().pageSize);
  for (const ChangedPage& change : changes) {
    std::size_t done = 0;
    while (done < change.stored.size()) {
      const ssize_t wrote =
          ::pwrite(descriptor_, change.stored.data() + done, change.stored.size() - done,
                   static_cast<off_t>(change.number) * pageSize + static_cast<off_t>(done));
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0)
        return Status::IoError("The database file could not be written.",
                               "page " + std::to_string(change.number));
      done += static_cast<std::size_t>(wrote);
    }
  }
  if (::fdatasync(descriptor_) != 0)
    return Status::IoError("The database file could not be synced.", path_);
  return Status::Ok();
}

Status EditSession::Commit() {
  if (!InTransaction()) return Status::InvalidArgument("No transaction is open.", path_);
  auto changes = store_->Changes();
  const std::uint32_t filePages = store_->FilePageCount();
  const std::size_t pageSize = store_->PageSize();
  store_.reset();
  VELMORA_RETURN_IF_ERROR(changes);
  if (changes.value().empty()) return Status::Ok();
  VELMORA_RETURN_IF_ERROR(WriteJournal(path_, pageSize, filePages, changes.value()));
  Status written = WritePages(changes.value());
  if (!written.ok()) {
    // Put the file back as it was; if even that fails, the journal stays for the next opener.
    Status restored = RollBackJournal(path_);
    (void)restored;
    return written;
  }
  databaseStale_ = true;
  return EmptyJournal(path_);
}

}  // namespace provider::jet
