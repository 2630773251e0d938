// A connection's changes to its file, and the file read again after each.
#include "provider/file_writer.h"

#include "provider/statement_rows.h"

namespace provider {

FileWriter::FileWriter(std::string path, jet::OpenOptions options, bool readOnly,
                       std::shared_ptr<TableCache> cache)
    : path_(std::move(path)),
      options_(std::move(options)),
      readOnly_(readOnly),
      cache_(std::move(cache)) {}

FileWriter::~FileWriter() = default;

bool FileWriter::CanWrite() const {
  return !readOnly_ && jet::Editor::CanWrite(path_);
}

Result<jet::Editor*> FileWriter::OpenEditor() {
  if (editor_) return editor_.get();
  if (readOnly_) return Status::IoError(kReadOnlyDatabase, path_);
  auto opened = jet::Editor::Open(path_, options_);
  VELMORA_RETURN_IF_ERROR(opened);
  editor_ = opened.take();
  return editor_.get();
}

void FileWriter::Reread() {
  auto reopened = jet::Database::Open(path_, options_);
  stale_ = !reopened.ok();
  if (stale_) return;
  cache_ = std::make_shared<TableCache>(std::shared_ptr<const jet::Database>(reopened.take()));
}

const std::shared_ptr<TableCache>& FileWriter::Cache() {
  if (stale_) Reread();
  return cache_;
}

Result<std::uint32_t> FileWriter::InsertRow(const std::string& table,
                                            const std::vector<Value>& values) {
  auto editor = OpenEditor();
  VELMORA_RETURN_IF_ERROR(editor);
  auto location = editor.value()->InsertRow(table, values);
  if (location.ok()) Reread();
  return location;
}

Result<std::uint32_t> FileWriter::UpdateRow(const std::string& table, std::uint32_t location,
                                            const std::vector<jet::ColumnValue>& changes) {
  auto editor = OpenEditor();
  VELMORA_RETURN_IF_ERROR(editor);
  auto moved = editor.value()->UpdateRow(table, location, changes);
  if (moved.ok()) Reread();
  return moved;
}

Status FileWriter::DeleteRow(const std::string& table, std::uint32_t location) {
  auto editor = OpenEditor();
  VELMORA_RETURN_IF_ERROR(editor);
  Status deleted = editor.value()->DeleteRow(table, location);
  if (deleted.ok()) Reread();
  return deleted;
}

}  // namespace provider
