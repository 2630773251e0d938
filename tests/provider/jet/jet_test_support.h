// Helpers for the engine tests: the sample files, their bytes, and reading a whole database.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "provider/jet/database.h"

namespace jettest {

inline std::string DataPath(const std::string& name) {
  const char* root = std::getenv("VELMORA_SOURCE_DIR");
  return std::string(root != nullptr ? root : ".") + "/tests/fixtures/jet/" + name;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Opens every table and decodes every value; returns the first failure, or ok. Values that fail
// must fail with a message.
inline provider::Status ReadEverything(const provider::jet::Database& db, std::size_t* values) {
  provider::Status first;
  for (const provider::jet::CatalogEntry& entry : db.Tables()) {
    auto table = db.OpenTable(entry.name);
    if (!table.ok()) {
      if (first.ok()) first = table.status();
      continue;
    }
    for (std::size_t row = 0; row < table.value()->RowCount(); ++row) {
      for (std::size_t c = 0; c < table.value()->Columns().size(); ++c) {
        auto value = table.value()->GetValue(row, c);
        if (!value.ok() && first.ok()) first = value.status();
        if (value.ok() && values != nullptr) ++*values;
      }
    }
  }
  for (const provider::jet::QueryInfo& query : db.Queries()) (void)db.QueryText(query.name);
  return first;
}

}  // namespace jettest
