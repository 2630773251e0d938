// The row frame. Jet 4, from the row start (Jet 3 sizes in brackets):
//   2 [1]  number of columns when the row was written (deleted columns included)
//   ...    fixed-length data, each column at its definition's fixed offset (+ the count field)
//   ...    variable-length data
//   ...    variable offsets, reversed: entry k at len − m − 4 − 2k, k = count is end-of-data
//          [Jet 3: one byte each at len − m − n − 2 − k, plus n = (len − 1) / 256 jump bytes at
//          len − m − 2 − j; offset k gains 256 for every real jump byte ≤ k. When
//          (len − m − n − 2 − count) / 256 < n, the jump byte farthest from the end is filler.]
//   2 [1]  number of variable columns in this row
//   m      null mask, (columns + 7) / 8 bytes: bit c (LSB first) set = column number c has a
//          value (for booleans: is true)
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/row_layout.h"

namespace provider::jet {

Result<RowLayout> RowLayout::Parse(ByteView row, const Format& format, bool hasVariable) {
  auto corrupt = [&](const char* what) {
    return Status::Corruption(std::string("A row is damaged: ") + what + ".", "");
  };
  RowLayout layout;
  layout.row_ = row;
  layout.format_ = &format;
  const std::size_t len = row.size();
  const std::size_t countSize = format.rowCountSize;
  if (len < countSize) return corrupt("it is shorter than its column count");
  layout.columnCount_ = format.IsJet4() ? row.U16(0) : row.U8(0);
  const std::size_t m = (layout.columnCount_ + 7u) / 8u;
  if (len < countSize + m) return corrupt("its null mask does not fit");
  layout.mask_ = *row.Slice(len - m, m);
  layout.metaStart_ = len - m;
  if (!hasVariable) return layout;

  if (format.IsJet4()) {
    if (len < countSize + m + 2) return corrupt("its variable column count does not fit");
    layout.varCount_ = row.U16(len - m - 2);
    const std::size_t meta = m + 4 + 2u * layout.varCount_;
    if (len < countSize + meta) return corrupt("its variable offsets do not fit");
    layout.metaStart_ = len - meta;
  } else {
    if (len < countSize + m + 1) return corrupt("its variable column count does not fit");
    layout.varCount_ = row.U8(len - m - 1);
    const std::size_t jumps = (len - 1) / 256;
    const std::size_t meta = m + jumps + 2 + layout.varCount_;
    if (len < countSize + meta) return corrupt("its variable offsets do not fit");
    layout.metaStart_ = len - meta;
    layout.jumpCount_ = jumps;
    if (jumps > 0 && layout.metaStart_ / 256 < jumps) layout.jumpCount_ = jumps - 1;
  }
  return layout;
}

std::size_t RowLayout::VarOffset(std::uint16_t index) const {
  const std::size_t len = row_.size();
  const std::size_t m = mask_.size();
  if (format_->IsJet4()) return row_.U16(len - m - 4 - 2u * index);
  const std::size_t jumps = (len - 1) / 256;
  std::size_t offset = row_.U8(len - m - jumps - 2 - index);
  for (std::size_t j = 0; j < jumpCount_; ++j) {
    if (row_.U8(len - m - 2 - j) <= index) offset += 256;
  }
  return offset;
}

Result<ByteView> RowLayout::Fixed(const Column& column, std::size_t size) const {
  const std::size_t start = format_->rowCountSize + column.fixedOffset;
  if (start + size > metaStart_)
    return Status::Corruption("A fixed-length value lies outside its row.", "");
  return *row_.Slice(start, size);
}

Result<ByteView> RowLayout::Variable(std::uint16_t varIndex) const {
  const std::size_t start = VarOffset(varIndex);
  const std::size_t end = VarOffset(static_cast<std::uint16_t>(varIndex + 1));
  if (start < format_->rowCountSize || start > end || end > metaStart_)
    return Status::Corruption("A variable-length value lies outside its row.", "");
  return *row_.Slice(start, end - start);
}

}  // namespace provider::jet
