// A column of a table as its definition describes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace provider::jet {

// The type codes stored in column definitions.
enum class ColumnType : std::uint8_t {
  boolean = 0x01,
  byte = 0x02,
  integer = 0x03,
  longInteger = 0x04,
  currency = 0x05,
  single = 0x06,
  doubleFloat = 0x07,
  dateTime = 0x08,
  binary = 0x09,
  text = 0x0A,
  ole = 0x0B,
  memo = 0x0C,
  guid = 0x0F,
  numeric = 0x10,
};

// Bytes a value of a fixed-size type takes in a row's fixed area; 0 for booleans (they live in
// the null mask), for the variable types and for codes this engine does not know.
constexpr std::size_t FixedValueSize(ColumnType type) {
  switch (type) {
    case ColumnType::byte:
      return 1;
    case ColumnType::integer:
      return 2;
    case ColumnType::longInteger:
    case ColumnType::single:
      return 4;
    case ColumnType::currency:
    case ColumnType::doubleFloat:
    case ColumnType::dateTime:
      return 8;
    case ColumnType::guid:
      return 16;
    case ColumnType::numeric:
      return 17;
    default:
      return 0;
  }
}

// Column flag bits.
constexpr std::uint8_t kColumnFixed = 0x01;
constexpr std::uint8_t kColumnNullable = 0x02;
constexpr std::uint8_t kColumnAutoNumber = 0x04;
constexpr std::uint8_t kColumnAutoGuid = 0x40;
constexpr std::uint8_t kColumnHyperlink = 0x80;

struct Column {
  std::string name;  // UTF-8
  ColumnType type = ColumnType::text;
  std::uint8_t typeCode = 0;   // as stored, also for codes this engine does not know
  std::uint16_t number = 0;    // bit in the null mask; counts deleted columns
  std::uint16_t varIndex = 0;  // entry in the row's variable offsets (variable columns)
  std::uint16_t fixedOffset = 0;
  std::uint16_t length = 0;    // bytes in the row (text: 2 per character in Jet 4)
  std::uint8_t precision = 0;  // numeric only
  std::uint8_t scale = 0;      // numeric only
  std::uint16_t sortOrder = 0;    // text and memo: the LCID of the order they sort in
  std::uint16_t sortVersion = 0;  // Jet 4 text and memo: that order's version
  std::uint8_t flags = 0;

  bool IsFixed() const { return (flags & kColumnFixed) != 0; }
  // The automatic-GUID flag counts only on GUID columns: files Access made carry it on columns
  // of other types (dates, Jet 3 text), where it cannot mean an automatic id.
  bool IsAutoIncrement() const {
    return (flags & kColumnAutoNumber) != 0 ||
           ((flags & kColumnAutoGuid) != 0 && type == ColumnType::guid);
  }
  bool IsNullable() const { return (flags & kColumnNullable) != 0; }
  bool IsLongValue() const { return type == ColumnType::memo || type == ColumnType::ole; }
};

}  // namespace provider::jet
