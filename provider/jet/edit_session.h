// What an Editor holds while it lives: the writer lock, the file, the open transaction's pages
// and the tables it has changed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/editor.h"
#include "provider/jet/writer_lock.h"
#include "provider/jet/writer_page_store.h"
#include "provider/jet/writer_row_edit.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"

namespace provider::jet {

// The Editor's implementation; its contract is the Editor's (editor.h).
class EditSession {
 public:
  ~EditSession();
  EditSession(const EditSession&) = delete;
  EditSession& operator=(const EditSession&) = delete;

  static Result<std::unique_ptr<EditSession>> Open(const std::string& path,
                                                   const OpenOptions& options);
  // See Editor::CanWrite.
  static bool CanWrite(const std::string& path);

  const provider::jet::Database& Database();
  Status Begin();
  bool InTransaction() const { return store_ != nullptr; }
  Result<std::uint32_t> Insert(std::string_view table, const std::vector<Value>& values);
  Result<std::uint32_t> Update(std::string_view table, std::uint32_t location,
                               const std::vector<ColumnValue>& changes);
  Status Delete(std::string_view table, std::uint32_t location);
  Status CreateTable(const TableSpec& design, DateTime created);
  Status Commit();
  void Rollback() { store_.reset(); }
  std::int64_t LastAutoNumber() const { return lastAutoNumber_; }

 private:
  EditSession(std::string path, OpenOptions options) : path_(std::move(path)), options_(std::move(options)) {}

  // Runs `change` on the open transaction (or on one of its own), undoing whatever it did when
  // it fails.
  template <typename Change>
  Result<std::uint32_t> Run(std::string_view table, Change change);
  Result<const EditedTable*> TableNamed(std::string_view name);
  // Writes the changed pages after the journal; restores the file from it when a write fails.
  Status WritePages(const std::vector<ChangedPage>& changes);

  std::string path_;
  OpenOptions options_;
  std::unique_ptr<WriterLock> lock_;
  int descriptor_ = -1;
  std::unique_ptr<provider::jet::Database> database_;
  bool databaseStale_ = false;
  std::unique_ptr<PageStore> store_;
  std::map<std::string, std::unique_ptr<EditedTable>> tables_;  // by the catalog's name
  std::int64_t lastAutoNumber_ = 0;
};

}  // namespace provider::jet
