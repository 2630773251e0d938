// Boolean fields.
#pragma once

#include "data/field.h"

// True or false, shown by DisplayValues: "True;False" at creation, the texts for true and false
// separated by ';' (a missing false text shows as empty).
class TBooleanField : public TField {
 public:
  explicit TBooleanField(TComponent* owner);

  AnsiString StringValue() const override;
  bool BooleanValue() const override;
  bool ReadBoolean(bool* value) const;

  const AnsiString& DisplayValues() const { return displayValues_; }
  void SetDisplayValues(const AnsiString& values);

 private:
  AnsiString displayValues_;
  AnsiString trueText_;
  AnsiString falseText_;
};
