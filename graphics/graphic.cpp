// TGraphic: the base of every picture format.
#include "graphics/graphic.h"

#include "core/classes.h"
#include "core/exceptions.h"

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

void TGraphic::SetModified(bool value) {
  if (value) {
    Changed();
  } else {
    modified_ = false;
  }
}

void TGraphic::Assign(TGraphic& source) {
  throw EInvalidGraphic(Format("Cannot assign a %s to a %s", source.GraphicClassName().c_str(),
                               GraphicClassName().c_str()));
}

void TGraphic::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                        const platform::RECT& rect, const AnsiString& message) {
  if (OnProgress) OnProgress(this, stage, percentDone, redrawNow, rect, message);
}

namespace {

[[maybe_unused]] const auto kTGraphic = RegisterClass<TGraphic, TPersistent>("TGraphic");

}  // namespace
