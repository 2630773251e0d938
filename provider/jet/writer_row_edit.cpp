// Row changes in an existing Jet 3 or Jet 4 file: insert, update in place or by moving, delete.
//
// A row that grows beyond its slot moves: its bytes go to a new slot flagged deleted (so that
// scans do not list it twice) and its old slot, flagged moved, keeps only the 4-byte row pointer
// of the new one. The slot that names the row never changes, so indexes and bookmarks that name
// it stay right. A row that shrinks stays in its slot, padded after its variable data, since a
// reader finds the row's end (its offsets and null mask) at the end of the slot.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_row_edit.h"

#include <algorithm>
#include <random>
#include <utility>

#include "platform/codepage.h"
#include "provider/jet/format.h"
#include "provider/jet/row_layout.h"
#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_data_page.h"
#include "provider/jet/writer_long_value.h"
#include "provider/jet/writer_row.h"
#include "provider/jet/writer_text.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::size_t kLongValueHeader = 12;
constexpr std::uint32_t kInlineKind = 0x80000000;
constexpr std::uint32_t kSingleRowKind = 0x40000000;
constexpr std::uint32_t kKindMask = 0xC0000000;
constexpr std::size_t kPagesTried = 16;  // free-space map pages looked at for room

}  // namespace

Result<EditedTable> EditedTable::Read(const PageStore& store, TableDef definition,
                                      std::uint16_t codePage) {
  auto extras = ReadDefinitionExtras(store, definition.page);
  VELMORA_RETURN_IF_ERROR(extras);
  EditedTable table{std::move(definition), extras.take(), {}};
  TableLayout& layout = table.layout;
  const bool jet4 = store.JetFormat().IsJet4();
  layout.version = store.JetFormat().version;
  table.codePage = codePage;
  for (const Column& column : table.definition.columns) {
    ColumnLayout placed;
    placed.columnSpec.name = platform::Utf8ToWide(column.name);
    placed.columnSpec.type = column.type;
    placed.columnSpec.size =
        column.type == ColumnType::text && jet4 ? column.length / 2 : column.length;
    if (!jet4) placed.codePage = codePage;
    placed.columnSpec.autoNumber =
        column.type == ColumnType::longInteger && (column.flags & kColumnAutoNumber) != 0;
    placed.number = column.number;
    placed.varIndex = column.varIndex;
    placed.fixedOffset = column.fixedOffset;
    placed.precision = column.precision;
    placed.scale = column.scale;
    // A yes/no value lives in the null mask alone. Access still gives the column a length of
    // 1 at fixed offset 0, where another column's bytes are: nothing may be written there.
    placed.length = column.type == ColumnType::boolean ? 0 : column.length;
    placed.fixed = column.IsFixed();
    if (placed.fixed)
      layout.fixedSize = std::max<std::uint16_t>(layout.fixedSize,
                                                 static_cast<std::uint16_t>(column.fixedOffset + placed.length));
    layout.columns.push_back(std::move(placed));
  }
  layout.varCount = table.definition.varColumns;
  layout.columnCount = table.definition.maxColumns;
  return table;
}

std::string RowEdit::Where(std::uint32_t location) const {
  return "table '" + table_->definition.name + "', data page " + std::to_string(location >> 8) +
         ", row " + std::to_string(location & 0xFF);
}

Status RowEdit::Refuse(const char* what, std::size_t column) const {
  return Status::NotSupported(std::string(what),
                              "table '" + table_->definition.name + "', column '" +
                                  table_->definition.columns[column].name + "'");
}

Result<RowEdit::Place> RowEdit::Resolve(std::uint32_t location) {
  const std::uint32_t owner = table_->definition.page;
  auto ours = [&](std::uint32_t at) {
    if ((at >> 8) >= store_->PageCount()) return false;
    const std::span<const std::uint8_t> page = std::as_const(*store_).Page(at >> 8);
    return page[0] == kPageData && Load32(page, 4) == owner && (at & 0xFF) < DataRowCount(page);
  };
  const Status missing = Status::NotFound("No such row.", Where(location));
  if (!ours(location)) return missing;
  const std::uint16_t flags = DataRowFlags(std::as_const(*store_).Page(location >> 8), location & 0xFF);
  if (flags == 0) return Place{location, location};
  if (flags == kRowMoved) {
    auto bytes = DataRowBytes(store_->Page(location >> 8), location & 0xFF);
    VELMORA_RETURN_IF_ERROR(bytes);
    if (bytes.value().size() < 4)
      return Status::Corruption("A moved row's pointer is cut short.", Where(location));
    const std::uint32_t data = Load32(bytes.value(), 0);
    if (!ours(data) ||
        DataRowFlags(std::as_const(*store_).Page(data >> 8), data & 0xFF) != kRowDeleted)
      return Status::Corruption("A moved row's pointer leads nowhere.", Where(location));
    return Place{location, data};
  }
  if (flags == kRowDeleted) {
    auto forwarder = FindForwarder(location);
    VELMORA_RETURN_IF_ERROR(forwarder);
    return Place{forwarder.value(), location};
  }
  return missing;
}

Result<std::uint32_t> RowEdit::FindForwarder(std::uint32_t data) {
  auto pages = UsageMapPages(*store_, table_->definition.usageMap);
  VELMORA_RETURN_IF_ERROR(pages);
  for (std::uint32_t number : pages.value()) {
    if (number >= store_->PageCount()) continue;
    const std::span<std::uint8_t> page = store_->Page(number);
    if (page[0] != kPageData || Load32(page, 4) != table_->definition.page) continue;
    for (std::uint32_t slot = 0; slot < DataRowCount(page); ++slot) {
      if (DataRowFlags(page, slot) != kRowMoved) continue;
      auto bytes = DataRowBytes(page, slot);
      if (bytes.ok() && bytes.value().size() >= 4 && Load32(bytes.value(), 0) == data)
        return PageRow(number, slot);
    }
  }
  return Status::NotFound("No such row.", Where(data));
}

Result<std::vector<RowEdit::Field>> RowEdit::ReadFields(std::uint32_t data) {
  auto bytes = DataRowBytes(store_->Page(data >> 8), data & 0xFF);
  VELMORA_RETURN_IF_ERROR(bytes);
  const ByteView row(bytes.value().data(), bytes.value().size());
  auto layout = RowLayout::Parse(row, store_->JetFormat(), table_->definition.varColumns > 0);
  if (!layout.ok()) return Status::Corruption(layout.status().message(), Where(data));
  std::vector<Field> fields(table_->layout.columns.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const Column& column = table_->definition.columns[i];
    const ColumnLayout& placed = table_->layout.columns[i];
    const bool present = layout.value().MaskBit(column.number);
    Result<ByteView> stored = ByteView();
    if (column.type == ColumnType::boolean) {
      fields[i].present = present;
      continue;
    }
    if (!present) continue;
    if (placed.fixed) {
      stored = layout.value().Fixed(column, placed.length);
    } else {
      if (!layout.value().HasVariable(column.varIndex)) continue;
      stored = layout.value().Variable(column.varIndex);
    }
    if (!stored.ok()) return Status::Corruption(stored.status().message(), Where(data));
    fields[i].present = true;
    fields[i].bytes.assign(stored.value().data(), stored.value().data() + stored.value().size());
  }
  return fields;
}

Result<RowEdit::Field> RowEdit::Encode(std::size_t column, const Value& value) const {
  const ColumnLayout& placed = table_->layout.columns[column];
  // How Access pads a shorter value in a fixed-length binary column is not known.
  if (placed.fixed && !IsNull(value) && placed.columnSpec.type == ColumnType::binary)
    return Refuse("Fixed-length binary columns cannot be written.", column);
  auto stored = EncodeField(placed, value);
  VELMORA_RETURN_IF_ERROR(stored);
  Field field{stored.value().present, stored.take().bytes};
  if (placed.fixed && field.bytes.empty()) field.bytes.assign(placed.length, 0);
  return field;
}

Result<std::vector<std::uint8_t>> RowEdit::StoreLongValue(std::size_t column,
                                                          const std::vector<std::uint8_t>& data) {
  const auto maps = table_->extras.longValueMaps.find(table_->layout.columns[column].number);
  if (maps == table_->extras.longValueMaps.end())
    return Refuse("The column's long-value pages are not listed in its table's definition.",
                  column);
  LongValueWriter writer(maps->second.owned, maps->second.free);
  writer.OfferPages(freed_[column]);
  return writer.Store(*store_, data);
}

Status RowEdit::FreeLongValue(std::size_t column, std::span<const std::uint8_t> field) {
  if (field.size() < kLongValueHeader) return Status::Ok();
  const std::uint32_t word = Load32(field, 0);
  if ((word & kKindMask) == kInlineKind) return Status::Ok();
  // A damaged chain is left where it breaks: freeing is tidying, and a row of another value
  // must never be freed by mistake.
  const std::size_t hops = (word & ~kKindMask) / (MaxLongValueRow(store_->JetFormat()) - 4) + 2;
  std::uint32_t next = Load32(field, 4);
  for (std::size_t hop = 0; hop < hops && next != 0; ++hop) {
    if ((next >> 8) >= store_->PageCount()) break;
    const std::span<std::uint8_t> page = store_->Page(next >> 8);
    const std::uint32_t slot = next & 0xFF;
    if (page[0] != kPageData || Load32(page, 4) != kLongValueOwner ||
        slot >= DataRowCount(page) || (DataRowFlags(page, slot) & kRowDeleted) != 0)
      break;
    auto bytes = DataRowBytes(page, slot);
    if (!bytes.ok()) break;
    const std::uint32_t after =
        (word & kKindMask) == kSingleRowKind || bytes.value().size() < 4 ? 0 : Load32(bytes.value(), 0);
    Status status = DeleteLongValueRow(page, slot);
    VELMORA_RETURN_IF_ERROR(status);
    std::vector<std::uint32_t>& freed = freed_[column];
    if (std::find(freed.begin(), freed.end(), next >> 8) == freed.end()) freed.push_back(next >> 8);
    next = after;
  }
  return Status::Ok();
}

std::vector<std::uint8_t> RowEdit::Assemble(const std::vector<Field>& fields,
                                            std::size_t length) const {
  return AssembleRow(table_->layout, fields, length);
}

Result<std::uint32_t> RowEdit::PageWithRoom(std::size_t size, std::uint32_t preferred) {
  const std::uint32_t owner = table_->definition.page;
  auto fits = [&](std::uint32_t number) {
    if (number == 0 || number >= store_->PageCount()) return false;
    const std::span<const std::uint8_t> page = std::as_const(*store_).Page(number);
    return page[0] == kPageData && Load32(page, 4) == owner && DataPageHasRoom(page, size);
  };
  if (fits(preferred)) return preferred;
  auto pages = LastUsageMapPages(*store_, table_->definition.freeSpaceMap, kPagesTried);
  VELMORA_RETURN_IF_ERROR(pages);
  for (std::uint32_t page : pages.value())
    if (fits(page)) return page;
  auto added = store_->Allocate(kPageData);
  VELMORA_RETURN_IF_ERROR(added);
  InitDataPage(store_->Page(added.value()), owner);
  for (std::uint32_t map : {table_->definition.usageMap, table_->definition.freeSpaceMap}) {
    Status status = SetUsageMapBit(*store_, map, added.value(), true, UsageMapKind::ownedPages);
    VELMORA_RETURN_IF_ERROR(status);
  }
  return added.value();
}

Status RowEdit::IndexesReadable() const {
  if (!table_->definition.indexesDamaged) return Status::Ok();
  return Status::NotSupported(
      "The table's index definitions cannot be read: this engine cannot keep its indexes up to date.",
      "table '" + table_->definition.name + "'");
}

IndexMaintenance RowEdit::Indexes() const {
  const IndexFormat& format = IndexFormat::For(store_->JetFormat().version);
  if (table_->codePage == 0) return IndexMaintenance(*store_, table_->definition, format);
  return IndexMaintenance(*store_, table_->definition, format, table_->codePage);
}

Status RowEdit::CountRows(int delta) {
  const std::span<std::uint8_t> definition = store_->Page(table_->definition.page);
  const std::size_t at = store_->JetFormat().tdefRowCount;
  const std::uint32_t count = Load32(definition, at);
  if (delta < 0 && count == 0) return Status::Ok();
  Store32(definition, at, count + static_cast<std::uint32_t>(delta));
  return Status::Ok();
}

Result<std::uint32_t> RowEdit::Insert(const std::vector<Value>& values, std::int64_t& autoNumber) {
  const std::vector<ColumnLayout>& columns = table_->layout.columns;
  const std::string table = "table '" + table_->definition.name + "'";
  if (values.size() != columns.size())
    return Status::InvalidArgument("A row needs one value per column.", table);
  VELMORA_RETURN_IF_ERROR(IndexesReadable());
  const std::size_t autoNumberAt = store_->JetFormat().tdefAutoNumber;
  const std::uint32_t next =
      Load32(std::as_const(*store_).Page(table_->definition.page), autoNumberAt) + 1;

  // Everything is encoded and measured before anything is written.
  std::vector<Field> fields(columns.size());
  std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>> longValues;
  std::size_t size = 0;
  bool numbered = false;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column& column = table_->definition.columns[i];
    if (column.IsAutoIncrement()) {
      if (!IsNull(values[i])) return Refuse("An AutoNumber column is numbered by the table.", i);
      if (column.type == ColumnType::guid) {
        std::random_device random;
        Guid guid{};
        for (std::uint8_t& byte : guid.bytes) byte = static_cast<std::uint8_t>(random());
        guid.bytes[7] = static_cast<std::uint8_t>((guid.bytes[7] & 0x0F) | 0x40);
        auto field = Encode(i, guid);
        VELMORA_RETURN_IF_ERROR(field);
        fields[i] = field.take();
        continue;
      }
      auto field = Encode(i, static_cast<std::int64_t>(next));
      VELMORA_RETURN_IF_ERROR(field);
      fields[i] = field.take();
      numbered = true;
    } else if (column.IsLongValue()) {
      if (IsNull(values[i])) continue;
      auto bytes = LongValueBytes(columns[i], values[i]);
      VELMORA_RETURN_IF_ERROR(bytes);
      size += kLongValueHeader + (bytes.value().size() <= kInlineLongValueLimit ? bytes.value().size() : 0);
      longValues.emplace_back(i, bytes.take());
    } else {
      auto field = Encode(i, values[i]);
      VELMORA_RETURN_IF_ERROR(field);
      fields[i] = field.take();
    }
    if (!columns[i].fixed) size += fields[i].bytes.size();
  }
  if (RowSize(table_->layout, size) > MaxRowSize(store_->JetFormat()))
    return Status::InvalidArgument("The row is too long for a page.", table);
  IndexMaintenance indexes = Indexes();
  auto entries = indexes.Entries(fields, 0);
  VELMORA_RETURN_IF_ERROR(entries);
  VELMORA_RETURN_IF_ERROR(indexes.Check(entries.value()));

  for (auto& [i, data] : longValues) {
    auto stored = StoreLongValue(i, data);
    VELMORA_RETURN_IF_ERROR(stored);
    fields[i] = {true, stored.take()};
  }
  const std::vector<std::uint8_t> row = Assemble(fields);
  auto page = PageWithRoom(row.size(), 0);
  VELMORA_RETURN_IF_ERROR(page);
  auto slot = AddDataRow(store_->Page(page.value()), row);
  VELMORA_RETURN_IF_ERROR(slot);
  for (RowEntry& entry : entries.value())
    if (entry.entry) entry.entry->row = PageRow(page.value(), slot.value());
  VELMORA_RETURN_IF_ERROR(indexes.Add(entries.value()));
  VELMORA_RETURN_IF_ERROR(CountRows(1));
  if (numbered) {
    autoNumber = next;
    Store32(store_->Page(table_->definition.page), autoNumberAt, next);
  }
  return PageRow(page.value(), slot.value());
}

Result<std::uint32_t> RowEdit::Update(std::uint32_t location,
                                      const std::vector<ColumnValue>& changes) {
  const std::vector<ColumnLayout>& columns = table_->layout.columns;
  VELMORA_RETURN_IF_ERROR(IndexesReadable());
  auto place = Resolve(location);
  VELMORA_RETURN_IF_ERROR(place);
  auto read = ReadFields(place.value().data);
  VELMORA_RETURN_IF_ERROR(read);
  std::vector<Field> fields = read.take();
  const std::vector<Field> old = fields;

  std::vector<std::pair<std::size_t, std::optional<std::vector<std::uint8_t>>>> longValues;
  for (const ColumnValue& change : changes) {
    const std::size_t i = change.column;
    if (i >= columns.size())
      return Status::InvalidArgument("No such column.", "column " + std::to_string(i));
    const Column& column = table_->definition.columns[i];
    if (column.IsLongValue()) {
      if (IsNull(change.value)) {
        longValues.emplace_back(i, std::nullopt);
        continue;
      }
      auto bytes = LongValueBytes(columns[i], change.value);
      VELMORA_RETURN_IF_ERROR(bytes);
      longValues.emplace_back(i, bytes.take());
      continue;
    }
    auto field = Encode(i, change.value);
    VELMORA_RETURN_IF_ERROR(field);
    const bool same = field.value().present == old[i].present &&
                      (field.value().bytes == old[i].bytes || !field.value().present);
    if (!same && column.IsAutoIncrement())
      return Refuse("An AutoNumber column is numbered by the table.", i);
    fields[i] = field.take();
  }
  std::size_t size = 0;  // of the variable data
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto pending = std::find_if(longValues.begin(), longValues.end(),
                                      [i](const auto& value) { return value.first == i; });
    if (pending == longValues.end()) {
      if (!columns[i].fixed) size += fields[i].bytes.size();
    } else if (pending->second) {
      size += kLongValueHeader +
              (pending->second->size() <= kInlineLongValueLimit ? pending->second->size() : 0);
    }
  }
  if (RowSize(table_->layout, size) > MaxRowSize(store_->JetFormat()))
    return Status::InvalidArgument("The row is too long for a page.", Where(location));

  // The indexes whose key changes lose the row's old entry and take its new one; the slot that
  // names the row stays the same even when the row moves.
  IndexMaintenance indexes = Indexes();
  std::vector<bool> touched(table_->definition.indexes.size());
  for (std::size_t i = 0; i < touched.size(); ++i) touched[i] = indexes.Touches(i, old, fields);
  auto before = indexes.Entries(old, place.value().slot, touched);
  VELMORA_RETURN_IF_ERROR(before);
  auto after = indexes.Entries(fields, place.value().slot, touched);
  VELMORA_RETURN_IF_ERROR(after);
  for (std::size_t i = 0; i < touched.size(); ++i) {
    if (before.value()[i].entry != after.value()[i].entry) continue;
    before.value()[i].entry.reset();
    after.value()[i].entry.reset();
  }
  VELMORA_RETURN_IF_ERROR(indexes.Check(after.value()));
  VELMORA_RETURN_IF_ERROR(indexes.Remove(before.value()));
  VELMORA_RETURN_IF_ERROR(indexes.Add(after.value()));

  for (auto& [i, data] : longValues) {
    if (old[i].present) VELMORA_RETURN_IF_ERROR(FreeLongValue(i, old[i].bytes));
    fields[i] = Field{};
    if (!data) continue;
    auto stored = StoreLongValue(i, *data);
    VELMORA_RETURN_IF_ERROR(stored);
    fields[i] = {true, stored.take()};
  }
  std::vector<std::uint8_t> row = Assemble(fields);
  const std::uint32_t data = place.value().data;
  auto slot = DataRowBytes(store_->Page(data >> 8), data & 0xFF);
  VELMORA_RETURN_IF_ERROR(slot);
  if (row.size() <= slot.value().size()) {
    row = Assemble(fields, slot.value().size());
    std::copy(row.begin(), row.end(), slot.value().begin());
    return place.value().slot;
  }

  // The row moves; the slot that names it keeps a pointer to where it went.
  const std::uint32_t named = place.value().slot;
  auto forwarding = DataRowBytes(store_->Page(named >> 8), named & 0xFF);
  VELMORA_RETURN_IF_ERROR(forwarding);
  if (forwarding.value().size() < 4)
    return Status::NotSupported("The row is too short to be moved.", Where(location));
  auto page = PageWithRoom(row.size(), data >> 8);
  VELMORA_RETURN_IF_ERROR(page);
  const std::span<std::uint8_t> target = store_->Page(page.value());
  auto added = AddDataRow(target, row);
  VELMORA_RETURN_IF_ERROR(added);
  VELMORA_RETURN_IF_ERROR(FlagDataRow(target, added.value(), kRowDeleted));
  const std::uint32_t moved = PageRow(page.value(), added.value());
  if (data != named)
    VELMORA_RETURN_IF_ERROR(DeleteDataRow(store_->Page(data >> 8), data & 0xFF));
  // Adding a row to the forwarding slot's own page moves none of its rows: the span holds.
  std::fill(forwarding.value().begin(), forwarding.value().end(), 0);
  Store32(forwarding.value(), 0, moved);
  VELMORA_RETURN_IF_ERROR(FlagDataRow(store_->Page(named >> 8), named & 0xFF, kRowMoved));
  return named;
}

Status RowEdit::Delete(std::uint32_t location) {
  VELMORA_RETURN_IF_ERROR(IndexesReadable());
  auto place = Resolve(location);
  VELMORA_RETURN_IF_ERROR(place);
  auto fields = ReadFields(place.value().data);
  VELMORA_RETURN_IF_ERROR(fields);
  IndexMaintenance indexes = Indexes();
  auto entries = indexes.Entries(fields.value(), place.value().slot);
  VELMORA_RETURN_IF_ERROR(entries);
  VELMORA_RETURN_IF_ERROR(indexes.Remove(entries.value()));
  for (std::size_t i = 0; i < fields.value().size(); ++i) {
    if (table_->definition.columns[i].IsLongValue() && fields.value()[i].present)
      VELMORA_RETURN_IF_ERROR(FreeLongValue(i, fields.value()[i].bytes));
  }
  const std::uint32_t data = place.value().data;
  VELMORA_RETURN_IF_ERROR(DeleteDataRow(store_->Page(data >> 8), data & 0xFF));
  if (place.value().slot != data) {
    const std::uint32_t named = place.value().slot;
    VELMORA_RETURN_IF_ERROR(DeleteDataRow(store_->Page(named >> 8), named & 0xFF));
  }
  return CountRows(-1);
}

}  // namespace provider::jet
