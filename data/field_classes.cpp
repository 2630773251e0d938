// The type table: class and name per field type, in the order of TFieldType.
#include "data/field_classes.h"

#include <array>

#include "core/classes.h"
#include "data/binary_field.h"
#include "data/blob_field.h"
#include "data/boolean_field.h"
#include "data/datetime_field.h"
#include "data/numeric_field.h"
#include "data/object_field.h"
#include "data/string_field.h"
#include "data/variant_field.h"

namespace {

struct TypeEntry {
  const char* name;
  // Constructing through the class itself also links in its registration.
  TField* (*make)(TComponent* owner);
  const TClassRecord* (*record)();
};

template <class T>
TField* Make(TComponent* owner) {
  return new T(owner);
}

template <class T>
constexpr TypeEntry Entry(const char* name) {
  return {name, &Make<T>, &ClassOf<T>};
}

constexpr TypeEntry None(const char* name) {
  return {name, nullptr, nullptr};
}

constexpr std::array<TypeEntry, 38> kTypes = {
    None("Unknown"),
    Entry<TStringField>("String"),
    Entry<TSmallintField>("SmallInt"),
    Entry<TIntegerField>("Integer"),
    Entry<TWordField>("Word"),
    Entry<TBooleanField>("Boolean"),
    Entry<TFloatField>("Float"),
    Entry<TCurrencyField>("Currency"),
    Entry<TBCDField>("BCD"),
    Entry<TDateField>("Date"),
    Entry<TTimeField>("Time"),
    Entry<TDateTimeField>("DateTime"),
    Entry<TBytesField>("Bytes"),
    Entry<TVarBytesField>("VarBytes"),
    Entry<TAutoIncField>("AutoInc"),
    Entry<TBlobField>("Blob"),
    Entry<TMemoField>("Memo"),
    Entry<TGraphicField>("Graphic"),
    Entry<TBlobField>("FmtMemo"),
    Entry<TBlobField>("ParadoxOle"),
    Entry<TBlobField>("dBaseOle"),
    Entry<TBlobField>("TypedBinary"),
    None("Cursor"),
    Entry<TStringField>("FixedChar"),
    Entry<TWideStringField>("WideString"),
    Entry<TLargeintField>("LargeInt"),
    Entry<TADTField>("ADT"),
    Entry<TArrayField>("Array"),
    Entry<TReferenceField>("Reference"),
    Entry<TDataSetField>("DataSet"),
    Entry<TBlobField>("HugeBlob"),
    Entry<TMemoField>("HugeClob"),
    Entry<TVariantField>("Variant"),
    Entry<TInterfaceField>("Interface"),
    Entry<TIDispatchField>("Dispatch"),
    Entry<TGuidField>("Guid"),
    Entry<TSQLTimeStampField>("SQLTimeStamp"),
    Entry<TFMTBCDField>("FMTBcdField"),
};

static_assert(kTypes.size() == static_cast<std::size_t>(TFieldType::ftFMTBcd) + 1,
              "one entry per field type");

const TypeEntry* EntryFor(TFieldType type) {
  auto index = static_cast<std::size_t>(type);
  return index < kTypes.size() ? &kTypes[index] : nullptr;
}

}  // namespace

const TClassRecord* FieldClassFor(TFieldType type) {
  const TypeEntry* entry = EntryFor(type);
  return entry && entry->record ? entry->record() : nullptr;
}

const char* FieldTypeName(TFieldType type) {
  const TypeEntry* entry = EntryFor(type);
  return entry ? entry->name : "Unknown";
}

TField* NewFieldOfType(TFieldType type, TComponent* owner) {
  const TypeEntry* entry = EntryFor(type);
  return entry && entry->make ? entry->make(owner) : nullptr;
}

bool IsBlobType(TFieldType type) {
  switch (type) {
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftOraBlob:
    case TFieldType::ftOraClob:
      return true;
    default:
      return false;
  }
}
