// Parses and runs arbitrary statement text against a small database: it must fail cleanly
// or succeed, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_source.h"
#include "provider/sql/query.h"

using provider::Result;
using provider::Value;
using namespace provider::sql;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input is read as UTF-16 (two bytes per unit) when it starts with 0xFF 0xFE, else as
  // single bytes, so both Persian text and plain ASCII statements are explored.
  std::u16string sql;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    for (std::size_t i = 2; i + 1 < size; i += 2) sql.push_back(data[i] | data[i + 1] << 8);
  } else {
    for (std::size_t i = 0; i < size; ++i) sql.push_back(data[i]);
  }
  sqltest::MemoryTable table(
      {{u"kholase", ColumnKind::text},
       {u"shomare", ColumnKind::integer},
       {u"tarikh", ColumnKind::dateTime},
       {u"bale", ColumnKind::boolean}},
      {{std::u16string(u"ab'c \u0639\u0644\u064A"), std::int64_t{1}, provider::DateTime{1.5}, true},
       {Value{}, std::int64_t{-2}, Value{}, false},
       {std::u16string(u"\u06A9\u062A\u0627\u0628 100%"), Value{}, provider::DateTime{-3},
        Value{}}});
  sqltest::MemoryDatabase db;
  db.AddTable(u"kolliyat", &table);
  db.AddQuery(u"Qkolliyat", u"SELECT kholase AS k, shomare FROM kolliyat WHERE shomare > 0");
  db.AddQuery(u"loop", u"SELECT * FROM loop");
  const Value parameters[] = {std::int64_t{1}, std::u16string(u"%a%")};
  Result<QueryResult> r = Execute(sql, db, parameters);
  if (r.ok()) {
    for (std::uint32_t row : r.value().rows) {
      for (const OutputColumn& c : r.value().columns) {
        if (!r.value().source->GetValue(row, c.column).ok()) __builtin_trap();
      }
    }
  }
  return 0;
}
