// The type table: the field class and the type name of every field type.
#pragma once

#include "core/sysutils.h"
#include "data/db_types.h"

class TClassRecord;
class TComponent;
class TField;

// The registered class of fields of this type, or null (ftUnknown, ftCursor).
const TClassRecord* FieldClassFor(TFieldType type);
// The name class descriptions use: "String", "SmallInt", "Memo", "HugeClob", ...
const char* FieldTypeName(TFieldType type);
// The types whose values are blobs: read through a blob stream, sized by the definition.
bool IsBlobType(TFieldType type);
// A new field of the type's class with owner, or null when the type has no class. The field
// keeps its class's own type (a TBlobField made for ftFmtMemo says ftBlob) until it is set from
// a definition (TFieldDef::CreateField).
TField* NewFieldOfType(TFieldType type, TComponent* owner);
