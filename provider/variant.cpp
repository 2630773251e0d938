// Conversions between row values and the variants fields hand out and take in.
#include "provider/variant.h"

#include <cstdio>
#include <limits>

namespace provider {

namespace {

bool IsInteger(VARTYPE vt) {
  return vt == VT_I2 || vt == VT_I4 || vt == VT_UI1 || vt == VT_I8;
}

bool IntegerIn(const Variant& v, std::int64_t low, std::int64_t high, Value* out) {
  if (!IsInteger(v.vt())) return false;
  std::int64_t n = std::get<std::int64_t>(v.value());
  if (n < low || n > high) return false;
  *out = n;
  return true;
}

}  // namespace

Variant Variant::FromValue(const Value& value, DataTypeEnum type) {
  if (IsNull(value)) return Null();
  switch (type) {
    case adSmallInt:
      return Variant(VT_I2, value);
    case adInteger:
      return Variant(VT_I4, value);
    case adUnsignedTinyInt:
      return Variant(VT_UI1, value);
    case adBigInt:
      return Variant(VT_I8, value);
    case adSingle:
      return Variant(VT_R4, value);
    case adDouble:
      return Variant(VT_R8, value);
    case adCurrency:
      return Variant(VT_CY, value);
    case adDate:
      return Variant(VT_DATE, value);
    case adBoolean:
      return Variant(VT_BOOL, value);
    case adNumeric:
    case adDecimal:
      return Variant(VT_DECIMAL, value);
    case adGUID:
      if (const Guid* guid = std::get_if<Guid>(&value)) return String(GuidText(*guid));
      break;
    case adVarBinary:
    case adLongVarBinary:
    case adBinary:
      return Variant(VT_ARRAY | VT_UI1, value);
    default:
      break;
  }
  if (std::holds_alternative<std::u16string>(value)) return Variant(VT_BSTR, value);
  if (std::holds_alternative<Bytes>(value)) return Variant(VT_ARRAY | VT_UI1, value);
  return Variant(VT_BSTR, value);
}

bool Variant::ToValue(DataTypeEnum type, Value* out) const {
  if (vt_ == VT_EMPTY || vt_ == VT_NULL) {
    *out = std::monostate{};
    return true;
  }
  switch (type) {
    case adVarWChar:
    case adLongVarWChar:
    case adWChar:
      if (vt_ != VT_BSTR) return false;
      *out = value_;
      return true;
    case adSmallInt:
      return IntegerIn(*this, std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), out);
    case adInteger:
      return IntegerIn(*this, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max(), out);
    case adUnsignedTinyInt:
      return IntegerIn(*this, 0, 255, out);
    case adBoolean:
      if (vt_ == VT_BOOL) {
        *out = value_;
        return true;
      }
      if (!IsInteger(vt_)) return false;
      *out = std::get<std::int64_t>(value_) != 0;
      return true;
    case adSingle:
    case adDouble:
      if (vt_ == VT_R4 || vt_ == VT_R8) {
        *out = value_;
        return true;
      }
      if (!IsInteger(vt_)) return false;
      *out = static_cast<double>(std::get<std::int64_t>(value_));
      return true;
    case adCurrency:
      if (vt_ == VT_CY) {
        *out = value_;
        return true;
      }
      if (!IsInteger(vt_)) return false;
      *out = Currency{std::get<std::int64_t>(value_) * 10000};
      return true;
    case adDate:
      if (vt_ == VT_DATE) {
        *out = value_;
        return true;
      }
      if (vt_ != VT_R8) return false;
      *out = DateTime{std::get<double>(value_)};
      return true;
    case adNumeric:
    case adDecimal:
      if (vt_ != VT_DECIMAL) return false;
      *out = value_;
      return true;
    case adVarBinary:
    case adLongVarBinary:
    case adBinary:
      if (vt_ != (VT_ARRAY | VT_UI1)) return false;
      *out = value_;
      return true;
    default:
      return false;
  }
}

std::u16string GuidText(const Guid& guid) {
  const auto& b = guid.bytes;
  char text[40];
  std::snprintf(text, sizeof text,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                b[14], b[15]);
  return std::u16string(text, text + 38);
}

}  // namespace provider
