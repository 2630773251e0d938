// Encoding index keys.
//
// Each column adds a flag byte (0x7F ascending, 0x80 descending; a null is the flag alone, 0x00
// ascending or 0xFF descending) and then its value's bytes, all inverted when descending, so
// that the byte order of keys is the order of the values. Integers and Currency are big-endian,
// the sign bit flipped for the signed ones (not for Byte); Single, Double and Date/Time are
// big-endian IEEE bits, the sign bit flipped for positive numbers and every bit inverted for
// negative ones; Yes/No is 0x00 for yes and 0xFF for no; binary values go in pieces of 8 bytes,
// each followed by 0x09 when more follow, the last padded with zeros and followed by the number
// of its bytes (descending, the 0x09 markers are not inverted); a replication id is binary in its written order (the first three groups
// big-endian); text is its sort codes (index_text_key.cpp).
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_key.h"

#include <algorithm>
#include <array>
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

// `bits` of a `size`-byte IEEE number, ordered: negative numbers inverted, positive ones with the
// sign bit set.
std::vector<std::uint8_t> Floating(std::uint64_t bits, std::size_t size) {
  const std::uint64_t sign = std::uint64_t{1} << (8 * size - 1);
  const std::uint64_t mask = size == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1;
  bits = (bits & sign) != 0 ? ~bits & mask : bits | sign;
  std::vector<std::uint8_t> bytes;
  AppendBig(bytes, bits, size);
  return bytes;
}
std::vector<std::uint8_t> Floating(double number) {
  return Floating(std::bit_cast<std::uint64_t>(number), 8);
}

constexpr std::size_t kBinaryPiece = 8;
constexpr std::uint8_t kBinaryMore = 0x09;

Result<std::vector<std::uint8_t>> Binary(std::span<const std::uint8_t> data) {
  // An empty value's key is not shown by any file Access made.
  if (data.empty())
    return Status::NotSupported("This engine cannot encode the index key of an empty binary value.",
                                "index key");
  std::vector<std::uint8_t> bytes;
  for (std::size_t start = 0; start < data.size(); start += kBinaryPiece) {
    const std::size_t length = std::min(kBinaryPiece, data.size() - start);
    bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
                 data.begin() + static_cast<std::ptrdiff_t>(start + length));
    bytes.resize(bytes.size() + kBinaryPiece - length, 0);
    const bool more = start + kBinaryPiece < data.size();
    bytes.push_back(more ? kBinaryMore : static_cast<std::uint8_t>(length));
  }
  return bytes;
}

// A replication id as written ({00112233-4455-6677-8899-AABBCCDDEEFF}): the file stores the first
// three groups little-endian.
std::array<std::uint8_t, 16> WrittenOrder(const Guid& guid) {
  static constexpr std::size_t kOrder[] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::array<std::uint8_t, 16> written{};
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = guid.bytes[kOrder[i]];
  return written;
}

// A text key in another sort order than the one whose codes are known would be silently wrong.
Status KnownSortOrder(const KeyColumn& column) {
  if (column.sortOrder == kGeneralSortOrder && column.sortVersion == 0) return Status::Ok();
  return Status::NotSupported("Index keys of text sorted in the order of locale " +
                                  std::to_string(column.sortOrder) + " (version " +
                                  std::to_string(column.sortVersion) +
                                  ") cannot be encoded by this engine.",
                              "index key");
}

Result<std::vector<std::uint8_t>> ValueBytes(const KeyColumn& column, const Value& value,
                                             JetVersion version, std::uint16_t codePage) {
  const ColumnType type = column.type;
  switch (type) {
    case ColumnType::byte:
      return Integer(value, 1, 0, 255, false);
    case ColumnType::integer:
      return Integer(value, 2, INT16_MIN, INT16_MAX);
    case ColumnType::longInteger:
      return Integer(value, 4, INT32_MIN, INT32_MAX);
    case ColumnType::boolean:
      if (const auto* flag = std::get_if<bool>(&value))
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(*flag ? 0x00 : 0xFF)};
      break;
    case ColumnType::currency:
      if (const auto* money = std::get_if<Currency>(&value))
        return Integer(Value{money->scaled}, 8, INT64_MIN, INT64_MAX);
      break;
    case ColumnType::single:
      if (const auto* number = std::get_if<double>(&value))
        return Floating(std::bit_cast<std::uint32_t>(static_cast<float>(*number)), 4);
      break;
    case ColumnType::doubleFloat:
      if (const auto* number = std::get_if<double>(&value)) return Floating(*number);
      break;
    case ColumnType::binary:
      if (const auto* data = std::get_if<Bytes>(&value)) return Binary(*data);
      break;
    case ColumnType::guid:
      if (const auto* guid = std::get_if<Guid>(&value)) return Binary(WrittenOrder(*guid));
      break;
    case ColumnType::dateTime:
      if (const auto* date = std::get_if<DateTime>(&value)) return Floating(date->days);
      break;
    case ColumnType::text:
      VELMORA_RETURN_IF_ERROR(KnownSortOrder(column));
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
    case ColumnType::boolean:
    case ColumnType::currency:
    case ColumnType::single:
    case ColumnType::binary:
    case ColumnType::guid:
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
    auto bytes = ValueBytes(columns[i], values[i], version, codePage);
    VELMORA_RETURN_IF_ERROR(bytes);
    key.push_back(ascending ? kKeyValueAscending : kKeyValueDescending);
    const std::size_t start = key.size();
    for (std::uint8_t byte : bytes.value())
      key.push_back(ascending ? byte : static_cast<std::uint8_t>(~byte));
    // A descending binary key keeps the marker that says another piece follows as it is.
    const bool pieced = columns[i].type == ColumnType::binary || columns[i].type == ColumnType::guid;
    if (!ascending && pieced)
      for (std::size_t at = start + kBinaryPiece; at + 1 < key.size(); at += kBinaryPiece + 1)
        key[at] = kBinaryMore;
  }
  return key;
}

}  // namespace provider::jet
