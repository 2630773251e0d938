// TImage: a windowless control that draws its picture on its parent.
#pragma once

#include <memory>

#include "controls/graphic_control.h"
#include "graphics/picture.h"

// Defaults: 105 × 105, every option off. The picture is drawn at (0, 0) at its own size,
// clipped to the control; Stretch fills the control, Proportional keeps the picture's aspect
// (and only shrinks it unless Stretch is set), Center centres it. The control is opaque while
// a non-transparent graphic covers all of it, so its parent need not paint below it. A JPEG
// picture is decoded the first time the image paints.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() const { return picture_.get(); }
  // Takes a copy of the picture's graphic.
  void SetPicture(TPicture* value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool IncrementalDisplay() const { return incrementalDisplay_; }
  void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Where the picture is drawn, in the control's client coordinates.
  platform::RECT DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject* sender);
  void SetOption(bool& option, bool value);

  std::unique_ptr<TPicture> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool incrementalDisplay_ = false;
  bool proportional_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool drawing_ = false;
};
