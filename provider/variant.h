// The variant the ADO-shaped objects exchange (a field's Value, a Bookmark, a property): a row
// value from value.h tagged with the automation type it travels as, or empty.
#pragma once

#include <cstdint>
#include <string>

#include "provider/enums.h"
#include "provider/value.h"

namespace provider {

using VARTYPE = std::uint16_t;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_BOOL = 11,
  VT_DECIMAL = 14,
  VT_UI1 = 17,
  VT_I8 = 20,
  VT_ARRAY = 0x2000,
};

// Integers of every width hold int64 and reals double, as in Value; the tag says which width the
// caller sees. Byte arrays are VT_ARRAY | VT_UI1 over Bytes; replication ids travel as BSTR text
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as ADO hands them out.
class Variant {
 public:
  Variant() = default;  // VT_EMPTY

  static Variant Null() { return Variant(VT_NULL, std::monostate{}); }
  static Variant Bool(bool v) { return Variant(VT_BOOL, v); }
  static Variant Int16(std::int16_t v) { return Variant(VT_I2, std::int64_t{v}); }
  static Variant Int32(std::int32_t v) { return Variant(VT_I4, std::int64_t{v}); }
  static Variant Byte(std::uint8_t v) { return Variant(VT_UI1, std::int64_t{v}); }
  static Variant Int64(std::int64_t v) { return Variant(VT_I8, v); }
  static Variant Single(float v) { return Variant(VT_R4, double{v}); }
  static Variant Double(double v) { return Variant(VT_R8, v); }
  static Variant Money(Currency v) { return Variant(VT_CY, v); }
  static Variant Date(DateTime v) { return Variant(VT_DATE, v); }
  static Variant String(std::u16string v) { return Variant(VT_BSTR, std::move(v)); }
  static Variant Number(Decimal v) { return Variant(VT_DECIMAL, v); }
  static Variant Array(Bytes v) { return Variant(VT_ARRAY | VT_UI1, std::move(v)); }

  // A row value as a field of `type` hands it out; Null stays Null.
  static Variant FromValue(const Value& value, DataTypeEnum type);

  VARTYPE vt() const { return vt_; }
  bool empty() const { return vt_ == VT_EMPTY; }
  bool null() const { return vt_ == VT_NULL; }
  const Value& value() const { return value_; }

  // The row value this variant stores as, for a column of `type`, or false when the variant's
  // kind cannot be stored there (a string into a number column, a number into text…). Empty
  // and Null store Null.
  bool ToValue(DataTypeEnum type, Value* out) const;

  bool operator==(const Variant&) const = default;

 private:
  Variant(VARTYPE vt, Value value) : vt_(vt), value_(std::move(value)) {}

  VARTYPE vt_ = VT_EMPTY;
  Value value_;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" for an id stored as a little-endian GUID.
std::u16string GuidText(const Guid& guid);

}  // namespace provider
