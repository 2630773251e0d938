// Fields that hold the source's variant itself, and the interface fields.
#pragma once

#include "data/field.h"

// Any value the source can hold; its text is the value's own text.
class TVariantField : public TField {
 public:
  explicit TVariantField(TComponent* owner);

  AnsiString StringValue() const override;
  std::int32_t IntegerValue() const override;
  double FloatValue() const override;
  bool BooleanValue() const override;
};

// The class of ftInterface columns. Interfaces have no text, so its text is its class
// description.
class TInterfaceField : public TField {
 public:
  explicit TInterfaceField(TComponent* owner);
};

class TIDispatchField : public TInterfaceField {
 public:
  explicit TIDispatchField(TComponent* owner);
};
