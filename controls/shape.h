// TShape: a windowless rectangle, square, rounded rectangle or ellipse drawn with a pen and a
// brush on its parent.
#pragma once

#include <memory>

#include "controls/graphic_control.h"
#include "graphics/brush.h"
#include "graphics/pen.h"

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// Defaults: 65 × 65, rectangle, black one-pixel solid pen in copy mode, white solid brush.
// The pen's mode is the mix mode of everything the shape draws: a clear pen with the mask mode
// and a white brush leaves its parent's pixels unchanged, so the shape is invisible while it
// still has its cursor and mouse events.
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);
  ~TShape() override;

  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* value) { pen_->Assign(*value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* value) { brush_->Assign(*value); }

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject* sender);

  TShapeType shape_ = TShapeType::stRectangle;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
};
