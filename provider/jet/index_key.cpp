// Encoding index keys.
//
// Each column adds a flag byte (0x7F ascending, 0x80 descending; a null is the flag alone, 0x00
// ascending or 0xFF descending) and then its value's bytes, all inverted when descending, so
// that the byte order of keys is the order of the values. Integers are big-endian, the sign bit
// flipped for the signed ones (not for Byte); Double and Date/Time are big-endian IEEE bits, the
// sign bit flipped for positive numbers and every bit inverted for negative ones; text is its sort
// codes (index_text_key.cpp).
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_key.h"

#include <bit>
#include <string>

#include "provider/jet/index_text_key.h"

namespace provider::jet {

namespace {

void AppendBig(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t size) {
  for (std::size_t i = size; i-- > 0;) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// `flip`: the sign bit is flipped (signed types), so that negative numbers come first.
Result<std::vector<std::uint8_t>> Integer(const Value& value, std::size_t size, std::int64_t low,
                                          std::int64_t high, bool flip = true) {
  const auto* number = std::get_if<std::int64_t>(&value);
  if (number == nullptr || *number < low || *number > high)
    return Status::InvalidArgument("The value does not suit the indexed column.", "index key");
  std::vector<std::uint8_t> bytes;
  const std::uint64_t sign = flip ? std::uint64_t{1} << (8 * size - 1) : 0;
  AppendBig(bytes, static_cast<std::uint64_t>(*number) ^ sign, size);
  return bytes;
}

std::vector<std::uint8_t> Floating(double number) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(number);
  bits = (bits >> 63) != 0 ? ~bits : bits | std::uint64_t{1} << 63;
  std::vector<std::uint8_t> bytes;
  AppendBig(bytes, bits, 8);
  return bytes;
}

Result<std::vector<std::uint8_t>> ValueBytes(ColumnType type, const Value& value,
                                             JetVersion version, std::uint16_t codePage) {
  switch (type) {
    case ColumnType::byte:
      return Integer(value, 1, 0, 255, false);
    case ColumnType::integer:
      return Integer(value, 2, INT16_MIN, INT16_MAX);
    case ColumnType::longInteger:
      return Integer(value, 4, INT32_MIN, INT32_MAX);
    case ColumnType::doubleFloat:
      if (const auto* number = std::get_if<double>(&value)) return Floating(*number);
      break;
    case ColumnType::dateTime:
      if (const auto* date = std::get_if<DateTime>(&value)) return Floating(date->days);
      break;
    case ColumnType::text:
      if (const auto* text = std::get_if<std::u16string>(&value))
        return EncodeTextKey(*text, version, codePage);
      break;
    default:
      return Status::NotSupported("This engine cannot encode index keys of column type " +
                                      std::to_string(static_cast<int>(type)) + ".",
                                  "index key");
  }
  return Status::InvalidArgument("The value does not suit the indexed column.", "index key");
}

}  // namespace

bool KeyTypeSupported(ColumnType type) {
  switch (type) {
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::longInteger:
    case ColumnType::doubleFloat:
    case ColumnType::dateTime:
    case ColumnType::text:
      return true;
    default:
      return false;
  }
}

Result<std::vector<std::uint8_t>> EncodeIndexKey(std::span<const KeyColumn> columns,
                                                 std::span<const Value> values, JetVersion version,
                                                 std::uint16_t codePage) {
  if (columns.size() != values.size())
    return Status::InvalidArgument("A key needs one value per column.", "index key");
  std::vector<std::uint8_t> key;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const bool ascending = columns[i].ascending;
    if (IsNull(values[i])) {
      key.push_back(ascending ? kKeyNullAscending : kKeyNullDescending);
      continue;
    }
    auto bytes = ValueBytes(columns[i].type, values[i], version, codePage);
    VELMORA_RETURN_IF_ERROR(bytes);
    key.push_back(ascending ? kKeyValueAscending : kKeyValueDescending);
    for (std::uint8_t byte : bytes.value())
      key.push_back(ascending ? byte : static_cast<std::uint8_t>(~byte));
  }
  return key;
}

}  // namespace provider::jet
