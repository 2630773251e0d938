// TCanvas: drawing with a font, a pen and a brush on a device context.
#pragma once

#include <memory>
#include <span>

#include "core/sets.h"
#include "graphics/brush.h"
#include "graphics/font.h"
#include "graphics/pen.h"
#include "platform/bitblt.h"
#include "platform/dc.h"

class TGraphic;

enum class TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
enum class TCanvasOrientation { coLeftToRight, coRightToLeft };
using TCanvasState = SetOf<TCanvasStates>;

// A canvas draws on a device context it is given (SetHandle) or makes for itself on first
// use (CreateHandle, which subclasses override: a bitmap's canvas makes a memory device
// context, a control's canvas one over the control). The font, pen and brush are the
// canvas's own objects; their handles are selected lazily, just before a call needs them,
// and deselected as soon as the object changes, so the next call picks up the change.
// Coordinates are logical coordinates of the device context; right and bottom are exclusive.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  TFont& Font() { return *font_; }
  TPen& Pen() { return *pen_; }
  TBrush& Brush() { return *brush_; }
  void SetFont(const TFont& font) { font_->Assign(font); }
  void SetPen(const TPen& pen) { pen_->Assign(pen); }
  void SetBrush(const TBrush& brush) { brush_->Assign(brush); }

  // The device context, made on first request, with the font, pen and brush selected;
  // EInvalidOperation "Canvas does not allow drawing" when the canvas cannot make one.
  platform::HDC Handle();
  // Adopts a device context (null detaches): the previous one gets the stock objects back.
  void SetHandle(platform::HDC dc);
  bool HandleAllocated() const { return handle_ != nullptr; }
  TCanvasState State() const { return state_; }

  // ETO_* options added to every TextOut and TextRect (ETO_RTLREADING for right-to-left).
  platform::UINT TextFlags() const { return textFlags_; }
  void SetTextFlags(platform::UINT flags) { textFlags_ = flags; }
  // Right to left when the text flags read right to left and the window origin has been moved
  // (a control mirrors its canvas by moving the origin to its right edge).
  TCanvasOrientation CanvasOrientation();
  // The raster operation of Draw, StretchDraw and CopyRect; SRCCOPY by default.
  platform::DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(platform::DWORD mode) { copyMode_ = mode; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  platform::POINT PenPos();
  void Polyline(std::span<const platform::POINT> points);
  // Several polylines in one operation; counts[i] points belong to the i-th line.
  void PolyPolyline(std::span<const platform::POINT> points,
                    std::span<const platform::DWORD> counts);
  void Polygon(std::span<const platform::POINT> points);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const platform::RECT& rect) {
    Rectangle(rect.left, rect.top, rect.right, rect.bottom);
  }
  void RoundRect(int left, int top, int right, int bottom, int width, int height);
  void Ellipse(int left, int top, int right, int bottom);
  // With the brush, ignoring the pen and the mix mode.
  void FillRect(const platform::RECT& rect);
  void FrameRect(const platform::RECT& rect);
  void DrawFocusRect(const platform::RECT& rect);
  platform::COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // Text in the font's colour; the background is filled with the brush unless it is clear.
  void TextOut(int x, int y, const AnsiString& text);
  // Like TextOut at (x, y), clipped to rect, which is filled first unless the brush is clear.
  void TextRect(const platform::RECT& rect, int x, int y, const AnsiString& text);
  platform::SIZE TextExtent(const AnsiString& text);
  int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
  int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

  // A graphic at its own size, or stretched into rect; nothing for null or an empty graphic.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const platform::RECT& rect, TGraphic* graphic);
  // Copies the source canvas's rectangle into dest (stretched to fit) under CopyMode.
  void CopyRect(const platform::RECT& dest, TCanvas& canvas, const platform::RECT& source);

  // The part that can be drawn, in logical coordinates.
  platform::RECT ClipRect();

  // Around every drawing call: OnChanging before, OnChange after.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;
  void Changing();
  void Changed();

  // Makes sure the handle and the named objects are selected.
  void RequiredState(TCanvasState state);

 protected:
  // Called when a handle is needed and none is set; may call SetHandle.
  virtual void CreateHandle() {}
  // The device context as it is, without making one or selecting anything.
  platform::HDC CurrentHandle() const { return handle_; }

 private:
  void FontChanged(TObject* sender);
  void PenChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DeselectHandles();

  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  platform::HDC handle_ = nullptr;
  TCanvasState state_;
  platform::UINT textFlags_ = 0;
  platform::DWORD copyMode_ = platform::SRCCOPY;
};
