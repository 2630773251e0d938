// The value of a column's stored bytes.
#include "provider/jet/stored_value.h"

#include <cstring>

#include "provider/jet/text.h"

namespace provider::jet {

Result<Value> DecodeStoredValue(const Column& column, ByteView bytes, JetVersion version,
                                std::uint16_t codePage) {
  if (bytes.size() < FixedValueSize(column.type))
    return Status::Corruption("A value is shorter than its type.", "");
  switch (column.type) {
    case ColumnType::byte:
      return Value(std::int64_t{bytes.U8(0)});
    case ColumnType::integer:
      return Value(std::int64_t{static_cast<std::int16_t>(bytes.U16(0))});
    case ColumnType::longInteger:
      return Value(std::int64_t{static_cast<std::int32_t>(bytes.U32(0))});
    case ColumnType::currency:
      return Value(Currency{static_cast<std::int64_t>(bytes.U64(0))});
    case ColumnType::single: {
      std::uint32_t bits = bytes.U32(0);
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return Value(static_cast<double>(f));
    }
    case ColumnType::doubleFloat:
    case ColumnType::dateTime: {
      std::uint64_t bits = bytes.U64(0);
      double d;
      std::memcpy(&d, &bits, sizeof d);
      if (column.type == ColumnType::dateTime) return Value(DateTime{d});
      return Value(d);
    }
    case ColumnType::guid: {
      Guid guid{};
      std::memcpy(guid.bytes.data(), bytes.data(), guid.bytes.size());
      return Value(guid);
    }
    case ColumnType::numeric: {
      Decimal decimal{};
      decimal.negative = (bytes.U8(0) & 0x80) != 0;
      for (int word = 0; word < 4; ++word) decimal.magnitude[3 - word] = bytes.U32(1 + 4 * word);
      decimal.precision = column.precision;
      decimal.scale = column.scale;
      return Value(decimal);
    }
    case ColumnType::binary:
      return Value(Bytes(bytes.data(), bytes.data() + bytes.size()));
    case ColumnType::text: {
      auto text = version == JetVersion::jet4 ? DecodeJet4Text(bytes)
                                              : DecodeCodePageText(bytes, codePage);
      VELMORA_RETURN_IF_ERROR(text);
      return Value(text.take());
    }
    case ColumnType::ole:
    case ColumnType::memo:
      return Status::InvalidArgument("A long value's field is a reference to its pages.",
                                     "column '" + column.name + "'");
    default:
      // Types this engine does not know (Access keeps some in its own system tables) read as
      // their stored bytes.
      return Value(Bytes(bytes.data(), bytes.data() + bytes.size()));
  }
}


}  // namespace provider::jet
