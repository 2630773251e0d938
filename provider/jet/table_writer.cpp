// Adds and deletes the rows of one table in a file being written, keeping its definition's
// row count and AutoNumber, its usage maps and its long values consistent.
#include "provider/jet/table_writer.h"

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_data_page.h"
#include "provider/jet/writer_row.h"
#include "provider/jet/writer_text.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::size_t kLongValueHeader = 12;

}  // namespace

Result<std::unique_ptr<TableWriter>> TableWriter::Create(PageStore& store,
                                                         const TableSpec& tableSpec,
                                                         std::uint32_t definitionPage) {
  auto layout = LayOutTable(tableSpec);
  VELMORA_RETURN_IF_ERROR(layout);
  std::unique_ptr<TableWriter> writer(
      new TableWriter(store, tableSpec, layout.take(), definitionPage));
  auto maps = AddTableMaps(store, writer->layout_);
  VELMORA_RETURN_IF_ERROR(maps);
  writer->maps_ = maps.take();
  for (std::size_t i = 0; i < writer->maps_.longValueOwned.size(); ++i)
    writer->longValues_.emplace_back(writer->maps_.longValueOwned[i], writer->maps_.longValueFree[i]);
  auto definition = EncodeTableDef(writer->tableSpec_, writer->layout_, writer->maps_);
  VELMORA_RETURN_IF_ERROR(definition);
  std::span<std::uint8_t> page = store.Page(definitionPage);
  std::copy(definition.value().begin(), definition.value().end(), page.begin());
  return writer;
}

std::uint32_t TableWriter::RowCount() const {
  return Load32(store_->Page(definitionPage_), kTableDefRowCount);
}

Result<std::uint32_t> TableWriter::InsertRow(const std::vector<Value>& values) {
  if (values.size() != layout_.columns.size())
    return Status::InvalidArgument("A row needs one value per column.",
                                   "table definition page " + std::to_string(definitionPage_));
  const std::span<std::uint8_t> definition = store_->Page(definitionPage_);
  const std::uint32_t nextAutoNumber = Load32(definition, kTableDefAutoNumber) + 1;

  // Everything is encoded and measured before anything is written.
  std::vector<StoredField> fields(values.size());
  std::vector<std::vector<std::uint8_t>> longData(values.size());
  std::size_t rowSize = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const ColumnLayout& column = layout_.columns[i];
    if (column.columnSpec.autoNumber) {
      if (!IsNull(values[i]))
        return Status::InvalidArgument("An AutoNumber column is numbered by the table.",
                                       "column " + std::to_string(i));
      auto field = EncodeField(column, static_cast<std::int64_t>(nextAutoNumber));
      VELMORA_RETURN_IF_ERROR(field);
      fields[i] = field.take();
    } else if (column.IsLongValue()) {
      if (!IsNull(values[i])) {
        auto bytes = LongValueBytes(column, values[i]);
        VELMORA_RETURN_IF_ERROR(bytes);
        longData[i] = bytes.take();
        fields[i].present = true;
        rowSize += kLongValueHeader +
                   (longData[i].size() <= kInlineLongValueLimit ? longData[i].size() : 0);
      }
    } else {
      auto field = EncodeField(column, values[i]);
      VELMORA_RETURN_IF_ERROR(field);
      fields[i] = field.take();
      if (!column.fixed) rowSize += fields[i].bytes.size();
    }
  }
  rowSize += 2 + layout_.fixedSize + 2 * layout_.varCount + 4 + (layout_.columns.size() + 7) / 8;
  if (rowSize > kMaxRowSize)
    return Status::InvalidArgument("The row is too long for a page.",
                                   "table definition page " + std::to_string(definitionPage_));

  std::size_t longValue = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!layout_.columns[i].IsLongValue()) continue;
    LongValueWriter& writer = longValues_[longValue++];
    if (!fields[i].present) continue;
    auto stored = writer.Store(*store_, longData[i]);
    VELMORA_RETURN_IF_ERROR(stored);
    fields[i].bytes = stored.take();
  }
  const std::vector<std::uint8_t> row = AssembleRow(layout_, fields);
  auto page = PageWithRoom(row.size());
  VELMORA_RETURN_IF_ERROR(page);
  auto slot = AddDataRow(store_->Page(page.value()), row);
  VELMORA_RETURN_IF_ERROR(slot);

  const std::span<std::uint8_t> updated = store_->Page(definitionPage_);
  Store32(updated, kTableDefRowCount, Load32(updated, kTableDefRowCount) + 1);
  for (const ColumnLayout& column : layout_.columns) {
    if (!column.columnSpec.autoNumber) continue;
    lastAutoNumber_ = nextAutoNumber;
    Store32(updated, kTableDefAutoNumber, nextAutoNumber);
  }
  return PageRow(page.value(), slot.value());
}

Result<std::uint32_t> TableWriter::PageWithRoom(std::size_t size) {
  if (page_ != 0 && DataPageHasRoom(store_->Page(page_), size)) return page_;
  if (page_ != 0) {
    Status status = SetUsageMapBit(*store_, maps_.free, page_, false, UsageMapKind::ownedPages);
    VELMORA_RETURN_IF_ERROR(status);
  }
  auto page = store_->Allocate(kPageData);
  VELMORA_RETURN_IF_ERROR(page);
  InitDataPage(store_->Page(page.value()), definitionPage_);
  for (std::uint32_t map : {maps_.owned, maps_.free}) {
    Status status = SetUsageMapBit(*store_, map, page.value(), true, UsageMapKind::ownedPages);
    VELMORA_RETURN_IF_ERROR(status);
  }
  page_ = page.value();
  return page_;
}

Status TableWriter::DeleteRow(std::uint32_t location) {
  const std::uint32_t pageNumber = location >> 8;
  const std::string where = "row " + std::to_string(location);
  if (pageNumber >= store_->PageCount()) return Status::NotFound("No such row.", where);
  std::span<std::uint8_t> page = store_->Page(pageNumber);
  if (page[0] != kPageData || Load32(page, 4) != definitionPage_)
    return Status::NotFound("No such row in this table.", where);
  const std::uint32_t slot = location & 0xFF;
  const Format& format = Format::Jet4();
  if (slot >= Load16(page, format.dataRowCount) ||
      (Load16(page, format.dataRowTable + 2 * slot) & kRowDeleted) != 0)
    return Status::NotFound("No such row.", where);
  Status status = DeleteDataRow(page, slot);
  VELMORA_RETURN_IF_ERROR(status);
  const std::span<std::uint8_t> definition = store_->Page(definitionPage_);
  Store32(definition, kTableDefRowCount, Load32(definition, kTableDefRowCount) - 1);
  return Status::Ok();
}

}  // namespace provider::jet
