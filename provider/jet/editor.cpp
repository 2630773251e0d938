// The engine's write API over an edit session.
#include "provider/jet/editor.h"

#include "provider/jet/edit_session.h"

namespace provider::jet {

Editor::Editor(std::unique_ptr<EditSession> session) : session_(std::move(session)) {}

Editor::~Editor() = default;

Result<std::unique_ptr<Editor>> Editor::Open(const std::string& path, const OpenOptions& options) {
  auto session = EditSession::Open(path, options);
  VELMORA_RETURN_IF_ERROR(session);
  return std::unique_ptr<Editor>(new Editor(session.take()));
}

bool Editor::CanWrite(const std::string& path) { return EditSession::CanWrite(path); }

const Database& Editor::Database() const { return session_->Database(); }
Status Editor::Begin() { return session_->Begin(); }
bool Editor::InTransaction() const { return session_->InTransaction(); }

Result<std::uint32_t> Editor::InsertRow(std::string_view table, const std::vector<Value>& values) {
  return session_->Insert(table, values);
}

Result<std::uint32_t> Editor::UpdateRow(std::string_view table, std::uint32_t location,
                                        const std::vector<ColumnValue>& changes) {
  return session_->Update(table, location, changes);
}

Status Editor::DeleteRow(std::string_view table, std::uint32_t location) {
  return session_->Delete(table, location);
}

Status Editor::CreateTable(const TableSpec& design, DateTime created) {
  return session_->CreateTable(design, created);
}

Status Editor::Commit() { return session_->Commit(); }
void Editor::Rollback() { session_->Rollback(); }
std::int64_t Editor::LastAutoNumber() const { return session_->LastAutoNumber(); }

}  // namespace provider::jet
