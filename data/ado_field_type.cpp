// The ADO data type to field type table.
#include "data/ado_field_type.h"

#include <array>

#include "provider/enums.h"

namespace {

using provider::DataTypeEnum;

// ADO types the provider never hands out, so its enumeration leaves them out; a recordset from
// another source could still describe a column with them.
constexpr std::int32_t adIDispatch = 9;
constexpr std::int32_t adError = 10;
constexpr std::int32_t adIUnknown = 13;
constexpr std::int32_t adUnsignedSmallInt = 18;
constexpr std::int32_t adUnsignedInt = 19;
constexpr std::int32_t adUnsignedBigInt = 21;
constexpr std::int32_t adFileTime = 64;
constexpr std::int32_t adDBDate = 133;
constexpr std::int32_t adDBTime = 134;
constexpr std::int32_t adChapter = 136;
constexpr std::int32_t adDBFileTime = 137;
constexpr std::int32_t adPropVariant = 138;
constexpr std::int32_t adVarNumeric = 139;

// ftBCD in this table stands for "fixed point": it becomes ftFloat without BCD support.
struct Mapping {
  std::int32_t adoType;
  TFieldType fieldType;
};

using enum TFieldType;

constexpr std::array kMappings = {
    Mapping{provider::adSmallInt, ftSmallint},
    Mapping{provider::adTinyInt, ftSmallint},
    Mapping{provider::adInteger, ftInteger},
    Mapping{adError, ftInteger},
    Mapping{adUnsignedInt, ftInteger},
    Mapping{provider::adSingle, ftFloat},
    Mapping{provider::adDouble, ftFloat},
    Mapping{provider::adCurrency, ftBCD},
    Mapping{provider::adDate, ftDateTime},
    Mapping{adFileTime, ftDateTime},
    Mapping{provider::adDBTimeStamp, ftDateTime},
    Mapping{adDBFileTime, ftDateTime},
    Mapping{provider::adBSTR, ftWideString},
    Mapping{provider::adWChar, ftWideString},
    Mapping{provider::adVarWChar, ftWideString},
    Mapping{adIDispatch, ftIDispatch},
    Mapping{provider::adBoolean, ftBoolean},
    Mapping{provider::adVariant, ftVariant},
    Mapping{adPropVariant, ftVariant},
    Mapping{adIUnknown, ftInterface},
    Mapping{provider::adDecimal, ftBCD},
    Mapping{provider::adNumeric, ftBCD},
    Mapping{adVarNumeric, ftBCD},
    Mapping{provider::adUnsignedTinyInt, ftWord},
    Mapping{adUnsignedSmallInt, ftWord},
    Mapping{provider::adBigInt, ftLargeint},
    Mapping{adUnsignedBigInt, ftLargeint},
    Mapping{provider::adGUID, ftGuid},
    Mapping{provider::adBinary, ftBytes},
    Mapping{provider::adChar, ftFixedChar},
    Mapping{adDBDate, ftDate},
    Mapping{adDBTime, ftTime},
    Mapping{adChapter, ftDataSet},
    Mapping{provider::adVarChar, ftString},
    Mapping{provider::adLongVarChar, ftMemo},
    Mapping{provider::adLongVarWChar, ftMemo},
    Mapping{provider::adVarBinary, ftVarBytes},
    Mapping{provider::adLongVarBinary, ftBlob},
};

bool IsDecimalType(std::int32_t adoType) {
  return adoType == provider::adDecimal || adoType == provider::adNumeric ||
         adoType == adVarNumeric;
}

}  // namespace

TFieldType FieldTypeForADOType(std::int32_t adoType, bool enableBCD) {
  for (const Mapping& m : kMappings) {
    if (m.adoType != adoType) continue;
    if (IsDecimalType(adoType) && !enableBCD) return ftFloat;
    return m.fieldType;
  }
  return ftUnknown;
}

TFieldType FieldTypeForADOColumn(std::int32_t adoType, std::int32_t precision,
                                 std::int32_t numericScale, bool enableBCD) {
  if (adoType == provider::adNumeric && numericScale == 0 && precision < 10) return ftInteger;
  return FieldTypeForADOType(adoType, enableBCD);
}
