// TBrush: colour and style of filled areas.
#pragma once

#include "graphics/graphics_object.h"
#include "platform/pens_brushes.h"

enum class TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross,
};

// Defaults: clWhite, bsSolid. The brush owns its handle, created on first request and
// discarded by the next change.
class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;

  TColor Color() const { return color_; }
  // Choosing a colour while the style is bsClear makes the brush solid again.
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  void Assign(const TBrush& source);
  platform::HBRUSH Handle() { return static_cast<platform::HBRUSH>(ObjectHandle()); }

 protected:
  platform::HGDIOBJ MakeHandle() override;

 private:

  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
};
