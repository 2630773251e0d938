// Row location and value decoding for one table.
//
// Fixed-size values (all little-endian):
//   Boolean      0 bytes: the null-mask bit is the value
//   Byte         1 unsigned         Currency   8 signed, × 10 000
//   Integer      2 signed           Single     4 IEEE     Double 8 IEEE
//   Long         4 signed           Date/Time  8 IEEE days since 1899-12-30
//   GUID         16 bytes as stored
//   Numeric      17: byte 0 sign (0x80 negative), then four 32-bit words, most significant first
// Variable values: Text and Binary (also fixed-length when flagged), Memo and OLE (long values).
#include "provider/jet/table.h"

#include <algorithm>
#include <cstring>

#include "provider/jet/data_page.h"
#include "provider/jet/long_value.h"
#include "provider/jet/object_name.h"
#include "provider/jet/row_cursor.h"
#include "provider/jet/stored_value.h"
#include "provider/jet/text.h"
#include "provider/jet/usage_map.h"

namespace provider::jet {
namespace {

// A moved row may be moved again; more hops than this is a loop.
constexpr int kMaxOverflowHops = 8;

}  // namespace

Result<std::unique_ptr<Table>> Table::Open(const PageFile& file, const Format& format,
                                           std::uint16_t codePage, TableDef definition) {
  std::unique_ptr<Table> table(new Table(file, format, codePage, std::move(definition)));
  Status located = table->LocateRows();
  VELMORA_RETURN_IF_ERROR(located);
  return table;
}

// Counts the rows page by page, in the order of the file's pages and slots. A moved row is
// listed in the place of the slot that names it and forwards to its data, which only
// LocateMovedRows follows.
Status Table::LocateRows() {
  const std::string where = "table '" + definition_.name + "'";
  Result<std::vector<std::uint32_t>> pages =
      ReadUsageMap(*file_, *format_, definition_.usageMap, where);
  VELMORA_RETURN_IF_ERROR(pages);
  std::vector<std::uint32_t> owned;
  bool moved = false;
  // Counting a page's rows reads its header and row offsets only, which mostly lie in its first
  // bytes; the rows themselves are not read.
  constexpr std::size_t kHead = 512;
  std::vector<std::uint8_t> buffer;
  for (std::uint32_t number : pages.value()) {
    // The map reader refuses pages beyond the file, so this read fails only if that changes.
    Result<ByteView> page = file_->ReadPage(number, buffer, where, kHead);
    VELMORA_RETURN_IF_ERROR(page);
    // Usage maps may name pages the table no longer owns; only its own data pages count.
    if (page.value().U8(0) != kDataPage || page.value().U32(4) != definition_.page) continue;
    if (format_->dataRowTable + 2u * page.value().U16(format_->dataRowCount) > kHead) {
      page = file_->ReadPage(number, buffer, where);
      VELMORA_RETURN_IF_ERROR(page);
    }
    // Places are spelled out only for a failure: building them for every page cost more than
    // counting its rows.
    const auto here = [&] { return where + ", data page " + std::to_string(number); };
    Result<DataPage> data = DataPage::Read(page.value(), *format_, "");
    if (!data.ok()) return Status::Corruption(data.status().message(), here());
    Result<DataPage::SlotCounts> counts = data.value().CountSlots();
    if (!counts.ok())
      return Status::Corruption(counts.status().message(), here() + ", " + counts.status().where());
    owned.push_back(number);
    moved = moved || counts.value().moved > 0;
    if (counts.value().rows == 0) continue;
    std::uint32_t firstSlot = kDense;
    if (counts.value().rows != data.value().SlotCount()) {
      firstSlot = static_cast<std::uint32_t>(slots_.size());
      data.value().ListedSlots(slots_);
    }
    pages_.push_back({number, static_cast<std::uint32_t>(rowCount_), firstSlot});
    rowCount_ += counts.value().rows;
  }
  if (!moved) return Status::Ok();
  pages_.clear();
  slots_.clear();
  rowCount_ = 0;
  return LocateMovedRows(owned);
}

Status Table::LocateMovedRows(const std::vector<std::uint32_t>& pages) {
  const std::string where = "table '" + definition_.name + "'";
  // Every page was read and checked by LocateRows.
  const auto read = [&](std::uint32_t number) {
    return DataPage::Read(file_->Page(number, where).value(), *format_, where).value();
  };
  // Where each moved row's data lies, by the slot that forwards to it.
  for (std::uint32_t number : pages) {
    const DataPage page = read(number);
    const std::string here = where + ", data page " + std::to_string(number);
    for (std::uint16_t row = 0; row < page.SlotCount(); ++row) {
      Result<RowSlot> slot = page.Slot(row, here);
      VELMORA_RETURN_IF_ERROR(slot);
      if (slot.value().deleted || !slot.value().overflow) continue;
      std::uint32_t location = 0;
      for (int hop = 0; slot.value().overflow && !slot.value().deleted; ++hop) {
        const std::string at = here + ", row " + std::to_string(row);
        if (hop == kMaxOverflowHops)
          return Status::Corruption("A moved row's pointers form a cycle.", at);
        if (slot.value().bytes.size() < 4)
          return Status::Corruption("A moved row's pointer is cut short.", at);
        location = slot.value().bytes.U32(0);
        slot = ReadPointedSlot(*file_, *format_, location, false, at);
        VELMORA_RETURN_IF_ERROR(slot);
        // The slot was just read from this page, so the page exists.
        if (file_->Page(location >> 8, at).value().U32(4) != definition_.page)
          return Status::Corruption("A moved row points into a page of another table.", at);
      }
      // A forwarding slot that is also flagged deleted ends a chain whose row was deleted.
      if (slot.value().overflow || slot.value().bytes.empty()) continue;
      movedTo_[number << 8 | row] = location;
    }
  }

  // A moved row is listed where the slot that names it is, under that slot's location: the
  // order of the rows and every row's location stay what they were before it moved. The slots
  // its data lies in are flagged deleted and are not listed themselves.
  for (std::uint32_t number : pages) {
    const DataPage page = read(number);
    for (std::uint16_t row = 0; row < page.SlotCount(); ++row) {
      // Every slot of the owned pages was read without error in the pass above.
      const RowSlot slot = page.Slot(row, where).value();
      const std::uint32_t location = number << 8 | row;
      const bool listed = movedTo_.contains(location) ||
                          (!slot.overflow && !slot.deleted && !slot.bytes.empty());
      if (listed) locations_.push_back(location);
    }
  }
  rowCount_ = locations_.size();
  return Status::Ok();
}

std::size_t Table::PageEntry(std::size_t entry, std::size_t row) const {
  const auto holds = [&](std::size_t at) {
    return at < pages_.size() && pages_[at].firstRow <= row &&
           (at + 1 == pages_.size() || row < pages_[at + 1].firstRow);
  };
  if (holds(entry)) return entry;
  if (holds(entry + 1)) return entry + 1;
  const auto page =
      std::upper_bound(pages_.begin(), pages_.end(), row,
                       [](std::size_t r, const PageRows& p) { return r < p.firstRow; }) -
      1;
  return static_cast<std::size_t>(page - pages_.begin());
}

std::uint32_t Table::LocationOn(std::size_t entry, std::size_t row) const {
  const PageRows& page = pages_[entry];
  const std::size_t index = row - page.firstRow;
  return page.number << 8 | (page.firstSlot == kDense ? index : slots_[page.firstSlot + index]);
}

std::uint32_t Table::RowLocation(std::size_t row) const {
  if (pages_.empty()) return locations_[row];
  return LocationOn(PageEntry(0, row), row);
}

std::vector<std::uint32_t> Table::RowLocations(const std::vector<std::uint32_t>& rows) const {
  std::vector<std::uint32_t> locations;
  locations.reserve(rows.size());
  std::size_t entry = 0;
  for (std::uint32_t row : rows) {
    if (pages_.empty()) {
      locations.push_back(locations_[row]);
      continue;
    }
    entry = PageEntry(entry, row);
    locations.push_back(LocationOn(entry, row));
  }
  return locations;
}

int Table::FindColumn(std::string_view name) const {
  for (std::size_t i = 0; i < Columns().size(); ++i) {
    if (SameName(Columns()[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::string Table::Place(std::size_t row, const Column* column) const {
  const std::uint32_t location = RowLocation(row);
  std::string place = "table '" + definition_.name + "', data page " +
                      std::to_string(location >> 8) + ", row " + std::to_string(location & 0xFF);
  if (column != nullptr) place += ", column '" + column->name + "'";
  return place;
}

Status Table::Locate(const Status& status, std::size_t row, const Column& column) const {
  std::string where = Place(row, &column);
  if (!status.where().empty()) where += ", " + status.where();
  switch (status.kind()) {
    case StatusKind::notSupported:
      return Status::NotSupported(status.message(), where);
    case StatusKind::io:
      return Status::IoError(status.message(), where);
    default:
      return Status::Corruption(status.message(), where);
  }
}

Result<Value> Table::GetValue(std::size_t row, std::size_t column) const {
  RowCursor cursor(*this);
  VELMORA_RETURN_IF_ERROR(cursor.MoveTo(row));
  return cursor.GetValue(column);
}

Result<bool> Table::GetText(std::size_t row, std::size_t column, std::u16string& out,
                            const CharacterMap* map) const {
  RowCursor cursor(*this);
  VELMORA_RETURN_IF_ERROR(cursor.MoveTo(row));
  return cursor.GetText(column, out, map);
}

Result<bool> Table::GetTextUntil(std::size_t row, std::size_t column, std::u16string& out,
                                 const CharacterMap& map,
                                 const std::function<bool(std::u16string_view)>& enough) const {
  RowCursor cursor(*this);
  VELMORA_RETURN_IF_ERROR(cursor.MoveTo(row));
  return cursor.GetTextUntil(column, out, map, enough);
}

Status Table::DecodeText(ByteView bytes, std::u16string& out, const CharacterMap* map) const {
  if (format_->IsJet4()) return map ? DecodeJet4Text(bytes, out, *map) : DecodeJet4Text(bytes, out);
  Status decoded = DecodeCodePageText(bytes, codePage_, out);
  if (!decoded.ok() || map == nullptr) return decoded;
  std::size_t kept = 0;
  for (char16_t c : out) {
    out[kept] = (*map)[c];
    kept += out[kept] != 0;
  }
  out.resize(kept);
  return Status::Ok();
}

Result<Value> Table::Decode(const Column& column, ByteView bytes) const {
  switch (column.type) {
    case ColumnType::ole: {
      Result<Bytes> stored = ReadLongValue(*file_, *format_, bytes);
      if (!stored.ok()) return stored.status();
      return Value(stored.take());
    }
    case ColumnType::memo: {
      Bytes chain;
      Result<ByteView> stored = ReadLongValue(*file_, *format_, bytes, chain);
      if (!stored.ok()) return stored.status();
      std::u16string text;
      Status decoded = DecodeText(stored.value(), text);
      if (!decoded.ok()) return decoded;
      return Value(std::move(text));
    }
    default:
      return DecodeStoredValue(column, bytes, format_->version, codePage_);
  }
}

}  // namespace provider::jet
