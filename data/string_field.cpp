// Text fields: ANSI text cut at the field size, wide text converted to the code page.
#include "data/string_field.h"

#include "core/classes.h"
#include "data/database_error.h"
#include "data/edit_mask.h"
#include "data/field_value.h"
#include "platform/codepage.h"

TStringField::TStringField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftString);
  SetSize(20);
}

void TStringField::CheckTypeSize(std::int32_t size) const {
  if (size < 0) DatabaseError("Invalid field size", this);
}

AnsiString TStringField::StringValue() const {
  TFieldData data;
  if (!ReadData(&data)) return {};
  std::optional<AnsiString> text = TextOfData(data);
  if (!text) AccessError("String");
  // The value is read as zero-terminated text of at most Size bytes.
  if (std::size_t end = text->find('\0'); end != AnsiString::npos) text->resize(end);
  if (Size() > 0 && text->size() > static_cast<std::size_t>(Size())) {
    text->resize(static_cast<std::size_t>(Size()));
  }
  return *text;
}

AnsiString TStringField::ClassText(bool displayText) const {
  if (displayText && !EditMask().empty()) return FormatMaskText(EditMask(), StringValue());
  return StringValue();
}

TWideStringField::TWideStringField(TComponent* owner) : TStringField(owner) {
  SetDataType(TFieldType::ftWideString);
}

WideString TWideStringField::WideStringValue() const {
  TFieldData data;
  if (!ReadData(&data)) return {};
  if (auto* wide = std::get_if<WideString>(&data)) return *wide;
  if (auto* ansi = std::get_if<AnsiString>(&data)) return platform::AnsiToWide(*ansi);
  if (auto* v = std::get_if<provider::Variant>(&data)) {
    if (auto* wide = std::get_if<std::u16string>(&v->value())) return *wide;
  }
  AccessError("WideString");
}

AnsiString TWideStringField::StringValue() const {
  return platform::WideToAnsi(WideStringValue());
}

TGuidField::TGuidField(TComponent* owner) : TStringField(owner) {
  SetDataType(TFieldType::ftGuid);
  SetSize(38);
}

void TGuidField::CheckTypeSize(std::int32_t size) const {
  if (size != 38) DatabaseError("Invalid field size", this);
}

namespace {

[[maybe_unused]] const auto kTStringField =
    RegisterClass<TStringField, TField>("TStringField")
        .Property("FixedChar", &TStringField::FixedChar, &TStringField::SetFixedChar)
        .Property("Size", &TStringField::Size, &TStringField::SetSize)
        .Property("Transliterate", &TStringField::Transliterate, &TStringField::SetTransliterate);
[[maybe_unused]] const auto kTWideStringField =
    RegisterClass<TWideStringField, TStringField>("TWideStringField");
[[maybe_unused]] const auto kTGuidField = RegisterClass<TGuidField, TStringField>("TGuidField");

}  // namespace
