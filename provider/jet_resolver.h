// Finding the tables and saved queries a statement names in one Jet database.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "provider/jet/database.h"
#include "provider/jet_row_source.h"
#include "provider/sql/row_source.h"
#include "provider/table_cache.h"

namespace provider {

// Opens each table once, through the connection's table cache, and keeps it (and the database)
// for as long as the resolver lives, so results over its sources stay readable. Saved queries are handed over as their text, with
// ANSI wildcards: through this provider a saved query's LIKE reads '%' and '_', as Jet's OLE DB
// provider reads it.
class JetResolver : public sql::Resolver {
 public:
  explicit JetResolver(std::shared_ptr<TableCache> cache) : cache_(std::move(cache)) {}

  Result<sql::NamedSource> Find(std::u16string_view name) override;

 private:
  std::shared_ptr<TableCache> cache_;
  // By the name asked for with ASCII letters in lower case, as Jet ignores their case.
  std::map<std::string, std::unique_ptr<JetRowSource>> tables_;
};

}  // namespace provider
