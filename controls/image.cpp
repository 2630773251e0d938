// TImage: a windowless control that draws its picture on its parent.
#include "controls/image.h"

#include <cmath>

#include "core/classes.h"

using namespace platform;

TImage::TImage(TComponent* owner)
    : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  controlStyle_.Include(TControlStyleFlag::csReplicatable);
  picture_->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  // The picture's notices must not reach a control that is going away.
  picture_->OnChange = TNotifyEvent();
}

void TImage::SetPicture(TPicture* value) {
  picture_->SetGraphic(value ? value->Graphic() : nullptr);
}

void TImage::SetOption(bool& option, bool value) {
  if (value == option) return;
  option = value;
  PictureChanged(nullptr);
}

void TImage::SetAutoSize(bool value) {
  SetOption(autoSize_, value);
}
void TImage::SetCenter(bool value) {
  SetOption(center_, value);
}
void TImage::SetProportional(bool value) {
  SetOption(proportional_, value);
}
void TImage::SetStretch(bool value) {
  SetOption(stretch_, value);
}
void TImage::SetTransparent(bool value) {
  SetOption(transparent_, value);
}

RECT TImage::DestRect() const {
  int w = picture_->Width(), h = picture_->Height();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      const double ratio = double(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(std::lround(cw / ratio));
        if (h > ch) {
          h = ch;
          w = static_cast<int>(std::lround(ch * ratio));
        }
      } else {
        h = ch;
        w = static_cast<int>(std::lround(ch * ratio));
        if (w > cw) {
          w = cw;
          h = static_cast<int>(std::lround(cw / ratio));
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  RECT rect{0, 0, w, h};
  if (center_) rect = {(cw - w) / 2, (ch - h) / 2, (cw - w) / 2 + w, (ch - h) / 2 + h};
  return rect;
}

void TImage::Paint() {
  TGraphic* graphic = picture_->Graphic();
  if (graphic == nullptr) return;
  drawing_ = true;
  try {
    Canvas()->StretchDraw(DestRect(), graphic);
  } catch (...) {
    drawing_ = false;
    throw;
  }
  drawing_ = false;
}

void TImage::PictureChanged(TObject*) {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0) {
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  }
  controlStyle_.Exclude(TControlStyleFlag::csOpaque);
  if (TGraphic* graphic = picture_->Graphic()) {
    graphic->SetTransparent(transparent_);
    const RECT d = DestRect();
    if (!graphic->Transparent() && d.left <= 0 && d.top <= 0 && d.right >= Width() &&
        d.bottom >= Height()) {
      controlStyle_.Include(TControlStyleFlag::csOpaque);
    }
  }
  // A change while drawing (a JPEG picture announcing its first decode) is already on screen.
  if (!drawing_) Invalidate();
}

namespace {

[[maybe_unused]] const auto kTImage =
    RegisterClass<TImage, TGraphicControl>("TImage")
        .Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
        .Property("Center", &TImage::Center, &TImage::SetCenter)
        .Property("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay)
        .Property("Picture", &TImage::Picture, &TImage::SetPicture)
        .Property("Proportional", &TImage::Proportional, &TImage::SetProportional)
        .Property("Stretch", &TImage::Stretch, &TImage::SetStretch)
        .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent);

}  // namespace
