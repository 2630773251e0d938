// TCanvas: drawing with a font, a pen and a brush on a device context.
#include "graphics/canvas.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "graphics/colors.h"
#include "graphics/graphic.h"
#include "platform/draw.h"
#include "platform/rop2.h"
#include "platform/text.h"

using namespace platform;

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()) {
  font_->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  pen_->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  brush_->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  // Whoever draws on the handle directly gets the canvas's font, pen and brush selected.
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                 TCanvasStates::csPenValid, TCanvasStates::csBrushValid});
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_) return;
  if (handle_ != nullptr) DeselectHandles();
  handle_ = dc;
  state_ = {};
  if (dc != nullptr) state_.Include(TCanvasStates::csHandleValid);
}

void TCanvas::RequiredState(TCanvasState required) {
  if (required.Contains(TCanvasStates::csHandleValid) && handle_ == nullptr) {
    CreateHandle();
    if (handle_ == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (required.Contains(TCanvasStates::csFontValid) &&
      !state_.Contains(TCanvasStates::csFontValid)) {
    SelectFont();
  }
  if (required.Contains(TCanvasStates::csPenValid) && !state_.Contains(TCanvasStates::csPenValid)) {
    SelectPen();
  }
  if (required.Contains(TCanvasStates::csBrushValid) &&
      !state_.Contains(TCanvasStates::csBrushValid)) {
    SelectBrush();
  }
}

void TCanvas::SelectFont() {
  SelectObject(handle_, font_->Handle());
  SetTextColor(handle_, ColorToRGB(font_->Color()));
  state_.Include(TCanvasStates::csFontValid);
}

void TCanvas::SelectPen() {
  SelectObject(handle_, pen_->Handle());
  SetROP2(handle_, PenModeToRop2(pen_->Mode()));
  state_.Include(TCanvasStates::csPenValid);
}

void TCanvas::SelectBrush() {
  SelectObject(handle_, brush_->Handle());
  // Text drawn over a solid brush gets the brush's colour behind it; over a clear brush none.
  bool solid = brush_->Style() == TBrushStyle::bsSolid;
  SetBkColor(handle_, solid ? ColorToRGB(brush_->Color()) : ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
  SetBkMode(handle_, solid ? OPAQUE : TRANSPARENT);
  state_.Include(TCanvasStates::csBrushValid);
}

void TCanvas::DeselectHandles() {
  if (handle_ == nullptr) return;
  SelectObject(handle_, GetStockObject(BLACK_PEN));
  SelectObject(handle_, GetStockObject(WHITE_BRUSH));
  SelectObject(handle_, GetStockObject(SYSTEM_FONT));
  state_.Exclude(TCanvasStates::csFontValid);
  state_.Exclude(TCanvasStates::csPenValid);
  state_.Exclude(TCanvasStates::csBrushValid);
}

void TCanvas::FontChanged(TObject*) {
  if (!state_.Contains(TCanvasStates::csFontValid)) return;
  state_.Exclude(TCanvasStates::csFontValid);
  SelectObject(handle_, GetStockObject(SYSTEM_FONT));
}

void TCanvas::PenChanged(TObject*) {
  if (!state_.Contains(TCanvasStates::csPenValid)) return;
  state_.Exclude(TCanvasStates::csPenValid);
  SelectObject(handle_, GetStockObject(BLACK_PEN));
}

void TCanvas::BrushChanged(TObject*) {
  if (!state_.Contains(TCanvasStates::csBrushValid)) return;
  state_.Exclude(TCanvasStates::csBrushValid);
  SelectObject(handle_, GetStockObject(WHITE_BRUSH));
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState({TCanvasStates::csHandleValid});
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::LineTo(handle_, x, y);
  Changed();
}

POINT TCanvas::PenPos() {
  RequiredState({TCanvasStates::csHandleValid});
  POINT p{};
  GetCurrentPositionEx(handle_, &p);
  return p;
}

void TCanvas::Polyline(std::span<const POINT> points) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::Polyline(handle_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::PolyPolyline(std::span<const POINT> points, std::span<const DWORD> counts) {
  std::size_t total = 0;
  for (DWORD count : counts) total += count;
  // The counts must describe exactly the points given: never read past them.
  if (total != points.size()) throw EInvalidOperation("Invalid polyline point counts");
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::PolyPolyline(handle_, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
  Changed();
}

void TCanvas::Polygon(std::span<const POINT> points) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::Polygon(handle_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::Rectangle(handle_, left, top, right, bottom);
  Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::RoundRect(handle_, left, top, right, bottom, width, height);
  Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid,
                 TCanvasStates::csBrushValid});
  platform::Ellipse(handle_, left, top, right, bottom);
  Changed();
}

void TCanvas::FillRect(const RECT& rect) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csBrushValid});
  platform::FillRect(handle_, &rect, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csBrushValid});
  platform::FrameRect(handle_, &rect, brush_->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csBrushValid});
  platform::DrawFocusRect(handle_, &rect);
  Changed();
}

COLORREF TCanvas::Pixel(int x, int y) {
  RequiredState({TCanvasStates::csHandleValid});
  return GetPixel(handle_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csPenValid});
  platform::SetPixel(handle_, x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                 TCanvasStates::csBrushValid});
  ExtTextOutA(handle_, x, y, textFlags_, nullptr, text.data(), static_cast<UINT>(text.size()),
              nullptr);
  MoveToEx(handle_, x + TextWidth(text), y, nullptr);
  Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const AnsiString& text) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                 TCanvasStates::csBrushValid});
  UINT options = ETO_CLIPPED | textFlags_;
  if (brush_->Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(handle_, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const AnsiString& text) {
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csFontValid});
  SIZE size{0, 0};
  GetTextExtentPoint32A(handle_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  StretchDraw(RECT{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  Changing();
  RequiredState({TCanvasStates::csHandleValid});
  // Monochrome pictures take these two colours; text drawn later keeps its own.
  COLORREF oldBk = SetBkColor(handle_, ColorToRGB(brush_->Color()));
  COLORREF oldText = SetTextColor(handle_, ColorToRGB(font_->Color()));
  graphic->Draw(*this, rect);
  SetBkColor(handle_, oldBk);
  SetTextColor(handle_, oldText);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source) {
  Changing();
  RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                 TCanvasStates::csBrushValid});
  canvas.RequiredState({TCanvasStates::csHandleValid, TCanvasStates::csBrushValid});
  StretchBlt(handle_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
             canvas.handle_, source.left, source.top, source.right - source.left,
             source.bottom - source.top, copyMode_);
  Changed();
}

TCanvasOrientation TCanvas::CanvasOrientation() {
  if ((textFlags_ & ETO_RTLREADING) == 0) return TCanvasOrientation::coLeftToRight;
  RequiredState({TCanvasStates::csHandleValid});
  POINT origin{0, 0};
  GetWindowOrgEx(handle_, &origin);
  return origin.x != 0 ? TCanvasOrientation::coRightToLeft : TCanvasOrientation::coLeftToRight;
}

RECT TCanvas::ClipRect() {
  RequiredState({TCanvasStates::csHandleValid});
  RECT rect{};
  GetClipBox(handle_, &rect);
  return rect;
}

namespace {

[[maybe_unused]] const auto kTCanvas = RegisterClass<TCanvas, TPersistent>("TCanvas");

}  // namespace
