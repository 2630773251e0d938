// The base of fonts, pens and brushes.
#include "graphics/graphics_object.h"

#include "core/classes.h"

TGraphicsObject::~TGraphicsObject() {
  if (handle_ != nullptr) platform::DeleteObject(handle_);
}

platform::HGDIOBJ TGraphicsObject::ObjectHandle() {
  if (handle_ == nullptr) handle_ = MakeHandle();
  return handle_;
}

void TGraphicsObject::AdoptHandle(platform::HGDIOBJ handle) {
  if (handle_ != nullptr && handle_ != handle) platform::DeleteObject(handle_);
  handle_ = handle;
}

void TGraphicsObject::Changed() {
  platform::HGDIOBJ old = handle_;
  handle_ = nullptr;
  if (OnChange) OnChange(this);
  if (old != nullptr) platform::DeleteObject(old);
}

namespace {

[[maybe_unused]] const auto kTGraphicsObject =
    RegisterClass<TGraphicsObject, TPersistent>("TGraphicsObject");

}  // namespace
