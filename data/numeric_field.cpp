// Numeric fields: integer widths, floats, currency and BCD, with their pictures.
#include "data/numeric_field.h"

#include <cmath>
#include <limits>

#include "core/classes.h"
#include "core/format_float.h"
#include "data/database_error.h"
#include "data/field_value.h"

TNumericField::TNumericField(TComponent* owner) : TField(owner) {
  SetAlignment(TAlignment::taRightJustify);
}

const AnsiString& TNumericField::FormatFor(bool displayText) const {
  if (!displayText && !editFormat_.empty()) return editFormat_;
  return displayFormat_;
}

namespace {

bool FitsInt32(std::int64_t v) {
  return v >= std::numeric_limits<std::int32_t>::min() &&
         v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

TIntegerField::TIntegerField(TComponent* owner) : TNumericField(owner) {
  SetDataType(TFieldType::ftInteger);
}

bool TIntegerField::ReadInteger(std::int32_t* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  // 16-bit values widen by their type: signed for smallint, unsigned for word.
  if (auto* small = std::get_if<std::int16_t>(&data)) {
    *value = DataType() == TFieldType::ftWord ? std::int32_t{static_cast<std::uint16_t>(*small)}
                                              : std::int32_t{*small};
    return true;
  }
  std::optional<std::int64_t> wide = IntegerOfData(data);
  if (!wide || !FitsInt32(*wide)) AccessError("Integer");
  *value = static_cast<std::int32_t>(*wide);
  return true;
}

AnsiString TIntegerField::StringValue() const {
  std::int32_t value = 0;
  if (!ReadInteger(&value)) return {};
  return std::to_string(value);
}

std::int32_t TIntegerField::IntegerValue() const {
  std::int32_t value = 0;
  return ReadInteger(&value) ? value : 0;
}

double TIntegerField::FloatValue() const {
  return IntegerValue();
}

AnsiString TIntegerField::ClassText(bool displayText) const {
  std::int32_t value = 0;
  if (!ReadInteger(&value)) return {};
  const AnsiString& format = FormatFor(displayText);
  if (format.empty()) return std::to_string(value);
  return FormatFloat(format, value);
}

TSmallintField::TSmallintField(TComponent* owner) : TIntegerField(owner) {
  SetDataType(TFieldType::ftSmallint);
}

TWordField::TWordField(TComponent* owner) : TIntegerField(owner) {
  SetDataType(TFieldType::ftWord);
}

TAutoIncField::TAutoIncField(TComponent* owner) : TIntegerField(owner) {
  SetDataType(TFieldType::ftAutoInc);
}

TLargeintField::TLargeintField(TComponent* owner) : TNumericField(owner) {
  SetDataType(TFieldType::ftLargeint);
}

bool TLargeintField::ReadLargeint(std::int64_t* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<std::int64_t> v = IntegerOfData(data);
  if (!v) AccessError("LargeInt");
  *value = *v;
  return true;
}

std::int64_t TLargeintField::LargeintValue() const {
  std::int64_t value = 0;
  return ReadLargeint(&value) ? value : 0;
}

AnsiString TLargeintField::StringValue() const {
  std::int64_t value = 0;
  if (!ReadLargeint(&value)) return {};
  return std::to_string(value);
}

std::int32_t TLargeintField::IntegerValue() const {
  std::int64_t value = LargeintValue();
  if (!FitsInt32(value)) AccessError("Integer");
  return static_cast<std::int32_t>(value);
}

double TLargeintField::FloatValue() const {
  return static_cast<double>(LargeintValue());
}

AnsiString TLargeintField::ClassText(bool displayText) const {
  std::int64_t value = 0;
  if (!ReadLargeint(&value)) return {};
  const AnsiString& format = FormatFor(displayText);
  if (format.empty()) return std::to_string(value);
  return FormatFloat(format, static_cast<double>(value));
}

namespace {

// A float's value as an integer, rounded half away from zero; outside 32 bits it cannot be one.
std::optional<std::int32_t> RoundToInteger(double value) {
  double rounded = std::round(value);
  if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

// The text of a float without a picture: money with two decimals when displayed, else the
// general form.
AnsiString PlainFloatText(double value, bool currency, bool displayText, int precision) {
  if (currency) return FormatFloat(displayText ? "#,##0.00" : "0.00", value);
  return FloatToStr(value, precision);
}

}  // namespace

bool TNumericField::ReadFraction(const char* typeName, double* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<double> v = FloatOfData(data);
  if (!v) AccessError(typeName);
  *value = *v;
  return true;
}

AnsiString TNumericField::FractionText(double value, bool displayText, bool currency,
                                       int digits) const {
  const AnsiString& format = FormatFor(displayText);
  if (!format.empty()) return FormatFloat(format, value);
  return PlainFloatText(value, currency, displayText, digits);
}

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner) {
  SetDataType(TFieldType::ftFloat);
}

void TFloatField::SetPrecision(std::int32_t precision) {
  precision_ = precision < 2 ? 2 : precision > 15 ? 15 : precision;
}

bool TFloatField::ReadFloat(double* value) const {
  return ReadFraction("Float", value);
}

AnsiString TFloatField::StringValue() const {
  double value = 0;
  if (!ReadFloat(&value)) return {};
  return FloatToStr(value, precision_);
}

double TFloatField::FloatValue() const {
  double value = 0;
  return ReadFloat(&value) ? value : 0;
}

std::int32_t TFloatField::IntegerValue() const {
  std::optional<std::int32_t> result = RoundToInteger(FloatValue());
  if (!result) AccessError("Integer");
  return *result;
}

AnsiString TFloatField::ClassText(bool displayText) const {
  double value = 0;
  if (!ReadFloat(&value)) return {};
  return FractionText(value, displayText, currency_, precision_);
}

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner) {
  SetDataType(TFieldType::ftCurrency);
  SetCurrency(true);
}

TBCDField::TBCDField(TComponent* owner) : TNumericField(owner) {
  SetDataType(TFieldType::ftBCD);
  SetSize(4);
}

void TBCDField::CheckTypeSize(std::int32_t size) const {
  if (size < 0 || size > 32) DatabaseError("Invalid field size", this);
}

bool TBCDField::ReadFloat(double* value) const {
  return ReadFraction("BCD", value);
}

AnsiString TBCDField::StringValue() const {
  double value = 0;
  if (!ReadFloat(&value)) return {};
  return FloatToStr(value);
}

double TBCDField::FloatValue() const {
  double value = 0;
  return ReadFloat(&value) ? value : 0;
}

std::int32_t TBCDField::IntegerValue() const {
  std::optional<std::int32_t> result = RoundToInteger(FloatValue());
  if (!result) AccessError("Integer");
  return *result;
}

AnsiString TBCDField::ClassText(bool displayText) const {
  double value = 0;
  if (!ReadFloat(&value)) return {};
  return FractionText(value, displayText, currency_, 15);
}

TFMTBCDField::TFMTBCDField(TComponent* owner) : TNumericField(owner) {
  SetDataType(TFieldType::ftFMTBcd);
  SetSize(8);
}

void TFMTBCDField::CheckTypeSize(std::int32_t size) const {
  if (size < 0 || size > 32) DatabaseError("Invalid field size", this);
}

namespace {

[[maybe_unused]] const auto kTNumericField =
    RegisterClass<TNumericField, TField>("TNumericField")
        .Property("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat)
        .Property("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
[[maybe_unused]] const auto kTIntegerField =
    RegisterClass<TIntegerField, TNumericField>("TIntegerField")
        .Property("MaxValue", &TIntegerField::MaxValue, &TIntegerField::SetMaxValue)
        .Property("MinValue", &TIntegerField::MinValue, &TIntegerField::SetMinValue);
[[maybe_unused]] const auto kTSmallintField =
    RegisterClass<TSmallintField, TIntegerField>("TSmallintField");
[[maybe_unused]] const auto kTWordField = RegisterClass<TWordField, TIntegerField>("TWordField");
[[maybe_unused]] const auto kTAutoIncField =
    RegisterClass<TAutoIncField, TIntegerField>("TAutoIncField");
[[maybe_unused]] const auto kTLargeintField =
    RegisterClass<TLargeintField, TNumericField>("TLargeintField");
[[maybe_unused]] const auto kTFloatField =
    RegisterClass<TFloatField, TNumericField>("TFloatField")
        .Property("Currency", &TFloatField::Currency, &TFloatField::SetCurrency)
        .Property("Precision", &TFloatField::Precision, &TFloatField::SetPrecision);
[[maybe_unused]] const auto kTCurrencyField =
    RegisterClass<TCurrencyField, TFloatField>("TCurrencyField");
[[maybe_unused]] const auto kTBCDField =
    RegisterClass<TBCDField, TNumericField>("TBCDField")
        .Property("Currency", &TBCDField::Currency, &TBCDField::SetCurrency)
        .Property("Precision", &TBCDField::Precision, &TBCDField::SetPrecision)
        .Property("Size", &TBCDField::Size, &TBCDField::SetSize);
[[maybe_unused]] const auto kTFMTBCDField =
    RegisterClass<TFMTBCDField, TNumericField>("TFMTBCDField")
        .Property("Size", &TFMTBCDField::Size, &TFMTBCDField::SetSize);

}  // namespace
