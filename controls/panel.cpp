// Panels: bevels, border, fill and caption.
#include "controls/panel.h"

#include "core/classes.h"
#include "platform/drawtext.h"

using namespace platform;

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents,     TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csOpaque,          TControlStyleFlag::csDoubleClicks,
                   TControlStyleFlag::csReplicatable};
  SetBounds(Left(), Top(), 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (bevelInner_ == value) return;
  bevelInner_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (bevelOuter_ == value) return;
  bevelOuter_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (bevelWidth_ == value || value < 1) return;
  bevelWidth_ = value;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (borderWidth_ == value || value < 0) return;
  borderWidth_ = value;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == TBorderStyle::bsSingle) params.Style |= WS_BORDER;
  params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  for (; width > 0; --width) {
    int right = rect.right - 1;
    int bottom = rect.bottom - 1;
    const POINT topLeft[] = {{rect.left, bottom}, {rect.left, rect.top}, {right + 1, rect.top}};
    const POINT bottomRight[] = {{right, rect.top + 1}, {right, bottom}, {rect.left, bottom}};
    canvas.Pen().SetColor(topColor);
    canvas.Polyline(topLeft);
    canvas.Pen().SetColor(bottomColor);
    canvas.Polyline(bottomRight);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  }
}

namespace {

TColor BevelTop(TBevelCut cut) {
  return cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
}

TColor BevelBottom(TBevelCut cut) {
  return cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas& canvas = *Canvas();
  RECT r = ClientRect();
  if (bevelOuter_ != TBevelCut::bvNone) {
    Frame3D(canvas, r, BevelTop(bevelOuter_), BevelBottom(bevelOuter_), bevelWidth_);
  }
  Frame3D(canvas, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != TBevelCut::bvNone) {
    Frame3D(canvas, r, BevelTop(bevelInner_), BevelBottom(bevelInner_), bevelWidth_);
  }
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  AnsiString caption = Caption();
  if (caption.empty()) return;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.SetFont(*Font());
  int lineHeight = canvas.TextHeight("W");
  r.top = (r.bottom + r.top - lineHeight) / 2;
  r.bottom = r.top + lineHeight;
  UINT align = alignment_ == TAlignment::taLeftJustify    ? DT_LEFT
               : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                          : DT_CENTER;
  UINT flags = DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | align);
  DrawTextA(canvas.Handle(), caption.c_str(), -1, &r, flags);
}

namespace {

constexpr const char* kBevelCutNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

[[maybe_unused]] const auto kTCustomPanel =
    RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel")
        .Property("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption)
        .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, kAlignmentNames)
        .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevelCutNames)
        .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevelCutNames)
        .Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
        .Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
        .Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle,
              kBorderStyleNames);

[[maybe_unused]] const auto kTPanel = RegisterClass<TPanel, TCustomPanel>("TPanel");

}  // namespace
