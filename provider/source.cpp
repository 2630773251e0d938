// Opening the rows a command names.
#include "provider/source.h"

#include "platform/codepage.h"
#include "provider/jet_table_rows.h"

namespace provider {

namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string Trim(const std::u16string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool StartsWithSelect(const std::u16string& text) {
  std::u16string head = Trim(text).substr(0, 6);
  if (head.size() < 6) return false;
  for (char16_t& c : head) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return head == u"SELECT";
}

Status MissingInput(const std::string& name) {
  return Status::NotFound(
      "The Microsoft Jet database engine cannot find the input table or query '" + name + "'.",
      "table command");
}

Result<std::unique_ptr<RowSet>> RunStatement(std::shared_ptr<const jet::Database> database,
                                             const std::u16string& text) {
  return Status::NotSupported("Statements cannot be run: this provider has no statement engine.",
                              "statement '" + platform::WideToUtf8(text) + "'");
}

Result<std::unique_ptr<RowSet>> OpenTable(std::shared_ptr<const jet::Database> database,
                                          const std::u16string& text) {
  std::string name = platform::WideToUtf8(TableNameOf(text));
  if (name.empty()) return MissingInput(name);
  auto table = database->OpenTable(name);
  if (table.ok()) {
    return std::unique_ptr<RowSet>(std::make_unique<JetTableRows>(database, table.take()));
  }
  if (table.status().kind() != StatusKind::notFound) return table.status();
  auto query = database->QueryText(name);
  if (query.ok()) return RunStatement(database, platform::Utf8ToWide(query.value()));
  if (query.status().kind() != StatusKind::notFound) return query.status();
  return MissingInput(name);
}

}  // namespace

std::u16string TableNameOf(const std::u16string& text) {
  std::u16string name = Trim(text);
  if (name.size() >= 2 && name.front() == u'[' && name.back() == u']') {
    name = name.substr(1, name.size() - 2);
  }
  return name;
}

Result<std::unique_ptr<RowSet>> OpenSource(std::shared_ptr<const jet::Database> database,
                                           CommandTypeEnum type, const std::u16string& text) {
  if (type == adCmdTable || (type == adCmdUnknown && !StartsWithSelect(text))) {
    return OpenTable(std::move(database), text);
  }
  return RunStatement(std::move(database), text);
}

}  // namespace provider
