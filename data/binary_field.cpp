// Byte fields: the bytes themselves, shown by their class description.
#include "data/binary_field.h"

#include "core/classes.h"
#include "data/database_error.h"
#include "data/field_value.h"

TBinaryField::TBinaryField(TComponent* owner) : TField(owner) {
  SetSize(16);
}

void TBinaryField::CheckTypeSize(std::int32_t size) const {
  if (size < 0) DatabaseError("Invalid field size", this);
}

bool TBinaryField::ReadBytes(std::vector<std::uint8_t>* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<std::vector<std::uint8_t>> bytes = BytesOfData(data);
  if (!bytes) AccessError("Bytes");
  *value = std::move(*bytes);
  return true;
}

AnsiString TBinaryField::StringValue() const {
  std::vector<std::uint8_t> bytes;
  if (!ReadBytes(&bytes)) return {};
  return AnsiString(bytes.begin(), bytes.end());
}

AnsiString TBinaryField::ClassText(bool) const {
  return ClassDescription();
}

TBytesField::TBytesField(TComponent* owner) : TBinaryField(owner) {
  SetDataType(TFieldType::ftBytes);
}

TVarBytesField::TVarBytesField(TComponent* owner) : TBinaryField(owner) {
  SetDataType(TFieldType::ftVarBytes);
}

namespace {

[[maybe_unused]] const auto kTBinaryField =
    RegisterClass<TBinaryField, TField>("TBinaryField")
        .Property("Size", &TBinaryField::Size, &TBinaryField::SetSize);
[[maybe_unused]] const auto kTBytesField = RegisterClass<TBytesField, TBinaryField>("TBytesField");
[[maybe_unused]] const auto kTVarBytesField =
    RegisterClass<TVarBytesField, TBinaryField>("TVarBytesField");

}  // namespace
