// TSpeedButton: a windowless push button with a glyph and a caption, flat or framed, alone or
// latched in a group.
#pragma once

#include <memory>

#include "controls/graphic_control.h"
#include "graphics/button_glyph.h"

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where the glyph and the caption go inside a client rectangle.
struct TButtonLayoutResult {
  platform::POINT GlyphPos;
  platform::RECT TextBounds;
};

// The placement rule of glyph and caption: margin and spacing of -1 are automatic;
// `bidiFlags` with DT_RIGHT (right-to-left alignment) swap blGlyphLeft and blGlyphRight. Text
// size 0 × 0 means no caption, glyph size 0 × 0 no glyph.
TButtonLayoutResult CalcButtonLayout(const platform::RECT& client, platform::POINT offset,
                                     platform::SIZE glyphSize, platform::SIZE textSize,
                                     TButtonLayout layout, int margin, int spacing,
                                     platform::UINT bidiFlags);

// Defaults: 23 × 22, not flat, transparent, glyph left, automatic margin, spacing 4, the
// parent's font, clBtnFace, group 0, up. While the left button is held after a press on it,
// the button is down when the pointer is over it and up when not, and releasing it over the
// button clicks it; elsewhere nothing happens. A flat button has no frame until the pointer
// is over it (hot: a raised edge) and a sunken edge while down; the glyph and caption move
// one pixel right and down while down. Buttons of one non-zero group latch: a click puts the
// button down and the group's other button up.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TBitmap* Glyph() const { return &glyph_->Glyph(); }
  void SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  TButtonState State() const { return state_; }
  // The pointer is over a flat button (it shows its raised edge).
  bool Hot() const { return mouseInControl_; }

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool Inside(int x, int y) const;
  // Hot exactly while the pointer is over this button (flat, enabled buttons only).
  void UpdateTracking();
  // The other buttons of the group go up when this one goes down.
  void UpdateExclusive();
  void GroupButtonPressed(TSpeedButton& sender);
  void GlyphChanged(TObject* sender);
  void PaintFrame(TCanvas& canvas, platform::RECT& rect);

  std::unique_ptr<TButtonGlyph> glyph_;
  TButtonState state_ = TButtonState::bsUp;
  bool down_ = false;
  bool dragging_ = false;
  bool mouseInControl_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  int groupIndex_ = 0;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};
