// Where each column's bytes lie within one stored row.
#pragma once

#include <cstdint>

#include "provider/jet/byte_view.h"
#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

// The parsed frame of a row: column count, null mask and variable offsets. Cheap to build (no
// allocation); values are cut out only when asked for.
class RowLayout {
 public:
  RowLayout() = default;

  // `hasVariable` says whether the table has variable columns (otherwise rows carry no
  // variable offsets). Failures leave the place to the caller, who knows the row.
  static Result<RowLayout> Parse(ByteView row, const Format& format, bool hasVariable);

  // The null-mask bit of a column number: false when the row predates the column.
  bool MaskBit(std::uint16_t number) const {
    if (number >= columnCount_) return false;
    return (mask_.U8(number / 8u) >> (number % 8u) & 1u) != 0;
  }
  bool HasColumn(std::uint16_t number) const { return number < columnCount_; }

  // The `size` bytes of a fixed column.
  Result<ByteView> Fixed(const Column& column, std::size_t size) const;
  // Whether the row has the variable slot (rows written before a column was added do not).
  bool HasVariable(std::uint16_t varIndex) const { return varIndex < varCount_; }
  Result<ByteView> Variable(std::uint16_t varIndex) const;

 private:
  std::size_t VarOffset(std::uint16_t index) const;

  ByteView row_;
  ByteView mask_;
  const Format* format_ = nullptr;
  std::uint16_t columnCount_ = 0;
  std::uint16_t varCount_ = 0;
  std::size_t metaStart_ = 0;  // first byte after the column data
  std::size_t jumpCount_ = 0;  // Jet 3: real jump bytes
};

}  // namespace provider::jet
