// TPen: colour, width, style and mix mode of drawn lines and outlines.
#include "graphics/pen.h"

#include "core/classes.h"
#include "graphics/colors.h"
#include "platform/rop2.h"

using namespace platform;

int PenModeToRop2(TPenMode mode) {
  static constexpr int kRop2[] = {
      R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,       R2_COPYPEN,    R2_NOTCOPYPEN,
      R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,  R2_NOTMERGEPEN,
      R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return kRop2[static_cast<int>(mode)];
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 0 || width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed();
}

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  if (color_ == source.color_ && width_ == source.width_ && style_ == source.style_ &&
      mode_ == source.mode_) {
    return;
  }
  color_ = source.color_;
  width_ = source.width_;
  style_ = source.style_;
  mode_ = source.mode_;
  Changed();
}

HGDIOBJ TPen::MakeHandle() {
  static constexpr int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                    PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  return CreatePen(kStyles[static_cast<int>(style_)], width_, ColorToRGB(color_));
}

namespace {

[[maybe_unused]] const auto kTPen =
    RegisterClass<TPen, TGraphicsObject>("TPen")
        .Property("Color", &TPen::Color, &TPen::SetColor, ColorIdents)
        .Enum("Mode", &TPen::Mode, &TPen::SetMode,
              {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
               "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
               "pmNotMask", "pmXor", "pmNotXor"})
        .Enum("Style", &TPen::Style, &TPen::SetStyle,
              {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame"})
        .Property("Width", &TPen::Width, &TPen::SetWidth);

}  // namespace
