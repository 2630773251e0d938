// Field definitions, their collection, the flat list and the field made from a definition.
#include "data/fielddefs.h"

#include "core/classes.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/numeric_field.h"
#include "data/string_field.h"

TFieldDef::TFieldDef(TCollection* collection) : TNamedItem(collection) {
  // The field number is the 1-based position at the time the definition is added.
  if (collection) fieldNo_ = collection->Count();
}

TFieldDef::~TFieldDef() = default;

TFieldDefs* TFieldDef::FieldDefs() const {
  return static_cast<TFieldDefs*>(Collection());
}

TDataSet* TFieldDef::DataSet() const {
  TFieldDefs* defs = FieldDefs();
  return defs ? defs->DataSet() : nullptr;
}

void TFieldDef::SetAttributes(TFieldAttributes attributes) {
  attributes_ = attributes;
  Changed(false);
}

void TFieldDef::SetDataType(TFieldType type) {
  dataType_ = type;
  Changed(false);
}

void TFieldDef::SetPrecision(std::int32_t precision) {
  precision_ = precision;
  Changed(false);
}

void TFieldDef::SetSize(std::int32_t size) {
  size_ = size;
  Changed(false);
}

TFieldDefs& TFieldDef::ChildDefs() {
  if (!childDefs_) childDefs_ = std::make_unique<TFieldDefs>(DataSet(), this);
  return *childDefs_;
}

bool TFieldDef::HasChildDefs() const {
  return childDefs_ && childDefs_->Count() > 0;
}

TField* TFieldDef::CreateField(TComponent* owner) {
  TField* field = NewFieldOfType(dataType_, owner);
  if (!field) {
    DatabaseError(Format("Field '%s' is of an unknown type", Name().c_str()), DataSet());
  }
  try {
    field->SetSize(size_);
    field->SetFieldName(Name());
    field->SetRequired(attributes_.Contains(TFieldAttribute::faRequired));
    field->SetReadOnly(attributes_.Contains(TFieldAttribute::faReadonly));
    field->SetDataType(dataType_);
    if (auto* bcd = dynamic_cast<TBCDField*>(field)) bcd->SetPrecision(precision_);
    if (auto* text = dynamic_cast<TStringField*>(field)) {
      if (attributes_.Contains(TFieldAttribute::faFixed) || dataType_ == TFieldType::ftFixedChar) {
        text->SetFixedChar(true);
      }
    }
    if (internalCalc_) field->SetFieldKind(TFieldKind::fkInternalCalc);
    field->SetDataSet(DataSet());
  } catch (...) {
    delete field;
    throw;
  }
  return field;
}

TFieldDefs::TFieldDefs(TDataSet* dataset, TPersistent* owner)
    : TDefCollection(dataset, owner, ClassOf<TFieldDef>()) {}

TFieldDef* TFieldDefs::AddFieldDef() {
  return static_cast<TFieldDef*>(Add());
}

TFieldDef* TFieldDefs::Items(int index) const {
  return static_cast<TFieldDef*>(TCollection::Items(index));
}

TFieldDef* TFieldDefs::FindOrNone(std::string_view name) const {
  return static_cast<TFieldDef*>(TDefCollection::Find(name));
}

TFieldDef* TFieldDefs::Find(std::string_view name) const {
  TFieldDef* def = FindOrNone(name);
  if (!def) {
    DatabaseError(Format("Field '%.*s' not found", static_cast<int>(name.size()), name.data()),
                  DataSet());
  }
  return def;
}

TFieldDef* TFieldDefs::ParentDef() const {
  return dynamic_cast<TFieldDef*>(Owner());
}

void TFieldDefs::RefreshDefs() {
  if (Updated() || !DataSet()) return;
  BeginUpdate();
  try {
    DataSet()->LoadFieldDefs();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  SetUpdated(true);
}

const std::vector<TFieldDef*>& TFieldDefs::FlatList() {
  // Inside an update the change notices are held back, so the list cannot be trusted.
  if (flatStale_ || UpdateCount() > 0) {
    flat_.clear();
    Flatten(*this);
    flatStale_ = false;
  }
  return flat_;
}

void TFieldDefs::Flatten(TFieldDefs& defs) {
  for (int i = 0; i < defs.Count(); ++i) {
    TFieldDef* def = defs.Items(i);
    flat_.push_back(def);
    if (def->HasChildDefs()) Flatten(def->ChildDefs());
  }
}

void TFieldDefs::CollectionUpdate(TCollectionItem*) {
  flatStale_ = true;
  // A change among nested definitions changes the flat list of every level above.
  for (TFieldDefs* defs = this; defs;) {
    defs->flatStale_ = true;
    TFieldDef* parent = defs->ParentDef();
    defs = parent ? parent->FieldDefs() : nullptr;
  }
}

namespace {

[[maybe_unused]] const auto kTFieldDef =
    RegisterClass<TFieldDef, TNamedItem>("TFieldDef")
        .Set("Attributes", &TFieldDef::Attributes, &TFieldDef::SetAttributes,
             {"faHiddenCol", "faReadonly", "faRequired", "faLink", "faUnNamed", "faFixed"})
        .Property(
            "ChildDefs", [](const TFieldDef& def) { return def.ChildDefsOrNone(); }, nullptr)
        .Enum("DataType", &TFieldDef::DataType, &TFieldDef::SetDataType,
              kFieldTypeIdents)
        .Property("Precision", &TFieldDef::Precision, &TFieldDef::SetPrecision)
        .Property("Size", &TFieldDef::Size, &TFieldDef::SetSize);

}  // namespace
