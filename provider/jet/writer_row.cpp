// Rows as Jet 4 stores them on data pages: values in their column's form, assembled into one
// record with its offsets and null mask.
//
// Row (Jet 4), in byte order:
//   2            number of columns
//   fixed size   fixed columns, each at its offset (space kept when null)
//   ...          variable columns' data, in variable-index order
//   2            end of the variable data (offset from the row start)
//   2 * v        start offsets of variable columns v-1 ... 0 (the table runs backwards)
//   2            number of variable columns v
//   (n + 7) / 8  null mask, bit c for column number c: 1 = value present (booleans: true)
// Without variable columns the null mask follows the fixed data.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/writer_row.h"

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

Result<StoredField> EncodeInteger(const ColumnLayout& column, const Value& value, std::int64_t low,
                                  std::int64_t high) {
  const auto* number = std::get_if<std::int64_t>(&value);
  if (number == nullptr) return Mismatch(column, "an integer is expected");
  if (*number < low || *number > high) return Mismatch(column, "out of range");
  StoredField field{true, {}};
  PutLittleEndian(field.bytes, static_cast<std::uint64_t>(*number), column.length);
  return field;
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
      auto bytes = EncodeJetText(*text);
      VELMORA_RETURN_IF_ERROR(bytes);
      return StoredField{true, bytes.take()};
    }
    case ColumnType::binary: {
      const auto* bytes = std::get_if<Bytes>(&value);
      if (bytes == nullptr) return Mismatch(column, "binary data is expected");
      if (bytes->size() > column.columnSpec.size) return Mismatch(column, "the data is too long");
      return StoredField{true, *bytes};
    }
    default:
      return Mismatch(column, "long values are stored by the table");
  }
}

std::vector<std::uint8_t> AssembleRow(const TableLayout& layout,
                                      const std::vector<StoredField>& fields) {
  const auto columns = static_cast<std::uint32_t>(
      layout.columnCount != 0 ? layout.columnCount : layout.columns.size());
  std::vector<std::uint8_t> row;
  Append16(row, columns);
  row.resize(2 + layout.fixedSize, 0);
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const ColumnLayout& column = layout.columns[i];
    if (column.fixed && !fields[i].bytes.empty())
      std::memcpy(row.data() + 2 + column.fixedOffset, fields[i].bytes.data(), column.length);
  }
  if (layout.varCount > 0) {
    std::vector<std::uint32_t> starts(layout.varCount, 0);
    for (std::uint16_t index = 0; index < layout.varCount; ++index) {
      // A slot no column has (a deleted column's) is empty.
      starts[index] = static_cast<std::uint32_t>(row.size());
      for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& column = layout.columns[i];
        if (column.fixed || column.varIndex != index) continue;
        row.insert(row.end(), fields[i].bytes.begin(), fields[i].bytes.end());
      }
    }
    Append16(row, static_cast<std::uint32_t>(row.size()));
    for (std::uint16_t index = layout.varCount; index > 0; --index)
      Append16(row, starts[index - 1]);
    Append16(row, layout.varCount);
  }
  const std::size_t maskStart = row.size();
  row.resize(maskStart + (columns + 7) / 8, 0);
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const std::uint16_t number = layout.columns[i].number;
    if (fields[i].present)
      row[maskStart + number / 8] |= static_cast<std::uint8_t>(1u << (number % 8));
  }
  return row;
}

}  // namespace provider::jet
