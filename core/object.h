// The root class of every framework object.
#pragma once

#include "core/sysutils.h"

class TClassRecord;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class record of the object's own class, or null when that class was never registered.
  const TClassRecord* ClassType() const;
  // The registered class name (the language's type name for an unregistered class).
  AnsiString ClassName() const;
  bool InheritsFrom(const TClassRecord* cls) const;
};
