// The field object: its place in a dataset, its name rules, its value and its texts.
#include "data/field.h"

#include "core/ansi_case.h"
#include "core/classes.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/fields.h"

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() {
  if (fields_) fields_->Remove(this);
}

namespace {

void RequireClosed(TDataSet* dataset) {
  if (dataset && dataset->Active()) {
    DatabaseError("Cannot perform this operation on an open dataset", dataset);
  }
}

}  // namespace

void TField::SetDataSet(TDataSet* dataset) {
  if (dataset == dataset_) return;
  RequireClosed(dataset_);
  if (dataset) {
    RequireClosed(dataset);
    dataset->Fields().CheckFieldName(fieldName_);
  }
  if (fields_) fields_->Remove(this);
  if (dataset) dataset->Fields().Add(this);
}

void TField::SetFieldName(const AnsiString& name) {
  RequireClosed(dataset_);
  if (fields_ && !AnsiSameText(name, fieldName_)) fields_->CheckFieldName(name);
  if (displayLabel_ == name) displayLabel_.clear();
  fieldName_ = name;
}

void TField::SetSize(std::int32_t size) {
  RequireClosed(dataset_);
  CheckTypeSize(size);
  size_ = size;
}

void TField::SetFieldKind(TFieldKind kind) {
  RequireClosed(dataset_);
  fieldKind_ = kind;
}

void TField::CheckTypeSize(std::int32_t size) const {
  if (size != 0) DatabaseError("Invalid field size", this);
}

TDataSet& TField::RequireDataSet() const {
  if (!dataset_) DatabaseError(Format("Field '%s' has no dataset", ShownName().c_str()), this);
  return *dataset_;
}

bool TField::ReadData(TFieldData* destination) const {
  return RequireDataSet().ReadFieldData(const_cast<TField*>(this), destination);
}

void TField::AccessError(const char* typeName) const {
  DatabaseError(Format("Cannot access field '%s' as type %s", ShownName().c_str(), typeName), this);
}

bool TField::IsNullValue() const {
  return !ReadData(nullptr);
}

AnsiString TField::StringValue() const {
  return ClassDescription();
}

std::int32_t TField::IntegerValue() const {
  AccessError("Integer");
}

double TField::FloatValue() const {
  AccessError("Float");
}

bool TField::BooleanValue() const {
  AccessError("Boolean");
}

AnsiString TField::ClassDescription() const {
  AnsiString name = ClassName();
  if (!name.empty() && (name[0] == 'T' || name[0] == 't')) name.erase(0, 1);
  constexpr std::string_view kSuffix = "Field";
  if (name.size() > kSuffix.size() + 4 &&
      SameText(std::string_view(name).substr(name.size() - kSuffix.size()), kSuffix)) {
    name.resize(name.size() - kSuffix.size());
  }
  if (!IsNullValue()) name = AnsiUpperCase(name);
  return "(" + name + ")";
}

AnsiString TField::TextFor(bool displayText) const {
  if (OnGetText) {
    AnsiString text;
    OnGetText(const_cast<TField*>(this), text, displayText);
    return text;
  }
  return ClassText(displayText);
}

AnsiString TField::TextForEditing() const {
  return TextFor(false);
}

AnsiString TField::TextForDisplay() const {
  return TextFor(true);
}

AnsiString TField::ClassText(bool) const {
  return StringValue();
}

const AnsiString& TField::ShownName() const {
  return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

std::int32_t TField::DisplayWidth() const {
  return displayWidth_ >= 1 ? displayWidth_ : DefaultWidth();
}

void TField::FireChange() {
  if (OnChange) OnChange(this);
}

namespace {

[[maybe_unused]] const auto kTField =
    RegisterClass<TField, TComponent>("TField")
        .Enum("Alignment", &TField::Alignment, &TField::SetAlignment,
              {"taLeftJustify", "taRightJustify", "taCenter"})
        .Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
        .Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth)
        .Property("EditMask", &TField::EditMask, &TField::SetEditMask)
        .Enum("FieldKind", &TField::FieldKind, &TField::SetFieldKind,
              {"fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate"})
        .Property("FieldName", &TField::FieldName, &TField::SetFieldName)
        .Set("ProviderFlags", &TField::ProviderFlags, &TField::SetProviderFlags,
             {"pfInUpdate", "pfInWhere", "pfInKey", "pfHidden"})
        .Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly)
        .Property("Required", &TField::Required, &TField::SetRequired)
        .Property("Visible", &TField::Visible, &TField::SetVisible)
        .Event("OnChange", &TField::OnChange)
        .Event("OnGetText", &TField::OnGetText)
        .Event("OnSetText", &TField::OnSetText)
        .Event("OnValidate", &TField::OnValidate);

}  // namespace
