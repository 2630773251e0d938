// TButtonGlyph: a button's glyph bitmap cut into its state images, drawn with its transparent
// colour masked out.
#pragma once

#include <array>
#include <memory>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// The glyph holds NumGlyphs images side by side: up, disabled, down, exclusive. A state
// without its own image uses the up image (a down state also when there are fewer than three);
// a disabled state without its own image gets one made from the up image: the glyph's dark
// shape embossed in the highlight colour one pixel right and down and the shadow colour in
// place, on the button face. The transparent colour is the glyph bitmap's (its bottom-left
// pixel).
class TButtonGlyph : public TObject {
 public:
  TButtonGlyph();
  ~TButtonGlyph() override;

  TBitmap& Glyph() { return *glyph_; }
  // Copies the bitmap; a width that is an exact multiple of the height sets NumGlyphs to
  // width / height when that is below 5, else to 1. Null empties the glyph.
  void SetGlyph(TBitmap* glyph);
  int NumGlyphs() const { return numGlyphs_; }
  // 1 to 4; other values are ignored.
  void SetNumGlyphs(int value);
  // The size of one image; 0 × 0 without a glyph.
  platform::SIZE ImageSize() const;
  // Which image a state shows.
  int ImageIndex(TButtonState state) const;

  // Draws the state's image with its top-left corner at `at`. Unless `transparent` (or the
  // state is exclusive) the image's area is filled with clBtnFace first.
  void Draw(TCanvas& canvas, platform::POINT at, TButtonState state, bool transparent);

  // Fired when the glyph or the number of images changes.
  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* sender);
  void Changed();
  TBitmap& StateImage(TButtonState state);

  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  // The prepared image of each state, made on first use.
  std::array<std::unique_ptr<TBitmap>, 4> images_;
};
