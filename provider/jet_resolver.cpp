// Resolving names against the catalog of a Jet database.
#include "provider/jet_resolver.h"

#include "platform/codepage.h"

namespace provider {

Result<sql::NamedSource> JetResolver::Find(std::u16string_view name) {
  const std::string utf8 = platform::WideToUtf8(name);
  std::string key;
  for (char c : utf8) key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  sql::NamedSource source;
  if (auto found = tables_.find(key); found != tables_.end()) {
    source.table = found->second.get();
    return source;
  }
  auto table = cache_->OpenTable(utf8);
  if (table.ok()) {
    auto& opened = tables_[key];
    opened = std::make_unique<JetRowSource>(table.take(), cache_.get());
    source.table = opened.get();
    return source;
  }
  if (table.status().kind() != StatusKind::notFound) return table.status();

  auto query = cache_->Database()->QueryText(utf8);
  if (query.ok()) {
    source.query = platform::Utf8ToWide(query.value());
    return source;
  }
  if (query.status().kind() != StatusKind::notFound) return query.status();
  return source;
}

}  // namespace provider
