// The parameters of an ADO command: what a :name in its text stands for.
#pragma once

#include <cstdint>

#include "core/collection.h"
#include "core/sets.h"
#include "core/variant.h"
#include "data/db_types.h"

enum class TParameterDirection : std::uint8_t {
  pdUnknown,
  pdInput,
  pdOutput,
  pdInputOutput,
  pdReturnValue,
};

enum class TParameterAttribute : std::uint8_t { paSigned, paNullable, paLong };
using TParameterAttributes = SetOf<TParameterAttribute>;

class TParameter : public TCollectionItem {
 public:
  explicit TParameter(TCollection* collection);

  const WideString& Name() const { return name_; }
  void SetName(const WideString& value) { name_ = value; }
  TParameterAttributes Attributes() const { return attributes_; }
  void SetAttributes(TParameterAttributes value) { attributes_ = value; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType value) { dataType_ = value; }
  TParameterDirection Direction() const { return direction_; }
  void SetDirection(TParameterDirection value) { direction_ = value; }
  std::uint8_t NumericScale() const { return numericScale_; }
  void SetNumericScale(std::uint8_t value) { numericScale_ = value; }
  std::uint8_t Precision() const { return precision_; }
  void SetPrecision(std::uint8_t value) { precision_ = value; }
  std::int32_t Size() const { return size_; }
  void SetSize(std::int32_t value) { size_ = value; }
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& value) { value_ = value; }

  // Copies every property of source.
  void Assign(const TParameter& source);

 private:
  WideString name_;
  TParameterAttributes attributes_;
  TFieldType dataType_ = TFieldType::ftUnknown;
  TParameterDirection direction_ = TParameterDirection::pdInput;
  std::uint8_t numericScale_ = 0;
  std::uint8_t precision_ = 0;
  std::int32_t size_ = 0;
  Variant value_;
};

// Owns its parameters; the owner is the command (or dataset) they belong to.
class TParameters : public TCollection {
 public:
  explicit TParameters(TPersistent* owner);

  TParameter* Items(int index) const;
  TParameter* AddParameter();
  // A new parameter with the name, appended.
  TParameter* CreateParameter(const WideString& name);
  // The first parameter of the name (compared without regard to ASCII case), or null.
  TParameter* FindParam(const WideString& name) const;

  // Gives each parameter here the value of the same-named parameter of source, if any.
  void AssignValues(const TParameters& source);
  // Replaces the whole list by copies of source's parameters.
  void Assign(const TParameters& source);
};
