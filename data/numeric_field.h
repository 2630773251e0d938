// Numeric fields: integers of every width, floats, currency and BCD.
#pragma once

#include <cstdint>

#include "data/field.h"

// A number, right-aligned, with pictures for display and editing (see FormatFloat).
class TNumericField : public TField {
 public:
  explicit TNumericField(TComponent* owner);

  const AnsiString& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& format) { displayFormat_ = format; }
  const AnsiString& EditFormat() const { return editFormat_; }
  void SetEditFormat(const AnsiString& format) { editFormat_ = format; }

 protected:
  // DisplayFormat for display; for editing EditFormat when set, else DisplayFormat.
  const AnsiString& FormatFor(bool displayText) const;
  // The value as a double of a fractional field, or false for null; a value that is no number
  // raises the access error naming typeName.
  bool ReadFraction(const char* typeName, double* value) const;
  // The text rule of fractional fields: the picture when one applies, else the plain text with
  // `digits` significant digits (two decimals for currency).
  AnsiString FractionText(double value, bool displayText, bool currency, int digits) const;

 private:
  AnsiString displayFormat_;
  AnsiString editFormat_;
};

// A 32-bit integer (ftInteger); the base of smallint, word and auto-increment fields.
class TIntegerField : public TNumericField {
 public:
  explicit TIntegerField(TComponent* owner);

  AnsiString StringValue() const override;
  std::int32_t IntegerValue() const override;
  double FloatValue() const override;
  // The value, or false for null.
  bool ReadInteger(std::int32_t* value) const;

  std::int32_t MinValue() const { return minValue_; }
  void SetMinValue(std::int32_t value) { minValue_ = value; }
  std::int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(std::int32_t value) { maxValue_ = value; }

 protected:
  AnsiString ClassText(bool displayText) const override;

 private:
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 0;
};

// A signed 16-bit integer.
class TSmallintField : public TIntegerField {
 public:
  explicit TSmallintField(TComponent* owner);
};

// An unsigned 16-bit integer.
class TWordField : public TIntegerField {
 public:
  explicit TWordField(TComponent* owner);
};

// A 32-bit integer the source numbers itself.
class TAutoIncField : public TIntegerField {
 public:
  explicit TAutoIncField(TComponent* owner);
};

// A 64-bit integer.
class TLargeintField : public TNumericField {
 public:
  explicit TLargeintField(TComponent* owner);

  AnsiString StringValue() const override;
  std::int32_t IntegerValue() const override;  // raises when the value does not fit
  double FloatValue() const override;
  std::int64_t LargeintValue() const;
  bool ReadLargeint(std::int64_t* value) const;

 protected:
  AnsiString ClassText(bool displayText) const override;
};

// A double; Precision is the count of significant digits of its general text (15 at creation).
class TFloatField : public TNumericField {
 public:
  explicit TFloatField(TComponent* owner);

  AnsiString StringValue() const override;
  std::int32_t IntegerValue() const override;
  double FloatValue() const override;
  bool ReadFloat(double* value) const;

  std::int32_t Precision() const { return precision_; }
  void SetPrecision(std::int32_t precision);
  bool Currency() const { return currency_; }
  void SetCurrency(bool value) { currency_ = value; }

 protected:
  AnsiString ClassText(bool displayText) const override;

 private:
  std::int32_t precision_ = 15;
  bool currency_ = false;
};

// A money amount: a float field shown with two decimals.
class TCurrencyField : public TFloatField {
 public:
  explicit TCurrencyField(TComponent* owner);
};

// A fixed-point number read through its double value; Size is the scale (0..32), Precision the
// count of digits.
class TBCDField : public TNumericField {
 public:
  explicit TBCDField(TComponent* owner);

  AnsiString StringValue() const override;
  std::int32_t IntegerValue() const override;
  double FloatValue() const override;
  bool ReadFloat(double* value) const;

  std::int32_t Precision() const { return precision_; }
  void SetPrecision(std::int32_t precision) { precision_ = precision; }
  bool Currency() const { return currency_; }
  void SetCurrency(bool value) { currency_ = value; }

 protected:
  AnsiString ClassText(bool displayText) const override;
  void CheckTypeSize(std::int32_t size) const override;

 private:
  std::int32_t precision_ = 0;
  bool currency_ = false;
};

// The class of the ftFMTBcd type. No source this program reads yields it, so it has no own
// conversions: its text is its class description.
class TFMTBCDField : public TNumericField {
 public:
  explicit TFMTBCDField(TComponent* owner);

 protected:
  void CheckTypeSize(std::int32_t size) const override;
};
