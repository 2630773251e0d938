// Variant fields read the provider's value as it is; interface fields only carry their type.
#include "data/variant_field.h"

#include "core/classes.h"
#include "data/field_value.h"

TVariantField::TVariantField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftVariant);
}

AnsiString TVariantField::StringValue() const {
  TFieldData data;
  if (!ReadData(&data)) return {};
  if (auto* v = std::get_if<provider::Variant>(&data)) return VariantText(*v);
  std::optional<AnsiString> text = TextOfData(data);
  if (!text) AccessError("String");
  return *text;
}

std::int32_t TVariantField::IntegerValue() const {
  TFieldData data;
  if (!ReadData(&data)) return 0;
  std::optional<std::int64_t> v = IntegerOfData(data);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) AccessError("Integer");
  return static_cast<std::int32_t>(*v);
}

double TVariantField::FloatValue() const {
  TFieldData data;
  if (!ReadData(&data)) return 0;
  std::optional<double> v = FloatOfData(data);
  if (!v) AccessError("Float");
  return *v;
}

bool TVariantField::BooleanValue() const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<bool> v = BooleanOfData(data);
  if (!v) AccessError("Boolean");
  return *v;
}

TInterfaceField::TInterfaceField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftInterface);
}

TIDispatchField::TIDispatchField(TComponent* owner) : TInterfaceField(owner) {
  SetDataType(TFieldType::ftIDispatch);
}

namespace {

[[maybe_unused]] const auto kTVariantField = RegisterClass<TVariantField, TField>("TVariantField");
[[maybe_unused]] const auto kTInterfaceField =
    RegisterClass<TInterfaceField, TField>("TInterfaceField");
[[maybe_unused]] const auto kTIDispatchField =
    RegisterClass<TIDispatchField, TInterfaceField>("TIDispatchField");

}  // namespace
