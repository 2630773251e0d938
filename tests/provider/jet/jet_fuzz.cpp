// Fuzz target: any bytes opened as a database, every table, value and saved query read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "provider/jet/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto db =
      provider::jet::Database::OpenBuffer(std::vector<std::uint8_t>(data, data + size), "fuzz.mdb");
  if (!db.ok()) return 0;
  for (const auto& entry : db.value()->Tables()) {
    auto table = db.value()->OpenTable(entry.name);
    if (!table.ok()) continue;
    for (std::size_t row = 0; row < table.value()->RowCount(); ++row)
      for (std::size_t c = 0; c < table.value()->Columns().size(); ++c)
        (void)table.value()->GetValue(row, c);
  }
  for (const auto& query : db.value()->Queries()) (void)db.value()->QueryText(query.name);
  return 0;
}
