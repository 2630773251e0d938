// Fuzz target: any bytes opened as a database, every table, value and saved query read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "provider/jet/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto db =
      provider::jet::Database::OpenBuffer(std::vector<std::uint8_t>(data, data + size), "fuzz.mdb");
  if (!db.ok()) return 0;
  for (const auto& entry : db.value()->tables()) {
    auto table = db.value()->OpenTable(entry.name);
    if (!table.ok()) continue;
    for (std::size_t row = 0; row < table.value()->row_count(); ++row)
      for (std::size_t c = 0; c < table.value()->columns().size(); ++c)
        (void)table.value()->GetValue(row, c);
  }
  for (const auto& query : db.value()->queries()) (void)db.value()->QueryText(query.name);
  return 0;
}
