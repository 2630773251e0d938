// The classes of the object types (structures, arrays, references, nested datasets).
#pragma once

#include "data/field.h"

// No source this program reads yields an object column, and default fields are never made for
// them; the classes exist so that every type of the type table has its class. Their text is
// their class description.
class TObjectField : public TField {
 public:
  explicit TObjectField(TComponent* owner);
};

class TADTField : public TObjectField {
 public:
  explicit TADTField(TComponent* owner);
};

class TArrayField : public TObjectField {
 public:
  explicit TArrayField(TComponent* owner);
};

class TReferenceField : public TObjectField {
 public:
  explicit TReferenceField(TComponent* owner);
};

class TDataSetField : public TObjectField {
 public:
  explicit TDataSetField(TComponent* owner);
};
