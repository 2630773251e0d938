// Fuzz target: any content file the reader accepts is written by the builder and reads back,
// value for value, through the engine; anything else is refused with a message.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "provider/jet/database.h"
#include "provider/jet/new_database.h"
#include "tools/jetdb/content_reader.h"

namespace {

using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;

Value ToValue(const std::optional<std::u16string>& text) {
  if (text) return *text;
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto records = jetdb::ParseContent(text, "fuzz.txt");
  if (!records.ok()) {
    if (records.status().message().empty()) std::abort();
    return 0;
  }
  auto database = provider::jet::NewDatabase::Create(provider::DateTime{46000});
  if (!database.ok()) std::abort();
  auto table =
      database.value()->CreateTable({u"t",
                                     {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
                                      ColumnSpec{u"kholase", ColumnType::text, 255, false},
                                      ColumnSpec{u"porsesh", ColumnType::memo, 0, false},
                                      ColumnSpec{u"pasokh", ColumnType::memo, 0, false},
                                      ColumnSpec{u"pavaraghi", ColumnType::memo, 0, false}}});
  if (!table.ok()) std::abort();
  std::vector<std::vector<Value>> rows;
  for (const jetdb::ContentRecord& record : records.value()) {
    rows.push_back({Value{}, ToValue(record.kholase), ToValue(record.porsesh),
                    ToValue(record.pasokh), ToValue(record.pavaraghi)});
    // Text the parser accepts can still be unstorable (a leading U+FEFF with U+0600 after it);
    // such a row must be refused, not written.
    if (!table.value()->InsertRow(rows.back()).ok()) rows.pop_back();
  }
  auto reopened = provider::jet::Database::OpenBuffer(database.value()->Pages().Bytes(), "fuzz");
  if (!reopened.ok()) std::abort();
  auto read = reopened.value()->OpenTable("t");
  if (!read.ok() || read.value()->RowCount() != rows.size()) std::abort();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 1; c < rows[r].size(); ++c) {
      auto value = read.value()->GetValue(r, c);
      if (!value.ok() || value.value() != rows[r][c]) std::abort();
    }
  }
  return 0;
}
