// TLabel: a windowless caption drawn on its parent, optionally transparent and auto-sized.
#pragma once

#include "controls/graphic_control.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };

// Defaults: 65 × 17, AutoSize, ShowAccelChar ("&" underlines the next character), left
// aligned, top layout, no word wrap, opaque (filled with Color). Transparent is the inverse of
// the opaque control style. With AutoSize the label takes the size of its caption whenever the
// caption, font, WordWrap or AutoSize change and after loading; a label whose effective
// alignment is right-justified (left-justified under right-to-left alignment) keeps its right
// edge, so it grows and shrinks to the left.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool Transparent() const;
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  void AfterLoading() override;
  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  // Draws the caption into rect with the DrawText flags; with DT_CALCRECT only measures it.
  void DoDrawText(TCanvas& canvas, platform::RECT& rect, platform::UINT flags);
  void AdjustBounds();

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool showAccelChar_ = true;
  bool wordWrap_ = false;
};
