// The base of fonts, pens and brushes.
#include "graphics/graphics_object.h"

#include "core/classes.h"

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

namespace {

[[maybe_unused]] const auto kTGraphicsObject =
    RegisterClass<TGraphicsObject, TPersistent>("TGraphicsObject");

}  // namespace
