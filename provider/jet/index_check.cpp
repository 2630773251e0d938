// Checking indexes against the rows they name.
#include "provider/jet/index_check.h"

#include <algorithm>
#include <map>

#include "provider/jet/index_key.h"
#include "provider/jet/index_reader.h"

namespace provider::jet {

namespace {

std::string RowName(std::uint32_t location) {
  return "page " + std::to_string(location >> 8) + " row " + std::to_string(location & 0xFF);
}

}  // namespace

Result<std::vector<IndexCheck>> CheckIndexes(const Database& database, std::string_view name) {
  auto opened = database.OpenTable(name);
  VELMORA_RETURN_IF_ERROR(opened);
  const Table& table = *opened.value();
  const TableDef& definition = table.Definition();
  if (definition.indexesDamaged)
    return Status::Corruption("The table's index definitions are damaged.",
                              "table '" + table.Name() + "'");
  const IndexFormat& format = IndexFormat::For(database.Version());
  const IndexPageSource source =
      [&](std::uint32_t number) -> Result<std::span<const std::uint8_t>> {
    auto page = database.File().Page(number, "index of table '" + table.Name() + "'");
    VELMORA_RETURN_IF_ERROR(page);
    return std::span<const std::uint8_t>(page.value().data(), page.value().size());
  };
  // Row locations to row numbers: an entry names the slot a row is listed by, also when the row
  // moved.
  std::map<std::uint32_t, std::size_t> rows;
  for (std::size_t row = 0; row < table.RowCount(); ++row) rows[table.RowLocation(row)] = row;

  std::vector<IndexCheck> checks;
  for (std::size_t number = 0; number < definition.indexes.size(); ++number) {
    const IndexDef& index = definition.indexes[number];
    IndexCheck check;
    check.name = index.Name(number);
    check.number = number;
    auto entries = ReadIndexEntries(source, format, index.rootPage, definition.page);
    VELMORA_RETURN_IF_ERROR(entries);
    check.entries = entries.take();

    std::vector<KeyColumn> columns;
    std::vector<std::size_t> positions;  // into table.Columns()
    for (const IndexColumn& column : index.columns) {
      const auto found = std::find_if(table.Columns().begin(), table.Columns().end(),
                                      [&](const Column& c) { return c.number == column.number; });
      if (found == table.Columns().end()) {
        check.problems.push_back("its key names column number " + std::to_string(column.number) +
                                 ", which the table does not have");
        break;
      }
      columns.push_back({found->type, column.ascending, found->sortOrder, found->sortVersion});
      positions.push_back(static_cast<std::size_t>(found - table.Columns().begin()));
    }
    if (!check.problems.empty()) {
      checks.push_back(std::move(check));
      continue;
    }
    auto keyValues = [&](std::size_t row) -> Result<std::vector<Value>> {
      std::vector<Value> values;
      for (std::size_t position : positions) {
        auto value = table.GetValue(row, position);
        VELMORA_RETURN_IF_ERROR(value);
        values.push_back(value.take());
      }
      return values;
    };

    std::map<std::size_t, int> named;
    check.values.resize(check.entries.size());
    for (std::size_t i = 0; i < check.entries.size(); ++i) {
      const IndexEntry& entry = check.entries[i];
      if (i > 0 && !EntryBefore(check.entries[i - 1], entry))
        check.problems.push_back("entry " + std::to_string(i) + " (" + RowName(entry.row) +
                                 ") is out of order");
      const auto row = rows.find(entry.row);
      if (row == rows.end()) {
        check.problems.push_back("entry " + std::to_string(i) + " names " + RowName(entry.row) +
                                 ", which holds no row");
        continue;
      }
      ++named[row->second];
      auto values = keyValues(row->second);
      VELMORA_RETURN_IF_ERROR(values);
      auto key = EncodeIndexKey(columns, values.value(), database.Version(), database.CodePage());
      check.values[i] = values.take();
      if (!key.ok()) {
        if (check.unchecked.empty()) check.unchecked = key.status().message();
        continue;
      }
      ++check.keysChecked;
      if (key.value() != entry.key)
        check.problems.push_back("entry " + std::to_string(i) + " (" + RowName(entry.row) +
                                 ") holds another key than its row's");
    }
    for (const auto& [location, row] : rows) {
      const int count = named.count(row) != 0 ? named[row] : 0;
      if (count > 1)
        check.problems.push_back(RowName(location) + " is named " + std::to_string(count) +
                                 " times");
      if (count != 0 || !index.IgnoresNulls()) {
        if (count == 0) check.problems.push_back(RowName(location) + " is missing");
        continue;
      }
      auto values = keyValues(row);
      VELMORA_RETURN_IF_ERROR(values);
      if (!std::all_of(values.value().begin(), values.value().end(), IsNull))
        check.problems.push_back(RowName(location) + " is missing");
    }
    checks.push_back(std::move(check));
  }
  return checks;
}

}  // namespace provider::jet
