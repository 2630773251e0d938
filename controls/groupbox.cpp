// Group boxes: the etched frame and the caption in its top border.
#include "controls/groupbox.h"

#include "core/classes.h"
#include "platform/drawtext.h"

using namespace platform;

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents,     TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks,    TControlStyleFlag::csReplicatable};
  SetBounds(Left(), Top(), 185, 105);
  SetColor(clBtnFace);
}

void TCustomGroupBox::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  int textHeight = canvas.TextHeight("0");
  RECT frame{1, textHeight / 2, Width(), Height()};
  canvas.Brush().SetColor(clBtnHighlight);
  canvas.FrameRect(frame);
  frame = {0, textHeight / 2 - 1, Width() - 1, Height() - 1};
  canvas.Brush().SetColor(clBtnShadow);
  canvas.FrameRect(frame);
  AnsiString caption = Caption();
  if (caption.empty()) return;
  UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
  RECT band{0, 0, 0, textHeight};
  DrawTextA(canvas.Handle(), caption.c_str(), -1, &band, flags | DT_CALCRECT);
  int width = band.right - band.left;
  band.left = UseRightToLeftAlignment() ? Width() - 8 - width : 8;
  band.right = band.left + width;
  canvas.Brush().SetColor(Color());
  canvas.FillRect(band);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  DrawTextA(canvas.Handle(), caption.c_str(), -1, &band, flags);
}

namespace {

[[maybe_unused]] const auto kTCustomGroupBox =
    RegisterClass<TCustomGroupBox, TCustomControl>("TCustomGroupBox")
        .Property("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);

[[maybe_unused]] const auto kTGroupBox = RegisterClass<TGroupBox, TCustomGroupBox>("TGroupBox");

}  // namespace
