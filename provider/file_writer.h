// How a connection changes its database file: through the engine's Editor, and then reading the
// file afresh for the statements that follow.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "provider/jet/editor.h"
#include "provider/status.h"
#include "provider/table_cache.h"
#include "provider/value.h"

namespace provider {

// The Editor is opened at the first change and kept until the connection closes: a connection
// that only reads never takes the writer lock, and one that has written keeps other writers out
// until it closes (readers are never kept out). Each change is its own transaction, committed
// before the call returns. After a change Cache() hands out a new table cache over the file as
// written; tables read before keep reading the old one.
//
// Used by one thread at a time.
class FileWriter {
 public:
  // `cache` reads the file at `path` as it is now. `readOnly`: the connection's mode asked for
  // reading only.
  FileWriter(std::string path, jet::OpenOptions options, bool readOnly,
             std::shared_ptr<TableCache> cache);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Whether a change can be tried at all: the mode allows writing, and the file and its folder
  // may be written. The writer lock and what a table allows are found out only when a change is
  // tried.
  bool CanWrite() const;
  // The tables as the file now holds them.
  const std::shared_ptr<TableCache>& Cache();

  // The Editor's changes (jet/editor.h), failing with its statuses; a mode or file that cannot be
  // written fails with Jet's read-only message.
  Result<std::uint32_t> InsertRow(const std::string& table, const std::vector<Value>& values);
  Result<std::uint32_t> UpdateRow(const std::string& table, std::uint32_t location,
                                  const std::vector<jet::ColumnValue>& changes);
  Status DeleteRow(const std::string& table, std::uint32_t location);

 private:
  Result<jet::Editor*> OpenEditor();
  // Reads the file again after a change. Should it not open (say, the disk gave way), the
  // next Cache() tries again rather than hand out tables that miss the change.
  void Reread();

  std::string path_;
  jet::OpenOptions options_;
  bool readOnly_;
  std::shared_ptr<TableCache> cache_;
  std::unique_ptr<jet::Editor> editor_;
  bool stale_ = false;
};

}  // namespace provider
