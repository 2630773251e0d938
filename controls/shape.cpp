// TShape: a windowless shape drawn with a pen and a brush on its parent.
#include "controls/shape.h"

#include <algorithm>

#include "core/classes.h"

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  controlStyle_.Include(TControlStyleFlag::csReplicatable);
  SetBounds(0, 0, 65, 65);
  pen_->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
  brush_->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TShape::StyleChanged(TObject*) {
  Invalidate();
}

void TShape::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetPen(*pen_);
  canvas.SetBrush(*brush_);
  const int p = pen_->Width();
  int x = p / 2, y = p / 2;
  int w = Width() - p + 1, h = Height() - p + 1;
  if (p == 0) --w, --h;
  const int s = std::min(w, h);
  if (shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare ||
      shape_ == TShapeType::stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (shape_) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
      canvas.Rectangle(x, y, x + w, y + h);
      break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
      canvas.RoundRect(x, y, x + w, y + h, s / 4, s / 4);
      break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
      canvas.Ellipse(x, y, x + w, y + h);
      break;
  }
}

namespace {

[[maybe_unused]] const auto kTShape =
    RegisterClass<TShape, TGraphicControl>("TShape")
        .Property("Brush", &TShape::Brush, &TShape::SetBrush)
        .Property("Pen", &TShape::Pen, &TShape::SetPen)
        .Enum("Shape", &TShape::Shape, &TShape::SetShape,
              {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});

}  // namespace
