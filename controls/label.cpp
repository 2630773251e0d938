// TLabel: a windowless caption drawn on its parent.
#include "controls/label.h"

#include "core/classes.h"
#include "graphics/colors.h"
#include "platform/drawtext.h"
#include "platform/update_area.h"

using namespace platform;

namespace {

constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// A canvas over a memory device context, for measuring text outside painting.
class TMeasuringCanvas : public TCanvas {
 public:
  TMeasuringCanvas() { SetHandle(CreateCompatibleDC(nullptr)); }
  ~TMeasuringCanvas() override {
    HDC dc = CurrentHandle();
    SetHandle(nullptr);
    DeleteDC(dc);
  }
};

}  // namespace

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_.Include(TControlStyleFlag::csOpaque);
  controlStyle_.Include(TControlStyleFlag::csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Invalidate();
}

bool TLabel::Transparent() const {
  return !controlStyle_.Contains(TControlStyleFlag::csOpaque);
}

void TLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  if (value) {
    controlStyle_.Exclude(TControlStyleFlag::csOpaque);
  } else {
    controlStyle_.Include(TControlStyleFlag::csOpaque);
  }
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::AfterLoading() {
  TGraphicControl::AfterLoading();
  AdjustBounds();
}

void TLabel::WndProc(TMessage& message) {
  TGraphicControl::WndProc(message);
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) {
  AnsiString text = Caption();
  // An empty caption (or a lone prefix character) still measures one line high.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  canvas.SetFont(*Font());
  if (!Enabled()) {
    rect = OffsetRectValue(rect, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
    rect = OffsetRectValue(rect, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
  }
  DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TLabel::Paint() {
  TCanvas& canvas = *Canvas();
  RECT rect = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(rect);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  UINT flags =
      DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlignments[static_cast<int>(alignment_)];
  if (layout_ != TTextLayout::tlTop) {
    RECT measured = rect;
    DoDrawText(canvas, measured, flags | DT_CALCRECT);
    int free = rect.bottom - measured.bottom;
    rect = OffsetRectValue(rect, 0, layout_ == TTextLayout::tlCenter ? free / 2 : free);
  }
  DoDrawText(canvas, rect, flags);
}

void TLabel::AdjustBounds() {
  if (IsReading() || !autoSize_) return;
  TMeasuringCanvas canvas;
  RECT rect = ClientRect();
  DoDrawText(canvas, rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  int left = Left();
  if (MirroredAlignment(alignment_) == TAlignment::taRightJustify) {
    left += Width() - rect.right;
  }
  SetBounds(left, Top(), rect.right, rect.bottom);
}

namespace {

[[maybe_unused]] const auto kTLabel =
    RegisterClass<TLabel, TGraphicControl>("TLabel")
        .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, kAlignmentNames)
        .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
        .Enum("Layout", &TLabel::Layout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"})
        .Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
        .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);

}  // namespace
