// The variant value of published variant properties and of stream variants.
#pragma once

#include <cstdint>
#include <variant>

#include "core/sysutils.h"

// A fixed-point amount times 10000.
struct Currency {
  std::int64_t Value = 0;
  bool operator==(const Currency&) const = default;
};

// Days since 30 December 1899, with the time of day as the fraction.
struct TDateTime {
  double Value = 0;
  bool operator==(const TDateTime&) const = default;
};

enum class TVarType : std::uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varOleStr = 8,
  varBoolean = 11,
  varShortInt = 16,
  varInt64 = 20,
  varString = 0x100,
};

class Variant {
 public:
  Variant() = default;
  static Variant Null() { return Variant(TVarType::varNull, std::monostate{}); }
  static Variant Int8(std::int8_t v) { return Variant(TVarType::varShortInt, std::int64_t{v}); }
  static Variant Int16(std::int16_t v) { return Variant(TVarType::varSmallint, std::int64_t{v}); }
  Variant(std::int32_t v) : type_(TVarType::varInteger), value_(std::int64_t{v}) {}
  Variant(std::int64_t v) : type_(TVarType::varInt64), value_(v) {}
  Variant(bool v) : type_(TVarType::varBoolean), value_(v) {}
  Variant(float v) : type_(TVarType::varSingle), value_(double{v}) {}
  Variant(double v) : type_(TVarType::varDouble), value_(v) {}
  Variant(Currency v) : type_(TVarType::varCurrency), value_(v) {}
  Variant(TDateTime v) : type_(TVarType::varDate), value_(v.Value) {}
  Variant(AnsiString v) : type_(TVarType::varString), value_(std::move(v)) {}
  Variant(WideString v) : type_(TVarType::varOleStr), value_(std::move(v)) {}

  TVarType VarType() const { return type_; }
  bool IsEmpty() const { return type_ == TVarType::varEmpty; }
  bool IsNull() const { return type_ == TVarType::varNull; }

  // The stored value in its storage type; asking for another type throws std::bad_variant_access.
  std::int64_t AsInt64() const { return std::get<std::int64_t>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  bool AsBoolean() const { return std::get<bool>(value_); }
  Currency AsCurrency() const { return std::get<Currency>(value_); }
  const AnsiString& AsString() const { return std::get<AnsiString>(value_); }
  const WideString& AsWideString() const { return std::get<WideString>(value_); }

  bool operator==(const Variant&) const = default;

 private:
  using Storage =
      std::variant<std::monostate, std::int64_t, double, bool, Currency, AnsiString, WideString>;
  Variant(TVarType type, Storage value) : type_(type), value_(std::move(value)) {}

  TVarType type_ = TVarType::varEmpty;
  Storage value_;
};
