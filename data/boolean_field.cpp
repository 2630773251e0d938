// Boolean fields and their display texts.
#include "data/boolean_field.h"

#include "core/classes.h"
#include "data/field_value.h"

TBooleanField::TBooleanField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftBoolean);
  SetDisplayValues("True;False");
}

void TBooleanField::SetDisplayValues(const AnsiString& values) {
  displayValues_ = values;
  std::size_t split = values.find(';');
  trueText_ = values.substr(0, split);
  falseText_ = split == AnsiString::npos ? AnsiString() : values.substr(split + 1);
}

bool TBooleanField::ReadBoolean(bool* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<bool> v = BooleanOfData(data);
  if (!v) AccessError("Boolean");
  *value = *v;
  return true;
}

bool TBooleanField::BooleanValue() const {
  bool value = false;
  return ReadBoolean(&value) && value;
}

AnsiString TBooleanField::StringValue() const {
  bool value = false;
  if (!ReadBoolean(&value)) return {};
  return value ? trueText_ : falseText_;
}

namespace {

[[maybe_unused]] const auto kTBooleanField =
    RegisterClass<TBooleanField, TField>("TBooleanField")
        .Property("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);

}  // namespace
