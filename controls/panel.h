// Panels: a raised or lowered frame around a container with a caption in the middle.
#pragma once

#include "controls/custom_control.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Defaults: 185 x 41, caption centred, outer bevel raised, no inner bevel, bevels 1 pixel
// wide, no border, colour clBtnFace. The panel paints every pixel of its rectangle: outer
// bevel, a border of BorderWidth in Color, inner bevel, the rest filled with Color, and the
// caption on one line as high as "W", centred vertically and aligned by Alignment (mirrored
// right to left).
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

 protected:
  void Paint() override;
  void CreateParams(TCreateParams& params) override;

 private:
  TAlignment alignment_ = TAlignment::taCenter;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

// Draws width rings inside rect, each with its top and left edges in topColor and its bottom
// and right edges in bottomColor, and shrinks rect by width on every side.
void Frame3D(TCanvas& canvas, platform::RECT& rect, TColor topColor, TColor bottomColor, int width);
