// Opening the rows a command names.
#include "provider/source.h"

#include "provider/statement_rows.h"

namespace provider {

namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool StartsWithSelect(const std::u16string& text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsSpace(text[begin])) ++begin;
  std::u16string head = text.substr(begin, 6);
  for (char16_t& c : head) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return head == u"SELECT";
}

}  // namespace

Result<std::unique_ptr<RowSet>> OpenSource(std::shared_ptr<TableCache> cache,
                                           std::shared_ptr<FileWriter> writer, CommandTypeEnum type,
                                           const std::u16string& text) {
  const jet::JetVersion version = cache->Database()->Version();
  auto resolver = std::make_unique<JetResolver>(std::move(cache));
  const bool table = type == adCmdTable || (type == adCmdUnknown && !StartsWithSelect(text));
  auto prepared = table ? sql::PreparedQuery::PrepareTable(text, *resolver)
                        : sql::PreparedQuery::Prepare(text, *resolver);
  VELMORA_RETURN_IF_ERROR(prepared);
  auto result = prepared.value().Execute();
  VELMORA_RETURN_IF_ERROR(result);
  auto rows = StatementRows::Make(std::move(resolver), result.take(), version, std::move(writer));
  VELMORA_RETURN_IF_ERROR(rows);
  return std::unique_ptr<RowSet>(rows.take());
}

Result<std::unique_ptr<RowSet>> OpenSource(std::shared_ptr<TableCache> cache, CommandTypeEnum type,
                                           const std::u16string& text) {
  return OpenSource(std::move(cache), nullptr, type, text);
}

}  // namespace provider
