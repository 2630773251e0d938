// Rows as Jet stores them on data pages: values in their column's form, assembled into one
// record with its offsets and null mask.
//
// Row (Jet 4; Jet 3 in brackets), in byte order:
//   2 [1]        number of columns
//   fixed size   fixed columns, each at its offset (space kept when null)
//   ...          variable columns' data, in variable-index order
//   2 [1]        end of the variable data (offset from the row start)
//   2 [1] * v    start offsets of variable columns v-1 ... 0 (the table runs backwards)
//   [j]          Jet 3 only: (length - 1) / 256 jump bytes, the one nearest the end first
//   2 [1]        number of variable columns v
//   (n + 7) / 8  null mask, bit c for column number c: 1 = value present (booleans: true)
// Without variable columns the null mask follows the fixed data.
//
// A Jet 3 offset is its low byte; jump byte k holds the first variable index whose offset is at
// least (k + 1) * 256, so a reader adds 256 for every jump byte not above the index. A row has
// as many jump bytes as its length asks for; those its offsets do not need hold 0xFF, which is
// above every index.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_row.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_text.h"

namespace provider::jet {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Status Mismatch(const ColumnLayout& column, const char* what) {
  std::string name(column.columnSpec.name.begin(), column.columnSpec.name.end());
  for (char& c : name)
    if (static_cast<unsigned char>(c) > 0x7F) c = '?';
  return Status::InvalidArgument(std::string("The value does not suit the column: ") + what + ".",
                                 "column '" + name + "'");
}

constexpr std::uint8_t kNegativeDecimal = 0x80;

// A fixed-length text column holds its text uncompressed, padded with spaces to its length.
Result<StoredField> FixedText(const ColumnLayout& column, std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  if (column.codePage != 0) {
    auto encoded = EncodeCodePageText(text, column.codePage);
    VELMORA_RETURN_IF_ERROR(encoded);
    bytes = encoded.take();
    bytes.resize(column.length, ' ');
    return StoredField{true, std::move(bytes)};
  }
  // Readers take a value that starts with FF FE for compressed text.
  if (!text.empty() && text[0] == 0xFEFF)
    return Mismatch(column, "a fixed-length text cannot start with U+FEFF");
  for (std::size_t i = 0; 2 * i < column.length; ++i)
    PutLittleEndian(bytes, i < text.size() ? text[i] : u' ', 2);
  return StoredField{true, std::move(bytes)};
}

// The decimal digits of a magnitude (least significant word first); 0 has none.
std::size_t DecimalDigits(std::array<std::uint32_t, 4> magnitude) {
  std::size_t digits = 0;
  const auto nonZero = [](std::uint32_t word) { return word != 0; };
  while (std::any_of(magnitude.begin(), magnitude.end(), nonZero)) {
    std::uint64_t remainder = 0;
    for (std::size_t word = magnitude.size(); word-- > 0;) {
      const std::uint64_t current = (remainder << 32) | magnitude[word];
      magnitude[word] = static_cast<std::uint32_t>(current / 10);
      remainder = current % 10;
    }
    ++digits;
  }
  return digits;
}

Result<StoredField> EncodeInteger(const ColumnLayout& column, const Value& value, std::int64_t low,
                                  std::int64_t high) {
  const auto* number = std::get_if<std::int64_t>(&value);
  if (number == nullptr) return Mismatch(column, "an integer is expected");
  if (*number < low || *number > high) return Mismatch(column, "out of range");
  StoredField field{true, {}};
  PutLittleEndian(field.bytes, static_cast<std::uint64_t>(*number), column.length);
  return field;
}

// The length of a Jet 3 row that is `size` bytes without its jump bytes: one more for every 256
// bytes of the whole row, jump bytes included.
std::size_t WithJumps(std::size_t size) {
  std::size_t jumps = 0;
  while ((size + jumps - 1) / 256 > jumps) jumps = (size + jumps - 1) / 256;
  return size + jumps;
}

}  // namespace

Result<StoredField> EncodeField(const ColumnLayout& column, const Value& value) {
  if (column.columnSpec.type == ColumnType::boolean) {
    if (IsNull(value)) return StoredField{};
    const auto* flag = std::get_if<bool>(&value);
    if (flag == nullptr) return Mismatch(column, "a yes/no value is expected");
    return StoredField{*flag, {}};
  }
  if (IsNull(value)) {
    StoredField field;
    if (column.fixed) field.bytes.assign(column.length, 0);
    return field;
  }
  switch (column.columnSpec.type) {
    case ColumnType::byte:
      return EncodeInteger(column, value, 0, 255);
    case ColumnType::integer:
      return EncodeInteger(column, value, std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max());
    case ColumnType::longInteger:
      return EncodeInteger(column, value, std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max());
    case ColumnType::currency: {
      const auto* money = std::get_if<Currency>(&value);
      if (money == nullptr) return Mismatch(column, "a currency value is expected");
      StoredField field{true, {}};
      PutLittleEndian(field.bytes, static_cast<std::uint64_t>(money->scaled), 8);
      return field;
    }
    case ColumnType::single:
    case ColumnType::doubleFloat:
    case ColumnType::dateTime: {
      double number = 0;
      if (const auto* date = std::get_if<DateTime>(&value);
          date != nullptr && column.columnSpec.type == ColumnType::dateTime)
        number = date->days;
      else if (const auto* real = std::get_if<double>(&value);
               real != nullptr && column.columnSpec.type != ColumnType::dateTime)
        number = *real;
      else
        return Mismatch(column, "a number or date is expected");
      StoredField field{true, {}};
      if (column.columnSpec.type == ColumnType::single) {
        const auto narrow = static_cast<float>(number);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &narrow, sizeof bits);
        PutLittleEndian(field.bytes, bits, 4);
      } else {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        PutLittleEndian(field.bytes, bits, 8);
      }
      return field;
    }
    case ColumnType::guid: {
      const auto* guid = std::get_if<Guid>(&value);
      if (guid == nullptr) return Mismatch(column, "a replication id is expected");
      return StoredField{true, {guid->bytes.begin(), guid->bytes.end()}};
    }
    case ColumnType::text: {
      const auto* text = std::get_if<std::u16string>(&value);
      if (text == nullptr) return Mismatch(column, "text is expected");
      if (text->size() > column.columnSpec.size) return Mismatch(column, "the text is too long");
      if (column.fixed) return FixedText(column, *text);
      auto bytes =
          column.codePage != 0 ? EncodeCodePageText(*text, column.codePage) : EncodeJetText(*text);
      VELMORA_RETURN_IF_ERROR(bytes);
      return StoredField{true, bytes.take()};
    }
    case ColumnType::binary: {
      const auto* bytes = std::get_if<Bytes>(&value);
      if (bytes == nullptr) return Mismatch(column, "binary data is expected");
      if (bytes->size() > column.columnSpec.size) return Mismatch(column, "the data is too long");
      return StoredField{true, *bytes};
    }
    case ColumnType::numeric: {
      const auto* number = std::get_if<Decimal>(&value);
      if (number == nullptr) return Mismatch(column, "a decimal number is expected");
      if (number->scale != column.scale)
        return Mismatch(column, "the number has another count of decimal places");
      if (DecimalDigits(number->magnitude) > column.precision)
        return Mismatch(column, "the number has more digits than the column holds");
      StoredField field{true, {static_cast<std::uint8_t>(number->negative ? kNegativeDecimal : 0)}};
      for (std::size_t word = number->magnitude.size(); word-- > 0;)
        PutLittleEndian(field.bytes, number->magnitude[word], 4);
      return field;
    }
    default:
      return Mismatch(column, "long values are stored by the table");
  }
}

std::size_t RowSize(const TableLayout& layout, std::size_t variableBytes) {
  const std::size_t columns = layout.columnCount != 0 ? layout.columnCount : layout.columns.size();
  const std::size_t mask = (columns + 7) / 8;
  if (layout.version == JetVersion::jet4)
    return 2 + layout.fixedSize + variableBytes +
           (layout.varCount > 0 ? 2 * layout.varCount + 4 : 0) + mask;
  const std::size_t size = 1 + layout.fixedSize + variableBytes + mask;
  if (layout.varCount == 0) return size;
  return WithJumps(size + layout.varCount + 2);
}

std::vector<std::uint8_t> AssembleRow(const TableLayout& layout,
                                      const std::vector<StoredField>& fields) {
  return AssembleRow(layout, fields, 0);
}

std::vector<std::uint8_t> AssembleRow(const TableLayout& layout,
                                      const std::vector<StoredField>& fields, std::size_t length) {
  const bool jet4 = layout.version == JetVersion::jet4;
  const std::size_t countSize = jet4 ? 2 : 1;
  const auto columns = static_cast<std::uint32_t>(layout.columnCount != 0 ? layout.columnCount
                                                                          : layout.columns.size());
  std::vector<std::uint8_t> row;
  if (jet4)
    Append16(row, columns);
  else
    row.push_back(static_cast<std::uint8_t>(columns));
  row.resize(countSize + layout.fixedSize, 0);
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const ColumnLayout& column = layout.columns[i];
    if (column.fixed && !fields[i].bytes.empty())
      std::memcpy(row.data() + countSize + column.fixedOffset, fields[i].bytes.data(),
                  column.length);
  }
  // Variable starts, then the end of the data last.
  std::vector<std::uint32_t> offsets;
  for (std::uint16_t index = 0; index < layout.varCount; ++index) {
    // A slot no column has (a deleted column's) is empty.
    offsets.push_back(static_cast<std::uint32_t>(row.size()));
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
      const ColumnLayout& column = layout.columns[i];
      if (column.fixed || column.varIndex != index) continue;
      row.insert(row.end(), fields[i].bytes.begin(), fields[i].bytes.end());
    }
  }
  offsets.push_back(static_cast<std::uint32_t>(row.size()));
  const std::size_t mask = (columns + 7) / 8;
  const std::size_t natural = RowSize(layout, row.size() - countSize - layout.fixedSize);
  const std::size_t total = std::max(length, natural);
  if (layout.varCount == 0) {
    row.resize(total - mask, 0);
  } else if (jet4) {
    row.resize(total - mask - 2 * layout.varCount - 4, 0);
    for (std::size_t index = offsets.size(); index > 0; --index) Append16(row, offsets[index - 1]);
    Append16(row, layout.varCount);
  } else {
    const std::size_t jumps = (total - 1) / 256;
    row.resize(total - mask - jumps - 2 - layout.varCount, 0);
    for (std::size_t index = offsets.size(); index > 0; --index)
      row.push_back(static_cast<std::uint8_t>(offsets[index - 1]));
    std::vector<std::uint8_t> jump(jumps, 0xFF);
    for (std::size_t k = 0; k < jumps; ++k) {
      const auto first = std::find_if(offsets.begin(), offsets.end(), [k](std::uint32_t offset) {
        return offset >= (k + 1) * 256;
      });
      if (first == offsets.end()) break;
      jump[k] = static_cast<std::uint8_t>(first - offsets.begin());
    }
    row.insert(row.end(), jump.rbegin(), jump.rend());
    row.push_back(static_cast<std::uint8_t>(layout.varCount));
  }
  const std::size_t maskStart = row.size();
  row.resize(maskStart + mask, 0);
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const std::uint16_t number = layout.columns[i].number;
    if (fields[i].present)
      row[maskStart + number / 8] |= static_cast<std::uint8_t>(1u << (number % 8));
  }
  return row;
}

}  // namespace provider::jet
