// TSpeedButton: a windowless push button with a glyph and a caption.
#include "controls/speed_button.h"

#include "controls/wincontrol.h"
#include "core/classes.h"
#include "graphics/colors.h"
#include "platform/bitmap.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/drawtext.h"
#include "platform/update_area.h"

using namespace platform;

TButtonLayoutResult CalcButtonLayout(const RECT& client, POINT offset, SIZE glyphSize,
                                     SIZE textSize, TButtonLayout layout, int margin, int spacing,
                                     UINT bidiFlags) {
  if ((bidiFlags & DT_RIGHT) == DT_RIGHT) {
    if (layout == TButtonLayout::blGlyphLeft) {
      layout = TButtonLayout::blGlyphRight;
    } else if (layout == TButtonLayout::blGlyphRight) {
      layout = TButtonLayout::blGlyphLeft;
    }
  }
  const bool across = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const POINT size{client.right - client.left, client.bottom - client.top};
  POINT glyphPos{0, 0}, textPos{0, 0};
  if (across) {
    glyphPos.y = (size.y - glyphSize.cy + 1) / 2;
    textPos.y = (size.y - textSize.cy + 1) / 2;
  } else {
    glyphPos.x = (size.x - glyphSize.cx + 1) / 2;
    textPos.x = (size.x - textSize.cx + 1) / 2;
  }
  if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;
  const int along = across ? size.x : size.y;
  const int glyphAlong = across ? glyphSize.cx : glyphSize.cy;
  const int textAlong = across ? textSize.cx : textSize.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (along - (glyphAlong + textAlong)) / 3;
      spacing = margin;
    } else {
      margin = (along - (glyphAlong + spacing + textAlong) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (along - (margin + glyphAlong) - textAlong) / 2;
  }
  switch (layout) {
    case TButtonLayout::blGlyphLeft:
      glyphPos.x = margin;
      textPos.x = glyphPos.x + glyphSize.cx + spacing;
      break;
    case TButtonLayout::blGlyphRight:
      glyphPos.x = size.x - margin - glyphSize.cx;
      textPos.x = glyphPos.x - spacing - textSize.cx;
      break;
    case TButtonLayout::blGlyphTop:
      glyphPos.y = margin;
      textPos.y = glyphPos.y + glyphSize.cy + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      glyphPos.y = size.y - margin - glyphSize.cy;
      textPos.y = glyphPos.y - spacing - textSize.cy;
      break;
  }
  TButtonLayoutResult result;
  result.GlyphPos = {glyphPos.x + client.left + offset.x, glyphPos.y + client.top + offset.y};
  const LONG left = textPos.x + client.left + offset.x, top = textPos.y + client.top + offset.y;
  result.TextBounds = {left, top, left + textSize.cx, top + textSize.cy};
  return result;
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  SetBounds(0, 0, 23, 22);
  controlStyle_ = {TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csDoubleClicks};
  SetColor(clBtnFace);
  glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

TSpeedButton::~TSpeedButton() {
  glyph_->OnChange = TNotifyEvent();
}

void TSpeedButton::GlyphChanged(TObject*) {
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  if (value) {
    if (state_ == TButtonState::bsUp) Invalidate();
    state_ = TButtonState::bsExclusive;
    UpdateExclusive();
  } else {
    state_ = TButtonState::bsUp;
    Repaint();
  }
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  if (value) {
    controlStyle_.Exclude(TControlStyleFlag::csOpaque);
  } else {
    controlStyle_.Include(TControlStyleFlag::csOpaque);
  }
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other != nullptr && other != this) other->GroupButtonPressed(*this);
  }
}

void TSpeedButton::GroupButtonPressed(TSpeedButton& sender) {
  if (sender.groupIndex_ != groupIndex_) return;
  if (sender.down_ && down_) {
    down_ = false;
    state_ = TButtonState::bsUp;
    Invalidate();
  }
  allowAllUp_ = sender.allowAllUp_;
}

bool TSpeedButton::Inside(int x, int y) const {
  // The bottom edge counts as inside, as the original decides.
  return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft && Enabled()) {
    if (!down_) {
      state_ = TButtonState::bsDown;
      Invalidate();
    }
    dragging_ = true;
  }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (dragging_) {
    TButtonState state = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
    if (Inside(x, y)) state = down_ ? TButtonState::bsExclusive : TButtonState::bsDown;
    if (state != state_) {
      state_ = state;
      Invalidate();
    }
  } else if (!mouseInControl_) {
    UpdateTracking();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_) return;
  dragging_ = false;
  const bool click = Inside(x, y);
  if (groupIndex_ == 0) {
    state_ = TButtonState::bsUp;
    mouseInControl_ = false;
    if (click) Invalidate();
  } else if (click) {
    SetDown(!down_);
    if (down_) Repaint();
  } else {
    if (down_) state_ = TButtonState::bsExclusive;
    Repaint();
  }
  if (click) Click();
  UpdateTracking();
}

void TSpeedButton::UpdateTracking() {
  if (!flat_ || !Enabled() || Parent() == nullptr || !Parent()->HandleAllocated()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  bool over = false;
  if (WindowFromPoint(cursor) == Parent()->Handle()) {
    POINT p = cursor;
    platform::ScreenToClient(Parent()->Handle(), &p);
    over = Parent()->ControlAtPos(p, true) == this;
  }
  if (over != mouseInControl_) {
    mouseInControl_ = over;
    Invalidate();
  }
}

void TSpeedButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(message);
      if (message.LParam == 0 && flat_ && !mouseInControl_ && Enabled() && !dragging_ &&
          GetCapture() == nullptr) {
        mouseInControl_ = true;
        Invalidate();
      }
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(message);
      if (message.LParam == 0 && flat_ && mouseInControl_ && Enabled() && !dragging_) {
        mouseInControl_ = false;
        Invalidate();
      }
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) {
        mouseInControl_ = false;
        state_ = TButtonState::bsDisabled;
      } else if (state_ == TButtonState::bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
      }
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(message);
}

void TSpeedButton::PaintFrame(TCanvas& canvas, RECT& rect) {
  const bool pushed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  HDC dc = canvas.Handle();
  if (!flat_) {
    // The classic push-button frame, two pixels wide; pushed, a dark frame around a shadow.
    if (pushed) {
      canvas.Brush().SetColor(clWindowFrame);
      canvas.FrameRect(rect);
      RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
      canvas.Brush().SetColor(clBtnShadow);
      canvas.FrameRect(inner);
      canvas.Brush().SetColor(clBtnFace);
      canvas.FillRect({rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2});
    } else {
      RECT edge = rect;
      DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    rect = {rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
    return;
  }
  if (pushed || (mouseInControl_ && state_ != TButtonState::bsDisabled)) {
    RECT edge = rect;
    DrawEdge(dc, &edge, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
             BF_RECT | (transparent_ ? 0 : BF_MIDDLE));
  } else if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = TButtonState::bsDisabled;
    dragging_ = false;
  } else if (state_ == TButtonState::bsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
  }
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  RECT rect = ClientRect();
  PaintFrame(canvas, rect);

  POINT offset{0, 0};
  if (state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive) {
    if (state_ == TButtonState::bsExclusive && (!flat_ || !mouseInControl_)) {
      // A latched button shows a checkered face of the face and highlight colours.
      HBITMAP pattern = CreateBitmap(8, 8, 1, 32, nullptr);
      HDC patternDC = CreateCompatibleDC(nullptr);
      HGDIOBJ previous = SelectObject(patternDC, pattern);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          platform::SetPixel(patternDC, x, y, ColorToRGB((x + y) % 2 ? clBtnHighlight : clBtnFace));
        }
      }
      SelectObject(patternDC, previous);
      DeleteDC(patternDC);
      HBRUSH brush = CreatePatternBrush(pattern);
      platform::FillRect(canvas.Handle(), &rect, brush);
      DeleteObject(brush);
      DeleteObject(pattern);
    }
    offset = {1, 1};
  }

  const UINT bidiFlags = DrawTextBiDiModeFlags(0);
  const AnsiString caption = Caption();
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    RECT bounds{0, 0, rect.right - rect.left, 0};
    DrawTextA(canvas.Handle(), caption.c_str(), static_cast<int>(caption.size()), &bounds,
              DT_CALCRECT | bidiFlags);
    textSize = {bounds.right - bounds.left, bounds.bottom - bounds.top};
  }
  const TButtonLayoutResult placed = CalcButtonLayout(rect, offset, glyph_->ImageSize(), textSize,
                                                      layout_, margin_, spacing_, bidiFlags);
  glyph_->Draw(canvas, placed.GlyphPos, state_,
               transparent_ || state_ == TButtonState::bsExclusive);
  if (caption.empty()) return;
  RECT textRect = placed.TextBounds;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const UINT flags = DT_CENTER | DT_VCENTER | bidiFlags;
  if (state_ == TButtonState::bsDisabled) {
    RECT raised = OffsetRectValue(textRect, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    DrawTextA(canvas.Handle(), caption.c_str(), static_cast<int>(caption.size()), &raised, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  DrawTextA(canvas.Handle(), caption.c_str(), static_cast<int>(caption.size()), &textRect, flags);
}

namespace {

[[maybe_unused]] const auto kTSpeedButton =
    RegisterClass<TSpeedButton, TGraphicControl>("TSpeedButton")
        .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
        .Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
        .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
        .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
        .Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
        .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
        .Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout,
              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})
        .Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
        .Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
        .Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
        .Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);

}  // namespace
