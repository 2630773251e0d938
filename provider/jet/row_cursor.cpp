// Reading rows one after the other: finding each row's page from the last one, and cutting
// values out of the row's frame.
#include "provider/jet/row_cursor.h"

#include "platform/codepage.h"
#include "provider/jet/data_page.h"
#include "provider/jet/long_value.h"
#include "provider/jet/table.h"

namespace provider::jet {
namespace {

// Bytes a value takes in the fixed area: its type's size, or the column's length for text,
// binary and types this engine does not know.
std::size_t FixedSize(const Column& column) {
  const std::size_t size = FixedValueSize(column.type);
  return size > 0 ? size : column.length;
}

}  // namespace

Status RowCursor::MoveTo(std::size_t row) {
  if (row >= table_->RowCount()) {
    placed_ = false;
    return Status::InvalidArgument("No such row or column.", "table '" + table_->Name() + "'");
  }
  const bool forward = placed_ && row > row_;
  const std::size_t entry = pageEntry_;
  row_ = row;
  placed_ = true;
  const std::uint32_t location = Locate(row);
  // Only a scan stepping on to the next page of the table copies it.
  const bool nextPage = forward && !table_->pages_.empty() && pageEntry_ == entry + 1;
  ReadRow(location, forward, nextPage);
  return Status::Ok();
}

std::uint32_t RowCursor::Locate(std::size_t row) {
  const Table& table = *table_;
  if (table.pages_.empty()) return table.locations_[row];
  // A scan stays on its page or steps to the next one; anything else searches.
  pageEntry_ = table.PageEntry(pageEntry_, row);
  return table.LocationOn(pageEntry_, row);
}

void RowCursor::ReadRow(std::uint32_t listed, bool forward, bool nextPage) {
  const Table& table = *table_;
  // A moved row is listed under the slot that names it; its bytes are where that slot forwards.
  const auto moved = table.movedTo_.find(listed);
  const bool forwarded = moved != table.movedTo_.end();
  const std::uint32_t location = forwarded ? moved->second : listed;
  const std::uint32_t number = location >> 8;
  if (number != pageNumber_ || !forward) {
    Result<ByteView> page =
        nextPage ? table.file_->ReadPage(number, pageCopy_, "") : table.file_->Page(number, "");
    if (!page.ok()) {
      pageNumber_ = 0;
      rowStatus_ = page.status();
      return;
    }
    page_ = page.value();
    pageNumber_ = number;
  }
  Result<DataPage> data = DataPage::Read(page_, *table.format_, "");
  if (!data.ok()) {
    rowStatus_ = data.status();
    return;
  }
  Result<RowSlot> slot = data.value().Slot(static_cast<std::uint16_t>(location & 0xFF), "");
  if (!slot.ok()) {
    rowStatus_ = slot.status();
    return;
  }
  // A moved row's data lies in a slot flagged deleted, so that a plain scan does not list it twice.
  const bool listable = !slot.value().overflow && slot.value().deleted == forwarded;
  if (slot.value().bytes.empty() || !listable) {
    rowStatus_ = Status::Corruption("The row is no longer where its table was opened.", "");
    return;
  }
  Result<RowLayout> parsed =
      RowLayout::Parse(slot.value().bytes, *table.format_, table.definition_.varColumns > 0);
  if (!parsed.ok()) {
    rowStatus_ = parsed.status();
    return;
  }
  layout_ = parsed.value();
  rowStatus_ = Status::Ok();
}

Result<std::optional<ByteView>> RowCursor::Stored(const Column& column) const {
  if (!layout_.MaskBit(column.number)) return std::optional<ByteView>();
  Result<ByteView> stored = Status::Ok();
  // Fixed-size types normally sit in the fixed area, but only the column flag says so.
  if (column.IsFixed() && !column.IsLongValue()) {
    stored = layout_.Fixed(column, FixedSize(column));
  } else if (!layout_.HasVariable(column.varIndex)) {
    return std::optional<ByteView>();
  } else {
    stored = layout_.Variable(column.varIndex);
  }
  if (!stored.ok()) return table_->Locate(stored.status(), row_, column);
  return std::optional<ByteView>(stored.value());
}

Result<Value> RowCursor::GetValue(std::size_t column) {
  const Table& table = *table_;
  if (!placed_ || column >= table.Columns().size())
    return Status::InvalidArgument("No such row or column.", "table '" + table.Name() + "'");
  const Column& col = table.Columns()[column];
  if (!rowStatus_.ok()) return table.Locate(rowStatus_, row_, col);
  if (col.type == ColumnType::boolean) return Value(layout_.MaskBit(col.number));
  Result<std::optional<ByteView>> stored = Stored(col);
  if (!stored.ok()) return stored.status();
  if (!stored.value()) return Value();
  Result<Value> value = table.Decode(col, *stored.value());
  if (!value.ok()) return table.Locate(value.status(), row_, col);
  return value;
}

Result<std::optional<ByteView>> RowCursor::StoredText(std::size_t column) {
  const Table& table = *table_;
  if (!placed_ || column >= table.Columns().size())
    return Status::InvalidArgument("No such row or column.", "table '" + table.Name() + "'");
  const Column& col = table.Columns()[column];
  if (col.type != ColumnType::text && col.type != ColumnType::memo)
    return Status::InvalidArgument("The column does not hold text.", table.Place(row_, &col));
  if (!rowStatus_.ok()) return table.Locate(rowStatus_, row_, col);
  Result<std::optional<ByteView>> stored = Stored(col);
  if (!stored.ok() || !stored.value() || col.type != ColumnType::memo) return stored;
  Result<ByteView> whole = ReadLongValue(*table.file_, *table.format_, *stored.value(), chain_);
  if (!whole.ok()) return table.Locate(whole.status(), row_, col);
  return std::optional<ByteView>(whole.value());
}

Result<bool> RowCursor::GetText(std::size_t column, std::u16string& out, const CharacterMap* map) {
  Result<std::optional<ByteView>> stored = StoredText(column);
  if (!stored.ok()) return stored.status();
  if (!stored.value()) return false;
  Status decoded = table_->DecodeText(*stored.value(), out, map);
  if (!decoded.ok()) return table_->Locate(decoded, row_, table_->Columns()[column]);
  return true;
}

Result<bool> RowCursor::GetTextUntil(std::size_t column, std::u16string& out,
                                     const CharacterMap& map,
                                     const std::function<bool(std::u16string_view)>& enough) {
  // Memos are long and searches often find what they look for early; titles are decoded whole
  // in one step.
  constexpr std::size_t kFirstPart = 128;
  Result<std::optional<ByteView>> stored = StoredText(column);
  if (!stored.ok()) return stored.status();
  if (!stored.value()) return false;
  out.clear();
  if (!table_->format_->IsJet4()) {
    Status decoded = table_->DecodeText(*stored.value(), out, &map);
    if (!decoded.ok()) return table_->Locate(decoded, row_, table_->Columns()[column]);
    enough(out);
    return true;
  }
  Jet4TextReader reader(*stored.value(), map);
  for (std::size_t part = kFirstPart;; part *= 2) {
    Status decoded = reader.Next(part, out);
    if (!decoded.ok()) return table_->Locate(decoded, row_, table_->Columns()[column]);
    if (enough(out) || reader.done()) return true;
  }
}

Result<bool> RowCursor::AppendTextAsUtf8(std::size_t column, std::string& out) {
  Result<std::optional<ByteView>> stored = StoredText(column);
  if (!stored.ok()) return stored.status();
  if (!stored.value()) return false;
  Status decoded = Status::Ok();
  if (table_->format_->IsJet4()) {
    decoded = AppendJet4TextAsUtf8(*stored.value(), out);
  } else {
    std::u16string text;
    decoded = table_->DecodeText(*stored.value(), text);
    if (decoded.ok()) platform::AppendWideAsUtf8(text, out);
  }
  if (!decoded.ok()) return table_->Locate(decoded, row_, table_->Columns()[column]);
  return true;
}

}  // namespace provider::jet
