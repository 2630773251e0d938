// TPen: colour, width, style and mix mode of drawn lines and outlines.
#pragma once

#include "graphics/graphics_object.h"
#include "platform/pens_brushes.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The mix of the pen (and of everything drawn while it is selected) with the pixels below.
enum class TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor,
};

// The platform's binary raster operation (R2_*) for a mode.
int PenModeToRop2(TPenMode mode);

// Defaults: clBlack, width 1, psSolid, pmCopy. The pen owns its handle, created on first
// request and discarded by the next change; the mode is not part of the handle (a canvas
// applies it as its mix mode).
class TPen : public TGraphicsObject {
 public:
  TPen() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);

  void Assign(const TPen& source);
  platform::HPEN Handle() { return static_cast<platform::HPEN>(ObjectHandle()); }

 protected:
  platform::HGDIOBJ MakeHandle() override;

 private:

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
};
