// The object-type field classes: each carries its type.
#include "data/object_field.h"

#include "core/classes.h"

TObjectField::TObjectField(TComponent* owner) : TField(owner) {}

TADTField::TADTField(TComponent* owner) : TObjectField(owner) {
  SetDataType(TFieldType::ftADT);
}

TArrayField::TArrayField(TComponent* owner) : TObjectField(owner) {
  SetDataType(TFieldType::ftArray);
}

TReferenceField::TReferenceField(TComponent* owner) : TObjectField(owner) {
  SetDataType(TFieldType::ftReference);
}

TDataSetField::TDataSetField(TComponent* owner) : TObjectField(owner) {
  SetDataType(TFieldType::ftDataSet);
}

namespace {

[[maybe_unused]] const auto kTObjectField = RegisterClass<TObjectField, TField>("TObjectField");
[[maybe_unused]] const auto kTADTField = RegisterClass<TADTField, TObjectField>("TADTField");
[[maybe_unused]] const auto kTArrayField = RegisterClass<TArrayField, TObjectField>("TArrayField");
[[maybe_unused]] const auto kTReferenceField =
    RegisterClass<TReferenceField, TObjectField>("TReferenceField");
[[maybe_unused]] const auto kTDataSetField =
    RegisterClass<TDataSetField, TObjectField>("TDataSetField");

}  // namespace
