// Command parameters and their registration for streaming.
#include "data/parameters.h"

#include "core/classes.h"
#include "platform/codepage.h"

TParameter::TParameter(TCollection* collection) : TCollectionItem(collection) {}

void TParameter::Assign(const TParameter& source) {
  name_ = source.name_;
  attributes_ = source.attributes_;
  dataType_ = source.dataType_;
  direction_ = source.direction_;
  numericScale_ = source.numericScale_;
  precision_ = source.precision_;
  size_ = source.size_;
  value_ = source.value_;
}

TParameters::TParameters(TPersistent* owner) : TCollection(owner, ClassOf<TParameter>()) {}

TParameter* TParameters::Items(int index) const {
  return static_cast<TParameter*>(TCollection::Items(index));
}

TParameter* TParameters::AddParameter() {
  return static_cast<TParameter*>(Add());
}

TParameter* TParameters::CreateParameter(const WideString& name) {
  TParameter* parameter = AddParameter();
  parameter->SetName(name);
  return parameter;
}

TParameter* TParameters::FindParam(const WideString& name) const {
  const AnsiString wanted = platform::WideToAnsi(name);
  for (int i = 0; i < Count(); ++i) {
    if (SameText(platform::WideToAnsi(Items(i)->Name()), wanted)) return Items(i);
  }
  return nullptr;
}

void TParameters::AssignValues(const TParameters& source) {
  for (int i = 0; i < Count(); ++i) {
    if (const TParameter* match = source.FindParam(Items(i)->Name())) {
      Items(i)->SetValue(match->Value());
    }
  }
}

void TParameters::Assign(const TParameters& source) {
  BeginUpdate();
  Clear();
  for (int i = 0; i < source.Count(); ++i) AddParameter()->Assign(*source.Items(i));
  EndUpdate();
}

namespace {

[[maybe_unused]] const auto kTParameter =
    RegisterClass<TParameter, TCollectionItem>("TParameter")
        .Property("Name", &TParameter::Name, &TParameter::SetName)
        .Set("Attributes", &TParameter::Attributes, &TParameter::SetAttributes,
             {"paSigned", "paNullable", "paLong"})
        .Enum("DataType", &TParameter::DataType, &TParameter::SetDataType,
              kFieldTypeIdents)
        .Enum("Direction", &TParameter::Direction, &TParameter::SetDirection,
              {"pdUnknown", "pdInput", "pdOutput", "pdInputOutput", "pdReturnValue"})
        .Property("NumericScale", &TParameter::NumericScale, &TParameter::SetNumericScale)
        .Property("Precision", &TParameter::Precision, &TParameter::SetPrecision)
        .Property("Size", &TParameter::Size, &TParameter::SetSize)
        .Property("Value", &TParameter::Value, &TParameter::SetValue);
}  // namespace
