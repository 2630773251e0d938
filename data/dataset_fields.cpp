// The dataset's side of its fields: default fields from the definitions, binding them to the
// definitions at open, and look-up by name.
#include <vector>

#include "core/ansi_case.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/fielddefs.h"
#include "data/fields.h"

namespace {

bool IsObjectType(TFieldType type) {
  return type == TFieldType::ftADT || type == TFieldType::ftArray ||
         type == TFieldType::ftReference || type == TFieldType::ftDataSet;
}

// The types a calculated or lookup field can have: they fit in the calculation area.
bool CanBeCalculated(TFieldType type) {
  if (type >= TFieldType::ftString && type <= TFieldType::ftDateTime) return true;
  switch (type) {
    case TFieldType::ftWideString:
    case TFieldType::ftLargeint:
    case TFieldType::ftVariant:
    case TFieldType::ftTimeStamp:
    case TFieldType::ftFMTBcd:
      return true;
    default:
      return false;
  }
}

// A field fits a definition of its own type, or of a type whose class it derives from.
bool FitsDefinition(const TField& field, const TFieldDef& def) {
  if (field.DataType() == def.DataType()) return true;
  const TClassRecord* defClass = FieldClassFor(def.DataType());
  return defClass && field.InheritsFrom(defClass);
}

}  // namespace

void TDataSet::BuildDefaultFields() {
  // A copy: creating fields must not depend on the flat list staying as it is.
  std::vector<TFieldDef*> defs = FieldDefs().FlatList();
  for (TFieldDef* def : defs) {
    if (def->DataType() == TFieldType::ftUnknown || IsObjectType(def->DataType())) continue;
    if (def->Attributes().Contains(TFieldAttribute::faHiddenCol)) continue;
    def->CreateField(this);
  }
}

void TDataSet::BindAllFields(bool binding) {
  int calc = 0;
  int internalCalc = 0;
  int blob = 0;
  SetBoundFieldCounts(0, 0, 0);
  std::vector<TField*> fields(Fields().begin(), Fields().end());
  for (TField* field : fields) {
    if (!binding) {
      field->SetFieldNo(0);
      continue;
    }
    switch (field->FieldKind()) {
      case TFieldKind::fkCalculated:
      case TFieldKind::fkLookup:
        if (!CanBeCalculated(field->DataType())) {
          DatabaseError(Format("Field '%s' cannot be a calculated or lookup field",
                               field->ShownName().c_str()),
                        this);
        }
        field->SetFieldNo(-1);
        ++calc;
        break;
      case TFieldKind::fkAggregate:
        field->SetFieldNo(-1);
        break;
      case TFieldKind::fkData:
      case TFieldKind::fkInternalCalc: {
        const std::vector<TFieldDef*>& defs = FieldDefs().FlatList();
        TFieldDef* def = nullptr;
        std::size_t position = 0;
        for (; position < defs.size(); ++position) {
          if (AnsiSameText(defs[position]->Name(), field->FieldName())) {
            def = defs[position];
            break;
          }
        }
        if (!def) {
          DatabaseError(Format("Field '%s' not found", field->ShownName().c_str()), this);
        }
        if (!FitsDefinition(*field, *def)) {
          DatabaseError(Format("Type mismatch for field '%s', expecting: %s actual: %s",
                               field->ShownName().c_str(), FieldTypeName(field->DataType()),
                               FieldTypeName(def->DataType())),
                        this);
        }
        field->SetFieldNo(static_cast<std::int32_t>(position) + 1);
        if (field->FieldKind() == TFieldKind::fkInternalCalc) ++internalCalc;
        if (field->IsBlob()) {
          field->SetSize(def->Size());
          ++blob;
        }
        break;
      }
    }
  }
  SetBoundFieldCounts(calc, internalCalc, blob);
}

TField* TDataSet::FieldNamedOrNone(std::string_view name) {
  return Fields().FindField(name);
}

TField* TDataSet::FieldNamed(std::string_view name) {
  TField* field = FieldNamedOrNone(name);
  if (!field) {
    DatabaseError(Format("Field '%.*s' not found", static_cast<int>(name.size()), name.data()),
                  this);
  }
  return field;
}
