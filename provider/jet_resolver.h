// Finding the tables and saved queries a statement names in one Jet database.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "provider/jet/database.h"
#include "provider/jet_row_source.h"
#include "provider/sql/row_source.h"

namespace provider {

// Opens each table once and keeps it (and the database) for as long as the resolver lives, so
// results over its sources stay readable. Saved queries are handed over as their text, with
// ANSI wildcards: through this provider a saved query's LIKE reads '%' and '_', as Jet's OLE DB
// provider reads it.
class JetResolver : public sql::Resolver {
 public:
  explicit JetResolver(std::shared_ptr<const jet::Database> database)
      : database_(std::move(database)) {}

  Result<sql::NamedSource> Find(std::u16string_view name) override;

 private:
  std::shared_ptr<const jet::Database> database_;
  // By the name asked for with ASCII letters in lower case, as Jet ignores their case.
  std::map<std::string, std::unique_ptr<JetRowSource>> tables_;
};

}  // namespace provider
