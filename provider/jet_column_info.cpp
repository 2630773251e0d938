// The Jet column types as the Jet OLE DB provider reports them.
#include "provider/jet_column_info.h"

#include "platform/codepage.h"

namespace provider {

namespace {

// Jet's long values are reported with these sizes: memo counts characters, OLE bytes.
constexpr std::int32_t kMemoSize = 536870910;
constexpr std::int32_t kOleSize = 1073741823;

struct TypeInfo {
  DataTypeEnum type;
  std::int32_t size;
  std::uint8_t precision;
};

TypeInfo FixedType(jet::ColumnType type) {
  switch (type) {
    case jet::ColumnType::boolean:
      return {adBoolean, 2, 255};
    case jet::ColumnType::byte:
      return {adUnsignedTinyInt, 1, 3};
    case jet::ColumnType::integer:
      return {adSmallInt, 2, 5};
    case jet::ColumnType::longInteger:
      return {adInteger, 4, 10};
    case jet::ColumnType::currency:
      return {adCurrency, 8, 19};
    case jet::ColumnType::single:
      return {adSingle, 4, 7};
    case jet::ColumnType::doubleFloat:
      return {adDouble, 8, 15};
    case jet::ColumnType::dateTime:
      return {adDate, 8, 255};
    case jet::ColumnType::guid:
      return {adGUID, 16, 255};
    case jet::ColumnType::numeric:
      return {adNumeric, 19, 255};
    default:
      return {adEmpty, 0, 255};
  }
}

}  // namespace

ColumnInfo JetColumnInfo(const jet::Column& column, jet::JetVersion version, bool updatable) {
  ColumnInfo info;
  info.name = platform::Utf8ToWide(column.name);
  info.autoIncrement = column.IsAutoIncrement();
  std::int32_t attributes = 0;
  switch (column.type) {
    case jet::ColumnType::text:
      info.type = adVarWChar;
      info.definedSize = version == jet::JetVersion::jet4 ? column.length / 2 : column.length;
      break;
    case jet::ColumnType::memo:
      info.type = adLongVarWChar;
      info.definedSize = kMemoSize;
      attributes |= adFldLong | adFldMayDefer;
      break;
    case jet::ColumnType::ole:
      info.type = adLongVarBinary;
      info.definedSize = kOleSize;
      attributes |= adFldLong | adFldMayDefer;
      break;
    case jet::ColumnType::binary:
      info.type = adVarBinary;
      info.definedSize = column.length;
      break;
    default: {
      TypeInfo fixed = FixedType(column.type);
      if (fixed.type == adEmpty) {
        info.type = adVarBinary;
        info.definedSize = column.length;
        break;
      }
      info.type = fixed.type;
      info.definedSize = fixed.size;
      info.precision = fixed.precision;
      if (column.type == jet::ColumnType::numeric) {
        info.precision = column.precision;
        info.numericScale = column.scale;
      }
      attributes |= adFldFixed;
      break;
    }
  }
  // Jet booleans cannot hold Null; every other column may unless it is required.
  if (column.IsNullable() && column.type != jet::ColumnType::boolean) {
    attributes |= adFldIsNullable | adFldMayBeNull;
  }
  if (updatable && !info.autoIncrement) attributes |= adFldUpdatable;
  info.attributes = attributes;
  return info;
}

}  // namespace provider
