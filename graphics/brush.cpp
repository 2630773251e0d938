// TBrush: colour and style of filled areas.
#include "graphics/brush.h"

#include "core/classes.h"
#include "graphics/colors.h"

using namespace platform;

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != TBrushStyle::bsClear) return;
  color_ = color;
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(const TBrush& source) {
  if (&source == this || (color_ == source.color_ && style_ == source.style_)) return;
  color_ = source.color_;
  style_ = source.style_;
  Changed();
}

HGDIOBJ TBrush::MakeHandle() {
  LOGBRUSH lb{BS_SOLID, ColorToRGB(color_), 0};
  switch (style_) {
    case TBrushStyle::bsSolid:
      break;
    case TBrushStyle::bsClear:
      lb.lbStyle = BS_NULL;
      break;
    default:
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<UINT_PTR>(static_cast<int>(style_) - 2);
      break;
  }
  return CreateBrushIndirect(&lb);
}

namespace {

[[maybe_unused]] const auto kTBrush =
    RegisterClass<TBrush, TGraphicsObject>("TBrush")
        .Property("Color", &TBrush::Color, &TBrush::SetColor, ColorIdents)
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle,
              {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
               "bsCross", "bsDiagCross"});

}  // namespace
