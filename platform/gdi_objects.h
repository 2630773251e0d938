// The one table of GDI objects behind every handle, with lookup that validates kind and age.
#pragma once

#include <memory>

#include "platform/gdi_handles.h"

namespace platform::gdi {

enum class Kind { kRegion, kPen, kBrush, kFont, kBitmap, kDC };

// Base of every object in the table. `selections` counts the device contexts that have the
// object selected; such an object cannot be deleted.
class Object {
 public:
  virtual ~Object() = default;
  virtual Kind kind() const = 0;
  // OBJ_* as GetObjectType reports it.
  virtual DWORD ObjectType() const;
  int selections = 0;
};

// Takes ownership and returns the new handle. A stock object is never freed.
HGDIOBJ Insert(std::unique_ptr<Object> object, bool stock = false);
// The live object behind a handle, or null.
Object* Lookup(HGDIOBJ handle);
bool IsStock(HGDIOBJ handle);
// Frees the object; false for a bad handle. Stock objects are not freed (true).
bool Erase(HGDIOBJ handle);

template <class T>
T* Get(HGDIOBJ handle) {
  Object* object = Lookup(handle);
  return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
}

}  // namespace platform::gdi
