// Blob and memo fields: content through the dataset's blob stream, shown by their type name.
#include "data/blob_field.h"

#include "core/ansi_case.h"
#include "core/classes.h"
#include "core/stream.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field_classes.h"

TBlobField::TBlobField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftBlob);
}

void TBlobField::CheckTypeSize(std::int32_t size) const {
  if (size < 0) DatabaseError("Invalid field size", this);
}

void TBlobField::SetBlobType(TFieldType type) {
  if (!IsBlobType(type)) DatabaseError(Format("%s is not a blob type", FieldTypeName(type)), this);
  SetDataType(type);
}

AnsiString TBlobField::StringValue() const {
  std::unique_ptr<TStream> stream =
      RequireDataSet().OpenBlobStream(const_cast<TBlobField*>(this), TBlobStreamMode::bmRead);
  stream->SetPosition(0);
  AnsiString content(static_cast<std::size_t>(stream->Size()), '\0');
  stream->ReadBuffer(content.data(), static_cast<std::int64_t>(content.size()));
  return content;
}

AnsiString TBlobField::ClassText(bool) const {
  AnsiString name = FieldTypeName(DataType());
  if (!IsNullValue()) name = AnsiUpperCase(name);
  return "(" + name + ")";
}

TMemoField::TMemoField(TComponent* owner) : TBlobField(owner) {
  SetDataType(TFieldType::ftMemo);
  SetTransliterate(true);
}

TGraphicField::TGraphicField(TComponent* owner) : TBlobField(owner) {
  SetDataType(TFieldType::ftGraphic);
}

namespace {

[[maybe_unused]] const auto kTBlobField =
    RegisterClass<TBlobField, TField>("TBlobField")
        .Property("GraphicHeader", &TBlobField::GraphicHeader, &TBlobField::SetGraphicHeader)
        .Property("Size", &TBlobField::Size, &TBlobField::SetSize)
        .Property("Transliterate", &TBlobField::Transliterate, &TBlobField::SetTransliterate);
[[maybe_unused]] const auto kTMemoField = RegisterClass<TMemoField, TBlobField>("TMemoField");
[[maybe_unused]] const auto kTGraphicField =
    RegisterClass<TGraphicField, TBlobField>("TGraphicField");

}  // namespace
